#include "draft/regions/DeleteGroupCmd.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/UndoRecord.h"

CDeleteGroupCmd::CDeleteGroupCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, 0x22040, -1) {
  pickMode_ = 1;
  prompts_[0] = "选择删除组的图元";
}

int CDeleteGroupCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  CEntityList list;
  for (CEntity* e : *view->GetSelectionList())
    if (e && !view->IsKeptApart(e)) list.AddTail(e);
  if (!list.IsEmpty()) {
    view->RemoveEntities(list);
    std::unique_ptr<CUndoRecord> record(ConstructUndoDeleteEntities());
    record->AddOldList(list);
    view->PushUndoRecord(record.release());
  }
  ClearPoints();
  view->ClearSelection();
  return 1;
}

int CDeleteGroupCmd::OnProcessClick(CDraftView* view) {
  if (view) view->ClearSelection();
  CSelectCmdBase::OnProcessClick(view);
  return 1;
}

int CDeleteGroupCmd::OnProcessRButton(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection();
  return CSelectCmdBase::OnProcessRButton(view);
}

int CDeleteGroupCmd::Abort(CDraftView* view) {
  if (view) view->ClearSelection();
  doneOutside_ = 1;
  return CCmdBase::End(view);
}
