#include "draft/framework/NumberInputDlg.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "draft/framework/TypedKey.h"
#include "draft/host/Geometry2D.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/DataExchange.h"

namespace {
// The leading number of a text, as far as it reads ("" and "abc" give 0).
double LeadingReal(const char* text) { return std::strtod(text, nullptr); }

// Real mode: a number, or "a:b" (split at the first colon) as the angle of
// the slope a over b in degrees. False when the result is not a finite
// number (an overflowing or "inf" text), which no command can use.
bool ReadReal(const CStringA& text, double& value) {
  const int colon = text.Find(':');
  double v = 0.0;
  if (colon < 0) {
    v = LeadingReal(text.GetString());
  } else {
    const double a = LeadingReal(text.Left(colon).GetString());
    const double b = LeadingReal(text.Mid(colon + 1).GetString());
    v = std::fabs(b) > 1e-6 ? RadianToDegree(std::atan(a / b)) : 90.0;
  }
  if (!std::isfinite(v)) return false;
  value = v;
  return true;
}

// Integer mode: the leading whole number. False when it does not fit an int.
bool ReadInteger(const CStringA& text, double& value) {
  errno = 0;
  const long long v = std::strtoll(text.GetString(), nullptr, 10);
  if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<double>(v);
  return true;
}
}  // namespace

CNumberInputDlg::CNumberInputDlg(CWnd* parent, const char* caption, const char* label, double value, UINT typedChar)
    : CBaseDialog(IDD, parent),
      integer_(0),
      value_(value),
      caption_(caption ? caption : ""),
      label_(label ? label : ""),
      typedChar_(typedChar) {}

CNumberInputDlg::CNumberInputDlg(CWnd* parent, const char* caption, const char* label, int value, UINT typedChar)
    : CBaseDialog(IDD, parent),
      integer_(1),
      value_(value),
      caption_(caption ? caption : ""),
      label_(label ? label : ""),
      typedChar_(typedChar) {}

void CNumberInputDlg::DoDataExchange(CDataExchange* dx) {
  CBaseDialog::DoDataExchange(dx);
  DDX_Control(dx, kValueEdit, edit_);
  if (!dx->m_bSaveAndValidate) return;  // OnInitDialog fills the edit
  // The text is read as far as it is a number; only a value that cannot be
  // held is refused, with the framework's message, and the dialog stays.
  dx->PrepareEditCtrl(kValueEdit);
  CStringA text;
  edit_.GetWindowText(text);
  double v = 0.0;
  if (!(integer_ ? ReadInteger(text, v) : ReadReal(text, v))) {
    AfxMessageBox(AfxFormatFrameworkString(integer_ ? AFX_IDP_PARSE_INT : AFX_IDP_PARSE_REAL).GetString(),
                  MB_ICONEXCLAMATION);
    dx->Fail();
  }
  value_ = v;
}

BOOL CNumberInputDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  if (!caption_.IsEmpty()) SetWindowText(caption_.GetString());
  if (!label_.IsEmpty()) SetDlgItemText(kValueLabel, label_.GetString());
  CStringA text;
  if (integer_) {
    text.Format("%d", static_cast<int>(value_));
    edit_.ModifyStyle(0, ES_NUMBER);
  } else {
    text.Format("%f", value_);
  }
  edit_.SetWindowText(text.GetString());
  return StartEditWithTypedKey(*this, kValueEdit, typedChar_) ? FALSE : TRUE;
}
