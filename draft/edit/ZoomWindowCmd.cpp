#include "draft/edit/ZoomWindowCmd.h"

#include "draft/host/ViewDisplay.h"

namespace {
constexpr BYTE kViewLevel = 5;
}

CZoomWindowCmd::CZoomWindowCmd(CDraftView* view, int id) : CCmdBase(id, view) {
  level_ = kViewLevel;
  pointCount_ = 2;
  SetPointInput(0);
  prompts_[0] = "输入图形开窗放大的第一点";
  prompts_[1] = "输入图形开窗放大的第二点";
}

int CZoomWindowCmd::DrawPreview(CDraftView* view) {
  if (!view || points_.empty()) return 0;
  const PointRec& p = points_[0];
  view->DrawLinePreview(p.x, p.y, cursor_.x, p.y);
  view->DrawLinePreview(cursor_.x, p.y, cursor_.x, cursor_.y);
  view->DrawLinePreview(cursor_.x, cursor_.y, p.x, cursor_.y);
  view->DrawLinePreview(p.x, cursor_.y, p.x, p.y);
  return 0;
}

void CZoomWindowCmd::Execute(CDraftView* view) {
  if (view && points_.size() >= 2) {
    view->GetDisplay()->SetDisplayMode(CViewDisplay::kModeRegenerate);
    view->ZoomWindow(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
  }
  std::vector<PointRec>().swap(points_);
}

CPanCmd::CPanCmd(CDraftView* view, int id) : CZoomWindowCmd(view, id) {
  prompts_[0] = "输入图形移动的第一点";
  prompts_[1] = "输入图形移动的第二点";
}

int CPanCmd::DrawPreview(CDraftView* view) {
  if (!view || points_.empty()) return 0;
  view->DrawLinePreview(points_[0].x, points_[0].y, cursor_.x, cursor_.y);
  return 0;
}

void CPanCmd::Execute(CDraftView* view) {
  if (view && points_.size() >= 2) view->PanView(points_[0].x, points_[0].y, points_[1].x, points_[1].y, 0, 0);
  std::vector<PointRec>().swap(points_);
}
