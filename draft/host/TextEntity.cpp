#include "draft/host/TextEntity.h"

#include <cmath>

#include "draft/host/FontManager.h"

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

void CTextEntity::GetOutline(GPoint c[4]) const {
  const GPoint p = GetInsertPoint();
  const double s = GetEntityScale();
  const double h = attr_.GetHeight() * s;
  const double w = GetFontManager()->GetTextWidth(text_, attr_) * s;
  c[0] = p;
  c[1] = {p.x + w, p.y};
  c[2] = {p.x + w, p.y + h};
  c[3] = {p.x, p.y + h};
  for (int i = 1; i < 4; ++i) RotatePoint(c[i], p, attr_.GetAngle());
}

void CTextEntity::GetPieces(ShapePieces& out) const {
  out.push_back(ShapePiece::Point(GetInsertPoint()));
  GPoint c[4];
  GetOutline(c);
  if (IsSamePoint(c[0], c[1]) || IsSamePoint(c[0], c[3])) return;
  for (int i = 0; i < 4; ++i) out.push_back(ShapePiece::Segment(c[i], c[(i + 1) % 4], true));
}

ShownText CTextEntity::GetShownText() const {
  ShownText shown{text_, GetInsertPoint(), attr_};
  shown.attr.SetHeight(attr_.GetHeight() * GetEntityScale());
  shown.attr.SetSpacing(attr_.GetSpacing() * GetEntityScale());
  return shown;
}

void CTextEntity::GetShownShape(ShapePieces&, ShownTexts& texts) const { texts.push_back(GetShownText()); }

bool CTextEntity::GetPlacementBox(double& x0, double& y0, double& x1, double& y1) const {
  if (!hasBox_) return false;
  const GPoint a = Shown(box0_), b = Shown(box1_);
  x0 = std::fmin(a.x, b.x);
  y0 = std::fmin(a.y, b.y);
  x1 = std::fmax(a.x, b.x);
  y1 = std::fmax(a.y, b.y);
  return true;
}

void CTextEntity::SetPlacementBox(double x0, double y0, double x1, double y1) {
  box0_ = InGroup({std::fmin(x0, x1), std::fmin(y0, y1)});
  box1_ = InGroup({std::fmax(x0, x1), std::fmax(y0, y1)});
  hasBox_ = true;
}

void CTextEntity::ApplyTransform(const EntityTransform& t) {
  p_ = MapGroupPoint(p_, t);
  if (hasBox_) {
    box0_ = MapGroupPoint(box0_, t);
    box1_ = MapGroupPoint(box1_, t);
  }
  attr_.SetHeight(attr_.GetHeight() * t.scale);
  if (!t.mirror) attr_.SetAngle(NormalizeAngle(attr_.GetAngle() + t.rotation));
}

void CTextEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  p_ = RebasePoint(p_, from, to);
  box0_ = RebasePoint(box0_, from, to);
  box1_ = RebasePoint(box1_, from, to);
  attr_.SetHeight(RebaseLength(attr_.GetHeight(), from, to));
}

CTextEntity* ConstructTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                                 const CTextAttrib& attr) {
  return new CTextEntity(layer, group, text, x, y, attr);
}

CTextEntity* ConstructTextEntity(int layer, CDrawingGroup* group, const char* text, double x, double y,
                                 int placementWord, const CTextAttrib& attr, int /*mode*/) {
  auto* entity = new CTextEntity(layer, group, text, x, y, attr);
  entity->SetPlacementCode(placementWord);
  return entity;
}
