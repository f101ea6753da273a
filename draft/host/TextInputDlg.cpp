#include "draft/host/TextInputDlg.h"

#include "draft/host/HostResources.h"
#include "draft/host/TextAttribDlg.h"
#include "platform/core/ResourceSet.h"
#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CTextInputDlg, CDialog)
  ON_BN_CLICKED(CTextInputDlg::kFontButton, EditFont)
END_MESSAGE_MAP()

namespace {

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CTextInputDlg::IDD, "输入文本", {0, 0, 240, 60})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .EditText(CTextInputDlg::kTextEdit, {7, 8, 226, 12}, ES_AUTOHSCROLL | WS_TABSTOP)
      .PushButton("字体设置", CTextInputDlg::kFontButton, {7, 36, 56, 14}, WS_TABSTOP)
      .DefPushButton("确认", IDOK, {120, 36, 50, 14}, WS_TABSTOP)
      .PushButton("取消", IDCANCEL, {180, 36, 50, 14}, WS_TABSTOP);
}

}  // namespace

CTextInputDlg::CTextInputDlg(CWnd* parent, const char* text, int flag)
    : CDialog(IDD, parent), text_(text ? text : ""), flag_(flag) {}

BOOL CTextInputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!flag_) SetWindowText("修改文本");
  SetDlgItemText(kTextEdit, text_);
  return TRUE;
}

void CTextInputDlg::OnOK() {
  GetDlgItemText(kTextEdit, text_);
  CDialog::OnOK();
}

void CTextInputDlg::EditFont() {
  CTextAttribDlg* dialog = ConstructTextAttribDialog(this, &attr_);
  if (dialog->DoModal() == IDOK && CompareTextAttrib(dialog->GetTextAttrib(), attr_) != 0) {
    attr_ = dialog->GetTextAttrib();
    changed_ = 1;
  }
  DestroyTextAttribDialog(dialog);
}

CTextInputDlg* ConstructTextInputDlg(CWnd* parent, const char* text, int flag) {
  EnsureHostDialogTemplate(u"Korrin.DLL", CTextInputDlg::IDD, &BuildTemplate);
  return new CTextInputDlg(parent, text, flag);
}

void SetTextInputMode(CTextInputDlg* dlg, const CTextAttrib& attr) {
  if (dlg) dlg->SetTextAttrib(attr);
}

void DestroyTextInputDlg(CTextInputDlg* dlg) { delete dlg; }
