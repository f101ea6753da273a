// The window calls a command makes: WM_SETCURSOR to its view and the thread
// message WM_USER+3000 when it is destroyed. Kept in one place because they
// are the only messages the command framework sends.
#pragma once

#include "platform/core/WinTypes.h"

class CCoordInputDlg;

namespace cmdwin {

// Whether the handle is still a window.
bool IsWindowAlive(HWND hwnd);
// WM_SETCURSOR to the window (wParam its own handle, lParam 1).
void SendSetCursor(HWND hwnd);
// WM_USER+3000 to the calling thread's queue (no window, both parameters 0).
void PostCommandDestroyed();

}  // namespace cmdwin

// Runs the coordinate dialog modally under this library's resources; IDOK
// with the result computed, or IDCANCEL.
int RunModalCoordDialog(CCoordInputDlg& dlg);
