#include "draft/host/DrawingGroup.h"

#include <cmath>

CDrawingGroup::CDrawingGroup(const char* name, double scale, double originX, double originY)
    : name_(name ? name : ""), scale_(scale), originX_(originX), originY_(originY) {}

double CDrawingGroup::GetGroupScale() const {
  return std::fabs(scale_) < tressil::kGeomTolerance || !std::isfinite(scale_) ? 1.0 : scale_;
}

GPoint CDrawingGroup::ToShown(GPoint p) const {
  const double s = GetGroupScale();
  return {originX_ + s * (p.x - originX_), originY_ + s * (p.y - originY_)};
}

GPoint CDrawingGroup::ToGroup(GPoint q) const {
  const double s = GetGroupScale();
  return {originX_ + (q.x - originX_) / s, originY_ + (q.y - originY_) / s};
}

double GetGroupScale(const CDrawingGroup* group) { return group ? group->GetGroupScale() : 1.0; }
CAttributeItemList* GetGroupItemList(CDrawingGroup* group) { return group ? group->GetItemList() : nullptr; }
CDrawingGroup* CopyDrawingGroup(const CDrawingGroup* group) { return group ? new CDrawingGroup(*group) : nullptr; }
int GetGroupFlagA(const CDrawingGroup* group) { return group ? group->GetFlagA() : 0; }
int GetGroupFlagC(const CDrawingGroup* group) { return group ? group->GetFlagC() : 0; }
BOOL IsGroupPickedWhole(const CDrawingGroup* group) { return group ? group->IsGroupPickedWhole() : FALSE; }
