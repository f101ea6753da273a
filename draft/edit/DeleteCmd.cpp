#include "draft/edit/DeleteCmd.h"

#include <memory>
#include <unordered_set>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"
#include "platform/ui/MessageApi.h"

namespace {
constexpr int kPickFilter = 4;

// A compound that is deleted whole when one of its members is picked.
bool IsDeletedWhole(const CEntity* e) {
  return e->IsKeptWhole() || e->IsCompoundCurve() || e->IsRegisteredObject();
}

// The entity itself, or its nearest owner that is deleted whole.
CEntity* DeletedUnit(CEntity* e) {
  for (CEntity* owner = e->GetEntityOwner(); owner; owner = owner->GetEntityOwner())
    if (IsDeletedWhole(owner)) return owner;
  return e;
}

void Announce(HWND window, CEntity* e) {
  ::SendMessageA(window, kDeletedObjectMessage, 0, reinterpret_cast<LPARAM>(e));
}
}  // namespace

CDeleteCmd::CDeleteCmd(int id) : CCmdBase(id, nullptr) {
  pickMode_ = 1;
  prompts_.resize(2);
  prompts_[0] = "选择需删除的图元";
  prompts_[1] = "输入选择框的另一角点";
}

void CDeleteCmd::SetRegisteredOnly() { registeredOnly_ = 1; }

int CDeleteCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  if (view && view->GetSelectionCount() > 0) {
    std::unique_ptr<CUndoRecord> record(ConstructUndoDeleteEntities());
    const CEntityList selected(*view->GetSelectionList());
    record->AddOldList(selected);
    view->RemoveEntities(selected);
    view->ClearSelection(nullptr);
    view->PushUndoRecord(record.release());
  }
  return 1;
}

int CDeleteCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    const PointRec& c = points_[0];
    const int pen = c.x - cursor_.x > 1e-6 ? 1 : 0;
    view->DrawLinePreview(c.x, c.y, cursor_.x, c.y, pen);
    view->DrawLinePreview(cursor_.x, c.y, cursor_.x, cursor_.y, pen);
    view->DrawLinePreview(cursor_.x, cursor_.y, c.x, cursor_.y, pen);
    view->DrawLinePreview(c.x, cursor_.y, c.x, c.y, pen);
    return 0;
  }
  return CCmdBase::DrawPreview(view);
}

void CDeleteCmd::FilterRegistered(CEntityList& list) const {
  if (!registeredOnly_) return;
  CEntityList kept;
  for (CEntity* e : list)
    if (e->IsRegisteredObject()) kept.AddTail(e);
  list.RemoveAll();
  list.AddTail(kept);
}

void CDeleteCmd::DeleteList(CDraftView* view, const CEntityList& list) {
  view->RemoveEntities(list);
  const HWND window = view->GetNotifyWindow();
  std::unique_ptr<CUndoRecord> record(ConstructUndoDeleteEntities());
  for (CEntity* e : list) {
    if (window && e->IsRegisteredObject())
      Announce(window, e);
    else
      record->AddOld(e);
  }
  if (!record->IsEmpty()) view->PushUndoRecord(record.release());
}

void CDeleteCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  CEntityList picked;
  if (step_ == 1) {
    const PointRec p = points_[0];
    view->PickEntitiesAtPoint(p.x, p.y, picked, 1, 1, 0, 0, registeredOnly_ ? 0 : 0x400000, kPickFilter);
    FilterRegistered(picked);
    if (picked.IsEmpty()) {
      pointCount_ = 2;  // the click is the window's first corner
      return;
    }
    points_.clear();
    CEntity* e = picked.GetHead();
    CEntity* owner = e->GetEntityOwner();
    if (owner && IsDeletedWhole(owner)) e = owner;
    view->RemoveEntity(e, 1, 0);
    const HWND window = view->GetNotifyWindow();
    if (window && e->IsRegisteredObject())
      Announce(window, e);
    else
      view->PushUndoRecord(ConstructUndoDeleteEntity(e));
    return;
  }
  const PointRec a = points_[0];
  const PointRec b = points_.back();
  points_.clear();
  pointCount_ = 1;
  view->PickEntitiesInWindow(a.x, a.y, b.x, b.y, picked, 1, 0, 0, 0, registeredOnly_ ? 0x2000 : 0x402000,
                             kPickFilter);
  FilterRegistered(picked);
  if (picked.IsEmpty()) return;
  // Each compound deleted whole goes once, however many of its members
  // lie in the window.
  CEntityList units;
  std::unordered_set<const CEntity*> seen;
  for (CEntity* e : picked) {
    CEntity* unit = DeletedUnit(e);
    if (seen.insert(unit).second) units.AddTail(unit);
  }
  DeleteList(view, units);
}

int CDeleteCmd::OnRButton(CDraftView* view) {
  pointCount_ = 1;
  return CCmdBase::OnRButton(view);
}
