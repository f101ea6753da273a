#include "draft/host/DrawingService.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"

CDrawingService theDrawingService;

void CDrawingService::SetHideRange(double x, double y) {
  base_ = {x, y};
  hasBase_ = true;
}

BOOL CDrawingService::HideEntities(CDraftView* store, CLayerTable* layers, CAttributeItemList*, CGroupTable*) {
  if (!store || !hasBase_ || store->GetSelectionList()->IsEmpty()) return FALSE;
  hidden_.clear();
  view_ = store;
  layers_ = layers ? layers : store->GetLayerTable();
  for (CEntity* e : *store->GetSelectionList())
    if (!store->IsKeptApart(e)) hidden_.emplace(e, e->GetHandle());
  SetDrawingIOFlag(1);
  return TRUE;
}

void CDrawingService::GetHiddenEntities(CDraftView* view, CEntityList& out) const {
  if (!IsHiding(view)) return;
  for (const CEntityList* list : {view->GetEntityList(), view->GetSelectionList()})
    for (CEntity* e : *list) {
      auto it = hidden_.find(e);
      if (it != hidden_.end() && it->second == e->GetHandle() && !view->IsKeptApart(e)) out.AddTail(e);
    }
}

void CDrawingService::EndHide(CEntityList& copies) {
  if (view_ && !copies.IsEmpty()) {
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
    CEntityList handed(copies);
    copies.RemoveAll();
    for (CEntity* e : handed) view_->AddEntityToView(e, record.get());
    view_->PushUndoRecord(record.release());
  }
  Reset();
  hasBase_ = false;
}

void CDrawingService::ForgetView(const CDraftView* view) {
  if (view && view == view_) Reset();
}

void CDrawingService::Reset() {
  view_ = nullptr;
  layers_ = nullptr;
  hidden_.clear();
}
