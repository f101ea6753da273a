#include "draft/host/SymbolMenuDlg.h"

#include "draft/host/HostResources.h"
#include "platform/core/ResourceSet.h"

BEGIN_MESSAGE_MAP(CSymbolMenuDlg, CDialog)
  ON_LBN_DBLCLK(CSymbolMenuDlg::kSymbolList, OnSymbolDoubleClick)
END_MESSAGE_MAP()

namespace {

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CSymbolMenuDlg::IDD, "特殊字符", {0, 0, 120, 150})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .ListBox(CSymbolMenuDlg::kSymbolList, {7, 7, 106, 112}, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
      .DefPushButton("确定", IDOK, {7, 126, 50, 14})
      .PushButton("取消", IDCANCEL, {63, 126, 50, 14});
}

}  // namespace

std::vector<CStringA> CSymbolMenuDlg::SymbolsOf(int mode) {
  if (mode == 1) return {"Φ", "R", "SΦ", "SR", "M", "±", "°", "×", "□", "∠"};
  return {"±", "°", "Φ", "×", "≤", "≥", "≈", "≠", "√", "∠", "△", "□", "①", "②", "③", "Ⅰ", "Ⅱ", "Ⅲ", "‰", "§", "※"};
}

CSymbolMenuDlg::CSymbolMenuDlg(int mode, CWnd* parent, CPoint position)
    : CDialog(IDD, parent), mode_(mode), position_(position) {}

BOOL CSymbolMenuDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  list_.SubclassDlgItem(kSymbolList, this);
  for (const CStringA& s : SymbolsOf(mode_)) list_.AddString(s);
  list_.SetCurSel(0);
  SetWindowPos(nullptr, position_.x, position_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return TRUE;
}

void CSymbolMenuDlg::OnOK() {
  const int at = list_.GetCurSel();
  if (at < 0) return;  // nothing chosen: the dialog stays
  list_.GetText(at, symbol_);
  CDialog::OnOK();
}

void CSymbolMenuDlg::OnSymbolDoubleClick() { OnOK(); }

CSymbolMenuDlg* ConstructSymbolMenuDlg(int mode, CWnd* parent, CPoint position) {
  EnsureHostDialogTemplate(u"Korrin.DLL", CSymbolMenuDlg::IDD, &BuildTemplate);
  return new CSymbolMenuDlg(mode, parent, position);
}

void DestroySymbolMenuDlg(CSymbolMenuDlg* dlg) { delete dlg; }
