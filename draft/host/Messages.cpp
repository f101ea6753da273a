#include "draft/host/Messages.h"

#include "platform/core/MessageBox.h"

namespace {
bool g_breakRequested = false;
}

void ShowErrorMessage(const char* text) { ShowMessage(text, MB_OK | MB_ICONSTOP); }

int ShowMessage(const char* text, UINT type) { return MessageBoxA(nullptr, text ? text : "", "", type); }

int CheckUserBreak(HWND) {
  const bool requested = g_breakRequested;
  g_breakRequested = false;
  return requested ? 1 : 0;
}

void RequestUserBreak() { g_breakRequested = true; }
