#include "draft/host/SectionSymbolEntity.h"

#include "draft/host/LineEntity.h"

CSectionSymbolEntity::CSectionSymbolEntity(int layer, CDrawingGroup* group, const std::vector<GPoint>& points)
    : CBlockEntity(layer, group) {
  points_.reserve(points.size());
  for (const GPoint& p : points) points_.push_back(InGroup(p));
  for (size_t i = 1; i < points.size(); ++i)
    AddMember(new CLineEntity(layer, group, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y));
}

CEntity* CSectionSymbolEntity::Clone(int) const { return new CSectionSymbolEntity(*this); }

int CSectionSymbolEntity::GetSectionPoints(std::vector<double>& xy) const {
  for (const GPoint& p : points_) {
    const GPoint shown = Shown(p);
    xy.push_back(shown.x);
    xy.push_back(shown.y);
  }
  return GetPointCount();
}

void CSectionSymbolEntity::ApplyTransform(const EntityTransform& t) {
  CBlockEntity::ApplyTransform(t);
  for (GPoint& p : points_) p = MapGroupPoint(p, t);
}

void CSectionSymbolEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  CBlockEntity::RebaseGroup(from, to);
  for (GPoint& p : points_) p = RebasePoint(p, from, to);
}

CSectionSymbolEntity* ConstructSectionSymbolEntity(int layer, CDrawingGroup* group, const double* xy, int count) {
  if (!xy || count < 2) return nullptr;
  std::vector<GPoint> points;
  points.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) points.push_back({xy[2 * i], xy[2 * i + 1]});
  return new CSectionSymbolEntity(layer, group, points);
}
