#include "draft/host/TendonGraphEntity.h"

CTendonGraphEntity::CTendonGraphEntity(int layer, CDrawingGroup* group) : CBlockEntity(layer, group) {}

CEntity* CTendonGraphEntity::Clone(int) const { return new CTendonGraphEntity(*this); }

void CTendonGraphEntity::ApplyTransform(const EntityTransform& t) {
  CBlockEntity::ApplyTransform(t);
  origin_ = MapGroupPoint(origin_, t);
}

void CTendonGraphEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  CBlockEntity::RebaseGroup(from, to);
  origin_ = RebasePoint(origin_, from, to);
}

CTendonGraphEntity* ConstructTendonGraphEntity(int layer, CDrawingGroup* group, const char*) {
  return new CTendonGraphEntity(layer, group);
}
