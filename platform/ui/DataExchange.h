// Dialog data exchange and validation. DoDataExchange lists, for each
// member, the control it is shown in (DDX_...) and the checks its value must
// pass (DDV_...). UpdateData(FALSE) writes members to controls; UpdateData
// (TRUE) reads them back and validates: text that is not a number, or a value
// out of range, shows the framework's message through the message-box
// handler, puts the focus on the offending control and makes UpdateData
// return FALSE, so that OnOK keeps the dialog open.
//
// Numbers are read strictly: the whole text, without spaces around it, must
// be a number that fits the member's type.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

// The framework's validation messages (string ids, with built-in texts when
// no module's string table has them).
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117
#define AFX_IDP_INTERNAL_FAILURE 0xF108
#define AFX_IDP_COMMAND_FAILURE 0xF109

class CDataExchange {
 public:
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  UINT m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;

  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  // The control of an exchange; a missing control throws
  // CNotSupportedException (a template that does not fit its class).
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Ends a failed validation: the focus goes to the last control (an edit's
  // text is selected) and a CUserException is thrown.
  [[noreturn]] void Fail();
};

// The text of a framework message with %1 and %2 replaced.
CStringW AfxFormatFrameworkString(UINT id, LPCWSTR arg1 = nullptr, LPCWSTR arg2 = nullptr);

// Text and numbers in edit (or any) controls.
void DDX_Text(CDataExchange* dx, int id, CStringA& value);
void DDX_Text(CDataExchange* dx, int id, CStringW& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, short& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
// Check boxes (0, 1, 2), radio groups (the index of the checked button of
// the group that starts at `id`, -1 for none), combo and list boxes.
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CStringA& value);
void DDX_CBString(CDataExchange* dx, int id, CStringW& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CStringA& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CStringW& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CStringA& value);
void DDX_LBString(CDataExchange* dx, int id, CStringW& value);
// Attaches a control member to the dialog's control (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Validation (when reading back).
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxShort(CDataExchange* dx, short value, short minValue, short maxValue);
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minValue, BYTE maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue);
void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float minValue, float maxValue);
// At most `maxChars` characters (bytes of GBK text for CStringA); when
// filling, the edit's limit is set to it.
void DDV_MaxChars(CDataExchange* dx, const CStringA& value, int maxChars);
void DDV_MaxChars(CDataExchange* dx, const CStringW& value, int maxChars);
