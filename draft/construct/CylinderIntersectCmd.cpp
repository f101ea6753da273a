#include "draft/construct/CylinderIntersectCmd.h"

#include <cmath>
#include <memory>
#include <utility>

#include "draft/host/BlockEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/CurveGeometry.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineServices.h"
#include "draft/host/UndoRecord.h"

namespace {
constexpr double kTolerance = 1e-6;
constexpr DWORD kLinePickMask = 0x402200;

struct Segment {
  GPoint a, b;
};

Segment Offset(const Segment& s, double e) {
  Segment out = s;
  OffsetLine(s.a, s.b, e, out.a, out.b);
  return out;
}

bool Cross(const Segment& s, const Segment& t, GPoint& out) {
  return IntersectLinesEx(0, s.a, s.b, t.a, t.b, out) != FALSE;
}

GPoint Foot(const Segment& s, const GPoint& p) { return GetPerpendicularFoot(s.a, s.b, p); }

double Distance(const GPoint& p, const GPoint& q) { return GetPointDistance(p.x, p.y, q.x, q.y); }

// The two points of the line on the circle (a touching line gives its
// touching point twice; a line that misses, the foot of the centre twice).
int Meet(const Segment& s, const GPoint& c, double r, GPoint out[2]) { return IntersectLineCircleEx(s.a, s.b, c, r, out); }

double Chord(const Segment& s, const GPoint& c, double r) {
  GPoint p[2];
  Meet(s, c, r, p);
  return Distance(p[0], p[1]);
}

// Of the two points, the second only when strictly nearer to x.
GPoint Nearer(const GPoint& x, const GPoint p[2]) { return Distance(p[1], x) < Distance(p[0], x) ? p[1] : p[0]; }

// A compound curve of the points, segment j-1 to j for every j but `skip`.
CBlockEntity* MakeChain(CBlockEntity* entity, const std::vector<GPoint>& points, size_t skip) {
  for (size_t j = 1; j < points.size(); ++j)
    if (j != skip) entity->AddCurveSegment(points[j - 1].x, points[j - 1].y, points[j].x, points[j].y, 1);
  return entity;
}
}  // namespace

CCylinderIntersectCmd::CCylinderIntersectCmd(int id) : CCmdBase(id, nullptr) {
  SetPickMode(1);
  pointCount_ = 1;
  prompts_ = {CString("选择第一个柱或锥的中心线"), CString("选择第一个柱或锥的轮廓线"),
              CString("选择第二个柱或锥的中心线"), CString("选择第二个柱或锥的轮廓线")};
}

CCylinderIntersectCmd::~CCylinderIntersectCmd() = default;

int CCylinderIntersectCmd::Begin(CDraftView* view) {
  CCmdBase::Begin(view);
  if (view) view->ClearSelection(nullptr);
  return 1;
}

int CCylinderIntersectCmd::DrawPreview(CDraftView* view) {
  PickLine(view);
  return 0;
}

void CCylinderIntersectCmd::PickLine(CDraftView* view) {
  if (!view || step_ == lastStep_) return;
  lastStep_ = step_;
  // Only a step that a new point opened: its line is the next one.
  if (step_ < 1 || step_ > 4 || step_ != taken_ + 1 || points_.empty()) return;
  const PointRec& at = points_.back();
  CEntityList found;
  view->PickEntitiesAtPoint(at.x, at.y, found, 0, 1, 0, 1, kLinePickMask, 0);
  CEntity* line = found.IsEmpty() ? nullptr : found.GetHead();
  if (!line || !line->IsLine()) {
    points_.pop_back();
    step_ = static_cast<int>(points_.size());
    lastStep_ = step_;
    return;
  }
  double v[kMaxGeometryValues];
  line->GetGeometry(v);
  xs_[2 * taken_] = v[0];
  ys_[2 * taken_] = v[1];
  xs_[2 * taken_ + 1] = v[2];
  ys_[2 * taken_ + 1] = v[3];
  view->GetSelectionList()->AddTail(line);
  for (CEntityList* list : {view->GetEntityList(), view->GetSecondList()}) {
    const POSITION pos = list->Find(line);
    if (pos) list->RemoveAt(pos);
  }
  view->DrawEntityTemp(line, 1, 0);
  ++taken_;
  if (taken_ < 4) promptOverride_ = prompts_[static_cast<size_t>(taken_)];
}

void CCylinderIntersectCmd::Execute(CDraftView* view) {
  if (!view) return;
  PickLine(view);
  if (taken_ < 4) return;
  BuildIntersection(view);
  view->ClearSelection(nullptr);
  points_.clear();
  step_ = 0;
  taken_ = 0;
  promptOverride_ = prompts_[0];
}

int CCylinderIntersectCmd::OnRButton(CDraftView* view) {
  if (view) view->ClearSelection(nullptr);
  points_.clear();
  step_ = 0;
  return CCmdBase::OnRButton(view);
}

// ---- Construction.

GPoint CCylinderIntersectCmd::ParallelThrough(const GPoint& point, const GPoint& a, const GPoint& b) {
  if (std::fabs(a.x - b.x) < kTolerance) return {point.x, point.y + 100};
  if (std::fabs(a.y - b.y) < kTolerance) return {point.x + 100, point.y};
  return {point.x + 100, point.y + 100 * (b.y - a.y) / (b.x - a.x)};
}

bool CCylinderIntersectCmd::IsPointOnSegment(const GPoint& a, const GPoint& b, const GPoint& point) {
  GPoint foot;
  if (!ProjectPointToLine(1, a, b, point, foot)) return false;
  return IsSamePoint(foot, point) && IsPointInSegmentRange(a, b, point);
}

CCylinderIntersectCmd::Seg CCylinderIntersectCmd::Stored(int line) const {
  return {{xs_[2 * line], ys_[2 * line]}, {xs_[2 * line + 1], ys_[2 * line + 1]}};
}

void CCylinderIntersectCmd::ExchangeBodies() {
  for (int k = 0; k < 4; ++k) {
    std::swap(xs_[k], xs_[k + 4]);
    std::swap(ys_[k], ys_[k + 4]);
  }
}

bool CCylinderIntersectCmd::BuildTwoCylinders(std::vector<GPoint>& points) const {
  Segment c1{Stored(0).a, Stored(0).b}, o1{Stored(1).a, Stored(1).b};
  Segment c2{Stored(2).a, Stored(2).b}, o2{Stored(3).a, Stored(3).b};
  double r1 = std::fabs(GetPointLineDistance(c1.a, o1.a, o1.b));
  double r2 = std::fabs(GetPointLineDistance(c2.a, o2.a, o2.b));
  int n = 4;
  if (std::fabs(r2 - r1) >= kTolerance) {
    n = 18;
    // The thinner body first.
    if (r1 > r2) {
      std::swap(r1, r2);
      std::swap(c1, c2);
      std::swap(o1, o2);
    }
  }
  GPoint p;
  if (!Cross(c1, c2, p)) return false;
  const GPoint f = Foot(o2, p);
  const Segment pf{p, f};
  const double s = r1 / ((n - 2) / 2);
  points.assign(static_cast<size_t>(n), GPoint{});
  const bool reaches = IsPointOnSegment(c1.a, c1.b, f);
  for (int i = 0; i < n / 2; ++i) {
    const double t = r1 - i * s;
    GPoint q[2];
    GPoint& first = points[static_cast<size_t>(i)];
    GPoint& second = points[static_cast<size_t>(n - 1 - i)];
    if (reaches) {
      const double h = Chord(Offset(pf, t), p, r1) / 2;
      Meet(Offset(pf, h), p, r2, q);
      const GPoint qn = Nearer(f, q);
      const Segment l{qn, ParallelThrough(qn, c2.a, c2.b)};
      if (!Cross(l, Offset(pf, t), first) || !Cross(l, Offset(pf, -t), second)) return false;
    } else {
      const Segment a = Offset(pf, t);
      Meet(a, p, r2, q);
      const GPoint qn = Nearer(f, q);
      const Segment l{qn, ParallelThrough(qn, c2.a, c2.b)};
      const double c = Chord(a, f, r1);
      if (!Cross(l, Offset(c1, -c / 2), first) || !Cross(l, Offset(c1, c / 2), second)) return false;
    }
  }
  return true;
}

bool CCylinderIntersectCmd::BuildCylinderAndCone(std::vector<GPoint>& points, int& curve) const {
  const Segment c1{Stored(0).a, Stored(0).b}, o1{Stored(1).a, Stored(1).b};
  const Segment c2{Stored(2).a, Stored(2).b}, o2{Stored(3).a, Stored(3).b};
  GPoint k0, p;
  if (!Cross(o1, o2, k0)) return false;
  const double r = std::fabs(GetPointLineDistance(o1.a, c1.a, c1.b));
  if (!Cross(c1, c2, p)) return false;
  const GPoint f = Foot(o2, p);
  // The axes at right angles, the cylinder's reaching their crossing.
  if (!IsPointOnSegment(c1.a, c1.b, Foot(c2, c1.a))) return false;
  const double d = Distance(p, f);
  if (std::fabs(r - d) < kTolerance) {
    // Both touch one sphere: two straight lines meeting on the cone's axis.
    GPoint k1;
    if (!Cross(c1, o2, k1)) return false;
    points = {k0, Foot(c2, f), {2 * k1.x - k0.x, 2 * k1.y - k0.y}};
    curve = 0;
    return true;
  }
  if (r > d) {
    GPoint g[2];
    Meet(o2, p, r, g);
    const GPoint gn = Nearer(k0, g);
    double s = -Distance(gn, Foot(o1, gn)) / 8;
    GPoint trial[2];
    if (Meet(Offset(o1, s), p, r, trial) == 0) s = -s;
    points.assign(18, GPoint{});
    for (int k = 0; k <= 8; ++k) {
      const Segment t = Offset(o1, k * s);
      GPoint a;
      if (!Cross(t, o2, a)) return false;
      const double rho = Distance(a, Foot(c2, a));
      const double z = Chord(t, p, r) / 2;
      GPoint dd[2];
      Meet(Offset(c1, z), p, rho, dd);
      if (!Cross(t, {dd[0], ParallelThrough(dd[0], c2.a, c2.b)}, points[static_cast<size_t>(k)]) ||
          !Cross(t, {dd[1], ParallelThrough(dd[1], c2.a, c2.b)}, points[static_cast<size_t>(17 - k)]))
        return false;
    }
    curve = 1;
    return true;
  }
  const double s = r * 2 / 17;
  points.assign(18, GPoint{});
  for (int k = 0; k <= 17; ++k) {
    const Segment t = Offset(c1, r - k * s);
    GPoint a, b;
    if (!Cross(t, o2, a) || !Cross(t, c2, b)) return false;
    const double rho = Distance(a, b);
    const double z = Chord(t, c1.a, r) / 2;
    GPoint dd[2];
    Meet(Offset(t, z), b, rho, dd);
    const GPoint dn = Nearer(k0, dd);
    if (!Cross(t, {dn, ParallelThrough(dn, c2.a, c2.b)}, points[static_cast<size_t>(k)])) return false;
  }
  curve = 0;
  return true;
}

BOOL CCylinderIntersectCmd::BuildIntersection(CDraftView* view) {
  if (!view) return FALSE;
  GPoint apex;
  const bool cone1 = IntersectLinesEx(0, Stored(0).a, Stored(0).b, Stored(1).a, Stored(1).b, apex) != FALSE;
  const bool cone2 = IntersectLinesEx(0, Stored(2).a, Stored(2).b, Stored(3).a, Stored(3).b, apex) != FALSE;
  if (cone1 && cone2) return FALSE;
  std::vector<GPoint> points;
  CEntity* entity = nullptr;
  if (!cone1 && !cone2) {
    if (!BuildTwoCylinders(points)) return FALSE;
    entity = MakeChain(ConstructCurveEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), 0), points,
                       points.size() / 2);
  } else {
    // The cylinder is body 1.
    if (cone1) ExchangeBodies();
    int curve = 0;
    const bool built = BuildCylinderAndCone(points, curve);
    if (cone1) ExchangeBodies();
    if (!built) return FALSE;
    CBlockEntity* made = curve ? ConstructCurveEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), 0)
                               : ConstructBlockEntity(view->GetCurrentLayer(), view->GetCurrentGroup());
    entity = MakeChain(made, points, curve ? 9 : points.size());
  }
  view->AddEntityToView(entity, nullptr, nullptr, 1);
  view->PushUndoRecord(ConstructUndoAddEntity(entity));
  return TRUE;
}
