#include "diagram/ui/LineWeightDlg.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/SpinButtonCtrl.h"

CLineWeightDlg::CLineWeightDlg(CWnd* parent) : CDialog(IDD, parent) {}

CLineWeightDlg::~CLineWeightDlg() = default;

void CLineWeightDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, kWeightEdit, m_uWeight);
  DDV_MinMaxUInt(dx, m_uWeight, 0, kMaxWeight);
}

BOOL CLineWeightDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kWeightSpin))) {
    spin->SetRange(0, static_cast<short>(kMaxWeight));
    spin->SetBase(10);
    spin->SetPos(static_cast<int>(m_uWeight));
  }
  return TRUE;
}
