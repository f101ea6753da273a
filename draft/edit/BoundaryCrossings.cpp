#include "draft/edit/BoundaryCrossings.h"

#include "draft/host/CurveGeometry.h"
#include "draft/host/Entity.h"
#include "draft/host/LineServices.h"

std::vector<double> EntityValues(const CEntity* e) {
  double v[kMaxGeometryValues] = {};
  const int n = e->GetGeometry(v);
  return std::vector<double>(v, v + n);
}

EllipseGeom EllipseGeomOf(const CEntity* e) {
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  EllipseGeom g = ConstructEllipseGeom(v);
  PrepareEllipseGeom(g);
  return g;
}

GPoint NearestCandidate(const GPoint& p, const GPoint* c, int n) {
  if (n <= 1) return c[0];
  if (n == 2) return SelectEndPoint(p, c[0], c[1], 1);
  if (n == 3) return SelectEndPoint(p, SelectEndPoint(p, c[0], c[1], 1), c[2], 1);
  return SelectEndPoint(p, SelectEndPoint(p, c[0], c[1], 1), SelectEndPoint(p, c[2], c[3], 1), 1);
}

int BoundaryCrossings(const CEntity* held, const CEntity* boundary, GPoint out[4]) {
  const bool bLine = boundary->IsLine(), bCircle = boundary->IsCircle() || boundary->IsArc();
  const bool bEllipse = boundary->IsEllipse();
  if (!bLine && !bCircle && !bEllipse) return 0;
  const std::vector<double> hv = EntityValues(held), bv = EntityValues(boundary);
  const GPoint b1{bv[0], bv[1]};
  if (held->IsLine() || held->IsTwoPointEntity()) {
    const GPoint h1{hv[0], hv[1]}, h2{hv[2], hv[3]};
    if (bLine) return IntersectLines(h1, h2, b1, GPoint{bv[2], bv[3]}, out[0]) ? 1 : 0;
    if (bCircle) return IntersectLineCircleEx(h1, h2, b1, bv[2], out);
    return IntersectLineEllipse(h1, h2, EllipseGeomOf(boundary), out);
  }
  if (held->IsArc() || held->IsCircle()) {
    const GPoint c{hv[0], hv[1]};
    const double r = hv[2];
    if (bLine) return IntersectLineCircleEx(b1, GPoint{bv[2], bv[3]}, c, r, out);
    if (bCircle) return IntersectCircles(c, r, b1, bv[2], out);
    return IntersectCircleEllipse(c, r, EllipseGeomOf(boundary), out);
  }
  if (!held->IsEllipse()) return 0;
  const EllipseGeom hg = EllipseGeomOf(held);
  if (bLine) return IntersectLineEllipse(b1, GPoint{bv[2], bv[3]}, hg, out);
  if (bCircle) return IntersectCircleEllipse(b1, bv[2], hg, out);
  return IntersectEllipses(hg, EllipseGeomOf(boundary), out);
}
