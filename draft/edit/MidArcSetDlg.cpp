#include "draft/edit/MidArcSetDlg.h"

#include <cstdlib>

#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"

CMidArcSetDlg::CMidArcSetDlg(CWnd* parent, int arcOrCircle)
    : CBaseDialog(IDD, parent),
      arcOrCircle_(arcOrCircle),
      trim_(GetProfileIntSetting(kSection, "CutElement", 1)),
      radius_(std::atof(GetProfileStringSetting(kSection, "Radius", "15.0").GetString())) {}

BOOL CMidArcSetDlg::OnInitDialog() {
  tangency_ = GetProfileIntSetting(kSection, "WaiQie", tangency_);
  const BOOL result = CBaseDialog::OnInitDialog();
  if (arcOrCircle_) {
    CheckDlgButton(kOutsideRadio, tangency_ == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kInsideRadio, tangency_ == 1 ? BST_UNCHECKED : BST_CHECKED);
  } else {
    for (int id : {kOutsideRadio, kInsideRadio})
      if (CWnd* radio = GetDlgItem(id)) radio->EnableWindow(FALSE);
  }
  return result;
}

void CMidArcSetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Check(dx, kTrimCheck, trim_);
  DDX_Text(dx, kRadiusEdit, radius_);
  DDV_MinMaxDouble(dx, radius_, 1e-6, 1000000.0);
}

void CMidArcSetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // an unreadable or out-of-range radius keeps the dialog open
  const bool outside = IsDlgButtonChecked(kOutsideRadio) == BST_CHECKED;
  EndDialog(IDOK);
  CStringA text;
  text.Format("%lf", radius_);
  WriteProfileStringSetting(kSection, "Radius", text.GetString());
  WriteProfileIntSetting(kSection, "CutElement", trim_);
  if (arcOrCircle_) {
    tangency_ = outside ? 1 : 0;
    WriteProfileIntSetting(kSection, "WaiQie", tangency_);
  }
}
