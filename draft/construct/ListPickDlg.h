// Removes lines from a list (template 1321): a multiple-selection list; on
// OK the lines that were not selected remain.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/StringArray.h"
#include "platform/ui/ListBox.h"

class CListPickDlg : public CBaseDialog {
 public:
  enum { IDD = 1321 };
  enum { kList = 676 };

  CListPickDlg(const CStringArrayA& lines, CWnd* parent);

  // The lines: after OK those that were not selected.
  const CStringArrayA& GetLines() const { return lines_; }
  // After OK: how many lines were selected.
  int GetSelectedCount() const { return selectedCount_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CStringArrayA lines_;
  int selectedCount_ = 0;
  CListBox list_;
};
