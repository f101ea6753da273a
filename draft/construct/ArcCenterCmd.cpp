#include "draft/construct/ArcCenterCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
using construct::kRadiansPerDegree;
constexpr const char* kAbsolutePrompt = "输入圆弧的终点(TAB：选择圆弧,SHIFT: 切换为输入相对角度)";
constexpr const char* kRelativePrompt = "输入圆弧的终点(TAB：选择圆弧,SHIFT: 切换为输入绝对角度)";
}  // namespace

CArcCenterCmd::CArcCenterCmd(int id) : CCircleCenterCmd(id, 0) {
  pointCount_ = 2;
  options_.word[0] = 5;
  snapState_ = 1;
  prompts_[2] = kAbsolutePrompt;
}

CArcCenterAltCmd::CArcCenterAltCmd(int id) : CArcCenterCmd(id) { radii_ = 1; }

int CArcCenterCmd::SnapSweepToAngleStep(CDraftView* view, double start, double& end) {
  if (!view) return 0;
  const double step = view->GetAngleStep();
  if (!(step > 0.0) || !std::isfinite(step)) return 0;
  const double d = end - start;
  const int n = static_cast<int>(std::trunc((step * GetValueSign(d) * 0.5 + d) / step));
  end = start + n * step;
  return n;
}

void CArcCenterCmd::ComputeAngles(CDraftView* view, const PointRec& q, double& start, double& end,
                                  double& pointerAngle, bool exact) {
  const PointRec& c = points_[0];
  const PointRec& p1 = points_[1];
  const double a1 = GetLineAngle(c.x, c.y, p1.x, p1.y);
  const double a2 = GetLineAngle(c.x, c.y, q.x, q.y);
  if (tabCount_ % 2 == 0) {
    start = a1;
    end = a2;
    MakeAngleRangeAscending(start, end);
    if (!exact) SnapSweepToAngleStep(view, start, end);
    pointerAngle = end;
  } else {
    // From the pointer's angle to point 1's: point 1's stays.
    start = a2;
    end = a1;
    MakeAngleRangeAscending(start, end);
    if (!exact) SnapSweepToAngleStep(view, end, start);
    pointerAngle = start;
  }
}

void CArcCenterCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (points_.size() == 2) {
    pointCount_ = 3;  // the end point follows
    return;
  }
  if (points_.size() < 3) return;
  const GPoint c{points_[0].x, points_[0].y};
  const double R = GetPointDistance(c.x, c.y, points_[1].x, points_[1].y);
  double start = 0.0, end = 0.0, pointer = 0.0;
  ComputeAngles(view, points_[2], start, end, pointer, typedEnd_ != 0);
  typedEnd_ = 0;
  const int layer = view->GetCurrentLayer();
  CDrawingGroup* group = view->GetCurrentGroup();
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  CEntityList made;
  made.AddTail(ConstructArcEntity(layer, group, c.x, c.y, R, start, end, 1));
  if (radii_) {
    for (double a : {start, end})
      made.AddTail(ConstructLineEntity(layer, group, c.x, c.y, c.x + R * std::cos(a * kRadiansPerDegree),
                                       c.y + R * std::sin(a * kRadiansPerDegree), 1));
  }
  view->AddEntities(made);
  record->AddNewList(made);
  view->PushUndoRecord(record.release());
  points_.clear();
  pointCount_ = 2;
}

int CArcCenterCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && !points_.empty()) {
    const PointRec& c = points_[0];
    view->DrawLinePreview(c.x, c.y, cursor_.x, cursor_.y);
    readout1_ = construct::FormatLength(
        view, GetPointDistance(c.x, c.y, cursor_.x, cursor_.y) / construct::CurrentScale(view));
    readout2_ = construct::FormatDegrees(view, GetLineAngle(c.x, c.y, cursor_.x, cursor_.y));
  } else if (step_ == 2 && points_.size() >= 2) {
    const GPoint c{points_[0].x, points_[0].y};
    const double R = GetPointDistance(c.x, c.y, points_[1].x, points_[1].y);
    double start = 0.0, end = 0.0, pointer = 0.0;
    ComputeAngles(view, cursor_, start, end, pointer);
    // The cursor goes onto the arc at its rounded angle.
    cursor_.x = c.x + R * std::cos(pointer * kRadiansPerDegree);
    cursor_.y = c.y + R * std::sin(pointer * kRadiansPerDegree);
    view->DrawArcPreview(c.x, c.y, R, start, end, 0);
    view->DrawLinePreview(c.x, c.y, points_[1].x, points_[1].y);
    view->DrawLinePreview(c.x, c.y, cursor_.x, cursor_.y);
    readout1_ = "R:" + construct::FormatLength(view, R / construct::CurrentScale(view));
    readout2_ = construct::FormatDegrees(view, std::fabs(end - start));
  }
  return CCmdBase::DrawPreview(view);
}

void CArcCenterCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (step_ < 2 || points_.size() < 2) {
    CCircleCenterCmd::OnArrowKey(dx, dy, dp, view, outX, outY);
    return;
  }
  if ((dx == 0 && dy == 0) || !view) return;
  HideCrossHair(view);
  const int direction = dx < 0 || dy < 0 ? -1 : 1;
  const GPoint c{points_[0].x, points_[0].y};
  const double R = GetPointDistance(c.x, c.y, points_[1].x, points_[1].y);
  double start = 0.0, end = 0.0, pointer = 0.0;
  ComputeAngles(view, cursor_, start, end, pointer);
  const double step = view->GetAngleStep();
  pointer += tabCount_ % 2 == 0 ? direction * step : -direction * step;
  snapState_ = 1;
  cursor_.word0 = cursor_.word1 = 0;
  cursor_.x = c.x + R * std::cos(pointer * kRadiansPerDegree);
  cursor_.y = c.y + R * std::sin(pointer * kRadiansPerDegree);
  outX = outY = 1;
  DrawPreview(view);
}

int CArcCenterCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  if (!view || step_ != 2 || points_.size() < 2) return 0;
  const GPoint c{points_[0].x, points_[0].y};
  const double R = GetPointDistance(c.x, c.y, points_[1].x, points_[1].y);
  const double a1 = GetLineAngle(c.x, c.y, points_[1].x, points_[1].y);
  const double cursorAngle = GetLineAngle(c.x, c.y, cursor_.x, cursor_.y);
  double angle = 0.0;
  {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, absoluteAngle_ ? "输入绝对角度" : "输入相对角度", "角度值",
                        absoluteAngle_ ? cursorAngle : NormalizeAngle(cursorAngle - a1), ch);
    if (dlg.DoModal() != IDOK) return 0;
    angle = ConvertInputAngle(dlg.GetValue(), 0);
  }
  if (!absoluteAngle_) angle += a1;
  double start = a1;
  MakeAngleRangeAscending(start, angle);
  x = c.x + R * std::cos(angle * kRadiansPerDegree);
  y = c.y + R * std::sin(angle * kRadiansPerDegree);
  typedEnd_ = 1;  // the arc ends at the angle typed, not at a whole step
  return 1;
}

void CArcCenterCmd::OnShiftKey(CDraftView* view) {
  CCircleCenterCmd::OnShiftKey(view);
  if (step_ != 2) return;
  absoluteAngle_ = !absoluteAngle_;
  prompts_[2] = absoluteAngle_ ? kAbsolutePrompt : kRelativePrompt;
}
