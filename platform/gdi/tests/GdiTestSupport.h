// Helpers of the drawing tests: a window surface with a DC on it, and pixel
// comparisons.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/WindowSurface.h"

namespace gdi_test {

// A window's client area of the given size and a DC drawing on it.
struct Canvas {
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : surface(width, height, fill) {
    dc.Attach(surface.CreateDc());
  }
  COLORREF At(int x, int y) const { return surface.Raster().Pixels()->GetColor(x, y); }
  const platform::PixelBuffer& Pixels() const { return *surface.Raster().Pixels(); }
  // The pixels that are `color`, as "x,y" strings in row order.
  std::vector<std::string> PixelsOf(COLORREF color) const {
    std::vector<std::string> out;
    for (int y = 0; y < Pixels().Height(); ++y) {
      for (int x = 0; x < Pixels().Width(); ++x) {
        if (At(x, y) == color) out.push_back(std::to_string(x) + "," + std::to_string(y));
      }
    }
    return out;
  }
  platform::WindowSurface surface;
  CDC dc;
};

inline bool SamePixels(const platform::PixelBuffer& a, const platform::PixelBuffer& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if ((a.Row(y)[x] & 0xFFFFFF) != (b.Row(y)[x] & 0xFFFFFF)) return false;
    }
  }
  return true;
}

// A DC that only records, on a 640 x 480 device at 96 pixels per inch.
struct Recording {
  Recording() : recorder(std::make_shared<platform::DrawingRecorder>()) {
    platform::DeviceCaps caps;
    caps.width = 640;
    caps.height = 480;
    dc.Attach(platform::CreateRecordingDc(recorder, caps));
  }
  std::shared_ptr<platform::DrawingRecorder> recorder;
  CDC dc;
};

}  // namespace gdi_test
