// CDraftView: the closed-boundary search. The lines of the drawing are cut
// at every crossing into a planar graph; its faces are traced, and the
// smallest face holding the point is the boundary. Consecutive collinear
// edges are joined, so a cell of a table comes back as its four sides.
#include <algorithm>
#include <cmath>
#include <map>

#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"

namespace {
using tressil::kGeomTolerance;

struct Edge {  // a piece of a source line between two vertices
  int from, to;
  const CEntity* source;
};

struct Graph {
  std::vector<GPoint> vertices;
  std::vector<Edge> halfEdges;            // 2k and 2k+1 are twins
  std::vector<std::vector<int>> outgoing;  // per vertex, sorted by angle

  int Vertex(GPoint p) {
    for (size_t i = 0; i < vertices.size(); ++i)
      if (IsSamePoint(vertices[i], p)) return static_cast<int>(i);
    vertices.push_back(p);
    return static_cast<int>(vertices.size() - 1);
  }
  double Angle(int h) const {
    const GPoint& a = vertices[halfEdges[h].from];
    const GPoint& b = vertices[halfEdges[h].to];
    return std::atan2(b.y - a.y, b.x - a.x);
  }
};

bool Collinear(const GPoint& a, const GPoint& b, const GPoint& c) {
  return std::fabs(GetPointLineDistance(c, a, b)) < kGeomTolerance * 10;
}

bool InsidePolygon(const std::vector<GPoint>& poly, GPoint p) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const GPoint& a = poly[i];
    const GPoint& b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}
}  // namespace

BOOL CDraftView::FindClosedBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x,
                                    double y, int hideCentre, int hideThin, int, int, int) {
  struct Segment {
    GPoint a, b;
    const CEntity* e;
  };
  std::vector<Segment> segments;
  for (const CEntity* e : source) {
    if (!e->IsLine()) continue;
    const CLayerRecord* rec = GetEntityLayerInfo(e);
    if (rec && hideCentre && rec->GetLineKind() == kLineStyleCenter) continue;
    if (rec && hideThin && rec->GetLineKind() == kLineStyleThin) continue;
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    if (IsSamePoint(v[0], v[1], v[2], v[3])) continue;
    segments.push_back({{v[0], v[1]}, {v[2], v[3]}, e});
  }

  // Cut every segment at the points where others cross or touch it.
  Graph g;
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    std::vector<std::pair<double, GPoint>> cuts = {{0.0, s.a}, {1.0, s.b}};
    const double len = GetPointDistance(s.a.x, s.a.y, s.b.x, s.b.y);
    for (size_t j = 0; j < segments.size(); ++j) {
      if (i == j) continue;
      GPoint p;
      if (IntersectSegments(s.a, s.b, segments[j].a, segments[j].b, p))
        cuts.emplace_back(GetPointDistance(s.a.x, s.a.y, p.x, p.y) / len, p);
    }
    std::sort(cuts.begin(), cuts.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    for (size_t k = 1; k < cuts.size(); ++k) {
      const int u = g.Vertex(cuts[k - 1].second), v = g.Vertex(cuts[k].second);
      if (u == v) continue;
      bool duplicate = false;
      for (size_t h = 0; h < g.halfEdges.size() && !duplicate; h += 2)
        duplicate = (g.halfEdges[h].from == u && g.halfEdges[h].to == v) ||
                    (g.halfEdges[h].from == v && g.halfEdges[h].to == u);
      if (duplicate) continue;
      g.halfEdges.push_back({u, v, s.e});
      g.halfEdges.push_back({v, u, s.e});
    }
  }
  if (g.halfEdges.empty()) return FALSE;

  // Outgoing half-edges of each vertex by angle.
  g.outgoing.assign(g.vertices.size(), {});
  for (size_t h = 0; h < g.halfEdges.size(); ++h) g.outgoing[g.halfEdges[h].from].push_back(static_cast<int>(h));
  for (auto& list : g.outgoing)
    std::sort(list.begin(), list.end(), [&](int l, int r) { return g.Angle(l) < g.Angle(r); });

  // Trace faces: after u->v, continue with the edge at v that comes next
  // clockwise from v->u, which keeps the face on the left.
  std::vector<bool> used(g.halfEdges.size(), false);
  const GPoint at{x, y};
  double bestArea = 0.0;
  std::vector<int> best;
  for (size_t start = 0; start < g.halfEdges.size(); ++start) {
    if (used[start]) continue;
    std::vector<int> face;
    int h = static_cast<int>(start);
    bool ok = true;
    while (!used[h]) {
      used[h] = true;
      face.push_back(h);
      const int twin = h ^ 1;
      const auto& out = g.outgoing[g.halfEdges[h].to];
      const auto it = std::find(out.begin(), out.end(), twin);
      const size_t idx = static_cast<size_t>(it - out.begin());
      h = out[(idx + out.size() - 1) % out.size()];
      if (face.size() > g.halfEdges.size()) {
        ok = false;
        break;
      }
    }
    if (!ok || h != static_cast<int>(start) || face.size() < 3) continue;
    std::vector<GPoint> poly;
    double area = 0.0;
    for (int e : face) poly.push_back(g.vertices[g.halfEdges[e].from]);
    for (size_t i = 0; i < poly.size(); ++i) {
      const GPoint& a = poly[i];
      const GPoint& b = poly[(i + 1) % poly.size()];
      area += a.x * b.y - b.x * a.y;
    }
    area /= 2;
    if (area <= kGeomTolerance) continue;  // the outer face of a component
    if (!InsidePolygon(poly, at)) continue;
    if (best.empty() || area < bestArea) {
      best = face;
      bestArea = area;
    }
  }
  if (best.empty()) return FALSE;

  // Join collinear runs (starting the loop at a corner) and make the lines.
  std::vector<GPoint> corners;
  std::vector<const CEntity*> sources;
  const size_t n = best.size();
  size_t first = 0;
  for (size_t i = 0; i < n; ++i) {
    const GPoint& prev = g.vertices[g.halfEdges[best[(i + n - 1) % n]].from];
    const GPoint& here = g.vertices[g.halfEdges[best[i]].from];
    const GPoint& next = g.vertices[g.halfEdges[best[i]].to];
    if (!Collinear(prev, here, next)) {
      first = i;
      break;
    }
  }
  for (size_t k = 0; k < n; ++k) {
    const size_t i = (first + k) % n;
    const GPoint& prev = g.vertices[g.halfEdges[best[(i + n - 1) % n]].from];
    const GPoint& here = g.vertices[g.halfEdges[best[i]].from];
    const GPoint& next = g.vertices[g.halfEdges[best[i]].to];
    if (k == 0 || !Collinear(prev, here, next)) {
      corners.push_back(here);
      sources.push_back(g.halfEdges[best[i]].source);
    }
  }
  for (size_t i = 0; i < corners.size(); ++i) {
    const GPoint& a = corners[i];
    const GPoint& b = corners[(i + 1) % corners.size()];
    const CEntity* src = sources[i];
    boundary.AddTail(new CLineEntity(src->GetEntityLayer(), src->GetEntityGroup(), a.x, a.y, b.x, b.y));
    if (!second.Contains(src)) second.AddTail(const_cast<CEntity*>(src));
  }
  return TRUE;
}
