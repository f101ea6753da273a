#include "draft/host/InsertServices.h"

#include "draft/host/AttributeItems.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LayerTable.h"

CInsertContext* ConstructInsertContext() { return new CInsertContext; }
void DestroyInsertContext(CInsertContext* context) { delete context; }

CGroupTable* ConstructGroupTable() { return new CGroupTable; }
CAttributeItemList* ConstructGroupFileData() { return new CAttributeItemList; }

CDrawingGroup* ConstructDrawingGroup(const char* name, double scale, int flagA, int pickedWhole, int flagC) {
  if (!name || !*name) return nullptr;
  auto* group = new CDrawingGroup(name, scale);
  group->SetFlagA(flagA);
  group->SetGroupPickedWhole(pickedWhole ? TRUE : FALSE);
  group->SetFlagC(flagC);
  return group;
}

BOOL AddGroupAttribute(CDrawingGroup* group, const char* name, const char* type, const char* value) {
  if (!group) return FALSE;
  return AddAttributeItem(group->GetItemList(), name, type, value, 1, 1);
}

BOOL ApplyInsertLayer(int word, CInsertContext*, CLayerTable* layers, int currentLayer, CEntity* entity) {
  if (!entity) return FALSE;
  if (word == 1) return !layers || layers->GetLayerRecord(entity->GetEntityLayer()) ? TRUE : FALSE;
  entity->ReplaceLayer(-1, ClampLayer(currentLayer));
  return TRUE;
}

void TransformPoint(double& x, double& y, double dx, double dy, double baseX, double baseY, double scale,
                    double angle) {
  const GPoint p = EntityTransform::Make(dx, dy, baseX, baseY, scale, angle).Apply({x, y});
  x = p.x;
  y = p.y;
}
