// The pixels of a bitmap, icon or cursor resource: declared pixels as they
// are, or the PNG file beside the module's file that holds the resource.
// For the drawing layer (CBitmap::LoadBitmap) and the window layer (icons,
// cursors, tool bar images).
#pragma once

#include <vector>

#include "platform/core/ImageResource.h"
#include "platform/core/WinTypes.h"

namespace platform {

struct ImagePixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> argb;  // 0xAARRGGBB, not premultiplied, rows from the top
};

// False (and `out` untouched) for a file that is missing, not a PNG, or
// larger than a PixelBuffer may be.
bool LoadImagePixels(const ImageResource& image, HINSTANCE module, ImagePixels* out);

}  // namespace platform
