#include "draft/construct/EquationPickDlg.h"

#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CEquationPickDlg, CBaseDialog)
  ON_LBN_DBLCLK(676, OnDoubleClick)
END_MESSAGE_MAP()

CEquationPickDlg::CEquationPickDlg(const CStringArrayA& lines, int mode, CWnd* parent)
    : CBaseDialog(IDD, parent), mode_(mode) {
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) lines_.Add(lines.GetAt(i));
}

BOOL CEquationPickDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  list_.SubclassDlgItem(kList, this);
  for (INT_PTR i = 0; i < lines_.GetSize(); ++i) list_.AddString(lines_.GetAt(i));
  return TRUE;
}

void CEquationPickDlg::OnOK() {
  selected_ = list_.GetSafeHwnd() ? list_.GetCurSel() : -1;
  CBaseDialog::OnOK();
}

void CEquationPickDlg::OnDoubleClick() {
  if (mode_ == 1) OnOK();
}
