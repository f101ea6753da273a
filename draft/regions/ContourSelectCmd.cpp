#include "draft/regions/ContourSelectCmd.h"

#include <cmath>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"

namespace {
constexpr const char* kPickPrompt = "选取目标(右键结束)";
constexpr const char* kPositionPrompt = "输入位置(TAB：单/双切换,右键结束)";
}  // namespace

CContourSelectCmd::CContourSelectCmd(int id, CDraftView* view, int chainMode) : CContourCmd(id, view, chainMode) {
  pickMode_ = 1;
  promptOverride_ = kPickPrompt;
  contourGroup_ = nullptr;
  keepFewPieces_ = true;
}

int CContourSelectCmd::Begin(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  layer_ = static_cast<BYTE>(view->GetCurrentLayer());
  contourGroup_ = nullptr;
  return 1;
}

int CContourSelectCmd::OnChar(CPoint dp, UINT ch, UINT repeat, UINT flags, CDraftView* view) {
  if (!view) return 0;
  if (ch == '+' || ch == '-' || (ch >= '0' && ch <= '9')) {
    double x = cursor_.x, y = cursor_.y;
    if (OnNumberKey(view, ch, flags, x, y)) Execute(view);
  } else if (ch == 9) {
    CCmdBase::OnTabKey(view);
    double_ = double_ ? 0 : 1;
    promptOverride_ = "输入位置(TAB：单/双切换,右键结束)";
  } else {
    return CContourCmd::OnChar(dp, ch, repeat, flags, view);
  }
  return DrawPreview(view);
}

void CContourSelectCmd::BuildChain(CDraftView* view) {
  pickMode_ = 0;
  found_ = 1;
  view->ClearSelection();
  current_ = 0;
  sameGroup_ = 0;
  BuildChainFromPicks(seconds_[0], regions_[0], seconds_[0].GetHead());
  BuildBoundaryPolygon();
  // A closed chain runs the way its first pick leads; it is offset as the
  // found contours are, walked counter-clockwise, so that lines and arcs
  // move to the same side.
  if (chainMode_ == 0) OrientCounterClockwise();
  for (CEntity* e : regions_[0]) view->DrawEntityTemp(e, 1, 0);
  view->RegisterInsertedEntities(regions_[0]);
  promptOverride_ = kPositionPrompt;
  points_.clear();
  step_ = 0;
}

void CContourSelectCmd::Execute(CDraftView* view) {
  if (!view) return;
  if (!found_) {
    PickTargets(view);
    return;
  }
  if (!typed_ && !points_.empty()) UpdateDistance(view, {points_.back().x, points_.back().y});
  const bool made = CreateContours(view);
  ClearMarks(seconds_[0]);
  if (made) {
    points_.clear();
    step_ = 0;
  }
}

int CContourSelectCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (!found_) {
    DrawPickBox(view);
    return CCmdBase::DrawPreview(view);
  }
  if (!typed_ && !regions_[0].IsEmpty()) DrawContourPreview(view);
  return 0;
}

int CContourSelectCmd::OnRButton(CDraftView* view) {
  while (!arcPieces_.IsEmpty()) delete arcPieces_.RemoveHead();
  if (!found_ && !seconds_[0].IsEmpty()) {
    BuildChain(view);
    return 0;
  }
  const bool hadChain = found_ && !regions_[0].IsEmpty();
  ClearContour(view);
  pointCount_ = 1;
  promptOverride_ = kPickPrompt;
  pickMode_ = 1;
  return hadChain ? 0 : 1;
}

CEntity* CContourSelectCmd::OffsetEntity(CDraftView* view, CEntity* previous, CEntity* entity, CEntity* next,
                                         double h, int preview) {
  return CContourCmd::OffsetEntity(view, previous, entity, next, h, preview);
}

GPoint CContourSelectCmd::LineArcReference(bool previous, int, const GPoint& s0, const GPoint& e0) {
  return previous ? s0 : e0;
}

GPoint CContourSelectCmd::ArcLineReference(bool previous, int, const GPoint& lineStart, const GPoint& lineEnd) {
  return previous ? lineEnd : lineStart;
}

int CContourSelectCmd::BuildShortContour(CDraftView* view, int side, int preview) {
  CEntityList& list = regions_[0];
  if (list.GetCount() != 1) return 0;
  CEntity* f = list.GetHead();
  layer_ = static_cast<BYTE>(view->GetCurrentLayer());
  contourGroup_ = f->GetEntityGroup();
  const double h = side == 1 ? -distance_ : distance_;
  double v[kMaxGeometryValues] = {};
  const int n = f->GetGeometry(v);
  CEntity* made = nullptr;
  if (f->IsCircle() || f->IsArc()) {
    const double r = v[2] - h;
    if (r <= 0) return 1;
    if (preview) {
      if (f->IsCircle())
        view->DrawCirclePreview(v[0], v[1], r);
      else
        view->DrawArcPreview(v[0], v[1], r, v[3], v[4], 0);
    } else {
      made = f->IsCircle() ? static_cast<CEntity*>(ConstructCircleEntity(layer_, contourGroup_, v[0], v[1], r, 1))
                           : ConstructArcEntity(layer_, contourGroup_, v[0], v[1], r, v[3], v[4], 1);
    }
  } else if (f->IsLine() && n >= 4) {
    double x1, y1, x2, y2;
    OffsetSegment(v[0], v[1], v[2], v[3], h, x1, y1, x2, y2);
    made = MakeLine(view, {x1, y1}, {x2, y2}, preview);
  }
  if (made) results_.AddTail(made);
  return 1;
}
