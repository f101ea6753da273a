// The dialog manager: the dialog window class ("#32770") with its default
// processing (default button, Escape, Tab order, focus), the keyboard
// handling of IsDialogMessage and the dialog-item helpers.
#include <cstdio>
#include <cstdlib>

#include "platform/core/Charset.h"
#include "platform/core/Geometry.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {
namespace {

bool IsRadio(HWND h) {
  LONG style = GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK;
  return (SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0 &&
         (style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON);
}

// A control the dialog manager may move to: its own style says visible and
// enabled (the dialog itself may still be hidden while it initialises).
bool CanTakeFocus(HWND h) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void FocusControl(HWND dialog, HWND control) {
  if (!control) return;
  SetFocus(control);
  if (WindowRecord* d = FindWindowRecord(dialog)) d->dialogFocus = control;
  if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(control, EM_SETSEL, 0, -1);
}

class DialogImpl : public ControlImpl {
 public:
  explicit DialogImpl(HWND hwnd) {
    if (WindowRecord* w = FindWindowRecord(hwnd)) w->isDialog = true;
  }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    WindowRecord* w = FindWindowRecord(hwnd);
    switch (message) {
      case WM_CLOSE:
        // The close box cancels, as the Cancel button does.
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
        return 0;
      case DM_GETDEFID:
        return w->defaultId ? MAKELONG(w->defaultId, DC_HASDEFID) : 0;
      case DM_SETDEFID: {
        HWND oldButton = GetDlgItem(hwnd, static_cast<int>(w->defaultId));
        HWND newButton = GetDlgItem(hwnd, static_cast<int>(wParam));
        w->defaultId = static_cast<UINT>(wParam);
        if (oldButton && (SendMessageW(oldButton, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
          SendMessageW(oldButton, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (newButton && (SendMessageW(newButton, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
          SendMessageW(newButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        return TRUE;
      }
      case WM_NEXTDLGCTL: {
        HWND target;
        if (LOWORD(lParam))
          target = reinterpret_cast<HWND>(wParam);
        else
          target = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        FocusControl(hwnd, target);
        return 0;
      }
      case WM_SETFOCUS: {
        HWND target = w->dialogFocus;
        if (!target || !IsWindow(target) || !IsChild(hwnd, target)) target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (target) FocusControl(hwnd, target);
        return 0;
      }
      case WM_GETDLGCODE:
        return 0;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
};

std::unique_ptr<ControlImpl> MakeDialog(HWND hwnd) { return std::make_unique<DialogImpl>(hwnd); }

const bool registered = (RegisterPredefinedClass(u"#32770", &MakeDialog), true);

}  // namespace
}  // namespace platform

using platform::FindWindowRecord;
using platform::WindowRecord;

BOOL EndDialog(HWND dialog, INT_PTR result) {
  WindowRecord* w = FindWindowRecord(dialog);
  if (!w) return FALSE;
  w->ended = true;
  w->endResult = result;
  return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  WindowRecord* d = FindWindowRecord(dialog);
  if (!d || d->children.empty()) return nullptr;
  const std::vector<HWND> children = d->children;
  int n = static_cast<int>(children.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (children[i] == control) start = i;
  for (int step = 1; step <= n; ++step) {
    int i = start < 0 ? (previous ? n - step : step - 1) : ((start + (previous ? -step : step)) % n + n) % n;
    HWND c = children[i];
    if ((GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) && platform::CanTakeFocus(c)) return c;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  WindowRecord* d = FindWindowRecord(dialog);
  if (!d || !control) return nullptr;
  const std::vector<HWND> children = d->children;
  int n = static_cast<int>(children.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (children[i] == control) at = i;
  if (at < 0) return nullptr;
  // The group runs from the last item with WS_GROUP at or before `control`
  // to the item before the next one with WS_GROUP.
  int first = at;
  while (first > 0 && !(GetWindowLongW(children[first], GWL_STYLE) & WS_GROUP)) --first;
  int last = at + 1;
  while (last < n && !(GetWindowLongW(children[last], GWL_STYLE) & WS_GROUP)) ++last;
  int size = last - first;
  for (int step = 1; step < size; ++step) {
    int i = first + (((at - first) + (previous ? -step : step)) % size + size) % size;
    if (platform::CanTakeFocus(children[i])) return children[i];
  }
  return control;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    UINT code = static_cast<UINT>(SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    switch (msg->wParam) {
      case VK_TAB:
        if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) break;
        SendMessageW(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
        return TRUE;
      case VK_RETURN: {
        if (code & DLGC_WANTALLKEYS) break;
        HWND focus = GetFocus();
        UINT focusCode = focus ? static_cast<UINT>(SendMessageW(focus, WM_GETDLGCODE, 0, 0)) : 0;
        int id;
        HWND button;
        if (focus && IsChild(dialog, focus) && (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
          button = focus;
          id = GetDlgCtrlID(focus);
        } else {
          LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
          id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
          button = GetDlgItem(dialog, id);
        }
        if (button && !IsWindowEnabled(button)) {
          MessageBeep(0);
          return TRUE;
        }
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return TRUE;
      }
      case VK_ESCAPE: {
        if (code & DLGC_WANTALLKEYS) break;
        HWND button = GetDlgItem(dialog, IDCANCEL);
        if (button && !IsWindowEnabled(button)) {
          MessageBeep(0);
          return TRUE;
        }
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return TRUE;
      }
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN: {
        if (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) break;
        bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
        HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, back);
        if (next && next != msg->hwnd) {
          platform::FocusControl(dialog, next);
          if (platform::IsRadio(next) && (GetWindowLongW(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            SendMessageW(next, BM_CLICK, 0, 0);
        }
        return TRUE;
      }
      default:
        break;
    }
  }
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) { return SetWindowTextW(GetDlgItem(dialog, id), text); }
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int maxCount) {
  HWND h = GetDlgItem(dialog, id);
  if (!h) {
    if (buffer && maxCount > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextW(h, buffer, maxCount));
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int maxCount) {
  HWND h = GetDlgItem(dialog, id);
  if (!h) {
    if (buffer && maxCount > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowTextA(h, buffer, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  if (isSigned)
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  else
    std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemTextA(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  char text[64];
  HWND h = GetDlgItem(dialog, id);
  if (!h) return 0;
  GetWindowTextA(h, text, sizeof text);
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '-' && isSigned)
    negative = true, ++p;
  else if (*p == '+')
    ++p;
  if (*p < '0' || *p > '9') return 0;
  unsigned long long value = 0;
  while (*p >= '0' && *p <= '9') {
    value = value * 10 + static_cast<unsigned>(*p++ - '0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p) return 0;
  if (isSigned && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
  if (translated) *translated = TRUE;
  return negative ? static_cast<UINT>(0u - static_cast<UINT>(value)) : static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND h = GetDlgItem(dialog, id);
  if (!h) return FALSE;
  SendMessageW(h, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND h = GetDlgItem(dialog, id);
  return h ? static_cast<UINT>(SendMessageW(h, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  if (!IsWindow(dialog)) return FALSE;
  for (int id = firstId; id <= lastId; ++id) {
    if (HWND h = GetDlgItem(dialog, id)) SendMessageW(h, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND h = GetDlgItem(dialog, id);
  return h ? SendMessageW(h, message, wParam, lParam) : 0;
}

LONG GetDialogBaseUnits() { return MAKELONG(8, 16); }

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  WindowRecord* w = FindWindowRecord(dialog);
  if (!w || !w->isDialog || !rect) return FALSE;
  // The base units of the dialog font (an 8-point dialog font at 96 dots per
  // inch): 6 by 13 pixels for 4 by 8 dialog units.
  const int baseX = 6, baseY = 13;
  rect->left = MulDiv(rect->left, baseX, 4);
  rect->right = MulDiv(rect->right, baseX, 4);
  rect->top = MulDiv(rect->top, baseY, 8);
  rect->bottom = MulDiv(rect->bottom, baseY, 8);
  return TRUE;
}
