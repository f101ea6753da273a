#include "draft/edit/ViewClipRectCmd.h"

#include "draft/host/DraftView.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/Wnd.h"

CViewClipRectCmd::CViewClipRectCmd(CWnd* target, int id) : CViewClipRectCmd(target, id, WM_USER + 10) {}

CViewClipRectCmd::CViewClipRectCmd(CWnd* target, int id, UINT message)
    : CRectCmd(id, nullptr), target_(target), message_(message) {
  prompts_ = {CString("输入裁剪区域的第一点"), CString("输入裁剪区域的第二点")};
  pointInput_ = 1;
}

int CViewClipRectCmd::OnNumberKey(CDraftView*, UINT, UINT, double&, double&) { return 0; }
int CViewClipRectCmd::OnOtherChar(CDraftView*, UINT, UINT, double&, double&) { return 0; }
int CViewClipRectCmd::IsDoneAfterClick() { return step_ == 0 ? 1 : 0; }

void CViewClipRectCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  view->SetClipRect(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
  points_.clear();
  step_ = 0;
  if (target_) target_->PostMessage(message_, 0, 0);
}
