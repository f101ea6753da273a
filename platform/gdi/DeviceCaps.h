// What a device tells GetDeviceCaps: its kind, size and resolution. The
// screen of this headless platform is 1280 x 1024 pixels at 96 pixels per
// inch unless the host sets another size; a printer's come from its device
// mode.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiConstants.h"

namespace platform {

struct DeviceCaps {
  int technology = DT_RASDISPLAY;
  int width = 1280;  // HORZRES: drawable pixels across
  int height = 1024;  // VERTRES
  int dpiX = 96;      // LOGPIXELSX
  int dpiY = 96;      // LOGPIXELSY
  int physicalWidth = 0;  // PHYSICALWIDTH: the whole page (printers)
  int physicalHeight = 0;
  int offsetX = 0;  // PHYSICALOFFSETX: the printable area's corner on the page
  int offsetY = 0;
  int bitsPixel = 32;

  // The value of a GetDeviceCaps index (0 for an index it does not know).
  int Get(int index) const;
};

// The screen's capabilities.
DeviceCaps ScreenCaps();
// Sets the screen's size in pixels (the window layer's screen size); the
// screen DCs' surface follows.
void SetScreenDeviceSize(int width, int height);

}  // namespace platform
