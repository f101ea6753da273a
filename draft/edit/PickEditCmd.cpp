#include "draft/edit/PickEditCmd.h"

#include "draft/framework/CmdStack.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/TecReqCmd.h"

namespace {
constexpr DWORD kPickMask = 0x4542C0;
constexpr int kRequirementsCommandId = 61551;
}  // namespace

CPickEditCmd::CPickEditCmd(int id) : CCmdBase(id, nullptr) {
  pickMode_ = 1;
  prompts_ = {CString("选择图元")};
}

int CPickEditCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  if (view) view->ClearSelection();
  return 1;
}

int CPickEditCmd::MarksPoints() { return 0; }

int CPickEditCmd::OnRButton(CDraftView* view) {
  if (view) view->ClearSelection();
  return 1;
}

void CPickEditCmd::Execute(CDraftView* view) {
  picked_ = 0;
  points_.clear();
  step_ = 0;
  if (!view) return;
  CEntityList picked;
  if (!view->PickEntitiesAtPoint(cursor_.x, cursor_.y, picked, 0, 1, 0, 0, kPickMask, 0) || picked.IsEmpty()) return;
  picked_ = 1;
  CEntity* entity = picked.GetHead();
  CEntity* owner = entity->GetEntityOwner();
  // A member stands for its two-point entity or compound curve, and for a
  // compound kept whole (a requirement block's texts for the block).
  if (owner && (owner->IsTwoPointEntity() || owner->IsCompoundCurve() || owner->IsKeptWhole())) entity = owner;
  view->SelectEntity(entity, 1, 1, 1, nullptr);
  if (entity->IsRequirementText()) {
    if (CCmdStack* stack = GetStack()) {
      view->ClearSelection();
      stack->PushNested(view, new CTecReqCmd(kRequirementsCommandId));
      return;
    }
  } else {
    CEntity* replacement = nullptr;
    try {
      CModalDialogScope scope(view, "Korrin.DLL");
      replacement = entity->EditInDialog(view->GetLayerTable(), view->GetGroupTable());
    } catch (...) {
      view->ClearSelection();
      throw;
    }
    if (replacement) {
      view->ClearSelection(entity);
      CUndoRecord* record = ConstructUndoReplaceEntity(entity, replacement);
      view->RemoveEntity(entity, 1, 0);
      view->AddEntityToView(replacement, nullptr, entity);  // a member keeps its place
      view->PushUndoRecord(record);
    }
  }
  view->ClearSelection();
}
