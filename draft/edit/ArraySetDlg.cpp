#include "draft/edit/ArraySetDlg.h"

#include <cstdlib>

#include "draft/edit/AngleUnit.h"
#include "draft/host/Settings.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

namespace {
double ReadReal(const char* key, const char* fallback) {
  return std::atof(GetProfileStringSetting(CArraySetDlg::kSection, key, fallback).GetString());
}

void WriteReal(const char* key, double value) {
  CStringA text;
  text.Format("%lf", value);
  WriteProfileStringSetting(CArraySetDlg::kSection, key, text.GetString());
}
}  // namespace

BEGIN_MESSAGE_MAP(CArraySetDlg, CBaseDialog)
  ON_EN_CHANGE(1078, OnColumnCountChange)
  ON_EN_CHANGE(1079, OnRowCountChange)
  ON_CBN_SELCHANGE(1075, OnModeChange)
END_MESSAGE_MAP()

CArraySetDlg::CArraySetDlg(CWnd* parent) : CBaseDialog(IDD, parent), unitFactor_(ReadAngleUnitFactor()) {}

BOOL CArraySetDlg::OnInitDialog() {
  mode_ = GetProfileIntSetting(kSection, "ArrayDir", 0);
  columnCount_ = GetProfileIntSetting(kSection, "Xnum", 2);
  rowCount_ = GetProfileIntSetting(kSection, "Ynum", 2);
  rowSpacing_ = ReadReal("Xdis", "100.0");
  columnSpacing_ = ReadReal("Ydis", "100.0");
  xAngle_ = ReadReal("Xang", "0.0");
  yAngle_ = ReadReal("Yang", "90.0");
  const BOOL result = CBaseDialog::OnInitDialog();
  Enable(kColumnSpacingEdit, columnCount_ != 1 && mode_ != kLineSpacings);
  Enable(kRowSpacingEdit, rowCount_ != 1 && mode_ != kLineSpacings);
  Enable(kXAngleEdit, mode_ == kTypedAngles);
  Enable(kYAngleEdit, mode_ == kTypedAngles);
  return result;
}

void CArraySetDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_CBIndex(dx, kModeCombo, mode_);
  DDX_Text(dx, kXAngleEdit, xAngle_);
  DDV_MinMaxDouble(dx, xAngle_, -360.0, 360.0);
  DDX_Text(dx, kRowSpacingEdit, rowSpacing_);
  DDV_MinMaxDouble(dx, rowSpacing_, -1e25, 1e25);
  DDX_Text(dx, kColumnCountEdit, columnCount_);
  DDV_MinMaxInt(dx, columnCount_, 1, 500);
  DDX_Text(dx, kRowCountEdit, rowCount_);
  DDV_MinMaxInt(dx, rowCount_, 1, 500);
  DDX_Text(dx, kYAngleEdit, yAngle_);
  DDV_MinMaxDouble(dx, yAngle_, -360.0, 360.0);
  DDX_Text(dx, kColumnSpacingEdit, columnSpacing_);
  DDV_MinMaxDouble(dx, columnSpacing_, -1e25, 1e25);
}

int CArraySetDlg::TypedInt(int id) {
  CStringA text;
  GetDlgItemText(id, text);
  return std::atoi(text.GetString());
}

int CArraySetDlg::ChosenMode() {
  auto* combo = static_cast<CComboBox*>(GetDlgItem(kModeCombo));
  return combo ? combo->GetCurSel() : mode_;
}

void CArraySetDlg::Enable(int id, bool enabled) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enabled ? TRUE : FALSE);
}

void CArraySetDlg::OnColumnCountChange() {
  const int count = TypedInt(kColumnCountEdit);
  const int mode = ChosenMode();
  Enable(kColumnSpacingEdit, count != 1 && mode != kLineSpacings);
  Enable(kXAngleEdit, count != 1 && mode == kTypedAngles);
}

void CArraySetDlg::OnRowCountChange() {
  const int count = TypedInt(kRowCountEdit);
  const int mode = ChosenMode();
  Enable(kRowSpacingEdit, count != 1 && mode != kLineSpacings);
  Enable(kYAngleEdit, count != 1 && mode == kTypedAngles);
}

void CArraySetDlg::OnModeChange() {
  const int mode = ChosenMode();
  const int columns = TypedInt(kColumnCountEdit), rows = TypedInt(kRowCountEdit);
  Enable(kXAngleEdit, mode == kTypedAngles && columns != 1);
  Enable(kYAngleEdit, mode == kTypedAngles && rows != 1);
  Enable(kColumnSpacingEdit, columns != 1 && mode != kLineSpacings);
  Enable(kRowSpacingEdit, mode != kLineSpacings && rows != 1);
}

void CArraySetDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // a value out of range keeps the dialog open
  WriteProfileIntSetting(kSection, "ArrayDir", mode_);
  WriteProfileIntSetting(kSection, "Xnum", columnCount_);
  WriteProfileIntSetting(kSection, "Ynum", rowCount_);
  WriteReal("Xdis", rowSpacing_);
  WriteReal("Ydis", columnSpacing_);
  WriteReal("Xang", xAngle_);
  WriteReal("Yang", yAngle_);
  xAngleResult_ = xAngle_ * unitFactor_;
  yAngleResult_ = yAngle_ * unitFactor_;
  EndDialog(IDOK);
}
