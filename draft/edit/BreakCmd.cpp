#include "draft/edit/BreakCmd.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "draft/construct/ConstructHelpers.h"
#include "draft/edit/BoundaryCrossings.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DraftView.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EllipseGeometry.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/UndoRecord.h"

using tressil::kGeomTolerance;

namespace {
constexpr DWORD kHeldMask = 0x412200;
constexpr DWORD kBoundaryMask = 0x402200;

bool IsCompoundCurveMember(const CEntity* e) {
  const CEntity* owner = e->GetEntityOwner();
  return owner && owner->IsCompoundCurve();
}

// The kinds the command breaks. A member of a compound curve or of a
// compound kept whole stands for its owner, which is none of them.
bool IsBreakable(const CEntity* e) {
  if (!(e->IsLine() || e->IsCircle() || e->IsArc() || e->IsTwoPointEntity() || e->IsEllipse())) return false;
  const CEntity* owner = e->GetEntityOwner();
  return !(owner && (owner->IsCompoundCurve() || owner->IsKeptWhole()));
}

// The stretches of [0, length] that stay when the stretch between the
// positions p and q (each brought onto the range) is cut out, as (from, to)
// pairs; a stretch of no length is left out.
std::vector<std::pair<double, double>> KeptStretches(double p, double q, double length) {
  p = std::clamp(p, 0.0, length);
  q = std::clamp(q, 0.0, length);
  const double lo = std::min(p, q), hi = std::max(p, q);
  std::vector<std::pair<double, double>> kept;
  if (lo > kGeomTolerance) kept.emplace_back(0.0, lo);
  if (length - hi > kGeomTolerance) kept.emplace_back(hi, length);
  return kept;
}

// Where `angle` lies on the counter-clockwise range of `sweep` degrees from
// `start`, from 0 to sweep; an angle off the range counts as the range's
// nearer end.
double PositionOnRange(double angle, double start, double sweep) {
  const double u = NormalizeAngle(angle - start);
  if (u <= sweep) return u;
  if (u <= sweep + kGeomTolerance) return sweep;
  return u - sweep < 360.0 - u ? sweep : 0.0;
}

// The counter-clockwise range of a whole circle or ellipse that stays when
// the stretch from the smaller to the larger of two angles is cut out: from
// the larger to the smaller one turn on. Equal angles keep a whole turn
// that starts and ends there.
std::pair<double, double> KeptTurn(double alpha, double beta) {
  if (alpha < beta - kGeomTolerance) return {beta, alpha + 360.0};
  return {alpha, beta + 360.0};
}

// The point of the circle (c, r) in the direction of q from c (the nearer of
// the two points where the line from c through q meets the circle).
GPoint PointOnCircle(const GPoint& c, double r, const GPoint& q) {
  GPoint pts[2];
  IntersectLineCircleEx(c, q, c, r, pts);
  return SelectEndPoint(q, pts[0], pts[1], 1);
}

// The point of the ellipse on the line from its centre through q nearer to
// q; false when there is none (q at the centre).
bool PointOnEllipse(const EllipseGeom& g, const GPoint& q, GPoint& out) {
  GPoint pts[2];
  const int n = IntersectLineEllipse({g.cx, g.cy}, q, g, pts);
  if (n == 0) return false;
  out = NearestCandidate(q, pts, n);
  return true;
}
}  // namespace

CBreakCmd::CBreakCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  pickMode_ = 1;
  prompts_ = {CString("选择需打断的直线或圆弧"), CString("输入新端点位置")};
}

CBreakCmd::~CBreakCmd() { PutBackHeld(heldView_); }

void CBreakCmd::MarkFixedPoint(CDraftView* view, CEntity* entity) {
  if (!view || !entity || !MarksPoints()) return;
  const std::vector<double> v = EntityValues(entity);
  if (entity->IsArc() || entity->IsEllipse()) {
    view->MarkPoint(v[0], v[1]);
  } else if (entity->IsLine()) {
    const GPoint farEnd = SelectEndPoint({pickX_, pickY_}, {v[0], v[1]}, {v[2], v[3]}, 2);
    view->MarkPoint(farEnd.x, farEnd.y);
  }
}

void CBreakCmd::PutBackHeld(CDraftView* view) {
  if (held_ && view) view->AddEntityToView(held_, nullptr, nullptr, 1);
  held_ = boundary_ = nullptr;
}

void CBreakCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const PointRec at = points_.back();
  if (!held_) {
    CEntityList found;
    view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kHeldMask, 0);
    for (CEntity* e : found) {
      if (!IsBreakable(e)) continue;
      held_ = e;
      heldView_ = view;
      pickX_ = at.x;
      pickY_ = at.y;
      view->RemoveEntity(e, 1, 0);
      MarkFixedPoint(view, e);
      break;
    }
    if (!held_) {
      points_.clear();
      view->ClearSelection();
      pickMode_ = 1;
    }
    return;
  }
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kBoundaryMask, 0);
  boundary_ = nullptr;
  secondMode_ = 1;
  for (CEntity* e : found) {
    if (IsCompoundCurveMember(e)) continue;
    if (e->IsLine() || e->IsCircle() || e->IsArc() || e->IsEllipse()) {
      boundary_ = e;
      secondMode_ = 2;
    }
    break;
  }
  BuildHeld(view, 0);
  // What is still held was not split (a two-point entity that is not a line
  // has no split rule; an ellipse may give no second point): it goes back.
  PutBackHeld(view);
  points_.clear();
  view->ClearSelection();
  pickMode_ = 1;
}

void CBreakCmd::BuildHeld(CDraftView* view, int preview) {
  if (held_->IsLine())
    BuildLine(view, preview);
  else if (held_->IsCircle())
    BuildCircle(view, preview);
  else if (held_->IsArc())
    BuildArc(view, preview);
  else if (held_->IsEllipse())
    BuildEllipse(view, preview);
}

bool CBreakCmd::SecondPoint(CDraftView* view, int preview, GPoint& point) {
  const PointRec& at = preview ? cursor_ : points_.back();
  double x = at.x, y = at.y;
  if (!preview && secondMode_ == 2 && !IntersectBoundary(view, x, y)) {
    OnRButton(view);
    return false;
  }
  point = {x, y};
  return true;
}

void CBreakCmd::ReplaceHeld(CDraftView* view, std::vector<std::unique_ptr<CEntity>> pieces) {
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  if (pieces.empty()) record->AddOld(held_);
  CEntity* replaced = held_;
  for (std::unique_ptr<CEntity>& piece : pieces) {
    piece->SetEntityOwner(held_->GetEntityOwner());
    view->AddEntityToView(piece.release(), record.get(), replaced, 1);
    replaced = nullptr;
  }
  view->PushUndoRecord(record.release());
  held_ = nullptr;  // the record holds it now
}

void CBreakCmd::BuildLine(CDraftView* view, int preview) {
  const std::vector<double> v = EntityValues(held_);
  const GPoint k{pickX_, pickY_}, e1{v[0], v[1]}, e2{v[2], v[3]};
  const GPoint a = SelectEndPoint(k, e1, e2, 1), b = SelectEndPoint(k, e1, e2, 2);
  const double length = MeasurePointDistance(a, b);
  GPoint q;
  if (length <= kGeomTolerance || !SecondPoint(view, preview, q)) return;
  // Positions along the line from the near end.
  auto position = [&](const GPoint& p) {
    const GPoint f = GetPerpendicularFoot(a, b, p);
    return ((f.x - a.x) * (b.x - a.x) + (f.y - a.y) * (b.y - a.y)) / length;
  };
  auto pointAt = [&](double s) {
    if (s <= 0.0) return a;
    if (s >= length) return b;
    return GPoint{a.x + (b.x - a.x) * s / length, a.y + (b.y - a.y) * s / length};
  };
  std::vector<std::unique_ptr<CEntity>> pieces;
  for (const auto& [from, to] : KeptStretches(position(k), position(q), length)) {
    const GPoint p1 = pointAt(from), p2 = pointAt(to);
    if (preview)
      view->DrawLinePreview(p1.x, p1.y, p2.x, p2.y);
    else
      pieces.emplace_back(
          ConstructLineEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), p1.x, p1.y, p2.x, p2.y, 1));
  }
  if (preview) return;
  ReplaceHeld(view, std::move(pieces));
  view->MarkPoint(b.x, b.y);
}

void CBreakCmd::BuildCircle(CDraftView* view, int preview) {
  const std::vector<double> v = EntityValues(held_);
  const GPoint m{v[0], v[1]};
  const double r = v[2];
  GPoint q;
  if (!SecondPoint(view, preview, q)) return;
  const GPoint p1 = PointOnCircle(m, r, {pickX_, pickY_}), p2 = PointOnCircle(m, r, q);
  const auto [start, end] = KeptTurn(GetLineAngle(m.x, m.y, p1.x, p1.y), GetLineAngle(m.x, m.y, p2.x, p2.y));
  if (preview) {
    view->DrawArcPreview(m.x, m.y, r, start, end, 0);
    view->DrawLinePreview(m.x, m.y, p2.x, p2.y);
    pickMode_ = 1;
    return;
  }
  std::vector<std::unique_ptr<CEntity>> pieces;
  pieces.emplace_back(ConstructArcEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), m.x, m.y, r, start, end, 1));
  ReplaceHeld(view, std::move(pieces));
  view->MarkPoint(m.x, m.y);
}

void CBreakCmd::BuildArc(CDraftView* view, int preview) {
  const std::vector<double> v = EntityValues(held_);
  const GPoint m{v[0], v[1]};
  const double r = v[2];
  double a1 = NormalizeAngle(v[3]), a2 = v[4];
  MakeAngleRangeAscending(a1, a2, true);
  const double sweep = a2 - a1;
  GPoint q;
  if (!SecondPoint(view, preview, q)) return;
  const GPoint p1 = PointOnCircle(m, r, {pickX_, pickY_}), p2 = PointOnCircle(m, r, q);
  const double alpha = PositionOnRange(GetLineAngle(m.x, m.y, p1.x, p1.y), a1, sweep);
  const double beta = PositionOnRange(GetLineAngle(m.x, m.y, p2.x, p2.y), a1, sweep);
  std::vector<std::unique_ptr<CEntity>> pieces;
  for (const auto& [from, to] : KeptStretches(alpha, beta, sweep)) {
    if (preview)
      view->DrawArcPreview(m.x, m.y, r, a1 + from, a1 + to, 0);
    else
      pieces.emplace_back(ConstructArcEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), m.x, m.y, r,
                                             a1 + from, a1 + to, 1));
  }
  if (preview) {
    view->DrawLinePreview(m.x, m.y, p2.x, p2.y);
    readout1_ = CString("角度:") + construct::FormatAngle(view, NormalizeAngle(a1 + std::max(alpha, beta)));
    return;
  }
  ReplaceHeld(view, std::move(pieces));
  view->MarkPoint(m.x, m.y);
}

void CBreakCmd::BuildEllipse(CDraftView* view, int preview) {
  const EllipseGeom g = EllipseGeomOf(held_);
  CEllipseCalculator& calc = GetEllipseCalculator();
  calc.SetEllipse(g);
  GPoint q, p1, p2;
  if (!SecondPoint(view, preview, q)) return;
  // A point at the centre gives no point on the ellipse: nothing is cut,
  // and Execute puts the ellipse back.
  if (!PointOnEllipse(g, {pickX_, pickY_}, p1) || !PointOnEllipse(g, q, p2)) return;
  const double alpha = calc.AngleOfPoint(p1), beta = calc.AngleOfPoint(p2);
  std::vector<std::pair<double, double>> kept;
  const double s = NormalizeAngle(g.start), sweep = g.end - g.start;
  if (sweep >= 360.0 - kGeomTolerance) {
    kept.push_back(KeptTurn(alpha, beta));
  } else {
    for (const auto& [from, to] :
         KeptStretches(PositionOnRange(alpha, s, sweep), PositionOnRange(beta, s, sweep), sweep))
      kept.emplace_back(s + from, s + to);
  }
  std::vector<std::unique_ptr<CEntity>> pieces;
  for (const auto& [from, to] : kept) {
    if (preview)
      DrawEllipseArcPreview(view, g, from, to);
    else
      pieces.emplace_back(ConstructEllipseEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), g.cx, g.cy, g.a,
                                                 g.b, g.rotation, from, to, 1));
  }
  if (preview) {
    view->DrawLinePreview(g.cx, g.cy, p2.x, p2.y);
    return;
  }
  ReplaceHeld(view, std::move(pieces));
  view->MarkPoint(g.cx, g.cy);
}

int CBreakCmd::IntersectBoundary(CDraftView* view, double& x, double& y) {
  if (!view || !held_ || !boundary_) return 0;
  GPoint pts[4];
  const int n = BoundaryCrossings(held_, boundary_, pts);
  if (n == 0) return 0;
  const GPoint nearest = NearestCandidate({x, y}, pts, n);
  x = nearest.x;
  y = nearest.y;
  return 1;
}

int CBreakCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ != 0 && held_) BuildHeld(view, 1);
  return CCmdBase::DrawPreview(view);
}

int CBreakCmd::OnRButton(CDraftView* view) {
  PutBackHeld(view);
  pickMode_ = 1;
  return CCmdBase::OnRButton(view);
}

int CBreakCmd::End(CDraftView* view) {
  PutBackHeld(view);
  return CCmdBase::End(view);
}
