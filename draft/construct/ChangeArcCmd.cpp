#include "draft/construct/ChangeArcCmd.h"

#include <memory>
#include <utility>
#include <vector>

#include "draft/host/CircleEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"

CChangeArcCmd::CChangeArcCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  prompts_[0] = "选择要改变的圆弧";
  prompts_[1] = "输入选择的第二角点";
}

void CChangeArcCmd::ConvertArcs(CDraftView* view, const CEntityList& picked) {
  CEntityList arcs, circles;
  try {
    for (CEntity* e : picked) {
      if (!e || !e->IsArc()) continue;
      void* data = nullptr;
      if (!e->QueryRecord(&data, kQueryCircle)) continue;
      std::unique_ptr<CircleRecord> circle(static_cast<CircleRecord*>(data));
      // The circle joins the drawing, so it is made as a drawing entity
      // (flag 1), not as a command's temporary one that a later command
      // would delete while the drawing still holds it.
      CEntity* made =
          ConstructCircleEntity(e->GetEntityLayer(), e->GetEntityGroup(), circle->cx, circle->cy, circle->r, 1);
      made->SetEntityOwner(e->GetEntityOwner());
      circles.AddTail(made);
      arcs.AddTail(e);
    }
  } catch (...) {
    for (CEntity* c : circles) delete c;
    throw;
  }
  if (arcs.IsEmpty()) return;
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  record->SetLists(arcs, circles);
  view->ClearSelection(nullptr);
  view->RemoveEntities(arcs);
  AddInArcsPlaces(view, arcs, circles);
  points_.clear();
  view->PushUndoRecord(record.release());
}

void CChangeArcCmd::AddInArcsPlaces(CDraftView* view, const CEntityList& arcs, const CEntityList& circles) {
  std::vector<std::pair<CEntity*, CEntity*>> pairs;
  POSITION a = arcs.GetHeadPosition(), c = circles.GetHeadPosition();
  while (a && c) {
    CEntity* arc = arcs.GetNext(a);
    pairs.emplace_back(arc, circles.GetNext(c));
  }
  // A circle naming a block goes into the block in its arc's place. The arcs
  // left their blocks first to last, so the members go back last to first:
  // each place is then one in the block as it was when that arc left.
  for (const auto& [arc, circle] : pairs)
    if (!circle->GetEntityOwner()) view->AddEntityToView(circle, nullptr, arc);
  for (auto it = pairs.rbegin(); it != pairs.rend(); ++it)
    if (it->second->GetEntityOwner()) view->AddEntityToView(it->second, nullptr, it->first);
}

int CChangeArcCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  if (view->GetSelectionCount() > 0) {
    CEntityList selected;
    for (CEntity* e : *view->GetSelectionList()) {
      if (!e) break;
      selected.AddTail(e);
    }
    ConvertArcs(view, selected);
    return 0;
  }
  pickMode_ = 1;
  return view->GetEntityList()->IsEmpty() ? 0 : 1;
}

void CChangeArcCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  CEntityList picked;
  const DWORD mask = static_cast<DWORD>(pickMask_);
  if (points_.size() == 1) {
    if (!view->PickEntitiesAtPoint(points_[0].x, points_[0].y, picked, 0, 0, 0, 0, mask, pickFilter_)) {
      pointCount_ = 2;  // the next click closes a window
      return;
    }
  } else {
    const PointRec a = points_[0], b = points_.back();
    points_.clear();
    pointCount_ = 1;
    if (!view->PickEntitiesInWindow(a.x, a.y, b.x, b.y, picked, 0, 0, 0, 0, mask, pickFilter_)) return;
  }
  ConvertArcs(view, picked);
  points_.clear();
}

int CChangeArcCmd::OnRButton(CDraftView* view) {
  CCmdBase::OnRButton(view);
  return 1;
}
