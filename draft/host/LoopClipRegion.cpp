#include "draft/host/LoopClipRegion.h"

#include <algorithm>
#include <cmath>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

namespace {
using tressil::kGeomTolerance;

GPoint OnCircle(const GPoint& c, double r, double degrees) {
  const double a = DegreeToRadian(degrees);
  return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}
}  // namespace

CLoopClipRegion::CLoopClipRegion(const CEntityList& loops) {
  for (const CEntity* e : loops) {
    double v[kMaxGeometryValues];
    if (e->IsLine()) {
      e->GetGeometry(v);
      sides_.push_back({false, {v[0], v[1]}, {v[2], v[3]}, {}, 0.0, 0.0, 0.0});
    } else if (e->IsCircle()) {
      e->GetGeometry(v);
      sides_.push_back({true, {}, {}, {v[0], v[1]}, v[2], 0.0, 360.0});
    } else if (e->IsArc()) {
      e->GetGeometry(v);
      double start = NormalizeAngle(v[3]), end = NormalizeAngle(v[4]);
      MakeAngleRangeAscending(start, end, true);
      sides_.push_back({true, {}, {}, {v[0], v[1]}, v[2], start, end});
    }
  }
  for (const Side& s : sides_) {
    if (!s.arc) {
      chords_.push_back({s.a, s.b});
      continue;
    }
    const int steps = std::max(1, static_cast<int>(std::ceil((s.end - s.start) / 2.0)));
    GPoint from = OnCircle(s.c, s.r, s.start);
    for (int i = 1; i <= steps; ++i) {
      const GPoint to = OnCircle(s.c, s.r, s.start + (s.end - s.start) * i / steps);
      chords_.push_back({from, to});
      from = to;
    }
  }
}

bool CLoopClipRegion::OnSide(const Side& s, const GPoint& p) const {
  if (!s.arc)
    return IsPointInSegmentRange(s.a, s.b, p) && std::fabs(GetPointLineDistance(p, s.a, s.b)) <= kGeomTolerance;
  if (std::fabs(GetPointDistance(p.x, p.y, s.c.x, s.c.y) - s.r) > kGeomTolerance) return false;
  return s.end - s.start >= 360.0 - kGeomTolerance ||
         IsAngleInArc(GetLineAngle(s.c.x, s.c.y, p.x, p.y), s.start, NormalizeAngle(s.end));
}

bool CLoopClipRegion::Contains(const GPoint& p) const {
  for (const Side& s : sides_)
    if (OnSide(s, p)) return false;
  // Even-odd: the chords crossed by a ray from p. Its direction is one that
  // the chords' ends, which often lie level with a point tested, do not
  // meet.
  const double dx = 0.8816609430, dy = 0.4718950660;
  bool inside = false;
  for (const auto& [a, b] : chords_) {
    const double sa = dx * (a.y - p.y) - dy * (a.x - p.x);
    const double sb = dx * (b.y - p.y) - dy * (b.x - p.x);
    if ((sa > 0) == (sb > 0)) continue;
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double t = ((a.x - p.x) * ey - (a.y - p.y) * ex) / (dx * ey - dy * ex);
    if (t > 0) inside = !inside;
  }
  return inside;
}

void CLoopClipRegion::KeepOnSide(const Side& s, const GPoint* found, int count, std::vector<GPoint>& out) const {
  for (int i = 0; i < count; ++i)
    if (OnSide(s, found[i])) out.push_back(found[i]);
}

void CLoopClipRegion::CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const {
  for (const Side& s : sides_) {
    if (s.arc) {
      GPoint pts[2];
      KeepOnSide(s, pts, IntersectLineCircle(a, b, s.c, s.r, pts), out);
    } else {
      GPoint p;
      if (IntersectLines(a, b, s.a, s.b, p)) KeepOnSide(s, &p, 1, out);
    }
  }
}

void CLoopClipRegion::CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const {
  for (const Side& s : sides_) {
    GPoint pts[2];
    const int n = s.arc ? IntersectCircles(s.c, s.r, c, r, pts) : IntersectLineCircle(s.a, s.b, c, r, pts);
    KeepOnSide(s, pts, n, out);
  }
}

void CLoopClipRegion::CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const {
  for (const Side& s : sides_) {
    GPoint pts[4];
    const int n = s.arc ? IntersectCircleEllipse(s.c, s.r, g, pts) : IntersectLineEllipse(s.a, s.b, g, pts);
    KeepOnSide(s, pts, n, out);
  }
}
