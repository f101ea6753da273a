// The number dialog (template 134, "输入数据"): one value typed in an edit,
// a real number or, in integer mode, a whole number. In real mode the text
// "a:b" is a slope and gives its angle in degrees, atan(a / b) (90 when b is
// 0), so that the user can type an angle as a rise over a run.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"
#include "platform/ui/Edit.h"

class CNumberInputDlg : public CBaseDialog {
 public:
  enum { IDD = 134 };
  enum ControlId { kValueEdit = 1062, kValueLabel = 1063 };

  // Real mode. A null (or empty) caption or label keeps the template's; a
  // typed character, when not 0, is the edit's first text.
  CNumberInputDlg(CWnd* parent, const char* caption, const char* label, double value, UINT typedChar);
  // Integer mode: the edit takes digits only.
  CNumberInputDlg(CWnd* parent, const char* caption, const char* label, int value, UINT typedChar);

  // The value after OK (a whole number in integer mode).
  double GetValue() const { return value_; }
  int IsIntegerMode() const { return integer_; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;

 private:
  int integer_;
  double value_;
  CStringA caption_;
  CStringA label_;
  UINT typedChar_;
  CEdit edit_;
};
