// The logical-to-device mapping of a device context: mapping mode, window
// and viewport origins and extents, with the Windows arithmetic:
//   device = (logical - windowOrg) * viewportExt / windowExt + viewportOrg
//   logical = (device - viewportOrg) * windowExt / viewportExt + windowOrg
// each computed exactly in 64 bits and rounded to the nearest integer (a
// half rounds up). The fixed modes take their scale from the device's
// resolution (pixels per inch), with y growing upward.
#pragma once

#include "platform/core/WinTypes.h"

namespace platform {

class Mapping {
 public:
  // A device with this resolution (pixels per inch across and down).
  Mapping(int dpiX = 96, int dpiY = 96) : dpiX_(dpiX), dpiY_(dpiY) {}

  int Mode() const { return mode_; }
  // Sets a mapping mode (MM_TEXT..MM_ANISOTROPIC) and the extents it implies;
  // the origins stay. MM_ANISOTROPIC keeps the extents in force, MM_ISOTROPIC
  // starts from the MM_LOMETRIC ones. Returns the previous mode, 0 on a bad mode.
  int SetMode(int mode);

  POINT WindowOrg() const { return windowOrg_; }
  POINT ViewportOrg() const { return viewportOrg_; }
  SIZE WindowExt() const { return windowExt_; }
  SIZE ViewportExt() const { return viewportExt_; }
  void SetWindowOrg(int x, int y) { windowOrg_ = {x, y}; }
  void SetViewportOrg(int x, int y) { viewportOrg_ = {x, y}; }
  // Extents change only in MM_ISOTROPIC and MM_ANISOTROPIC (elsewhere the call
  // is ignored and succeeds, as on Windows); a zero extent is refused.
  // MM_ISOTROPIC then shrinks one viewport extent so that a logical unit is
  // as long across as down.
  bool SetWindowExt(int cx, int cy);
  bool SetViewportExt(int cx, int cy);
  // extent = extent * num / denom for each axis (truncating); a zero
  // denominator or a zero result is refused.
  bool ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
  bool ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);

  int DpiX() const { return dpiX_; }
  int DpiY() const { return dpiY_; }

  POINT LPtoDP(POINT p) const;
  POINT DPtoLP(POINT p) const;
  // Lengths (no origins): a logical length in device units and back, as
  // non-negative numbers, rounded.
  int LengthXToDevice(int logical) const;
  int LengthYToDevice(int logical) const;
  int LengthXToLogical(int device) const;
  int LengthYToLogical(int device) const;
  // True when the mapping is the identity plus an offset (no scaling).
  bool IsUnscaled() const {
    return windowExt_.cx == viewportExt_.cx && windowExt_.cy == viewportExt_.cy;
  }
  // True when one axis is mirrored and the other is not (arcs reverse).
  bool Flips() const;


 private:
  void AdjustIsotropic();

  int dpiX_, dpiY_;
  int mode_ = 1;  // MM_TEXT
  POINT windowOrg_{0, 0};
  POINT viewportOrg_{0, 0};
  SIZE windowExt_{1, 1};
  SIZE viewportExt_{1, 1};
};

// Wide enough for a coordinate times an extent times a resolution.
using Wide = __int128;
// num / den rounded to the nearest integer, a half rounding up (toward +inf);
// 0 when den is 0.
int64_t RoundedDivide(Wide num, Wide den);
// Clamps a 64-bit result into the 32-bit coordinate range.
LONG ClampToLong(Wide v);

}  // namespace platform
