#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"

namespace {

constexpr double kParamTolerance = 1e-9;
constexpr double kAngleTolerance = 1e-7;  // degrees

double NormalDegrees(double a) {
  a = std::fmod(a, 360.0);
  if (a < 0) a += 360.0;
  return a;
}

// The span [a, b] of the sorted cut values around `at` within [lo, hi].
void SpanAround(std::vector<double> cuts, double at, double lo, double hi, double& a, double& b) {
  std::sort(cuts.begin(), cuts.end());
  a = lo;
  b = hi;
  for (double c : cuts) {
    if (c <= lo + kParamTolerance || c >= hi - kParamTolerance) continue;
    if (c <= at)
      a = std::max(a, c);
    else
      b = std::min(b, c);
  }
}

// The crossings of `entity` with every other entity of the drawing that is
// not a text.
std::vector<GPoint> Crossings(CDraftView& view, const CEntity* entity) {
  std::vector<GPoint> points;
  GPoint hits[kMaxArcIntersections];
  auto meet = [&](const CEntity* other) {
    const int n = entity->Intersect(*other, hits, kMaxArcIntersections);
    points.insert(points.end(), hits, hits + n);
  };
  const CEntity* owner = entity->GetEntityOwner();
  for (const CEntity* other : *view.GetEntityList()) {
    if (other == entity || other->IsText()) continue;
    if (other != owner) {
      meet(other);
      continue;
    }
    // A member meets its compound's other members only.
    CEntityList members;
    owner->ExplodeInto(1, members, 0, 0, 0);
    for (const CEntity* m : members)
      if (m != entity && !m->IsText()) meet(m);
  }
  return points;
}

// Applies the mode to the entity's piece under the pick and the rest.
BOOL TakePart(CDraftView& view, CEntity* entity, CEntity* part, std::vector<CEntity*> rest, int mode,
              CEntityList& add, CEntityList& remove) {
  if (mode == 1 && rest.empty()) {
    // The piece is all of it: keeping it alone changes nothing.
    delete part;
    return FALSE;
  }
  remove.AddTail(entity);
  if (mode == 1) {
    for (CEntity* r : rest) delete r;
    add.AddTail(part);
    return TRUE;
  }
  for (CEntity* r : rest) add.AddTail(r);
  if (mode == 2) {
    part->SetEntityLayer(view.GetCurrentLayer());
    add.AddTail(part);
  } else {
    delete part;
  }
  return TRUE;
}


// The pieces of a straight entity from p1 to p2: `make` gives the piece
// between two parameters (0 at p1, 1 at p2).
template <class Make>
BOOL StraightPart(CDraftView& view, CEntity* entity, GPoint p1, GPoint p2, double x, double y, int mode,
                  CEntityList& add, CEntityList& remove, const Make& make) {
  const double dx = p2.x - p1.x, dy = p2.y - p1.y;
  const double len2 = dx * dx + dy * dy;
  if (len2 <= 0.0) return FALSE;
  auto param = [&](const GPoint& q) { return ((q.x - p1.x) * dx + (q.y - p1.y) * dy) / len2; };
  std::vector<double> cuts;
  for (const GPoint& q : Crossings(view, entity)) cuts.push_back(param(q));
  double a = 0.0, b = 1.0;
  SpanAround(cuts, std::clamp(param({x, y}), 0.0, 1.0), 0.0, 1.0, a, b);
  std::vector<CEntity*> rest;
  if (a > kParamTolerance) rest.push_back(make(0.0, a));
  if (b < 1.0 - kParamTolerance) rest.push_back(make(b, 1.0));
  return TakePart(view, entity, make(a, b), rest, mode, add, remove);
}

}  // namespace

BOOL CDraftView::BreakLinePart(double x, double y, CEntity* entity, int mode, CEntityList& add,
                               CEntityList& remove) {
  double v[kMaxGeometryValues] = {};
  if (!entity || !entity->IsLine() || entity->GetGeometry(v) < 4) return FALSE;
  const GPoint p1{v[0], v[1]};
  const GPoint p2{v[2], v[3]};
  const int layer = entity->GetEntityLayer();
  CDrawingGroup* group = entity->GetEntityGroup();
  return StraightPart(*this, entity, p1, p2, x, y, mode, add, remove, [&](double t0, double t1) -> CEntity* {
    return ConstructLineEntity(layer, group, p1.x + t0 * (p2.x - p1.x), p1.y + t0 * (p2.y - p1.y),
                               p1.x + t1 * (p2.x - p1.x), p1.y + t1 * (p2.y - p1.y));
  });
}

BOOL CDraftView::BreakArcPart(double x, double y, CEntity* entity, int mode, CEntityList& add,
                              CEntityList& remove) {
  double v[kMaxGeometryValues] = {};
  if (!entity || !entity->IsArc() || entity->GetGeometry(v) < 5) return FALSE;
  const double cx = v[0], cy = v[1], r = v[2];
  const double start = v[3];
  double sweep = NormalDegrees(v[4] - start);
  if (sweep <= kAngleTolerance) sweep = 360.0;
  // Angles as their distance from the start, counter-clockwise.
  auto param = [&](const GPoint& q) {
    return NormalDegrees(std::atan2(q.y - cy, q.x - cx) * 180.0 / M_PI - start);
  };
  std::vector<double> cuts;
  for (const GPoint& q : Crossings(*this, entity)) cuts.push_back(param(q));
  double pick = param({x, y});
  if (pick > sweep) pick = (pick - sweep < 360.0 - pick) ? sweep : 0.0;
  double a = 0.0, b = sweep;
  SpanAround(cuts, pick, 0.0, sweep, a, b);
  const int layer = entity->GetEntityLayer();
  CDrawingGroup* group = entity->GetEntityGroup();
  auto piece = [&](double t0, double t1) -> CEntity* {
    return ConstructArcEntity(layer, group, cx, cy, r, NormalDegrees(start + t0), NormalDegrees(start + t1));
  };
  std::vector<CEntity*> rest;
  if (a > kAngleTolerance) rest.push_back(piece(0.0, a));
  if (b < sweep - kAngleTolerance) rest.push_back(piece(b, sweep));
  return TakePart(*this, entity, piece(a, b), rest, mode, add, remove);
}

BOOL CDraftView::BreakCirclePart(double x, double y, CEntity* entity, int mode, CEntityList& add,
                                 CEntityList& remove) {
  double v[kMaxGeometryValues] = {};
  if (!entity || !entity->IsCircle() || entity->GetGeometry(v) < 3) return FALSE;
  const double cx = v[0], cy = v[1], r = v[2];
  auto angle = [&](const GPoint& q) { return NormalDegrees(std::atan2(q.y - cy, q.x - cx) * 180.0 / M_PI); };
  std::vector<double> cuts;
  for (const GPoint& q : Crossings(*this, entity)) cuts.push_back(angle(q));
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end(),
                         [](double p, double q) { return std::fabs(p - q) <= kAngleTolerance; }),
             cuts.end());
  if (cuts.size() >= 2 && cuts.back() - cuts.front() >= 360.0 - kAngleTolerance) cuts.pop_back();
  const int layer = entity->GetEntityLayer();
  CDrawingGroup* group = entity->GetEntityGroup();
  if (cuts.size() < 2) {
    // No piece short of the whole circle.
    return TakePart(*this, entity, ConstructCircleEntity(layer, group, cx, cy, r), {}, mode, add, remove);
  }
  const double pick = angle({x, y});
  // The crossing at or before the pick, counter-clockwise, and the next one.
  size_t i = cuts.size() - 1;
  for (size_t k = 0; k < cuts.size(); ++k)
    if (cuts[k] <= pick) i = k;
  const double a = cuts[i];
  const double b = cuts[(i + 1) % cuts.size()];
  CEntity* part = ConstructArcEntity(layer, group, cx, cy, r, a, b);
  CEntity* rest = ConstructArcEntity(layer, group, cx, cy, r, b, a);
  return TakePart(*this, entity, part, {rest}, mode, add, remove);
}

BOOL CDraftView::BreakCompoundPart(double x, double y, CEntity* entity, int mode, CEntityList& add,
                                   CEntityList& remove) {
  double v[kMaxGeometryValues] = {};
  if (!entity || !entity->IsTwoPointEntity() || entity->GetGeometry(v) < 4) return FALSE;
  const GPoint p1{v[0], v[1]};
  const GPoint p2{v[2], v[3]};
  // Each piece is the entity between its two points, drawn as the entity is.
  return StraightPart(*this, entity, p1, p2, x, y, mode, add, remove, [&](double t0, double t1) -> CEntity* {
    CEntity* piece = entity->Clone(1);
    piece->SetEndPoints(p1.x + t0 * (p2.x - p1.x), p1.y + t0 * (p2.y - p1.y), p1.x + t1 * (p2.x - p1.x),
                        p1.y + t1 * (p2.y - p1.y), 1);
    return piece;
  });
}

BOOL CDraftView::BreakCompoundMemberPart(double x, double y, CEntity* entity, int mode, CEntityList& add,
                                         CEntityList& remove) {
  CEntity* owner = entity ? entity->GetEntityOwner() : nullptr;
  if (!owner || !owner->IsCompoundCurve()) return FALSE;
  CEntityList memberAdd, memberRemove;
  BOOL done = FALSE;
  if (entity->IsLine())
    done = BreakLinePart(x, y, entity, mode, memberAdd, memberRemove);
  else if (entity->IsArc())
    done = BreakArcPart(x, y, entity, mode, memberAdd, memberRemove);
  if (!done) return FALSE;
  // The curve leaves the drawing; its other members stay as entities of
  // their own (not in mode 1, which keeps the piece alone), with the
  // member's pieces.
  remove.AddTail(owner);
  if (mode != 1) {
    CEntityList members;
    owner->ExplodeInto(1, members, 0, 0, 0);
    for (CEntity* m : members)
      if (m != entity)
        if (CEntity* copy = m->Clone(1)) add.AddTail(copy);
  }
  add.AddTail(memberAdd);
  return TRUE;
}
