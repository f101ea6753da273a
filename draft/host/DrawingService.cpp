#include "draft/host/DrawingService.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/AttributeItems.h"
#include "draft/host/DrawingFileReader.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupLoading.h"
#include "draft/host/GroupTable.h"
#include "draft/host/InsertServices.h"
#include "draft/host/ScratchDrawing.h"
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

int CDrawingService::LoadGroupFile(CEntityList* selection, CInsertContext* context, CAttributeItemList* fileData,
                                   CGroupTable* groups) {
  if (!selection || !groups || groupFile_.IsEmpty()) return 0;
  CScratchDrawing file;
  if (!ReadDrawingFile(groupFile_, file)) return 0;
  if (fileData)
    for (CDrawingGroup* g : file.GetGroupTable()->GetGroupList())
      for (const CAttributeItem& item : g->GetItemList()->Items())
        AddAttributeItem(fileData, item.name, item.type, item.value, 0, item.shown);
  const int loaded = MoveLoadedDrawing(file, *selection, *groups);
  const DrawingFileHeader& header = file.GetHeader();
  loadedBase_ = header.baseFlag ? GPoint{header.baseX, header.baseY} : GPoint{};
  loadedGroup_ = groups->GetActiveGroup();
  loadedName_ = loadedGroup_ ? loadedGroup_->GetGroupName() : CStringA();
  if (context) {
    context->source = groupFile_;
    context->loaded = loaded;
  }
  return 1;
}

CDrawingGroup* CDrawingService::GetLoadedGroup(double* baseX, double* baseY) const {
  if (baseX) *baseX = loadedBase_.x;
  if (baseY) *baseY = loadedBase_.y;
  return loadedGroup_;
}

CStringA CDrawingService::GetLoadedGroupName() const {
  return loadedName_;
}
