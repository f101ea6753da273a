// Halcyte's number dialog: one number typed in an edit under a prompt, with
// the caller's caption and button texts. Option 1 takes whole numbers only;
// option 0 any real number. A text that is no such number (or one that an
// int cannot hold, with option 1) is refused with the framework's number
// message and the dialog stays open. Its template lives in Halcyte's module;
// the caller makes that module current.
#pragma once

#include "draft/host/BaseDialog.h"
#include "platform/core/String.h"

class CInputNumberDlg : public CBaseDialog {
 public:
  enum { IDD = 3200 };
  enum ControlId { kPromptLabel = 3201, kNumberEdit = 3202 };

  CInputNumberDlg(const char* title, const char* prompt, const char* okText, const char* cancelText);

  // The number the edit starts with.
  void SetInputNumber(double number) { number_ = number; }
  // 1: whole numbers only; 0: any real number.
  void SetInputOption(int option) { option_ = option; }
  // The number taken by OK (the start number until then).
  double GetInputNumber() const { return number_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CStringA title_;
  CStringA prompt_;
  CStringA okText_;
  CStringA cancelText_;
  double number_ = 0.0;
  int option_ = 0;
};

// The dialog (not yet shown) for the caller, who deletes it. The last two
// words are the call's form and change nothing.
CInputNumberDlg* ConstructNumberInputDlg(const char* title, const char* prompt, const char* okText,
                                         const char* cancelText, int = 0, int = 0);
