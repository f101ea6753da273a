// The device a device context draws on: a window's or bitmap's pixels, a
// printer's pages or a recording. Each back end implements Draw for the
// resolved calls of DrawOp.h.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/DrawOp.h"

namespace platform {

class PixelBuffer;

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // The drawable area in device pixels.
  virtual SIZE PixelSize() const = 0;
  virtual void Draw(const DrawOp& op) = 0;
  // The pixels of a raster surface (the source of BitBlt, GetPixel), else null.
  virtual const PixelBuffer* Pixels() const { return nullptr; }
  virtual bool IsMonochrome() const { return false; }
  // False while a printer is between pages: drawing then goes nowhere.
  virtual bool Accepting() const { return true; }
};

}  // namespace platform
