#include "draft/host/CurveEntity.h"

CCurveEntity::CCurveEntity(int layer, CDrawingGroup* group, int closed)
    : CBlockEntity(layer, group), closed_(closed != 0) {}

CEntity* CCurveEntity::Clone(int) const { return new CCurveEntity(*this); }

std::vector<GPoint> CCurveEntity::GetShownFitPoints() const {
  std::vector<GPoint> out;
  out.reserve(fitPoints_.size());
  for (const GPoint& p : fitPoints_) out.push_back(Shown(p));
  return out;
}

void CCurveEntity::ApplyTransform(const EntityTransform& t) {
  CBlockEntity::ApplyTransform(t);
  for (GPoint& p : fitPoints_) p = MapGroupPoint(p, t);
}

void CCurveEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  for (GPoint& p : fitPoints_) p = RebasePoint(p, from, to);
  CBlockEntity::RebaseGroup(from, to);
}

CCurveEntity* ConstructCurveEntity(int layer, CDrawingGroup* group, int closed) {
  return new CCurveEntity(layer, group, closed);
}
