#include "platform/gdi/DeviceCaps.h"

#include <algorithm>
#include <mutex>

#include "platform/gdi/DcState.h"
#include "platform/gdi/Mapping.h"

namespace platform {

namespace {

struct Screen {
  std::mutex mutex;
  DeviceCaps caps;
};

Screen& TheScreen() {
  static Screen* screen = new Screen;  // lives to the end of the process
  return *screen;
}

}  // namespace

DeviceCaps ScreenCaps() {
  std::lock_guard<std::mutex> lock(TheScreen().mutex);
  return TheScreen().caps;
}

void SetScreenDeviceSize(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  {
    std::lock_guard<std::mutex> lock(TheScreen().mutex);
    TheScreen().caps.width = width;
    TheScreen().caps.height = height;
  }
  ResizeScreenSurface(width, height);
}

int DeviceCaps::Get(int index) const {
  // Millimetres from pixels and pixels per inch, rounded.
  auto mm = [](int pixels, int dpi) { return static_cast<int>(RoundedDivide(Wide(pixels) * 254, Wide(dpi) * 10)); };
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return technology;
    case HORZSIZE: return mm(width, dpiX);
    case VERTSIZE: return mm(height, dpiY);
    case HORZRES: return width;
    case VERTRES: return height;
    case BITSPIXEL: return bitsPixel;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;  // more than 256 colours
    case NUMFONTS: return 0;
    case CURVECAPS: return 0xFF;
    case LINECAPS: return 0xFE;
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7807;
    case CLIPCAPS: return CP_RECTANGLE;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return dpiX;
    case LOGPIXELSY: return dpiY;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case PHYSICALWIDTH: return technology == DT_RASPRINTER ? physicalWidth : 0;
    case PHYSICALHEIGHT: return technology == DT_RASPRINTER ? physicalHeight : 0;
    case PHYSICALOFFSETX: return technology == DT_RASPRINTER ? offsetX : 0;
    case PHYSICALOFFSETY: return technology == DT_RASPRINTER ? offsetY : 0;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    case VREFRESH: return technology == DT_RASDISPLAY ? 60 : 0;
    case DESKTOPHORZRES: return technology == DT_RASDISPLAY ? width : 0;
    case DESKTOPVERTRES: return technology == DT_RASDISPLAY ? height : 0;
    default: return 0;
  }
}

}  // namespace platform
