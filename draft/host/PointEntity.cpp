#include "draft/host/PointEntity.h"

CPointEntity::CPointEntity(int layer, CDrawingGroup* group, double x, double y, int type, double size)
    : CEntity(layer, group), p_(InGroup({x, y})), type_(type), size_(size) {}

CEntity* CPointEntity::Clone(int) const { return new CPointEntity(*this); }

int CPointEntity::GetGeometry(double* v) const {
  const GPoint p = Shown(p_);
  v[0] = p.x;
  v[1] = p.y;
  return 2;
}

BOOL CPointEntity::SetGeometry(const double* v, int count) {
  if (!v || count != 2) return FALSE;
  p_ = {v[0], v[1]};
  return TRUE;
}

void CPointEntity::GetPieces(ShapePieces& out) const { out.push_back(ShapePiece::Point(Shown(p_))); }

void CPointEntity::ApplyTransform(const EntityTransform& t) { p_ = MapGroupPoint(p_, t); }

void CPointEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) { p_ = RebasePoint(p_, from, to); }

CPointEntity* ConstructPointEntity(int layer, CDrawingGroup* group, double x, double y, int type, double size, int) {
  return new CPointEntity(layer, group, x, y, type, size);
}
