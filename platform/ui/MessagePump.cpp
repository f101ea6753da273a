#include "platform/ui/MessagePump.h"

#include <set>

#include "platform/ui/MessageApi.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"

namespace platform {

void DispatchThroughLoop(MSG& msg) {
  CWinApp* app = AfxGetApp();
  BOOL taken = app ? app->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg);
  if (taken) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int PumpPendingMessages(bool idle, bool* quit) {
  if (quit) *quit = false;
  int count = 0;
  std::set<HWND> painted;
  MSG msg;
  for (;;) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) break;
    if (msg.message == WM_PAINT) {
      // A window whose paint handler leaves it invalid would be offered
      // WM_PAINT without end; one paint per window per run.
      if (!painted.insert(msg.hwnd).second) break;
    }
    PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      if (quit) *quit = true;
      return count;
    }
    ++count;
    DispatchThroughLoop(msg);
  }
  if (idle) {
    if (CWinApp* app = AfxGetApp()) {
      for (LONG n = 0; app->OnIdle(n); ++n) {
      }
    }
  }
  return count;
}

}  // namespace platform
