#include "draft/edit/FilletSetDlg.h"

#include <cstdlib>

#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"

CFilletSetDlg::CFilletSetDlg(CWnd* parent) : CBaseDialog(IDD, parent) {}

BOOL CFilletSetDlg::OnInitDialog() {
  showAlways_ = GetProfileIntSetting(kSection, "DisplayAlways", 1);
  radius_ = std::atof(GetProfileStringSetting(kSection, "Radius", "5.0").GetString());
  return CBaseDialog::OnInitDialog();
}

void CFilletSetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Check(dx, kShowAlwaysCheck, showAlways_);
  DDX_Text(dx, kRadiusEdit, radius_);
}

void CFilletSetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // an unreadable number keeps the dialog open
  EndDialog(IDOK);
  WriteProfileIntSetting(kSection, "DisplayAlways", showAlways_);
  CStringA text;
  text.Format("%lf", radius_);
  WriteProfileStringSetting(kSection, "Radius", text.GetString());
}
