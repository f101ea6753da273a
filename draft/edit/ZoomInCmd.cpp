#include "draft/edit/ZoomInCmd.h"

namespace {
constexpr BYTE kViewLevel = 5;
}

CZoomInCmd::CZoomInCmd(CDraftView* view, int id) : CCmdBase(id, view) {
  level_ = kViewLevel;
  SetPointInput(0);
  promptOverride_ = "输入放大中心点";
}

GPoint CZoomInCmd::TakeClick() {
  const GPoint at{cursor_.x, cursor_.y};
  std::vector<PointRec>().swap(points_);
  return at;
}

void CZoomInCmd::Execute(CDraftView* view) {
  const GPoint at = TakeClick();
  if (!view) return;
  HideCrossHair(view);
  view->ZoomInAt(at.x, at.y);
}

CZoomOutCmd::CZoomOutCmd(CDraftView* view, int id) : CZoomInCmd(view, id) { promptOverride_ = "输入缩小中心点"; }

void CZoomOutCmd::Execute(CDraftView* view) {
  const GPoint at = TakeClick();
  if (view) view->ZoomOutAt(at.x, at.y);
}
