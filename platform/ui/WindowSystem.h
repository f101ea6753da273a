// The headless window system's own records: window classes, windows, the
// handle table and the user-interface state of the process (focus, capture,
// active window, cursor). Internal to the platform's user-interface room;
// the rest of the program uses the Win32 functions (WindowApi.h,
// MessageApi.h) and CWnd.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/WinUser.h"

class CWnd;

namespace platform {

// The behaviour of a predefined window class (button, edit, list view, ...):
// one object per window, made when the window is created.
class ControlImpl {
 public:
  virtual ~ControlImpl() = default;
  // Handles a message sent to the window; unhandled messages go to
  // DefWindowProcW.
  virtual LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // What the user does with the mouse on the control's items, with the
  // notifications that follow; false when the control has no such item.
  virtual bool UserChoose(HWND, int) { return false; }
  virtual bool UserDoubleClick(HWND, int) { return false; }
  virtual bool UserSpin(HWND, int) { return false; }
};

using ControlFactory = std::unique_ptr<ControlImpl> (*)(HWND hwnd);
using WrapperFactory = CWnd* (*)();

struct WindowClassInfo {
  std::u16string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  ControlFactory makeControl = nullptr;  // predefined classes only
  WrapperFactory makeWrapper = nullptr;  // the CWnd class FromHandle makes
};

// Registers a predefined class (done once by each control's source).
void RegisterPredefinedClass(const char16_t* name, ControlFactory factory, HCURSOR cursor = nullptr, UINT style = 0);
// Names the CWnd-derived class that wraps windows of a class (CEdit for
// "Edit", ...), so that FromHandle gives an object of the right type.
void SetWrapperFactory(const char16_t* className, WrapperFactory factory);
const WindowClassInfo* FindWindowClass(std::u16string_view name);

struct WindowRecord {
  HWND handle = nullptr;
  const WindowClassInfo* cls = nullptr;
  WNDPROC proc = nullptr;      // the current window procedure (subclassing changes it)
  HWND parent = nullptr;       // child windows
  HWND owner = nullptr;        // owned top-level windows
  std::vector<HWND> children;  // in Z order, the top first
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT_PTR id = 0;
  RECT rect{};        // child: in the parent's client coordinates; top-level: screen
  RECT normalRect{};  // the restored rectangle while minimised or maximised
  std::u16string text;
  HINSTANCE instance = nullptr;
  HFONT font = nullptr;
  LONG_PTR userData = 0;
  LONG_PTR dialogResult = 0;  // DWL_MSGRESULT
  DWORD threadId = 0;
  bool destroying = false;
  bool redraw = true;  // WM_SETREDRAW
  // The update region: what was invalidated since the last paint (client
  // coordinates, clipped to the client area). It is a region, not a list of
  // the rectangles invalidated, so that a window that is not painted for a
  // long time (a program that never idles) keeps it as small as its client
  // area allows.
  platform::Region update;
  bool updateErase = false;
  bool internalPaint = false;
  // The pixels of the client area, made when a DC is first asked for.
  std::unique_ptr<WindowSurface> surface;
  CWnd* permanent = nullptr;  // the CWnd attached to this window
  CWnd* temporary = nullptr;  // the wrapper FromHandle made, owned here
  // The window's own scroll bars (SB_HORZ, SB_VERT); shown while the
  // style has WS_HSCROLL or WS_VSCROLL.
  ScrollBarState scrollBars[2];
  std::unique_ptr<ControlImpl> control;
  // Dialog-manager state of dialog windows.
  bool isDialog = false;
  HWND dialogFocus = nullptr;  // the control to refocus
  UINT defaultId = IDOK;
  bool ended = false;  // EndDialog was called
  INT_PTR endResult = 0;
};

// The window procedure of the predefined classes (the control object's).
LRESULT ControlWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The record of a live window, or null.
WindowRecord* FindWindowRecord(HWND hwnd);
// The control object of a window of a predefined class, when it is a T.
template <typename T>
T* ControlOf(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return w ? dynamic_cast<T*>(w->control.get()) : nullptr;
}

// The width of the frame a style gives on each side, and the height of its
// caption (0 without one), in pixels.
int NonClientBorder(DWORD style, DWORD exStyle);
int CaptionHeight(DWORD style, DWORD exStyle);
// The client rectangle in window coordinates (what the non-client area of
// the style leaves).
RECT ClientAreaInWindow(const WindowRecord& w);
// The window rectangle in screen coordinates.
RECT ScreenRect(const WindowRecord& w);

// The window's drawing surface, made on first use and kept at the size of
// the client area.
WindowSurface& SurfaceOf(WindowRecord& w);
// Follows a change of the client area's size (when the window has a surface).
void ResizeSurface(WindowRecord& w);

// Sends WM_COMMAND with a notification code to the parent of a control.
void NotifyParent(HWND control, UINT code);
// Sends WM_NOTIFY to the parent of a control; `header` is filled in.
LRESULT NotifyParent(HWND control, NMHDR& header, UINT code);

// Attaches the CWnd whose CreateEx is running to a window that is being
// created, before its first message (implemented with CWnd).
void HookWindowCreate(HWND hwnd);
// Detaches and deletes the temporary wrapper of a destroyed window
// (implemented with CWnd).
void DeleteTemporaryWrapper(WindowRecord& w);

// The top-level window that holds a window (the window itself when it is
// top-level).
HWND GetAncestorTopLevel(HWND hwnd);

// A cursor resource of a module, through the resource registry; null when
// the module has none of that name.
HCURSOR LoadModuleCursor(HINSTANCE module, LPCWSTR name);
// An icon resource of a module, by number; null for a null module or when the
// module has none of that number.
HICON LoadModuleIcon(HINSTANCE module, LPCWSTR name);

// Notifications to this window are ignored while its data exchange runs.
HWND LockoutNotifyWindow();
HWND SetLockoutNotifyWindow(HWND hwnd);

// Every live window of the calling thread, parents before their children.
std::vector<HWND> ThreadWindows(DWORD threadId);

// The current message clock (milliseconds).
DWORD MessageClockNow();
// The queued-message side of destroying a window: its timers are killed and
// its posted messages dropped.
void ForgetWindowMessages(HWND hwnd);

// A text parameter of a message, converted from GBK (the A forms).
std::u16string WideFromAnsi(LPCSTR text);

}  // namespace platform
