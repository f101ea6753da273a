#include "draft/regions/ChangeGroupCmd.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/GroupServices.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr int kGroupMask = 0x2000;

CStringA NameOf(const CDrawingGroup* g) { return g ? g->GetGroupName() : CStringA(); }
}  // namespace

CChangeGroupCmd::CChangeGroupCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, kGroupMask, -1) {
  pickMode_ = 1;
  prompts_[0] = "选择改变到当前图组的图元";
}

int CChangeGroupCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  CDrawingGroup* group = view->GetCurrentGroup();
  CEntityList oldList, newList;
  for (CEntity* e : *view->GetSelectionList()) {
    if (!e || NameOf(e->GetEntityGroup()) == NameOf(group)) continue;
    CEntity* copy = e->Clone(1);
    if (!copy) continue;
    AssignGroup(copy, group);
    oldList.AddTail(e);
    newList.AddTail(copy);
  }
  if (!oldList.IsEmpty()) {
    view->RemoveEntities(oldList);
    view->AddEntities(newList);
    std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
    record->SetLists(oldList, newList);
    view->PushUndoRecord(record.release());
  }
  view->ClearSelection();
  ClearPoints();
  return 1;
}

int CChangeGroupCmd::OnProcessClick(CDraftView* view) {
  // The click's point goes too, so that the done flag ends the command.
  ClearPoints();
  if (view) view->ClearSelection();
  doneOutside_ = 1;
  return 1;
}

int CChangeGroupCmd::OnProcessRButton(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection();
  doneOutside_ = 1;
  return 1;
}

int CChangeGroupCmd::Abort(CDraftView* view) {
  if (view) view->ClearSelection();
  doneOutside_ = 1;
  return CCmdBase::End(view);
}
