#include "draft/edit/FilletCmd.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "draft/edit/CarrierMerge.h"
#include "draft/edit/FilletSetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

namespace {
struct Ends {
  GPoint a, b;
};

Ends EndsOf(const CEntity* line) {
  double v[kMaxGeometryValues] = {};
  line->GetGeometry(v);
  return {{v[0], v[1]}, {v[2], v[3]}};
}

carrier::CircleSpan SpanOf(const double* v) { return {false, v[3], v[4]}; }
}  // namespace

CFilletCmd::CFilletCmd(int id, int trimType) : CChamferCmd(id, trimType) {
  prompts_[0] = "选择第一个图元";
  prompts_[1] = "选择第二个图元";
}

int CFilletCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  first_ = second_ = nullptr;
  if (trimType_ == 5 || !GetProfileIntSetting(CFilletSetDlg::kSection, "DisplayAlways", 1)) return 1;
  CModalDialogScope scope(view);
  CFilletSetDlg dlg(nullptr);
  return dlg.DoModal() == IDOK ? 1 : 0;
}

BOOL CFilletCmd::AcceptsEdge(CEntity* entity) {
  return entity && (entity->IsLine() || entity->IsCircle() || entity->IsArc());
}

BOOL CFilletCmd::BuildCorner(CDraftView* view, BOOL onePick) {
  if (!view || !first_ || !second_) return FALSE;
  double radius = 0.0;
  int mode = 1;
  if (trimType_ != 5) {
    radius = std::atof(GetProfileStringSetting(CFilletSetDlg::kSection, "Radius", "5.0").GetString());
    mode = trimType_;
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  if (first_->IsLine() && second_->IsLine()) {
    const Ends f = EndsOf(first_), s = EndsOf(second_);
    GPoint x;
    if (!IntersectLines(f.a, f.b, s.a, s.b, x)) {
      JoinParallelLines(view, record.release());
      return TRUE;
    }
  }
  if (first_->IsArc() && second_->IsArc()) {
    double f[kMaxGeometryValues] = {}, s[kMaxGeometryValues] = {};
    first_->GetGeometry(f);
    second_->GetGeometry(s);
    if (f[0] == s[0] && f[1] == s[1] && f[2] == s[2]) {
      JoinArcs(view, record.release());
      return TRUE;
    }
  }
  if (!view->MakeFillet(mode, first_, second_, pick1_.x, pick1_.y, pick2_.x, pick2_.y, radius, onePick,
                        first_->GetEntityLayer(), first_->GetEntityGroup(), record.get()))
    return FALSE;
  view->PushUndoRecord(record.release());
  first_ = second_ = nullptr;
  view->ClearSelection();
  return TRUE;
}

void CFilletCmd::JoinParallelLines(CDraftView* view, CUndoRecord* record) {
  const Ends f = EndsOf(first_), s = EndsOf(second_);
  const double d = GetPointLineDistance(s.a, f.a, f.b);
  // A second line on the first one's carrier is taken in whole; one beside
  // it is laid onto it first and stays where it is.
  const bool onCarrier = std::fabs(d) <= tressil::kGeomTolerance;
  GPoint e1 = s.a, e2 = s.b;
  if (!onCarrier) {
    // The offset is to the second line's own left: against the first
    // line's direction that is the first line's right.
    const bool sameWay = (f.b.x - f.a.x) * (s.b.x - s.a.x) + (f.b.y - f.a.y) * (s.b.y - s.a.y) >= 0;
    OffsetLine(second_, sameWay ? -d : d, e1, e2);
  }
  GPoint a = f.a, b = f.b;
  carrier::StretchOver(a, b, e1);
  carrier::StretchOver(a, b, e2);
  CEntity* line = ConstructLineEntity(first_->GetEntityLayer(), first_->GetEntityGroup(), a.x, a.y, b.x, b.y, 1);
  line->SetEntityOwner(first_->GetEntityOwner());
  // Only the edges the pick took out go back before the replacement: the
  // others never left the drawing.
  if (!view->IsInDrawing(second_)) view->AddEntityToView(second_, nullptr, nullptr, 1);
  if (!view->IsInDrawing(first_)) view->AddEntityToView(first_, nullptr, nullptr, 1);
  CEntityList oldList, newList;
  oldList.AddTail(first_);
  if (onCarrier) oldList.AddTail(second_);
  newList.AddTail(line);
  Replace(view, record, oldList, newList);
}

void CFilletCmd::JoinArcs(CDraftView* view, CUndoRecord* record) {
  double f[kMaxGeometryValues] = {}, s[kMaxGeometryValues] = {};
  first_->GetGeometry(f);
  second_->GetGeometry(s);
  const double pick = GetLineAngle(f[0], f[1], pick1_.x, pick1_.y);
  const carrier::CircleSpan joined = carrier::JoinArcs(SpanOf(f), SpanOf(s), pick);
  CEntity* made;
  if (joined.circle)
    made = ConstructCircleEntity(first_->GetEntityLayer(), first_->GetEntityGroup(), f[0], f[1], f[2], 1);
  else
    made = ConstructArcEntity(first_->GetEntityLayer(), first_->GetEntityGroup(), f[0], f[1], f[2], joined.start,
                              joined.end, 1);
  made->SetEntityOwner(first_->GetEntityOwner());
  CEntityList oldList, newList;
  oldList.AddTail(first_);
  oldList.AddTail(second_);
  newList.AddTail(made);
  Replace(view, record, oldList, newList);
}

void CFilletCmd::Replace(CDraftView* view, CUndoRecord* record, const CEntityList& oldList,
                         const CEntityList& newList) {
  record->SetLists(oldList, newList);
  view->RemoveEntities(oldList);
  view->AddEntities(newList);
  view->PushUndoRecord(record);
  first_ = second_ = nullptr;
  view->ClearSelection();
}
