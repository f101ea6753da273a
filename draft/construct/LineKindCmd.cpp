#include "draft/construct/LineKindCmd.h"

#include <memory>
#include <vector>

#include "draft/host/ConstructionSolvers.h"
#include "draft/host/LineServices.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
// The two-point entity's sizes and the polyline's shape.
constexpr double kEntitySize1 = 5.0;
constexpr double kEntitySize2 = 0.5;
constexpr double kPolylineHeight = 1.0;
constexpr double kPolylineWidth = 0.25;
}  // namespace

CLineKindCmd::CLineKindCmd(int id) : CLineCmd(id, nullptr) {}

void CLineKindCmd::EndPoints(CDraftView* view, GPoint& a, GPoint& b) {
  const int axonometric = view ? view->AxonometricMode() : 0;
  double angle = fixedAngle_;
  if (kind_ == 1)
    ConstrainLinePoint(a.x, a.y, b.x, b.y, kConstrainDirection, angle, 0, axonometric, 0);
  else if (kind_ == 2)
    ConstrainLinePoint(a.x, a.y, b.x, b.y, kConstrainFixedAngle, angle, 0, axonometric, 0);
  if (SymmetryMode() == 1)
    a = {2 * a.x - b.x, 2 * a.y - b.y};
  else if (SymmetryMode() == 2)
    b = {2 * b.x - a.x, 2 * b.y - a.y};
}

int CLineKindCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    GPoint a{points_[0].x, points_[0].y}, b{cursor_.x, cursor_.y};
    EndPoints(view, a, b);
    std::vector<GPoint> polyline;
    BuildPolylineBetween(a.x, a.y, b.x, b.y, polyline, kPolylineHeight, kPolylineWidth);
    for (size_t i = 1; i < polyline.size(); ++i)
      view->DrawLinePreview(polyline[i - 1].x, polyline[i - 1].y, polyline[i].x, polyline[i].y);
  }
  return CCmdBase::DrawPreview(view);
}

void CLineKindCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  HideCrossHair(view);
  GPoint a{points_[0].x, points_[0].y}, b{points_[1].x, points_[1].y};
  EndPoints(view, a, b);
  points_.clear();
  step_ = 0;
  // Coincident points make nothing, as in the line command.
  if (IsSamePoint(a, b)) return;
  std::unique_ptr<CTwoPointEntity> entity(
      ConstructTwoPointEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), kEntitySize1, kEntitySize2));
  entity->SetEndPoints(a.x, a.y, b.x, b.y, 1);
  std::vector<GPoint> polyline;
  BuildPolylineBetween(a.x, a.y, b.x, b.y, polyline, kPolylineHeight, kPolylineWidth);
  for (size_t i = 1; i < polyline.size(); ++i)
    entity->AddSegment(polyline[i - 1].x, polyline[i - 1].y, polyline[i].x, polyline[i].y, 1);
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(entity.get()));
  view->AddEntityToView(entity.release(), nullptr, nullptr, 1);
  view->PushUndoRecord(record.release());
  if (MarksPoints()) view->MarkPoint(b.x, b.y);
}
