#include "draft/construct/LineFromCurveCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/NumberInputDlg.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineServices.h"
#include "draft/host/TangentPoints.h"
#include "draft/host/UndoRecord.h"
#include "draft/host/ViewEntityMakers.h"
#include "platform/core/WinConstants.h"

namespace {
using construct::kRadiansPerDegree;
constexpr DWORD kCurvePickMask = 0x5A3EF8;
// A first movement counts when the view's display factor times its
// squared length reaches this.
constexpr double kMovementThreshold = 30.0;
constexpr const char* kEndPrompt = "输入直线终点";
constexpr const char* kTangentPrompt = "输入终点(TAB：切换)";

GPoint Along(const GPoint& base, double angle, double length) {
  return {base.x + length * std::cos(angle * kRadiansPerDegree), base.y + length * std::sin(angle * kRadiansPerDegree)};
}

// The foot of p on the line through `base` in direction `angle`.
GPoint FootOnDirection(const GPoint& base, double angle, const GPoint& p) {
  return GetPerpendicularFoot(base, Along(base, angle, 100.0), p);
}

// An angle difference folded into [0, 180].
double FoldedAngle(double a) {
  const double n = NormalizeAngle(a);
  return n > 180.0 ? 360.0 - n : n;
}
}  // namespace

CLineFromCurveCmd::CLineFromCurveCmd(int id) : CCmdBase(id, nullptr) {
  prompts_ = {CString("选择直线或圆弧"), CString(kEndPrompt), CString(kEndPrompt)};
}

CLineFromCurveCmd::~CLineFromCurveCmd() { DropEntity(); }

void CLineFromCurveCmd::DropEntity() {
  // The pick hands out the drawing's own entities; only a temporary one is
  // the command's to delete.
  if (picked_ && picked_->IsTemporary()) delete picked_;
  picked_ = nullptr;
}

int CLineFromCurveCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view)) return 0;
  DropEntity();
  pickMode_ = 1;
  pointCount_ = 1;
  return 1;
}

bool CLineFromCurveCmd::ComputeLineFromLine(const GPoint& c, bool create, GPoint& start, GPoint& end) {
  double v[kMaxGeometryValues];
  if (!picked_ || picked_->GetGeometry(v) != 4) return false;
  const GPoint a{v[0], v[1]}, b{v[2], v[3]};
  const double d = GetLineAngle(a.x, a.y, b.x, b.y);
  if (create && IsPointOnLine(c, a, b) && IsPointInSegmentRange(a, b, c)) {
    fixedStart_ = c;
    fixedStartFlag_ = 1;
    return false;
  }
  if (fixedStartFlag_) {
    start = fixedStart_;
    end = FootOnDirection(fixedStart_, d + 90.0, c);
    return true;
  }
  const GPoint foot = GetPerpendicularFoot(a, b, c);
  if (IsPointInSegmentRange(a, b, foot)) {
    start = foot;
    end = c;
  } else {
    // Beyond an end: the line continued from that end.
    start = SelectEndPoint(foot, a, b, 1);
    end = FootOnDirection(start, d, c);
  }
  return true;
}

bool CLineFromCurveCmd::ComputeLineFromArc(CDraftView* view, const GPoint& c, bool create, GPoint& start,
                                           GPoint& end) {
  double v[kMaxGeometryValues];
  if (!picked_) return false;
  const bool isArc = picked_->IsArc() != FALSE;
  const int n = picked_->GetGeometry(v);
  if (n < (isArc ? 5 : 3)) return false;
  const GPoint m{v[0], v[1]};
  const double r = v[2];
  const double pickAngle = GetLineAngle(m.x, m.y, pick_.x, pick_.y);
  if (arcMode_ == 0) {
    // The side comes from the first movement off the pick point.
    const double dx = c.x - pick_.x, dy = c.y - pick_.y;
    if (view->GetZoom() * (dx * dx + dy * dy) < kMovementThreshold) return false;
    const double e = NormalizeAngle(GetLineAngle(pick_.x, pick_.y, c.x, c.y) - pickAngle);
    arcMode_ = e > 180.0 ? 2 : 3;
    tabCount_ = 0;
    pickMode_ = 0;
  }
  const auto onCurve = [&](const GPoint& p) {
    return isArc ? IsPointOnArc(p, m, r, v[3], v[4])
                 : std::fabs(GetPointDistance(m.x, m.y, p.x, p.y) - r) <= tressil::kGeomTolerance;
  };
  if (create && onCurve(c)) {
    fixedStart_ = c;
    fixedStartFlag_ = 1;
    return false;
  }
  if (fixedStartFlag_) {
    // Along the tangent at the fixed start.
    start = fixedStart_;
    end = FootOnDirection(start, GetLineAngle(m.x, m.y, start.x, start.y) + 90.0, c);
    return true;
  }
  GPoint t[2];
  if (GetTangentPoints(c, m, r, t) != 2) return false;
  const double a0 = NormalizeAngle(GetLineAngle(m.x, m.y, t[0].x, t[0].y) - pickAngle);
  const double a1 = NormalizeAngle(GetLineAngle(m.x, m.y, t[1].x, t[1].y) - pickAngle);
  const int smaller = a0 <= a1 ? 0 : 1;
  int chosen = arcMode_ == 2 ? smaller : 1 - smaller;
  if (tabCount_ % 2 != 0) chosen = 1 - chosen;
  start = t[chosen];
  end = c;
  if (isArc && !IsPointOnArc(start, m, r, v[3], v[4])) {
    // Off the arc's span: from the end nearer the pick in angle, along the
    // tangent there.
    const double endAngle = FoldedAngle(v[3] - pickAngle) <= FoldedAngle(v[4] - pickAngle) ? v[3] : v[4];
    start = Along(m, endAngle, r);
    end = FootOnDirection(start, endAngle + 90.0, c);
  }
  return true;
}

bool CLineFromCurveCmd::UpdateLineFromCurve(CDraftView* view, bool create) {
  if (!view || !picked_) return false;
  const GPoint c{cursor_.x, cursor_.y};
  GPoint start, end;
  const bool found = picked_->IsLine() ? ComputeLineFromLine(c, create, start, end)
                                       : ComputeLineFromArc(view, c, create, start, end);
  if (!found || IsSamePoint(start, end)) return false;
  if (construct::IsSnappedOntoEntity(cursor_)) {
    if (const CEntity* entity = construct::FindSnappedEntity(view, cursor_.word0))
      construct::CrossEntity(*entity, start, end, c);
  } else if (view->EventWord(0)) {
    IntersectLinesEx(0, start, end, c, {c.x, c.y + 100.0}, end);
  } else if (view->EventWord(1)) {
    IntersectLinesEx(0, start, end, c, {c.x + 100.0, c.y}, end);
  }
  if (IsSamePoint(start, end)) return false;
  readout1_ = construct::FormatLength(
      view, GetPointDistance(reference_.x, reference_.y, end.x, end.y) / picked_->GetEntityScale());
  workAngle_ = GetLineAngle(start.x, start.y, end.x, end.y);
  readout2_ = construct::FormatDegrees(view, workAngle_);
  CEntity* line = nullptr;
  if (!MakeLineEntity(&line, view, start.x, start.y, end.x, end.y, create ? 1 : 0, picked_->GetEntityGroup()))
    return false;
  if (!create) return true;
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(line));
  view->AddEntityToView(line, nullptr, nullptr, 1);
  view->PushUndoRecord(record.release());
  return true;
}

void CLineFromCurveCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!picked_) {
    CEntityList hits;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, hits, 0, 1, 0, 0, kCurvePickMask, 0);
    for (CEntity* e : hits)
      if (e->IsLine() || e->IsArc() || e->IsCircle()) {
        picked_ = e;
        break;
      }
    fixedStartFlag_ = 0;
    arcMode_ = 0;
    if (!picked_) {
      points_.clear();
      pickMode_ = 1;
      return;
    }
    pick_ = {cursor_.x, cursor_.y};
    options_.word[0] = 9;
    double v[kMaxGeometryValues];
    picked_->GetGeometry(v);
    if (picked_->IsLine()) {
      pickMode_ = 0;
      prompts_[1] = kEndPrompt;
      reference_ = SelectEndPoint(pick_, {v[0], v[1]}, {v[2], v[3]}, 1);
    } else {
      // Pick mode stays on until the first movement has chosen the side.
      prompts_[1] = kTangentPrompt;
      reference_ = {v[0], v[1]};
    }
    pointCount_ = 2;
    group_ = picked_->GetEntityGroup();
    return;
  }
  if (UpdateLineFromCurve(view, true)) {
    DropEntity();
    points_.clear();
    pointCount_ = 1;
    pickMode_ = 1;
  } else {
    prompts_[2] = kEndPrompt;
    options_.word[0] = 1;
  }
}

int CLineFromCurveCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ > 0) UpdateLineFromCurve(view, false);
  return CCmdBase::DrawPreview(view);
}

int CLineFromCurveCmd::OnNumberKey(CDraftView* view, UINT ch, UINT flags, double& x, double& y) {
  if (!view || !picked_ || !fixedStartFlag_) return CCmdBase::OnNumberKey(view, ch, flags, x, y);
  CModalDialogScope scope(view);
  CNumberInputDlg dlg(nullptr, "输入直线长度", nullptr, 0.0, ch);
  if (dlg.DoModal() != IDOK) return 0;
  const double length = dlg.GetValue() * picked_->GetEntityScale();
  x = reference_.x + length * std::cos(workAngle_ * kRadiansPerDegree);
  y = reference_.y + length * std::sin(workAngle_ * kRadiansPerDegree);
  return 1;
}

int CLineFromCurveCmd::End(CDraftView* view) {
  DropEntity();
  pointCount_ = 1;
  pickMode_ = 1;
  return CCmdBase::End(view);
}

int CLineFromCurveCmd::OnRButton(CDraftView* view) {
  DropEntity();
  pointCount_ = 1;
  pickMode_ = 1;
  return CCmdBase::OnRButton(view);
}
