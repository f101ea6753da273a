#include "draft/host/TangentGeometry.h"

#include <cmath>
#include <utility>

using tressil::kGeomTolerance;

BOOL CommonTangentLine(const GPoint& pick1, const GPoint& pick2, const GPoint& c1, double r1, const GPoint& c2,
                       double r2, GPoint& t1, GPoint& t2) {
  if (r1 <= kGeomTolerance || r2 <= kGeomTolerance) return FALSE;
  const double d = GetPointDistance(c1.x, c1.y, c2.x, c2.y);
  if (d <= kGeomTolerance) return FALSE;
  const double vx = (c2.x - c1.x) / d, vy = (c2.y - c1.y) / d;
  bool found = false;
  double best = 0.0;
  // A tangent is n·p + k = 0 with the unit normal n, at distance r1 from c1
  // and at the signed distance s·r2 from c2 (s = 1: outer, -1: inner). The
  // touching points are the feet of the centres on it.
  for (double s : {1.0, -1.0}) {
    const double q = (s * r2 - r1) / d;  // cosine of n against c1->c2
    if (std::fabs(q) > 1.0 + kGeomTolerance) continue;
    const double h = std::sqrt(std::fmax(0.0, 1.0 - q * q));
    for (double sign : {1.0, -1.0}) {
      const double nx = vx * q - sign * vy * h, ny = vy * q + sign * vx * h;
      const GPoint a{c1.x - r1 * nx, c1.y - r1 * ny};
      const GPoint b{c2.x - s * r2 * nx, c2.y - s * r2 * ny};
      if (IsSamePoint(a, b)) continue;  // circles touching: no line
      const double cost = GetPointDistance(pick1.x, pick1.y, a.x, a.y) + GetPointDistance(pick2.x, pick2.y, b.x, b.y);
      if (!found || cost < best) {
        found = true;
        best = cost;
        t1 = a;
        t2 = b;
      }
      if (h <= kGeomTolerance) break;  // one tangent of this kind
    }
  }
  return found ? TRUE : FALSE;
}

int IntersectCirclesEx(const GPoint& c1, double r1, const GPoint& c2, double r2, GPoint out[2]) {
  const bool point1 = std::fabs(r1) <= kGeomTolerance, point2 = std::fabs(r2) <= kGeomTolerance;
  if (point1 || point2) {
    const GPoint& p = point1 ? c1 : c2;
    const GPoint& c = point1 ? c2 : c1;
    const double r = point1 ? r2 : r1;
    if (std::fabs(GetPointDistance(p.x, p.y, c.x, c.y) - std::fabs(r)) > kGeomTolerance) return 0;
    out[0] = p;
    return 1;
  }
  const double d = GetPointDistance(c1.x, c1.y, c2.x, c2.y);
  if (d <= kGeomTolerance) return 0;
  // Touching from outside or inside within the tolerance: one point on the
  // line of centres.
  const double vx = (c2.x - c1.x) / d, vy = (c2.y - c1.y) / d;
  double along = 0.0;
  if (std::fabs(d - (r1 + r2)) <= kGeomTolerance)
    along = r1;
  else if (std::fabs(d - std::fabs(r1 - r2)) <= kGeomTolerance)
    along = r1 >= r2 ? r1 : -r1;
  if (along != 0.0) {
    out[0] = {c1.x + along * vx, c1.y + along * vy};
    return 1;
  }
  return IntersectCircles(c1, r1, c2, r2, out);
}

void OrderAnglePair(double& a1, double& a2, int mode) {
  a1 = NormalizeAngle(a1);
  a2 = NormalizeAngle(a2);
  if (mode == 1 ? a1 > a2 : a1 < a2) std::swap(a1, a2);
}

GPoint PointAlongLine(const GPoint& from, const GPoint& toward, double d) {
  GPoint p = toward;
  SetPointDistance(from, p, std::fabs(d));
  if (d < 0) p = {2 * from.x - p.x, 2 * from.y - p.y};
  return p;
}

GPoint GetPolarPoint(const GPoint& c, double radians, double d) {
  return {c.x + d * std::cos(radians), c.y + d * std::sin(radians)};
}
