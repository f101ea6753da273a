#include "draft/host/ArcEntity.h"

#include <cmath>
#include <utility>

CArcEntity::CArcEntity(int layer, CDrawingGroup* group, double cx, double cy, double r, double start, double end)
    : CEntity(layer, group), c_(InGroup({cx, cy})), r_(GroupLength(std::fabs(r))), start_(start), end_(end) {}

CEntity* CArcEntity::Clone(int) const { return new CArcEntity(*this); }

int CArcEntity::GetGeometry(double* v) const {
  const GPoint c = GetCentre();
  v[0] = c.x;
  v[1] = c.y;
  v[2] = GetRadius();
  v[3] = start_;
  v[4] = end_;
  return 5;
}

BOOL CArcEntity::SetGeometry(const double* v, int count) {
  if (!v || count != 5 || !(v[2] > 0)) return FALSE;
  c_ = {v[0], v[1]};
  r_ = v[2];
  start_ = v[3];
  end_ = v[4];
  return TRUE;
}

void CArcEntity::GetPieces(ShapePieces& out) const {
  out.push_back(ShapePiece::Arc(GetCentre(), GetRadius(), start_, end_));
  out.push_back(ShapePiece::Centre(GetCentre()));
}

GPoint CArcEntity::GetStartPoint() const { return ShapePiece::Arc(GetCentre(), GetRadius(), start_, end_).ArcStart(); }
GPoint CArcEntity::GetEndPoint() const { return ShapePiece::Arc(GetCentre(), GetRadius(), start_, end_).ArcEnd(); }

void CArcEntity::ApplyTransform(const EntityTransform& t) {
  c_ = MapGroupPoint(c_, t);
  r_ *= t.scale;
  double s = t.MapAngle(start_), e = t.MapAngle(end_);
  if (t.mirror) std::swap(s, e);  // a mirror turns the arc's sense round
  start_ = s;
  end_ = e;
}

void CArcEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  c_ = RebasePoint(c_, from, to);
  r_ = RebaseLength(r_, from, to);
}

CArcEntity* ConstructArcEntity(int layer, CDrawingGroup* group, double cx, double cy, double r, double start,
                               double end, int flag) {
  auto* e = new CArcEntity(layer, group, cx, cy, r, start, end);
  e->SetTemporary(flag == 0);
  return e;
}
