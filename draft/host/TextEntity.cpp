#include "draft/host/TextEntity.h"

#include <cmath>

CTextEntity::CTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                         const CTextAttrib& attr)
    : CEntity(layer, group), text_(text ? text : ""), p_(InGroup({x, y})), attr_(attr) {}

BOOL CTextEntity::IsInRectangle(double xmin, double ymin, double xmax, double ymax, int) const {
  const GPoint p = GetInsertPoint();
  const double e = tressil::kGeomTolerance;
  return p.x >= std::fmin(xmin, xmax) - e && p.x <= std::fmax(xmin, xmax) + e && p.y >= std::fmin(ymin, ymax) - e &&
         p.y <= std::fmax(ymin, ymax) + e;
}

CEntity* CTextEntity::Clone(int) const { return new CTextEntity(*this); }

CEntity* CTextEntity::CloneWithTextAttrib(const CTextAttrib& attr) const {
  auto* copy = new CTextEntity(*this);
  copy->attr_ = attr;
  return copy;
}

int CTextEntity::GetGeometry(double* v) const {
  const GPoint p = GetInsertPoint();
  v[0] = p.x;
  v[1] = p.y;
  return 2;
}

void CTextEntity::GetPieces(ShapePieces& out) const {
  const GPoint p = GetInsertPoint();
  out.push_back(ShapePiece::Point(p));
  const double h = ShownLength(attr_.GetHeight());
  const double w = text_.GetLength() * h * 0.5 * attr_.GetWidthFactor();
  if (w <= 0 || h <= 0) return;
  GPoint c[4] = {p, {p.x + w, p.y}, {p.x + w, p.y + h}, {p.x, p.y + h}};
  for (GPoint& q : c) RotatePoint(q, p, attr_.GetAngle());
  for (int i = 0; i < 4; ++i) out.push_back(ShapePiece::Segment(c[i], c[(i + 1) % 4], true));
}

void CTextEntity::ApplyTransform(const EntityTransform& t) {
  p_ = MapGroupPoint(p_, t);
  attr_.SetHeight(attr_.GetHeight() * t.scale);
  if (!t.mirror) attr_.SetAngle(NormalizeAngle(attr_.GetAngle() + t.rotation));
}

void CTextEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  p_ = RebasePoint(p_, from, to);
  attr_.SetHeight(RebaseLength(attr_.GetHeight(), from, to));
}

CTextEntity* ConstructTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                                 const CTextAttrib& attr) {
  return new CTextEntity(layer, group, text, x, y, attr);
}
