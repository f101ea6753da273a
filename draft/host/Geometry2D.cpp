#include "draft/host/Geometry2D.h"

#include <algorithm>
#include <cmath>

using tressil::kGeomTolerance;
using tressil::kPi;

double DegreeToRadian(double degrees) { return degrees * kPi / 180.0; }
double RadianToDegree(double radians) { return radians * 180.0 / kPi; }

double NormalizeAngle(double a) {
  if (!std::isfinite(a)) return 0.0;
  double r = std::fmod(a, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0 - 1e-12) r = 0.0;
  return r;
}

void MakeAngleRangeAscending(double& start, double& end, bool fullWhenEqual) {
  if (!std::isfinite(start) || !std::isfinite(end)) return;
  if (fullWhenEqual && std::fabs(end - start) < kGeomTolerance) {
    end = start + 360.0;
    return;
  }
  while (end < start) end += 360.0;
  while (end - start > 360.0 + kGeomTolerance) end -= 360.0;
}

double ConvertInputAngle(double value, int flag) {
  return flag ? DegreeToRadian(value) : NormalizeAngle(value);
}

void SwapDoubles(double& a, double& b) { std::swap(a, b); }

int GetValueSign(double d) { return d < 0 ? -1 : 1; }

bool IsValueInRange(double v, double a, double b) {
  return v >= std::min(a, b) - kGeomTolerance && v <= std::max(a, b) + kGeomTolerance;
}

double GetPointDistance(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }

double GetLineAngle(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  if (std::fabs(dx) < 1e-12 && std::fabs(dy) < 1e-12) return 0.0;
  return NormalizeAngle(RadianToDegree(std::atan2(dy, dx)));
}

bool IsSamePoint(double x1, double y1, double x2, double y2) {
  return std::fabs(x1 - x2) < kGeomTolerance && std::fabs(y1 - y2) < kGeomTolerance;
}

bool IsSamePoint(const GPoint& p, const GPoint& q) { return IsSamePoint(p.x, p.y, q.x, q.y); }

void SetPointDistance(const GPoint& s, GPoint& e, double d) {
  const double len = GetPointDistance(s.x, s.y, e.x, e.y);
  double ux = 1.0, uy = 0.0;
  if (len > 1e-12) {
    ux = (e.x - s.x) / len;
    uy = (e.y - s.y) / len;
  }
  e = {s.x + ux * d, s.y + uy * d};
}

void RotatePoint(GPoint& p, const GPoint& c, double angle) {
  const double a = DegreeToRadian(angle), cs = std::cos(a), sn = std::sin(a);
  const double dx = p.x - c.x, dy = p.y - c.y;
  p = {c.x + dx * cs - dy * sn, c.y + dx * sn + dy * cs};
}

GPoint GetPerpendicularFoot(const GPoint& a, const GPoint& b, const GPoint& p) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  if (len2 < 1e-24) return a;
  const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
  return {a.x + t * dx, a.y + t * dy};
}

double GetPointLineDistance(const GPoint& p, const GPoint& a, const GPoint& b) {
  const double len = GetPointDistance(a.x, a.y, b.x, b.y);
  if (len < 1e-12) return GetPointDistance(a.x, a.y, p.x, p.y);
  return ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len;
}

bool IsPointInSegmentRange(const GPoint& a, const GPoint& b, const GPoint& p) {
  const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
  if (len < 1e-12) return IsSamePoint(a, p);
  const double along = ((p.x - a.x) * dx + (p.y - a.y) * dy) / len;
  return along >= -kGeomTolerance && along <= len + kGeomTolerance;
}

namespace {
// Parameters s, t of the crossing a1 + s(a2 - a1) = b1 + t(b2 - b1).
bool CrossParameters(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, double& s, double& t) {
  const double ax = a2.x - a1.x, ay = a2.y - a1.y, bx = b2.x - b1.x, by = b2.y - b1.y;
  const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
  if (la < 1e-12 || lb < 1e-12) return false;
  const double den = ax * by - ay * bx;
  if (std::fabs(den) <= 1e-12 * la * lb) return false;
  s = ((b1.x - a1.x) * by - (b1.y - a1.y) * bx) / den;
  t = ((b1.x - a1.x) * ay - (b1.y - a1.y) * ax) / den;
  return true;
}
}  // namespace

bool IntersectLines(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, GPoint& out) {
  double s = 0, t = 0;
  if (!CrossParameters(a1, a2, b1, b2, s, t)) return false;
  out = {a1.x + s * (a2.x - a1.x), a1.y + s * (a2.y - a1.y)};
  return true;
}

bool IntersectSegments(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, GPoint& out) {
  double s = 0, t = 0;
  if (!CrossParameters(a1, a2, b1, b2, s, t)) return false;
  const double la = GetPointDistance(a1.x, a1.y, a2.x, a2.y), lb = GetPointDistance(b1.x, b1.y, b2.x, b2.y);
  const double es = kGeomTolerance / la, et = kGeomTolerance / lb;
  if (s < -es || s > 1 + es || t < -et || t > 1 + et) return false;
  out = {a1.x + s * (a2.x - a1.x), a1.y + s * (a2.y - a1.y)};
  return true;
}

int IntersectLineCircle(const GPoint& a, const GPoint& b, const GPoint& c, double r, GPoint out[2]) {
  const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
  if (len < 1e-12 || r < 0) return 0;
  const double ux = dx / len, uy = dy / len;
  const double t0 = (c.x - a.x) * ux + (c.y - a.y) * uy;
  const GPoint f = {a.x + t0 * ux, a.y + t0 * uy};
  const double d = GetPointDistance(f.x, f.y, c.x, c.y);
  if (d > r + kGeomTolerance) return 0;
  if (std::fabs(d - r) <= kGeomTolerance) {
    out[0] = f;
    return 1;
  }
  const double h = std::sqrt(r * r - d * d);
  out[0] = {f.x - h * ux, f.y - h * uy};
  out[1] = {f.x + h * ux, f.y + h * uy};
  return 2;
}

int IntersectCircles(const GPoint& c1, double r1, const GPoint& c2, double r2, GPoint out[2]) {
  const double d = GetPointDistance(c1.x, c1.y, c2.x, c2.y);
  if (d < kGeomTolerance || r1 < 0 || r2 < 0) return 0;
  if (d > r1 + r2 + kGeomTolerance || d < std::fabs(r1 - r2) - kGeomTolerance) return 0;
  const double a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
  const double ux = (c2.x - c1.x) / d, uy = (c2.y - c1.y) / d;
  const GPoint m = {c1.x + a * ux, c1.y + a * uy};
  const double h2 = r1 * r1 - a * a;
  if (std::fabs(d - (r1 + r2)) <= kGeomTolerance || std::fabs(d - std::fabs(r1 - r2)) <= kGeomTolerance || h2 <= 0) {
    out[0] = m;
    return 1;
  }
  const double h = std::sqrt(h2);
  out[0] = {m.x - h * uy, m.y + h * ux};
  out[1] = {m.x + h * uy, m.y - h * ux};
  return 2;
}

bool IsAngleInArc(double angle, double start, double end) {
  double s = start, e = end;
  MakeAngleRangeAscending(s, e, true);
  if (e - s >= 360.0 - kGeomTolerance) return true;
  double a = NormalizeAngle(angle);
  const double s0 = NormalizeAngle(s);
  double span = e - s;
  double rel = a - s0;
  if (rel < 0) rel += 360.0;
  if (rel > 360.0 - kGeomTolerance) rel -= 360.0;  // just before the start counts as the start
  return rel >= -kGeomTolerance && rel <= span + kGeomTolerance;
}

bool GetCircleBy3Points(const GPoint& p1, const GPoint& p2, const GPoint& p3, GPoint& centre, double& r) {
  const double bx = p2.x - p1.x, by = p2.y - p1.y, cx = p3.x - p1.x, cy = p3.y - p1.y;
  const double d = 2 * (bx * cy - by * cx);
  const double scale = std::max({std::hypot(bx, by), std::hypot(cx, cy), 1e-12});
  if (std::fabs(d) <= 1e-9 * scale * scale || IsSamePoint(p1, p2) || IsSamePoint(p2, p3) || IsSamePoint(p1, p3))
    return false;
  const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const double ux = (cy * b2 - by * c2) / d, uy = (bx * c2 - cx * b2) / d;
  centre = {p1.x + ux, p1.y + uy};
  r = std::hypot(ux, uy);
  return true;
}

GPoint SelectNearerPoint(const GPoint& ref, const GPoint& p1, const GPoint& p2) {
  return GetPointDistance(ref.x, ref.y, p2.x, p2.y) < GetPointDistance(ref.x, ref.y, p1.x, p1.y) ? p2 : p1;
}

void GetLineEquation(const GPoint& p1, const GPoint& p2, double& a, double& b, double& c) {
  const double dx = p2.x - p1.x, dy = p2.y - p1.y, len = std::hypot(dx, dy);
  if (len < 1e-12) {
    a = b = c = 0.0;
    return;
  }
  a = dy / len;
  b = -dx / len;
  c = -(a * p1.x + b * p1.y);
}

double GetSignFactor(double d) { return d < -kGeomTolerance ? -1.0 : 1.0; }

bool IsPointOnLine(const GPoint& p, const GPoint& a, const GPoint& b) {
  if (IsSamePoint(a, b)) return IsSamePoint(a, p);
  return std::fabs(GetPointLineDistance(p, a, b)) <= kGeomTolerance;
}

bool IsPointOnArc(const GPoint& p, const GPoint& c, double r, double start, double end) {
  const double d = GetPointDistance(c.x, c.y, p.x, p.y);
  if (std::fabs(d - r) > kGeomTolerance) return false;
  if (d < 1e-12) return true;  // a point arc: its centre
  return IsAngleInArc(GetLineAngle(c.x, c.y, p.x, p.y), start, end);
}
