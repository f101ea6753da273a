#include "draft/edit/MoveOriginCmd.h"

CMoveOriginCmd::CMoveOriginCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  prompts_ = {CString("输入新的坐标原点位置")};
  level_ = 4;
}

void CMoveOriginCmd::Execute(CDraftView* view) {
  if (!view) return;
  const int previous = view->GetMarkState();
  view->SetMarkState(1);
  view->MarkPoint(cursor_.x, cursor_.y);
  view->SetMarkState(previous);
  points_.clear();
  step_ = 0;
}
