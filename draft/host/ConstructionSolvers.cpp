#include "draft/host/ConstructionSolvers.h"

#include <cmath>

using tressil::kGeomTolerance;

namespace {
// The foot of the perpendicular from e on the line through s at `degrees`.
void ProjectOntoDirection(double sx, double sy, double& ex, double& ey, double degrees) {
  const double a = DegreeToRadian(degrees);
  const double ux = std::cos(a), uy = std::sin(a);
  const double t = (ex - sx) * ux + (ey - sy) * uy;
  ex = sx + t * ux;
  ey = sy + t * uy;
}

// The axonometric axis direction nearest `degrees`.
double NearestAxonometricAxis(double degrees) {
  static constexpr double kAxes[] = {30, 90, 150, 210, 270, 330};
  double best = kAxes[0];
  double bestGap = 360.0;
  for (double axis : kAxes) {
    double gap = std::fabs(NormalizeAngle(degrees - axis));
    if (gap > 180.0) gap = 360.0 - gap;
    if (gap < bestGap) {
      bestGap = gap;
      best = axis;
    }
  }
  return best;
}
}  // namespace

BOOL ConstrainLinePoint(double sx, double sy, double& ex, double& ey, int kind, double& angle, int, int axonometric,
                        int) {
  if (!std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(ex) || !std::isfinite(ey)) return FALSE;
  switch (kind) {
    case kConstrainDirection: {
      if (IsSamePoint(sx, sy, ex, ey)) return FALSE;
      angle = GetLineAngle(sx, sy, ex, ey);
      if (axonometric) {
        angle = NearestAxonometricAxis(angle);
        ProjectOntoDirection(sx, sy, ex, ey, angle);
      }
      return TRUE;
    }
    case kConstrainFixedAngle:
      if (!std::isfinite(angle)) return FALSE;
      angle = NormalizeAngle(angle);
      ProjectOntoDirection(sx, sy, ex, ey, angle);
      return TRUE;
    default:
      return FALSE;
  }
}

double RoundAngle(double angle) {
  if (!std::isfinite(angle)) return 0.0;
  return NormalizeAngle(std::round(NormalizeAngle(angle) * 1e6) / 1e6);
}

bool SolveCentreForRadius(const GPoint& p1, const GPoint& p2, const GPoint& p3, double r, GPoint& centre) {
  if (!std::isfinite(r) || r <= 0.0 || IsSamePoint(p1, p2)) return false;
  const double chord = GetPointDistance(p1.x, p1.y, p2.x, p2.y);
  const double half = chord / 2.0;
  if (half > r + kGeomTolerance) return false;
  // The centres lie on the perpendicular bisector of p1-p2, h from the chord.
  const double h = half >= r ? 0.0 : std::sqrt(r * r - half * half);
  const GPoint mid{(p1.x + p2.x) / 2.0, (p1.y + p2.y) / 2.0};
  const double nx = -(p2.y - p1.y) / chord, ny = (p2.x - p1.x) / chord;
  const GPoint left{mid.x + h * nx, mid.y + h * ny};
  const GPoint right{mid.x - h * nx, mid.y - h * ny};
  const double offLeft = std::fabs(GetPointDistance(left.x, left.y, p3.x, p3.y) - r);
  const double offRight = std::fabs(GetPointDistance(right.x, right.y, p3.x, p3.y) - r);
  centre = offRight < offLeft ? right : left;
  return true;
}
