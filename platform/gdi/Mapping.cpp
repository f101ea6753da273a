#include "platform/gdi/Mapping.h"

#include <cstdlib>
#include <limits>

#include "platform/gdi/GdiConstants.h"

namespace platform {

int64_t RoundedDivide(Wide num, Wide den) {
  if (den == 0) return 0;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // floor((2 num + den) / (2 den)) = floor(num / den + 1/2)
  const Wide n = 2 * num + den, d = 2 * den;
  Wide q = n / d;
  if ((n % d != 0) && (n < 0)) --q;
  if (q > std::numeric_limits<int64_t>::max()) return std::numeric_limits<int64_t>::max();
  if (q < std::numeric_limits<int64_t>::min()) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(q);
}

LONG ClampToLong(Wide v) {
  if (v > std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
  if (v < std::numeric_limits<LONG>::min()) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(v);
}

int Mapping::SetMode(int mode) {
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  const int previous = mode_;
  mode_ = mode;
  // Logical units per inch of each fixed mode; the viewport extent is the
  // device's pixels per inch, negative down so that y grows upward.
  int unitsPerInchX = 0, unitsPerInchY = 0;
  switch (mode) {
    case MM_TEXT:
      windowExt_ = {1, 1};
      viewportExt_ = {1, 1};
      return previous;
    case MM_ANISOTROPIC:
      return previous;
    case MM_LOMETRIC:
    case MM_ISOTROPIC:
      unitsPerInchX = unitsPerInchY = 254;
      break;
    case MM_HIMETRIC:
      unitsPerInchX = unitsPerInchY = 2540;
      break;
    case MM_LOENGLISH:
      unitsPerInchX = unitsPerInchY = 100;
      break;
    case MM_HIENGLISH:
      unitsPerInchX = unitsPerInchY = 1000;
      break;
    case MM_TWIPS:
      unitsPerInchX = unitsPerInchY = 1440;
      break;
  }
  windowExt_ = {unitsPerInchX, unitsPerInchY};
  viewportExt_ = {dpiX_, -dpiY_};
  return previous;
}

bool Mapping::SetWindowExt(int cx, int cy) {
  if (mode_ != MM_ISOTROPIC && mode_ != MM_ANISOTROPIC) return true;
  if (cx == 0 || cy == 0) return false;
  windowExt_ = {cx, cy};
  AdjustIsotropic();
  return true;
}

bool Mapping::SetViewportExt(int cx, int cy) {
  if (mode_ != MM_ISOTROPIC && mode_ != MM_ANISOTROPIC) return true;
  if (cx == 0 || cy == 0) return false;
  viewportExt_ = {cx, cy};
  AdjustIsotropic();
  return true;
}

bool Mapping::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  if (mode_ != MM_ISOTROPIC && mode_ != MM_ANISOTROPIC) return true;
  if (xDenom == 0 || yDenom == 0) return false;
  const int64_t cx = int64_t(windowExt_.cx) * xNum / xDenom, cy = int64_t(windowExt_.cy) * yNum / yDenom;
  if (cx == 0 || cy == 0) return false;
  return SetWindowExt(ClampToLong(cx), ClampToLong(cy));
}

bool Mapping::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  if (mode_ != MM_ISOTROPIC && mode_ != MM_ANISOTROPIC) return true;
  if (xDenom == 0 || yDenom == 0) return false;
  const int64_t cx = int64_t(viewportExt_.cx) * xNum / xDenom, cy = int64_t(viewportExt_.cy) * yNum / yDenom;
  if (cx == 0 || cy == 0) return false;
  return SetViewportExt(ClampToLong(cx), ClampToLong(cy));
}

void Mapping::AdjustIsotropic() {
  if (mode_ != MM_ISOTROPIC) return;
  // Physical length of a logical unit across is |vx| / (|wx| dpiX) inch,
  // down |vy| / (|wy| dpiY). The larger one shrinks to the smaller, so that
  // the whole window fits in the viewport.
  const Wide wx = std::llabs(windowExt_.cx), wy = std::llabs(windowExt_.cy);
  const Wide vx = std::llabs(viewportExt_.cx), vy = std::llabs(viewportExt_.cy);
  const Wide across = vx * wy * dpiY_;  // compare vx/(wx dpiX) with vy/(wy dpiY)
  const Wide down = vy * wx * dpiX_;
  if (across < down) {
    const int64_t ny = RoundedDivide(vx * wy * dpiY_, wx * dpiX_);
    viewportExt_.cy = ClampToLong(viewportExt_.cy < 0 ? -ny : ny);
  } else if (down < across) {
    const int64_t nx = RoundedDivide(vy * wx * dpiX_, wy * dpiY_);
    viewportExt_.cx = ClampToLong(viewportExt_.cx < 0 ? -nx : nx);
  }
  if (viewportExt_.cx == 0) viewportExt_.cx = 1;
  if (viewportExt_.cy == 0) viewportExt_.cy = 1;
}

POINT Mapping::LPtoDP(POINT p) const {
  const Wide x = Wide(RoundedDivide((Wide(p.x) - windowOrg_.x) * viewportExt_.cx, windowExt_.cx)) + viewportOrg_.x;
  const Wide y = Wide(RoundedDivide((Wide(p.y) - windowOrg_.y) * viewportExt_.cy, windowExt_.cy)) + viewportOrg_.y;
  return POINT{ClampToLong(x), ClampToLong(y)};
}

POINT Mapping::DPtoLP(POINT p) const {
  const Wide x = Wide(RoundedDivide((Wide(p.x) - viewportOrg_.x) * windowExt_.cx, viewportExt_.cx)) + windowOrg_.x;
  const Wide y = Wide(RoundedDivide((Wide(p.y) - viewportOrg_.y) * windowExt_.cy, viewportExt_.cy)) + windowOrg_.y;
  return POINT{ClampToLong(x), ClampToLong(y)};
}

int Mapping::LengthXToDevice(int logical) const {
  return ClampToLong(RoundedDivide(std::llabs(int64_t(logical) * viewportExt_.cx), std::llabs(windowExt_.cx)));
}
int Mapping::LengthYToDevice(int logical) const {
  return ClampToLong(RoundedDivide(std::llabs(int64_t(logical) * viewportExt_.cy), std::llabs(windowExt_.cy)));
}
int Mapping::LengthXToLogical(int device) const {
  return ClampToLong(RoundedDivide(std::llabs(int64_t(device) * windowExt_.cx), std::llabs(viewportExt_.cx)));
}
int Mapping::LengthYToLogical(int device) const {
  return ClampToLong(RoundedDivide(std::llabs(int64_t(device) * windowExt_.cy), std::llabs(viewportExt_.cy)));
}

bool Mapping::Flips() const {
  const bool fx = (windowExt_.cx < 0) != (viewportExt_.cx < 0);
  const bool fy = (windowExt_.cy < 0) != (viewportExt_.cy < 0);
  return fx != fy;
}

}  // namespace platform
