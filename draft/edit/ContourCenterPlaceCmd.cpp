#include "draft/edit/ContourCenterPlaceCmd.h"

#include <cmath>
#include <memory>

#include "draft/host/BlockEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr DWORD kLineMask = 0x7FFEFE;

GPoint LineStart(const CEntity* line) {
  double v[kMaxGeometryValues];
  line->GetGeometry(v);
  return {v[0], v[1]};
}

GPoint LineEnd(const CEntity* line) {
  double v[kMaxGeometryValues];
  line->GetGeometry(v);
  return {v[2], v[3]};
}
}  // namespace

CContourCenterPlaceCmd::CContourCenterPlaceCmd(int id) : CCmdBase(id, nullptr) {
  prompts_ = {CString("选择中心线 "), CString("选择轮廓线"), CString("确定位置点")};
  pickMode_ = 1;
  pointInput_ = 0;
}

void CContourCenterPlaceCmd::TakeLines(CDraftView* view) {
  const PointRec at = points_.back();
  CEntityList picked;
  view->PickEntitiesAtPoint(at.x, at.y, picked, 0, 1, 0, 0, kLineMask, 0);
  bool first = true;
  for (CEntity* e : picked) {
    if (!e->IsLine()) continue;
    if (!centre_ && first) {
      centre_ = e;
    } else if (centre_ && !contour_ && e != centre_ && centre_->IsParallelTo(*e)) {
      contour_ = e;
      view->SelectEntity(contour_, 1, 1, 1, nullptr);
      pickMode_ = 0;
    }
    first = false;
  }
}

void CContourCenterPlaceCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!centre_ || !contour_) {
    TakeLines(view);
    if (!centre_) {
      points_.clear();
    } else if (!contour_) {
      points_.resize(1);
      view->SelectEntity(centre_, 1, 1, 1, nullptr);
    }
    return;
  }
  if (points_.size() >= 3) {
    BuildMark(view, 0);
    if (points_.size() > 2) points_.resize(2);  // the next click places another mark
  }
}

int CContourCenterPlaceCmd::DrawPreview(CDraftView* view) {
  if (view && centre_ && contour_ && step_ >= 2) {
    pointInput_ = 1;
    BuildMark(view, 1);
  }
  return CCmdBase::DrawPreview(view);
}

int CContourCenterPlaceCmd::End(CDraftView* view) { return CCmdBase::End(view); }

int CContourCenterPlaceCmd::OnRButton(CDraftView* view) {
  centre_ = contour_ = nullptr;
  points_.clear();
  step_ = 0;
  if (view) view->ClearSelection(nullptr);
  pickMode_ = 1;
  return CCmdBase::OnRButton(view);
}

void CContourCenterPlaceCmd::BuildMark(CDraftView* view, int preview) {
  if (!view || !centre_ || !contour_) return;
  if (!view->GetEntityLayerInfo(centre_) || !view->GetEntityLayerInfo(contour_)) return;
  const bool onCentre = tabCount_ % 2 == 0;
  const CEntity* reference = onCentre ? centre_ : contour_;
  const CEntity* other = onCentre ? contour_ : centre_;
  const GPoint a = LineStart(reference), b = LineEnd(reference);
  const GPoint p = GetPerpendicularFoot(a, b, {cursor_.x, cursor_.y});
  cursor_.x = p.x;
  cursor_.y = p.y;
  radius_ = std::fabs(GetPointLineDistance(p, LineStart(other), LineEnd(other)));
  if (radius_ <= 1e-6) {
    OnRButton(view);
    return;
  }
  angle_ = NormalizeAngle(GetLineAngle(a.x, a.y, b.x, b.y));
  double e = angle_ - 120.0, f = angle_ - 60.0;
  MakeAngleRangeAscending(e, f);
  const double r = radius_;
  const double ce = std::cos(DegreeToRadian(e)), se = std::sin(DegreeToRadian(e));
  const double cf = std::cos(DegreeToRadian(f)), sf = std::sin(DegreeToRadian(f));
  struct Arc {
    double cx, cy, start, end;
  };
  const Arc arcs[3] = {{p.x - r * ce, p.y - r * se, e, f},
                       {p.x + r * ce, p.y + r * se, e + 180.0, f + 180.0},
                       {p.x - r * cf, p.y - r * sf, e, f}};
  if (preview) {
    for (const Arc& arc : arcs) view->DrawArcPreview(arc.cx, arc.cy, r, arc.start, arc.end);
    return;
  }
  std::unique_ptr<CEntity> block(ConstructBlockEntity(view->GetCurrentLayer(), view->GetCurrentGroup()));
  const int layer = view->GetCurrentLayer();
  for (const Arc& arc : arcs)
    AddArcEntity(view, block.get(), &layer, view->GetCurrentGroup(), arc.cx, arc.cy, r, arc.start, arc.end);
  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(block.get()));
  view->AddEntityToView(block.release());
  view->PushUndoRecord(record.release());
  ++marks_;
}
