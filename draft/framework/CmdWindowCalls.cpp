#include "draft/framework/CmdWindowCalls.h"

#include "draft/framework/CmdBase.h"
#include "draft/framework/CoordInputDlg.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"

namespace cmdwin {

bool IsWindowAlive(HWND hwnd) { return hwnd && ::IsWindow(hwnd); }

void SendSetCursor(HWND hwnd) {
  if (IsWindowAlive(hwnd)) ::SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), 1);
}

void PostCommandDestroyed() { ::PostThreadMessageA(::GetCurrentThreadId(), WM_CMD_DESTROYED, 0, 0); }

}  // namespace cmdwin

int RunModalCoordDialog(CCoordInputDlg& dlg) { return static_cast<int>(dlg.DoModal()); }
