// The selection filter dialog (template 141, "设置图形选择的过滤条件"): the
// user restricts the picks of a selection command to one drawing group, by
// name, or to dimensions. OK ("应用") writes the choice into the view's
// selection filter.
#pragma once

#include "platform/ui/Dialog.h"

class CDraftView;

class CSelectFilterDlg : public CDialog {
 public:
  enum { IDD = 141 };
  enum ControlId { kChoice = 1029, kPickGroup = 1030, kGroupName = 1036 };

  explicit CSelectFilterDlg(CDraftView* view, CWnd* parent = nullptr);
  ~CSelectFilterDlg() override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnChoiceChanged();
  afx_msg void OnPickGroup();
  DECLARE_MESSAGE_MAP()

 private:
  // Whether the chosen entry is the dimension filter; -1 when none is chosen.
  int ChosenDimensions() const;

  CDraftView* view_;
};
