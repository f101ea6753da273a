#include "diagram/ui/CustomScaleDlg.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/Edit.h"

const int CCustomScaleDlg::kChoiceRadios[9] = {28120, 28119, 28117, 28116, 28115, 28121, 28118, 28127, 28130};
const UINT CCustomScaleDlg::kPresetPercents[7] = {400, 300, 200, 150, 100, 50, 25};

BEGIN_MESSAGE_MAP(CCustomScaleDlg, CDialog)
  ON_CONTROL_RANGE(BN_CLICKED, 28115, 28130, OnChoice)
  ON_BN_CLICKED(CCustomScaleDlg::kZoomLastButton, OnZoomLast)
END_MESSAGE_MAP()

CCustomScaleDlg::CCustomScaleDlg(CWnd* parent) : CDialog(IDD, parent) {}

CCustomScaleDlg::~CCustomScaleDlg() = default;

bool CCustomScaleDlg::IsPercentTicked() const {
  return IsDlgButtonChecked(kChoiceRadios[kPercentChoice]) == BST_CHECKED;
}

void CCustomScaleDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Text(dx, kPercentEdit, m_uPercent);
  if (IsPercentTicked()) DDV_MinMaxUInt(dx, m_uPercent, m_uMinPercent, m_uMaxPercent);
}

BOOL CCustomScaleDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_nChoice = kPercentChoice;
  for (int i = 0; i < 9; ++i) {
    CheckDlgButton(kChoiceRadios[i], i == kPercentChoice ? BST_CHECKED : BST_UNCHECKED);
  }
  for (int i = 0; i < 7; ++i) {
    if (CWnd* radio = GetDlgItem(kChoiceRadios[i])) radio->EnableWindow(m_uMaxPercent >= kPresetPercents[i]);
  }
  if (auto* edit = static_cast<CEdit*>(GetDlgItem(kPercentEdit))) {
    GotoDlgCtrl(edit);
    edit->SetSel(0, -1);
  }
  return FALSE;
}

void CCustomScaleDlg::OnChoice(UINT id) {
  for (int i = 0; i < 9; ++i) {
    if (kChoiceRadios[i] != static_cast<int>(id)) continue;
    m_nChoice = i;
    if (i == kPercentChoice) GotoDlgCtrl(GetDlgItem(kPercentEdit));
  }
}

void CCustomScaleDlg::OnOK() {
  // The typed percentage counts only while its radio is ticked.
  if (IsPercentTicked() && !UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CCustomScaleDlg::OnZoomLast() { EndDialog(kZoomLastResult); }
