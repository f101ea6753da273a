// The window functions of the Win32 user interface, on the headless window
// system: windows with real state (hierarchy, rectangles, text, styles,
// visibility, enabled state), focus, capture, cursors, invalidation, the
// dialog-item helpers and system metrics. Texts are stored as UTF-16; the
// ...A functions take and give GBK text.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/WinUser.h"

struct WNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};
typedef WNDCLASSW WNDCLASS;

typedef WORD ATOM;
typedef BOOL (*WNDENUMPROC)(HWND, LPARAM);

// Window classes. A class name of a registered class may be given as a name
// or, for the predefined classes, as in the Windows headers ("Button",
// "Edit", "Static", "ComboBox", "ListBox", "#32770" for dialogs and the
// common-control names).
ATOM RegisterClassW(const WNDCLASSW* wc);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* wc);
int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount);
int GetClassNameA(HWND hwnd, LPSTR buffer, int maxCount);

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
// The default processing of a message. Text-carrying messages are UTF-16
// in the W form and GBK in the A form.
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
#define CallWindowProc CallWindowProcW

// Hierarchy.
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND hwnd);
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3
HWND GetAncestor(HWND hwnd, UINT flags);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);

// Long values.
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLongW(HWND hwnd, int index) { return (LONG)GetWindowLongPtrW(hwnd, index); }
inline LONG SetWindowLongW(HWND hwnd, int index, LONG value) { return (LONG)SetWindowLongPtrW(hwnd, index, value); }
inline LONG_PTR GetWindowLongPtr(HWND hwnd, int index) { return GetWindowLongPtrW(hwnd, index); }
inline LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) { return SetWindowLongPtrW(hwnd, index, value); }
inline LONG GetWindowLong(HWND hwnd, int index) { return GetWindowLongW(hwnd, index); }
inline LONG SetWindowLong(HWND hwnd, int index, LONG value) { return SetWindowLongW(hwnd, index, value); }

// Text.
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount);
int GetWindowTextLengthW(HWND hwnd);
int GetWindowTextLengthA(HWND hwnd);

// Visibility and enabled state.
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// Geometry. Child windows are placed in their parent's client coordinates;
// the screen is the desktop window's client area.
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);

// Painting: invalidation collects an update region per window.
BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, LPCRECT rect);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN region, UINT flags);
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// Scroll bars: a window's own bars (SB_HORZ, SB_VERT, SB_BOTH where the
// call allows it) and scroll-bar controls (SB_CTL, through their SBM_
// messages). Setting a range or page that leaves nothing to scroll hides a
// window's bar (disables it with SIF_DISABLENOSCROLL); one that can scroll
// shows it. Showing or hiding a bar changes the client area: the window gets
// WM_SIZE, and a strip that a hidden bar uncovers is invalidated.
int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// Moves the pixels of the client area (or of `scroll`) by (dx, dy), limited
// to `clip`; what the move uncovers is given in `update`/`updateRect` and,
// with SW_INVALIDATE, added to the update region (SW_ERASE: to be erased).
// The part of the update region inside the scrolled area moves with the
// pixels. SW_SCROLLCHILDREN moves the child windows too. Gives NULLREGION,
// SIMPLEREGION or COMPLEXREGION for what was uncovered, ERROR for a bad
// window.
int ScrollWindowEx(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                   UINT flags);
// ScrollWindowEx with SW_INVALIDATE | SW_ERASE, moving the children when
// `scroll` is null.
BOOL ScrollWindow(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip);

// Activation, focus, capture.
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetFocus();
HWND SetFocus(HWND hwnd);
HWND GetCapture();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();

// Cursors.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
// An icon resource of the module by number; with a null module one of the
// system's icons (IDI_APPLICATION ...). Null when there is none.
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);

// Keyboard state, from the key state that the host sets.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

// Metrics and monitors.
int GetSystemMetrics(int index);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info);
inline BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info) { return GetMonitorInfoW(monitor, info); }
BOOL MessageBeep(UINT type);
// Draws a frame control of the user interface. The size grip (DFC_SCROLL,
// DFCS_SCROLLSIZEGRIP) is the one drawn: three pairs of diagonal ridges in
// the highlight and shadow colours over the face colour, toward the
// bottom-right corner of the square at the rectangle's bottom right. Other
// kinds are not drawn and return FALSE.
BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state);
// The colours of the user interface's elements (COLOR_WINDOW, ...): the
// classic scheme until the host changes them with SetSysColors; 0 for an
// index that names no element.
COLORREF GetSysColor(int index);
// Sets `count` elements; each window hears WM_SYSCOLORCHANGE. FALSE when an
// index names no element (nothing is changed then).
BOOL SetSysColors(int count, const int* elements, const COLORREF* colors);

// Dialog items.
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int maxCount);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int maxCount);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
LONG GetDialogBaseUnits();
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);
BOOL EndDialog(HWND dialog, INT_PTR result);

// The forms without A or W. Names that are also members of CWnd are
// overloads on the text type, or static inline functions that follow the
// character set of the translation unit, never macros, so that CWnd keeps one
// layout and one set of symbols in both flavours.
inline BOOL SetWindowText(HWND hwnd, LPCSTR text) { return SetWindowTextA(hwnd, text); }
inline BOOL SetWindowText(HWND hwnd, LPCWSTR text) { return SetWindowTextW(hwnd, text); }
inline int GetWindowText(HWND hwnd, LPSTR buffer, int maxCount) { return GetWindowTextA(hwnd, buffer, maxCount); }
inline int GetWindowText(HWND hwnd, LPWSTR buffer, int maxCount) { return GetWindowTextW(hwnd, buffer, maxCount); }
inline BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) { return SetDlgItemTextA(dialog, id, text); }
inline BOOL SetDlgItemText(HWND dialog, int id, LPCWSTR text) { return SetDlgItemTextW(dialog, id, text); }
inline UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int maxCount) {
  return GetDlgItemTextA(dialog, id, buffer, maxCount);
}
inline UINT GetDlgItemText(HWND dialog, int id, LPWSTR buffer, int maxCount) {
  return GetDlgItemTextW(dialog, id, buffer, maxCount);
}
inline HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) { return LoadCursorA(instance, name); }
inline HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name) { return LoadCursorW(instance, name); }
inline HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                           int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  return CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId, instance, param);
}
inline HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                           int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId, instance, param);
}
inline int GetClassName(HWND hwnd, LPSTR buffer, int maxCount) { return GetClassNameA(hwnd, buffer, maxCount); }
inline int GetClassName(HWND hwnd, LPWSTR buffer, int maxCount) { return GetClassNameW(hwnd, buffer, maxCount); }
static inline int GetWindowTextLength(HWND hwnd) {
#if defined(UNICODE) || defined(_UNICODE)
  return GetWindowTextLengthW(hwnd);
#else
  return GetWindowTextLengthA(hwnd);
#endif
}
static inline LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
#if defined(UNICODE) || defined(_UNICODE)
  return DefWindowProcW(hwnd, message, wParam, lParam);
#else
  return DefWindowProcA(hwnd, message, wParam, lParam);
#endif
}
