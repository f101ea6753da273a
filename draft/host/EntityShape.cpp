#include "draft/host/EntityShape.h"

#include <algorithm>
#include <cmath>
#include <limits>

using tressil::kGeomTolerance;

ShapePiece ShapePiece::Point(GPoint p) {
  ShapePiece s;
  s.kind = kPoint;
  s.a = p;
  return s;
}

ShapePiece ShapePiece::Segment(GPoint a, GPoint b, bool approximate) {
  ShapePiece s;
  s.kind = kSegment;
  s.a = a;
  s.b = b;
  s.approximate = approximate;
  return s;
}

ShapePiece ShapePiece::Arc(GPoint c, double r, double start, double end) {
  ShapePiece s;
  s.kind = kArc;
  s.c = c;
  s.r = r;
  s.start = start;
  s.end = end;
  MakeAngleRangeAscending(s.start, s.end, true);
  return s;
}

ShapePiece ShapePiece::Centre(GPoint c) {
  ShapePiece s;
  s.kind = kCentre;
  s.c = c;
  return s;
}

bool ShapePiece::IsFullCircle() const { return kind == kArc && end - start >= 360.0 - kGeomTolerance; }

static GPoint OnCircle(GPoint c, double r, double deg) {
  const double a = DegreeToRadian(deg);
  return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}

GPoint ShapePiece::ArcStart() const { return OnCircle(c, r, start); }
GPoint ShapePiece::ArcEnd() const { return OnCircle(c, r, end); }
GPoint ShapePiece::ArcMid() const { return OnCircle(c, r, (start + end) / 2); }

namespace korrin {

static double SegmentDistance(GPoint a, GPoint b, GPoint p) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  double t = len2 > 1e-24 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return GetPointDistance(p.x, p.y, a.x + t * dx, a.y + t * dy);
}

double PieceDistance(const ShapePiece& s, GPoint p) {
  switch (s.kind) {
    case ShapePiece::kPoint:
      return GetPointDistance(p.x, p.y, s.a.x, s.a.y);
    case ShapePiece::kSegment:
      return SegmentDistance(s.a, s.b, p);
    case ShapePiece::kArc: {
      const double d = GetPointDistance(p.x, p.y, s.c.x, s.c.y);
      if (IsAngleInArc(GetLineAngle(s.c.x, s.c.y, p.x, p.y), s.start, s.end) || d < 1e-12)
        return std::fabs(d - s.r);
      const GPoint e1 = s.ArcStart(), e2 = s.ArcEnd();
      return std::min(GetPointDistance(p.x, p.y, e1.x, e1.y), GetPointDistance(p.x, p.y, e2.x, e2.y));
    }
    case ShapePiece::kCentre:
      break;
  }
  return std::numeric_limits<double>::infinity();
}

static bool OnArc(const ShapePiece& arc, GPoint p) {
  return IsAngleInArc(GetLineAngle(arc.c.x, arc.c.y, p.x, p.y), arc.start, arc.end);
}

void IntersectPieces(const ShapePiece& a, const ShapePiece& b, std::vector<GPoint>& out) {
  if (a.kind == ShapePiece::kSegment && b.kind == ShapePiece::kSegment) {
    GPoint p;
    if (IntersectSegments(a.a, a.b, b.a, b.b, p)) out.push_back(p);
    return;
  }
  if (a.kind == ShapePiece::kArc && b.kind == ShapePiece::kSegment) {
    IntersectPieces(b, a, out);
    return;
  }
  GPoint pts[2];
  if (a.kind == ShapePiece::kSegment && b.kind == ShapePiece::kArc) {
    const int n = IntersectLineCircle(a.a, a.b, b.c, b.r, pts);
    for (int i = 0; i < n; ++i)
      if (IsPointInSegmentRange(a.a, a.b, pts[i]) && OnArc(b, pts[i])) out.push_back(pts[i]);
    return;
  }
  if (a.kind == ShapePiece::kArc && b.kind == ShapePiece::kArc) {
    const int n = IntersectCircles(a.c, a.r, b.c, b.r, pts);
    for (int i = 0; i < n; ++i)
      if (OnArc(a, pts[i]) && OnArc(b, pts[i])) out.push_back(pts[i]);
  }
}

static void Grow(GPoint p, double& xmin, double& ymin, double& xmax, double& ymax) {
  xmin = std::min(xmin, p.x);
  ymin = std::min(ymin, p.y);
  xmax = std::max(xmax, p.x);
  ymax = std::max(ymax, p.y);
}

bool PieceExtents(const ShapePiece& s, double& xmin, double& ymin, double& xmax, double& ymax) {
  switch (s.kind) {
    case ShapePiece::kPoint:
      Grow(s.a, xmin, ymin, xmax, ymax);
      return true;
    case ShapePiece::kSegment:
      Grow(s.a, xmin, ymin, xmax, ymax);
      Grow(s.b, xmin, ymin, xmax, ymax);
      return true;
    case ShapePiece::kArc:
      Grow(s.ArcStart(), xmin, ymin, xmax, ymax);
      Grow(s.ArcEnd(), xmin, ymin, xmax, ymax);
      for (int q = 0; q < 4; ++q)
        if (IsAngleInArc(q * 90.0, s.start, s.end)) Grow(OnCircle(s.c, s.r, q * 90.0), xmin, ymin, xmax, ymax);
      return true;
    case ShapePiece::kCentre:
      break;
  }
  return false;
}

bool PieceTouchesRect(const ShapePiece& s, double xmin, double ymin, double xmax, double ymax) {
  auto inside = [&](GPoint p) {
    return p.x >= xmin - kGeomTolerance && p.x <= xmax + kGeomTolerance && p.y >= ymin - kGeomTolerance &&
           p.y <= ymax + kGeomTolerance;
  };
  switch (s.kind) {
    case ShapePiece::kPoint:
      return inside(s.a);
    case ShapePiece::kSegment:
      if (inside(s.a) || inside(s.b)) return true;
      break;
    case ShapePiece::kArc:
      if (inside(s.ArcStart())) return true;
      break;
    case ShapePiece::kCentre:
      return false;
  }
  const GPoint c[4] = {{xmin, ymin}, {xmax, ymin}, {xmax, ymax}, {xmin, ymax}};
  std::vector<GPoint> hits;
  for (int i = 0; i < 4; ++i) IntersectPieces(s, ShapePiece::Segment(c[i], c[(i + 1) % 4]), hits);
  return !hits.empty();
}

}  // namespace korrin
