#include "draft/construct/Circle2PointCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/UndoRecord.h"

CCircle2PointCmd::CCircle2PointCmd(int id) : CCircleCenterCmd(id, 0) {
  prompts_[0] = "输入第一点";
  prompts_[1] = "输入第二点(R: 半径， D: 直径)";
}

int CCircle2PointCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    const PointRec& p = points_[0];
    const double r = GetPointDistance(p.x, p.y, cursor_.x, cursor_.y) / 2;
    view->DrawCirclePreview((p.x + cursor_.x) / 2, (p.y + cursor_.y) / 2, r);
    readout1_ = "%%s,c%%" + construct::FormatLength(view, 2 * r / construct::CurrentScale(view));
    readout2_ = construct::FormatDegrees(view, GetLineAngle(p.x, p.y, cursor_.x, cursor_.y));
  }
  return CCmdBase::DrawPreview(view);
}

int CCircle2PointCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ != 1 || points_.empty()) return 0;
  const PointRec p = points_[0];
  const double s = construct::CurrentScale(view);
  const double half = GetPointDistance(p.x, p.y, cursor_.x, cursor_.y) / 2;
  double unusedX = 0, unusedY = 0, radius = 0;
  if (!construct::RunRadiusDialog(view, s, half / s, letter, p.x, p.y, cursor_.x, cursor_.y, 0, 0, 0, unusedX,
                                  unusedY, radius))
    return 0;
  // The typed value fixes the diameter along the cursor's direction.
  const double beta = GetLineAngle(p.x, p.y, cursor_.x, cursor_.y) * construct::kRadiansPerDegree;
  x = p.x + 2 * radius * std::cos(beta);
  y = p.y + 2 * radius * std::sin(beta);
  return 1;
}

void CCircle2PointCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  const PointRec a = points_[0], b = points_[1];
  points_.clear();
  step_ = 0;
  const double r = GetPointDistance(a.x, a.y, b.x, b.y) / 2;
  if (r <= tressil::kGeomTolerance) return;
  CEntity* circle = ConstructCircleEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), (a.x + b.x) / 2,
                                          (a.y + b.y) / 2, r, 1);
  view->AddEntityToView(circle, nullptr, nullptr, 1);
  view->PushUndoRecord(ConstructUndoAddEntity(circle));
}
