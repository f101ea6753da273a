// What a host program or a test sets and observes in the headless window
// system: the keyboard state, the cursor position, the screen size and the
// message clock that timers run on.
#pragma once

#include "platform/core/WinTypes.h"

namespace platform {

// Key state read by GetKeyState and GetAsyncKeyState: `down` sets the high
// bit, `toggled` the low bit (Caps Lock and the like).
void SetKeyDown(int virtualKey, bool down);
void SetKeyToggled(int virtualKey, bool toggled);
// Releases every key and clears every toggle.
void ResetKeyState();

// The cursor position in screen coordinates (GetCursorPos, message points).
void SetCursorPosition(POINT screenPoint);

// The size of the single screen (GetSystemMetrics, the desktop window and
// the monitor); 1280 x 1024 unless the host sets it.
void SetScreenSize(int width, int height);
// The work area of the monitor (rcWork of GetMonitorInfo): the screen less
// what the host's own bars cover. An empty rectangle (the default) makes it
// the whole screen; the area is kept within the screen.
void SetWorkArea(const RECT& area);

// The message clock. It follows the system's monotonic clock until the host
// takes it over with UseManualClock; from then on it only moves when the
// host advances it, so that timers fire exactly when a test says.
void UseManualClock(DWORD startMilliseconds = 0);
void UseSystemClock();
void AdvanceClock(DWORD milliseconds);
DWORD ClockNow();

}  // namespace platform
