#include "draft/construct/LineCmd.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/CoordInputDlg.h"
#include "draft/framework/LengthInputDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/ConstructionSolvers.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
}  // namespace

CLineCmd::CLineCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  pointCount_ = 2;
  options_.word[0] = 1;
  prompts_ = {CString("输入直线起点"),
              CString("输入直线终点(TAB：改变对称性)"),
              CString("输入直线终点(TAB：改变对称性)"),
              CString("输入直线终点(TAB：改变对称性， C封闭)"),
              CString("输入直线终点(TAB：改变对称性， C封闭)"),
              CString("输入直线终点(TAB：改变对称性， C封闭)")};
}

void CLineCmd::ConstrainSegmentEnd(CDraftView* view, double sx, double sy, const PointRec& cursor, double& ex,
                                   double& ey, double& angle, int option) {
  ex = cursor.x;
  ey = cursor.y;
  angle = 0.0;
  if (IsSamePoint(sx, sy, ex, ey)) return;
  const int axonometric = view ? view->AxonometricMode() : 0;
  if (kind_ == 1) {
    ConstrainLinePoint(sx, sy, ex, ey, kConstrainDirection, angle, 0, axonometric, option);
  } else if (kind_ == 2) {
    angle = fixedAngle_;
    ConstrainLinePoint(sx, sy, ex, ey, kConstrainFixedAngle, angle, 0, axonometric, option);
    angle = NormalizeAngle(fixedAngle_);
  }
  const GPoint s{sx, sy};
  const GPoint k{cursor.x, cursor.y};
  GPoint e{ex, ey};
  if ((kind_ == 1 || kind_ == 2) && view && construct::IsSnappedOntoEntity(cursor)) {
    // Snapped onto an entity: the constrained line ends where it meets it.
    if (const CEntity* entity = construct::FindSnappedEntity(view, cursor.word0))
      construct::CrossEntity(*entity, s, e, k);
  } else if (kind_ == 0 && view) {
    // A constraint word of the view: the end on the vertical (or
    // horizontal) through the cursor.
    GPoint crossing;
    if (view->EventWord(0) && std::fabs(sx - ex) > tressil::kGeomTolerance) {
      if (IntersectLines(s, e, k, GPoint{k.x, k.y + 1.0}, crossing)) e = crossing;
    } else if (view->EventWord(1) && std::fabs(sy - ey) > tressil::kGeomTolerance) {
      if (IntersectLines(s, e, k, GPoint{k.x + 1.0, k.y}, crossing)) e = crossing;
    }
  }
  ex = e.x;
  ey = e.y;
}

void CLineCmd::ComputeSegmentEnds(CDraftView* view, double& sx, double& sy, const PointRec& cursor, double& ex,
                                  double& ey, double& angle, int option) {
  ConstrainSegmentEnd(view, sx, sy, cursor, ex, ey, angle, option);
  switch (SymmetryMode()) {
    case 1:  // the start is the midpoint
      sx = 2 * sx - ex;
      sy = 2 * sy - ey;
      break;
    case 2:  // the end is the midpoint
      ex = 2 * ex - sx;
      ey = 2 * ey - sy;
      break;
    default:
      break;
  }
}

void CLineCmd::RoundSegmentLength(CDraftView* view, const GPoint& s, GPoint& e) {
  // A snap state without an entity under the cursor is the view's step
  // snap: the length goes to whole steps. A point snapped onto an entity
  // stays exactly where it is.
  if (!snapState_ || construct::IsSnappedOntoEntity(cursor_)) return;
  double d = GetPointDistance(s.x, s.y, e.x, e.y);
  if (view->SnapLength(d, view->GetCurrentGroup())) SetPointDistance(s, e, d);
}

void CLineCmd::AddRecordedLine(CDraftView* view, const GPoint& s, const GPoint& e) {
  if (IsSamePoint(s, e)) return;
  std::unique_ptr<CLineEntity> line(construct::NewLine(view, s.x, s.y, e.x, e.y));
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(line.get()));
  view->AddEntityToView(line.release());
  view->PushUndoRecord(record.release());
}

void CLineCmd::Execute(CDraftView* view) {
  if (!view || points_.size() < 2) return;
  HideCrossHair(view);
  const PointRec& start = points_[points_.size() - 2];
  GPoint s{start.x, start.y};
  GPoint e;
  double angle = 0.0;
  ComputeSegmentEnds(view, s.x, s.y, cursor_, e.x, e.y, angle, 0);
  RoundSegmentLength(view, s, e);
  AddRecordedLine(view, s, e);
  if (MarksPoints()) view->MarkPoint(e.x, e.y);
  if (chain_) {
    // The chain goes on from the end as made.
    cursor_.x = points_.back().x = e.x;
    cursor_.y = points_.back().y = e.y;
  } else {
    points_.clear();
    step_ = 0;
  }
}

int CLineCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (!points_.empty()) {
    GPoint s{points_.back().x, points_.back().y};
    GPoint e;
    double angle = 0.0;
    ComputeSegmentEnds(view, s.x, s.y, cursor_, e.x, e.y, angle, 0);
    RoundSegmentLength(view, s, e);
    if (kind_ == 1 || kind_ == 2) {
      const double length = GetPointDistance(s.x, s.y, e.x, e.y) / construct::CurrentScale(view);
      readout1_ = construct::FormatLength(view, length);
      readout2_ = construct::FormatLength(view, angle) + "%%s,d%%";
    }
    view->DrawLinePreview(s.x, s.y, e.x, e.y);
  }
  return CCmdBase::DrawPreview(view);
}

int CLineCmd::OnNumberKey(CDraftView* view, UINT ch, UINT, double& x, double& y) {
  if (!view || points_.empty()) return 0;
  const PointRec& p = points_.back();
  const double scale = construct::CurrentScale(view);
  CModalDialogScope scope(view);
  if (kind_ == 1 || kind_ == 2) {
    double ex = cursor_.x, ey = cursor_.y;
    double angle = kind_ == 2 ? fixedAngle_ : 0.0;
    ConstrainLinePoint(p.x, p.y, ex, ey, kind_ == 1 ? kConstrainDirection : kConstrainFixedAngle, angle, 0,
                       view->AxonometricMode(), 0);
    const double length = GetPointDistance(p.x, p.y, ex, ey) / scale;
    CLengthInputDlg dlg(nullptr, scale, length, kind_ == 1 ? angle : fixedAngle_, ch, 1);
    dlg.SetBasePoint(p.x, p.y);
    if (dlg.DoModal() != IDOK) return 0;
    x = dlg.GetResultX();
    y = dlg.GetResultY();
    if (SymmetryMode() != 0) {
      // The typed length is the whole symmetric segment.
      x = (p.x + x) / 2;
      y = (p.y + y) / 2;
    }
    return 1;
  }
  CCoordInputDlg dlg(nullptr, scale, 0.0, 0.0, 1, 1, ch);
  // Relative to the first point while it is the only one, else (further on
  // in a chain) to the view's coordinate origin, as the root's dialog is.
  if (points_.size() == 1)
    dlg.SetBasePoint(p.x, p.y);
  else
    dlg.SetBasePoint(view->GetOriginX(), view->GetOriginY());
  if (dlg.DoModal() != IDOK) return 0;
  x = dlg.GetResultX();
  y = dlg.GetResultY();
  return 1;
}

int CLineCmd::OnOtherChar(CDraftView* view, UINT ch, UINT, double&, double&) { return OnCloseKey(view, ch); }

int CLineCmd::OnCloseKey(CDraftView* view, UINT ch) {
  if ((ch != 'C' && ch != 'c') || points_.size() < 3 || !view) return 0;
  const size_t n = points_.size();
  const GPoint first{points_[0].x, points_[0].y};
  GPoint last{points_[n - 1].x, points_[n - 1].y};
  if (kind_ == 1 || kind_ == 2) {
    // The last point goes on in the first segment's direction until it
    // meets the first point's line in the last segment's direction.
    const double a1 = GetLineAngle(points_[0].x, points_[0].y, points_[1].x, points_[1].y) * kRadiansPerDegree;
    const double a2 =
        GetLineAngle(points_[n - 2].x, points_[n - 2].y, points_[n - 1].x, points_[n - 1].y) * kRadiansPerDegree;
    const GPoint lastAhead{last.x + 10 * std::cos(a1), last.y + 10 * std::sin(a1)};
    const GPoint firstAhead{first.x + 10 * std::cos(a2), first.y + 10 * std::sin(a2)};
    GPoint meeting;
    if (IntersectLines(last, lastAhead, first, firstAhead, meeting)) {
      AddRecordedLine(view, last, meeting);
      last = meeting;
    }
  }
  AddRecordedLine(view, last, first);
  points_.clear();
  step_ = 0;
  return 0;
}
