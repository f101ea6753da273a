// A window's non-client area as the classic window system draws it: the
// border of its style (sizing frame, dialog frame, thin border, client
// edge), the caption with the window's text and its buttons, the window's
// own scroll bars with their arrows and a thumb where the bar's position
// lies, and the size box where both bars meet. The parts lie where the
// window system's metrics put them, so they frame the client area exactly.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace platform {

// Draws the non-client area of `hwnd` on `dc`, whose origin is the window's
// top-left corner; the client area is left alone. False for a window that
// is not there.
bool PaintNonClientArea(HWND hwnd, HDC dc);

// Whether the window's caption shows as active: the active window, or an
// MDI child frame that holds the focus.
bool IsCaptionActive(HWND hwnd);

}  // namespace platform
