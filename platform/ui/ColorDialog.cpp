#include "platform/ui/ColorDialog.h"

#include <cstdio>

#include "platform/core/MessageBox.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : CCommonDialog(parent) {
  m_cc.lStructSize = sizeof(CHOOSECOLOR);
  m_cc.Flags = flags | CC_ENABLEHOOK;
  m_cc.lpCustColors = GetSavedCustomColors();
  if (initial != 0) m_cc.Flags |= CC_RGBINIT;
  m_cc.rgbResult = initial;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
  static COLORREF custom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return custom;
}

INT_PTR CColorDialog::DoModal() {
  using namespace platform::rc;
  platform::DialogTemplate form = Dialog(0, u"Color", {0, 0, 160, 70})
                                      .Style(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
                                      .LText(u"&Red:", -1, {5, 7, 30, 8})
                                      .EditText(COLOR_RED, {40, 5, 30, 12}, ES_NUMBER | WS_TABSTOP)
                                      .LText(u"&Green:", -1, {5, 22, 30, 8})
                                      .EditText(COLOR_GREEN, {40, 20, 30, 12}, ES_NUMBER | WS_TABSTOP)
                                      .LText(u"&Blue:", -1, {5, 37, 30, 8})
                                      .EditText(COLOR_BLUE, {40, 35, 30, 12}, ES_NUMBER | WS_TABSTOP)
                                      .DefPushButton(u"OK", IDOK, {100, 5, 50, 14})
                                      .PushButton(u"Cancel", IDCANCEL, {100, 25, 50, 14});
  return RunModal(form, nullptr);
}

BOOL CColorDialog::OnInitDialog() {
  CCommonDialog::OnInitDialog();
  SetCurrentColor((m_cc.Flags & CC_RGBINIT) ? m_cc.rgbResult : RGB(0, 0, 0));
  return TRUE;
}

void CColorDialog::SetCurrentColor(COLORREF color) {
  if (!m_hWnd) return;
  SetDlgItemInt(COLOR_RED, GetRValue(color), FALSE);
  SetDlgItemInt(COLOR_GREEN, GetGValue(color), FALSE);
  SetDlgItemInt(COLOR_BLUE, GetBValue(color), FALSE);
}

void CColorDialog::OnOK() {
  const int ids[3] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
  UINT parts[3];
  for (int i = 0; i < 3; ++i) {
    BOOL ok = FALSE;
    parts[i] = GetDlgItemInt(ids[i], &ok, FALSE);
    if (!ok || parts[i] > 255) {
      // The system's dialog refuses a part out of range the same way.
      platform::ShowMessageBox(u"Enter a value between 0 and 255.", u"Color", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
      ::SetFocus(::GetDlgItem(m_hWnd, ids[i]));
      SendDlgItemMessage(ids[i], EM_SETSEL, 0, -1);
      return;
    }
  }
  m_cc.rgbResult = RGB(parts[0], parts[1], parts[2]);
  EndDialog(IDOK);
}
