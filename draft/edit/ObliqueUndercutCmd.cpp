#include "draft/edit/ObliqueUndercutCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/edit/ClickedEdges.h"
#include "draft/edit/GrooveSupport.h"
#include "draft/edit/UndercutSizeDlg.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Settings.h"
#include "draft/host/TangentGeometry.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kLineMask = static_cast<DWORD>(-258);

// The first of two points given in either order: the one nearer ref (the
// first on a tie).
void NearerFirst(const GPoint& ref, GPoint& p, GPoint& q) {
  if (GetPointDistance(q.x, q.y, ref.x, ref.y) < GetPointDistance(p.x, p.y, ref.x, ref.y)) std::swap(p, q);
}
}  // namespace

CObliqueUndercutCmd::CObliqueUndercutCmd(int id) : CCmdBase(id, nullptr) {
  pickMode_ = 1;
  prompts_ = {"选择斜向退刀槽的第一条边", "选择斜向退刀槽的第二条边"};
}

int CObliqueUndercutCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  view->ClearSelection();
  first_ = second_ = nullptr;
  CObliqueUndercutDlg dlg(nullptr);
  return RunGrooveSizeDialog(view, dlg, CObliqueUndercutDlg::kSection, "4", "6", depth_, width_);
}

BOOL CObliqueUndercutCmd::AcceptsEdge(CEntity* entity) { return entity && entity->IsLine(); }

void CObliqueUndercutCmd::ForgetEdges(CDraftView* view) {
  if (view) view->ClearSelection();
  first_ = second_ = nullptr;
  pointCount_ = 1;
}

void CObliqueUndercutCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const BOOL onePick = !first_ && !second_;
  const GPoint at{points_.back().x, points_.back().y};
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kLineMask, -1);
  edit::TakeClickedEdges(found, at, onePickFlag_ != 0, group_, [this](CEntity* e) { return AcceptsEdge(e) != 0; },
                         first_, pick1_, second_, pick2_);
  if (first_ && !second_) {
    if (points_.size() >= 2)
      points_.pop_back();
    else
      view->SelectEntity(first_, 1, 1, 1);
  } else if (first_ && second_) {
    view->ClearSelection();
    view->RemoveEntity(first_, 1, 0);
    view->RemoveEntity(second_, 1, 0);
    if (!BuildGroove(view, onePick)) {
      view->AddEntityToView(second_, nullptr, nullptr, 1);
      view->AddEntityToView(first_, nullptr, nullptr, 1);
      second_ = nullptr;
      if (onePick)
        view->SelectEntity(first_, 1, 1, 1);
      else
        first_ = nullptr;
    }
  }
  if (!first_ && !second_) points_.clear();
}

BOOL CObliqueUndercutCmd::BuildGroove(CDraftView* view, BOOL) {
  if (!view || !first_ || !second_) return FALSE;
  const double scale = GetGroupScale(first_->GetEntityGroup());
  const double depth =
      std::atof(GetProfileStringSetting(CObliqueUndercutDlg::kSection, "depth", "4").GetString()) * scale;
  const double width =
      std::atof(GetProfileStringSetting(CObliqueUndercutDlg::kSection, "width", "6").GetString()) * scale;
  double f[kMaxGeometryValues] = {}, s[kMaxGeometryValues] = {};
  first_->GetGeometry(f);
  second_->GetGeometry(s);
  const GPoint f1{f[0], f[1]}, f2{f[2], f[3]}, s1{s[0], s[1]}, s2{s[2], s[3]};
  if (IsSamePoint(f1, s1) || IsSamePoint(f1, s2) || IsSamePoint(f2, s1) || IsSamePoint(f2, s2)) {
    // A shared end says nothing about the sides: each line's middle does.
    pick1_ = {(f1.x + f2.x) / 2, (f1.y + f2.y) / 2};
    pick2_ = {(s1.x + s2.x) / 2, (s1.y + s2.y) / 2};
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  GPoint k;
  if (!IntersectLinesEx(2, f1, f2, s1, s2, k)) return FALSE;
  double a1 = GetLineAngle(k.x, k.y, pick1_.x, pick1_.y), a2 = GetLineAngle(k.x, k.y, pick2_.x, pick2_.y);
  OrderAnglePair(a1, a2, 1);
  a1 *= 0.017453292519943295;
  a2 *= 0.017453292519943295;
  double h = (a2 - a1) / 2;
  if (h > 1.5707963267948966) h = (6.283185307179586 - (a2 - a1)) / 2;
  if (std::fabs(h) < 1e-6 || std::fabs(h - 1.5707963267948966) < 1e-6) return FALSE;
  const double rho = (width / 2) / std::sin(h);
  GPoint gi[2], np[2];
  IntersectLineCircleEx(f1, f2, k, rho, gi);
  IntersectLineCircleEx(s1, s2, k, rho, np);
  NearerFirst(pick1_, gi[0], gi[1]);
  NearerFirst(pick2_, np[0], np[1]);
  const GPoint g = gi[0], i = gi[1], n = np[0], p = np[1];
  const double t = std::tan(h) * depth / width;
  const GPoint x1{g.x + t * (p.x - g.x), g.y + t * (p.y - g.y)};
  const GPoint x2{n.x + t * (i.x - n.x), n.y + t * (i.y - n.y)};
  const int layer = first_->GetEntityLayer();
  CDrawingGroup* group = first_->GetEntityGroup();
  view->BeginViewUpdate();
  view->AddEntityToView(ConstructLineEntity(layer, group, g.x, g.y, x1.x, x1.y), record.get(), nullptr, 1);
  view->AddEntityToView(ConstructLineEntity(layer, group, x1.x, x1.y, x2.x, x2.y), record.get(), nullptr, 1);
  view->AddEntityToView(ConstructLineEntity(layer, group, x2.x, x2.y, n.x, n.y), record.get(), nullptr, 1);
  view->AddEntityToView(CutLineTowards(first_, pick1_, k, g), record.get(), first_, 1);
  view->AddEntityToView(CutLineTowards(second_, pick2_, k, n), record.get(), second_, 1);
  view->PushUndoRecord(record.release());
  first_ = second_ = nullptr;
  view->ClearSelection();
  view->EndViewUpdate();
  return TRUE;
}

int CObliqueUndercutCmd::OnRButton(CDraftView* view) {
  ForgetEdges(view);
  return CCmdBase::OnRButton(view);
}

int CObliqueUndercutCmd::End(CDraftView* view) {
  ForgetEdges(view);
  return CCmdBase::End(view);
}
