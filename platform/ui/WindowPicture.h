// One picture of a window's client area with its visible descendants drawn
// over it where they lie, each with its frame, caption and scroll bars
// (NonClientArea.h), as a screen would show them: for a host's pictures and
// for tests. Pending paints run first.
#pragma once

#include <string>

#include "platform/core/WinTypes.h"
#include "platform/gdi/PixelBuffer.h"

namespace platform {

// The composed client area; empty for a window that is not there.
PixelBuffer ComposeWindowPicture(HWND hwnd);
// The same, written as a PNG file; false on failure.
bool WriteWindowPicture(HWND hwnd, const std::string& utf8Path);

}  // namespace platform
