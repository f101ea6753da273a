#include "draft/construct/ChangeLayerCmd.h"

#include "draft/construct/LayerChange.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

namespace {
constexpr DWORD kPickMask = 0x402000;
}

CChangeLayerCmd::CChangeLayerCmd(int id) : CCmdBase(id, nullptr) {
  prompts_[0] = "选择改变层的图元";
  pickMode_ = 1;
}

int CChangeLayerCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  if (view) view->ClearSelection(nullptr);
  return 1;
}

void CChangeLayerCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec p = points_.back();
  CEntityList picks;
  view->PickEntitiesAtPoint(p.x, p.y, picks, 0, 1, 0, 0, kPickMask, 0);
  picked_ = picks.IsEmpty() ? nullptr : picks.GetHead();
  points_.clear();
  if (!picked_) return;
  oldLayer_ = picked_->GetEntityLayer();
  for (CEntity* e : picks)
    if (e && e->IsTemporary()) {
      if (e == picked_) picked_ = nullptr;
      delete e;
    }
  BYTE chosen = oldLayer_;
  if (!RunChangeLayerDialog(view, oldLayer_, chosen)) {
    view->ClearSelection(nullptr);
    picked_ = nullptr;
    step_ = 0;
    pointCount_ = 1;
    return;
  }
  newLayer_ = chosen;
  if (newLayer_ != oldLayer_) {
    CEntityList onLayer;
    for (CEntity* e : *view->GetEntityList())
      if (e->IsOnLayer(oldLayer_)) onLayer.AddTail(e);
    MoveToLayerByCopies(view, onLayer, oldLayer_, newLayer_);
  }
  picked_ = nullptr;
}

int CChangeLayerCmd::End(CDraftView* view) {
  if (view) view->ClearSelection(nullptr);
  picked_ = nullptr;
  pointCount_ = 1;
  points_.clear();
  return CCmdBase::End(view);
}

int CChangeLayerCmd::OnRButton(CDraftView* view) {
  points_.clear();
  picked_ = nullptr;
  pointCount_ = 1;
  return CCmdBase::OnRButton(view);
}
