#include "draft/host/TangentPoints.h"

#include <cmath>

int GetTangentPoints(const GPoint& p, const GPoint& c, double r, GPoint out[2]) {
  if (!(r > tressil::kGeomTolerance)) return 0;
  const double d = GetPointDistance(c.x, c.y, p.x, p.y);
  if (std::fabs(d - r) <= tressil::kGeomTolerance) {
    out[0] = p;
    return 1;
  }
  if (d < r) return 0;
  // The touching points lie at the angle acos(r / d) either side of the
  // direction from the centre to p.
  const double toward = std::atan2(p.y - c.y, p.x - c.x);
  const double half = std::acos(r / d);
  out[0] = {c.x + r * std::cos(toward + half), c.y + r * std::sin(toward + half)};
  out[1] = {c.x + r * std::cos(toward - half), c.y + r * std::sin(toward - half)};
  return 2;
}
