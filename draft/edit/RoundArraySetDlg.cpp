#include "draft/edit/RoundArraySetDlg.h"

#include <cstdlib>

#include "draft/edit/AngleUnit.h"
#include "draft/host/Settings.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CRoundArraySetDlg, CBaseDialog)
  ON_BN_CLICKED(1070, OnAngleAuto)
  ON_EN_CHANGE(1047, OnCountChange)
END_MESSAGE_MAP()

CRoundArraySetDlg::CRoundArraySetDlg(CWnd* parent) : CBaseDialog(IDD, parent), unitFactor_(ReadAngleUnitFactor()) {}

BOOL CRoundArraySetDlg::OnInitDialog() {
  angleAuto_ = GetProfileIntSetting(kSection, "AngleAuto", 1);
  askAlways_ = GetProfileIntSetting(kSection, "AskAlways", 0);
  rotateObjects_ = GetProfileIntSetting(kSection, "RotateObjectS", 1);
  roundOrder_ = GetProfileIntSetting(kSection, "RoundOrder", 0);
  roundNum_ = GetProfileIntSetting(kSection, "RoundNum", 6);
  roundAngle_ = std::atof(GetProfileStringSetting(kSection, "RoundAngle", "60.0").GetString());
  const BOOL result = CBaseDialog::OnInitDialog();
  if (CWnd* angle = GetDlgItem(kAngleEdit)) angle->EnableWindow(!angleAuto_);
  if (angleAuto_) ShowAutomaticAngle();
  return result;
}

void CRoundArraySetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Check(dx, kAngleAutoCheck, angleAuto_);
  DDX_Check(dx, kAskCheck, askAlways_);
  DDX_Check(dx, kRotateCheck, rotateObjects_);
  DDX_Text(dx, kAngleEdit, roundAngle_);
  DDV_MinMaxDouble(dx, roundAngle_, 0.0, 360.0);
  DDX_Text(dx, kCountEdit, roundNum_);
  DDV_MinMaxInt(dx, roundNum_, 2, 10000);
  DDX_CBIndex(dx, kOrderCombo, roundOrder_);
}

void CRoundArraySetDlg::ShowAutomaticAngle() {
  CStringA count;
  GetDlgItemText(kCountEdit, count);
  const int n = std::atoi(count.GetString());
  // The step in degrees, shown in the angle unit: OnOK multiplies it back.
  const double degrees = n < 2 ? 60.0 : 360.0 / n;
  CStringA text;
  text.Format("%lf", degrees / unitFactor_);
  SetDlgItemText(kAngleEdit, text.GetString());
}

void CRoundArraySetDlg::OnAngleAuto() {
  angleAuto_ = IsDlgButtonChecked(kAngleAutoCheck) == BST_CHECKED ? 1 : 0;
  if (CWnd* angle = GetDlgItem(kAngleEdit)) angle->EnableWindow(!angleAuto_);
  if (angleAuto_) ShowAutomaticAngle();
}

void CRoundArraySetDlg::OnCountChange() {
  if (angleAuto_) ShowAutomaticAngle();
}

void CRoundArraySetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // a value out of range keeps the dialog open
  WriteProfileIntSetting(kSection, "AngleAuto", angleAuto_);
  WriteProfileIntSetting(kSection, "AskAlways", askAlways_);
  WriteProfileIntSetting(kSection, "RotateObjectS", rotateObjects_);
  WriteProfileIntSetting(kSection, "RoundOrder", roundOrder_);
  WriteProfileIntSetting(kSection, "RoundNum", roundNum_);
  CStringA angle;
  angle.Format("%lf", roundAngle_);
  WriteProfileStringSetting(kSection, "RoundAngle", angle.GetString());
  angleStep_ = unitFactor_ * roundAngle_;
  EndDialog(IDOK);
}
