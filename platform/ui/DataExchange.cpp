#include "platform/ui/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowSystem.h"

namespace {

const char16_t* BuiltInText(UINT id) {
  switch (id) {
    case AFX_IDP_PARSE_INT:
      return u"Please enter an integer.";
    case AFX_IDP_PARSE_REAL:
      return u"Please enter a number.";
    case AFX_IDP_PARSE_INT_RANGE:
      return u"Please enter an integer between %1 and %2.";
    case AFX_IDP_PARSE_REAL_RANGE:
      return u"Please enter a number between %1 and %2.";
    case AFX_IDP_PARSE_STRING_SIZE:
      return u"Please enter no more than %1 characters.";
    case AFX_IDP_PARSE_RADIO_BUTTON:
      return u"Please select a button.";
    case AFX_IDP_PARSE_BYTE:
      return u"Please enter an integer between 0 and 255.";
    case AFX_IDP_PARSE_UINT:
      return u"Please enter a positive integer.";
    case AFX_IDP_INTERNAL_FAILURE:
      return u"An unsupported operation was attempted.";
    case AFX_IDP_COMMAND_FAILURE:
      return u"Command failed.";
    default:
      return u"";
  }
}

void FailWithMessage(CDataExchange* dx, UINT id, LPCWSTR arg1 = nullptr, LPCWSTR arg2 = nullptr) {
  CStringW text = AfxFormatFrameworkString(id, arg1, arg2);
  platform::ShowMessageBox(text.GetString(), AfxGetAppNameW().GetString(), MB_ICONEXCLAMATION);
  dx->Fail();
}

CStringW ControlText(HWND control) {
  int length = GetWindowTextLengthW(control);
  std::u16string buffer(static_cast<size_t>(length) + 1, u'\0');
  int got = GetWindowTextW(control, buffer.data(), length + 1);
  return CStringW(buffer.data(), got);
}

// Sets a control's text only when it differs (no needless change
// notification or repaint).
void SetControlText(HWND control, const CStringW& text) {
  if (ControlText(control) != text) SetWindowTextW(control, text.GetString());
}

// The text of a number, ASCII only; false for anything else.
bool AsciiText(const CStringW& text, std::string& out) {
  out.clear();
  for (int i = 0; i < text.GetLength(); ++i) {
    WCHAR c = text[i];
    if (c == 0 || c > 0x7E) return false;
    out += static_cast<char>(c);
  }
  return true;
}

bool ParseSigned(const CStringW& text, long long minValue, long long maxValue, long long& value) {
  std::string s;
  if (!AsciiText(text, s) || s.empty()) return false;
  const char* begin = s.c_str();
  if (*begin == ' ' || *begin == '\t') return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(begin, &end, 10);
  if (end == begin || *end != '\0' || errno == ERANGE || v < minValue || v > maxValue) return false;
  value = v;
  return true;
}

bool ParseUnsigned(const CStringW& text, unsigned long long maxValue, unsigned long long& value) {
  std::string s;
  if (!AsciiText(text, s) || s.empty()) return false;
  const char* begin = s.c_str();
  if (*begin < '0' || *begin > '9') {
    if (*begin != '+') return false;  // no sign other than '+', no spaces
  }
  char* end = nullptr;
  errno = 0;
  unsigned long long v = std::strtoull(begin, &end, 10);
  if (end == begin || *end != '\0' || errno == ERANGE || v > maxValue) return false;
  value = v;
  return true;
}

bool ParseReal(const CStringW& text, double& value) {
  std::string s;
  if (!AsciiText(text, s) || s.empty()) return false;
  const char* begin = s.c_str();
  if (*begin == ' ' || *begin == '\t') return false;
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(begin, &end);
  if (end == begin || *end != '\0' || !std::isfinite(v) || errno == ERANGE) {
    // An underflow to a tiny value is a number all the same.
    if (!(errno == ERANGE && end != begin && *end == '\0' && std::isfinite(v))) return false;
  }
  // Hexadecimal, infinity and not-a-number are not what a user types.
  for (char c : s)
    if (c == 'x' || c == 'X' || c == 'n' || c == 'N' || c == 'i' || c == 'I') return false;
  value = v;
  return true;
}

CStringW Printf(const char* format, ...) {
  char buffer[64];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return CStringW(platform::Utf8ToUtf16(buffer).c_str());
}

template <typename Int>
void TextSigned(CDataExchange* dx, int id, Int& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseSigned(ControlText(control), std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max(), v))
      FailWithMessage(dx, AFX_IDP_PARSE_INT);
    value = static_cast<Int>(v);
  } else {
    SetControlText(control, Printf("%lld", static_cast<long long>(value)));
  }
}

void TextReal(CDataExchange* dx, int id, double& value, int digits, double limit) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    double v = 0;
    if (!ParseReal(ControlText(control), v) || std::fabs(v) > limit) FailWithMessage(dx, AFX_IDP_PARSE_REAL);
    value = v;
  } else {
    SetControlText(control, Printf("%.*g", digits, value));
  }
}

template <typename Str>
void TextString(CDataExchange* dx, int id, Str& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = Str(ControlText(control));
  else
    SetControlText(control, CStringW(value));
}

template <typename Str>
void ComboString(CDataExchange* dx, int id, Str& value, bool exact) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    // A drop-down list shows its selected item; a drop-down its edit.
    value = Str(ControlText(control));
    return;
  }
  CStringW wide(value);
  LRESULT index = exact ? SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.GetString()))
                        : SendMessageW(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.GetString()));
  if (exact && index != CB_ERR) SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (index == CB_ERR) SetControlText(control, wide);  // a drop-down list ignores it
}

template <typename Str>
void ListString(CDataExchange* dx, int id, Str& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    LRESULT index = SendMessageW(control, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
      value = Str();
      return;
    }
    LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
    SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    value = Str(CStringW(text.c_str()));
  } else {
    CStringW wide(value);
    if (SendMessageW(control, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.GetString())) ==
        LB_ERR)
      SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void FailRange(CDataExchange* dx, UINT id, const CStringW& minText, const CStringW& maxText) {
  FailWithMessage(dx, id, minText.GetString(), maxText.GetString());
}

}  // namespace

CStringW AfxFormatFrameworkString(UINT id, LPCWSTR arg1, LPCWSTR arg2) {
  CStringW format;
  if (!format.LoadString(id)) format = BuiltInText(id);
  CStringW out;
  for (int i = 0; i < format.GetLength(); ++i) {
    if (format[i] == u'%' && i + 1 < format.GetLength() && (format[i + 1] == u'1' || format[i + 1] == u'2')) {
      LPCWSTR arg = format[i + 1] == u'1' ? arg1 : arg2;
      if (arg) out += arg;
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = nullptr;
  m_pDlgWnd->GetDlgItem(id, &control);
  if (!control) {
    std::fprintf(stderr, "[data exchange] no control with id %d\n", id);
    throw CNotSupportedException();
  }
  m_idLastControl = static_cast<UINT>(id);
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_idLastControl != 0) {
    HWND control = nullptr;
    m_pDlgWnd->GetDlgItem(static_cast<int>(m_idLastControl), &control);
    if (control) {
      ::SetFocus(control);
      if (m_bEditLastControl) SendMessageW(control, EM_SETSEL, 0, -1);
    }
  }
  throw CUserException();
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  // Notifications the exchange causes (EN_CHANGE of a filled edit) do not
  // reach this window's handlers meanwhile.
  struct Lockout {
    HWND previous;
    explicit Lockout(HWND h) : previous(platform::SetLockoutNotifyWindow(h)) {}
    ~Lockout() { platform::SetLockoutNotifyWindow(previous); }
  } lockout(m_hWnd);
  try {
    DoDataExchange(&dx);
    return TRUE;
  } catch (CUserException&) {
    return FALSE;  // the user has been told
  } catch (CException& e) {
    e.ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
    return FALSE;
  }
}

void CWnd::DoDataExchange(CDataExchange*) {}

void DDX_Text(CDataExchange* dx, int id, CStringA& value) { TextString(dx, id, value); }
void DDX_Text(CDataExchange* dx, int id, CStringW& value) { TextString(dx, id, value); }
void DDX_Text(CDataExchange* dx, int id, int& value) { TextSigned(dx, id, value); }
void DDX_Text(CDataExchange* dx, int id, short& value) { TextSigned(dx, id, value); }

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(ControlText(control), 0xFFFFFFFFull, v)) FailWithMessage(dx, AFX_IDP_PARSE_UINT);
    value = static_cast<UINT>(v);
  } else {
    SetControlText(control, Printf("%u", value));
  }
}

void DDX_Text(CDataExchange* dx, int id, BYTE& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(ControlText(control), 255, v)) FailWithMessage(dx, AFX_IDP_PARSE_BYTE);
    value = static_cast<BYTE>(v);
  } else {
    SetControlText(control, Printf("%u", static_cast<unsigned>(value)));
  }
}

void DDX_Text(CDataExchange* dx, int id, double& value) { TextReal(dx, id, value, DBL_DIG, DBL_MAX); }

void DDX_Text(CDataExchange* dx, int id, float& value) {
  double v = value;
  TextReal(dx, id, v, FLT_DIG, FLT_MAX);
  value = static_cast<float>(v);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
  } else {
    if (value < 0 || value > 2) value = 0;  // a check box has three states
    SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  HWND h = control;
  do {
    if (SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (dx->m_bSaveAndValidate) {
        if (SendMessageW(h, BM_GETCHECK, 0, 0) != 0) value = index;
      } else {
        SendMessageW(h, BM_SETCHECK, index == value, 0);
      }
      ++index;
    }
    h = GetWindow(h, GW_HWNDNEXT);
  } while (h && !(GetWindowLongW(h, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
  else
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* dx, int id, CStringA& value) { ComboString(dx, id, value, false); }
void DDX_CBString(CDataExchange* dx, int id, CStringW& value) { ComboString(dx, id, value, false); }
void DDX_CBStringExact(CDataExchange* dx, int id, CStringA& value) { ComboString(dx, id, value, true); }
void DDX_CBStringExact(CDataExchange* dx, int id, CStringW& value) { ComboString(dx, id, value, true); }

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
  else
    SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* dx, int id, CStringA& value) { ListString(dx, id, value); }
void DDX_LBString(CDataExchange* dx, int id, CStringW& value) { ListString(dx, id, value); }

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND h = dx->PrepareCtrl(id);
  if (!control.SubclassWindow(h)) throw CNotSupportedException();
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  FailRange(dx, AFX_IDP_PARSE_INT_RANGE, Printf("%d", minValue), Printf("%d", maxValue));
}

void DDV_MinMaxShort(CDataExchange* dx, short value, short minValue, short maxValue) {
  DDV_MinMaxInt(dx, value, minValue, maxValue);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  FailRange(dx, AFX_IDP_PARSE_INT_RANGE, Printf("%u", minValue), Printf("%u", maxValue));
}

void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minValue, BYTE maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  FailRange(dx, AFX_IDP_PARSE_INT_RANGE, Printf("%u", static_cast<unsigned>(minValue)),
            Printf("%u", static_cast<unsigned>(maxValue)));
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  FailRange(dx, AFX_IDP_PARSE_REAL_RANGE, Printf("%.*g", DBL_DIG, minValue), Printf("%.*g", DBL_DIG, maxValue));
}

void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float minValue, float maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  FailRange(dx, AFX_IDP_PARSE_REAL_RANGE, Printf("%.*g", FLT_DIG, static_cast<double>(minValue)),
            Printf("%.*g", FLT_DIG, static_cast<double>(maxValue)));
}

namespace {
void MaxChars(CDataExchange* dx, int length, int maxChars) {
  if (!dx->m_bSaveAndValidate) {
    // Filling: the edit accepts no more than that many characters.
    if (dx->m_idLastControl != 0 && dx->m_bEditLastControl) {
      HWND control = nullptr;
      dx->m_pDlgWnd->GetDlgItem(static_cast<int>(dx->m_idLastControl), &control);
      if (control) SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
    return;
  }
  if (length > maxChars) FailWithMessage(dx, AFX_IDP_PARSE_STRING_SIZE, Printf("%d", maxChars).GetString());
}
}  // namespace

void DDV_MaxChars(CDataExchange* dx, const CStringA& value, int maxChars) { MaxChars(dx, value.GetLength(), maxChars); }
void DDV_MaxChars(CDataExchange* dx, const CStringW& value, int maxChars) { MaxChars(dx, value.GetLength(), maxChars); }
