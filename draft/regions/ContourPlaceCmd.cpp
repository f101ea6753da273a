#include "draft/regions/ContourPlaceCmd.h"

#include <memory>

#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr const char* kPickPrompt = "选取目标";
constexpr const char* kBlockTargetPrompt = "确定目标点(左Shift键不自动成块,Tab键转90度)";
constexpr const char* kLooseTargetPrompt = "确定目标点(左Shift键自动成块,Tab键转90度)";
}  // namespace

CContourPlaceCmd::CContourPlaceCmd(int id, CDraftView* view, int chainMode) : CContourCmd(id, view, chainMode) {
  pickMode_ = 1;
  prompts_ = {CString(kPickPrompt), CString(kBlockTargetPrompt)};
  promptOverride_ = kPickPrompt;
  shiftCount_ = 1;
}

void CContourPlaceCmd::PickTargets(CDraftView* view) {
  if (!view || points_.size() != 1) return;
  CEntityList picked;
  if (!view->PickEntitiesAtPoint(points_[0].x, points_[0].y, picked, 0, 1, 0, 0, static_cast<DWORD>(-8), -1)) {
    points_.clear();
    step_ = 0;
    return;
  }
  CEntity* first = picked.GetHead();
  layer_ = first->GetEntityLayer();
  contourGroup_ = first->GetEntityGroup();
  CEntityList& drawing = *view->GetEntityList();
  ClearMarks(drawing);  // only this chain's marks tell the held entities below
  BuildChainFromPicks(drawing, regions_[0], first);
  // The chained entities carry the chain mark: they are the ones held.
  for (CEntity* e : drawing)
    if (e->GetChainMark()) seconds_[0].AddTail(e);
  if (seconds_[0].IsEmpty()) seconds_[0].AddTail(first);
  // Out of the entity list, held in the view's selection (so still the
  // drawing's, whatever the undo history does meanwhile).
  for (CEntity* e : seconds_[0]) view->SelectEntity(e, 0);
  view->RegisterInsertedEntities(regions_[0]);
  for (CEntity* copy : regions_[0]) view->SelectEntity(copy);
  found_ = 1;
  SetPointInput(1);
  promptOverride_ = " 确定目标点";
}

int CContourPlaceCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (found_ && chainMode_ == 0 && points_.size() == 1) {
    pickMode_ = 0;
    SetPointInput(1);
    promptOverride_ = "确定移动基点";
  } else if (found_ && chainMode_ == 0 && points_.size() == 2) {
    promptOverride_ = shiftCount_ % 2 == 0 ? kLooseTargetPrompt : kBlockTargetPrompt;
    view->DrawLinePreview(points_[1].x, points_[1].y, cursor_.x, cursor_.y);
    PlaceContour(view, 1);
  } else if (found_ && chainMode_ == 1 && points_.size() == 1) {
    promptOverride_ = "左键确认";
  }
  return CCmdBase::DrawPreview(view);
}

void CContourPlaceCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!found_) {
    PickTargets(view);
    return;
  }
  if (chainMode_ == 1 && points_.size() == 2) {
    MakeChainBlock(view);
  } else if (chainMode_ == 0 && points_.size() == 3) {
    PlaceContour(view, 0);
    points_.pop_back();  // the next click places another copy from the same base
  }
}

void CContourPlaceCmd::PlaceContour(CDraftView* view, int preview) {
  if (!view || points_.size() < 2) return;
  const double angle = 90.0 * (tabCount_ % 4);
  const PointRec& base = points_[1];
  const PointRec& target = preview ? cursor_ : points_.back();
  const double dx = target.x - base.x, dy = target.y - base.y;
  if (preview) {
    for (CEntity* e : regions_[0]) {
      if (!e->IsLine() && !e->IsArc()) continue;
      std::unique_ptr<CEntity> copy(e->Transform(dx, dy, base.x, base.y, 1.0, angle, 1));
      if (!copy) continue;
      double v[kMaxGeometryValues];
      copy->GetGeometry(v);
      if (copy->IsLine())
        view->DrawLinePreview(v[0], v[1], v[2], v[3]);
      else
        view->DrawArcPreview(v[0], v[1], v[2], v[3], v[4]);
    }
    return;
  }
  if (shiftCount_ % 2 == 1) {
    std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(layer_, contourGroup_));
    for (CEntity* e : regions_[0]) {
      std::unique_ptr<CEntity> copy(e->Transform(dx, dy, base.x, base.y, 1.0, angle, 1));
      if (copy && block->AddMember(copy.get())) copy.release();
    }
    ClearMarks(seconds_[0]);
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(block.get()));
    view->AddEntityToView(block.release(), nullptr, nullptr, 1);
    view->PushUndoRecord(record.release());
    return;
  }
  try {
    for (CEntity* e : regions_[0]) {
      CEntity* copy = e->Transform(dx, dy, base.x, base.y, 1.0, angle, 1);
      if (copy) results_.AddTail(copy);
    }
  } catch (...) {
    DeleteResults();
    throw;
  }
  ClearMarks(seconds_[0]);
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  record->AddNewList(results_);
  view->AddEntities(results_);
  view->PushUndoRecord(record.release());
  results_.RemoveAll();
}

void CContourPlaceCmd::MakeChainBlock(CDraftView* view) {
  if (!view) return;
  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(layer_, contourGroup_));
  while (!regions_[0].IsEmpty()) {
    CEntity* copy = regions_[0].RemoveHead();
    view->UnregisterEntity(copy);
    if (!block->AddMember(copy)) delete copy;
  }
  results_.AddTail(block.get());
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  record->SetLists(seconds_[0], results_);
  view->RemoveEntities(seconds_[0]);
  ClearMarks(seconds_[0]);
  seconds_[0].RemoveAll();
  view->AddEntityToView(block.release(), nullptr, nullptr, 1);
  view->PushUndoRecord(record.release());
  results_.RemoveAll();
  view->ClearSelection();
  found_ = 0;
  promptOverride_ = kPickPrompt;
  pickMode_ = 1;
  points_.clear();
  step_ = 0;
}

void CContourPlaceCmd::ReleaseContour(CDraftView* view) {
  if (view) view->BeginViewUpdate();
  // The copies go; emptying the selection puts each held entity back into
  // the entity list, once.
  ClearContour(view);
  if (view) view->EndViewUpdate();
}

int CContourPlaceCmd::OnRButton(CDraftView* view) {
  const bool nothingTaken = points_.empty() && !found_;
  ReleaseContour(view);
  if (nothingTaken) return 1;
  promptOverride_ = kPickPrompt;
  pickMode_ = 1;
  return 0;
}

int CContourPlaceCmd::End(CDraftView* view) {
  ReleaseContour(view);
  return CContourCmd::End(view);
}
