#include "draft/edit/ClipCircleCmd.h"

#include <memory>

#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "draft/host/Messages.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

CClipCircleCmd::CClipCircleCmd(int id)
    : CCircleCenterCmd(id, 0), state_("Draw Function ClipCircle", "ClipCircle State", "圆") {
  prompts_ = {CString("输入第一点"), CString("输入第二点(R: 半径;D: 直径)")};
  UpdatePrompt();
}

void CClipCircleCmd::UpdatePrompt() {
  promptOverride_ = state_.Prompt(prompts_[step_ < 2 ? step_ : 1]);
}

int CClipCircleCmd::MarksPoints() { return 0; }

void CClipCircleCmd::OnTabKey(CDraftView*) {
  state_.Toggle();
  UpdatePrompt();
}

int CClipCircleCmd::DrawPreview(CDraftView* view) {
  UpdatePrompt();
  return CCircleCenterCmd::DrawPreview(view);
}

void CClipCircleCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  const double cx = points_[0].x, cy = points_[0].y;
  const double r = GetPointDistance(cx, cy, points_[1].x, points_[1].y);
  points_.clear();
  step_ = 0;
  CEntityList made, replaced;
  if (!view->ClipByCircle(made, replaced, state_.Get(), cx, cy, r, 0)) return;
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  for (CEntity* e : replaced) record->AddOld(e);
  for (CEntity* e : made) record->AddNew(e);
  view->RemoveEntities(replaced);
  if (ShowMessage("画上圆？", MB_YESNO | MB_ICONQUESTION) == IDYES) {
    CEntity* circle = ConstructCircleEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), cx, cy, r, 1);
    record->AddNew(circle);
    made.AddTail(circle);
  }
  view->PushUndoRecord(record.release());
  view->AddEntities(made);
}
