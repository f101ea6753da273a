#include "draft/regions/SetCurGroupCmd.h"

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/GroupTable.h"

CSetCurGroupCmd::CSetCurGroupCmd(int id, int mode) : CCmdBase(id, nullptr), mode_(mode) {
  pickMode_ = 1;
  prompts_[0] = "请选择设为当前组的图元";
}

void CSetCurGroupCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  view->ClearSelection();
  if (!picked_) {
    CEntityList found;
    if (view->PickEntitiesAtPoint(points_.back().x, points_.back().y, found, 1, 1, 0, 0, kPickOrdinary, -1)) {
      picked_ = found.GetHead();
      view->SelectEntity(picked_, 1, 1, 1);
    }
  }
  if (picked_) {
    if (mode_ == 1) {
      const CDrawingGroup* group = picked_->GetEntityGroup();
      if (group)
        view->GetGroupTable()->SetActiveGroupByName(group->GetGroupName().GetString());
      else
        view->GetGroupTable()->SetActiveGroup(nullptr);
    } else {
      view->SetCurrentLayer(picked_->GetEntityLayer());
    }
  }
  points_.clear();
  picked_ = nullptr;
}

int CSetCurGroupCmd::OnRButton(CDraftView* view) {
  points_.clear();
  step_ = 0;
  picked_ = nullptr;
  if (view) view->ClearSelection();
  return 1;
}

int CSetCurGroupCmd::End(CDraftView* view) {
  points_.clear();
  picked_ = nullptr;
  if (view) view->ClearSelection();
  return CCmdBase::End(view);
}
