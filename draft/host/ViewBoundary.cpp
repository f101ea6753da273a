// CDraftView: the closed-boundary search (see BoundarySearch.h). The lines,
// arcs and circles of the source list, members of compound entities
// included, are the candidates; the sides found become new entities of the
// caller, each with the layer and group of the entity it lies on.
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/BoundarySearch.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingService.h"
#include "draft/host/LineEntity.h"

BOOL CDraftView::FindClosedBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x,
                                    double y, int hideCentre, int hideThin, int, int, int) {
  if (theDrawingService.IsHiding(this)) return FindHiddenCopies(source, boundary, second, x, y, hideCentre, hideThin);
  return FindPlainBoundary(source, boundary, second, x, y, hideCentre, hideThin);
}

BOOL CDraftView::FindPlainBoundary(const CEntityList& source, CEntityList& boundary, CEntityList& second, double x,
                                   double y, int hideCentre, int hideThin) {
  CEntityList all;
  for (const CEntity* e : source) e->ListInto(all);
  std::vector<velmish::BoundaryCurve> curves;
  for (const CEntity* e : all) {
    if (!e->IsLine() && !e->IsArc() && !e->IsCircle()) continue;
    if (IsRegistered(e)) continue;
    const CLayerRecord* rec = GetEntityLayerInfo(e);
    if (rec && hideCentre && rec->GetLineKind() == kLineStyleCenter) continue;
    if (rec && hideThin && rec->GetLineKind() == kLineStyleThin) continue;
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    if (e->IsLine())
      curves.push_back(velmish::BoundaryCurve::Line({v[0], v[1]}, {v[2], v[3]}, e));
    else if (e->IsCircle())
      curves.push_back(velmish::BoundaryCurve::Circle({v[0], v[1]}, v[2], e));
    else
      curves.push_back(velmish::BoundaryCurve::Arc({v[0], v[1]}, v[2], v[3], v[4], e));
  }
  const velmish::BoundarySearch search(std::move(curves));
  std::vector<velmish::BoundarySide> sides;
  if (!search.Find({x, y}, sides)) return FALSE;
  for (const velmish::BoundarySide& s : sides) {
    const CEntity* src = s.source;
    CEntity* made = nullptr;
    if (s.circle) {
      made = ConstructCircleEntity(src->GetEntityLayer(), src->GetEntityGroup(), s.c.x, s.c.y, s.r);
    } else if (s.arc) {
      // Arcs run counter-clockwise; a side walked clockwise starts at its end.
      const GPoint& a = s.ccw ? s.from : s.to;
      const GPoint& b = s.ccw ? s.to : s.from;
      made = ConstructArcEntity(src->GetEntityLayer(), src->GetEntityGroup(), s.c.x, s.c.y, s.r,
                                GetLineAngle(s.c.x, s.c.y, a.x, a.y), GetLineAngle(s.c.x, s.c.y, b.x, b.y));
    } else {
      made = ConstructLineEntity(src->GetEntityLayer(), src->GetEntityGroup(), s.from.x, s.from.y, s.to.x, s.to.y);
    }
    boundary.AddTail(made);
    if (!second.Contains(src)) second.AddTail(const_cast<CEntity*>(src));
  }
  return TRUE;
}
