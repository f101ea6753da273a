#include "draft/construct/Circle3PointCmd.h"

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/UndoRecord.h"

CCircle3PointCmd::CCircle3PointCmd(int id) : CCircleCenterCmd(id, 0) {
  pointCount_ = 3;
  snapHint_ = 0;
  prompts_ = {CString("输入第一点"), CString("输入第二点"), CString("输入第三点(R: 半径， D: 直径)")};
}

int CCircle3PointCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    view->DrawLinePreview(points_[0].x, points_[0].y, cursor_.x, cursor_.y);
  } else if (step_ == 2 && points_.size() >= 2) {
    GPoint centre;
    double r = 0.0;
    if (GetCircleBy3Points({points_[0].x, points_[0].y}, {points_[1].x, points_[1].y}, {cursor_.x, cursor_.y},
                           centre, r))
      view->DrawCirclePreview(centre.x, centre.y, r);
  }
  return CCmdBase::DrawPreview(view);
}

int CCircle3PointCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ < 2 || points_.size() < 2) return 0;
  const PointRec p1 = points_[0], p2 = points_[1];
  GPoint centre;
  double r0 = 0.0;
  if (!GetCircleBy3Points({p1.x, p1.y}, {p2.x, p2.y}, {cursor_.x, cursor_.y}, centre, r0)) r0 = 0.0;
  const double s = construct::CurrentScale(view);
  double radius = 0.0;
  return construct::RunRadiusDialog(view, s, r0 / s, letter, p1.x, p1.y, p2.x, p2.y, cursor_.x, cursor_.y, 1, x, y,
                                    radius)
             ? 1
             : 0;
}

void CCircle3PointCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 3) return;
  const GPoint p1{points_[0].x, points_[0].y}, p2{points_[1].x, points_[1].y}, p3{points_[2].x, points_[2].y};
  points_.clear();
  step_ = 0;
  GPoint centre;
  double r = 0.0;
  if (!GetCircleBy3Points(p1, p2, p3, centre, r)) return;  // collinear: nothing, no message
  CEntity* circle = ConstructCircleEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), centre.x, centre.y, r, 1);
  view->AddEntityToView(circle, nullptr, nullptr, 1);
  view->PushUndoRecord(ConstructUndoAddEntity(circle));
}
