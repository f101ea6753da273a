#include "draft/host/GroupLoading.h"

#include <unordered_map>

#include "draft/host/AttributeItems.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/GroupServices.h"
#include "draft/host/GroupTable.h"
#include "draft/host/ScratchDrawing.h"

int MoveLoadedDrawing(CScratchDrawing& file, CEntityList& out, CGroupTable& groups) {
  CGroupTable* from = file.GetGroupTable();
  std::unordered_map<const CDrawingGroup*, CDrawingGroup*> copies;
  for (CDrawingGroup* g : from->GetGroupList()) {
    const bool known = groups.FindGroup(g->GetGroupName()) != nullptr;
    CDrawingGroup* copy = AddGroup(&groups, g->GetGroupName(), g->GetGroupScale(), g->GetFlagA(),
                                   g->IsGroupPickedWhole(), g->GetFlagC(), nullptr);
    if (!copy) continue;
    if (!known) copy->SetOrigin(g->GetOriginX(), g->GetOriginY());
    for (const CAttributeItem& item : g->GetItemList()->Items())
      AddAttributeItem(copy->GetItemList(), item.name, item.type, item.value, 0, item.shown);
    copies[g] = copy;
    if (g == from->GetActiveGroup()) groups.SetActiveGroup(copy);
  }
  CEntityList& entities = *file.GetEntityList();
  int moved = 0;
  while (!entities.IsEmpty()) {
    CEntity* e = entities.RemoveHead();
    auto it = copies.find(e->GetEntityGroup());
    AssignGroup(e, it != copies.end() ? it->second : nullptr);
    out.AddTail(e);
    ++moved;
  }
  return moved;
}
