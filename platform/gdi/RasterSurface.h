// The raster back end: draws resolved calls on a pixel buffer the way the
// Windows GDI does, without anti-aliasing. One-pixel pens follow the pixel
// grid with the Windows dash patterns, wider pens and glyph shapes come from
// Cairo, and every pixel a figure covers is combined with the destination by
// the binary raster operation, so that an XOR figure drawn twice leaves the
// pixels as they were.
#pragma once

#include <string>

#include "platform/gdi/DrawingSurface.h"
#include "platform/gdi/PixelBuffer.h"

namespace platform {

class RasterSurface : public DrawingSurface {
 public:
  // A surface of the given size in pixels, every pixel `fill`; a monochrome
  // surface keeps only black and white.
  RasterSurface(int width, int height, bool monochrome = false, COLORREF fill = RGB(255, 255, 255));

  SIZE PixelSize() const override { return SIZE{pixels_.Width(), pixels_.Height()}; }
  void Draw(const DrawOp& op) override;
  const PixelBuffer* Pixels() const override { return &pixels_; }
  bool IsMonochrome() const override { return monochrome_; }

  PixelBuffer& MutablePixels() { return pixels_; }
  // Changes the size; the pixels that remain keep their place, new ones are `fill`.
  void Resize(int width, int height, COLORREF fill = RGB(255, 255, 255)) { pixels_.Resize(width, height, fill); }
  bool WritePng(const std::string& utf8Path) const { return pixels_.WritePng(utf8Path); }

 private:
  void DrawFigure(const DrawOp& op);
  void DrawText(const DrawOp& op);
  void DrawBlt(const DrawOp& op);
  void DrawFocusRect(const DrawOp& op);
  void DrawSetPixel(const DrawOp& op);
  uint32_t Store(uint32_t p) const;

  PixelBuffer pixels_;
  bool monochrome_;
};

}  // namespace platform
