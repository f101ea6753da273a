// The text dialog (template 28014): the string of a text object, at most 64
// characters, typed in one edit.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"

class CDataExchange;

class CTextDlg : public CDialog {
 public:
  enum { IDD = 28014 };
  enum ControlId { kTextEdit = 28094 };
  // The longest text the dialog takes.
  static constexpr int kMaxChars = 64;

  explicit CTextDlg(CWnd* parent = nullptr);
  ~CTextDlg() override;

  // The text: filled by the caller, read after IDOK.
  CStringW m_text;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
