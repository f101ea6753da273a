#include "draft/host/CurveGeometry.h"

#include <algorithm>
#include <cmath>

using tressil::kGeomTolerance;

namespace {
// A counter-clockwise arc from the angle of `from` to the angle of `to`
// about c, or the other way round when `reversed`.
void ArcAngles(const GPoint& c, const GPoint& from, const GPoint& to, bool reversed, double& start, double& end) {
  start = GetLineAngle(c.x, c.y, from.x, from.y);
  end = GetLineAngle(c.x, c.y, to.x, to.y);
  if (reversed) SwapDoubles(start, end);
  MakeAngleRangeAscending(start, end);
}
}  // namespace

int ArcFromTangentAndPoint(double tangentAngle, const GPoint& start, const GPoint&, const GPoint& cursor, double& cx,
                           double& cy, double& r, double& startAngle, double& endAngle, int fixedRadius) {
  const double a = DegreeToRadian(tangentAngle);
  const double nx = -std::sin(a), ny = std::cos(a);  // the left normal
  const double qx = cursor.x - start.x, qy = cursor.y - start.y;
  const double across = qx * nx + qy * ny;  // how far the cursor lies left of the tangent
  if (std::fabs(across) <= kGeomTolerance) return 0;
  const bool left = across > 0;
  GPoint c;
  GPoint end = cursor;
  double radius;
  if (fixedRadius) {
    if (!(r > kGeomTolerance) || !std::isfinite(r)) return 0;
    radius = r;
    const double side = left ? radius : -radius;
    c = {start.x + side * nx, start.y + side * ny};
    if (IsSamePoint(c, cursor)) return 0;
    SetPointDistance(c, end, radius);
  } else {
    // The centre is as far from the start as from the cursor.
    const double signedRadius = (qx * qx + qy * qy) / (2 * across);
    radius = std::fabs(signedRadius);
    c = {start.x + signedRadius * nx, start.y + signedRadius * ny};
  }
  ArcAngles(c, start, end, !left, startAngle, endAngle);
  cx = c.x;
  cy = c.y;
  r = radius;
  return 1;
}

bool GetArcBy3Points(const GPoint& p1, const GPoint& p2, const GPoint& p3, GPoint& centre, double& r, double& start,
                     double& end) {
  GPoint c;
  double radius;
  if (!GetCircleBy3Points(p1, p2, p3, c, radius)) return false;
  double s, e;
  ArcAngles(c, p1, p2, false, s, e);
  const bool through = IsAngleInArc(GetLineAngle(c.x, c.y, p3.x, p3.y), s, e);
  ArcAngles(c, p1, p2, !through, s, e);
  centre = c;
  r = radius;
  start = s;
  end = e;
  return true;
}

int IntersectLineCircleEx(const GPoint& a, const GPoint& b, const GPoint& c, double r, GPoint out[2]) {
  GPoint found[2];
  const int n = IntersectLineCircle(a, b, c, r, found);
  if (n == 2) {
    out[0] = found[0];
    out[1] = found[1];
  } else if (n == 1) {
    out[0] = out[1] = found[0];
  } else {
    out[0] = out[1] = GetPerpendicularFoot(a, b, c);
  }
  return n;
}

GPoint SelectOtherPoint(const GPoint& ref, const GPoint& p1, const GPoint& p2) {
  return GetPointDistance(ref.x, ref.y, p2.x, p2.y) < GetPointDistance(ref.x, ref.y, p1.x, p1.y) ? p1 : p2;
}

void ExchangePointsByFlag(int flag, GPoint& p1, GPoint& p2) {
  if (flag == 2) std::swap(p1, p2);
}

bool IsPointInRect(double x, double y, double x1, double y1, double x2, double y2) {
  return IsValueInRange(x, x1, x2) && IsValueInRange(y, y1, y2);
}

int SegmentCrossesRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                       double& inX, double& inY, double& outX, double& outY, int, int, int, int, int border) {
  // The rectangle grown by the tolerance when its border counts, shrunk by
  // it otherwise; the segment clipped against its four sides (parameter t
  // along the segment from 0 at the first end to 1 at the second).
  const double grow = border ? kGeomTolerance : -kGeomTolerance;
  const double xmin = std::min(rx1, rx2) - grow, xmax = std::max(rx1, rx2) + grow;
  const double ymin = std::min(ry1, ry2) - grow, ymax = std::max(ry1, ry2) + grow;
  if (xmin > xmax || ymin > ymax) return 0;
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0.0, t1 = 1.0;
  // One side: p·t <= q keeps the inside.
  auto clip = [&t0, &t1](double p, double q) {
    if (p == 0.0) return q >= 0.0;
    const double t = q / p;
    if (p < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  if (!clip(-dx, x1 - xmin) || !clip(dx, xmax - x1) || !clip(-dy, y1 - ymin) || !clip(dy, ymax - y1)) return 0;
  if (t0 > t1) return 0;
  inX = x1 + t0 * dx;
  inY = y1 + t0 * dy;
  outX = x1 + t1 * dx;
  outY = y1 + t1 * dy;
  return 1;
}

BOOL ProjectToIsoPlane(const GPoint& c, GPoint& p, int plane) {
  static constexpr double kMajorAxis[] = {0.0, 60.0, 120.0, 0.0};
  static constexpr double kDiagonal[] = {0.0, 45.0, 135.0, 45.0};
  if (plane < 1 || plane > 3) return FALSE;
  const double major = DegreeToRadian(kMajorAxis[plane]);
  const double turn = major - DegreeToRadian(kDiagonal[plane]);
  const double dx = p.x - c.x, dy = p.y - c.y;
  // The offset turned, then split along and across the major axis.
  const double tx = dx * std::cos(turn) - dy * std::sin(turn);
  const double ty = dx * std::sin(turn) + dy * std::cos(turn);
  const double ux = std::cos(major), uy = std::sin(major);
  const double along = tx * ux + ty * uy;
  const double across = (-tx * uy + ty * ux) / std::sqrt(3.0);
  p = {c.x + along * ux - across * uy, c.y + along * uy + across * ux};
  return TRUE;
}
