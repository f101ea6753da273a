#include "draft/construct/EditSplineCmd.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "draft/construct/CurvePieces.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/SmoothCurve.h"
#include "draft/host/UndoRecord.h"

namespace {
// The pick mask: every kind but points and the two kinds of bits 0x100 and
// 0x8000; with 0x400000 the curves' segments are offered.
constexpr DWORD kCurvePickMask = static_cast<DWORD>(-33026);
// A fit point is picked within this many pixels (|dx| + |dy|) of the click.
constexpr int kFitPointAperture = 30;
}  // namespace

CEditSplineCmd::CEditSplineCmd(int id) : CCmdBase(id, nullptr) {
  prompts_ = {CString("选择要修改的曲线"), CString("选择要修改的型值点"), CString("输入新的位置")};
}

CEditSplineCmd::~CEditSplineCmd() { FreeArrays(); }

void CEditSplineCmd::FreeArrays() {
  construct::FreeCurveArrays(fit_, data_, buffer_);
}

int CEditSplineCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  count_ = 0;
  if (!construct::AllocateCurveArrays(kMaxFitPoints, subdivisions_, fit_, data_, buffer_)) return 0;
  curve_ = nullptr;
  index_ = -1;
  if (view) view->ClearSelection();
  pickMode_ = 1;
  return 1;
}

void CEditSplineCmd::AddFitPoint(CDraftView*, double, double, int&) {}

bool CEditSplineCmd::PickCurve(CDraftView* view, const PointRec& at) {
  CEntityList picked;
  view->PickEntitiesAtPoint(at.x, at.y, picked, 0, 1, 0, 0, kCurvePickMask, -1);
  for (CEntity* e : picked) {
    CEntity* owner = e->GetEntityOwner();
    CEntity* candidate = e->IsLine() && owner && owner->IsBlock() ? owner : e;
    if (!candidate->IsCompoundCurve() || candidate->IsEquationCurve()) continue;
    auto* curve = dynamic_cast<CCurveEntity*>(candidate);
    if (!curve) continue;
    const std::vector<GPoint> points = curve->GetShownFitPoints();
    const int n = static_cast<int>(points.size());
    // A curve of more fit points than the arrays hold is not taken, nor one
    // of too few to make a curve of (its rebuilt curve would be empty).
    if (n > kMaxFitPoints || n < (curve->IsClosed() ? 3 : 2)) continue;
    curve_ = curve;
    closed_ = curve->IsClosed() ? 1 : 0;
    count_ = n;
    for (int i = 0; i < n; ++i) fit_[i].Set(points[i].x, points[i].y);
    view->SelectEntity(curve_, 1, 1, 1, nullptr);
    return true;
  }
  return false;
}

int CEditSplineCmd::FindFitPoint(CDraftView* view, const PointRec& at) const {
  const CPoint cursor = view->DrawingToClient(at.x, at.y);
  int best = -1;
  int bestDistance = 500;
  for (int i = 0; i < count_; ++i) {
    const CPoint p = view->DrawingToClient(fit_[i].X(), fit_[i].Y());
    const int d = std::abs(p.x - cursor.x) + std::abs(p.y - cursor.y);
    if (d < kFitPointAperture && d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

void CEditSplineCmd::Execute(CDraftView* view) {
  if (!view || points_.empty() || !fit_) return;
  const PointRec at = points_.back();
  if (!curve_) {
    if (!PickCurve(view, at)) points_.clear();
    return;
  }
  if (index_ < 0) {
    index_ = FindFitPoint(view, at);
    if (index_ < 0) {
      points_.pop_back();  // no fit point there: pick again
      return;
    }
    formerX_ = fit_[index_].X();
    formerY_ = fit_[index_].Y();
    pickMode_ = 0;
    return;
  }
  ReplaceCurve(view, at);
}

void CEditSplineCmd::ReplaceCurve(CDraftView* view, const PointRec& at) {
  CCurveEntity* old = curve_;
  std::unique_ptr<CCurveEntity> made(ConstructCurveEntity(old->GetEntityLayer(), old->GetEntityGroup(), closed_));
  made->SetEntityOwner(old->GetEntityOwner());
  fit_[index_].Set(at.x, at.y);
  const int pieces = construct::PrepareCurve(fit_, count_, closed_, data_);
  construct::AddCurvePieces(made.get(), data_, pieces, subdivisions_, buffer_);
  for (int i = 0; i < count_; ++i) made->AddFitPoint(fit_[i].X(), fit_[i].Y());
  for (int i = 0; i < count_; ++i) {
    if (i == index_)
      view->DrawPointMark(formerX_, formerY_, kFitPointColour);
    else
      view->DrawPointMark(fit_[i].X(), fit_[i].Y(), kFitPointColour);
  }
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntity(old, made.get()));
  view->ClearSelection();
  view->RemoveEntity(old, 1, 0);
  curve_ = made.get();
  view->AddEntityToView(made.release(), nullptr, old);
  view->PushUndoRecord(record.release());
  points_.resize(1);
  index_ = -1;
  pickMode_ = 1;
}

int CEditSplineCmd::DrawPreview(CDraftView* view) {
  if (view && curve_ && fit_ && !points_.empty()) {
    if (index_ < 0) {
      const int i = FindFitPoint(view, cursor_);
      if (i >= 0) view->DrawPointMark(fit_[i].X(), fit_[i].Y());
    } else {
      fit_[index_].Set(cursor_.x, cursor_.y);
      const int pieces = construct::PrepareCurve(fit_, count_, closed_, data_);
      construct::DrawCurvePieces(view, data_, pieces, 0, subdivisions_, buffer_);
    }
  }
  return CCmdBase::DrawPreview(view);
}

int CEditSplineCmd::OnRButton(CDraftView* view) {
  if (index_ < 0) {
    curve_ = nullptr;
    count_ = 0;
    if (view) view->ClearSelection();
    return CCmdBase::OnRButton(view);
  }
  fit_[index_].Set(formerX_, formerY_);
  points_.resize(1);
  step_ = 1;
  index_ = -1;
  pickMode_ = 1;
  return 0;
}
