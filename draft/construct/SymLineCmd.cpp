#include "draft/construct/SymLineCmd.h"

#include <cmath>
#include <cstdlib>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Settings.h"
#include "platform/core/WinConstants.h"

namespace {
using construct::kRadiansPerDegree;
constexpr DWORD kReferencePickMask = 0xFFDEFEFE;
constexpr double kDirectionPointDistance = 50.0;

GPoint Along(const GPoint& base, double angle, double length) {
  return {base.x + length * std::cos(angle * kRadiansPerDegree), base.y + length * std::sin(angle * kRadiansPerDegree)};
}

// An angle in whole steps of g (g not positive: unchanged), in [0, 360).
double RoundToAngleStep(double a, double g) {
  if (!(g > 0.0) || !std::isfinite(g)) return NormalizeAngle(a);
  return NormalizeAngle(g * std::trunc((a + g / 2) / g));
}
}  // namespace

// ---- CSymLineCmd.

CSymLineCmd::CSymLineCmd(int id) : CLineCmd(id, nullptr) {
  pointCount_ = 1;
  kind_ = 2;
  snapHint_ = 1;
  snapState_ = 1;
  prompts_ = {CString("输入直线起点"), CString("选择参考直线"), CString("输入直线终点(TAB：改变对称性)")};
}

void CSymLineCmd::SetWorkingAngle(double angle) {
  workAngle_ = arrowAngle_ = fixedAngle_ = angle;
}

void CSymLineCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  if (step_ == 1) {
    pickMode_ = 1;  // the next click picks the reference line
    return;
  }
  if (step_ == 2) {
    CEntityList hits;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, hits, 1, 1, 0, 0, kReferencePickMask, -1);
    const CEntity* reference = nullptr;
    for (CEntity* e : hits)
      if (e->IsLine()) {
        reference = e;
        break;
      }
    if (!reference) {
      points_.pop_back();  // waits for another pick
      return;
    }
    double v[kMaxGeometryValues];
    reference->GetGeometry(v);
    const double d = GetLineAngle(v[0], v[1], v[2], v[3]);
    SetWorkingAngle(d);
    const double last = std::atof(GetProfileStringSetting("Draw", "Line", "0.0").GetString());
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入夹角", "夹角值", last, 0);
    if (dlg.DoModal() == IDOK) {
      SetWorkingAngle(NormalizeAngle(d + ConvertInputAngle(dlg.GetValue(), 0)));
      CStringA text;
      text.Format("%f", dlg.GetValue());
      WriteProfileStringSetting("Draw", "Line", text);
    }
    pickMode_ = 0;
    return;
  }
  MakeLineFrom(view, {points_[0].x, points_[0].y});
}

void CSymLineCmd::MakeLineFrom(CDraftView* view, const GPoint& start) {
  if (IsSamePoint(start.x, start.y, cursor_.x, cursor_.y)) {
    points_.pop_back();
    return;
  }
  HideCrossHair(view);
  GPoint s = start, e;
  double angle = 0.0;
  ComputeSegmentEnds(view, s.x, s.y, cursor_, e.x, e.y, angle, 0);
  RoundSegmentLength(view, s, e);
  AddRecordedLine(view, s, e);
  if (MarksPoints()) view->MarkPoint(e.x, e.y);
  points_.clear();
  step_ = 0;
}

void CSymLineCmd::DrawSegmentFrom(CDraftView* view, const GPoint& start) {
  GPoint s = start, e;
  double angle = 0.0;
  ComputeSegmentEnds(view, s.x, s.y, cursor_, e.x, e.y, angle, 0);
  RoundSegmentLength(view, s, e);
  readout1_ = construct::FormatLength(view, GetPointDistance(s.x, s.y, e.x, e.y) / construct::CurrentScale(view));
  view->DrawLinePreview(s.x, s.y, e.x, e.y);
}

int CSymLineCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 2 && !points_.empty()) {
    DrawSegmentFrom(view, {points_[0].x, points_[0].y});
    readout2_ = construct::FormatDegrees(view, workAngle_);
  }
  return CCmdBase::DrawPreview(view);
}

bool CSymLineCmd::RunLengthDialog(CDraftView* view, UINT ch, const GPoint& base, bool halve, double& x, double& y) {
  CModalDialogScope scope(view);
  CNumberInputDlg dlg(nullptr, "输入长度", nullptr, 0.0, ch);
  if (dlg.DoModal() != IDOK) return false;
  GPoint p = Along(base, workAngle_, dlg.GetValue() * construct::CurrentScale(view));
  if (halve) p = {(base.x + p.x) / 2, (base.y + p.y) / 2};
  x = p.x;
  y = p.y;
  return true;
}

int CSymLineCmd::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (!view || step_ != 2 || points_.empty()) return CCmdBase::OnNumberKey(view, ch, flags, x, y);
  return RunLengthDialog(view, ch, {points_[0].x, points_[0].y}, SymmetryMode() != 0, x, y) ? 1 : 0;
}

int CSymLineCmd::OnRButton(CDraftView* view) {
  pickMode_ = 0;
  return CCmdBase::OnRButton(view);
}

void CSymLineCmd::StepCursorAlong(CDraftView* view, const GPoint& base, int sign) {
  HideCrossHair(view);
  const double step = view->GetLengthStep() * construct::CurrentScale(view);
  GPoint p = Along({cursor_.x, cursor_.y}, arrowAngle_ + (sign < 0 ? 180.0 : 0.0), step);
  double d = GetPointDistance(base.x, base.y, p.x, p.y);
  if (view->SnapLength(d, view->GetCurrentGroup())) SetPointDistance(base, p, d);
  cursor_.x = p.x;
  cursor_.y = p.y;
  cursor_.word0 = cursor_.word1 = 0;
  cursor_.flagA = cursor_.flagB = kPointLocated;
  snapState_ = 1;
  DrawPreview(view);
}

void CSymLineCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (step_ != 2 || points_.empty() || !view) {
    CLineCmd::OnArrowKey(dx, dy, dp, view, outX, outY);
    return;
  }
  if (dx == 0 && dy == 0) return;
  StepCursorAlong(view, {points_[0].x, points_[0].y}, dx < 0 || dy < 0 ? -1 : 1);
}

// ---- CLineDirCmd.

CLineDirCmd::CLineDirCmd(int id) : CSymLineCmd(id) {
  snapHint_ = 0;
  prompts_ = {CString("输入确定直线方向的第一点"), CString("输入确定直线方向的第二点(输入直线角度)"),
              CString("输入直线起点"), CString("输入直线终点")};
}

double CLineDirCmd::DirectionTo(CDraftView* view, const GPoint& p) const {
  const double a = GetLineAngle(points_[0].x, points_[0].y, p.x, p.y);
  return snapState_ ? RoundToAngleStep(a, view->GetAngleStep()) : a;
}

GPoint CLineDirCmd::StartFor(CDraftView* view, const PointRec& cursor) {
  const GPoint first{points_[0].x, points_[0].y};
  GPoint start;
  double angle = 0.0;
  ConstrainSegmentEnd(view, first.x, first.y, cursor, start.x, start.y, angle, 0);
  RoundSegmentLength(view, first, start);
  return start;
}

void CLineDirCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const GPoint first{points_[0].x, points_[0].y};
  switch (step_) {
    case 2:
      if (IsSamePoint(first.x, first.y, cursor_.x, cursor_.y)) {
        points_.pop_back();  // no direction: waits for another point
        return;
      }
      savedAngle_ = DirectionTo(view, {cursor_.x, cursor_.y});
      SetWorkingAngle(savedAngle_);
      if (MarksPoints()) view->MarkPoint(first.x, first.y);
      return;
    case 3:
      start_ = StartFor(view, cursor_);
      cursor_.x = points_.back().x = start_.x;
      cursor_.y = points_.back().y = start_.y;
      if (MarksPoints()) view->MarkPoint(start_.x, start_.y);
      return;
    case 4:
      MakeLineFrom(view, start_);
      return;
    default:
      return;
  }
}

int CLineDirCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ >= 1 && step_ <= 3 && !points_.empty()) {
    readout2_.Empty();
    const GPoint first{points_[0].x, points_[0].y};
    if (step_ == 1) {
      readout1_ = construct::FormatDegrees(view, DirectionTo(view, {cursor_.x, cursor_.y}));
      tabCount_ = 0;
      view->DrawLinePreview(first.x, first.y, cursor_.x, cursor_.y);
    } else if (step_ == 2) {
      const GPoint start = StartFor(view, cursor_);
      readout1_ = construct::FormatLength(
          view, GetPointDistance(first.x, first.y, start.x, start.y) / construct::CurrentScale(view));
      view->DrawLinePreview(first.x, first.y, start.x, start.y);
    } else {
      // The cursor goes onto the line, so that the click lands there.
      GPoint end;
      double angle = 0.0;
      ConstrainSegmentEnd(view, start_.x, start_.y, cursor_, end.x, end.y, angle, 0);
      cursor_.x = end.x;
      cursor_.y = end.y;
      DrawSegmentFrom(view, start_);
    }
  }
  return CCmdBase::DrawPreview(view);
}

int CLineDirCmd::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (!view || points_.empty() || step_ < 1 || step_ > 3) return CCmdBase::OnNumberKey(view, ch, flags, x, y);
  const GPoint first{points_[0].x, points_[0].y};
  if (step_ == 1) {
    CModalDialogScope scope(view);
    CNumberInputDlg dlg(nullptr, "输入倾角", nullptr, 0.0, ch);
    if (dlg.DoModal() != IDOK) return 0;
    // The typed direction goes to whole angle steps when stepping, as a
    // clicked one does.
    double a = NormalizeAngle(ConvertInputAngle(dlg.GetValue(), 0));
    if (snapState_) a = RoundToAngleStep(a, view->GetAngleStep());
    SetWorkingAngle(a);
    const GPoint p = Along(first, a, kDirectionPointDistance);
    x = p.x;
    y = p.y;
    return 1;
  }
  // The start is a point on the line; the TAB symmetry shapes the line made
  // from it.
  if (step_ == 2) return RunLengthDialog(view, ch, first, false, x, y) ? 1 : 0;
  return RunLengthDialog(view, ch, start_, SymmetryMode() != 0, x, y) ? 1 : 0;
}

void CLineDirCmd::OnArrowKey(int dx, int dy, CPoint dp, CDraftView* view, DWORD& outX, DWORD& outY) {
  if (!view || points_.empty() || step_ < 1 || step_ > 3) {
    CLineCmd::OnArrowKey(dx, dy, dp, view, outX, outY);
    return;
  }
  if (dx == 0 && dy == 0) return;
  const int sign = dx < 0 || dy < 0 ? -1 : 1;
  const GPoint first{points_[0].x, points_[0].y};
  if (step_ == 1) {
    // One angle step about the first point.
    HideCrossHair(view);
    const double r = GetPointDistance(first.x, first.y, cursor_.x, cursor_.y);
    const double a = GetLineAngle(first.x, first.y, cursor_.x, cursor_.y);
    const double g = view->GetAngleStep();
    if (g > 0.0 && std::isfinite(g)) {
      const GPoint p = Along(first, g * (std::trunc((a + g / 2) / g) + sign), r);
      cursor_.x = p.x;
      cursor_.y = p.y;
    }
    cursor_.word0 = cursor_.word1 = 0;
    cursor_.flagA = cursor_.flagB = kPointLocated;
    snapState_ = 1;
    DrawPreview(view);
    return;
  }
  // The cursor onto the line first, then one step along it.
  const GPoint base = step_ == 2 ? first : start_;
  GPoint onLine;
  double angle = 0.0;
  ConstrainSegmentEnd(view, base.x, base.y, cursor_, onLine.x, onLine.y, angle, 0);
  cursor_.x = onLine.x;
  cursor_.y = onLine.y;
  StepCursorAlong(view, base, sign);
}

int CLineDirCmd::OnOtherChar(CDraftView*, UINT, UINT, double&, double&) { return 0; }
