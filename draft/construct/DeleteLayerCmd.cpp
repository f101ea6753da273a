#include "draft/construct/DeleteLayerCmd.h"

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kPickMask = 0x400000;

// Whether a member's owner keeps it from going with its layer.
bool OwnerKeepsMember(const CEntity* member) {
  const CEntity* owner = member->GetEntityOwner();
  return owner && (owner->IsKeptWhole() || owner->IsTable());
}
}  // namespace

CDeleteLayerCmd::CDeleteLayerCmd(int id) : CCmdBase(id, nullptr) {
  prompts_[0] = "选择删除层的图元";
  pickMode_ = 1;
}

int CDeleteLayerCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  if (view) view->ClearSelection(nullptr);
  return 1;
}

void CDeleteLayerCmd::ForgetPick() {
  if (picked_ && picked_->IsTemporary()) delete picked_;
  picked_ = nullptr;
  pickedFlag_ = 0;
}

void CDeleteLayerCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  if (!pickedFlag_) {
    const PointRec p = points_.back();
    CEntityList picks;
    view->PickEntitiesAtPoint(p.x, p.y, picks, 0, 0, 0, 0, kPickMask, 0);
    if (picks.IsEmpty()) {
      points_.clear();
      return;
    }
    picked_ = picks.GetHead();
    layer_ = picked_->GetEntityLayer();
    pickedFlag_ = 1;
  }
  // Blocks on the layer are opened (nested ones too) and lose what lies on
  // it; tables and compounds kept whole are left with all their members.
  CEntityList doomed, blocks;
  for (CEntity* e : *view->GetEntityList())
    if (e->IsOnLayer(layer_) && !e->IsTable() && !e->IsKeptWhole()) (e->IsBlock() ? blocks : doomed).AddTail(e);
  CEntityList members;
  for (CEntity* block : blocks) block->ExplodeInto(1, members, 0, 0, 0);
  while (!members.IsEmpty()) {
    CEntity* m = members.RemoveHead();
    if (!m->IsOnLayer(layer_) || m->IsTable() || m->IsKeptWhole() || OwnerKeepsMember(m)) continue;
    if (m->IsBlock())
      m->ExplodeInto(1, members, 0, 0, 0);
    else
      doomed.AddTail(m);
  }
  if (!doomed.IsEmpty()) {
    view->RemoveEntities(doomed);
    CUndoRecord* record = ConstructUndoDeleteEntities();
    record->AddOldList(doomed);
    view->PushUndoRecord(record);
  }
  points_.clear();
  ForgetPick();
}

int CDeleteLayerCmd::End(CDraftView* view) {
  if (view) view->ClearSelection(nullptr);
  picked_ = nullptr;
  pickedFlag_ = 0;
  pointCount_ = 1;
  points_.clear();
  return CCmdBase::End(view);
}

int CDeleteLayerCmd::OnRButton(CDraftView* view) {
  if (view) view->ClearSelection(nullptr);
  picked_ = nullptr;
  pickedFlag_ = 0;
  pointCount_ = 1;
  points_.clear();
  return CCmdBase::OnRButton(view);
}
