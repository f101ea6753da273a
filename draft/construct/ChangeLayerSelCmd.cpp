#include "draft/construct/ChangeLayerSelCmd.h"

#include "draft/construct/LayerChange.h"
#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"

namespace {
constexpr int kMask = 0x2000;
}

CChangeLayerSelCmd::CChangeLayerSelCmd(int id) : CSelectCmdBase(id, nullptr, 0, 0, kMask, 0) { pickMode_ = 1; }

int CChangeLayerSelCmd::OnRButton(CDraftView* view) {
  points_.clear();
  return CSelectCmdBase::OnRButton(view);
}

int CChangeLayerSelCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  BYTE chosen = 0;
  if (!RunChangeLayerDialog(view, static_cast<BYTE>(view->GetCurrentLayer()), chosen)) {
    view->ClearSelection(nullptr);
    return 0;
  }
  target_ = chosen;
  // The selection list changes while the entities move: walk a copy.
  CEntityList sources;
  for (CEntity* e : *view->GetSelectionList()) sources.AddTail(e);
  MoveToLayerByCopies(view, sources, -1, target_);
  ClearPoints();
  view->ClearSelection(nullptr);
  // Ready for the next selection.
  phase_ = kSelecting;
  pickMode_ = 1;
  return 1;
}
