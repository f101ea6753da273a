// Takes one equation from the list of table lines (template 440,
// "参数方程"): a single-selection list; in mode 1 a double click accepts.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/StringArray.h"
#include "platform/ui/ListBox.h"

class CEquationPickDlg : public CBaseDialog {
 public:
  enum { IDD = 440 };
  enum { kList = 676 };

  CEquationPickDlg(const CStringArrayA& lines, int mode, CWnd* parent);

  // After OK: the chosen line's index, -1 for none.
  int GetSelected() const { return selected_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  afx_msg void OnDoubleClick();
  DECLARE_MESSAGE_MAP()

 private:
  CStringArrayA lines_;
  int mode_;
  int selected_ = -1;
  CListBox list_;
};
