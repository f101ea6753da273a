// The group chooser (template 371, "改变图组"): the drawing's groups in a
// sorted combo box, showing the active group; the chosen or typed name is
// what OK gives.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"

class CGroupTable;

class CGroupSelDlg : public CBaseDialog {
 public:
  enum { IDD = 371 };
  enum ControlId { kNameCombo = 308 };

  CGroupSelDlg(CGroupTable* table, CWnd* parent);

  // Before DoModal: the name shown first; after OK: the name chosen.
  CStringA m_name;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CGroupTable* table_;
};
