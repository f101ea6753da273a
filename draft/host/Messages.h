// Tressil's message boxes and the user-break test. Boxes go through the
// platform's message-box handler (a host shows them, a test answers them).
#pragma once

#include "platform/core/WinTypes.h"

// The plain error box (OK button, stop icon) with a GBK text.
void ShowErrorMessage(const char* text);
// A box with the given buttons and icon (MB_* flags); the answer (IDOK ...).
int ShowMessage(const char* text, UINT type);

// Nonzero when the user asked to stop a long operation: an Escape key press
// waiting in the thread's queue. The key presses waiting are taken off the
// queue (typing ahead does not reach the drawing during the operation).
int CheckUserBreak(HWND mainWindow);
