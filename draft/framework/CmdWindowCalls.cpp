#include "draft/framework/CmdWindowCalls.h"

#include "draft/framework/CmdBase.h"
#include "draft/framework/CoordInputDlg.h"
#include "platform/core/WinConstants.h"

// The platform's window and message services.
#if __has_include("platform/ui/MessageApi.h") && __has_include("platform/ui/WindowApi.h")
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#define SCRIVEL_HAVE_WINDOWS 1
#else
#define SCRIVEL_HAVE_WINDOWS 0
#endif

namespace cmdwin {

#if SCRIVEL_HAVE_WINDOWS
bool IsWindowAlive(HWND hwnd) { return hwnd && ::IsWindow(hwnd); }

void SendSetCursor(HWND hwnd) {
  if (IsWindowAlive(hwnd)) ::SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), 1);
}

void PostCommandDestroyed() { ::PostThreadMessageA(::GetCurrentThreadId(), WM_CMD_DESTROYED, 0, 0); }
#else
// Without the platform's window system there is no window to message and no
// queue to post to.
bool IsWindowAlive(HWND) { return false; }
void SendSetCursor(HWND) {}
void PostCommandDestroyed() {}
#endif

}  // namespace cmdwin

int RunModalCoordDialog(CCoordInputDlg&) { return IDCANCEL; }
