#include "draft/framework/CoordInputDlg.h"

#include <cmath>

#include "draft/framework/TypedKey.h"
#include "draft/host/Geometry2D.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageMap.h"

BEGIN_MESSAGE_MAP(CCoordInputDlg, CBaseDialog)
  ON_BN_CLICKED(1272, OnModeRadio)
  ON_BN_CLICKED(629, OnModeRadio)
  ON_BN_CLICKED(1013, OnModeRadio)
  ON_BN_CLICKED(2289, OnModeRadio)
END_MESSAGE_MAP()

CCoordInputDlg::CCoordInputDlg(CWnd* parent, double scale, double first, double second, int relative, int cartesian,
                               UINT typedChar)
    : CBaseDialog(IDD, parent),
      relative_(relative),
      cartesian_(cartesian),
      scale_(scale),
      first_(first),
      second_(second),
      typedChar_(typedChar) {}

void CCoordInputDlg::SetBasePoint(double x, double y) {
  baseX_ = x;
  baseY_ = y;
}

CStringA CCoordInputDlg::GetFirstLabel() const {
  if (!cartesian_) return "极半径 &L:";
  return relative_ ? "相对坐标 &X:" : "坐标 &X:";
}

CStringA CCoordInputDlg::GetSecondLabel() const {
  if (!cartesian_) return "角度 A&ng:";
  return relative_ ? "相对坐标 &Y:" : "坐标 &Y:";
}

void CCoordInputDlg::OnModeChanged(bool relativeChecked, bool cartesianChecked) {
  if (relativeChecked != (relative_ != 0)) relative_ = !relative_;
  if (cartesianChecked != (cartesian_ != 0)) cartesian_ = !cartesian_;
}

CStringA CCoordInputDlg::GetInitialFirstText() const { return TypedKeyText(typedChar_); }

void CCoordInputDlg::Accept(double first, double second) {
  first_ = first;
  second_ = second;
  if (cartesian_) {
    resultX_ = scale_ * first_;
    resultY_ = scale_ * second_;
  } else {
    const double a = ConvertInputAngle(second_, 1);  // radians
    resultX_ = scale_ * first_ * std::cos(a);
    resultY_ = scale_ * first_ * std::sin(a);
  }
  if (relative_) {
    resultX_ += baseX_;
    resultY_ += baseY_;
  }
}

void CCoordInputDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Text(dx, kFirstEdit, first_);
  DDX_Text(dx, kSecondEdit, second_);
}

void CCoordInputDlg::ShowLabels() {
  SetDlgItemText(kFirstLabel, GetFirstLabel().GetString());
  SetDlgItemText(kSecondLabel, GetSecondLabel().GetString());
}

BOOL CCoordInputDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  ShowLabels();
  CheckDlgButton(kRelative, relative_ ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(kAbsolute, relative_ ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(kCartesian, cartesian_ ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(kPolar, cartesian_ ? BST_UNCHECKED : BST_CHECKED);
  return StartEditWithTypedKey(*this, kFirstEdit, typedChar_) ? FALSE : TRUE;
}

void CCoordInputDlg::OnModeRadio() {
  OnModeChanged(IsDlgButtonChecked(kRelative) == BST_CHECKED, IsDlgButtonChecked(kCartesian) == BST_CHECKED);
  ShowLabels();
}

void CCoordInputDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // the framework's number check keeps the dialog open
  Accept(first_, second_);
  // Values that the scale or the base point carry beyond what a number
  // holds give no point: the framework's number message, and the dialog
  // stays open.
  if (!std::isfinite(resultX_) || !std::isfinite(resultY_)) {
    AfxMessageBox(AfxFormatFrameworkString(AFX_IDP_PARSE_REAL).GetString(), MB_ICONEXCLAMATION);
    return;
  }
  EndDialog(IDOK);
}
