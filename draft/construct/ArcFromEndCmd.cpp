#include "draft/construct/ArcFromEndCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kPickMask = 0xFFDEFEFA;
}

CArcFromEndCmd::CArcFromEndCmd(int id) : CCmdBase(id, nullptr) {
  pointCount_ = 1;
  pickMode_ = 1;
  snapHint_ = 1;
  prompts_ = {CString("选择直线或圆(弧)"), CString("左键确定圆弧另一端点"), prompts_[2]};
}

bool CArcFromEndCmd::ComputeArc(CDraftView* view, const GPoint& cursor, Arc& arc) {
  if (!picked_ || points_.empty()) return false;
  const GPoint p0{points_[0].x, points_[0].y};
  double v[kMaxGeometryValues];
  const int n = picked_->GetGeometry(v);
  double tangent = 0.0;
  GPoint start, from;
  if (picked_->IsLine() && n >= 4) {
    GPoint a{v[0], v[1]}, b{v[2], v[3]};
    const bool firstIsStart = GetPointDistance(p0.x, p0.y, a.x, a.y) <= GetPointDistance(p0.x, p0.y, b.x, b.y);
    ExchangePointsByFlag(firstIsStart ? 1 : 2, a, b);
    start = a;
    from = b;
    tangent = GetLineAngle(b.x, b.y, a.x, a.y);
  } else if (picked_->IsArc() && n >= 5) {
    const GPoint c{v[0], v[1]};
    const double r = v[2];
    const GPoint a{c.x + r * std::cos(v[3] * construct::kRadiansPerDegree),
                   c.y + r * std::sin(v[3] * construct::kRadiansPerDegree)};
    const GPoint b{c.x + r * std::cos(v[4] * construct::kRadiansPerDegree),
                   c.y + r * std::sin(v[4] * construct::kRadiansPerDegree)};
    const bool atFirst = GetPointDistance(p0.x, p0.y, a.x, a.y) <= GetPointDistance(p0.x, p0.y, b.x, b.y);
    start = atFirst ? a : b;
    from = c;
    // Leaving the arc's first end backwards, its second end forwards.
    tangent = NormalizeAngle(GetLineAngle(c.x, c.y, start.x, start.y) + (atFirst ? -90.0 : 90.0));
  } else {
    return false;
  }
  double r = fixedRadiusFlag_ ? fixedRadius_ : 0.0;
  if (!ArcFromTangentAndPoint(tangent, start, from, cursor, arc.centre.x, arc.centre.y, r, arc.start, arc.end,
                              fixedRadiusFlag_))
    return false;
  if (!fixedRadiusFlag_ && snapState_ && view && !construct::IsSnappedOntoEntity(cursor_)) {
    // A stepped cursor gives a radius of whole steps: the centre moves along
    // the normal at the start, which keeps the arc tangent there. A cursor
    // snapped onto an entity stays the arc's end exactly.
    double rounded = r;
    view->SnapLength(rounded, picked_->GetEntityGroup());
    if (std::fabs(rounded - r) > tressil::kGeomTolerance && rounded > tressil::kGeomTolerance) {
      SetPointDistance(start, arc.centre, rounded);
      r = rounded;
    }
  }
  arc.r = r;
  if (tabCount_ % 2 != 0) {
    SwapDoubles(arc.start, arc.end);
    MakeAngleRangeAscending(arc.start, arc.end);
  }
  return true;
}

void CArcFromEndCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!picked_) {
    CEntityList hits;
    view->PickEntitiesAtPoint(cursor_.x, cursor_.y, hits, 0, 1, 0, 0, kPickMask, -1);
    for (CEntity* e : hits) {
      if (e->IsLine() || e->IsArc()) {
        picked_ = e;
        break;
      }
    }
    if (picked_)
      pickMode_ = 0;  // the click point stays as point 0
    else
      points_.clear();
    return;
  }
  // The point a typed radius gives only stands for a click.
  if (step_ == 2 && fixedRadiusFlag_) return;
  Arc arc;
  if (!ComputeArc(view, {cursor_.x, cursor_.y}, arc)) {
    points_.pop_back();
    return;
  }
  CEntity* made = ConstructArcEntity(picked_->GetEntityLayer(), picked_->GetEntityGroup(), arc.centre.x,
                                     arc.centre.y, arc.r, arc.start, arc.end, 1);
  view->AddEntityToView(made, nullptr, nullptr, 1);
  view->PushUndoRecord(ConstructUndoAddEntity(made));
  points_.clear();
  picked_ = nullptr;
  fixedRadiusFlag_ = 0;
  fixedRadius_ = 0.0;
  pickMode_ = 1;
}

int CArcFromEndCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ != 1 || !picked_ || points_.empty()) return 0;
  const PointRec p0 = points_[0];
  const double s = picked_->GetEntityScale();
  const double half = GetPointDistance(p0.x, p0.y, cursor_.x, cursor_.y) / 2;
  double radius = 0.0;
  if (!construct::RunRadiusDialog(view, s, half / s, letter, p0.x, p0.y, cursor_.x, cursor_.y, 0, 0, 0, x, y, radius))
    return 0;
  fixedRadius_ = radius;
  fixedRadiusFlag_ = 1;
  return 1;
}

int CArcFromEndCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  Arc arc;
  if (step_ > 0 && picked_ && ComputeArc(view, {cursor_.x, cursor_.y}, arc)) {
    view->DrawArcPreview(arc.centre.x, arc.centre.y, arc.r, arc.start, arc.end, 0);
    if (fixedRadiusFlag_) view->DrawLinePreview(arc.centre.x, arc.centre.y, cursor_.x, cursor_.y);
    readout1_ = "R:" + construct::FormatLength(view, arc.r / GetGroupScale(picked_->GetEntityGroup()));
    readout2_.Empty();
  }
  return CCmdBase::DrawPreview(view);
}

int CArcFromEndCmd::OnRButton(CDraftView* view) {
  picked_ = nullptr;
  fixedRadiusFlag_ = 0;
  fixedRadius_ = 0.0;
  pickMode_ = 1;
  return CCmdBase::OnRButton(view);
}
