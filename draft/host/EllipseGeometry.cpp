#include "draft/host/EllipseGeometry.h"

#include <cmath>
#include <functional>
#include <vector>

#include "draft/host/DraftView.h"

using tressil::kGeomTolerance;

namespace {
// p in the ellipse's own axes.
GPoint ToLocal(const EllipseGeom& g, const GPoint& p) {
  const double r = DegreeToRadian(g.rotation);
  const double dx = p.x - g.cx, dy = p.y - g.cy;
  return {dx * std::cos(r) + dy * std::sin(r), -dx * std::sin(r) + dy * std::cos(r)};
}

GPoint FromLocal(const EllipseGeom& g, const GPoint& q) {
  const double r = DegreeToRadian(g.rotation);
  return {g.cx + q.x * std::cos(r) - q.y * std::sin(r), g.cy + q.x * std::sin(r) + q.y * std::cos(r)};
}

GPoint EllipsePoint(const EllipseGeom& g, double t) {
  const double tr = DegreeToRadian(t);
  return FromLocal(g, {g.a * std::cos(tr), g.b * std::sin(tr)});
}

void AddUnique(std::vector<GPoint>& out, const GPoint& p) {
  for (const GPoint& q : out)
    if (std::fabs(q.x - p.x) <= 1e-6 * (1 + std::fabs(p.x)) && std::fabs(q.y - p.y) <= 1e-6 * (1 + std::fabs(p.y)))
      return;
  out.push_back(p);
}

// The zeros of f over a whole turn of the parameter: sign changes refined
// by bisection, and near-zero minima of |f| (tangent points).
std::vector<GPoint> ZerosOnEllipse(const EllipseGeom& g, const std::function<double(const GPoint&)>& f) {
  constexpr int kSteps = 1440;
  std::vector<GPoint> found;
  std::vector<double> values(kSteps + 1);
  for (int i = 0; i <= kSteps; ++i) values[i] = f(EllipsePoint(g, 360.0 * i / kSteps));
  const double scale = std::max(g.a, g.b);
  for (int i = 0; i < kSteps; ++i) {
    double t0 = 360.0 * i / kSteps, t1 = 360.0 * (i + 1) / kSteps;
    double f0 = values[i], f1 = values[i + 1];
    if (f0 == 0) {
      AddUnique(found, EllipsePoint(g, t0));
      continue;
    }
    if ((f0 < 0) != (f1 < 0) && f1 != 0) {
      for (int k = 0; k < 80; ++k) {
        const double tm = (t0 + t1) / 2, fm = f(EllipsePoint(g, tm));
        if ((fm < 0) == (f0 < 0)) {
          t0 = tm;
          f0 = fm;
        } else {
          t1 = tm;
        }
      }
      AddUnique(found, EllipsePoint(g, (t0 + t1) / 2));
      continue;
    }
    // A touching point: |f| has a minimum near zero between samples.
    const int prev = i == 0 ? kSteps - 1 : i - 1;
    if (std::fabs(values[i]) < std::fabs(values[prev]) && std::fabs(values[i]) <= std::fabs(values[i + 1]) &&
        (values[i] < 0) == (values[prev] < 0) && (values[i] < 0) == (values[i + 1] < 0)) {
      double lo = 360.0 * (i - 1) / kSteps, hi = 360.0 * (i + 1) / kSteps;
      for (int k = 0; k < 100; ++k) {  // golden-section search on |f|
        const double m1 = lo + (hi - lo) * 0.381966, m2 = lo + (hi - lo) * 0.618034;
        if (std::fabs(f(EllipsePoint(g, m1))) < std::fabs(f(EllipsePoint(g, m2))))
          hi = m2;
        else
          lo = m1;
      }
      const double tm = (lo + hi) / 2;
      if (std::fabs(f(EllipsePoint(g, tm))) <= 1e-9 * scale * scale) AddUnique(found, EllipsePoint(g, tm));
    }
  }
  return found;
}

int CopyOut(const std::vector<GPoint>& found, GPoint* out, int max) {
  int n = 0;
  for (const GPoint& p : found) {
    if (n >= max) break;
    out[n++] = p;
  }
  return n;
}
}  // namespace

EllipseGeom ConstructEllipseGeom(const double* v) {
  EllipseGeom g;
  g.cx = v[0];
  g.cy = v[1];
  g.a = v[2];
  g.b = v[3];
  g.rotation = v[4];
  g.start = v[5];
  g.end = v[6];
  return g;
}

void PrepareEllipseGeom(EllipseGeom& g) {
  g.a = std::fabs(g.a);
  g.b = std::fabs(g.b);
  if (std::fabs(g.end - g.start) <= kGeomTolerance || std::fabs(std::fabs(g.end - g.start) - 360.0) <= kGeomTolerance) {
    g.start = 0;
    g.end = 360;
    return;
  }
  MakeAngleRangeAscending(g.start, g.end);
}

int GetEllipseGeomParams(const EllipseGeom& g, double* v) {
  v[0] = g.cx;
  v[1] = g.cy;
  v[2] = g.a;
  v[3] = g.b;
  v[4] = g.rotation;
  v[5] = g.start;
  v[6] = g.end;
  return 7;
}

double CEllipseCalculator::AngleOfPoint(const GPoint& p) const {
  const GPoint q = ToLocal(g_, p);
  if (g_.a <= 0 || g_.b <= 0) return 0.0;
  if (std::fabs(q.x) <= kGeomTolerance && std::fabs(q.y) <= kGeomTolerance) return 0.0;
  return NormalizeAngle(RadianToDegree(std::atan2(q.y / g_.b, q.x / g_.a)));
}

double GetEllipsePointAngle(const GPoint& c, double a, double b, double rotation, const GPoint& p) {
  CEllipseCalculator calculator;
  EllipseGeom g;
  g.cx = c.x;
  g.cy = c.y;
  g.a = a;
  g.b = b;
  g.rotation = rotation;
  calculator.SetEllipse(g);
  return calculator.AngleOfPoint(p);
}

GPoint CEllipseCalculator::PointAt(double t) const { return EllipsePoint(g_, t); }

bool CEllipseCalculator::IsAngleInRange(double t, double start, double end) const {
  if (std::fabs(end - start) <= kGeomTolerance) return true;
  return IsAngleInArc(t, start, end);
}

CEllipseCalculator& GetEllipseCalculator() {
  static CEllipseCalculator calculator;
  return calculator;
}

int IntersectLineEllipse(const GPoint& a, const GPoint& b, const EllipseGeom& g, GPoint out[2]) {
  if (g.a <= 0 || g.b <= 0 || IsSamePoint(a, b)) return 0;
  // In the ellipse's axes scaled to a unit circle the line meets a circle.
  const GPoint la = ToLocal(g, a), lb = ToLocal(g, b);
  const GPoint ua{la.x / g.a, la.y / g.b}, ub{lb.x / g.a, lb.y / g.b};
  GPoint hits[2];
  const int n = IntersectLineCircle(ua, ub, GPoint{0, 0}, 1.0, hits);
  for (int i = 0; i < n; ++i) out[i] = FromLocal(g, {hits[i].x * g.a, hits[i].y * g.b});
  return n;
}

int IntersectCircleEllipse(const GPoint& c, double r, const EllipseGeom& g, GPoint out[4]) {
  if (g.a <= 0 || g.b <= 0 || r <= 0) return 0;
  const auto f = [&](const GPoint& p) { return (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y) - r * r; };
  return CopyOut(ZerosOnEllipse(g, f), out, 4);
}

int IntersectEllipses(const EllipseGeom& g1, const EllipseGeom& g2, GPoint out[4]) {
  if (g1.a <= 0 || g1.b <= 0 || g2.a <= 0 || g2.b <= 0) return 0;
  const auto f = [&](const GPoint& p) {
    const GPoint q = ToLocal(g2, p);
    return (q.x / g2.a) * (q.x / g2.a) + (q.y / g2.b) * (q.y / g2.b) - 1.0;
  };
  return CopyOut(ZerosOnEllipse(g1, f), out, 4);
}

void DrawEllipseArcPreview(CDraftView* view, const EllipseGeom& g, double start, double end) {
  if (view) view->DrawEllipsePreview(g.cx, g.cy, g.a, g.b, g.rotation, start, end);
}
