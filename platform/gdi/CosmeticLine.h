// One-pixel lines on the pixel grid, as the Windows GDI draws cosmetic pens:
// each segment from its first pixel up to, not including, its last, the dash
// pattern counted in pixels and carried on from segment to segment, and the
// gaps in the background colour when the background mode is OPAQUE.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/gdi/DrawOp.h"
#include "platform/gdi/FigureGeometry.h"
#include "platform/gdi/PixelBuffer.h"

namespace platform {

class CosmeticLine {
 public:
  // `box`: only the pixels inside it are plotted (the dash pattern still
  // counts the ones outside).
  CosmeticLine(const PenState& pen, int bkMode, COLORREF bkColor, const RECT& box)
      : color_(PixelFromColor(pen.color)), bk_(PixelFromColor(bkColor)), opaque_(bkMode == OPAQUE), box_(box) {
    std::vector<int> runs;
    switch (pen.Kind()) {
      case PS_DASH: runs = {18, 6}; break;
      case PS_DOT: runs = {3, 3}; break;
      case PS_DASHDOT: runs = {9, 6, 3, 6}; break;
      case PS_DASHDOTDOT: runs = {9, 3, 3, 3, 3, 3}; break;
      case PS_ALTERNATE: runs = {1, 1}; break;
      default: break;  // solid, inside-frame
    }
    for (size_t i = 0; i < runs.size(); ++i) pattern_.insert(pattern_.end(), runs[i], i % 2 == 0);
  }

  // Draws a path of pixel positions (rounded); `plot(x, y, colour)`.
  template <typename Plot>
  void Path(const std::vector<PointD>& path, bool closed, Plot plot) {
    std::vector<POINT> points;
    for (const auto& p : path) {
      const POINT q{static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))};
      if (points.empty() || points.back().x != q.x || points.back().y != q.y) points.push_back(q);
    }
    if (points.empty()) return;
    if (closed && points.size() > 1 && points.front().x == points.back().x && points.front().y == points.back().y) {
      points.pop_back();
    }
    if (points.size() == 1) {
      // A figure that shrank to one pixel still shows it when closed.
      if (closed) Plot1(points[0].x, points[0].y, 0, plot);
      return;
    }
    for (size_t i = 0; i + 1 < points.size(); ++i) Segment(points[i], points[i + 1], plot);
    if (closed) Segment(points.back(), points.front(), plot);
  }

 private:
  template <typename Plot>
  void Plot1(long long x, long long y, long long step, Plot plot) {
    if (x < box_.left || y < box_.top || x >= box_.right || y >= box_.bottom) return;
    const bool on = pattern_.empty() || pattern_[static_cast<size_t>((position_ + step) % pattern_.size())];
    if (on) plot(static_cast<int>(x), static_cast<int>(y), color_);
    else if (opaque_) plot(static_cast<int>(x), static_cast<int>(y), bk_);
  }

  // The pixels from a to b, b excluded: one per step along the longer axis,
  // the other coordinate rounded (a half away from a). Only the steps that
  // can reach the box are visited.
  template <typename Plot>
  void Segment(POINT a, POINT b, Plot plot) {
    const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long minorDelta = xMajor ? dy : dx;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const long long majorStart = xMajor ? a.x : a.y, minorStart = xMajor ? a.y : a.x;
    const long long lo = xMajor ? box_.left : box_.top, hi = xMajor ? box_.right : box_.bottom;
    // Steps i with majorStart + majorSign * i in [lo, hi).
    long long first = 0, last = n - 1;
    if (majorSign > 0) {
      first = std::max(first, lo - majorStart);
      last = std::min(last, hi - 1 - majorStart);
    } else {
      first = std::max(first, majorStart - (hi - 1));
      last = std::min(last, majorStart - lo);
    }
    for (long long i = first; i <= last; ++i) {
      const long long num = 2 * i * std::llabs(minorDelta) + n;
      const long long minor = minorStart + (minorDelta < 0 ? -1 : 1) * (num / (2 * n));
      const long long major = majorStart + majorSign * i;
      if (xMajor) Plot1(major, minor, i, plot);
      else Plot1(minor, major, i, plot);
    }
    position_ = pattern_.empty() ? 0 : (position_ + n) % static_cast<long long>(pattern_.size());
  }

  uint32_t color_, bk_;
  bool opaque_;
  RECT box_;
  std::vector<bool> pattern_;  // one entry per pixel of the dash cycle
  long long position_ = 0;
};

}  // namespace platform
