#include "draft/host/DraftView.h"

#include <algorithm>
#include <cmath>

#include "draft/host/BlockEntity.h"
#include "draft/host/DrawingService.h"
#include "draft/host/Entity.h"
#include "draft/host/UndoRecord.h"

CDraftView::CDraftView() = default;

CDraftView::~CDraftView() {
  theDrawingService.ForgetView(this);
  // The collected regions' boundaries are the view's own; they leave the
  // view's lists as they go.
  DiscardPickedRegions();
  // Records never own entities; drop them first, then free everything the
  // view owns and whatever still sits in its lists.
  undo_.clear();
  redo_.clear();
  // Registered entities are their commands'; they are only no longer watched.
  for (CEntity* e : second_)
    if (IsRegistered(e)) e->SetWatcher(nullptr);
  std::unordered_set<CEntity*> doomed(owned_);
  for (CEntity* e : entities_) doomed.insert(e);
  for (CEntity* e : selection_)
    if (!IsKeptApart(e)) doomed.insert(e);
  entities_.RemoveAll();
  selection_.RemoveAll();
  second_.RemoveAll();
  for (CEntity* e : doomed) delete e;
  while (!temp_.IsEmpty()) delete temp_.RemoveHead();
}

// ---- Content.

bool CDraftView::IsInDrawing(const CEntity* e) const {
  if (!e || IsRegistered(e)) return false;
  if (HeldByBlock(e)) return IsInDrawing(e->GetEntityOwner());
  return entities_.Contains(e) || selection_.Contains(e);
}

bool CDraftView::HeldByBlock(const CEntity* e) {
  const CEntity* owner = e->GetEntityOwner();
  return owner && owner->IsBlock() && static_cast<const CBlockEntity*>(owner)->FindMember(e) >= 0;
}

void CDraftView::Adopt(CEntity* e) {
  if (IsRegistered(e) || HeldByBlock(e)) return;  // a command's, or its block's
  owned_.insert(e);
  OrderKey(e);
}

unsigned long long CDraftView::OrderKey(const CEntity* e) {
  auto it = order_.try_emplace(e->GetHandle(), nextOrder_).first;
  if (it->second == nextOrder_) ++nextOrder_;
  return it->second;
}

bool CDraftView::EntitiesInOrder() {
  if (entitiesChecked_ == entities_.GetChangeCount()) return entitiesInOrder_;
  bool inOrder = true;
  unsigned long long last = 0;
  for (const CEntity* e : entities_) {
    auto it = order_.find(e->GetHandle());
    if (it == order_.end() || it->second < last) {
      inOrder = false;
      break;
    }
    last = it->second;
  }
  NoteEntitiesInOrder(inOrder);
  return inOrder;
}

void CDraftView::NoteEntitiesInOrder(bool inOrder) {
  entitiesChecked_ = entities_.GetChangeCount();
  entitiesInOrder_ = inOrder;
}

bool CDraftView::RemoveFromEntities(const CEntity* e) {
  // Taking entities out keeps the rest in the order they stood in.
  const bool known = entitiesChecked_ == entities_.GetChangeCount();
  bool removed = false;
  while (entities_.Remove(e)) removed = true;
  if (known) entitiesChecked_ = entities_.GetChangeCount();
  return removed;
}

void CDraftView::InsertInOrder(CEntity* e) {
  const unsigned long long key = OrderKey(e);
  if (EntitiesInOrder()) {
    // In an ordered list the first entity after e follows the last one
    // before it: look from the tail, where new entities and those of the
    // latest steps go.
    POSITION pos = entities_.GetTailPosition();
    POSITION after = nullptr;
    bool found = true;
    while (pos) {
      POSITION here = pos;
      auto it = order_.find(entities_.GetPrev(pos)->GetHandle());
      if (it == order_.end()) {
        found = false;  // one without a place: the walk from the head decides
        break;
      }
      if (it->second < key) {
        after = here;
        break;
      }
    }
    if (found) {
      if (after)
        entities_.InsertAfter(after, e);
      else
        entities_.AddHead(e);
      NoteEntitiesInOrder(true);
      return;
    }
  }
  for (POSITION pos = entities_.GetHeadPosition(); pos;) {
    POSITION here = pos;
    CEntity* other = entities_.GetNext(pos);
    auto it = order_.find(other->GetHandle());
    if (it != order_.end() && it->second > key) {
      entities_.InsertBefore(here, e);
      return;
    }
  }
  entities_.AddTail(e);
}

void CDraftView::InsertAllInOrder(const std::vector<CEntity*>& entities) {
  if (entities.size() < 8) {
    for (CEntity* e : entities) InsertInOrder(e);
    return;
  }
  const bool inOrder = EntitiesInOrder();
  // One by one, each would go before the first entity after it; in order
  // of place, each goes no earlier than the one before, so one walk of the
  // list finds every spot.
  std::vector<std::pair<unsigned long long, CEntity*>> keyed;
  keyed.reserve(entities.size());
  for (CEntity* e : entities) keyed.emplace_back(OrderKey(e), e);
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  POSITION pos = entities_.GetHeadPosition();
  for (const auto& [key, e] : keyed) {
    while (pos) {
      auto it = order_.find(entities_.GetAt(pos)->GetHandle());
      if (it != order_.end() && it->second > key) break;
      entities_.GetNext(pos);
    }
    if (pos)
      entities_.InsertBefore(pos, e);
    else
      entities_.AddTail(e);
  }
  if (inOrder) NoteEntitiesInOrder(true);
}

void CDraftView::TakeOut(CEntity* e) {
  RemoveFromEntities(e);
  while (selection_.Remove(e)) {}
  if (HeldByBlock(e)) {
    // Out of its block, still naming it; the view holds it until the
    // caller takes it (RemoveEntity) or a record gives it back.
    memberPlace_[e->GetHandle()] = static_cast<CBlockEntity*>(e->GetEntityOwner())->DetachMember(e);
    owned_.insert(e);
  }
}

void CDraftView::PutBack(CEntity* e, const CEntity* replaced) {
  CEntity* owner = e->GetEntityOwner();
  if (!owner || !owner->IsBlock()) {
    InsertInOrder(e);
    return;
  }
  auto* block = static_cast<CBlockEntity*>(owner);
  if (block->FindMember(e) >= 0) return;
  int place = replaced ? block->FindMember(replaced) : -1;
  if (place < 0 && replaced && memberPlace_.count(replaced->GetHandle()))
    place = memberPlace_[replaced->GetHandle()];
  if (place < 0 && memberPlace_.count(e->GetHandle())) place = memberPlace_[e->GetHandle()];
  if (block->InsertMember(e, place)) {
    owned_.erase(e);  // the block's now
    memberPlace_.erase(e->GetHandle());
  }
}

BOOL CDraftView::AddEntityToView(CEntity* entity, CUndoRecord* record, CEntity* replaced, int) {
  if (!entity) return FALSE;
  heldOut_.erase(entity);
  UnregisterEntity(entity);  // a command's entity joins the drawing
  if (!tracking_) detached_.Remove(entity);
  if (!IsInDrawing(entity)) {
    const CEntity* owner = entity->GetEntityOwner();
    if (owner && owner->IsBlock()) {
      PutBack(entity, replaced);
    } else {
      Adopt(entity);
      InsertInOrder(entity);
    }
  }
  if (record) record->AddEntry(replaced, entity);
  return TRUE;
}

void CDraftView::AddEntities(const CEntityList& list) {
  CEntityList copy(list);  // the caller may pass one of the view's own lists
  for (CEntity* e : copy) AddEntityToView(e);
}

BOOL CDraftView::RemoveEntity(CEntity* entity, int, int) {
  if (!entity) return FALSE;
  if (UnregisterEntity(entity)) return FALSE;
  const bool wasIn = IsInDrawing(entity);
  TakeOut(entity);
  auto it = recordRefs_.find(entity);
  if (it == recordRefs_.end() || it->second == 0) {
    owned_.erase(entity);  // the caller owns it now
    heldOut_.erase(entity);
  } else {
    heldOut_.insert(entity);  // the view's, and the caller holds it
  }
  return wasIn ? TRUE : FALSE;
}

void CDraftView::RemoveEntities(const CEntityList& list) {
  CEntityList copy(list);
  for (CEntity* e : copy) RemoveEntity(e);
}

void CDraftView::DiscardEntity(CEntity* entity) {
  if (!entity) return;
  if (IsRegistered(entity)) UnregisterEntity(entity);
  if (IsInDrawing(entity) || HeldByBlock(entity)) RemoveEntity(entity);
  heldOut_.erase(entity);
  auto it = recordRefs_.find(entity);
  if (it != recordRefs_.end() && it->second > 0) return;  // the records keep it
  owned_.erase(entity);
  FreeEntity(entity);
}

void CDraftView::FreeEntity(CEntity* e) {
  if (entities_.Contains(e)) entitiesChecked_ = ~0ULL;  // it loses its place: look again
  order_.erase(e->GetHandle());
  memberPlace_.erase(e->GetHandle());
  delete e;
}

void CDraftView::SetCurrentLayer(int layer) { currentLayer_ = ClampLayer(layer); }

const CLayerRecord* CDraftView::GetEntityLayerInfo(const CEntity* entity) const {
  return entity ? layers_.GetLayerRecord(entity->GetEntityLayer()) : nullptr;
}

// ---- Selection.

void CDraftView::SelectEntity(CEntity* entity, int highlight, int, int, void*) {
  if (!entity || selection_.Contains(entity)) return;
  const bool known = entitiesChecked_ == entities_.GetChangeCount();
  entities_.Remove(entity);
  if (known) entitiesChecked_ = entities_.GetChangeCount();
  selection_.AddTail(entity);
  if (highlight) Record(ViewDrawKind::kHighlight, {}, nullptr, 1, entity);
}

void CDraftView::SelectEntities(const CEntityList& list, int highlight, int a, int b, int) {
  CEntityList copy(list);
  for (CEntity* e : copy) SelectEntity(e, highlight, a, b);
}

void CDraftView::DeselectEntities(const CEntityList& list) {
  CEntityList copy(list);
  std::vector<CEntity*> back;
  for (CEntity* e : copy) {
    if (!selection_.Remove(e)) continue;
    if (!IsKeptApart(e)) back.push_back(e);
    Record(ViewDrawKind::kHighlight, {}, nullptr, 0, e);
  }
  InsertAllInOrder(back);
}

void CDraftView::ClearSelection(CEntity* entity) {
  if (entity) {
    if (selection_.Remove(entity)) {
      if (!IsKeptApart(entity)) InsertInOrder(entity);
      Record(ViewDrawKind::kHighlight, {}, nullptr, 0, entity);
    }
    return;
  }
  detached_.RemoveAll();  // the command's, not freed
  std::vector<CEntity*> back;
  while (!selection_.IsEmpty()) {
    CEntity* e = selection_.RemoveHead();
    if (!IsKeptApart(e)) back.push_back(e);
    Record(ViewDrawKind::kHighlight, {}, nullptr, 0, e);
  }
  InsertAllInOrder(back);
}

BOOL CDraftView::EnableSelectionTracking(int on) {
  if (on) {
    tracking_ = true;
    detached_.RemoveAll();
    return TRUE;
  }
  if (!tracking_) return TRUE;
  if (!selection_.IsEmpty()) return FALSE;
  tracking_ = false;
  return TRUE;
}

// ---- Registered entities.

void CDraftView::RegisterInsertedEntities(const CEntityList& list) {
  CEntityList copy(list);
  for (CEntity* e : copy) {
    if (!e || IsRegistered(e) || IsInDrawing(e) || owned_.count(e) || e->GetWatcher()) continue;
    registered_.insert(e);
    second_.AddTail(e);
    e->SetWatcher(&watcher_);
  }
}

void CDraftView::Forget(CEntity* e) {
  registered_.erase(e);
  while (second_.Remove(e)) {}
  while (selection_.Remove(e)) {}
}

BOOL CDraftView::UnregisterEntity(CEntity* entity) {
  if (!entity || !IsRegistered(entity)) return FALSE;
  entity->SetWatcher(nullptr);
  Forget(entity);
  return TRUE;
}

void CDraftView::ClearRegisteredEntities() {
  while (!second_.IsEmpty()) {
    CEntity* e = second_.RemoveHead();
    UnregisterEntity(e);
  }
}

// ---- Undo store.

void CDraftView::ReleaseRecord(CUndoRecord* record) {
  auto release = [this](CEntity* e) {
    auto it = recordRefs_.find(e);
    if (it == recordRefs_.end()) return;
    if (--it->second > 0) return;
    recordRefs_.erase(it);
    // One a caller took out and still holds stays until it gives it up.
    if (heldOut_.count(e)) return;
    if (!IsInDrawing(e) && owned_.erase(e)) FreeEntity(e);
  };
  for (CEntity* e : record->GetOldEntities()) release(e);
  for (CEntity* e : record->GetNewEntities()) release(e);
}

void CDraftView::ClearRedo() {
  // Newest step first (the first undone, at the front): what a later step
  // made or took out (a side of a polygon, still naming its block) goes
  // before what an earlier step made (the block, freed with its members).
  std::vector<std::unique_ptr<CUndoRecord>> cut = std::move(redo_);
  redo_.clear();
  for (const std::unique_ptr<CUndoRecord>& r : cut) ReleaseRecord(r.get());
}

void CDraftView::PushUndoRecord(CUndoRecord* record) {
  if (!record) return;
  std::unique_ptr<CUndoRecord> owned(record);
  // The new record takes its entities before the redo history is cut: an
  // entity that an undone step names and this one too (an edge put back by
  // the undo and taken out again) must not be freed with that step.
  // An entity the caller took out and names here is the records' again.
  for (CEntity* e : record->GetOldEntities()) {
    ++recordRefs_[e];
    heldOut_.erase(e);
    Adopt(e);
  }
  for (CEntity* e : record->GetNewEntities()) {
    ++recordRefs_[e];
    heldOut_.erase(e);
    Adopt(e);
  }
  ClearRedo();
  undo_.push_back(std::move(owned));
  while (static_cast<int>(undo_.size()) > undoLimit_) {
    std::unique_ptr<CUndoRecord> oldest = std::move(undo_.front());
    undo_.erase(undo_.begin());
    ReleaseRecord(oldest.get());
  }
}

template <typename It>
void CDraftView::PutAllBack(It first, It last) {
  // As PutBack one by one of those out of the drawing, the entity list's
  // share inserted together at the end.
  std::vector<CEntity*> back;
  std::unordered_set<const CEntity*> going;
  for (It it = first; it != last; ++it) {
    CEntity* e = *it;
    if (going.count(e) || IsInDrawing(e) || IsRegistered(e)) continue;
    const CEntity* owner = e->GetEntityOwner();
    if (owner && owner->IsBlock()) {
      PutBack(e);
    } else {
      back.push_back(e);
      going.insert(e);
    }
  }
  InsertAllInOrder(back);
}

BOOL CDraftView::Undo() {
  if (undo_.empty()) return FALSE;
  std::unique_ptr<CUndoRecord> r = std::move(undo_.back());
  undo_.pop_back();
  const auto& added = r->GetNewEntities();
  for (auto it = added.rbegin(); it != added.rend(); ++it)
    if (!IsRegistered(*it)) TakeOut(*it);
  // The old entities left the drawing first to last (the command's removal,
  // or a redo); members go back last to first so that each block place
  // taken at removal is a place in the block as it then was.
  const auto& removed = r->GetOldEntities();
  PutAllBack(removed.rbegin(), removed.rend());
  redo_.push_back(std::move(r));
  return TRUE;
}

BOOL CDraftView::Redo() {
  if (redo_.empty()) return FALSE;
  std::unique_ptr<CUndoRecord> r = std::move(redo_.back());
  redo_.pop_back();
  for (CEntity* e : r->GetOldEntities())
    if (!IsRegistered(e)) TakeOut(e);
  const auto& added = r->GetNewEntities();
  PutAllBack(added.begin(), added.end());
  undo_.push_back(std::move(r));
  return TRUE;
}

void CDraftView::SetUndoLimit(int limit) { undoLimit_ = std::max(1, limit); }

// ---- Coordinates.

void CDraftView::ClientToDrawing(double& x, double& y, CPoint dp, int dir) {
  if (dir) {
    x = panX_ + dp.x / zoom_;
    y = panY_ + (clientHeight_ - dp.y) / zoom_;
  } else {
    cursorPos_ = DrawingToClient(x, y);
  }
}

void CDraftView::MoveCursorTo(double x, double y) {
  cursorPos_ = DrawingToClient(x, y);
  placedCursor_ = {x, y};
  ++cursorPlacements_;
}

CPoint CDraftView::DrawingToClient(double x, double y) const {
  auto clampInt = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9))); };
  return CPoint(clampInt((x - panX_) * zoom_), clampInt(clientHeight_ - (y - panY_) * zoom_));
}

void CDraftView::SetClientSize(int width, int height) {
  clientWidth_ = std::max(1, width);
  clientHeight_ = std::max(1, height);
}

void CDraftView::SetZoom(double zoom) {
  if (zoom > 0 && std::isfinite(zoom)) zoom_ = zoom;
}

void CDraftView::SetPan(double x, double y) {
  panX_ = x;
  panY_ = y;
}

void CDraftView::ZoomInAt(double x, double y) {
  if (ZoomAbout(x, y, zoom_ * 2)) RefreshView();
}

void CDraftView::ZoomOutAt(double x, double y) {
  if (ZoomAbout(x, y, zoom_ / 2)) RefreshView();
}

bool CDraftView::ZoomAbout(double x, double y, double zoom) {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  // (x, y) keeps its unrounded device place: (x - pan)·zoom is the same
  // before and after.
  const double deviceX = (x - panX_) * zoom_, deviceUp = (y - panY_) * zoom_;
  SetZoom(zoom);
  panX_ = x - deviceX / zoom_;
  panY_ = y - deviceUp / zoom_;
  return true;
}

void CDraftView::ZoomWindow(double x1, double y1, double x2, double y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  const double w = std::fabs(x2 - x1), h = std::fabs(y2 - y1);
  if (w < tressil::kGeomTolerance && h < tressil::kGeomTolerance) return;
  double z = std::min(w > 0 ? clientWidth_ / w : 1e300, h > 0 ? clientHeight_ / h : 1e300);
  SetZoom(z);
  panX_ = (x1 + x2) / 2 - clientWidth_ / 2.0 / zoom_;
  panY_ = (y1 + y2) / 2 - clientHeight_ / 2.0 / zoom_;
  RefreshView();
}

void CDraftView::PanView(double x1, double y1, double x2, double y2, int, int) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  panX_ -= x2 - x1;
  panY_ -= y2 - y1;
  RefreshView();
}

double CDraftView::GetPickAperture() const { return units_.pickSize / 2.0 / zoom_; }

// ---- Drawing.

void CDraftView::Record(ViewDrawKind kind, std::vector<double> values, const char* text, int flag, const CEntity* e) {
  Record(ViewDrawOp{kind, std::move(values), CStringA(text ? text : ""), flag, e, std::nullopt});
}

void CDraftView::Record(ViewDrawOp op) {
  Paint(op);
  drawLog_.push_back(std::move(op));
}

void CDraftView::ShowCrossHair(int show) {
  crossHairShown_ = show != 0;
  if (!show) Record(ViewDrawKind::kCrossHairHidden, {});
}

void CDraftView::EraseCrossHair() {
  crossHairShown_ = false;
  Record(ViewDrawKind::kCrossHairErased, {});
}

void CDraftView::DrawCrossHair(double x, double y, int flag) {
  crossHairShown_ = true;
  Record(ViewDrawKind::kCrossHair, {x, y}, nullptr, flag);
}

void CDraftView::MarkPoint(double x, double y) {
  Record(ViewDrawKind::kMark, {x, y});
  if (markState_ == 1) SetOrigin(x, y);
}

void CDraftView::DrawLinePreview(double x1, double y1, double x2, double y2, int pen) {
  Record(ViewDrawKind::kLine, {x1, y1, x2, y2}, nullptr, pen);
}

void CDraftView::DrawCirclePreview(double cx, double cy, double r) { Record(ViewDrawKind::kCircle, {cx, cy, r}); }

void CDraftView::DrawArcPreview(double cx, double cy, double r, double start, double end, int flag) {
  Record(ViewDrawKind::kArc, {cx, cy, r, start, end}, nullptr, flag);
}

void CDraftView::DrawEllipsePreview(double cx, double cy, double a, double b, double rotation, double start,
                                    double end) {
  Record(ViewDrawKind::kEllipse, {cx, cy, a, b, rotation, start, end});
}

void CDraftView::DrawPolylinePreview(const double* xs, const double* ys, int count, int, int closed) {
  if (!xs || !ys || count < 2) return;
  std::vector<double> values;
  values.reserve(2 * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    values.push_back(xs[i]);
    values.push_back(ys[i]);
  }
  Record(ViewDrawKind::kPolyline, std::move(values), nullptr, closed ? 1 : 0);
}

void CDraftView::DrawPointMark(double x, double y, COLORREF colour) {
  Record(ViewDrawKind::kPointMark, {x, y}, nullptr, static_cast<int>(colour));
}

void CDraftView::DrawTextPreview(const char* text, double x, double y, double angle) {
  Record(ViewDrawKind::kText, {x, y, angle}, text);
}

void CDraftView::DrawTextPreviewStyled(const char* text, double x, double y, int flag, const CTextAttrib& attr) {
  Record(ViewDrawOp{ViewDrawKind::kTextStyled, {x, y, attr.GetHeight(), attr.GetAngle()}, CStringA(text ? text : ""),
                    flag, nullptr, attr});
}

void CDraftView::DrawEntityTemp(const CEntity* entity, int mode, int erase) {
  if (!entity) return;
  Record(erase ? ViewDrawKind::kEntityErase : ViewDrawKind::kEntityTemp, {}, nullptr, mode, entity);
}

void CDraftView::DrawEntitiesTemp(const CEntityList& list, int mode, int erase) {
  for (CEntity* e : list) DrawEntityTemp(e, mode, erase);
}

// ---- State.

BOOL CDraftView::SnapLength(double& d, const CDrawingGroup* group) const {
  const double g = lengthStep_ * GetGroupScale(group);
  if (!(g > tressil::kGeomTolerance) || !std::isfinite(d)) return FALSE;
  const double n = std::trunc((d + g / 2) / g) * g;
  const bool changed = std::fabs(n - d) > 1e-12;
  d = n;
  return changed ? TRUE : FALSE;
}

void CDraftView::SetCursorState(int arg, int pointInput, int pickMode, int viewCommand) {
  cursorState_ = CursorState{arg, pointInput, pickMode, viewCommand};
}

int CDraftView::UpdateCursor() {
  stateCursorShown_ = true;
  if (cursorState_.viewCommand) return 3;
  if (cursorState_.pickMode) return 2;
  return cursorState_.pointInput ? 1 : 0;
}
