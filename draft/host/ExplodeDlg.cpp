#include "draft/host/ExplodeDlg.h"

#include "draft/host/Entity.h"
#include "draft/host/HostResources.h"
#include "platform/core/Module.h"

namespace {
struct Box {
  int id;
  int bit;
};
constexpr Box kBoxes[] = {{CExplodeDlg::kBlocksCheck, kExplodeBlocks},
                          {CExplodeDlg::kNestedCheck, kExplodeNested},
                          {CExplodeDlg::kKeptWholeCheck, kExplodeKeptWhole},
                          {CExplodeDlg::kCurvesCheck, kExplodeCurves}};

platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CExplodeDlg::IDD, "分解", {0, 0, 160, 96})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .AutoCheckBox("分解图块", CExplodeDlg::kBlocksCheck, {10, 8, 90, 10})
      .AutoCheckBox("分解嵌套图块", CExplodeDlg::kNestedCheck, {10, 24, 90, 10})
      .AutoCheckBox("分解尺寸等整体图元", CExplodeDlg::kKeptWholeCheck, {10, 40, 90, 10})
      .AutoCheckBox("分解曲线", CExplodeDlg::kCurvesCheck, {10, 56, 90, 10})
      .DefPushButton("确定", IDOK, {104, 8, 50, 14})
      .PushButton("取消", IDCANCEL, {104, 26, 50, 14});
}
}  // namespace

CExplodeDlg::CExplodeDlg(ExplodeDlgRecord* record, BOOL hasOptions1, BOOL hasOptions2, CWnd* parent)
    : CBaseDialog(IDD, parent), record_(record), hasOptions1_(hasOptions1), hasOptions2_(hasOptions2) {}

BOOL CExplodeDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  const int type = record_ ? record_->type : 0;
  for (const Box& b : kBoxes) CheckDlgButton(b.id, (type & b.bit) ? BST_CHECKED : BST_UNCHECKED);
  if (CWnd* w = GetDlgItem(kNestedCheck)) w->EnableWindow(hasOptions1_);
  if (CWnd* w = GetDlgItem(kKeptWholeCheck)) w->EnableWindow(hasOptions2_);
  return TRUE;
}

void CExplodeDlg::OnOK() {
  if (record_) {
    int type = record_->type;
    for (const Box& b : kBoxes) {
      if (IsDlgButtonChecked(b.id) == BST_CHECKED)
        type |= b.bit;
      else
        type &= ~b.bit;
    }
    record_->type = type;
  }
  CBaseDialog::OnOK();
}

CExplodeDlg* ConstructExplodeDlg(ExplodeDlgRecord* record, BOOL hasOptions1, BOOL hasOptions2, CWnd* parent) {
  EnsureHostDialogTemplate(u"Nobrack.DLL", CExplodeDlg::IDD, &BuildTemplate);
  return new CExplodeDlg(record, hasOptions1, hasOptions2, parent);
}
