#include "draft/host/CircleEntity.h"

#include <cmath>

CCircleEntity::CCircleEntity(int layer, CDrawingGroup* group, double cx, double cy, double r)
    : CEntity(layer, group), c_(InGroup({cx, cy})), r_(GroupLength(std::fabs(r))) {}

CEntity* CCircleEntity::Clone(int) const { return new CCircleEntity(*this); }

int CCircleEntity::GetGeometry(double* v) const {
  const GPoint c = GetCentre();
  v[0] = c.x;
  v[1] = c.y;
  v[2] = GetRadius();
  return 3;
}

BOOL CCircleEntity::SetGeometry(const double* v, int count) {
  if (!v || count != 3 || !(v[2] > 0)) return FALSE;
  c_ = {v[0], v[1]};
  r_ = v[2];
  return TRUE;
}

void CCircleEntity::GetPieces(ShapePieces& out) const {
  out.push_back(ShapePiece::Arc(GetCentre(), GetRadius(), 0.0, 360.0));
  out.push_back(ShapePiece::Centre(GetCentre()));
}

void CCircleEntity::ApplyTransform(const EntityTransform& t) {
  c_ = MapGroupPoint(c_, t);
  r_ *= t.scale;
}

void CCircleEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  c_ = RebasePoint(c_, from, to);
  r_ = RebaseLength(r_, from, to);
}

CCircleEntity* ConstructCircleEntity(int layer, CDrawingGroup* group, double cx, double cy, double r, int flag) {
  auto* e = new CCircleEntity(layer, group, cx, cy, r);
  e->SetTemporary(flag == 0);
  return e;
}
