#include "draft/construct/ListPickDlg.h"

CListPickDlg::CListPickDlg(const CStringArrayA& lines, CWnd* parent) : CBaseDialog(IDD, parent) {
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) lines_.Add(lines.GetAt(i));
}

BOOL CListPickDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  list_.SubclassDlgItem(kList, this);
  for (INT_PTR i = 0; i < lines_.GetSize(); ++i) list_.AddString(lines_.GetAt(i));
  return TRUE;
}

void CListPickDlg::OnOK() {
  CStringArrayA kept;
  selectedCount_ = 0;
  for (int i = 0; i < static_cast<int>(lines_.GetSize()); ++i) {
    if (list_.GetSel(i) > 0)
      ++selectedCount_;
    else
      kept.Add(lines_.GetAt(i));
  }
  lines_.RemoveAll();
  for (INT_PTR i = 0; i < kept.GetSize(); ++i) lines_.Add(kept.GetAt(i));
  CBaseDialog::OnOK();
}
