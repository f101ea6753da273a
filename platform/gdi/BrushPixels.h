// The colour a brush gives each device pixel: solid, hatched (8 x 8 cells
// from the brush origin, the gaps in the background colour when the
// background mode is OPAQUE and left alone when TRANSPARENT) or a pattern
// bitmap tiled from the brush origin (a monochrome one in the text and
// background colours).
#pragma once

#include <optional>

#include "platform/gdi/DrawOp.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterOps.h"

namespace platform {

class BrushPixels {
 public:
  BrushPixels(const BrushState& brush, POINT origin, int bkMode, COLORREF bkColor, COLORREF textColor)
      : brush_(brush), origin_(origin), opaque_(bkMode == OPAQUE), color_(PixelFromColor(brush.color)),
        bk_(PixelFromColor(bkColor)), text_(PixelFromColor(textColor)) {}

  // The colour at device pixel (x, y); nothing where the brush leaves it.
  std::optional<uint32_t> At(int x, int y) const {
    switch (brush_.style) {
      case BS_SOLID: return color_;
      case BS_HATCHED: {
        if (HatchBit(brush_.hatch, Mod(x - origin_.x, 8), Mod(y - origin_.y, 8))) return color_;
        if (opaque_) return bk_;
        return std::nullopt;
      }
      case BS_PATTERN: {
        const PixelBuffer* p = brush_.pattern.get();
        if (!p || p->Empty()) return std::nullopt;
        const uint32_t c = p->Row(Mod(y - origin_.y, p->Height()))[Mod(x - origin_.x, p->Width())];
        if (brush_.monochromePattern) return (c & 0xFFFFFF) ? bk_ : text_;
        return 0xFF000000u | c;
      }
      default: return std::nullopt;
    }
  }

 private:
  static int Mod(long long v, int m) {
    const long long r = v % m;
    return static_cast<int>(r < 0 ? r + m : r);
  }

  const BrushState& brush_;
  POINT origin_;
  bool opaque_;
  uint32_t color_, bk_, text_;
};

}  // namespace platform
