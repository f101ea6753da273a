#include "draft/edit/ArcCenterOnEntityCmd.h"

#include <cmath>
#include <memory>

#include "draft/edit/MidArcSetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Messages.h"
#include "draft/host/TangentGeometry.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr DWORD kConnectMask = 0x412200;
constexpr const char* kPickCentrePrompt = "选择圆心所在的图元(TAB：输入圆弧一端点)";
constexpr const char* kThroughPointPrompt = "输入圆弧端点(TAB：选择圆心所在的图元)";
}  // namespace

CArcCenterOnEntityCmd::CArcCenterOnEntityCmd(int id) : CFilletCmd(id, 2) {
  onePickFlag_ = 0;
  prompts_.resize(3);
  prompts_[0] = "选择相连接的圆弧或直线";
  prompts_[1] = kPickCentrePrompt;
  prompts_[2] = "输入圆弧的终点(TAB：改变选项)";
}

int CArcCenterOnEntityCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  view->ClearSelection();
  return 1;
}

void CArcCenterOnEntityCmd::ShowStepOnePrompt() {
  prompts_[1] = tabCount_ % 2 == 0 ? kPickCentrePrompt : kThroughPointPrompt;
}

void CArcCenterOnEntityCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  if (step_ != 1) return;
  pickMode_ = tabCount_ % 2 == 0 ? 1 : 0;
  ShowStepOnePrompt();
}

bool CArcCenterOnEntityCmd::CutsConnected() const { return trimType_ == 2 && first_ && !first_->IsCircle(); }

void CArcCenterOnEntityCmd::RestoreConnected(CDraftView* view) {
  // Only an entity that AskArcSettings took out goes back: a connected
  // entity merely picked never left the drawing.
  if (CutsConnected() && !view->IsInDrawing(first_)) view->AddEntityToView(first_, nullptr, nullptr, 1);
}

void CArcCenterOnEntityCmd::Restart(CDraftView* view) {
  view->ClearSelection();
  first_ = second_ = nullptr;
  points_.clear();
  step_ = 0;
  pickMode_ = 1;
  tabCount_ = 0;
  ShowStepOnePrompt();
}

void CArcCenterOnEntityCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const GPoint at{points_.back().x, points_.back().y};
  if (points_.size() == 1) {
    CEntityList found;
    view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kConnectMask, 0);
    for (CEntity* e : found)
      if (AcceptsEdge(e)) {
        first_ = e;
        pick1_ = at;
        break;
      }
    if (first_)
      view->SelectEntity(first_, 1, 1, 1);
    else
      points_.clear();
    return;
  }
  if (points_.size() == 2) {
    if (tabCount_ % 2 == 0) {
      CEntityList found;
      view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kConnectMask, 0);
      for (CEntity* e : found)
        if (e != first_ && AcceptsEdge(e)) {
          second_ = e;
          pick2_ = at;
          break;
        }
      if (!second_) {
        points_.pop_back();
        return;
      }
      AskArcSettings(view);
    } else if (AskArcSettings(view)) {
      tabCount_ = 0;  // a cancel keeps the count: the next click is again a point the arc passes through
    }
    return;
  }
  // The end point.
  if (!first_) {
    Restart(view);
    return;
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  double s = 0, e = 0;
  ArcAngles(at, s, e);
  CEntity* arc = ConstructArcEntity(first_->GetEntityLayer(), first_->GetEntityGroup(), centre_.x, centre_.y, radius_,
                                    s, e, 1);
  if (MarksPoints()) {
    const double er = DegreeToRadian(e);
    view->MarkPoint(centre_.x + radius_ * std::cos(er), centre_.y + radius_ * std::sin(er));
  }
  view->AddEntityToView(arc, record.get(), nullptr, 1);
  if (CutsConnected()) {
    const double t = TrimAngle(s, e);
    if (first_->IsArc())
      view->TrimArcAtPoint(first_, t, tangent_.x, tangent_.y, record.get());
    else
      view->TrimLineAtPoint(first_, t, tangent_.x, tangent_.y, record.get());
  }
  flip_ = 0;
  view->PushUndoRecord(record.release());
  Restart(view);
}

void CArcCenterOnEntityCmd::ArcAngles(const GPoint& end, double& s, double& e) const {
  e = GetLineAngle(centre_.x, centre_.y, end.x, end.y);
  s = tangentAngle_;
  if (tabCount_ % 3 == 1) SwapDoubles(s, e);
  MakeAngleRangeAscending(s, e);
}

double CArcCenterOnEntityCmd::TrimAngle(double s, double e) const {
  // The arc leaves the tangent point counter-clockwise when it starts there:
  // the entity goes on the other way; when the arc ends there, the way the
  // arc arrives.
  return NormalizeAngle(std::fabs(s - tangentAngle_) <= 1e-6 ? s - 90.0 : e + 90.0);
}

BOOL CArcCenterOnEntityCmd::AskArcSettings(CDraftView* view) {
  double radius = 0.0;
  int tangency = 1, trim = 1;
  {
    CModalDialogScope scope(view);
    CMidArcSetDlg dlg(nullptr, first_->IsLine() ? 0 : 1);
    if (dlg.DoModal() != IDOK) {
      // The click is undone: the connected entity stays chosen and the
      // command waits at step 1 again.
      if (second_) view->ClearSelection(second_);
      second_ = nullptr;
      points_.pop_back();
      return FALSE;
    }
    radius = dlg.GetRadius();
    tangency = dlg.GetTangency();
    trim = dlg.GetTrim();
  }
  radius_ = first_->GetEntityScale() * radius;
  tangency_ = tangency;
  trimType_ = trim ? 2 : 4;
  mode_ = tabCount_ % 2 == 0 ? 1 : 0;
  if (SolveArc(view)) {
    view->ClearSelection();
    if (CutsConnected()) view->RemoveEntity(first_, 1, 0);
    pickMode_ = 0;
    return TRUE;
  }
  ShowMessage("操作不成功！", MB_OK | MB_ICONSTOP);
  Restart(view);
  return FALSE;
}

BOOL CArcCenterOnEntityCmd::SolveArc(CDraftView* view) {
  if (!view || !first_) return FALSE;
  if (mode_ == 1)
    return view->SolveArcCentreOnEntity(first_, second_, pick1_.x, pick1_.y, pick2_.x, pick2_.y, radius_, tangency_,
                                        flip_, centre_.x, centre_.y, tangentAngle_, tangent_.x, tangent_.y);
  if (points_.size() < 2) return FALSE;
  // The point the arc passes through: the click of step 1.
  const GPoint through{points_[1].x, points_[1].y};
  double v[kMaxGeometryValues] = {};
  first_->GetGeometry(v);
  GPoint centre, touch;
  if (first_->IsArc() || first_->IsCircle()) {
    const GPoint c{v[0], v[1]};
    const double a = tangency_ ? radius_ + v[2] : std::fabs(radius_ - v[2]);
    GPoint pts[2];
    const int n = IntersectCirclesEx(c, a, through, radius_, pts);
    if (n == 0) return FALSE;
    centre = n == 2 && flip_ ? pts[1] : pts[0];
    if (IntersectCirclesEx(c, v[2], centre, radius_, pts) == 0) return FALSE;
    touch = pts[0];
  } else if (first_->IsLine()) {
    const GPoint a{v[0], v[1]}, b{v[2], v[3]};
    double offset = GetValueSign(GetPointLineDistance(through, a, b)) * radius_;
    if (flip_) offset = -offset;
    GPoint p1, p2, pts[2];
    if (!OffsetLine(first_, offset, p1, p2)) return FALSE;
    const int n = IntersectLineCircle(p1, p2, through, radius_, pts);
    if (n == 0) return FALSE;
    centre = n == 2 && flip_ ? pts[1] : pts[0];
    touch = GetPerpendicularFoot(a, b, centre);
  } else {
    return FALSE;
  }
  centre_ = centre;
  tangent_ = touch;
  tangentAngle_ = GetLineAngle(centre.x, centre.y, touch.x, touch.y);
  return TRUE;
}

int CArcCenterOnEntityCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ >= 2 && first_) {
    if (tabCount_ % 3 == 2) {
      flip_ = flip_ ? 0 : 1;
      SolveArc(view);
      tabCount_ = 0;
    }
    const GPoint cursor{cursor_.x, cursor_.y};
    double s = 0, e = 0;
    ArcAngles(cursor, s, e);
    view->DrawArcPreview(centre_.x, centre_.y, radius_, s, e);
    view->DrawLinePreview(centre_.x, centre_.y, cursor.x, cursor.y);
    if (CutsConnected()) {
      const double t = TrimAngle(s, e);
      std::unique_ptr<CEntity> piece(first_->IsArc() ? view->DeriveArcEntity(first_, t, tangent_.x, tangent_.y)
                                                     : view->DeriveLineEntity(first_, t, tangent_.x, tangent_.y));
      if (piece) {
        double p[kMaxGeometryValues] = {};
        piece->GetGeometry(p);
        if (piece->IsArc())
          view->DrawArcPreview(p[0], p[1], p[2], p[3], p[4]);
        else
          view->DrawLinePreview(p[0], p[1], p[2], p[3]);
      }
    }
  }
  return CCmdBase::DrawPreview(view);
}

int CArcCenterOnEntityCmd::OnRButton(CDraftView* view) {
  if (view && first_) RestoreConnected(view);
  tabCount_ = 0;
  pickMode_ = 1;
  ShowStepOnePrompt();
  return CChamferCmd::OnRButton(view);
}

int CArcCenterOnEntityCmd::End(CDraftView* view) {
  if (view && first_) RestoreConnected(view);
  return CChamferCmd::End(view);
}
