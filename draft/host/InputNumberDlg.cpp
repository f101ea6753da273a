#include "draft/host/InputNumberDlg.h"

#include <climits>
#include <cmath>

#include "draft/host/HostResources.h"
#include "platform/core/MessageBox.h"
#include "platform/core/NumberText.h"
#include "platform/ui/DataExchange.h"

namespace {
platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CInputNumberDlg::IDD, "输入数值", {0, 0, 180, 62})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .LText("", CInputNumberDlg::kPromptLabel, {8, 8, 164, 10})
      .EditText(CInputNumberDlg::kNumberEdit, {8, 22, 164, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .DefPushButton("确定", IDOK, {36, 42, 50, 14})
      .PushButton("取消", IDCANCEL, {94, 42, 50, 14});
}

// The number of `text` under the option; false when it is none.
bool ReadNumber(const CStringA& text, int option, double& number) {
  double v = 0.0;
  if (!platform::ParseNumber(text, v)) return false;
  if (option == 1 && (v != std::trunc(v) || v < INT_MIN || v > INT_MAX)) return false;
  number = v;
  return true;
}
}  // namespace

CInputNumberDlg::CInputNumberDlg(const char* title, const char* prompt, const char* okText, const char* cancelText)
    : CBaseDialog(IDD, nullptr),
      title_(title ? title : ""),
      prompt_(prompt ? prompt : ""),
      okText_(okText ? okText : ""),
      cancelText_(cancelText ? cancelText : "") {}

BOOL CInputNumberDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  if (!title_.IsEmpty()) SetWindowText(title_.GetString());
  SetDlgItemText(kPromptLabel, prompt_.GetString());
  if (!okText_.IsEmpty()) SetDlgItemText(IDOK, okText_.GetString());
  if (!cancelText_.IsEmpty()) SetDlgItemText(IDCANCEL, cancelText_.GetString());
  CStringA text;
  if (option_ == 1)
    text.Format("%d", static_cast<int>(number_));
  else
    text.Format("%g", number_);
  SetDlgItemText(kNumberEdit, text.GetString());
  return TRUE;
}

void CInputNumberDlg::OnOK() {
  CStringA text;
  GetDlgItemText(kNumberEdit, text);
  double v = 0.0;
  if (!ReadNumber(text, option_, v)) {
    AfxMessageBox(AfxFormatFrameworkString(option_ == 1 ? AFX_IDP_PARSE_INT : AFX_IDP_PARSE_REAL).GetString(),
                  MB_ICONEXCLAMATION);
    if (CWnd* edit = GetDlgItem(kNumberEdit)) edit->SetFocus();
    return;
  }
  number_ = v;
  CBaseDialog::OnOK();
}

CInputNumberDlg* ConstructNumberInputDlg(const char* title, const char* prompt, const char* okText,
                                         const char* cancelText, int, int) {
  EnsureHostDialogTemplate(u"Halcyte.DLL", CInputNumberDlg::IDD, &BuildTemplate);
  return new CInputNumberDlg(title, prompt, okText, cancelText);
}
