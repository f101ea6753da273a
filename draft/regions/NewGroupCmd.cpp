#include "draft/regions/NewGroupCmd.h"

#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/GroupServices.h"
#include "draft/host/GroupTable.h"
#include "draft/host/UndoRecord.h"
#include "draft/regions/GroupSelDlg.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr int kGroupMask = 0x2000;
}

CNewGroupCmd::CNewGroupCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, kGroupMask, -1) {
  pickMode_ = 1;
}

int CNewGroupCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  table_ = view->GetGroupTable();
  CStringA chosen;
  {
    CModalDialogScope scope(view);
    CGroupSelDlg dlg(table_, nullptr);
    const CDrawingGroup* current = view->GetCurrentGroup();
    dlg.m_name = current ? current->GetGroupName() : CStringA();
    if (dlg.DoModal() != IDOK) {
      view->ClearSelection();
      return 0;
    }
    chosen = dlg.m_name;
  }
  name_ = chosen;
  if (name_.IsEmpty()) {
    view->ClearSelection();
    return 0;
  }
  CDrawingGroup* group = table_->FindGroup(name_.GetString());
  if (!group) {
    table_->AddGroup(name_.GetString(), 1.0, 1, 0, 0, nullptr);
    group = table_->FindGroup(name_.GetString());
  }
  if (!group) return 0;
  CEntityList oldList, newList;
  for (CEntity* e : *view->GetSelectionList()) {
    if (!e) continue;
    CEntity* copy = e->Clone(1);
    if (!copy) continue;
    AssignGroup(copy, group);
    oldList.AddTail(e);
    newList.AddTail(copy);
  }
  view->RemoveEntities(oldList);
  view->AddEntities(newList);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  record->SetLists(oldList, newList);
  view->PushUndoRecord(record.release());
  view->ClearSelection();
  ClearPoints();
  CSelectCmdBase::Execute(view);  // back to selecting
  pickMode_ = 1;
  pointCount_ = 1;
  return 1;
}

int CNewGroupCmd::OnProcessClick(CDraftView*) {
  pickMode_ = 1;
  return 1;
}

int CNewGroupCmd::OnProcessRButton(CDraftView* view) {
  ClearPoints();
  if (view) view->ClearSelection();
  phase_ = kSelecting;
  doneOutside_ = 1;
  return 1;
}

int CNewGroupCmd::Abort(CDraftView* view) {
  if (view) view->ClearSelection();
  doneOutside_ = 1;
  ClearPoints();
  return CCmdBase::End(view);
}
