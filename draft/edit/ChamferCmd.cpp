#include "draft/edit/ChamferCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/edit/ChamferSetDlg.h"
#include "draft/edit/ClickedEdges.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Messages.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
constexpr DWORD kEdgeMask = 0x7FBEF8;

struct TrimPrompts {
  const char* first;
  const char* second;
};

TrimPrompts PromptsOf(int trimType) {
  switch (trimType) {
    case 0:
      return {"选择倒角的第一条边(只加圆，不剪断此图元)", "选择倒角的第二条边(只加圆，不剪断此图元)"};
    case 1:
      return {"选择倒角的第一条边(自动剪断此图元)", "选择倒角的第二条边(自动剪断此图元)"};
    case 2:
    case 3:
      return {"选择倒角的第一条边(剪断此图元)", "选择倒角的第二条边(不剪断此图元)"};
    case 4:
      return {"选择倒角的第一条边(只加倒角，不剪断此图元)", "选择倒角的第二条边(只加倒角，不剪断此图元)"};
    default:
      return {"选择倒角的第一条边(两图元求交)", "选择倒角的第二条边(两图元求交)"};
  }
}

bool TakesFirstOut(int trimType) { return trimType == 1 || trimType == 2 || trimType == 5; }
bool TakesSecondOut(int trimType) { return trimType == 1 || trimType == 3 || trimType == 5; }
}  // namespace

CChamferCmd::CChamferCmd(int id, int trimType)
    : CCmdBase(id, nullptr), onePickFlag_(trimType == 2 || trimType == 3 ? 0 : 1), trimType_(trimType) {
  pickMode_ = 1;
  const TrimPrompts p = PromptsOf(trimType);
  prompts_[0] = p.first;
  prompts_[1] = p.second;
}

int CChamferCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  first_ = second_ = nullptr;
  view->ClearSelection();
  if (GetProfileIntSetting(CChamferSetDlg::kSection, "DisplayAlways", 1)) {
    CModalDialogScope scope(view);
    CChamferSetDlg dlg(nullptr);
    if (dlg.DoModal() != IDOK) return 0;
  }
  return 1;
}

BOOL CChamferCmd::AcceptsEdge(CEntity* entity) { return entity && entity->IsLine(); }

void CChamferCmd::ForgetEdges(CDraftView* view) {
  if (view) view->ClearSelection();
  first_ = second_ = nullptr;
  pointCount_ = 1;
}

void CChamferCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  const BOOL onePick = !first_ && !second_;
  const GPoint at{points_.back().x, points_.back().y};
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 0, kEdgeMask, 0);
  edit::TakeClickedEdges(found, at, onePickFlag_ != 0, group_, [this](CEntity* e) { return AcceptsEdge(e) != 0; },
                         first_, pick1_, second_, pick2_);
  if (first_ && !second_) {
    if (points_.size() >= 2)
      points_.pop_back();  // the second click found no edge
    else
      view->SelectEntity(first_, 1, 1, 1);
  } else if (first_ && second_) {
    view->ClearSelection();
    CEntity* outFirst = TakesFirstOut(trimType_) && !first_->IsCircle() ? first_ : nullptr;
    CEntity* outSecond = TakesSecondOut(trimType_) && !second_->IsCircle() ? second_ : nullptr;
    if (outFirst) view->RemoveEntity(outFirst, 1, 0);
    if (outSecond) view->RemoveEntity(outSecond, 1, 0);
    if (!BuildCorner(view, onePick)) {
      // Last out, first back: two members of one block each go back to the
      // place they left, which for the first is a place in the block as it
      // was before the second left.
      if (outSecond) view->AddEntityToView(outSecond, nullptr, nullptr, 1);
      if (outFirst) view->AddEntityToView(outFirst, nullptr, nullptr, 1);
      if (onePick) {
        second_ = nullptr;
        view->SelectEntity(first_, 1, 1, 1);
      } else {
        ShowMessage("操作不成功！", MB_OK | MB_ICONSTOP);
        first_ = second_ = nullptr;
      }
    }
  }
  if (!first_ && !second_) points_.clear();
}

BOOL CChamferCmd::BuildCorner(CDraftView* view, BOOL onePick) {
  if (!view || !first_ || !second_) return FALSE;
  firstLength_ = std::atof(GetProfileStringSetting(CChamferSetDlg::kSection, "Var1").GetString());
  secondLength_ = std::atof(GetProfileStringSetting(CChamferSetDlg::kSection, "Len2").GetString());
  double f[kMaxGeometryValues] = {}, s[kMaxGeometryValues] = {};
  first_->GetGeometry(f);
  second_->GetGeometry(s);
  const GPoint f1{f[0], f[1]}, f2{f[2], f[3]}, s1{s[0], s[1]}, s2{s[2], s[3]};
  if (IsSamePoint(f1, s1) || IsSamePoint(f1, s2) || IsSamePoint(f2, s1) || IsSamePoint(f2, s2)) {
    // A shared end says nothing about the sides: each edge's middle does.
    pick1_ = {(f1.x + f2.x) / 2, (f1.y + f2.y) / 2};
    pick2_ = {(s1.x + s2.x) / 2, (s1.y + s2.y) / 2};
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntity* chamfer = view->MakeChamfer(trimType_, first_, second_, pick1_.x, pick1_.y, pick2_.x, pick2_.y,
                                       firstLength_, secondLength_, onePick, first_->GetEntityLayer(),
                                       first_->GetEntityGroup(), record.get());
  if (!chamfer) return FALSE;
  if (trimType_ == 2) AddCentreLineLink(view, chamfer, f2, s1, s2, record.get());
  view->PushUndoRecord(record.release());
  first_ = second_ = nullptr;
  view->ClearSelection();
  return TRUE;
}

void CChamferCmd::AddCentreLineLink(CDraftView* view, CEntity* chamfer, const GPoint& f2, const GPoint& s1,
                                    const GPoint& s2, CUndoRecord* record) {
  double c[kMaxGeometryValues] = {};
  chamfer->GetGeometry(c);
  const GPoint c1{c[0], c[1]}, c2{c[2], c[3]};
  GPoint p;
  if (!IntersectLinesEx(0, c1, f2, s1, s2, p, 0)) return;
  GPoint q;
  ProjectPointToLine(0, s1, s2, p, q);
  pick2_ = q;
  const double a = GetLineAngle(c2.x, c2.y, q.x, q.y) * 0.017453292519943295;
  const GPoint w = IsValueInRange(q.x, s1.x, c2.x) && IsValueInRange(q.y, s1.y, c2.y) ? s1 : s2;
  const double l = GetPointDistance(q.x, q.y, w.x, w.y);
  const GPoint t{c1.x + l * std::cos(a), c1.y + l * std::sin(a)};
  GPoint best = c1;
  double bestDistance = 1e30;
  for (CEntity* e : *view->GetEntityList()) {
    if (!e || !e->IsLine()) continue;
    const CLayerRecord* layer = view->GetLayerTable()->GetLayerRecord(e->GetEntityLayer());
    if (!layer || layer->GetLineKind() != 2) continue;
    double k[kMaxGeometryValues] = {};
    e->GetGeometry(k);
    const GPoint k1{k[0], k[1]}, k2{k[2], k[3]};
    if (std::fabs((k2.x - k1.x) * (s2.x - s1.x) + (k2.y - k1.y) * (s2.y - s1.y)) > 1e-6) continue;
    GPoint x;
    if (!IntersectLinesEx(1, c1, t, k1, k2, x, 0)) continue;
    const double d = MeasurePointDistance(c1, x);
    if (d < bestDistance && d > 9.999999999999999e-6) {
      best = x;
      bestDistance = d;
    }
  }
  if (IsSamePoint(best, c1)) return;
  CEntity* link = ConstructLineEntity(first_->GetEntityLayer(), first_->GetEntityGroup(), c1.x, c1.y, best.x, best.y, 1);
  view->AddEntityToView(link, record, nullptr, 1);
}

int CChamferCmd::OnRButton(CDraftView* view) {
  ForgetEdges(view);
  return CCmdBase::OnRButton(view);
}

int CChamferCmd::End(CDraftView* view) {
  ForgetEdges(view);
  return CCmdBase::End(view);
}
