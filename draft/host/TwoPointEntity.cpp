#include "draft/host/TwoPointEntity.h"

CTwoPointEntity::CTwoPointEntity(int layer, CDrawingGroup* group, double size1, double size2)
    : CEntity(layer, group), size1_(size1), size2_(size2) {}

BOOL CTwoPointEntity::SetEndPoints(double x1, double y1, double x2, double y2, int) {
  p1_ = InGroup({x1, y1});
  p2_ = InGroup({x2, y2});
  return TRUE;
}

CEntity* CTwoPointEntity::Clone(int) const { return new CTwoPointEntity(*this); }

int CTwoPointEntity::GetGeometry(double* v) const {
  const GPoint a = Shown(p1_), b = Shown(p2_);
  v[0] = a.x;
  v[1] = a.y;
  v[2] = b.x;
  v[3] = b.y;
  return 4;
}

void CTwoPointEntity::GetPieces(ShapePieces& out) const {
  out.push_back(ShapePiece::Point(Shown(p1_)));
  out.push_back(ShapePiece::Point(Shown(p2_)));
  if (segments_.empty()) {
    out.push_back(ShapePiece::Segment(Shown(p1_), Shown(p2_)));
    return;
  }
  for (const Segment& s : segments_) out.push_back(ShapePiece::Segment(Shown(s.a), Shown(s.b), true));
}

void CTwoPointEntity::AddSegment(double x1, double y1, double x2, double y2, int) {
  segments_.push_back({InGroup({x1, y1}), InGroup({x2, y2})});
}

void CTwoPointEntity::GetSegmentEnds(int i, GPoint& a, GPoint& b) const {
  const Segment& s = segments_.at(static_cast<size_t>(i));
  a = Shown(s.a);
  b = Shown(s.b);
}

void CTwoPointEntity::ApplyTransform(const EntityTransform& t) {
  p1_ = MapGroupPoint(p1_, t);
  p2_ = MapGroupPoint(p2_, t);
  for (Segment& s : segments_) {
    s.a = MapGroupPoint(s.a, t);
    s.b = MapGroupPoint(s.b, t);
  }
}

void CTwoPointEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  p1_ = RebasePoint(p1_, from, to);
  p2_ = RebasePoint(p2_, from, to);
  for (Segment& s : segments_) {
    s.a = RebasePoint(s.a, from, to);
    s.b = RebasePoint(s.b, from, to);
  }
}

CTwoPointEntity* ConstructTwoPointEntity(int layer, CDrawingGroup* group, double size1, double size2) {
  return new CTwoPointEntity(layer, group, size1, size2);
}
