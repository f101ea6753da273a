#include "draft/edit/CarrierMerge.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace carrier {
namespace {
constexpr double kSlack = 1e-6;

// Positions along a line's axis: the unit direction of the line, pointing
// up for a steep line and right for a flat one.
struct Axis {
  GPoint origin;
  double ux = 1.0, uy = 0.0;
  double At(const GPoint& p) const { return (p.x - origin.x) * ux + (p.y - origin.y) * uy; }
};

bool MakeAxis(const GPoint& a1, const GPoint& a2, Axis& axis) {
  const double len = GetPointDistance(a1.x, a1.y, a2.x, a2.y);
  if (len < tressil::kGeomTolerance) return false;
  axis.origin = a1;
  axis.ux = (a2.x - a1.x) / len;
  axis.uy = (a2.y - a1.y) / len;
  const bool steep = std::fabs(a2.y - a1.y) >= std::fabs(a2.x - a1.x);
  if ((steep && axis.uy < 0) || (!steep && axis.ux < 0)) {
    axis.ux = -axis.ux;
    axis.uy = -axis.uy;
  }
  return true;
}

void Order(const Axis& axis, GPoint& low, GPoint& high) {
  if (axis.At(low) > axis.At(high)) std::swap(low, high);
}

void Add(LineMerge& m, const GPoint& from, const GPoint& to, int source) {
  if (IsSamePoint(from, to) || m.count >= 2) return;
  m.pieces[m.count++] = {from, to, source};
}

LineMerge Removal(int removal) {
  LineMerge m;
  m.removal = removal;
  return m;
}

// An interval of angles measured from A's start (unrolled, so it may reach
// beyond 360).
struct Range {
  double from, to;
  double Length() const { return to - from; }
};

double SpanOf(const CircleSpan& s) {
  if (s.circle) return 360.0;
  double start = s.start, end = s.end;
  MakeAngleRangeAscending(start, end, true);
  const double span = end - start;
  return span <= kSlack ? 360.0 : span;
}

// The direction `a` measured counter-clockwise from `from`, in [0, 360),
// with a direction just short of a full turn counted as 0.
double RelativeAngle(double from, double a) {
  const double r = NormalizeAngle(a - from);
  return r > 360.0 - kSlack ? r - 360.0 : r;
}

// The parts of Y not covered by X, X being [0, spanX] (and its turn
// [360, 360 + spanX]) and Y starting at y0 in [0, 360); parts shorter than
// the slack are dropped.
std::vector<Range> Outside(double spanX, double y0, double spanY) {
  std::vector<Range> out;
  const double y1 = y0 + spanY;
  const Range first{std::max(y0, spanX), std::min(y1, 360.0)};
  if (first.Length() > kSlack) out.push_back(first);
  const Range second{std::max(y0, 360.0 + spanX), y1};
  if (second.Length() > kSlack) out.push_back(second);
  return out;
}

CircleSpan ArcOf(double base, double from, double to) {
  CircleSpan s;
  if (to - from >= 360.0 - kSlack) {
    s.circle = true;
    return s;
  }
  s.start = NormalizeAngle(base + from);
  s.end = NormalizeAngle(base + to);
  return s;
}

// A and B together, B's part outside A being `outside` (one range, or the
// whole of B when they only touch).
CircleSpan Union(const CircleSpan& a, double spanA, const Range& outside) {
  const bool after = std::fabs(outside.from - spanA) <= kSlack;
  const bool before = std::fabs(outside.to - 360.0) <= kSlack;
  if (after && before) return ArcOf(a.start, 0.0, 360.0);
  if (after) return ArcOf(a.start, 0.0, outside.to);
  return ArcOf(a.start, outside.from, 360.0 + spanA);
}

ArcMerge ArcRemoval(int removal) {
  ArcMerge m;
  m.removal = removal;
  return m;
}

// The merge with A the lower- or equal-coded piece.
ArcMerge MergeOrdered(const CircleSpan& a, int codeA, const CircleSpan& b, int codeB) {
  if (a.circle && b.circle) return ArcRemoval(2);
  if (b.circle) {
    // The circle takes A's part: the arc goes, or it has the lower code and
    // the circle keeps what the arc leaves.
    ArcMerge m = MergeOrdered(b, codeB, a, codeA);
    m.removal = m.removal == 1 ? 2 : 1;
    for (int i = 0; i < m.count; ++i) m.pieces[i].source = 1 - m.pieces[i].source;
    return m;
  }
  if (a.circle) {
    if (!(codeB < codeA)) return ArcRemoval(2);
    ArcMerge m = ArcRemoval(1);
    double start = b.start, end = b.end;
    MakeAngleRangeAscending(start, end, true);
    CircleSpan rest;
    rest.start = NormalizeAngle(end);
    rest.end = NormalizeAngle(start);
    m.pieces[m.count++] = {rest, 0};
    return m;
  }
  const bool same = codeA == codeB;
  double startA = a.start, endA = a.end;
  MakeAngleRangeAscending(startA, endA, true);
  double startB = b.start, endB = b.end;
  MakeAngleRangeAscending(startB, endB, true);
  const CircleSpan ca{false, startA, endA};
  const double spanA = SpanOf(a), spanB = SpanOf(b);
  double b0 = RelativeAngle(startA, startB);
  if (b0 < 0) b0 = 0.0;
  const double a0 = std::max(0.0, RelativeAngle(startB, startA));
  const std::vector<Range> bOut = Outside(spanA, b0, spanB);
  const std::vector<Range> aOut = Outside(spanB, a0, spanA);
  const bool bWithin = bOut.empty(), aWithin = aOut.empty();
  if (bWithin && aWithin) return ArcRemoval(same ? 1 : 2);
  if (aWithin) {
    if (same) return ArcRemoval(1);
    ArcMerge m = ArcRemoval(2);
    for (const Range& r : bOut) m.pieces[m.count++] = {ArcOf(startA, r.from, r.to), 1};
    return m;
  }
  if (bWithin) return ArcRemoval(2);
  // Neither inside the other: B's part outside A is one range.
  const Range& out = bOut.front();
  const bool apart = out.Length() >= spanB - kSlack;
  if (apart) {
    const bool touch = std::fabs(b0 - spanA) <= kSlack || std::fabs(b0 + spanB - 360.0) <= kSlack;
    if (!touch || !same) return ArcMerge();
  }
  if (same) {
    ArcMerge m = ArcRemoval(3);
    m.pieces[m.count++] = {Union(ca, spanA, out), 0};
    return m;
  }
  ArcMerge m = ArcRemoval(2);
  m.pieces[m.count++] = {ArcOf(startA, out.from, out.to), 1};
  return m;
}
}  // namespace

LineMerge MergeCollinearLines(const GPoint& a1, const GPoint& a2, int codeA, const GPoint& b1, const GPoint& b2,
                              int codeB) {
  Axis axis;
  if (!MakeAxis(a1, a2, axis)) return LineMerge();
  if (!IsSamePoint(b1, GetPerpendicularFoot(a1, a2, b1))) return LineMerge();
  GPoint p = a1, r = a2, s = b1, t = b2;
  Order(axis, p, r);
  Order(axis, s, t);
  const bool same = codeA == codeB;
  LineMerge m;
  if (IsSamePoint(r, s) || IsSamePoint(p, t)) {
    if (!same) return m;
    m.removal = 3;
    if (IsSamePoint(r, s))
      Add(m, p, t, 0);
    else
      Add(m, s, r, 0);
    return m;
  }
  const double pp = axis.At(p), pr = axis.At(r), ps = axis.At(s), pt = axis.At(t);
  if (pr < ps - kSlack || pt < pp - kSlack) return m;
  const bool bWithin = ps >= pp - kSlack && pt <= pr + kSlack;
  const bool aWithin = ps <= pp + kSlack && pt >= pr - kSlack;
  const bool aLower = codeA < codeB;
  if (bWithin && aWithin && same) return Removal(1);
  if (bWithin) {
    if (same || aLower) return Removal(2);
    m.removal = 1;
    Add(m, p, s, 0);
    Add(m, t, r, 0);
    return m;
  }
  if (aWithin) {
    if (same) return Removal(1);
    if (!aLower) return Removal(1);
    m.removal = 2;
    Add(m, s, p, 1);
    Add(m, r, t, 1);
    return m;
  }
  const bool above = ps >= pp - kSlack;
  if (same) {
    m.removal = 3;
    if (above)
      Add(m, p, t, 0);
    else
      Add(m, s, r, 0);
    return m;
  }
  if (aLower) {
    m.removal = 2;
    if (above)
      Add(m, r, t, 1);
    else
      Add(m, s, p, 1);
    return m;
  }
  m.removal = 1;
  if (above)
    Add(m, p, s, 0);
  else
    Add(m, t, r, 0);
  return m;
}

ArcMerge MergeArcsOfOneCircle(const CircleSpan& a, int codeA, const CircleSpan& b, int codeB) {
  if (codeB < codeA) {
    ArcMerge m = MergeOrdered(b, codeB, a, codeA);
    if (m.removal == 1 || m.removal == 2) m.removal = 3 - m.removal;
    for (int i = 0; i < m.count; ++i) m.pieces[i].source = 1 - m.pieces[i].source;
    return m;
  }
  return MergeOrdered(a, codeA, b, codeB);
}

void StretchOver(GPoint& a, GPoint& b, const GPoint& e) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  if (len2 <= 0) return;
  const double t = ((e.x - a.x) * dx + (e.y - a.y) * dy) / len2;
  const double slack = tressil::kGeomTolerance / std::sqrt(len2);
  if (t < -slack)
    a = e;
  else if (t > 1.0 + slack)
    b = e;
}

CircleSpan JoinArcs(const CircleSpan& a, const CircleSpan& b, double pickAngle) {
  const ArcMerge m = MergeArcsOfOneCircle(a, 0, b, 0);
  if (m.removal == 3) return m.pieces[0].span;
  if (m.removal == 1) return b;
  if (m.removal == 2) return a;
  double start = a.start, end = a.end;
  MakeAngleRangeAscending(start, end, true);
  const double pick = RelativeAngle(start, pickAngle);
  CircleSpan joined;
  if (pick > (end - start) - pick) {
    joined.start = start;
    joined.end = b.end;
  } else {
    joined.start = b.start;
    joined.end = end;
  }
  joined.start = NormalizeAngle(joined.start);
  joined.end = NormalizeAngle(joined.end);
  return joined;
}

}  // namespace carrier
