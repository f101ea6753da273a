#include "draft/construct/SplineCmd.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "draft/construct/ConstructHelpers.h"
#include "draft/construct/CurvePieces.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SmoothCurve.h"
#include "draft/host/UndoRecord.h"

namespace {
// Subdivisions of a piece in the previews and the frozen pieces.
constexpr int kPreviewSubdivisions = 4;
// An open curve's pieces this many fit points behind the last are frozen.
constexpr int kFreezeDistance = 6;

int ReadSubdivisions() { return GetSysVarInt("SYSVAR_NORMAL", "SET_CURVEINS", 8); }
}  // namespace

CSplineCmd::CSplineCmd(int id, int closed, int wave) : CCmdBase(id, nullptr), closed_(closed), wave_(wave) {
  subdivisions_ = std::max(ReadSubdivisions(), kPreviewSubdivisions);
  subdivisions_ = std::min(subdivisions_, construct::kMaxCurveSubdivisions);
  prompts_.assign(6, CString("输入曲线型值点"));
}

CSplineCmd::~CSplineCmd() {
  ReleaseFrozenLines(tempView_);
  FreeArrays();
}

void CSplineCmd::FreeArrays() {
  construct::FreeCurveArrays(fit_, data_, buffer_);
}

int CSplineCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  count_ = 0;
  if (!construct::AllocateCurveArrays(kMaxFitPoints, subdivisions_, fit_, data_, buffer_)) return 0;
  tempView_ = view;
  return 1;
}

void CSplineCmd::AddFitPoint(CDraftView* view, double x, double y, int& count) {
  if (!fit_ || count < 0) return;
  const bool wavePoints = wave_ && count > 0;
  if (count + (wavePoints ? 4 : 1) > kMaxFitPoints) return;
  if (wavePoints) {
    const GPoint p{fit_[count - 1].X(), fit_[count - 1].Y()};
    const double s = construct::CurrentScale(view);
    const double d = GetPointDistance(p.x, p.y, x, y) / 4;
    const double a = GetLineAngle(p.x, p.y, x, y);
    double below = -s * peak_, above = s * peak_;
    if (tabCount_ % 2 != 0) SwapDoubles(below, above);
    GPoint wave[3] = {{p.x + d, p.y + below}, {p.x + 2 * d, p.y}, {p.x + 3 * d, p.y + above}};
    for (GPoint& q : wave) {
      RotatePoint(q, p, a);
      fit_[count++].Set(q.x, q.y);
    }
  }
  fit_[count++].Set(x, y);
}

void CSplineCmd::Execute(CDraftView* view) {
  if (!view || points_.empty() || !fit_) return;
  const PointRec click = points_.back();
  if (points_.size() >= 2) {
    const PointRec& previous = points_[points_.size() - 2];
    if (IsSamePoint(previous.x, previous.y, click.x, click.y)) {
      points_.pop_back();  // a click on the previous point is ignored
      return;
    }
  }
  AddFitPoint(view, click.x, click.y, count_);
  if (count_ + 1 >= kMaxFitPoints || (wave_ && count_ >= kMaxFitPoints - 4)) {
    FinishCurve(view);
    points_.clear();
    step_ = 0;
    return;
  }
  FreezePieces(view);
}

void CSplineCmd::FreezePieces(CDraftView* view) {
  if (closed_) return;
  while (count_ - frozen_ >= kFreezeDistance) {
    const int pieces = construct::PrepareCurve(fit_, count_, 0, data_);
    const std::vector<GPoint> pts = construct::PiecePoints(data_, pieces, frozen_, kPreviewSubdivisions, buffer_);
    ++frozen_;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
      std::unique_ptr<CEntity> line(construct::NewLine(view, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y));
      frozenLines_.reserve(frozenLines_.size() + 1);
      view->GetTempEntityList().AddTail(line.get());
      frozenLines_.push_back(line.release());
      view->DrawEntityTemp(frozenLines_.back(), 1, 0);
    }
  }
}

void CSplineCmd::ReleaseFrozenLines(CDraftView* view) {
  for (CEntity* line : frozenLines_) {
    if (view) {
      view->DrawEntityTemp(line, 1, 1);
      view->GetTempEntityList().Remove(line);
    }
    delete line;
  }
  frozenLines_.clear();
}

int CSplineCmd::DrawPreview(CDraftView* view) {
  if (view && fit_ && count_ > 0) {
    int m = count_;
    AddFitPoint(view, cursor_.x, cursor_.y, m);
    if (m <= 3) {
      for (int i = 0; i + 1 < m; ++i) view->DrawLinePreview(fit_[i].X(), fit_[i].Y(), fit_[i + 1].X(), fit_[i + 1].Y());
    } else {
      const int pieces = construct::PrepareCurve(fit_, m, closed_, data_);
      const int first = !closed_ && m > kFreezeDistance ? frozen_ : 0;
      construct::DrawCurvePieces(view, data_, pieces, first, kPreviewSubdivisions, buffer_);
    }
  }
  return CCmdBase::DrawPreview(view);
}

void CSplineCmd::FinishCurve(CDraftView* view) {
  ReleaseFrozenLines(view);
  if (view && count_ > 3) {
    std::unique_ptr<CCurveEntity> curve(
        ConstructCurveEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), closed_));
    // The count is read again; a piece has at least one segment.
    int subdivisions = std::clamp(ReadSubdivisions(), 1, construct::kMaxCurveSubdivisions);
    if (subdivisions > subdivisions_) {
      if (CCurvePoint* grown = AllocateCurvePoints(subdivisions + 1)) {
        FreeCurvePoints(buffer_);
        buffer_ = grown;
        subdivisions_ = subdivisions;
      } else {
        subdivisions = subdivisions_;  // no memory for more: the count the buffer holds
      }
    }
    const int pieces = construct::PrepareCurve(fit_, count_, closed_, data_);
    construct::AddCurvePieces(curve.get(), data_, pieces, subdivisions, buffer_);
    for (int i = 0; i < count_; ++i) curve->AddFitPoint(fit_[i].X(), fit_[i].Y());
    std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntity(curve.get()));
    view->AddEntityToView(curve.release());
    view->PushUndoRecord(record.release());
  }
  frozen_ = 0;
  count_ = 0;
}

int CSplineCmd::OnRButton(CDraftView* view) {
  FinishCurve(view);
  if (points_.empty()) return 1;
  points_.clear();
  step_ = 0;
  return 0;
}

int CSplineCmd::End(CDraftView* view) {
  ReleaseFrozenLines(view);
  count_ = 0;
  frozen_ = 0;
  points_.clear();
  step_ = 0;
  return 0;
}
