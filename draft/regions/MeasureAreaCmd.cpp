#include "draft/regions/MeasureAreaCmd.h"

#include <algorithm>
#include <cmath>

#include "draft/host/ArcEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/Geometry2D.h"
#include "draft/host/LineEntity.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/Settings.h"
#include "draft/regions/MeasureResults.h"
#include "platform/gdi/Gdi32.h"

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = 0.017453292519943295;
const char* const kPromptAdd = "选取面积区域内一点(+)(TAB键切换+ -)";
const char* const kPromptSubtract = "选取面积区域内一点(-)(TAB键切换+ -)";

bool Same(double x1, double y1, double x2, double y2) { return IsSamePoint(x1, y1, x2, y2); }
}  // namespace

CMeasureAreaCmd::CMeasureAreaCmd(int id, CDraftView* view) : CCmdBase(id, view) {
  promptOverride_ = kPromptAdd;
  SetPointInput(0);
}

CMeasureAreaCmd::~CMeasureAreaCmd() {
  // End or a report has deleted the boundaries; whatever a command left
  // (one destroyed without ending) is still its own.
  for (CEntityList& list : regions_)
    while (!list.IsEmpty()) delete list.RemoveHead();
  while (!arcPieces_.IsEmpty()) delete arcPieces_.RemoveHead();
}

void CMeasureAreaCmd::OnTabKey(CDraftView* view) {
  CCmdBase::OnTabKey(view);
  signFlag_ = signFlag_ ? 0 : 1;
  promptOverride_ = signFlag_ ? kPromptAdd : kPromptSubtract;
}

// ---- Measuring.

void CMeasureAreaCmd::Execute(CDraftView* view) {
  if (!view || points_.empty()) return;
  if (regionCount_ >= kMaxRegions) {  // full: report before taking more
    Report(view);
    return;
  }
  const int hideCentre = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1);
  const int hideThin = GetProfileIntSetting("SYSVAR_MISC", "SET_MISC_HIDE_IGNOTHINLINE", 0);
  const int i = regionCount_;
  current_ = i;
  const double x = points_.back().x, y = points_.back().y;
  CEntityList& list = regions_[i];
  const BOOL found = view->FindClosedBoundary(*view->GetEntityList(), list, seconds_[i], x, y, hideCentre, hideThin,
                                              0, 1);
  if (list.IsEmpty()) return;  // nothing found: the next click tries region i again
  if (!found) {                // a failed search that left entities: they wait for the reset
    CountRegion(view);
    return;
  }
  pointX_[i] = x;
  pointY_[i] = y;
  GdiFlush();
  view->RegisterInsertedEntities(list);
  view->SelectEntities(list, 1, 0, 1, 1);
  areas_[i] = 0.0;
  sameGroup_ = 1;
  const CDrawingGroup* group = list.GetHead()->GetEntityGroup();
  for (const CEntity* e : list)
    if (e->GetEntityGroup() != group) {
      sameGroup_ = 0;
      break;
    }
  areas_[i] = MeasureRegion(i);
  RecordRegion(i, areas_[i]);
  DeletePieces(view);
  sameGroup_ = 1;
  CountRegion(view);
}

double CMeasureAreaCmd::MeasureRegion(int i) {
  CEntityList& list = regions_[i];
  CEntity* first = list.GetHead();
  double v[5] = {};
  if (first->IsCircle()) {
    ReadGeometry(first, sameGroup_, v[0], v[1], v[2], v[3], v[4], 1);
    double area = kPi * v[2] * v[2];
    if (list.GetCount() == 2 && list.GetTail()->IsCircle()) {
      ReadGeometry(list.GetTail(), sameGroup_, v[0], v[1], v[2], v[3], v[4], 1);
      area = std::fabs(area - kPi * v[2] * v[2]);  // a ring
    }
    return area;
  }
  if (!BuildBoundaryPolygon()) return 0.0;
  const double polygon = ArrayPolygonArea(vertexX_, vertexY_);
  return polygon + SumArcSegments(view_);
}

void CMeasureAreaCmd::RecordRegion(int i, double area) {
  CString value(FormatDoubleString(area, 2));
  if (!signFlag_) value = CString("-") + value;
  CString label;
  label.Format("面积%d", i + 1);
  labels_.Add(label);
  values_.Add(value);
  total_ += signFlag_ ? area : -area;
}

void CMeasureAreaCmd::CountRegion(CDraftView* view) {
  ++regionCount_;
  // Every way the count grows is checked, so that no click can reach past
  // the last region list.
  if (regionCount_ >= kMaxRegions) OnRButton(view);
}

void CMeasureAreaCmd::DeletePieces(CDraftView* view) {
  while (!arcPieces_.IsEmpty()) {
    CEntity* piece = arcPieces_.RemoveHead();
    if (view) view->UnregisterEntity(piece);
    delete piece;
  }
}

// ---- The boundary polygon.

double CMeasureAreaCmd::PolygonArea(const double* x, const double* y, int count) {
  if (!x || !y || count < 3) return 0.0;
  double sum = 0.0;
  for (int i = 0; i < count; ++i) {
    const int j = (i + 1) % count;
    sum += x[i] * y[j] - y[i] * x[j];
  }
  return std::fabs(sum) / 2;
}

double CMeasureAreaCmd::ArrayPolygonArea(const std::vector<double>& x, const std::vector<double>& y) {
  const size_t n = std::min(x.size(), y.size());
  return PolygonArea(x.data(), y.data(), static_cast<int>(n));
}

int CMeasureAreaCmd::BuildBoundaryPolygon() {
  CEntityList& list = regions_[current_];
  if (list.IsEmpty()) return 0;
  double x = 0, y = 0, x2 = 0, y2 = 0, mx = 0, my = 0;
  if (!GetChainEnds(x, y, x2, y2, mx, my, nullptr, nullptr, 1)) return 0;
  chainX_ = x;
  chainY_ = y;
  vertexX_.clear();
  vertexY_.clear();
  vertexCount_ = 0;
  auto append = [this](double px, double py) {
    vertexX_.push_back(px);
    vertexY_.push_back(py);
  };
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    CEntity* e = list.GetNext(pos);
    CEntity* next = pos ? list.GetAt(pos) : nullptr;
    if (!e->IsArc()) {
      double x1 = 0, y1 = 0, ex = 0, ey = 0, unused = 0;
      ReadGeometry(e, sameGroup_, x1, y1, ex, ey, unused, 1);
      if (vertexX_.empty() || !Same(x1, y1, chainX_, chainY_)) append(x1, y1);
      append(ex, ey);
      chainX_ = ex;
      chainY_ = ey;
      continue;
    }
    CEntity* pieces[4] = {};
    const int n = SplitArc(e, &pieces[0], &pieces[1], &pieces[2], &pieces[3]);
    for (int k = 0; k < n; ++k) arcPieces_.AddTail(pieces[k]);
    double entryX = chainX_, entryY = chainY_, exitX = 0, exitY = 0;
    bool appendEntry = false;
    if (!ContinueArc(e, exitX, exitY, mx, my)) {
      if (!next) continue;  // an arc that neither continues the chain nor leads on: nothing to chain
      GetChainEnds(entryX, entryY, exitX, exitY, mx, my, e, next, 2);
      appendEntry = true;
    }
    double q1x = 0, q1y = 0, q2x = 0, q2y = 0;
    if (n == 4) {
      double fx = 0, fy = 0, ux = 0, uy = 0;
      GetChainEnds(fx, fy, q1x, q1y, ux, uy, pieces[0], pieces[1], 2);
      GetChainEnds(fx, fy, q2x, q2y, ux, uy, pieces[2], pieces[3], 2);
      double sx = 0, sy = 0, ex = 0, ey = 0;
      GetArcPoints(e, sx, sy, ex, ey);
      // Walked from its end to its start: the quarter points come the other way.
      if (!Same(sx, sy, entryX, entryY)) {
        SwapDoubles(q1x, q2x);
        SwapDoubles(q1y, q2y);
      }
    }
    if (appendEntry) append(entryX, entryY);
    if (n == 4) append(q1x, q1y);
    append(mx, my);
    if (n == 4) append(q2x, q2y);
    append(exitX, exitY);
    chainX_ = exitX;
    chainY_ = exitY;
  }
  vertexCount_ = static_cast<int>(vertexX_.size());
  return 1;
}

int CMeasureAreaCmd::ContinueArc(CEntity* arc, double& x, double& y, double& midX, double& midY) {
  double sx = 0, sy = 0, ex = 0, ey = 0, mx = 0, my = 0;
  GetArcPoints(arc, sx, sy, ex, ey, &mx, &my);
  if (Same(sx, sy, chainX_, chainY_)) {
    x = ex;
    y = ey;
  } else if (Same(ex, ey, chainX_, chainY_)) {
    x = sx;
    y = sy;
  } else {
    return 0;
  }
  midX = mx;
  midY = my;
  return 1;
}

int CMeasureAreaCmd::GetChainEnds(double& x, double& y, double& x2, double& y2, double& midX, double& midY,
                                  CEntity* first, CEntity* second, int mode) {
  if (!first && !second) {
    const CEntityList& list = regions_[current_];
    if (list.IsEmpty()) return 0;
    first = list.GetHead();
    second = list.GetTail();
  }
  if (!first || !second || first == second) return 0;
  auto ends = [this](CEntity* e, double& ax, double& ay, double& bx, double& by, double* mx, double* my) {
    ax = ay = bx = by = 0;
    if (e->IsArc()) {
      GetArcPoints(e, ax, ay, bx, by, mx, my);
    } else if (e->IsLine()) {
      double unused = 0;
      ReadGeometry(e, sameGroup_, ax, ay, bx, by, unused, 1);
    }
  };
  double ax, ay, bx, by, cx, cy, dx, dy;
  ends(first, ax, ay, bx, by, &midX, &midY);
  ends(second, cx, cy, dx, dy, nullptr, nullptr);
  const bool aTouches = Same(ax, ay, cx, cy) || Same(ax, ay, dx, dy);
  const double tx = aTouches ? ax : bx, ty = aTouches ? ay : by;  // the touching end
  const double fx = aTouches ? bx : ax, fy = aTouches ? by : ay;  // the free end
  if (mode == 1) {
    x = tx;
    y = ty;
    x2 = fx;
    y2 = fy;
  } else if (mode == 2) {
    x = fx;
    y = fy;
    x2 = tx;
    y2 = ty;
  }
  return 1;
}

void CMeasureAreaCmd::GetArcPoints(CEntity* arc, double& sx, double& sy, double& ex, double& ey, double* midX,
                                   double* midY) {
  double cx = 0, cy = 0, r = 0, a = 0, b = 0;
  ReadGeometry(arc, sameGroup_, cx, cy, r, a, b, 1);
  MakeAngleRangeAscending(a, b, true);
  sx = cx + r * std::cos(a * kRadiansPerDegree);
  sy = cy + r * std::sin(a * kRadiansPerDegree);
  ex = cx + r * std::cos(b * kRadiansPerDegree);
  ey = cy + r * std::sin(b * kRadiansPerDegree);
  const double m = (a + b) / 2 * kRadiansPerDegree;
  if (midX) *midX = cx + r * std::cos(m);
  if (midY) *midY = cy + r * std::sin(m);
}

// ---- Arc pieces.

int CMeasureAreaCmd::SplitArc(CEntity* arc, CEntity** p1, CEntity** p2, CEntity** p3, CEntity** p4) {
  CEntity** out[4] = {p1, p2, p3, p4};
  for (CEntity** p : out)
    if (p) *p = nullptr;
  if (!arc || !arc->IsArc()) return 0;
  // The pieces are made in drawing coordinates, as entities take them.
  double v[kMaxGeometryValues];
  arc->GetGeometry(v);
  double a = v[3], b = v[4];
  MakeAngleRangeAscending(a, b, true);
  const double s = b - a;
  std::vector<double> cuts;
  if (s < 180.0)
    cuts = {a, (a + b) / 2, b};
  else
    cuts = {a, a + s / 4, (a + b) / 2, a + 3 * s / 4, b};
  const int n = static_cast<int>(cuts.size()) - 1;
  for (int k = 0; k < n; ++k) {
    CEntity* piece = ConstructArcEntity(arc->GetEntityLayer(), arc->GetEntityGroup(), v[0], v[1], v[2], cuts[k],
                                        cuts[k + 1], 0);
    if (out[k])
      *out[k] = piece;
    else
      delete piece;
  }
  return n;
}

double CMeasureAreaCmd::ArcSegmentArea(CEntity* piece) {
  double cx = 0, cy = 0, r = 0, a = 0, b = 0;
  ReadGeometry(piece, sameGroup_, cx, cy, r, a, b, 1);
  MakeAngleRangeAscending(a, b, true);
  const double s = a * kRadiansPerDegree, e = b * kRadiansPerDegree;
  const GPoint S{cx + r * std::cos(s), cy + r * std::sin(s)};
  const GPoint E{cx + r * std::cos(e), cy + r * std::sin(e)};
  const double sector = r * r * (e - s) / 2;
  const double chord = GetPointDistance(S.x, S.y, E.x, E.y);
  const double triangle = std::fabs(GetPointLineDistance({cx, cy}, S, E)) * chord / 2;
  return (e - s) - kPi >= -1e-6 ? sector + triangle : sector - triangle;
}

double CMeasureAreaCmd::SumArcSegments(CDraftView* view) {
  double sum = 0.0;
  while (!arcPieces_.IsEmpty()) {
    CEntity* piece = arcPieces_.RemoveHead();
    if (piece->IsArc()) sum += ArcSegmentArea(piece) * ArcSegmentSign(piece);
    if (view) view->UnregisterEntity(piece);
    delete piece;
  }
  return sum;
}

int CMeasureAreaCmd::ArcSegmentSign(CEntity* piece) {
  double cx = 0, cy = 0, r = 0, a = 0, b = 0;
  ReadGeometry(piece, sameGroup_, cx, cy, r, a, b, 1);
  MakeAngleRangeAscending(a, b, true);
  const double m = (a + b) / 2 * kRadiansPerDegree;
  const double mx = cx + r * std::cos(m), my = cy + r * std::sin(m);
  const size_t n = std::min(vertexX_.size(), vertexY_.size());
  double w = 0.0;
  for (size_t k = 0; k < n; ++k) {
    const size_t j = (k + 1) % n;
    w += SignedSweep(mx, my, vertexX_[k], vertexY_[k], mx, my, vertexX_[j], vertexY_[j]);
  }
  if (std::fabs(std::fabs(w) - 360.0) <= 5.0 || ArcCrossesPolygon(piece) == 1) return -1;
  return 1;
}

double CMeasureAreaCmd::SignedSweep(double px, double py, double ax, double ay, double qx, double qy, double bx,
                                    double by) {
  const double a = NormalizeAngle(GetLineAngle(px, py, ax, ay));
  const double b = NormalizeAngle(GetLineAngle(qx, qy, bx, by));
  double d = std::fabs(b - a);
  if (d - 180.0 >= -1e-6) d -= 360.0;
  return b >= a ? d : -d;
}

int CMeasureAreaCmd::ArcCrossesPolygon(CEntity* piece) {
  double cx = 0, cy = 0, r = 0, a = 0, b = 0;
  ReadGeometry(piece, sameGroup_, cx, cy, r, a, b, 1);
  const size_t n = std::min(vertexX_.size(), vertexY_.size());
  // Every edge, the closing one from the last vertex to the first too: a
  // polygon that starts on an arc closes along the chord of that arc's
  // first piece, which a piece of the boundary can cross as well.
  for (size_t k = 0; n >= 2 && k < n; ++k) {
    const size_t j = (k + 1) % n;
    const double x1 = vertexX_[k], y1 = vertexY_[k], x2 = vertexX_[j], y2 = vertexY_[j];
    if (j == 0 && Same(x1, y1, x2, y2)) continue;  // a polygon closed by its last vertex
    CEntity* edge = ConstructLineEntity(piece->GetEntityLayer(), piece->GetEntityGroup(), x1, y1, x2, y2, 0);
    double xs[kMaxArcIntersections], ys[kMaxArcIntersections];
    const int count = edge->GetIntersections(cx, cy, r, a, b, xs, ys, 1);
    delete edge;
    auto atEnd = [&](int i) { return Same(xs[i], ys[i], x1, y1) || Same(xs[i], ys[i], x2, y2); };
    if (count == 1 && !atEnd(0)) return 1;
    if (count == 2) {
      const bool ends = (Same(xs[0], ys[0], x1, y1) && Same(xs[1], ys[1], x2, y2)) ||
                        (Same(xs[0], ys[0], x2, y2) && Same(xs[1], ys[1], x1, y1));
      if (!ends) return 1;
    }
  }
  return 0;
}

void CMeasureAreaCmd::ReadGeometry(CEntity* entity, int sameGroup, double& v1, double& v2, double& v3, double& v4,
                                   double& v5, int flag) {
  if (!entity) return;
  double v[kMaxGeometryValues] = {};
  if (sameGroup == 1 && flag == 1)
    entity->GetGroupGeometry(v);
  else
    entity->GetGeometry(v);
  v1 = v[0];
  v2 = v[1];
  v3 = v[2];
  v4 = v[3];
  v5 = v[4];
}

// ---- Report, reset and end.

int CMeasureAreaCmd::OnRButton(CDraftView* view) {
  if (points_.empty() && regionCount_ == 0) return 1;
  Report(view);
  return 0;
}

void CMeasureAreaCmd::Report(CDraftView* view) {
  const CString totalText(FormatDoubleString(total_, 2));
  if (labels_.GetSize() == 1) {  // a single region shows only the total
    labels_.RemoveAll();
    values_.RemoveAll();
  }
  labels_.Add(CString("总面积"));
  values_.Add(totalText);
  ShowMeasureResults(view, labels_, values_, "测量面积", 0);
  Reset(view);
}

void CMeasureAreaCmd::DeleteBoundaries(CDraftView* view) {
  for (CEntityList& list : regions_) {
    while (!list.IsEmpty()) {
      CEntity* e = list.RemoveHead();
      if (view) view->DrawEntityTemp(e, 1, 1);
      for (CEntityList& other : regions_) other.Remove(e);
      delete e;  // leaves the view's registered list and selection by itself
    }
  }
  for (CEntityList& list : seconds_) list.RemoveAll();
  while (!arcPieces_.IsEmpty()) delete arcPieces_.RemoveHead();
}

void CMeasureAreaCmd::Reset(CDraftView* view) {
  if (view) view->ClearRegisteredEntities();
  DeleteBoundaries(view);
  std::fill(std::begin(areas_), std::end(areas_), 0.0);
  std::fill(std::begin(pointX_), std::end(pointX_), 0.0);
  std::fill(std::begin(pointY_), std::end(pointY_), 0.0);
  points_.clear();
  step_ = 0;
  regionCount_ = 0;
  current_ = 0;
  total_ = 0.0;
  labels_.RemoveAll();
  values_.RemoveAll();
}

int CMeasureAreaCmd::End(CDraftView* view) {
  DeleteBoundaries(view);
  if (view) view->ClearRegisteredEntities();
  return CCmdBase::End(view);
}
