#include "draft/edit/ModifyEndCmd.h"

#include <cmath>
#include <memory>

#include "draft/construct/ConstructHelpers.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/UndoRecord.h"

namespace {
// Lines, circles, arcs and two-point entities, members of compounds offered.
constexpr DWORD kPickMask = 0x402200;

// The kinds the command holds: a line (not a segment of a compound curve),
// circle, arc or two-point entity; a member of a compound that editing keeps
// whole stands for its compound and is not taken.
bool IsModifiable(const CEntity* e) {
  const CEntity* owner = e->GetEntityOwner();
  if (owner && owner->IsKeptWhole()) return false;
  if (e->IsLine()) return !(owner && owner->IsCompoundCurve());
  return e->IsCircle() || e->IsArc() || e->IsTwoPointEntity();
}

bool IsStraight(const CEntity* e) { return e->IsLine() || e->IsTwoPointEntity(); }

struct HeldValues {
  double v[kMaxGeometryValues] = {};
  explicit HeldValues(const CEntity* e) { e->GetGeometry(v); }
};
}  // namespace

CModifyEndCmd::CModifyEndCmd(int id, CDraftView* view) : CLineCmd(id, view) {
  pointCount_ = 1;
  pickMode_ = 1;
  prompts_ = {CString("选择需修改的直线或圆弧"), CString("输入端点位置")};
}

CModifyEndCmd::~CModifyEndCmd() { PutBackHeld(heldView_); }

void CModifyEndCmd::PutBackHeld(CDraftView* view) {
  if (held_ && view) view->AddEntityToView(held_, nullptr, nullptr, 1);
  held_ = nullptr;
  typedRadiusFlag_ = 0;  // it was typed for this entity only
}

void CModifyEndCmd::StartOver(CDraftView* view) {
  pointCount_ = 1;
  points_.clear();
  pickMode_ = 1;
  if (view) view->ClearSelection();
  promptOverride_.Empty();
}

void CModifyEndCmd::MarkFixedPoint(CDraftView* view) {
  if (!view || !held_ || !MarksPoints()) return;
  const HeldValues h(held_);
  if (held_->IsArc()) {
    view->MarkPoint(h.v[0], h.v[1]);
  } else if (IsStraight(held_)) {
    const GPoint f = SelectEndPoint({pickX_, pickY_}, {h.v[0], h.v[1]}, {h.v[2], h.v[3]}, 2);
    view->MarkPoint(f.x, f.y);
  }
}

void CModifyEndCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  if (!held_) {
    const PointRec at = points_.back();
    CEntityList found;
    view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kPickMask, 0);
    for (CEntity* e : found) {
      if (!IsModifiable(e)) continue;
      held_ = e;
      break;
    }
    if (!held_) {
      StartOver(view);
      return;
    }
    heldView_ = view;
    pickX_ = at.x;
    pickY_ = at.y;
    pointCount_ = 2;
    view->RemoveEntity(held_, 1, 0);
    radiusMode_ = held_->IsCircle() || held_->IsArc() ? 1 : 0;
    MarkFixedPoint(view);
    promptOverride_ = held_->IsLine() ? CString("输入端点位置") : CString("输入圆上一点(R: 半径， D: 直径)");
    pickMode_ = 0;
    pointInput_ = 1;
    return;
  }
  if (IsStraight(held_))
    BuildLine(view, 0);
  else
    BuildArc(view, 0);
  PutBackHeld(view);  // a builder that made nothing leaves it held
  StartOver(view);
}

void CModifyEndCmd::Replace(CDraftView* view, CEntity* made) {
  made->SetEntityOwner(held_->GetEntityOwner());
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  view->AddEntityToView(made, record.get(), held_, 1);
  view->PushUndoRecord(record.release());
  held_ = nullptr;  // the record holds it now
}

void CModifyEndCmd::BuildLine(CDraftView* view, int preview) {
  const HeldValues h(held_);
  const GPoint f = SelectEndPoint({pickX_, pickY_}, {h.v[0], h.v[1]}, {h.v[2], h.v[3]}, 2);
  const PointRec& q = preview ? cursor_ : points_.back();
  if (preview) {
    // A typed coordinate (the line command's number key) is relative to
    // the end that stays.
    points_[0].x = f.x;
    points_[0].y = f.y;
    view->DrawLinePreview(f.x, f.y, q.x, q.y);
    return;
  }
  // A two-point entity that is not a line has no rebuild rule, and a line
  // of no length is none: both come back unchanged.
  if (!held_->IsLine() || IsSamePoint(f.x, f.y, q.x, q.y)) return;
  Replace(view, ConstructLineEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), f.x, f.y, q.x, q.y, 1));
  if (MarksPoints()) view->MarkPoint(q.x, q.y);
}

void CModifyEndCmd::BuildArc(CDraftView* view, int preview) {
  const HeldValues h(held_);
  const GPoint m{h.v[0], h.v[1]};
  const bool arc = held_->IsArc() != FALSE;
  const double a1 = arc ? h.v[3] : 0.0, a2 = arc ? h.v[4] : 0.0;
  const PointRec& q = preview ? cursor_ : points_.back();
  double r = GetPointDistance(m.x, m.y, q.x, q.y);
  if (typedRadiusFlag_) {
    r = typedRadius_;
    if (!preview) typedRadiusFlag_ = 0;
  }
  const bool whole = std::fabs(a1 - a2) <= tressil::kGeomTolerance;
  if (preview) {
    if (whole)
      view->DrawCirclePreview(m.x, m.y, r);
    else
      view->DrawArcPreview(m.x, m.y, r, a1, a2, 0);
    view->DrawLinePreview(m.x, m.y, q.x, q.y);
    readout1_ = CString("R:") + construct::FormatLength(view, r / GetGroupScale(held_->GetEntityGroup()));
    readout2_.Empty();
    return;
  }
  if (!(r > tressil::kGeomTolerance)) return;  // a radius of zero: back unchanged
  CEntity* made;
  if (!arc || whole)
    made = ConstructCircleEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), m.x, m.y, r, 1);
  else
    made = ConstructArcEntity(held_->GetEntityLayer(), held_->GetEntityGroup(), m.x, m.y, r, a1, a2, 1);
  Replace(view, made);
  if (MarksPoints()) view->MarkPoint(m.x, m.y);
}

void CModifyEndCmd::BuildEllipse(CDraftView*, int) {
  // The pick never holds an ellipse; whatever is held without a rebuild
  // rule stays held and goes back unchanged.
}

int CModifyEndCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 0 || !held_) return CCmdBase::DrawPreview(view);
  if (IsStraight(held_)) {
    BuildLine(view, 1);
  } else {
    if (held_->IsCircle()) pickMode_ = 0;
    BuildArc(view, 1);
  }
  return CCmdBase::DrawPreview(view);
}

int CModifyEndCmd::OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) {
  if (!view || step_ != 1 || !radiusMode_ || !held_ || points_.empty()) return 0;
  const double scale = GetGroupScale(held_->GetEntityGroup());
  const HeldValues h(held_);
  double radius = 0.0;
  if (!construct::RunRadiusDialog(view, scale, h.v[2] / scale, letter, points_[0].x, points_[0].y, cursor_.x,
                                  cursor_.y, 0, 0, 0, x, y, radius))
    return 0;
  typedRadius_ = radius;
  typedRadiusFlag_ = 1;
  return 1;
}

int CModifyEndCmd::OnRButton(CDraftView* view) {
  PutBackHeld(view);
  pointCount_ = 1;
  pickMode_ = 1;
  promptOverride_.Empty();
  return CLineCmd::OnRButton(view);
}

int CModifyEndCmd::End(CDraftView* view) {
  PutBackHeld(view);
  pointCount_ = 1;
  return CLineCmd::End(view);
}
