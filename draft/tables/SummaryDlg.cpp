#include "draft/tables/SummaryDlg.h"

#include <vector>

#include "draft/host/HostResources.h"
#include "platform/core/DialogTemplate.h"

namespace {
platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CSummaryDlg::IDD, "汇总", {0, 0, 150, 150})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .LText("汇总的列", IDC_STATIC, {7, 7, 80, 8})
      .ListBox(CSummaryDlg::kColumnList, {7, 18, 136, 86}, LBS_MULTIPLESEL | WS_VSCROLL | WS_TABSTOP)
      .AutoCheckBox("同规格汇总", CSummaryDlg::kPerDiameter, {7, 110, 80, 10}, WS_TABSTOP)
      .DefPushButton("确定", IDOK, {20, 128, 50, 14})
      .PushButton("取消", IDCANCEL, {80, 128, 50, 14});
}
}  // namespace

CSummaryDlg::CSummaryDlg(const CStringArray& names, CWnd* parent) : CDialog(IDD, parent) {
  EnsureHostDialogTemplate(u"Korrin.DLL", IDD, &BuildTemplate);
  names_.Copy(names);
}

BOOL CSummaryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  list_.SubclassDlgItem(kColumnList, this);
  for (INT_PTR i = 0; i < names_.GetSize(); ++i) list_.AddString(names_[i]);
  return TRUE;
}

void CSummaryDlg::OnOK() {
  columns_.RemoveAll();
  const int count = list_.GetSelCount();
  if (count > 0) {
    std::vector<int> items(static_cast<size_t>(count));
    list_.GetSelItems(count, items.data());
    for (int i : items) columns_.Add(i);
  }
  perDiameter_ = IsDlgButtonChecked(kPerDiameter) ? TRUE : FALSE;
  CDialog::OnOK();
}
