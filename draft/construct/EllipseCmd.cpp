#include "draft/construct/EllipseCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EllipseGeometry.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

using tressil::kGeomTolerance;

CEllipseCmd::CEllipseCmd(int id, int ellipticArc) : CCmdBase(id, nullptr), ellipticArc_(ellipticArc) {
  pointCount_ = ellipticArc ? 5 : 3;
  snapHint_ = 2;
  prompts_ = {CString("输入椭圆中心"), CString("输入椭圆第一轴半径点(R：半径， D：直径)"),
              CString("输入椭圆第二轴半径点(半径值)"), CString("输入椭圆弧第一点(始角)"),
              CString("输入椭圆弧第二点(终角)(TAB：选择椭圆弧)")};
}

double CEllipseCmd::FirstAxis() const {
  return GetPointDistance(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
}

double CEllipseCmd::Rotation() const { return GetLineAngle(points_[0].x, points_[0].y, points_[1].x, points_[1].y); }

double CEllipseCmd::SecondAxis() const {
  return GetPointDistance(points_[0].x, points_[0].y, points_[2].x, points_[2].y);
}

void CEllipseCmd::ArcAngles(const GPoint& p3, const GPoint& p4, double& start, double& end) const {
  const GPoint c{points_[0].x, points_[0].y};
  const double a = FirstAxis(), b = SecondAxis(), rotation = Rotation();
  start = GetEllipsePointAngle(c, a, b, rotation, p3);
  end = GetEllipsePointAngle(c, a, b, rotation, p4);
  if (tabCount_ % 2 != 0) SwapDoubles(start, end);
  MakeAngleRangeAscending(start, end);
}

void CEllipseCmd::Execute(CDraftView* view) {
  if (!view || static_cast<int>(points_.size()) < pointCount_) return;
  const GPoint c{points_[0].x, points_[0].y};
  const double a = FirstAxis(), b = SecondAxis(), rotation = Rotation();
  double start = 0.0, end = 360.0;
  if (ellipticArc_) ArcAngles({points_[3].x, points_[3].y}, {points_[4].x, points_[4].y}, start, end);
  // An axis of no length gives no ellipse.
  if (a > kGeomTolerance && b > kGeomTolerance) {
    std::unique_ptr<CEllipseEntity> ellipse(ConstructEllipseEntity(view->GetCurrentLayer(), view->GetCurrentGroup(),
                                                                   c.x, c.y, a, b, rotation, start, end, 1));
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(ellipse.get()));
    view->AddEntityToView(ellipse.release());
    view->PushUndoRecord(record.release());
  }
  firstTyped_ = secondTyped_ = 0;
  points_.clear();
}

double CEllipseCmd::RoundCursorDistance(CDraftView* view, int typed) {
  const GPoint c{points_[0].x, points_[0].y};
  double d = GetPointDistance(c.x, c.y, cursor_.x, cursor_.y);
  // Snapping on: the view snaps the cursor. A point it snapped onto an
  // entity stays exactly there.
  if (!typed && view->GetSnapModes() != 0 && !construct::IsSnappedOntoEntity(cursor_)) {
    double rounded = d;
    view->SnapLength(rounded, view->GetCurrentGroup());
    if (std::fabs(rounded - d) > kGeomTolerance) {
      GPoint e{cursor_.x, cursor_.y};
      SetPointDistance(c, e, rounded);
      cursor_.x = e.x;
      cursor_.y = e.y;
      d = rounded;
    }
  }
  return d;
}

int CEllipseCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ >= 1 && !points_.empty()) {
    const GPoint c{points_[0].x, points_[0].y};
    const double s = construct::CurrentScale(view);
    if (step_ == 1) {
      const double d = RoundCursorDistance(view, firstTyped_);
      view->DrawLinePreview(c.x, c.y, cursor_.x, cursor_.y);
      readout1_ = construct::FormatLength(view, d / s);
      readout2_ = construct::FormatDegrees(view, GetLineAngle(c.x, c.y, cursor_.x, cursor_.y));
    } else if (step_ == 2 && points_.size() >= 2) {
      const double b = RoundCursorDistance(view, secondTyped_);
      view->DrawEllipsePreview(c.x, c.y, FirstAxis(), b, Rotation());
      readout1_ = "R: " + construct::FormatLength(view, b / s);
      readout2_.Empty();
    } else if (step_ >= 3 && points_.size() >= 3) {
      view->DrawLinePreview(c.x, c.y, cursor_.x, cursor_.y);
      EllipseGeom g;
      g.cx = c.x;
      g.cy = c.y;
      g.a = FirstAxis();
      g.b = SecondAxis();
      g.rotation = Rotation();
      if (step_ == 3) {
        view->DrawEllipsePreview(c.x, c.y, g.a, g.b, g.rotation);
      } else if (points_.size() >= 4) {
        double start = 0.0, end = 0.0;
        ArcAngles({points_[3].x, points_[3].y}, {cursor_.x, cursor_.y}, start, end);
        DrawEllipseArcPreview(view, g, start, end);
        view->DrawLinePreview(c.x, c.y, points_[3].x, points_[3].y);
      }
      readout1_ = construct::FormatDegrees(view, GetLineAngle(c.x, c.y, cursor_.x, cursor_.y));
      readout2_.Empty();
    }
  }
  return CCmdBase::DrawPreview(view);
}

void CEllipseCmd::NoteTyped() {
  if (!firstTyped_)
    firstTyped_ = 1;
  else if (!secondTyped_)
    secondTyped_ = 1;
}

int CEllipseCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || (step_ != 1 && step_ != 2) || points_.empty()) return 0;
  const GPoint c{points_[0].x, points_[0].y};
  const double s = construct::CurrentScale(view);
  double radius = 0.0;
  if (!construct::RunRadiusDialog(view, s, GetPointDistance(c.x, c.y, cursor_.x, cursor_.y) / s, letter, c.x, c.y,
                                  cursor_.x, cursor_.y, 0, 0, 0, x, y, radius))
    return 0;
  NoteTyped();
  return 1;
}

int CEllipseCmd::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (!view) return 0;
  if (step_ == 2) return OnRadiusKey(view, x, y, ch);
  if ((step_ == 3 || step_ == 4) && points_.size() >= 2) {
    double angle = 0.0;
    {
      CModalDialogScope scope(view);
      CNumberInputDlg dlg(nullptr, "输入椭圆弧角度", "角度", 0.0, ch);
      if (dlg.DoModal() != IDOK) return 0;
      angle = ConvertInputAngle(dlg.GetValue(), 1);
    }
    const double a = FirstAxis();
    x = points_[0].x + a * std::cos(angle);
    y = points_[0].y + a * std::sin(angle);
    return 1;
  }
  const int taken = CCmdBase::OnNumberKey(view, ch, flags, x, y);
  if (taken) NoteTyped();
  return taken;
}
