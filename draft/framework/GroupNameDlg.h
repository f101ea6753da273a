// The group name list (template 145): the names of the drawing's groups in
// table order; OK with a line chosen gives that name.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CDraftView;

class CGroupNameDlg : public CDialog {
 public:
  enum { IDD = 145 };
  enum ControlId { kNames = 1038 };

  explicit CGroupNameDlg(CDraftView* view, CWnd* parent = nullptr);
  ~CGroupNameDlg() override;

  // The chosen name, after OK.
  const CStringA& GetGroupName() const { return name_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CDraftView* view_;
  CStringA name_;
};
