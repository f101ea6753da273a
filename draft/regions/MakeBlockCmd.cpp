#include "draft/regions/MakeBlockCmd.h"

#include <memory>

#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr int kMakeBlockMask = 0x20C0;
}  // namespace

CMakeBlockCmd::CMakeBlockCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, kMakeBlockMask, -1) {}

int CMakeBlockCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  CEntityList selected;
  for (CEntity* e : *view->GetSelectionList())
    if (e && !view->IsKeptApart(e)) selected.AddTail(e);
  if (selected.GetCount() < 2) return 0;
  CDrawingGroup* group = selected.GetHead()->GetEntityGroup();
  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(view->GetCurrentLayer(), group));
  CEntityList taken;
  for (CEntity* e : selected) {
    std::unique_ptr<CEntity> clone(e->Clone(1));
    if (!clone) continue;
    clone->SetEntityGroup(group);
    if (!block->AddMember(clone.get())) continue;
    clone.release();
    taken.AddTail(e);  // only what the block holds a copy of leaves the drawing
  }
  view->ClearSelection();
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  for (CEntity* e : taken) {
    view->RemoveEntity(e, 1, 0);
    record->AddOld(e);
  }
  view->AddEntityToView(block.release(), record.get());
  view->PushUndoRecord(record.release());
  ClearPoints();
  return 0;
}
