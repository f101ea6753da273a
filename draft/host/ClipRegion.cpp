#include "draft/host/ClipRegion.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/LineEntity.h"

namespace {
using tressil::kGeomTolerance;

// A span [from, to] of a curve's parameter.
struct ParamSpan {
  double from, to;
};

// The spans of the parameter range [lo, hi] that the cuts leave and that
// `keep` accepts at their middles, neighbours merged. A closed curve (lo to
// lo + 360 degrees) wraps: its first and last spans join. `whole` is set
// when nothing is cut away.
std::vector<ParamSpan> KeptSpans(std::vector<double> cuts, double lo, double hi, bool closed,
                                 const std::function<bool(double)>& keep, bool& whole) {
  std::sort(cuts.begin(), cuts.end());
  std::vector<double> marks;
  for (double t : cuts) {
    if (t <= lo + kGeomTolerance || t >= hi - kGeomTolerance) continue;
    if (!marks.empty() && t - marks.back() <= kGeomTolerance) continue;
    marks.push_back(t);
  }
  std::vector<ParamSpan> spans;
  if (closed && !marks.empty()) {
    // Start at the first cut and go round once.
    for (size_t i = 0; i + 1 < marks.size(); ++i) spans.push_back({marks[i], marks[i + 1]});
    spans.push_back({marks.back(), marks.front() + (hi - lo)});
  } else {
    double from = lo;
    for (double t : marks) {
      spans.push_back({from, t});
      from = t;
    }
    spans.push_back({from, hi});
  }
  std::vector<ParamSpan> kept;
  bool lastKept = false;
  for (const ParamSpan& s : spans) {
    const bool k = keep((s.from + s.to) / 2);
    if (k && lastKept)
      kept.back().to = s.to;
    else if (k)
      kept.push_back(s);
    lastKept = k;
  }
  whole = kept.size() == 1 && kept[0].to - kept[0].from >= (hi - lo) - kGeomTolerance;
  if (closed && kept.size() > 1 && keep((spans.front().from + spans.front().to) / 2) &&
      keep((spans.back().from + spans.back().to) / 2)) {
    // The last span runs on into the first.
    kept.front().from = kept.back().from - (hi - lo);
    kept.pop_back();
  }
  if (closed && kept.size() == 1 && kept[0].to - kept[0].from >= (hi - lo) - kGeomTolerance) whole = true;
  return kept;
}

// Direction of p seen from c, degrees in [0, 360).
double AngleAt(const GPoint& c, const GPoint& p) { return GetLineAngle(c.x, c.y, p.x, p.y); }

ClipOutcome Outcome(bool whole, size_t kept) {
  if (whole) return ClipOutcome::kUnchanged;
  return kept == 0 ? ClipOutcome::kRemoved : ClipOutcome::kCut;
}

ClipOutcome ClipLine(const CEntity& e, const CClipRegion& region, bool keepInside, std::vector<CEntity*>& pieces) {
  double v[kMaxGeometryValues];
  e.GetGeometry(v);
  const GPoint a{v[0], v[1]}, b{v[2], v[3]};
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  if (len2 <= 0) return region.Contains(a) == keepInside ? ClipOutcome::kUnchanged : ClipOutcome::kRemoved;
  std::vector<GPoint> found;
  region.CrossLine(a, b, found);
  std::vector<double> cuts;
  for (const GPoint& p : found) cuts.push_back(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2);
  auto at = [&](double t) { return GPoint{a.x + t * dx, a.y + t * dy}; };
  bool whole = false;
  const auto kept =
      KeptSpans(cuts, 0.0, 1.0, false, [&](double t) { return region.Contains(at(t)) == keepInside; }, whole);
  if (!whole)
    for (const ParamSpan& s : kept) {
      const GPoint p = at(s.from), q = at(s.to);
      pieces.push_back(ConstructLineEntity(e.GetEntityLayer(), e.GetEntityGroup(), p.x, p.y, q.x, q.y, 1));
    }
  return Outcome(whole, kept.size());
}

// Arcs and circles: angles in degrees from the arc's start.
ClipOutcome ClipArc(const CEntity& e, const CClipRegion& region, bool keepInside, std::vector<CEntity*>& pieces) {
  double v[kMaxGeometryValues];
  const int n = e.GetGeometry(v);
  const GPoint c{v[0], v[1]};
  const double r = v[2];
  const bool closed = n == 3;
  const double start = closed ? 0.0 : NormalizeAngle(v[3]);
  double sweep = closed ? 360.0 : NormalizeAngle(v[4]) - start;
  if (sweep <= kGeomTolerance) sweep += 360.0;
  std::vector<GPoint> found;
  region.CrossCircle(c, r, found);
  std::vector<double> cuts;
  for (const GPoint& p : found) {
    double u = NormalizeAngle(AngleAt(c, p)) - start;
    if (u < 0) u += 360.0;
    cuts.push_back(start + u);
  }
  auto at = [&](double t) {
    const double rad = DegreeToRadian(t);
    return GPoint{c.x + r * std::cos(rad), c.y + r * std::sin(rad)};
  };
  bool whole = false;
  const auto kept = KeptSpans(cuts, start, start + sweep, closed,
                              [&](double t) { return region.Contains(at(t)) == keepInside; }, whole);
  if (!whole)
    for (const ParamSpan& s : kept)
      pieces.push_back(ConstructArcEntity(e.GetEntityLayer(), e.GetEntityGroup(), c.x, c.y, r, NormalizeAngle(s.from),
                                          NormalizeAngle(s.to), 1));
  return Outcome(whole, kept.size());
}

ClipOutcome ClipEllipse(const CEntity& e, const CClipRegion& region, bool keepInside,
                        std::vector<CEntity*>& pieces) {
  double v[kMaxGeometryValues];
  e.GetGeometry(v);
  EllipseGeom g = ConstructEllipseGeom(v);
  PrepareEllipseGeom(g);
  const bool closed = g.end - g.start >= 360.0 - kGeomTolerance;
  const double start = closed ? 0.0 : g.start;
  const double sweep = closed ? 360.0 : g.end - g.start;
  CEllipseCalculator calc;
  calc.SetEllipse(g);
  std::vector<GPoint> found;
  region.CrossEllipse(g, found);
  std::vector<double> cuts;
  for (const GPoint& p : found) {
    double u = calc.AngleOfPoint(p) - NormalizeAngle(start);
    if (u < 0) u += 360.0;
    cuts.push_back(start + u);
  }
  bool whole = false;
  const auto kept = KeptSpans(cuts, start, start + sweep, closed,
                              [&](double t) { return region.Contains(calc.PointAt(t)) == keepInside; }, whole);
  if (!whole)
    for (const ParamSpan& s : kept) {
      double from = NormalizeAngle(s.from), to = from + (s.to - s.from);
      pieces.push_back(
          ConstructEllipseEntity(e.GetEntityLayer(), e.GetEntityGroup(), g.cx, g.cy, g.a, g.b, g.rotation, from, to, 1));
    }
  return Outcome(whole, kept.size());
}

ClipOutcome ClipBlock(const CBlockEntity& block, const CClipRegion& region, bool keepInside,
                      std::vector<CEntity*>& pieces) {
  // What each member becomes; the block is rebuilt only when one changes.
  struct MemberResult {
    ClipOutcome outcome;
    std::vector<CEntity*> pieces;
  };
  std::vector<MemberResult> results;
  bool changed = false;
  try {
    for (int i = 0; i < block.GetMemberCount(); ++i) {
      results.push_back({ClipOutcome::kUnchanged, {}});
      results.back().outcome = ClipEntity(*block.GetMember(i), region, keepInside, results.back().pieces);
      changed = changed || results.back().outcome != ClipOutcome::kUnchanged;
    }
  } catch (...) {
    for (MemberResult& r : results)
      for (CEntity* p : r.pieces) delete p;
    throw;
  }
  if (!changed) return ClipOutcome::kUnchanged;
  std::unique_ptr<CBlockEntity> rebuilt(static_cast<CBlockEntity*>(block.Clone()));
  // Back to front, so that the places ahead stay valid.
  for (int i = static_cast<int>(results.size()) - 1; i >= 0; --i) {
    MemberResult& r = results[static_cast<size_t>(i)];
    if (r.outcome == ClipOutcome::kUnchanged) continue;
    CEntity* old = rebuilt->GetMember(i);
    rebuilt->RemoveBlockMember(old);
    delete old;
    for (size_t k = 0; k < r.pieces.size(); ++k) {
      rebuilt->InsertMember(r.pieces[k], i + static_cast<int>(k));
      r.pieces[k] = nullptr;
    }
  }
  if (rebuilt->GetMemberCount() == 0) return ClipOutcome::kRemoved;
  pieces.push_back(rebuilt.release());
  return ClipOutcome::kCut;
}
}  // namespace

bool CCircleClipRegion::Contains(const GPoint& p) const {
  return GetPointDistance(p.x, p.y, c_.x, c_.y) < r_ - kGeomTolerance;
}

void CCircleClipRegion::CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const {
  GPoint pts[2];
  const int n = IntersectLineCircle(a, b, c_, r_, pts);
  out.insert(out.end(), pts, pts + n);
}

void CCircleClipRegion::CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const {
  GPoint pts[2];
  const int n = IntersectCircles(c_, r_, c, r, pts);
  out.insert(out.end(), pts, pts + n);
}

void CCircleClipRegion::CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const {
  GPoint pts[4];
  const int n = IntersectCircleEllipse(c_, r_, g, pts);
  out.insert(out.end(), pts, pts + n);
}

CRectClipRegion::CRectClipRegion(GPoint p0, GPoint p1)
    : xmin_(std::min(p0.x, p1.x)), ymin_(std::min(p0.y, p1.y)), xmax_(std::max(p0.x, p1.x)), ymax_(std::max(p0.y, p1.y)) {
  corners_[0] = {xmin_, ymin_};
  corners_[1] = {xmax_, ymin_};
  corners_[2] = {xmax_, ymax_};
  corners_[3] = {xmin_, ymax_};
}

bool CRectClipRegion::Contains(const GPoint& p) const {
  return p.x > xmin_ + kGeomTolerance && p.x < xmax_ - kGeomTolerance && p.y > ymin_ + kGeomTolerance &&
         p.y < ymax_ - kGeomTolerance;
}

void CRectClipRegion::KeepOnSide(int i, const GPoint* found, int count, std::vector<GPoint>& out) const {
  for (int k = 0; k < count; ++k)
    if (IsPointInSegmentRange(corners_[i], corners_[(i + 1) % 4], found[k])) out.push_back(found[k]);
}

void CRectClipRegion::CrossLine(const GPoint& a, const GPoint& b, std::vector<GPoint>& out) const {
  for (int i = 0; i < 4; ++i) {
    GPoint p;
    if (IntersectLines(a, b, corners_[i], corners_[(i + 1) % 4], p)) KeepOnSide(i, &p, 1, out);
  }
}

void CRectClipRegion::CrossCircle(const GPoint& c, double r, std::vector<GPoint>& out) const {
  for (int i = 0; i < 4; ++i) {
    GPoint pts[2];
    KeepOnSide(i, pts, IntersectLineCircle(corners_[i], corners_[(i + 1) % 4], c, r, pts), out);
  }
}

void CRectClipRegion::CrossEllipse(const EllipseGeom& g, std::vector<GPoint>& out) const {
  for (int i = 0; i < 4; ++i) {
    GPoint pts[2];
    KeepOnSide(i, pts, IntersectLineEllipse(corners_[i], corners_[(i + 1) % 4], g, pts), out);
  }
}

ClipOutcome ClipEntity(const CEntity& entity, const CClipRegion& region, bool keepInside,
                       std::vector<CEntity*>& pieces) {
  // Objects a host keeps a record of elsewhere are not the clip's to change.
  if (entity.IsRegisteredObject()) return ClipOutcome::kUnchanged;
  if (entity.IsBlock() && !entity.IsKeptWhole() && !entity.IsCompoundCurve())
    return ClipBlock(static_cast<const CBlockEntity&>(entity), region, keepInside, pieces);
  switch (entity.GetKind()) {
    case EntityKind::kLine:
      return ClipLine(entity, region, keepInside, pieces);
    case EntityKind::kArc:
    case EntityKind::kCircle:
      return ClipArc(entity, region, keepInside, pieces);
    case EntityKind::kEllipse:
      return ClipEllipse(entity, region, keepInside, pieces);
    default:
      break;
  }
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  if (!entity.GetExtents(xmin, ymin, xmax, ymax)) return ClipOutcome::kUnchanged;
  return region.Contains({(xmin + xmax) / 2, (ymin + ymax) / 2}) == keepInside ? ClipOutcome::kUnchanged
                                                                              : ClipOutcome::kRemoved;
}
