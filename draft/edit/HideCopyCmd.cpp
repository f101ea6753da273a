#include "draft/edit/HideCopyCmd.h"

#include "draft/host/DraftView.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/DrawingService.h"
#include "draft/host/Entity.h"
#include "draft/host/Settings.h"

namespace {
constexpr const char* kRangePrompt = "指定消隐范围";
constexpr const char* kSection = "SYSVAR_MISC";
}  // namespace

CHideCopyCmd::CHideCopyCmd(CDraftView* view, int id) : CSelectCmdBase(id, view, 0, 0, 0x2000, 0), keptView_(view) {
  prompts_ = {CString("选择需要拷贝的图元"), CString("输入选择范围的另一角点"), CString("输入插入基点"),
              CString(kRangePrompt)};
  view_ = nullptr;
}

CHideCopyCmd::~CHideCopyCmd() { DropCopies(keptView_); }

void CHideCopyCmd::DropCopies(CDraftView* view) {
  if (view) {
    view->DrawEntitiesTemp(copies_, 1, 1);
    CEntityList pending(*view->GetSecondList());
    for (CEntity* e : pending) view->ClearSelection(e);
    view->ClearSelection(nullptr);
  }
  // A pass that was never ended lets go of the drawing.
  if (view && theDrawingService.IsHiding(view)) {
    CEntityList none;
    theDrawingService.EndHide(none);
    SetDrawingIOFlag(0);
  }
  while (!copies_.IsEmpty()) delete copies_.RemoveHead();
}

void CHideCopyCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (phase_ == kSelecting) {
    PickOrBox(view);
    if (!deselectMode_ && view->GetEntityList()->IsEmpty()) {
      phase_ = kProcessing;
      pickMode_ = 0;
    }
    return;
  }
  if (OnProcessClick(view)) {
    phase_ = kSelecting;
    doneOutside_ = 1;
    view->ClearSelection(nullptr);
  }
}

int CHideCopyCmd::OnProcessClick(CDraftView* view) {
  if (!view) return 0;
  if (placing_) {
    const int ignoreCentre = GetSysVarInt(kSection, "SET_MISC_HIDE_IGNOCENTERLINE", 1);
    const int ignoreThin = GetSysVarInt(kSection, "SET_MISC_HIDE_IGNOTHINLINE", 0);
    if (view->FindClosedBoundary(*view->GetEntityList(), copies_, sources_, cursor_.x, cursor_.y, ignoreCentre,
                                 ignoreThin, 0, 1)) {
      view->RegisterInsertedEntities(copies_);
      view->SelectEntities(copies_, 1, 1, 1, 1);
    }
    return 0;
  }
  // The base point starts one pass; a click after it (the right button's
  // last Execute) starts no second one.
  if (step_ != 1 || theDrawingService.IsHiding(view)) return 0;
  if (view->GetSelectionList()->IsEmpty()) return 0;
  theDrawingService.SetHideRange(points_[0].x, points_[0].y);
  theDrawingService.HideEntities(view, view->GetLayerTable(), view->GetDrawingAttributeList(),
                                 view->GetGroupTable());
  if (GetSysVarInt(kSection, "SET_MISC_NORMALHIDE", 1) != 1) {
    done_ = doneOutside_ = 1;
    return 1;
  }
  placing_ = 1;
  view_ = keptView_;
  promptOverride_ = kRangePrompt;
  pointInput_ = 0;
  Resume();
  return 0;
}

int CHideCopyCmd::OnProcessRButton(CDraftView* view) {
  if (placing_) {
    promptOverride_ = kRangePrompt;
    return 0;
  }
  ClearPoints();
  if (view) view->EnableSelectionTracking(1);
  placing_ = 0;
  view_ = nullptr;
  promptOverride_.Empty();
  pointInput_ = 1;
  return CCmdBase::OnRButton(view);
}

int CHideCopyCmd::OnRButton(CDraftView* view) {
  if (placing_) {
    placing_ = 0;
    view_ = nullptr;
    Execute(view);
    theDrawingService.EndHide(copies_);
    if (view) {
      CEntityList pending(*view->GetSecondList());
      for (CEntity* e : pending) view->ClearSelection(e);
      view->ClearSelection(nullptr);
    }
    SetDrawingIOFlag(0);
    return 1;
  }
  if (CSelectCmdBase::OnRButton(view) || doneOutside_) {
    if (view) view->ClearSelection(nullptr);
    return 1;
  }
  ClearPoints();
  return 0;
}

int CHideCopyCmd::End(CDraftView* view) {
  DropCopies(view ? view : keptView_);
  return CSelectCmdBase::End(view);
}
