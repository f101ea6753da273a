// The drafting view's services of connecting arcs: the centre of an arc
// tangent to one entity with its centre on another, and the cutting of the
// tangent entity at the tangent point (see DraftView.h).
#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TangentGeometry.h"
#include "draft/host/UndoRecord.h"

using tressil::kGeomTolerance;

namespace {
// A carrier: an infinite line a-b, or a circle (c, r).
struct ArcCarrier {
  bool line = false;
  GPoint a, b, c;
  double r = 0.0;
};

bool ReadCarrier(const CEntity* e, ArcCarrier& out) {
  if (!e) return false;
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  if (e->IsLine()) {
    out.line = true;
    out.a = {v[0], v[1]};
    out.b = {v[2], v[3]};
    return !IsSamePoint(out.a, out.b);
  }
  if (!e->IsCircle() && !e->IsArc()) return false;
  out.c = {v[0], v[1]};
  out.r = v[2];
  return out.r > kGeomTolerance;
}

int MeetCarriers(const ArcCarrier& p, const ArcCarrier& q, GPoint out[2]) {
  if (p.line && q.line) return IntersectLines(p.a, p.b, q.a, q.b, out[0]) ? 1 : 0;
  if (p.line) return IntersectLineCircle(p.a, p.b, q.c, q.r, out);
  if (q.line) return IntersectLineCircle(q.a, q.b, p.c, p.r, out);
  return IntersectCirclesEx(p.c, p.r, q.c, q.r, out);
}

// The point where the arc (centre, radius) touches the connected carrier.
GPoint TouchPoint(const ArcCarrier& e, const GPoint& centre, double radius, int tangency) {
  if (e.line) return GetPerpendicularFoot(e.a, e.b, centre);
  const double d = GetPointDistance(e.c.x, e.c.y, centre.x, centre.y);
  // Inside a larger arc the touching point lies on the far side of the
  // circle's centre.
  const double s = tangency == 0 && radius > e.r ? -1.0 : 1.0;
  return {e.c.x + s * e.r * (centre.x - e.c.x) / d, e.c.y + s * e.r * (centre.y - e.c.y) / d};
}

double Dot(double angle, const GPoint& from, const GPoint& to) {
  const double a = DegreeToRadian(angle);
  return (to.x - from.x) * std::cos(a) + (to.y - from.y) * std::sin(a);
}
}  // namespace

BOOL CDraftView::SolveArcCentreOnEntity(const CEntity* connected, const CEntity* centreEntity, double, double,
                                        double p2x, double p2y, double radius, int tangency, int flip, double& cx,
                                        double& cy, double& tangentAngle, double& tx, double& ty) const {
  ArcCarrier e, on;
  if (radius <= kGeomTolerance || !ReadCarrier(connected, e) || !ReadCarrier(centreEntity, on)) return FALSE;
  // The curves at `radius` from the connected entity.
  std::vector<ArcCarrier> offsets;
  if (e.line) {
    const double len = GetPointDistance(e.a.x, e.a.y, e.b.x, e.b.y);
    const double nx = -(e.b.y - e.a.y) / len * radius, ny = (e.b.x - e.a.x) / len * radius;
    for (double s : {1.0, -1.0}) {
      ArcCarrier c;
      c.line = true;
      c.a = {e.a.x + s * nx, e.a.y + s * ny};
      c.b = {e.b.x + s * nx, e.b.y + s * ny};
      offsets.push_back(c);
    }
  } else {
    ArcCarrier c;
    c.c = e.c;
    c.r = tangency ? e.r + radius : std::fabs(radius - e.r);
    if (c.r <= kGeomTolerance) return FALSE;  // the arc would lie on the circle
    offsets.push_back(c);
  }
  const GPoint pick{p2x, p2y};
  std::vector<GPoint> found;
  for (const ArcCarrier& c : offsets) {
    GPoint pts[2];
    const int n = MeetCarriers(c, on, pts);
    found.insert(found.end(), pts, pts + n);
  }
  if (found.empty()) return FALSE;
  std::stable_sort(found.begin(), found.end(), [&](const GPoint& p, const GPoint& q) {
    return GetPointDistance(p.x, p.y, pick.x, pick.y) < GetPointDistance(q.x, q.y, pick.x, pick.y);
  });
  const GPoint centre = flip && found.size() > 1 ? found[1] : found[0];
  const GPoint t = TouchPoint(e, centre, radius, tangency);
  cx = centre.x;
  cy = centre.y;
  tx = t.x;
  ty = t.y;
  tangentAngle = GetLineAngle(centre.x, centre.y, t.x, t.y);
  return TRUE;
}

CEntity* CDraftView::DeriveLineEntity(const CEntity* entity, double angle, double tx, double ty) const {
  if (!entity || !entity->IsLine()) return nullptr;
  double v[kMaxGeometryValues] = {};
  entity->GetGeometry(v);
  const GPoint t{tx, ty}, a{v[0], v[1]}, b{v[2], v[3]};
  const GPoint keep = Dot(angle, t, a) >= Dot(angle, t, b) ? a : b;
  CEntity* piece = entity->Clone();
  // Nothing on that side: the point lies beyond the line, which stays whole.
  if (Dot(angle, t, keep) > kGeomTolerance) piece->SetEndPoints(keep.x, keep.y, t.x, t.y, 0);
  piece->SetTemporary(true);
  piece->SetEntityOwner(entity->GetEntityOwner());
  return piece;
}

CEntity* CDraftView::DeriveArcEntity(const CEntity* entity, double angle, double tx, double ty) const {
  if (!entity || !entity->IsArc()) return nullptr;
  double v[kMaxGeometryValues] = {};
  entity->GetGeometry(v);
  const GPoint c{v[0], v[1]};
  const double at = GetLineAngle(c.x, c.y, tx, ty);
  // Counter-clockwise along the arc at the point is `at` + 90.
  const bool forward = std::cos(DegreeToRadian(angle - (at + 90.0))) > 0;
  double start = v[3], end = v[4];
  MakeAngleRangeAscending(start, end);
  const double sweep = end - start;
  // Where the point lies, counter-clockwise from the start: on the arc, in
  // the gap next to its end, or in the gap next to its start.
  const double off = NormalizeAngle(at - start);
  const double gap = 360.0 - sweep;
  const bool pastEnd = off > sweep + kGeomTolerance && off - sweep < gap / 2;
  const bool beforeStart = off > sweep + kGeomTolerance && !pastEnd;
  if (forward && !pastEnd) start = at;
  if (!forward && !beforeStart) end = at;
  // A point beyond the arc on the side away from what is kept leaves it whole.
  MakeAngleRangeAscending(start, end);
  if (end - start <= kGeomTolerance) return nullptr;
  CArcEntity* piece = ConstructArcEntity(entity->GetEntityLayer(), entity->GetEntityGroup(), c.x, c.y, v[2], start,
                                         end, 0);
  piece->SetEntityOwner(entity->GetEntityOwner());
  return piece;
}

namespace {
BOOL PutPiece(CDraftView& view, CEntity* entity, CEntity* piece, CUndoRecord* record) {
  if (!piece) {
    if (record) record->AddOld(entity);
    return TRUE;
  }
  piece->SetTemporary(false);
  piece->SetEntityOwner(entity->GetEntityOwner());
  view.AddEntityToView(piece, record, entity, 1);
  return TRUE;
}
}  // namespace

BOOL CDraftView::TrimLineAtPoint(CEntity* entity, double angle, double tx, double ty, CUndoRecord* record) {
  if (!entity || !entity->IsLine()) return FALSE;
  return PutPiece(*this, entity, DeriveLineEntity(entity, angle, tx, ty), record);
}

BOOL CDraftView::TrimArcAtPoint(CEntity* entity, double angle, double tx, double ty, CUndoRecord* record) {
  if (!entity || !entity->IsArc()) return FALSE;
  return PutPiece(*this, entity, DeriveArcEntity(entity, angle, tx, ty), record);
}
