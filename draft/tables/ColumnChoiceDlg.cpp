#include "draft/tables/ColumnChoiceDlg.h"

#include <vector>

#include "draft/host/HostResources.h"
#include "platform/core/DialogTemplate.h"
#include "platform/core/MessageBox.h"

BEGIN_MESSAGE_MAP(CColumnChoiceDlg, CDialog)
ON_LBN_SELCHANGE(CColumnChoiceDlg::kColumnList, OnSelectionChanged)
ON_BN_CLICKED(CColumnChoiceDlg::kMergeYes, OnMergeChanged)
ON_BN_CLICKED(CColumnChoiceDlg::kMergeNo, OnMergeChanged)
END_MESSAGE_MAP()

namespace {
platform::DialogTemplate BuildTemplate() {
  using namespace platform::rc;
  return Dialog(CColumnChoiceDlg::IDD, "选择附表所需要的列", {0, 0, 170, 170})
      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
      .Font(9, "宋体")
      .ListBox(CColumnChoiceDlg::kColumnList, {7, 7, 156, 90}, LBS_MULTIPLESEL | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP)
      .GroupBox("分组合并", IDC_STATIC, {7, 100, 156, 44})
      .AutoRadioButton("是", CColumnChoiceDlg::kMergeYes, {14, 112, 30, 10}, WS_GROUP | WS_TABSTOP)
      .AutoRadioButton("否", CColumnChoiceDlg::kMergeNo, {50, 112, 30, 10})
      .ComboBox(CColumnChoiceDlg::kBasis, {14, 126, 140, 80}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
      .DefPushButton("确定", IDOK, {30, 150, 50, 14})
      .PushButton("取消", IDCANCEL, {90, 150, 50, 14});
}
}  // namespace

CColumnChoiceDlg::CColumnChoiceDlg(const CStringArray& names, CWnd* parent) : CDialog(IDD, parent) {
  EnsureHostDialogTemplate(u"Korrin.DLL", IDD, &BuildTemplate);
  names_.Copy(names);
}

BOOL CColumnChoiceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  list_.SubclassDlgItem(kColumnList, this);
  basisBox_.SubclassDlgItem(kBasis, this);
  for (INT_PTR i = 0; i < names_.GetSize(); ++i) list_.AddString(names_[i]);
  CheckRadioButton(kMergeYes, kMergeNo, kMergeNo);
  UpdateMergeControls();
  return TRUE;
}

void CColumnChoiceDlg::ReadChosen(CArray<int, int>& chosen) const {
  chosen.RemoveAll();
  const int count = list_.GetSelCount();
  if (count <= 0) return;
  std::vector<int> items(static_cast<size_t>(count));
  list_.GetSelItems(count, items.data());
  for (int i : items) chosen.Add(i);
}

void CColumnChoiceDlg::UpdateMergeControls() {
  CArray<int, int> chosen;
  ReadChosen(chosen);
  const bool offered = chosen.GetSize() >= 2;
  if (!offered && IsDlgButtonChecked(kMergeYes)) CheckRadioButton(kMergeYes, kMergeNo, kMergeNo);
  if (CWnd* yes = GetDlgItem(kMergeYes)) yes->EnableWindow(offered ? TRUE : FALSE);
  const bool merging = IsDlgButtonChecked(kMergeYes) != 0;
  basisBox_.ResetContent();
  for (INT_PTR i = 0; i < chosen.GetSize(); ++i) basisBox_.AddString(names_[chosen[i]]);
  if (chosen.GetSize() > 0) basisBox_.SetCurSel(0);
  basisBox_.EnableWindow(merging ? TRUE : FALSE);
}

void CColumnChoiceDlg::OnSelectionChanged() { UpdateMergeControls(); }
void CColumnChoiceDlg::OnMergeChanged() { UpdateMergeControls(); }

void CColumnChoiceDlg::OnOK() {
  ReadChosen(columns_);
  merged_ = IsDlgButtonChecked(kMergeYes) ? TRUE : FALSE;
  basis_ = -1;
  if (merged_) {
    const int at = basisBox_.GetCurSel();
    if (at >= 0 && at < columns_.GetSize()) basis_ = columns_[at];
    if (basis_ < 0) {
      AfxMessageBox("请选择合并的依据!", MB_OK);
      return;
    }
  }
  CDialog::OnOK();
}
