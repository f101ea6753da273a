#include "draft/host/BoundarySearch.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace velmish {
namespace {
using tressil::kGeomTolerance;
constexpr double kTwoPi = 2 * tressil::kPi;
// Arc pieces are kept at most this many degrees long, so that every piece
// lies on one side of its chord (the winding test relies on it).
constexpr double kMaxPieceSweep = 120.0;

double Cross(GPoint a, GPoint b) { return a.x * b.y - a.y * b.x; }
GPoint Sub(GPoint a, GPoint b) { return {a.x - b.x, a.y - b.y}; }
GPoint OnCircle(GPoint c, double r, double deg) {
  const double a = DegreeToRadian(deg);
  return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}

double Sweep(const BoundaryCurve& k) { return k.kind == BoundaryCurve::kCircle ? 360.0 : k.end - k.start; }
double Length(const BoundaryCurve& k) { return GetPointDistance(k.a.x, k.a.y, k.b.x, k.b.y); }

// Where p lies on the curve: a length from the line's first end, or degrees
// from the arc's start. False when p is not on the curve (1e-6).
bool OnCurve(const BoundaryCurve& k, GPoint p, double& t) {
  if (k.kind == BoundaryCurve::kLine) {
    const double len = Length(k);
    const GPoint d{(k.b.x - k.a.x) / len, (k.b.y - k.a.y) / len};
    const GPoint v = Sub(p, k.a);
    t = v.x * d.x + v.y * d.y;
    if (std::fabs(Cross(d, v)) > kGeomTolerance || t < -kGeomTolerance || t > len + kGeomTolerance) return false;
    t = std::clamp(t, 0.0, len);
    return true;
  }
  if (std::fabs(GetPointDistance(p.x, p.y, k.c.x, k.c.y) - k.r) > kGeomTolerance) return false;
  const double tolDeg = RadianToDegree(kGeomTolerance / k.r);
  t = NormalizeAngle(GetLineAngle(k.c.x, k.c.y, p.x, p.y) - k.start);
  if (t > 360.0 - tolDeg) t = 0.0;
  const double sweep = Sweep(k);
  if (k.kind == BoundaryCurve::kCircle) return true;
  if (t > sweep + tolDeg) return false;
  t = std::min(t, sweep);
  return true;
}

GPoint PointAt(const BoundaryCurve& k, double t) {
  if (k.kind == BoundaryCurve::kLine) {
    const double len = Length(k);
    return {k.a.x + (k.b.x - k.a.x) * t / len, k.a.y + (k.b.y - k.a.y) * t / len};
  }
  return OnCircle(k.c, k.r, k.start + t);
}

// Points where the carriers of two curves meet (infinite lines, full
// circles); a touching pair gives one point.
int CarrierPoints(const BoundaryCurve& p, const BoundaryCurve& q, GPoint out[2]) {
  if (p.kind != BoundaryCurve::kLine && q.kind == BoundaryCurve::kLine) return CarrierPoints(q, p, out);
  if (p.kind == BoundaryCurve::kLine && q.kind == BoundaryCurve::kLine) {
    const GPoint d1 = Sub(p.b, p.a), d2 = Sub(q.b, q.a);
    const double den = Cross(d1, d2);
    if (std::fabs(den) < 1e-15 * (Length(p) * Length(q))) return 0;  // parallel
    const double s = Cross(Sub(q.a, p.a), d2) / den;
    out[0] = {p.a.x + d1.x * s, p.a.y + d1.y * s};
    return 1;
  }
  if (p.kind == BoundaryCurve::kLine) {
    const GPoint f = GetPerpendicularFoot(p.a, p.b, q.c);
    const double d = GetPointDistance(f.x, f.y, q.c.x, q.c.y);
    if (d > q.r + kGeomTolerance) return 0;
    if (std::fabs(d - q.r) <= kGeomTolerance) {
      out[0] = f;
      return 1;
    }
    const double h = std::sqrt(q.r * q.r - d * d), len = Length(p);
    const GPoint u{(p.b.x - p.a.x) / len, (p.b.y - p.a.y) / len};
    out[0] = {f.x - u.x * h, f.y - u.y * h};
    out[1] = {f.x + u.x * h, f.y + u.y * h};
    return 2;
  }
  const double dist = GetPointDistance(p.c.x, p.c.y, q.c.x, q.c.y);
  if (dist < kGeomTolerance) return 0;  // concentric
  if (dist > p.r + q.r + kGeomTolerance || dist < std::fabs(p.r - q.r) - kGeomTolerance) return 0;
  const GPoint u{(q.c.x - p.c.x) / dist, (q.c.y - p.c.y) / dist};
  if (std::fabs(dist - (p.r + q.r)) <= kGeomTolerance || std::fabs(dist - std::fabs(p.r - q.r)) <= kGeomTolerance) {
    const double along = (dist * dist + p.r * p.r - q.r * q.r) / (2 * dist);
    const double sign = along < 0 ? -1.0 : 1.0;
    out[0] = {p.c.x + u.x * p.r * sign, p.c.y + u.y * p.r * sign};
    return 1;
  }
  const double a = (dist * dist + p.r * p.r - q.r * q.r) / (2 * dist);
  const double h = std::sqrt(std::max(0.0, p.r * p.r - a * a));
  const GPoint m{p.c.x + u.x * a, p.c.y + u.y * a};
  out[0] = {m.x - u.y * h, m.y + u.x * h};
  out[1] = {m.x + u.y * h, m.y - u.x * h};
  return 2;
}

// Vertices merged within the tolerance through a hash of small cells.
class VertexTable {
 public:
  int Find(GPoint p) {
    const long long ix = CellIndex(p.x);
    const long long iy = CellIndex(p.y);
    for (long long dx = -1; dx <= 1; ++dx)
      for (long long dy = -1; dy <= 1; ++dy) {
        auto it = cells_.find(Key(ix + dx, iy + dy));
        if (it == cells_.end()) continue;
        for (int v : it->second)
          if (IsSamePoint(points_[v], p)) return v;
      }
    points_.push_back(p);
    const int v = static_cast<int>(points_.size() - 1);
    cells_[Key(ix, iy)].push_back(v);
    return v;
  }
  const GPoint& operator[](int v) const { return points_[static_cast<size_t>(v)]; }
  size_t size() const { return points_.size(); }

 private:
  static constexpr double kCell = 4 * kGeomTolerance;
  // The cell of a coordinate, held within a range whose neighbours stay in
  // range too: a coordinate too far out for a cell number (or not a number)
  // shares the edge cell, where the distance test still tells points apart.
  static long long CellIndex(double coordinate) {
    constexpr double kLimit = 4.0e18;
    const double cell = std::floor(coordinate / kCell);
    if (!(cell > -kLimit)) return static_cast<long long>(-kLimit);
    if (cell > kLimit) return static_cast<long long>(kLimit);
    return static_cast<long long>(cell);
  }
  static unsigned long long Key(long long x, long long y) {
    return static_cast<unsigned long long>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<unsigned long long>(y);
  }
  std::vector<GPoint> points_;
  std::unordered_map<unsigned long long, std::vector<int>> cells_;
};

// A piece of a curve between two vertices; arcs run counter-clockwise from
// u to v. Half-edge 2k goes u -> v, 2k+1 v -> u.
struct Piece {
  int u, v;
  int curve;
  bool arc;
  GPoint c;
  double r;
  double sweep;  // degrees, arcs only
  GPoint mid;
  bool alive = true;
};

struct Face {
  std::vector<int> halfEdges;
  double area = 0.0;
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
};

class Arrangement {
 public:
  Arrangement(const std::vector<BoundaryCurve>& curves, const std::vector<int>& subset)
      : curves_(curves), subset_(subset) {}

  void Build();
  // The smallest face winding round p, or false.
  bool SmallestFaceRound(GPoint p, Face& best) const;
  // Whether every half-edge of the face lies on one circle that meets
  // nothing: the index of that curve, else -1.
  int LoneCircleOf(const Face& f) const;
  // The one lone circle nested in circle `outer` (p outside it), when
  // nothing else lies between the two; -1 otherwise.
  int RingHole(int outer, GPoint p) const;
  void Sides(const Face& f, std::vector<BoundarySide>& out) const;

 private:
  GPoint From(int h) const { return vertices_[(h & 1) ? pieces_[h >> 1].v : pieces_[h >> 1].u]; }
  GPoint To(int h) const { return vertices_[(h & 1) ? pieces_[h >> 1].u : pieces_[h >> 1].v]; }
  int FromVertex(int h) const { return (h & 1) ? pieces_[h >> 1].v : pieces_[h >> 1].u; }
  int ToVertex(int h) const { return (h & 1) ? pieces_[h >> 1].u : pieces_[h >> 1].v; }
  bool Ccw(int h) const { return (h & 1) == 0; }
  void Cut(std::vector<std::vector<double>>& cuts);
  void MakePieces(const std::vector<std::vector<double>>& cuts);
  void Prune();
  void SortOutgoing();
  bool Mergeable(int a, int b) const;
  BoundarySide SideOf(int h) const;

  const std::vector<BoundaryCurve>& curves_;
  const std::vector<int>& subset_;
  std::vector<bool> touched_;  // per subset index: met by another curve
  VertexTable vertices_;
  std::vector<Piece> pieces_;
  std::vector<std::vector<int>> outgoing_;
  std::vector<int> slot_;  // half-edge -> its place in outgoing_[from]
};

void Arrangement::Build() {
  std::vector<std::vector<double>> cuts(subset_.size());
  touched_.assign(subset_.size(), false);
  Cut(cuts);
  MakePieces(cuts);
  Prune();
  SortOutgoing();
}

void Arrangement::Cut(std::vector<std::vector<double>>& cuts) {
  const size_t n = subset_.size();
  for (size_t i = 0; i < n; ++i) {
    const BoundaryCurve& k = curves_[static_cast<size_t>(subset_[i])];
    cuts[i].push_back(0.0);
    if (k.kind == BoundaryCurve::kLine) cuts[i].push_back(Length(k));
    if (k.kind == BoundaryCurve::kArc) cuts[i].push_back(Sweep(k));
  }
  // Candidate pairs by a sweep over the extents in x.
  struct Ext {
    double xmin, ymin, xmax, ymax;
    size_t i;
  };
  std::vector<Ext> ext(n);
  for (size_t i = 0; i < n; ++i) {
    const BoundaryCurve& k = curves_[static_cast<size_t>(subset_[i])];
    if (k.kind == BoundaryCurve::kLine)
      ext[i] = {std::min(k.a.x, k.b.x), std::min(k.a.y, k.b.y), std::max(k.a.x, k.b.x), std::max(k.a.y, k.b.y), i};
    else
      ext[i] = {k.c.x - k.r, k.c.y - k.r, k.c.x + k.r, k.c.y + k.r, i};
  }
  std::sort(ext.begin(), ext.end(), [](const Ext& a, const Ext& b) { return a.xmin < b.xmin; });
  const double tol = 2 * kGeomTolerance;
  for (size_t s = 0; s < n; ++s) {
    for (size_t t = s + 1; t < n && ext[t].xmin <= ext[s].xmax + tol; ++t) {
      if (ext[t].ymin > ext[s].ymax + tol || ext[s].ymin > ext[t].ymax + tol) continue;
      const size_t i = ext[s].i, j = ext[t].i;
      const BoundaryCurve& p = curves_[static_cast<size_t>(subset_[i])];
      const BoundaryCurve& q = curves_[static_cast<size_t>(subset_[j])];
      std::vector<GPoint> meet;
      GPoint pts[2];
      const int m = CarrierPoints(p, q, pts);
      meet.assign(pts, pts + m);
      // Ends lying on the other curve: touching ends, T-junctions and
      // overlapping collinear or co-circular runs.
      auto ends = [](const BoundaryCurve& k, std::vector<GPoint>& out) {
        if (k.kind == BoundaryCurve::kLine) {
          out.push_back(k.a);
          out.push_back(k.b);
        } else if (k.kind == BoundaryCurve::kArc) {
          out.push_back(OnCircle(k.c, k.r, k.start));
          out.push_back(OnCircle(k.c, k.r, k.end));
        }
      };
      ends(p, meet);
      ends(q, meet);
      for (const GPoint& pt : meet) {
        double tp = 0, tq = 0;
        if (!OnCurve(p, pt, tp) || !OnCurve(q, pt, tq)) continue;
        cuts[i].push_back(tp);
        cuts[j].push_back(tq);
        touched_[i] = touched_[j] = true;
      }
    }
  }
}

void Arrangement::MakePieces(const std::vector<std::vector<double>>& allCuts) {
  std::unordered_map<unsigned long long, std::vector<int>> byEnds;  // duplicate pieces
  for (size_t i = 0; i < subset_.size(); ++i) {
    const BoundaryCurve& k = curves_[static_cast<size_t>(subset_[i])];
    std::vector<double> cuts = allCuts[i];
    std::sort(cuts.begin(), cuts.end());
    const bool closed = k.kind == BoundaryCurve::kCircle;
    if (closed) cuts.push_back(cuts.front() + 360.0);
    // Long arc gaps are split evenly.
    if (k.kind != BoundaryCurve::kLine) {
      std::vector<double> even;
      for (size_t c = 0; c + 1 < cuts.size(); ++c) {
        even.push_back(cuts[c]);
        const double gap = cuts[c + 1] - cuts[c];
        const int parts = static_cast<int>(std::ceil(gap / kMaxPieceSweep));
        for (int q = 1; q < parts; ++q) even.push_back(cuts[c] + gap * q / parts);
      }
      even.push_back(cuts.back());
      cuts.swap(even);
    }
    std::vector<int> ids;
    for (double t : cuts) ids.push_back(vertices_.Find(PointAt(k, t)));
    for (size_t c = 0; c + 1 < cuts.size(); ++c) {
      const int u = ids[c], v = ids[c + 1];
      if (u == v) continue;
      Piece pc{u, v, static_cast<int>(i), k.kind != BoundaryCurve::kLine, k.c, k.r, cuts[c + 1] - cuts[c], {}, true};
      pc.mid = PointAt(k, (cuts[c] + cuts[c + 1]) / 2);
      const unsigned long long key =
          (static_cast<unsigned long long>(std::min(u, v)) << 32) | static_cast<unsigned>(std::max(u, v));
      bool duplicate = false;
      for (int other : byEnds[key]) {
        const Piece& o = pieces_[static_cast<size_t>(other)];
        duplicate = duplicate ||
                    (o.arc == pc.arc && GetPointDistance(o.mid.x, o.mid.y, pc.mid.x, pc.mid.y) < 10 * kGeomTolerance);
      }
      if (duplicate) continue;
      byEnds[key].push_back(static_cast<int>(pieces_.size()));
      pieces_.push_back(pc);
    }
  }
}

void Arrangement::Prune() {
  std::vector<std::vector<int>> incident(vertices_.size());
  for (size_t k = 0; k < pieces_.size(); ++k) {
    incident[static_cast<size_t>(pieces_[k].u)].push_back(static_cast<int>(k));
    incident[static_cast<size_t>(pieces_[k].v)].push_back(static_cast<int>(k));
  }
  std::vector<int> degree(vertices_.size());
  std::vector<int> queue;
  for (size_t v = 0; v < vertices_.size(); ++v) {
    degree[v] = static_cast<int>(incident[v].size());
    if (degree[v] == 1) queue.push_back(static_cast<int>(v));
  }
  while (!queue.empty()) {
    const int v = queue.back();
    queue.pop_back();
    for (int k : incident[static_cast<size_t>(v)]) {
      Piece& pc = pieces_[static_cast<size_t>(k)];
      if (!pc.alive) continue;
      pc.alive = false;
      for (int w : {pc.u, pc.v})
        if (--degree[static_cast<size_t>(w)] == 1) queue.push_back(w);
    }
  }
}

void Arrangement::SortOutgoing() {
  outgoing_.assign(vertices_.size(), {});
  slot_.assign(pieces_.size() * 2, -1);
  std::vector<double> angle(pieces_.size() * 2), bend(pieces_.size() * 2);
  for (size_t k = 0; k < pieces_.size(); ++k) {
    if (!pieces_[k].alive) continue;
    for (int h : {static_cast<int>(2 * k), static_cast<int>(2 * k + 1)}) {
      const GPoint a = From(h), b = To(h);
      double dir;
      if (!pieces_[k].arc) {
        dir = std::atan2(b.y - a.y, b.x - a.x);
        bend[static_cast<size_t>(h)] = 0.0;
      } else {
        const double radial = std::atan2(a.y - pieces_[k].c.y, a.x - pieces_[k].c.x);
        dir = radial + (Ccw(h) ? tressil::kPi / 2 : -tressil::kPi / 2);
        bend[static_cast<size_t>(h)] = (Ccw(h) ? 1.0 : -1.0) / pieces_[k].r;
      }
      dir = std::fmod(dir, kTwoPi);
      if (dir < 0) dir += kTwoPi;
      angle[static_cast<size_t>(h)] = dir;
      outgoing_[static_cast<size_t>(FromVertex(h))].push_back(h);
    }
  }
  for (auto& out : outgoing_) {
    std::sort(out.begin(), out.end(), [&](int l, int r) { return angle[l] < angle[r]; });
    // Pieces leaving in one direction (touching curves): the one bending
    // further left comes later counter-clockwise.
    for (size_t s = 0; s < out.size();) {
      size_t e = s + 1;
      while (e < out.size() && angle[out[e]] - angle[out[s]] < 1e-7) ++e;
      std::sort(out.begin() + s, out.begin() + e, [&](int l, int r) { return bend[l] < bend[r]; });
      s = e;
    }
    for (size_t s = 0; s < out.size(); ++s) slot_[static_cast<size_t>(out[s])] = static_cast<int>(s);
  }
}

bool Arrangement::SmallestFaceRound(GPoint p, Face& best) const {
  std::vector<bool> used(pieces_.size() * 2, false);
  bool found = false;
  for (size_t start = 0; start < used.size(); ++start) {
    if (used[start] || !pieces_[start >> 1].alive) continue;
    Face f;
    double chordTurn = 0.0;
    int segmentWinding = 0;
    f.xmin = f.ymin = 1e300;
    f.xmax = f.ymax = -1e300;
    int h = static_cast<int>(start);
    while (!used[static_cast<size_t>(h)]) {
      used[static_cast<size_t>(h)] = true;
      f.halfEdges.push_back(h);
      const Piece& pc = pieces_[static_cast<size_t>(h >> 1)];
      const GPoint a = From(h), b = To(h);
      const GPoint pa = Sub(a, p), pb = Sub(b, p);
      double turn = std::atan2(Cross(pa, pb), pa.x * pb.x + pa.y * pb.y);
      if (!pc.arc) {
        f.area += Cross(a, b) / 2;
        f.xmin = std::min({f.xmin, a.x, b.x});
        f.xmax = std::max({f.xmax, a.x, b.x});
        f.ymin = std::min({f.ymin, a.y, b.y});
        f.ymax = std::max({f.ymax, a.y, b.y});
      } else {
        const double theta = DegreeToRadian(pc.sweep) * (Ccw(h) ? 1 : -1);
        f.area += (Cross(pc.c, Sub(b, a)) + pc.r * pc.r * theta) / 2;
        f.xmin = std::min(f.xmin, pc.c.x - pc.r);
        f.xmax = std::max(f.xmax, pc.c.x + pc.r);
        f.ymin = std::min(f.ymin, pc.c.y - pc.r);
        f.ymax = std::max(f.ymax, pc.c.y + pc.r);
        // The point inside the piece's circular segment.
        if (GetPointDistance(p.x, p.y, pc.c.x, pc.c.y) < pc.r) {
          const GPoint chord = Sub(b, a);
          const double side = Cross(chord, Sub(p, a));
          if (std::fabs(side) <= kGeomTolerance * GetPointDistance(a.x, a.y, b.x, b.y) &&
              pa.x * pb.x + pa.y * pb.y < 0) {
            // The point lies on the chord, where the chord's turn is half a
            // turn either way: the arc's is half a turn towards its bulge.
            turn = Ccw(h) ? tressil::kPi : -tressil::kPi;
          } else {
            if (Ccw(h) && side < 0) ++segmentWinding;
            if (!Ccw(h) && side > 0) --segmentWinding;
          }
        }
      }
      chordTurn += turn;
      const int twin = h ^ 1;
      const auto& out = outgoing_[static_cast<size_t>(ToVertex(h))];
      const size_t idx = static_cast<size_t>(slot_[static_cast<size_t>(twin)]);
      h = out[(idx + out.size() - 1) % out.size()];
    }
    if (h != static_cast<int>(start)) continue;
    if (f.area <= kGeomTolerance * kGeomTolerance) continue;  // the outside of a component
    const int winding = static_cast<int>(std::lround(chordTurn / kTwoPi)) + segmentWinding;
    if (winding == 0) continue;
    if (!found || f.area < best.area) {
      best = std::move(f);
      found = true;
    }
  }
  return found;
}

int Arrangement::LoneCircleOf(const Face& f) const {
  const int curve = pieces_[static_cast<size_t>(f.halfEdges.front() >> 1)].curve;
  if (curves_[static_cast<size_t>(subset_[static_cast<size_t>(curve)])].kind != BoundaryCurve::kCircle ||
      touched_[static_cast<size_t>(curve)])
    return -1;
  for (int h : f.halfEdges)
    if (pieces_[static_cast<size_t>(h >> 1)].curve != curve) return -1;
  return curve;
}

int Arrangement::RingHole(int outer, GPoint p) const {
  const BoundaryCurve& o = curves_[static_cast<size_t>(subset_[static_cast<size_t>(outer)])];
  auto inside = [](const BoundaryCurve& in, const BoundaryCurve& out) {
    return GetPointDistance(in.c.x, in.c.y, out.c.x, out.c.y) + in.r < out.r - kGeomTolerance;
  };
  std::vector<int> holes;
  for (size_t i = 0; i < subset_.size(); ++i) {
    const BoundaryCurve& k = curves_[static_cast<size_t>(subset_[i])];
    if (static_cast<int>(i) == outer || k.kind != BoundaryCurve::kCircle || touched_[i]) continue;
    if (inside(k, o) && GetPointDistance(p.x, p.y, k.c.x, k.c.y) > k.r) holes.push_back(static_cast<int>(i));
  }
  std::vector<int> outermost;
  for (int i : holes) {
    bool nested = false;
    for (int j : holes)
      nested = nested || (i != j && inside(curves_[static_cast<size_t>(subset_[static_cast<size_t>(i)])],
                                           curves_[static_cast<size_t>(subset_[static_cast<size_t>(j)])]));
    if (!nested) outermost.push_back(i);
  }
  if (outermost.size() != 1) return -1;
  const BoundaryCurve& hole = curves_[static_cast<size_t>(subset_[static_cast<size_t>(outermost[0])])];
  // Nothing else may lie between the two circles.
  for (const Piece& pc : pieces_) {
    if (!pc.alive || pc.curve == outer || pc.curve == outermost[0]) continue;
    const bool inOuter = GetPointDistance(pc.mid.x, pc.mid.y, o.c.x, o.c.y) < o.r;
    const bool inHole = GetPointDistance(pc.mid.x, pc.mid.y, hole.c.x, hole.c.y) < hole.r;
    if (inOuter && !inHole) return -1;
  }
  return outermost[0];
}

bool Arrangement::Mergeable(int a, int b) const {
  const Piece& pa = pieces_[static_cast<size_t>(a >> 1)];
  const Piece& pb = pieces_[static_cast<size_t>(b >> 1)];
  if (pa.arc != pb.arc) return false;
  if (!pa.arc) {
    const GPoint s = From(a), m = To(a), e = To(b);
    const GPoint d1 = Sub(m, s), d2 = Sub(e, m);
    return std::fabs(GetPointLineDistance(e, s, m)) < 10 * kGeomTolerance && d1.x * d2.x + d1.y * d2.y > 0;
  }
  return Ccw(a) == Ccw(b) && IsSamePoint(pa.c, pb.c) && std::fabs(pa.r - pb.r) < kGeomTolerance;
}

BoundarySide Arrangement::SideOf(int h) const {
  const Piece& pc = pieces_[static_cast<size_t>(h >> 1)];
  BoundarySide s;
  s.arc = pc.arc;
  s.from = From(h);
  s.to = To(h);
  s.c = pc.c;
  s.r = pc.r;
  s.ccw = Ccw(h);
  s.source = curves_[static_cast<size_t>(subset_[static_cast<size_t>(pc.curve)])].source;
  return s;
}

void Arrangement::Sides(const Face& f, std::vector<BoundarySide>& out) const {
  const auto& hs = f.halfEdges;
  const size_t n = hs.size();
  size_t first = n;
  for (size_t i = 0; i < n && first == n; ++i)
    if (!Mergeable(hs[(i + n - 1) % n], hs[i])) first = i;
  if (first == n) {  // one whole circle
    BoundarySide s = SideOf(hs.front());
    s.circle = true;
    s.to = s.from;
    out.push_back(s);
    return;
  }
  // Runs of pieces that join into one side.
  std::vector<std::vector<int>> runs;
  for (size_t k = 0; k < n; ++k) {
    const size_t i = (first + k) % n;
    if (k == 0 || !Mergeable(hs[(i + n - 1) % n], hs[i])) runs.emplace_back();
    runs.back().push_back(hs[i]);
  }
  auto whole = [this](const std::vector<int>& run) {
    return pieces_[static_cast<size_t>(run.front() >> 1)].arc && FromVertex(run.front()) == ToVertex(run.back());
  };
  auto side = [this](const std::vector<int>& run, size_t from, size_t to) {
    BoundarySide s = SideOf(run[from]);
    s.to = To(run[to - 1]);
    return s;
  };
  const bool allWhole = std::all_of(runs.begin(), runs.end(), whole);
  for (const std::vector<int>& run : runs) {
    if (!whole(run)) {
      out.push_back(side(run, 0, run.size()));
    } else if (allWhole && runs.size() <= 2) {
      // Circles touching at one point: the circles themselves.
      BoundarySide s = side(run, 0, run.size());
      s.circle = true;
      out.push_back(s);
    } else {
      // A circle hanging on the boundary at one vertex: two arcs, so that
      // each side has two ends and the way round it can be told.
      const size_t half = run.size() / 2;
      out.push_back(side(run, 0, half));
      out.push_back(side(run, half, run.size()));
    }
  }
}
}  // namespace

BoundaryCurve BoundaryCurve::Line(GPoint a, GPoint b, const CEntity* source) {
  BoundaryCurve k;
  k.kind = kLine;
  k.a = a;
  k.b = b;
  k.source = source;
  return k;
}

BoundaryCurve BoundaryCurve::Arc(GPoint c, double r, double start, double end, const CEntity* source) {
  BoundaryCurve k;
  k.kind = kArc;
  k.c = c;
  k.r = r;
  k.start = start;
  k.end = end;
  MakeAngleRangeAscending(k.start, k.end, true);
  if (k.end - k.start >= 360.0 - kGeomTolerance) k.kind = kCircle;
  k.source = source;
  return k;
}

BoundaryCurve BoundaryCurve::Circle(GPoint c, double r, const CEntity* source) {
  BoundaryCurve k;
  k.kind = kCircle;
  k.c = c;
  k.r = r;
  k.source = source;
  return k;
}

BoundarySearch::BoundarySearch(std::vector<BoundaryCurve> curves) {
  // Degenerate curves (a point-long line, a radius of nothing) bound nothing.
  for (BoundaryCurve& k : curves) {
    const bool valid = k.kind == BoundaryCurve::kLine ? !IsSamePoint(k.a, k.b) : k.r > kGeomTolerance;
    if (valid && std::isfinite(k.a.x + k.a.y + k.b.x + k.b.y + k.c.x + k.c.y + k.r + k.start + k.end))
      curves_.push_back(k);
  }
  if (curves_.empty()) return;
  boxes_.reserve(curves_.size());
  for (const BoundaryCurve& k : curves_) {
    if (k.kind == BoundaryCurve::kLine)
      boxes_.push_back({std::min(k.a.x, k.b.x), std::min(k.a.y, k.b.y), std::max(k.a.x, k.b.x),
                        std::max(k.a.y, k.b.y)});
    else
      boxes_.push_back({k.c.x - k.r, k.c.y - k.r, k.c.x + k.r, k.c.y + k.r});
  }
  extents_ = boxes_.front();
  for (const Box& b : boxes_) {
    extents_.xmin = std::min(extents_.xmin, b.xmin);
    extents_.ymin = std::min(extents_.ymin, b.ymin);
    extents_.xmax = std::max(extents_.xmax, b.xmax);
    extents_.ymax = std::max(extents_.ymax, b.ymax);
  }
  const double span = std::max({extents_.xmax - extents_.xmin, extents_.ymax - extents_.ymin, 1e-3});
  const double side = std::ceil(std::sqrt(static_cast<double>(curves_.size())));
  cell_ = span / std::min(side, 1024.0);
  columns_ = std::max(1, static_cast<int>(std::ceil((extents_.xmax - extents_.xmin) / cell_)));
  rows_ = std::max(1, static_cast<int>(std::ceil((extents_.ymax - extents_.ymin) / cell_)));
  grid_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), {});
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const Box& b = boxes_[i];
    const int c0 = std::clamp(static_cast<int>((b.xmin - extents_.xmin) / cell_), 0, columns_ - 1);
    const int c1 = std::clamp(static_cast<int>((b.xmax - extents_.xmin) / cell_), 0, columns_ - 1);
    const int r0 = std::clamp(static_cast<int>((b.ymin - extents_.ymin) / cell_), 0, rows_ - 1);
    const int r1 = std::clamp(static_cast<int>((b.ymax - extents_.ymin) / cell_), 0, rows_ - 1);
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c)
        grid_[static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c)].push_back(
            static_cast<int>(i));
  }
  stamp_.assign(curves_.size(), 0);
}

void BoundarySearch::Gather(const Box& w, std::vector<int>& out) const {
  if (++stampValue_ == 0) {
    std::fill(stamp_.begin(), stamp_.end(), 0);
    stampValue_ = 1;
  }
  const double tol = 2 * kGeomTolerance;
  auto clampCol = [&](double x) { return std::clamp(static_cast<int>(std::floor((x - extents_.xmin) / cell_)), 0, columns_ - 1); };
  auto clampRow = [&](double y) { return std::clamp(static_cast<int>(std::floor((y - extents_.ymin) / cell_)), 0, rows_ - 1); };
  const int c0 = clampCol(w.xmin - tol), c1 = clampCol(w.xmax + tol);
  const int r0 = clampRow(w.ymin - tol), r1 = clampRow(w.ymax + tol);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      for (int i : grid_[static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c)]) {
        if (stamp_[static_cast<size_t>(i)] == stampValue_) continue;
        stamp_[static_cast<size_t>(i)] = stampValue_;
        const Box& b = boxes_[static_cast<size_t>(i)];
        if (b.xmin > w.xmax + tol || b.xmax < w.xmin - tol || b.ymin > w.ymax + tol || b.ymax < w.ymin - tol) continue;
        out.push_back(i);
      }
  std::sort(out.begin(), out.end());  // drawing order, so that results do not depend on the grid
}

bool BoundarySearch::Find(GPoint p, std::vector<BoundarySide>& sides) const {
  sides.clear();
  lastWork_ = 0;
  if (curves_.empty() || !std::isfinite(p.x) || !std::isfinite(p.y)) return false;
  double half = cell_;
  for (;;) {
    const Box w{p.x - half, p.y - half, p.x + half, p.y + half};
    const bool whole = w.xmin <= extents_.xmin && w.ymin <= extents_.ymin && w.xmax >= extents_.xmax &&
                       w.ymax >= extents_.ymax;
    std::vector<int> subset;
    Gather(w, subset);
    lastWork_ = subset.size();
    Arrangement graph(curves_, subset);
    graph.Build();
    Face face;
    if (graph.SmallestFaceRound(p, face)) {
      const bool fits = face.xmin > w.xmin && face.ymin > w.ymin && face.xmax < w.xmax && face.ymax < w.ymax;
      if (fits || whole) {
        graph.Sides(face, sides);
        const int lone = graph.LoneCircleOf(face);
        if (lone >= 0) {
          const int hole = graph.RingHole(lone, p);
          if (hole >= 0) {
            const BoundaryCurve& k = curves_[static_cast<size_t>(subset[static_cast<size_t>(hole)])];
            BoundarySide s;
            s.arc = s.circle = true;
            s.c = k.c;
            s.r = k.r;
            s.from = s.to = OnCircle(k.c, k.r, k.start);
            s.source = k.source;
            sides.push_back(s);
          }
        }
        return true;
      }
    }
    if (whole) return false;
    half *= 2;
  }
}

}  // namespace velmish
