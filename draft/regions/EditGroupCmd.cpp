#include "draft/regions/EditGroupCmd.h"

#include <cmath>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/GroupServices.h"

namespace {
constexpr const char* kPickPrompt = "选择组中图元确定修改组(Tab修改当前组)";
}

CEditGroupCmd::CEditGroupCmd(int id) : CCmdBase(id, nullptr) { promptOverride_ = kPickPrompt; }

void CEditGroupCmd::ChooseGroup(CDraftView* view, CDrawingGroup* group, const char* prompt) {
  editGroup_ = group;
  CEntityList members;
  CollectGroupMembers(view, group, members);
  view->SelectEntities(members, 0, 1, 1, 0);
  pickMode_ = 0;
  promptOverride_ = prompt;
}

int CEditGroupCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  pickMode_ = 1;
  if (view->GetSelectionCount() > 0) {
    CDrawingGroup* group = view->GetSelectionList()->GetHead()->GetEntityGroup();
    view->ClearSelection();
    if (group) ChooseGroup(view, group, "输入将要修改组的基点的位置");
  } else {
    view->ClearSelection();
  }
  return 1;
}

void CEditGroupCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  if (step_ == 0 && tabCount_ % 2 == 0 && !editGroup_) {
    promptOverride_ = kPickPrompt;
    pickMode_ = 1;
  } else {
    promptOverride_ = "输入当前组的基点的位置";
    pickMode_ = 0;
  }
}

void CEditGroupCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec at = points_.back();
  if (tabCount_ % 2 == 0 && !editGroup_) {
    // The pick takes every kind of entity (a mask of no kinds would pick none).
    CEntityList found;
    view->PickEntitiesAtPoint(at.x, at.y, found, 1, 0, 0, 0, kPickOrdinary, 0);
    CDrawingGroup* group = found.IsEmpty() ? nullptr : found.GetHead()->GetEntityGroup();
    if (group) ChooseGroup(view, group, "输入被修改组的基点的位置");
    points_.clear();
    step_ = 0;
    return;
  }
  const bool current = tabCount_ % 2 == 1 && !editGroup_;
  tabCount_ = 0;
  pickMode_ = 1;
  points_.clear();
  step_ = 0;
  promptOverride_ = kPickPrompt;
  CDrawingGroup* group = editGroup_;
  if (current) {
    group = view->GetCurrentGroup();
    if (group) {
      CEntityList members;
      CollectGroupMembers(view, group, members);
      view->SelectEntities(members, 0, 1, 1, 0);
    }
  }
  editGroup_ = nullptr;
  if (!group) return;
  if (std::fabs(at.x - group->GetOriginX()) <= 1e-6 && std::fabs(at.y - group->GetOriginY()) <= 1e-6) {
    view->ClearSelection();
    return;
  }
  CEntityList members;
  for (CEntity* e : *view->GetSelectionList()) members.AddTail(e);
  for (CEntity* e : members) PrepareGroupChange(e);
  group->SetOrigin(at.x, at.y);
  for (CEntity* e : members) ApplyGroupChange(e);
  // The highlighted members go back to the drawing either way, so that no
  // selection outlives the command's step.
  view->ClearSelection();
  if (view->GroupRedrawFlag()) view->RefreshView(4, 2);
}

int CEditGroupCmd::OnRButton(CDraftView* view) {
  if (view) view->ClearSelection();
  pickMode_ = 1;
  editGroup_ = nullptr;
  promptOverride_ = kPickPrompt;
  return CCmdBase::OnRButton(view);
}
