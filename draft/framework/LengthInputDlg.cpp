#include "draft/framework/LengthInputDlg.h"

#include <cmath>

#include "draft/framework/TypedKey.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/DataExchange.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
}

CLengthInputDlg::CLengthInputDlg(CWnd* parent, double scale, double length, double second, UINT typedChar, int polar,
                                 const char* caption, const char* label1, const char* label2)
    : CBaseDialog(IDD, parent),
      caption_(caption ? caption : ""),
      label1_(label1 ? label1 : ""),
      label2_(label2 ? label2 : ""),
      polar_(polar),
      scale_(scale),
      typedChar_(typedChar),
      second_(second),
      length_(length) {}

void CLengthInputDlg::SetBasePoint(double x, double y) {
  baseX_ = x;
  baseY_ = y;
}

void CLengthInputDlg::Accept(double length, double second) {
  length_ = length;
  second_ = second;
  if (polar_) {
    const double a = second_ * kRadiansPerDegree;
    resultX_ = baseX_ + scale_ * length_ * std::cos(a);
    resultY_ = baseY_ + scale_ * length_ * std::sin(a);
  } else {
    resultX_ = baseX_ + scale_ * length_;
    resultY_ = baseY_ + scale_ * second_;
  }
}

void CLengthInputDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Text(dx, kLengthEdit, length_);
  DDX_Text(dx, kSecondEdit, second_);
}

BOOL CLengthInputDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  if (!caption_.IsEmpty()) SetWindowText(caption_.GetString());
  if (!label1_.IsEmpty()) SetDlgItemText(kLengthLabel, label1_.GetString());
  if (!label2_.IsEmpty()) SetDlgItemText(kSecondLabel, label2_.GetString());
  return StartEditWithTypedKey(*this, kLengthEdit, typedChar_) ? FALSE : TRUE;
}

void CLengthInputDlg::OnOK() {
  if (!UpdateData(TRUE)) return;  // the framework's number check keeps the dialog open
  Accept(length_, second_);
  // Values that the scale or the base point carry beyond what a number
  // holds give no point: the framework's number message, and the dialog
  // stays open.
  if (!std::isfinite(resultX_) || !std::isfinite(resultY_)) {
    AfxMessageBox(AfxFormatFrameworkString(AFX_IDP_PARSE_REAL).GetString(), MB_ICONEXCLAMATION);
    return;
  }
  EndDialog(IDOK);
}
