// CEntity: the queries that work on any kind through its geometry and
// pieces: the group geometry, intersections with an arc, the parallel test
// and the parts of an entity.
#include <cmath>
#include <vector>

#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

BOOL CEntity::IsParallelTo(const CEntity& other) const {
  auto direction = [](const CEntity& e, GPoint& d) {
    if (!e.IsLine() && !e.IsTwoPointEntity()) return false;
    double v[kMaxGeometryValues];
    e.GetGeometry(v);
    const double len = GetPointDistance(v[0], v[1], v[2], v[3]);
    if (len < tressil::kGeomTolerance) return false;
    d = {(v[2] - v[0]) / len, (v[3] - v[1]) / len};
    return true;
  };
  GPoint a, b;
  if (!direction(*this, a) || !direction(other, b)) return FALSE;
  return std::fabs(a.x * b.y - a.y * b.x) <= tressil::kGeomTolerance ? TRUE : FALSE;
}

int CEntity::ExplodeInto(int, CEntityList& out, int, int, int) const {
  out.AddTail(const_cast<CEntity*>(this));
  return 1;
}

int CEntity::GetGroupGeometry(double* v) const {
  const int n = GetGeometry(v);
  const CDrawingGroup* g = GetEntityGroup();
  if (!g) return n;
  auto point = [&](int i) {
    const GPoint p = g->ToGroup({v[i], v[i + 1]});
    v[i] = p.x;
    v[i + 1] = p.y;
  };
  const double s = GetEntityScale();
  switch (GetKind()) {
    case EntityKind::kLine:
    case EntityKind::kTwoPoint:
      point(0);
      point(2);
      break;
    case EntityKind::kCircle:
    case EntityKind::kArc:
      point(0);
      v[2] /= s;
      break;
    case EntityKind::kEllipse:
    case EntityKind::kTable:
      point(0);
      v[2] /= s;
      v[3] /= s;
      break;
    case EntityKind::kPoint:
    case EntityKind::kText:
      point(0);
      break;
    case EntityKind::kBlock:
      break;
  }
  return n;
}

int CEntity::GetIntersections(double cx, double cy, double r, double start, double end, double* xs, double* ys,
                              int option) const {
  if (!xs || !ys || !(r > tressil::kGeomTolerance) || !std::isfinite(cx + cy + r + start + end)) return 0;
  const GPoint c{cx, cy};
  const ShapePiece arc = option ? ShapePiece::Arc(c, r, start, end) : ShapePiece::Arc(c, r, 0.0, 360.0);
  ShapePieces pieces;
  GetPieces(pieces);
  std::vector<GPoint> hits;
  for (const ShapePiece& p : pieces) {
    if (p.kind != ShapePiece::kSegment && p.kind != ShapePiece::kArc) continue;
    if (option) {
      korrin::IntersectPieces(p, arc, hits);
    } else if (p.kind == ShapePiece::kSegment) {
      GPoint pts[2];
      const int n = IntersectLineCircle(p.a, p.b, c, r, pts);
      hits.insert(hits.end(), pts, pts + n);
    } else {
      GPoint pts[2];
      const int n = IntersectCircles(p.c, p.r, c, r, pts);
      hits.insert(hits.end(), pts, pts + n);
    }
  }
  int count = 0;
  for (const GPoint& p : hits) {
    if (count >= kMaxArcIntersections) break;
    bool seen = false;
    for (int i = 0; i < count && !seen; ++i) seen = IsSamePoint(xs[i], ys[i], p.x, p.y);
    if (seen) continue;
    xs[count] = p.x;
    ys[count] = p.y;
    ++count;
  }
  return count;
}
