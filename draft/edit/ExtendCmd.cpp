#include "draft/edit/ExtendCmd.h"

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/ConstructHelpers.h"
#include "draft/edit/BoundaryCrossings.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DraftView.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EllipseGeometry.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kHeldMask = 0x4622E0;
constexpr DWORD kBoundaryMask = 0x4222E0;

GPoint PolarFrom(const GPoint& c, double r, double degrees) {
  const double a = DegreeToRadian(degrees);
  return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}

bool IsStraight(const CEntity* e) { return e->IsLine() || e->IsTwoPointEntity(); }

// Held kinds, tested in this order; a member of a compound that editing
// keeps whole (a dimension's line) is refused.
bool IsExtendable(const CEntity* e) {
  if (!(e->IsEllipse() || e->IsLine() || e->IsCircle() || e->IsArc() || e->IsTwoPointEntity())) return false;
  const CEntity* owner = e->GetEntityOwner();
  return !(owner && owner->IsKeptWhole());
}
}  // namespace

CExtendCmd::CExtendCmd(int id, CDraftView* view) : CLineCmd(id, view) {
  pointCount_ = 1;
  pickMode_ = 1;
  prompts_ = {CString("选择需延伸的直线或圆弧"), CString("输入端点位置(TAB：改变直线的对称性或圆弧的延伸方向）")};
}

CExtendCmd::~CExtendCmd() { PutBackHeld(heldView_); }

void CExtendCmd::MarkFixedPoint(CDraftView* view, CEntity* entity) {
  if (!view || !entity || !MarksPoints()) return;
  const std::vector<double> v = EntityValues(entity);
  if (entity->IsArc()) {
    view->MarkPoint(v[0], v[1]);
  } else if (IsStraight(entity)) {
    const GPoint f = SelectEndPoint({pickX_, pickY_}, {v[0], v[1]}, {v[2], v[3]}, 2);
    view->MarkPoint(f.x, f.y);
  }
}

void CExtendCmd::PutBackHeld(CDraftView* view) {
  if (held_ && view) view->AddEntityToView(held_, nullptr, nullptr, 1);
  held_ = boundary_ = nullptr;
  merge_ = 0;
  typedRadiusFlag_ = 0;  // it was typed for this entity only
}

void CExtendCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec at = points_.back();
  if (!held_) {
    CEntityList found;
    view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kHeldMask, 0);
    for (CEntity* e : found) {
      if (!IsExtendable(e)) continue;
      if (!held_) {
        held_ = e;
        heldView_ = view;
        pickX_ = at.x;
        pickY_ = at.y;
        pointCount_ = 2;
        view->RemoveEntity(e, 1, 0);
        radiusMode_ = e->IsCircle() ? 1 : 0;
      }
      MarkFixedPoint(view, e);
    }
    pickMode_ = 1;
    if (!held_) {
      view->ClearSelection();
      pointCount_ = 1;
      points_.clear();
    }
    return;
  }
  CEntityList found;
  // A typed radius decides the circle alone: the point the radius dialog
  // gave only stands for the click and is no boundary.
  if (!(radiusMode_ && typedRadiusFlag_)) view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kBoundaryMask, 0);
  CEntity* first = found.IsEmpty() ? nullptr : found.GetHead();
  if (first && (first->IsLine() || first->IsCircle() || first->IsArc() || first->IsEllipse())) {
    boundary_ = first;
    endMode_ = 2;
  } else {
    boundary_ = nullptr;
    endMode_ = 1;
  }
  if (IsStraight(held_))
    BuildLine(view, 0);
  else if (held_->IsEllipse())
    BuildEllipse(view, 0);
  else
    BuildArc(view, 0);
  pointCount_ = 1;
  held_ = boundary_ = nullptr;
  merge_ = 0;
  points_.clear();
  pickMode_ = 1;
  view->ClearSelection();
}

bool CExtendCmd::Target(CDraftView* view, int preview, double& x, double& y) {
  if (preview || endMode_ == 1) return true;
  return IntersectBoundary(view, x, y) != 0;
}

void CExtendCmd::Replace(CDraftView* view, CEntity* made) {
  made->SetEntityOwner(held_->GetEntityOwner());
  CEntityList oldList, newList;
  oldList.AddTail(held_);
  if (merge_ && boundary_) oldList.AddTail(boundary_);
  newList.AddTail(made);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  record->SetLists(oldList, newList);
  view->RemoveEntities(oldList);
  view->AddEntities(newList);
  merge_ = 0;
  view->PushUndoRecord(record.release());
  held_ = nullptr;  // the record holds it now
}

void CExtendCmd::BuildLine(CDraftView* view, int preview) {
  const std::vector<double> v = EntityValues(held_);
  const GPoint a{v[0], v[1]}, b{v[2], v[3]};
  const GPoint fixed = SelectEndPoint({pickX_, pickY_}, a, b, 2);
  kind_ = 2;
  fixedAngle_ = GetLineAngle(a.x, a.y, b.x, b.y);
  // The first recorded point is the end that stays (the collinear rule
  // measures from it).
  points_[0].x = fixed.x;
  points_[0].y = fixed.y;
  const PointRec& cursor = preview ? cursor_ : points_.back();
  GPoint f = fixed, e;
  double angle = 0.0;
  ComputeSegmentEnds(view, f.x, f.y, cursor, e.x, e.y, angle, 0);
  if (preview) {
    const double length = GetPointDistance(f.x, f.y, e.x, e.y) / construct::CurrentScale(view);
    readout1_ = construct::FormatLength(view, length);
    readout2_ = construct::FormatLength(view, angle) + "%%s,d%%";
    if (held_->IsLine()) {
      view->DrawLinePreview(f.x, f.y, e.x, e.y);
    } else {
      std::vector<GPoint> poly;
      BuildPolylineBetween(f.x, f.y, e.x, e.y, poly, 1.0, 0.25);
      for (size_t i = 1; i < poly.size(); ++i) view->DrawLinePreview(poly[i - 1].x, poly[i - 1].y, poly[i].x, poly[i].y);
    }
    pickMode_ = 1;
    return;
  }
  if (endMode_ == 2) {
    if (!IntersectBoundary(view, e.x, e.y)) {
      PutBackHeld(view);
      return;
    }
    if (SymmetryMode() == 2) e = {2 * e.x - f.x, 2 * e.y - f.y};
  }
  if (!held_->IsLine()) {
    // A two-point entity that is not a line has no rebuild rule.
    PutBackHeld(view);
    return;
  }
  CEntity* made;
  if (held_->IsTwoPointEntity()) {
    CTwoPointEntity* two = ConstructTwoPointEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), 5.0, 0.5);
    two->SetEndPoints(f.x, f.y, e.x, e.y, 1);
    std::vector<GPoint> poly;
    BuildPolylineBetween(f.x, f.y, e.x, e.y, poly, 1.0, 0.25);
    for (size_t i = 1; i < poly.size(); ++i) two->AddSegment(poly[i - 1].x, poly[i - 1].y, poly[i].x, poly[i].y);
    made = two;
  } else {
    made = ConstructLineEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), f.x, f.y, e.x, e.y, 1);
  }
  Replace(view, made);
  if (MarksPoints()) view->MarkPoint(e.x, e.y);
}

void CExtendCmd::BuildArc(CDraftView* view, int preview) {
  const std::vector<double> v = EntityValues(held_);
  const GPoint m{v[0], v[1]};
  double r = v[2];
  double start = held_->IsArc() ? v[3] : 0.0, end = held_->IsArc() ? v[4] : 0.0;
  double tx = preview ? cursor_.x : points_.back().x, ty = preview ? cursor_.y : points_.back().y;
  if (!Target(view, preview, tx, ty)) {
    PutBackHeld(view);
    return;
  }
  if (radiusMode_) {
    if (typedRadiusFlag_) {
      r = typedRadius_;
      if (!preview) typedRadiusFlag_ = 0;
    } else {
      r = GetPointDistance(m.x, m.y, tx, ty);
    }
  } else {
    MakeAngleRangeAscending(start, end);
    const GPoint k{pickX_, pickY_};
    double g;
    if (IsPointWithinArc(k, m, start, end)) {
      g = GetLineAngle(m.x, m.y, k.x, k.y);
      double s = start;
      MakeAngleRangeAscending(s, g);
    } else {
      const double ds = MeasurePointDistance(k, PolarFrom(m, r, start));
      const double de = MeasurePointDistance(k, PolarFrom(m, r, end));
      g = ds < de ? start : end;
    }
    const double t = GetLineAngle(m.x, m.y, tx, ty);
    if (end - g >= g - start)
      start = t;
    else
      end = t;
    if (tabCount_ % 2) SwapDoubles(start, end);
    MakeAngleRangeAscending(start, end);
  }
  const bool whole = std::fabs(start - end) <= 1e-6;
  if (preview) {
    if (whole)
      view->DrawCirclePreview(m.x, m.y, r);
    else
      view->DrawArcPreview(m.x, m.y, r, start, end, 0);
    view->DrawLinePreview(m.x, m.y, tx, ty);
    readout1_ = radiusMode_ ? CString("R:") + construct::FormatLength(view, r / construct::CurrentScale(view)) : CString();
    readout2_.Empty();
    CCmdBase::DrawPreview(view);
    pickMode_ = 1;
    return;
  }
  if (!(r > 0)) {
    PutBackHeld(view);
    return;
  }
  CEntity* made;
  if (!held_->IsArc() || whole)
    made = ConstructCircleEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), m.x, m.y, r, 1);
  else
    made = ConstructArcEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), m.x, m.y, r, start, end, 1);
  Replace(view, made);
  if (MarksPoints()) view->MarkPoint(m.x, m.y);
}

void CExtendCmd::BuildEllipse(CDraftView* view, int preview) {
  const EllipseGeom g = EllipseGeomOf(held_);
  CEllipseCalculator& calc = GetEllipseCalculator();
  calc.SetEllipse(g);
  double s = g.start, e = g.end;
  double tx = preview ? cursor_.x : points_.back().x, ty = preview ? cursor_.y : points_.back().y;
  if (!Target(view, preview, tx, ty)) {
    PutBackHeld(view);
    return;
  }
  double f = calc.AngleOfPoint({pickX_, pickY_});
  if (!calc.IsAngleInRange(f, s, e)) {
    const GPoint at = calc.PointAt(f);
    f = MeasurePointDistance(at, calc.PointAt(s)) < MeasurePointDistance(at, calc.PointAt(e)) ? s : e;
  } else if (s - f >= -1e-6) {
    f += 360.0;
  }
  const double t = calc.AngleOfPoint({tx, ty});
  if (e - f >= f - s)
    s = t;
  else
    e = t;
  MakeAngleRangeAscending(s, e);
  if (tabCount_ % 2) SwapDoubles(s, e);
  MakeAngleRangeAscending(s, e);
  const bool whole = std::fabs(s - e) <= 1e-6;
  if (preview) {
    DrawEllipseArcPreview(view, g, whole ? 0.0 : s, whole ? 360.0 : e);
    view->DrawLinePreview(g.cx, g.cy, tx, ty);
    readout1_.Empty();
    readout2_.Empty();
    CCmdBase::DrawPreview(view);
    pickMode_ = 1;
    return;
  }
  CEntity* made = ConstructEllipseEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), g.cx, g.cy, g.a, g.b,
                                         g.rotation, whole ? 0.0 : s, whole ? 360.0 : e, 1);
  made->SetEntityOwner(held_->GetEntityOwner());
  view->AddEntityToView(made, nullptr, nullptr, 1);
  view->PushUndoRecord(ConstructUndoReplaceEntity(held_, made));
  held_ = nullptr;
  if (MarksPoints()) view->MarkPoint(g.cx, g.cy);
}

int CExtendCmd::IntersectBoundary(CDraftView* view, double& x, double& y) {
  CEntity* h = held_;
  CEntity* b = boundary_;
  if (!view || !h || !b || h->IsCircle()) return 0;
  const GPoint p{x, y};
  const bool bLine = b->IsLine();
  if (!bLine && !b->IsCircle() && !b->IsArc() && !b->IsEllipse()) return 0;
  const bool hLine = IsStraight(h);
  if (!hLine && !h->IsArc() && !h->IsEllipse()) return 0;
  auto take = [&](const GPoint& q) {
    x = q.x;
    y = q.y;
    return 1;
  };
  if (bLine) {
    CEntity* owner = b->GetEntityOwner();
    if (owner && owner->IsCompoundCurve()) {
      double xs[3], ys[3];
      const int n = view->IntersectWithCompound(h, owner, xs, ys, 3, 0);
      double best = 1e30;
      GPoint nearest;
      int found = 0;
      for (int i = 0; i < n; ++i) {
        const double d = GetPointDistance(p.x, p.y, xs[i], ys[i]);
        if (d < best) {
          best = d;
          nearest = {xs[i], ys[i]};
          found = 1;
        }
      }
      return found ? take(nearest) : 0;
    }
  }
  GPoint pts[4];
  const int n = BoundaryCrossings(h, b, pts);
  if (n) return take(NearestCandidate(p, pts, n));
  const std::vector<double> hv = EntityValues(h), bv = EntityValues(b);
  if (hLine && bLine) {
    // Parallel: a collinear boundary that overlaps is swallowed.
    const GPoint h1{hv[0], hv[1]}, h2{hv[2], hv[3]};
    GPoint b1{bv[0], bv[1]}, b2{bv[2], bv[3]};
    const GPoint first{points_[0].x, points_[0].y};
    const GPoint nearEnd = MeasurePointDistance(first, h2) < MeasurePointDistance(first, h1) ? h2 : h1;
    if (OverlapsLine(h, b)) {
      merge_ = 1;
      return take(SelectEndPoint(nearEnd, b1, b2, 2));
    }
    const GPoint second{points_.back().x, points_.back().y};
    ExchangePointsByFlag(MeasurePointDistance(second, b2) < MeasurePointDistance(second, b1) ? 2 : 1, b1, b2);
    GPoint q;
    if (IntersectLines(h1, h2, b1, b2, q)) take(q);
    return 1;
  }
  const GPoint c{hv[0], hv[1]};
  const double r = hv[2];
  if (h->IsArc() && b->IsArc() && IsSamePoint(c, GPoint{bv[0], bv[1]}) &&
      std::fabs(r - bv[2]) <= tressil::kGeomTolerance) {
    // The same circle: the held arc takes in the boundary arc.
    double s = hv[3], e = hv[4];
    MakeAngleRangeAscending(s, e);
    double d = GetLineAngle(c.x, c.y, points_[0].x, points_[0].y);
    if (d < s) d += 360.0;
    const double angle = d - s > e - d ? bv[4] : bv[3];
    merge_ = 1;
    return take(PolarFrom(c, r, angle));
  }
  return 0;
}

int CExtendCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 0 || !held_) return CCmdBase::DrawPreview(view);
  if (IsStraight(held_)) {
    BuildLine(view, 1);
    return CCmdBase::DrawPreview(view);
  }
  if (held_->IsEllipse()) {
    BuildEllipse(view, 1);
    return 0;
  }
  if (held_->IsCircle()) pickMode_ = 0;
  BuildArc(view, 1);
  return 0;
}

int CExtendCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ != 1 || !radiusMode_ || !held_ || points_.empty()) return 0;
  CDrawingGroup* group = view->GetCurrentGroup();
  const double scale = GetGroupScale(group);
  const std::vector<double> v = EntityValues(held_);
  double radius = 0.0;
  if (!construct::RunRadiusDialog(view, scale, v[2] / scale, letter, points_[0].x, points_[0].y, cursor_.x, cursor_.y,
                                  0, 0, 0, x, y, radius))
    return 0;
  typedRadius_ = radius;
  typedRadiusFlag_ = 1;
  return 1;
}

int CExtendCmd::OnRButton(CDraftView* view) {
  PutBackHeld(view);
  pointCount_ = 1;
  pickMode_ = 1;
  return CLineCmd::OnRButton(view);
}

int CExtendCmd::End(CDraftView* view) {
  PutBackHeld(view);
  pointCount_ = 1;
  return CLineCmd::End(view);
}
