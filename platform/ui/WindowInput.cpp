// Activation, focus, capture, cursors, keys, system metrics and monitors.
#include <algorithm>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowRegistry.h"

using platform::FindWindowRecord;
using platform::R;
using platform::WindowRecord;

// --- Activation, focus and capture ------------------------------------------

HWND GetActiveWindow() { return R().active; }

HWND SetActiveWindow(HWND hwnd) {
  HWND old = R().active;
  hwnd = platform::GetAncestorTopLevel(hwnd);
  if (hwnd == old) return old;
  if (hwnd && !IsWindow(hwnd)) return nullptr;
  R().active = hwnd;
  if (old && IsWindow(old)) SendMessageW(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
  if (hwnd && IsWindow(hwnd)) SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
  return old;
}

HWND GetForegroundWindow() { return R().active; }
BOOL SetForegroundWindow(HWND hwnd) { return IsWindow(hwnd) && (SetActiveWindow(hwnd), TRUE); }

HWND GetFocus() { return R().focus; }

HWND SetFocus(HWND hwnd) {
  auto& r = R();
  HWND old = r.focus;
  if (hwnd && !FindWindowRecord(hwnd)) return nullptr;
  if (hwnd == old) return old;
  r.focus = hwnd;
  if (old && IsWindow(old)) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && IsWindow(hwnd) && r.focus == hwnd) {
    HWND top = platform::GetAncestorTopLevel(hwnd);
    if (top != r.active) {
      r.active = top;  // focusing a window activates its top-level window
    }
    SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return old;
}

HWND GetCapture() { return R().capture; }

HWND SetCapture(HWND hwnd) {
  auto& r = R();
  HWND old = r.capture;
  if (!IsWindow(hwnd)) return old;
  r.capture = hwnd;
  if (old && old != hwnd && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  auto& r = R();
  HWND old = r.capture;
  r.capture = nullptr;
  if (old && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

// --- Cursors -----------------------------------------------------------------

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (!instance && IS_INTRESOURCE(name))
    return platform::SystemCursor(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
  // Cursor resources of modules come from the resource registry.
  return platform::LoadModuleCursor(instance, name);
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  // Without a module only the system's own icons load.
  if (!instance) {
    return IS_INTRESOURCE(name) ? platform::SystemIcon(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name))) : nullptr;
  }
  return platform::LoadModuleIcon(instance, name);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (IS_INTRESOURCE(name)) return LoadCursorW(instance, reinterpret_cast<LPCWSTR>(name));
  std::u16string wide = platform::WideFromAnsi(name);
  return LoadCursorW(instance, wide.c_str());
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = R().cursor;
  R().cursor = cursor;
  return old;
}

HCURSOR GetCursor() { return R().cursor; }

int ShowCursor(BOOL show) { return show ? ++R().cursorCount : --R().cursorCount; }

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = R().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  R().cursorPos = POINT{x, y};
  return TRUE;
}

// --- Keys, metrics, monitors ------------------------------------------------

SHORT GetKeyState(int vk) {
  BYTE k = R().keys[vk & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) { return static_cast<SHORT>((R().keys[vk & 0xFF] & 0x80) ? 0x8000 : 0); }

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
    case SM_CXVIRTUALSCREEN:
      return R().screenWidth;
    case SM_CYSCREEN:
    case SM_CYMAXIMIZED:
    case SM_CYVIRTUALSCREEN:
      return R().screenHeight;
    case SM_CYFULLSCREEN:
      return R().screenHeight - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
      return 16;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CYSMCAPTION:
      return 15;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYMENU:
      return 19;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CXMIN:
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK:
      return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_MOUSEPRESENT:
    case SM_CMONITORS:
      return 1;
    case SM_SWAPBUTTON:
      return 0;
    default:
      return 0;
  }
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  if (!IsWindow(hwnd) && flags == MONITOR_DEFAULTTONULL) return nullptr;
  return platform::kMonitor;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
  RECT screen{0, 0, R().screenWidth, R().screenHeight};
  if (!PtInRect(&screen, point) && flags == MONITOR_DEFAULTTONULL) return nullptr;
  return platform::kMonitor;
}

BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
  if (monitor != platform::kMonitor || !info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  info->rcMonitor = RECT{0, 0, R().screenWidth, R().screenHeight};
  info->rcWork = info->rcMonitor;
  const RECT& work = R().workArea;
  RECT within{};
  if (!IsRectEmpty(&work) && IntersectRect(&within, &work, &info->rcMonitor)) info->rcWork = within;
  info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

BOOL MessageBeep(UINT) { return TRUE; }
