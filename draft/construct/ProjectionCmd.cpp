#include "draft/construct/ProjectionCmd.h"

#include <cmath>
#include <memory>
#include <utility>

#include "draft/host/CircleEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr double kTolerance = 1e-6;
constexpr DWORD kLinePickMask = 0x402200;
constexpr double kDegree = 0.017453292519943295;
constexpr double kQuarterTurn = 1.5707963267948966;
}  // namespace

CProjectionCmd::CProjectionCmd(int id)
    : CCmdBase(id, nullptr),
      rangeFirstPrompt_("输入投影范围第一角点(TAB：投影点)"),
      pointPrompt_("输入投影点(TAB：投影范围第一角点)"),
      rangeSecondPrompt_("输入投影范围第二角点") {
  prompts_ = {CString("选择中心线"), rangeFirstPrompt_, CString("输入投影圆位置(TAB：中心线开关,SHIFT：水平垂直方向)")};
  pickMode_ = 1;
}

CProjectionCmd::~CProjectionCmd() = default;

// ---- Axis geometry.

void CProjectionCmd::AxisPoints(GPoint& a, GPoint& b) const {
  double v[kMaxGeometryValues];
  axis_->GetGeometry(v);
  a = {v[0], v[1]};
  b = {v[2], v[3]};
}

double CProjectionCmd::AxialCoordinate(const GPoint& p) const {
  GPoint a, b;
  AxisPoints(a, b);
  const bool steep = std::fabs(a.y - b.y) >= std::fabs(a.x - b.x);
  return steep ? p.y : p.x;
}

bool CProjectionCmd::IsParallelToAxis(const GPoint& p, const GPoint& q) const {
  GPoint a, b;
  AxisPoints(a, b);
  const double cross = (b.x - a.x) * (q.y - p.y) - (b.y - a.y) * (q.x - p.x);
  return std::fabs(cross) <= kTolerance;
}

bool CProjectionCmd::IsCentreLine(CDraftView* view, const CEntity* e) const {
  if (!e->IsLine()) return false;
  const CLayerRecord* layer = view->GetEntityLayerInfo(e);
  return layer && layer->GetLineKind() == kLineStyleCenter;
}

int CProjectionCmd::FindDistance(const double* table, int from, int to, double d) {
  for (int i = from; i < to; ++i)
    if (std::fabs(table[i] - d) <= kTolerance) return i;
  return -1;
}

// ---- Collecting.

bool CProjectionCmd::TakeOutlinePoint(const GPoint& p, bool disablesHoleAxis) {
  GPoint a, b;
  AxisPoints(a, b);
  const GPoint foot = GetPerpendicularFoot(a, b, p);
  const double d = GetPointDistance(foot.x, foot.y, p.x, p.y);
  const double along = AxialCoordinate(foot);
  // A point on the axis has no circle.
  if (d <= kTolerance) return true;
  if (disablesHoleAxis) {
    const int hole = FindDistance(centreDistances_, 0, centreCount_, d);
    if (hole >= 0) centreDistances_[hole] = 0.0;
  }
  const int i = FindDistance(distances_, 0, distanceCount_, d);
  if (i >= 0) {
    if (along < first_[i]) first_[i] = along;
    if (along > last_[i]) last_[i] = along;
    return true;
  }
  // A single point on a hole axis's distance stays that hole's.
  if (!disablesHoleAxis && FindDistance(centreDistances_, 0, centreCount_, d) >= 0) return true;
  if (distanceCount_ >= kMaxDistances) return false;
  distances_[distanceCount_] = d;
  first_[distanceCount_] = along;
  last_[distanceCount_] = along;
  ++distanceCount_;
  if (d > crossHalf_) crossHalf_ = d;
  return true;
}

void CProjectionCmd::CollectDistances(CDraftView* view, double x1, double y1, double x2, double y2) {
  if (!view) return;
  if (IsSamePoint(x1, y1, x2, y2)) {
    if (axis_) TakeOutlinePoint({x1, y1}, false);
    return;
  }
  CollectWindow(view, x1, y1, x2, y2);
}

void CProjectionCmd::CollectWindow(CDraftView* view, double x1, double y1, double x2, double y2) {
  // The first corner right of the second: a crossing window.
  if (x1 - x2 <= kTolerance) std::swap(x1, x2);
  CEntityList found;
  view->PickEntitiesInWindow(x1, y1, x2, y2, found, 0, 1, 0, 0, kLinePickMask, 0);
  if (!axis_) {
    for (CEntity* e : found)
      if (IsCentreLine(view, e)) {
        axis_ = e;
        break;
      }
    if (!axis_) return;
  }
  for (CEntity* e : found) {
    if (!e->IsLine() || e == axis_) continue;
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    const GPoint p{v[0], v[1]}, q{v[2], v[3]};
    double ix, iy, ox, oy;
    const bool crosses = IsParallelToAxis(p, q) &&
                         SegmentCrossesRect(p.x, p.y, q.x, q.y, x1, y1, x2, y2, ix, iy, ox, oy, 0, 0, 0, 0, 1) != 0;
    if (IsCentreLine(view, e)) {
      if (centreCount_ >= kMaxCentreDistances || !crosses) continue;
      GPoint a, b;
      AxisPoints(a, b);
      const GPoint foot = GetPerpendicularFoot(a, b, p);
      const double d = GetPointDistance(foot.x, foot.y, p.x, p.y);
      if (d > kTolerance && FindDistance(distances_, 0, distanceCount_, d) < 0 &&
          FindDistance(centreDistances_, 0, centreCount_, d) < 0) {
        centreDistances_[centreCount_++] = d;
        if (d > crossHalf_) crossHalf_ = d;
      }
      continue;
    }
    const bool firstIn = IsPointInRect(p.x, p.y, x1, y1, x2, y2);
    const bool secondIn = IsPointInRect(q.x, q.y, x1, y1, x2, y2);
    bool room = true;
    if (firstIn) room = TakeOutlinePoint(p, true);
    if (secondIn && room) room = TakeOutlinePoint(q, true);
    if (!firstIn && !secondIn && crosses) room = TakeOutlinePoint(q, true);
    // The table is full: nothing more is appended (equal distances would
    // only widen entries, and the window's walk ends here anyway).
    if (!room || distanceCount_ > kWindowStopCount) break;
  }
}

// ---- Keys.

void CProjectionCmd::OnShiftKey(CDraftView*) { onAxis_ = onAxis_ ? 0 : 1; }

void CProjectionCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  if (step_ != 1 || !axis_ || window_) return;
  if (tabCount_ % 2 == 0) {
    prompts_[1] = rangeFirstPrompt_;
    pickMode_ = 1;
  } else {
    prompts_[1] = pointPrompt_;
    pickMode_ = 0;
  }
}

// ---- Steps.

void CProjectionCmd::Execute(CDraftView* view) {
  if (!view) return;
  const PointRec click = points_.back();
  if (step_ == 1) {
    CEntityList found;
    view->PickEntitiesAtPoint(click.x, click.y, found, 0, 1, 0, 0, kLinePickMask, 0);
    for (CEntity* e : found)
      if (IsCentreLine(view, e)) {
        axis_ = e;
        break;
      }
    if (!axis_) window_ = 1;
    return;
  }
  if (step_ == 2 && collecting_) {
    if (window_) {
      const bool axisKnown = axis_ != nullptr;
      CollectDistances(view, points_[0].x, points_[0].y, click.x, click.y);
      if (axisKnown) {
        points_.assign(1, click);
        prompts_[1] = rangeFirstPrompt_;
        window_ = 0;
        tabCount_ = 0;
      } else if (axis_ && distanceCount_ > 0) {
        window_ = 0;
        pickMode_ = 0;
        collecting_ = 0;
        crossHalf_ += 5.0 * axis_->GetEntityScale();
        tabCount_ = 0;
      } else {
        Reset();
      }
      return;
    }
    if (tabCount_ % 2 == 1) {
      CollectDistances(view, click.x, click.y, click.x, click.y);
      points_.pop_back();
    } else {
      window_ = 1;
      points_.assign(1, click);
      prompts_[1] = rangeSecondPrompt_;
    }
    return;
  }
  if (step_ >= 3) {
    if (axis_ && distanceCount_ > 0) PlaceCircles(view);
    Reset();
  }
}

GPoint CProjectionCmd::Centre(const GPoint& c) const {
  if (!onAxis_ || !axis_) return c;
  GPoint a, b;
  AxisPoints(a, b);
  return GetPerpendicularFoot(a, b, c);
}

void CProjectionCmd::CrossLines(const GPoint& m, int mode, GPoint lines[2][2], bool drawn[2]) const {
  GPoint a, b;
  AxisPoints(a, b);
  const double alpha = GetLineAngle(a.x, a.y, b.x, b.y) * kDegree;
  const double h = crossHalf_;
  const GPoint p1{m.x + h * std::cos(alpha), m.y + h * std::sin(alpha)};
  const GPoint p2{m.x + h * std::cos(alpha + kQuarterTurn), m.y + h * std::sin(alpha + kQuarterTurn)};
  lines[0][0] = p1;
  lines[0][1] = {2 * m.x - p1.x, 2 * m.y - p1.y};
  lines[1][0] = p2;
  lines[1][1] = {2 * m.x - p2.x, 2 * m.y - p2.y};
  drawn[0] = mode != 1 && mode != 2;
  drawn[1] = mode != 1 && mode != 3;
}

void CProjectionCmd::PlaceCircles(CDraftView* view) {
  GPoint a, b;
  AxisPoints(a, b);
  const PointRec& cursor = points_.back();
  const GPoint m = Centre({cursor.x, cursor.y});
  const int layer = axis_->GetEntityLayer();
  CDrawingGroup* group = axis_->GetEntityGroup();
  CEntityList made;
  GPoint lines[2][2];
  bool drawn[2];
  CrossLines(m, tabCount_ % 4, lines, drawn);
  for (int k = 0; k < 2; ++k)
    if (drawn[k])
      made.AddTail(ConstructLineEntity(layer, group, lines[k][0].x, lines[k][0].y, lines[k][1].x, lines[k][1].y, 1));
  for (int k = 0; k < centreCount_; ++k)
    if (centreDistances_[k] > kTolerance)
      made.AddTail(ConstructCircleEntity(layer, group, m.x, m.y, centreDistances_[k], 1));

  const int hiddenLayer = GetLineKindLayer(5);
  double lo = first_[0], hi = last_[0];
  for (int k = 1; k < distanceCount_; ++k) {
    if (first_[k] < lo) lo = first_[k];
    if (last_[k] > hi) hi = last_[k];
  }
  const double along = AxialCoordinate(GetPerpendicularFoot(a, b, {cursor.x, cursor.y}));
  const bool farSide = along >= (lo + hi) / 2;
  // Nearest to the viewer first: seen from the lo end the entries by
  // ascending first coordinate, from the hi end by descending last one.
  for (int i = 0; i < distanceCount_; ++i)
    for (int j = i + 1; j < distanceCount_; ++j) {
      const bool exchange = farSide ? first_[i] > first_[j] : last_[i] < last_[j];
      if (!exchange) continue;
      std::swap(distances_[i], distances_[j]);
      std::swap(first_[i], first_[j]);
      std::swap(last_[i], last_[j]);
    }
  const double reference = farSide ? first_[0] : last_[0];
  double largest = distances_[0];
  for (int k = 0; k < distanceCount_; ++k) {
    const bool behind = farSide ? first_[k] > reference + kTolerance : last_[k] < reference - kTolerance;
    const bool hidden = k > 0 && distances_[k] < largest + kTolerance && behind;
    made.AddTail(ConstructCircleEntity(hidden ? hiddenLayer : view->GetCurrentLayer(), group, m.x, m.y,
                                       distances_[k], 1));
    if (distances_[k] > largest) largest = distances_[k];
  }

  std::unique_ptr<CUndoRecord> record(ConstructUndoAddEntities());
  for (CEntity* e : made) record->AddNew(e);
  view->PushUndoRecord(record.release());
  view->AddEntities(made);
}

void CProjectionCmd::Reset() {
  axis_ = nullptr;
  distanceCount_ = 0;
  centreCount_ = 0;
  points_.clear();
  step_ = 0;
  pickMode_ = 1;
  prompts_[1] = rangeFirstPrompt_;
  crossHalf_ = 0.0;
  window_ = 0;
  collecting_ = 1;
  tabCount_ = 0;
  onAxis_ = 0;
}

// ---- Preview.

int CProjectionCmd::DrawPreview(CDraftView* view) {
  if (!view) return 0;
  if (step_ == 1 && window_ && !points_.empty()) {
    const PointRec& c = points_[0];
    view->DrawLinePreview(c.x, c.y, cursor_.x, c.y, 0);
    view->DrawLinePreview(cursor_.x, c.y, cursor_.x, cursor_.y, 0);
    view->DrawLinePreview(cursor_.x, cursor_.y, c.x, cursor_.y, 0);
    view->DrawLinePreview(c.x, cursor_.y, c.x, c.y, 0);
    readout1_.Empty();
    readout2_.Empty();
  } else if (step_ > 0 && axis_) {
    const GPoint m = Centre({cursor_.x, cursor_.y});
    for (int k = 0; k < distanceCount_; ++k) view->DrawCirclePreview(m.x, m.y, distances_[k]);
    for (int k = 0; k < centreCount_; ++k) view->DrawCirclePreview(m.x, m.y, centreDistances_[k]);
    if (distanceCount_ > 0) {
      GPoint lines[2][2];
      bool drawn[2];
      CrossLines(m, step_ == 1 ? 0 : tabCount_ % 4, lines, drawn);
      for (int k = 0; k < 2; ++k)
        if (drawn[k]) view->DrawLinePreview(lines[k][0].x, lines[k][0].y, lines[k][1].x, lines[k][1].y, 0);
    }
  }
  return CCmdBase::DrawPreview(view);
}

int CProjectionCmd::End(CDraftView* view) { return CCmdBase::End(view); }

int CProjectionCmd::OnRButton(CDraftView* view) {
  if (collecting_ && window_) {
    window_ = 0;
    prompts_[1] = rangeFirstPrompt_;
    return 0;
  }
  if (collecting_ && distanceCount_ > 0) {
    if (step_ == 1 && !points_.empty()) {
      points_.push_back(points_[0]);
      step_ = 2;
    }
    pickMode_ = 0;
    collecting_ = 0;
    tabCount_ = 0;
    crossHalf_ += 5.0;
    return 0;
  }
  const int step = step_;
  const std::vector<PointRec> points = points_;
  Reset();
  step_ = step;
  points_ = points;
  return CCmdBase::OnRButton(view);
}
