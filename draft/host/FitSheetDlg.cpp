#include "draft/host/FitSheetDlg.h"

#include <utility>

#include "draft/host/HostResources.h"
#include "platform/core/ResourceSet.h"

BEGIN_MESSAGE_MAP(CFitSheetDlg, CDialog)
  ON_LBN_DBLCLK(CFitSheetDlg::kCodeList, OnCodeDoubleClick)
END_MESSAGE_MAP()

namespace {

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CFitSheetDlg::IDD, "常用公差带", {0, 0, 120, 170})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .ListBox(CFitSheetDlg::kCodeList, {7, 7, 106, 132}, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
      .DefPushButton("确定", IDOK, {7, 146, 50, 14})
      .PushButton("取消", IDCANCEL, {63, 146, 50, 14});
}

CFitSheetDlg* Make(const char* caption, std::vector<CStringA> codes, CWnd* parent) {
  EnsureHostDialogTemplate(u"Korrin.DLL", CFitSheetDlg::IDD, &BuildTemplate);
  return new CFitSheetDlg(caption, std::move(codes), parent);
}

}  // namespace

CFitSheetDlg::CFitSheetDlg(const char* caption, std::vector<CStringA> codes, CWnd* parent)
    : CDialog(IDD, parent), caption_(caption), codes_(std::move(codes)) {}

BOOL CFitSheetDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(caption_);
  list_.SubclassDlgItem(kCodeList, this);
  for (const CStringA& code : codes_) list_.AddString(code);
  list_.SetCurSel(0);
  return TRUE;
}

void CFitSheetDlg::OnOK() {
  const int at = list_.GetCurSel();
  if (at < 0) return;  // nothing chosen: the sheet stays
  list_.GetText(at, choice_);
  CDialog::OnOK();
}

void CFitSheetDlg::OnCodeDoubleClick() { OnOK(); }

CFitSheetDlg* ConstructFitSheet18(CWnd* parent) {
  return Make("常用公差带(≤18)",
              {"H6", "H7", "H8", "H9", "H11", "G7", "F8", "E9", "D10", "JS7", "K7", "N7", "P7", "h6", "h7", "h9",
               "h11", "g6", "f7", "e8", "d9", "js6", "k6", "m6", "n6", "p6"},
              parent);
}

CFitSheetDlg* ConstructFitSheet500(CWnd* parent) {
  return Make("常用公差带(≤500)",
              {"H6", "H7", "H8", "H9", "H10", "H11", "G6", "G7", "F7", "F8", "E8", "E9", "D9", "D10", "JS6", "JS7",
               "K6", "K7", "M7", "N7", "P7", "h5", "h6", "h7", "h8", "h9", "h11", "g5", "g6", "f6", "f7", "e7",
               "e8", "d8", "d9", "js5", "js6", "k5", "k6", "m5", "m6", "n6", "p6"},
              parent);
}

CFitSheetDlg* ConstructFitSheet3150(CWnd* parent) {
  return Make("常用公差带(≤3150)",
              {"H6", "H7", "H8", "H9", "H11", "G6", "G7", "F7", "F8", "E8", "E9", "D9", "D10", "JS6", "JS7", "K6",
               "K7", "M6", "M7", "N6", "N7", "h6", "h7", "h8", "h9", "h11", "g6", "f7", "e8", "d9", "js6", "js7",
               "k6", "m6", "n6", "p6"},
              parent);
}

CFitSheetDlg* ConstructFitSheet(CWnd* parent) {
  return Make("常用配合",
              {"H7/g6", "H7/h6", "H7/js6", "H7/k6", "H7/n6", "H7/p6", "H8/f7", "H8/h7", "H9/d9", "H9/h9",
               "H11/c11", "H11/h11", "G7/h6", "F8/h7", "D9/h9", "K7/h6", "N7/h6", "P7/h6"},
              parent);
}

void DestroyFitSheet(CFitSheetDlg* sheet) { delete sheet; }
