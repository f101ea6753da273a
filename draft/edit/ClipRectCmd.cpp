#include "draft/edit/ClipRectCmd.h"

#include <memory>

#include "draft/host/DraftView.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Messages.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

CClipRectCmd::CClipRectCmd(int id) : CRectCmd(id, nullptr), state_("Draw Function ClipRect", "ClipRect State", "矩形") {
  prompts_ = {CString("输入矩形第一点"), CString("输入矩形第二点")};
  UpdatePrompt();
}

void CClipRectCmd::UpdatePrompt() { promptOverride_ = state_.Prompt(prompts_[step_ < 2 ? step_ : 1]); }

int CClipRectCmd::MarksPoints() { return 0; }

void CClipRectCmd::OnTabKey(CDraftView*) {
  state_.Toggle();
  UpdatePrompt();
}

// The TAB counter stays 0 here, so the base draws the plain corner-to-corner
// rectangle with its width and height.
int CClipRectCmd::DrawPreview(CDraftView* view) {
  UpdatePrompt();
  return CRectCmd::DrawPreview(view);
}

void CClipRectCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  const double x0 = points_[0].x, y0 = points_[0].y, x1 = points_[1].x, y1 = points_[1].y;
  points_.clear();
  step_ = 0;
  CEntityList made, replaced;
  if (!view->ClipByRectangle(made, replaced, state_.Get(), x0, y0, x1, y1)) return;
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  if (ShowMessage("画上矩形？", MB_YESNO | MB_ICONQUESTION) == IDYES) {
    const double sides[4][4] = {{x0, y0, x0, y1}, {x0, y1, x1, y1}, {x1, y1, x1, y0}, {x1, y0, x0, y0}};
    for (const auto& s : sides)
      made.AddTail(ConstructLineEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), s[0], s[1], s[2], s[3], 1));
  }
  view->RemoveEntities(replaced);
  view->AddEntities(made);
  record->SetLists(replaced, made);
  view->PushUndoRecord(record.release());
}
