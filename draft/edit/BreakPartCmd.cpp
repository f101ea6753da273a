#include "draft/edit/BreakPartCmd.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kPickMask = 0x4302C0;
}

CBreakPartCmd::CBreakPartCmd(int id, int cut, int keep, int changeLayer)
    : CCmdBase(id, nullptr), cut_(cut), keep_(keep), changeLayer_(changeLayer) {
  pickMode_ = 1;
  prompts_ = {CString(cut ? "选择截断部分" : keep ? "选择保留部分" : "选择改变图层部分")};
}

int CBreakPartCmd::GetMode() const { return changeLayer_ ? 2 : keep_ ? 1 : 0; }

int CBreakPartCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  if (view) view->ClearSelection();
  return 1;
}

int CBreakPartCmd::MarksPoints() { return 0; }

int CBreakPartCmd::OnRButton(CDraftView*) {
  points_.clear();
  step_ = 0;
  return 1;
}

BOOL CBreakPartCmd::BreakEntityPart(CDraftView* view, CEntity* entity, CEntityList& add, CEntityList& remove,
                                    double x, double y, int mode) {
  if (!view || !entity) return FALSE;
  if (mode == 2 && entity->GetEntityLayer() == view->GetCurrentLayer()) return FALSE;
  const CEntity* owner = entity->GetEntityOwner();
  if (owner && owner->IsCompoundCurve()) return view->BreakCompoundMemberPart(x, y, entity, mode, add, remove);
  // A member of any other compound is not broken out of it.
  if (owner) return FALSE;
  if (entity->IsTwoPointEntity()) return view->BreakCompoundPart(x, y, entity, mode, add, remove);
  if (entity->IsLine()) return view->BreakLinePart(x, y, entity, mode, add, remove);
  if (entity->IsArc()) return view->BreakArcPart(x, y, entity, mode, add, remove);
  if (entity->IsCircle()) return view->BreakCirclePart(x, y, entity, mode, add, remove);
  return FALSE;
}

void CBreakPartCmd::Execute(CDraftView* view) {
  if (!view) return;
  CEntityList picked;
  const BOOL found = view->PickEntitiesAtPoint(cursor_.x, cursor_.y, picked, 0, 1, 0, 0, kPickMask, 0);
  points_.clear();
  step_ = 0;
  if (!found || picked.IsEmpty()) return;
  CEntityList add, remove;
  if (!BreakEntityPart(view, picked.GetHead(), add, remove, cursor_.x, cursor_.y, GetMode())) {
    for (CEntity* e : add) delete e;
    return;
  }
  view->RemoveEntities(remove);
  view->AddEntities(add);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  record->SetLists(remove, add);
  view->PushUndoRecord(record.release());
}
