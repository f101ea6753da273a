#include "draft/host/TextPlacement.h"

#include <algorithm>
#include <cmath>

#include "draft/host/FontManager.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/TextEntity.h"

namespace {

// The bounds of the text's outline relative to its insertion point, for a
// text of length w and height h at `angle` degrees.
void RotatedBounds(double w, double h, double angle, double& bx0, double& by0, double& bx1, double& by1) {
  GPoint c[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  bx0 = by0 = 0;
  bx1 = by1 = 0;
  for (GPoint& p : c) {
    RotatePoint(p, {0, 0}, angle);
    bx0 = std::min(bx0, p.x);
    by0 = std::min(by0, p.y);
    bx1 = std::max(bx1, p.x);
    by1 = std::max(by1, p.y);
  }
}

}  // namespace

CTextEntity* ConstructTextEntityEx(int layer, CDrawingGroup* group, const CTextAttrib& attr, double x0, double y0,
                                   double x1, double y1, double cx, double cy, int alignCode, const char* text,
                                   double angle) {
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  CTextAttrib a = attr;
  if (std::fabs(angle) <= 360.0) a.SetAngle(NormalizeAngle(angle));
  // The attributes hold group lengths; the box is in drawing units.
  const double scale = GetGroupScale(group);
  const double h = a.GetHeight() * scale;
  const double margin = h / 4;
  const double theta = a.GetAngle() * M_PI / 180.0;
  // Along a mostly vertical direction the text's length lies along the box's height.
  const bool upright = std::fabs(std::sin(theta)) > std::fabs(std::cos(theta));
  if (alignCode == kTextAlignFill) {
    const double room = (upright ? y1 - y0 : x1 - x0) - 2 * margin;
    CTextAttrib unit = a;
    unit.SetWidthFactor(1.0);
    const double natural = GetFontManager()->GetTextWidth(text, unit) * scale;
    const double spacing = a.GetSpacing() * scale * std::max(0, CFontManager::CountCharacters(text) - 1);
    if (natural - spacing > 0 && room > spacing) {
      a.SetWidthFactor((room - spacing) / (natural - spacing));
    }
  }
  const double w = GetFontManager()->GetTextWidth(text, a) * scale;
  double bx0, by0, bx1, by1;
  RotatedBounds(w, h, a.GetAngle(), bx0, by0, bx1, by1);
  int horizontal = 1, vertical = 0;
  if (alignCode >= 1 && alignCode <= 8) {
    horizontal = (alignCode - 1) / 3;
    vertical = (alignCode - 1) % 3;
  }
  double left;  // where the outline's bounds start
  switch (horizontal) {
    case 0: left = x0 + margin; break;
    case 2: left = x1 - margin - (bx1 - bx0); break;
    default: left = cx - (bx1 - bx0) / 2; break;
  }
  double bottom;
  switch (vertical) {
    case 1: bottom = y0 + margin; break;
    case 2: bottom = y1 - margin - (by1 - by0); break;
    default: bottom = cy - (by1 - by0) / 2; break;
  }
  auto* entity = ConstructTextEntity(layer, group, text, left - bx0, bottom - by0, a);
  entity->SetPlacementCode(alignCode);
  entity->SetPlacementBox(x0, y0, x1, y1);
  return entity;
}

BOOL GetTextBox(const CEntity* entity, double& x0, double& y0, double& x1, double& y1) {
  const auto* text = dynamic_cast<const CTextEntity*>(entity);
  if (!text) return FALSE;
  if (text->GetPlacementBox(x0, y0, x1, y1)) return TRUE;
  GPoint c[4];
  text->GetOutline(c);
  x0 = x1 = c[0].x;
  y0 = y1 = c[0].y;
  for (const GPoint& p : c) {
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  return TRUE;
}

BOOL CopyTextProperties(CEntity* to, const CEntity* from) {
  auto* t = dynamic_cast<CTextEntity*>(to);
  const auto* f = dynamic_cast<const CTextEntity*>(from);
  if (!t || !f) return FALSE;
  t->SetPlacementCode(f->GetPlacementCode());
  double x0, y0, x1, y1;
  if (f->GetPlacementBox(x0, y0, x1, y1)) {
    t->SetPlacementBox(x0, y0, x1, y1);
  } else {
    t->ClearPlacementBox();
  }
  return TRUE;
}
