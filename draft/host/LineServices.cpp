#include "draft/host/LineServices.h"

#include <cmath>
#include <utility>

#include "draft/host/Entity.h"

using tressil::kGeomTolerance;

namespace {
// The parameter of p along a-b (0 at a, 1 at b).
double ParameterOn(const GPoint& a, const GPoint& b, const GPoint& p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  return len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
}

bool OnSegment(const GPoint& a, const GPoint& b, const GPoint& p) {
  const double len = GetPointDistance(a.x, a.y, b.x, b.y);
  const double t = ParameterOn(a, b, p);
  const double slack = len > 0 ? kGeomTolerance / len : 0.0;
  return t >= -slack && t <= 1.0 + slack;
}
}  // namespace

BOOL IntersectLinesEx(int mode, const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, GPoint& out,
                      int) {
  GPoint x;
  if (!IntersectLines(a1, a2, b1, b2, x)) return FALSE;
  if ((mode == 1 || mode == 2) && !OnSegment(b1, b2, x)) return FALSE;
  if (mode == 2 && !OnSegment(a1, a2, x)) return FALSE;
  out = x;
  return TRUE;
}

BOOL ProjectPointToLine(int mode, const GPoint& a, const GPoint& b, const GPoint& p, GPoint& out) {
  if (IsSamePoint(a, b)) return FALSE;
  const GPoint foot = GetPerpendicularFoot(a, b, p);
  if (mode != 0 && !OnSegment(a, b, foot)) return FALSE;
  out = foot;
  return TRUE;
}

GPoint SelectEndPoint(const GPoint& ref, const GPoint& p1, const GPoint& p2, int mode) {
  const double d1 = MeasurePointDistance(ref, p1), d2 = MeasurePointDistance(ref, p2);
  if (mode == 1) return d2 < d1 ? p2 : p1;
  if (mode == 2) return d1 > d2 ? p1 : p2;
  return p1;
}

double MeasurePointDistance(const GPoint& a, const GPoint& b) { return GetPointDistance(a.x, a.y, b.x, b.y); }

bool IsPointWithinArc(const GPoint& p, const GPoint& c, double start, double end) {
  if (IsSamePoint(p, c)) return false;
  return IsAngleInArc(GetLineAngle(c.x, c.y, p.x, p.y), start, end);
}

bool IsLinesParallel(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2) {
  const double ux = a2.x - a1.x, uy = a2.y - a1.y, vx = b2.x - b1.x, vy = b2.y - b1.y;
  const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
  if (lu <= kGeomTolerance || lv <= kGeomTolerance) return true;
  return std::fabs((ux * vy - uy * vx) / (lu * lv)) <= kGeomTolerance;
}

GPoint MirrorPointAboutLine(const GPoint& p, const GPoint& a, const GPoint& b) {
  if (IsSamePoint(a, b)) return p;
  const GPoint f = GetPerpendicularFoot(a, b, p);
  return {2 * f.x - p.x, 2 * f.y - p.y};
}

void BuildPolylineBetween(double x1, double y1, double x2, double y2, std::vector<GPoint>& out, double height,
                          double widthFraction) {
  out.clear();
  const GPoint a{x1, y1}, b{x2, y2};
  out.push_back(a);
  const double len = GetPointDistance(x1, y1, x2, y2);
  if (len <= kGeomTolerance) return;
  const double ux = (x2 - x1) / len, uy = (y2 - y1) / len;
  const double nx = -uy, ny = ux;  // the left normal
  const double w = widthFraction * len;
  const double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  auto at = [&](double along, double across) {
    return GPoint{mx + along * ux + across * nx, my + along * uy + across * ny};
  };
  out.push_back(at(-w / 2, 0));
  out.push_back(at(-w / 6, height));
  out.push_back(at(w / 6, -height));
  out.push_back(at(w / 2, 0));
  out.push_back(b);
}

BOOL OverlapsLine(const CEntity* line, const CEntity* other) {
  if (!line || !other) return FALSE;
  const auto straight = [](const CEntity* e) { return e->IsLine() || e->IsTwoPointEntity(); };
  if (!straight(line) || !straight(other)) return FALSE;
  double a[kMaxGeometryValues], b[kMaxGeometryValues];
  line->GetGeometry(a);
  other->GetGeometry(b);
  const GPoint a1{a[0], a[1]}, a2{a[2], a[3]}, b1{b[0], b[1]}, b2{b[2], b[3]};
  if (IsSamePoint(a1, a2) || !IsLinesParallel(a1, a2, b1, b2)) return FALSE;
  if (std::fabs(GetPointLineDistance(b1, a1, a2)) > kGeomTolerance) return FALSE;
  const double len = GetPointDistance(a1.x, a1.y, a2.x, a2.y);
  double t1 = ParameterOn(a1, a2, b1), t2 = ParameterOn(a1, a2, b2);
  if (t1 > t2) std::swap(t1, t2);
  const double slack = kGeomTolerance / len;
  return t2 >= -slack && t1 <= 1.0 + slack ? TRUE : FALSE;
}

BOOL OffsetLine(const CEntity* line, double distance, GPoint& p1, GPoint& p2) {
  if (!line || !line->IsLine()) return FALSE;
  double v[kMaxGeometryValues];
  line->GetGeometry(v);
  return OffsetLine(GPoint{v[0], v[1]}, GPoint{v[2], v[3]}, distance, p1, p2);
}

BOOL OffsetLine(const GPoint& a, const GPoint& b, double distance, GPoint& p1, GPoint& p2) {
  const double len = GetPointDistance(a.x, a.y, b.x, b.y);
  if (len < kGeomTolerance) return FALSE;
  // The left normal of the direction a -> b.
  const double nx = -(b.y - a.y) / len, ny = (b.x - a.x) / len;
  p1 = {a.x + distance * nx, a.y + distance * ny};
  p2 = {b.x + distance * nx, b.y + distance * ny};
  return TRUE;
}
