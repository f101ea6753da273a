#include "diagram/model/objects/SegmentHit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Region.h"

namespace {

// Whether the segment passes through the closed rectangle (edges included):
// the segment is clipped against each edge in turn and meets the rectangle
// when a part of it is left.
bool SegmentCrossesRect(const CPoint& from, const CPoint& to, CRect rect) {
  rect.NormalizeRect();
  const double dx = double(to.x) - from.x;
  const double dy = double(to.y) - from.y;
  double enter = 0.0;
  double leave = 1.0;
  auto clip = [&](double p, double q) {
    if (p == 0.0) return q >= 0.0;  // parallel to the edge: inside or not
    const double t = q / p;
    if (p < 0.0) {
      if (t > leave) return false;
      if (t > enter) enter = t;
    } else {
      if (t < enter) return false;
      if (t < leave) leave = t;
    }
    return true;
  };
  return clip(-dx, double(from.x) - rect.left) && clip(dx, double(rect.right) - from.x) &&
         clip(-dy, double(from.y) - rect.top) && clip(dy, double(rect.bottom) - from.y);
}

}  // namespace

bool SegmentMeetsRect(const CPoint& from, const CPoint& to, int penWidth, const CRect& rect) {
  const double dx = double(to.x) - from.x;
  const double dy = double(to.y) - from.y;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length == 0.0) return rect.PtInRect(from) != FALSE;
  const double half = penWidth != 0 ? penWidth * 0.5 : 0.005;
  // Perpendicular to the segment: (-dy, dx) scaled to half the width.
  const int across = static_cast<int>(std::fabs(dy) * half / length);
  const int along = static_cast<int>(std::fabs(dx) * half / length);
  const CPoint offset(dy > 0 ? -across : across, dx < 0 ? -along : along);
  const POINT band[4] = {{from.x + offset.x, from.y + offset.y},
                         {to.x + offset.x, to.y + offset.y},
                         {to.x - offset.x, to.y - offset.y},
                         {from.x - offset.x, from.y - offset.y}};
  if (from.x == to.x || from.y == to.y) {
    // The band of a level or upright segment is a rectangle, whose inside is
    // that rectangle's pixels.
    const RECT box{std::min(band[0].x, band[2].x), std::min(band[0].y, band[2].y), std::max(band[0].x, band[2].x),
                   std::max(band[0].y, band[2].y)};
    if (platform::Region::FromRect(box).Intersects(rect)) return true;
  } else {
    // Only the rectangle's rows of the band are built: a long segment is
    // tested in the time of the rectangle's height.
    static const int kCorners = 4;
    if (platform::Region::PolyPolygonMeetsRect(band, &kCorners, 1, ALTERNATE, rect)) return true;
  }
  return SegmentCrossesRect(from, to, rect);
}
