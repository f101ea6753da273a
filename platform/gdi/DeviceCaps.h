// What a device tells GetDeviceCaps: its kind, size and resolution. The
// screen of this headless platform is 1920 x 1080 pixels at 96 pixels per
// inch; a printer's come from its device mode.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiConstants.h"

namespace platform {

struct DeviceCaps {
  int technology = DT_RASDISPLAY;
  int width = 1920;  // HORZRES: drawable pixels across
  int height = 1080;  // VERTRES
  int dpiX = 96;      // LOGPIXELSX
  int dpiY = 96;      // LOGPIXELSY
  int physicalWidth = 1920;  // PHYSICALWIDTH: the whole page (printers)
  int physicalHeight = 1080;
  int offsetX = 0;  // PHYSICALOFFSETX: the printable area's corner on the page
  int offsetY = 0;
  int bitsPixel = 32;

  // The value of a GetDeviceCaps index (0 for an index it does not know).
  int Get(int index) const;
};

// The screen's capabilities.
DeviceCaps ScreenCaps();

}  // namespace platform
