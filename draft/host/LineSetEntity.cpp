#include "draft/host/LineSetEntity.h"

CEntity* CLineSetEntity::Clone(int) const { return new CLineSetEntity(*this); }

CLineSetEntity* ConstructLineSetEntity(int layer, CDrawingGroup* group) { return new CLineSetEntity(layer, group); }
