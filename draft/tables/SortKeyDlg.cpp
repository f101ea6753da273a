#include "draft/tables/SortKeyDlg.h"

#include <vector>

#include "platform/ui/Button.h"

BEGIN_MESSAGE_MAP(CSortKeyDlg, CDialog)
ON_BN_CLICKED(CSortKeyDlg::kMerged, OnMergedClicked)
END_MESSAGE_MAP()

CSortKeyDlg::CSortKeyDlg(const CStringArray& names, CWnd* parent) : CDialog(IDD, parent) { names_.Copy(names); }

BOOL CSortKeyDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  keyList_.SubclassDlgItem(kKeyList, this);
  mergedList_.SubclassDlgItem(kMergedList, this);
  for (INT_PTR i = 0; i < names_.GetSize(); ++i) {
    keyList_.AddString(names_[i]);
    mergedList_.AddString(names_[i]);
  }
  CheckRadioButton(kAscending, kDescending, kAscending);
  mergedList_.EnableWindow(FALSE);
  return TRUE;
}

void CSortKeyDlg::OnMergedClicked() { mergedList_.EnableWindow(IsDlgButtonChecked(kMerged) ? TRUE : FALSE); }

void CSortKeyDlg::OnOK() {
  key_ = keyList_.GetCurSel();
  descending_ = IsDlgButtonChecked(kDescending) ? TRUE : FALSE;
  merged_ = IsDlgButtonChecked(kMerged) ? TRUE : FALSE;
  mergedColumns_.RemoveAll();
  if (merged_) {
    const int count = mergedList_.GetSelCount();
    if (count > 0) {
      std::vector<int> items(static_cast<size_t>(count));
      mergedList_.GetSelItems(count, items.data());
      for (int i : items) mergedColumns_.Add(i);
    }
  }
  CDialog::OnOK();
}
