#include "draft/framework/RadiusInputDlg.h"

#include <cmath>

#include "draft/framework/TypedKey.h"
#include "draft/host/ConstructionSolvers.h"
#include "draft/host/Messages.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kMinValue = 0.00001;
constexpr double kMaxValue = 1e12;

bool IsModeLetter(UINT ch) { return ch == 'R' || ch == 'r' || ch == 'D' || ch == 'd'; }

// The point at distance r from c in the direction of `towards`.
GPoint PointTowards(const GPoint& c, const GPoint& towards, double r) {
  const double t = GetLineAngle(c.x, c.y, towards.x, towards.y) * kRadiansPerDegree;
  return {c.x + r * std::cos(t), c.y + r * std::sin(t)};
}
}  // namespace

BEGIN_MESSAGE_MAP(CRadiusInputDlg, CBaseDialog)
  ON_BN_CLICKED(572, OnModeRadio)
  ON_BN_CLICKED(2324, OnModeRadio)
END_MESSAGE_MAP()

CRadiusInputDlg::CRadiusInputDlg(CWnd* parent, double scale, double value, UINT modeLetter)
    : CBaseDialog(IDD, parent),
      radiusMode_(modeLetter == 'D' || modeLetter == 'd' ? 0 : 1),
      typedChar_(IsModeLetter(modeLetter) ? 0 : modeLetter),
      scale_(scale),
      value_(radiusMode_ ? value : 2.0 * value) {}

void CRadiusInputDlg::SetReferenceGeometry(double p1x, double p1y, double p2x, double p2y, double p3x, double p3y,
                                           int reference) {
  points_[0] = {p1x, p1y};
  points_[1] = {p2x, p2y};
  points_[2] = {p3x, p3y};
  reference_ = reference;
}

CStringA CRadiusInputDlg::GetLabelText() const { return radiusMode_ ? "半径值 &R：" : "直径值 &D："; }
CStringA CRadiusInputDlg::GetCaptionText() const { return radiusMode_ ? "半径输入" : "直径输入"; }

void CRadiusInputDlg::Accept(double typed) {
  value_ = scale_ * typed;
  if (!radiusMode_) value_ /= 2.0;
  if (!reference_) {
    result_ = PointTowards(points_[0], points_[1], value_);
    return;
  }
  GPoint centre;
  if (SolveCentreForRadius(points_[0], points_[1], points_[2], value_, centre)) {
    result_ = PointTowards(centre, points_[2], value_);
    solved_ = 1;
  } else {
    solved_ = 0;
    ShowMessage("所给的半径不合理，求解失败！", MB_OK);
  }
}

void CRadiusInputDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Text(dx, kValueEdit, value_);
  DDV_MinMaxDouble(dx, value_, kMinValue, kMaxValue);
}

void CRadiusInputDlg::ShowMode() {
  SetDlgItemText(kValueLabel, GetLabelText().GetString());
  SetWindowText(GetCaptionText().GetString());
}

BOOL CRadiusInputDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  ShowMode();
  CheckDlgButton(kRadiusRadio, radiusMode_ ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(kDiameterRadio, radiusMode_ ? BST_UNCHECKED : BST_CHECKED);
  return StartEditWithTypedKey(*this, kValueEdit, typedChar_) ? FALSE : TRUE;
}

void CRadiusInputDlg::OnModeRadio() {
  const int radiusChecked = IsDlgButtonChecked(kRadiusRadio) == BST_CHECKED ? 1 : 0;
  if (radiusChecked == radiusMode_) return;
  radiusMode_ = radiusChecked;
  ShowMode();
}

void CRadiusInputDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // outside 0.00001 .. 1e12 the framework's range message keeps it open
  Accept(value_);
  EndDialog(IDOK);
}
