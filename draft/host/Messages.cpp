#include "draft/host/Messages.h"

#include "platform/core/MessageBox.h"
#include "platform/ui/MessageApi.h"

void ShowErrorMessage(const char* text) { ShowMessage(text, MB_OK | MB_ICONSTOP); }

int ShowMessage(const char* text, UINT type) { return MessageBoxA(nullptr, text ? text : "", "", type); }

int CheckUserBreak(HWND) {
  int stop = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
    if (msg.wParam == VK_ESCAPE) stop = 1;
  return stop;
}
