#include "draft/host/LineEntity.h"

CLineEntity::CLineEntity(int layer, CDrawingGroup* group, double x1, double y1, double x2, double y2)
    : CEntity(layer, group), p1_(InGroup({x1, y1})), p2_(InGroup({x2, y2})) {}

CEntity* CLineEntity::Clone(int) const { return new CLineEntity(*this); }

int CLineEntity::GetGeometry(double* v) const {
  const GPoint a = GetStart(), b = GetEnd();
  v[0] = a.x;
  v[1] = a.y;
  v[2] = b.x;
  v[3] = b.y;
  return 4;
}

BOOL CLineEntity::SetGeometry(const double* v, int count) {
  if (!v || count != 4) return FALSE;
  p1_ = {v[0], v[1]};
  p2_ = {v[2], v[3]};
  return TRUE;
}

BOOL CLineEntity::SetEndPoints(double x1, double y1, double x2, double y2, int) {
  p1_ = InGroup({x1, y1});
  p2_ = InGroup({x2, y2});
  return TRUE;
}

void CLineEntity::GetPieces(ShapePieces& out) const { out.push_back(ShapePiece::Segment(GetStart(), GetEnd())); }

void CLineEntity::ApplyTransform(const EntityTransform& t) {
  p1_ = MapGroupPoint(p1_, t);
  p2_ = MapGroupPoint(p2_, t);
}

void CLineEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  p1_ = RebasePoint(p1_, from, to);
  p2_ = RebasePoint(p2_, from, to);
}

CLineEntity* ConstructLineEntity(int layer, CDrawingGroup* group, double x1, double y1, double x2, double y2, int flag) {
  auto* e = new CLineEntity(layer, group, x1, y1, x2, y2);
  e->SetTemporary(flag == 0);
  return e;
}
