// The drafting view's fillet of two lines, circles or arcs (see
// CDraftView::MakeFillet).
#include <cmath>
#include <utility>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

using tressil::kGeomTolerance;

namespace {
// An edge as the fillet sees it: a line a-b, or a circle (centre c, radius
// r) that is an arc from `start` to `end` when `arc` is set.
struct FilletEdge {
  bool line = false;
  GPoint a, b;
  GPoint c;
  double r = 0.0;
  bool arc = false;
  double start = 0.0, end = 0.0;
};

bool ReadEdge(const CEntity* e, FilletEdge& out) {
  double v[kMaxGeometryValues] = {};
  e->GetGeometry(v);
  if (e->IsLine()) {
    out.line = true;
    out.a = {v[0], v[1]};
    out.b = {v[2], v[3]};
    return !IsSamePoint(out.a, out.b);
  }
  if (!e->IsCircle() && !e->IsArc()) return false;
  out.c = {v[0], v[1]};
  out.r = v[2];
  if (e->IsArc()) {
    out.arc = true;
    out.start = v[3];
    out.end = v[4];
  }
  return out.r > kGeomTolerance;
}

// A curve the centre may lie on: a line, or a circle.
struct Carrier {
  bool line;
  GPoint a, b, c;
  double r;
};

// The curves at distance `radius` from an edge: a line's two parallels, a
// circle's two concentric circles (the inner one while it has a radius).
// Radius 0 gives the edge's own carrier.
std::vector<Carrier> OffsetCarriers(const FilletEdge& e, double radius) {
  std::vector<Carrier> out;
  if (e.line) {
    const double len = GetPointDistance(e.a.x, e.a.y, e.b.x, e.b.y);
    const double nx = -(e.b.y - e.a.y) / len, ny = (e.b.x - e.a.x) / len;
    for (double s : radius > 0 ? std::vector<double>{1.0, -1.0} : std::vector<double>{0.0})
      out.push_back({true, {e.a.x + s * radius * nx, e.a.y + s * radius * ny},
                     {e.b.x + s * radius * nx, e.b.y + s * radius * ny}, {}, 0.0});
  } else {
    out.push_back({false, {}, {}, e.c, e.r + radius});
    if (radius > 0 && e.r - radius > kGeomTolerance) out.push_back({false, {}, {}, e.c, e.r - radius});
  }
  return out;
}

int Meet(const Carrier& p, const Carrier& q, GPoint out[2]) {
  if (p.line && q.line) return IntersectLines(p.a, p.b, q.a, q.b, out[0]) ? 1 : 0;
  if (p.line) return IntersectLineCircle(p.a, p.b, q.c, q.r, out);
  if (q.line) return IntersectLineCircle(q.a, q.b, p.c, p.r, out);
  return IntersectCircles(p.c, p.r, q.c, q.r, out);
}

// Whether a centre lies on the side of the edge where p lies: the same side
// of a line, inside or outside a circle alike. A point on the edge decides
// nothing.
bool OnSideOf(const FilletEdge& e, const GPoint& centre, const GPoint& p) {
  if (e.line) {
    const double dp = GetPointLineDistance(p, e.a, e.b);
    if (std::fabs(dp) <= kGeomTolerance) return true;
    return (GetPointLineDistance(centre, e.a, e.b) > 0) == (dp > 0);
  }
  const double dp = GetPointDistance(p.x, p.y, e.c.x, e.c.y) - e.r;
  if (std::fabs(dp) <= kGeomTolerance) return true;
  return (GetPointDistance(centre.x, centre.y, e.c.x, e.c.y) > e.r) == (dp > 0);
}

// Where the other edge lies as seen from an edge: the other edge's pick,
// or, for a pick on the edge's own carrier (a click where the two meet),
// the other edge's middle.
GPoint SidePoint(const FilletEdge& self, const FilletEdge& other, const GPoint& otherPick) {
  const double off = self.line ? GetPointLineDistance(otherPick, self.a, self.b)
                               : GetPointDistance(otherPick.x, otherPick.y, self.c.x, self.c.y) - self.r;
  if (std::fabs(off) > kGeomTolerance) return otherPick;
  if (other.line) return {(other.a.x + other.b.x) / 2, (other.a.y + other.b.y) / 2};
  if (!other.arc) return otherPick;
  double start = other.start, end = other.end;
  MakeAngleRangeAscending(start, end, true);
  const double mid = DegreeToRadian((start + end) / 2);
  return {other.c.x + other.r * std::cos(mid), other.c.y + other.r * std::sin(mid)};
}

GPoint TangentPoint(const FilletEdge& e, const GPoint& centre) {
  if (e.line) return GetPerpendicularFoot(e.a, e.b, centre);
  const double d = GetPointDistance(e.c.x, e.c.y, centre.x, centre.y);
  return {e.c.x + e.r * (centre.x - e.c.x) / d, e.c.y + e.r * (centre.y - e.c.y) / d};
}

// The counter-clockwise angle from `from` to `a`, in [0, 360).
double AngleFrom(double from, double a) { return NormalizeAngle(a - from); }

// What is left of a cut edge: a line from its kept end to the cut point, or
// an arc; `gone` when nothing is left.
struct EdgePiece {
  bool gone = false;
  GPoint from, to;
  double start = 0.0, end = 0.0;
};

// A line cut at t keeps the side away from the fillet: away from where the
// other tangent point lies along it, or for a sharp corner (or an other
// point square across) the side where its pick lies, and a pick on t the
// longer side.
EdgePiece CutLine(const FilletEdge& e, const GPoint& t, const GPoint& other, const GPoint& pick, bool sharp) {
  const double len = GetPointDistance(e.a.x, e.a.y, e.b.x, e.b.y);
  const double dx = (e.b.x - e.a.x) / len, dy = (e.b.y - e.a.y) / len;
  const auto along = [&](const GPoint& p) { return (p.x - t.x) * dx + (p.y - t.y) * dy; };
  double sign = 0.0;
  const double to = along(other);
  if (!sharp && std::fabs(to) > kGeomTolerance) sign = to > 0 ? -1.0 : 1.0;
  if (sign == 0.0) {
    const double tp = along(pick);
    if (std::fabs(tp) > kGeomTolerance)
      sign = tp > 0 ? 1.0 : -1.0;
    else
      sign = std::fabs(along(e.a)) >= std::fabs(along(e.b)) ? (along(e.a) >= 0 ? 1.0 : -1.0)
                                                            : (along(e.b) >= 0 ? 1.0 : -1.0);
  }
  EdgePiece piece;
  piece.from = sign * along(e.a) >= sign * along(e.b) ? e.a : e.b;
  piece.to = t;
  piece.gone = IsSamePoint(piece.from, piece.to);
  return piece;
}

// An arc cut at t keeps its part on the side of t where its pick lies; an
// arc that does not reach t grows its nearer end to it.
EdgePiece CutArc(const FilletEdge& e, const GPoint& t, const GPoint& pick) {
  double start = e.start, end = e.end;
  MakeAngleRangeAscending(start, end, true);
  const double span = end - start;
  const double at = GetLineAngle(e.c.x, e.c.y, t.x, t.y);
  const double rt = AngleFrom(start, at);
  EdgePiece piece;
  if (rt <= span + kGeomTolerance || rt >= 360.0 - kGeomTolerance) {
    const double rp = AngleFrom(start, GetLineAngle(e.c.x, e.c.y, pick.x, pick.y));
    const double cut = rt >= 360.0 - kGeomTolerance ? 0.0 : rt;
    if (rp < cut) {
      piece.start = start;
      piece.end = start + cut;
    } else {
      piece.start = start + cut;
      piece.end = end;
    }
  } else if (rt - span <= 360.0 - rt) {
    piece.start = start;
    piece.end = start + rt;
  } else {
    piece.start = start + rt - 360.0;
    piece.end = end;
  }
  piece.gone = piece.end - piece.start <= kGeomTolerance;
  return piece;
}

EdgePiece Cut(const FilletEdge& e, const GPoint& t, const GPoint& other, const GPoint& pick, bool sharp) {
  return e.line ? CutLine(e, t, other, pick, sharp) : CutArc(e, t, pick);
}

// Replaces an edge taken out of the drawing by its piece, or records it as
// gone; returns the piece.
CEntity* ReplaceEdge(CDraftView& view, CEntity* edge, const FilletEdge& e, const EdgePiece& piece,
                     CUndoRecord* record) {
  if (piece.gone) {
    if (record) record->AddOld(edge);
    return nullptr;
  }
  CEntity* made;
  if (e.line)
    made = ConstructLineEntity(edge->GetEntityLayer(), edge->GetEntityGroup(), piece.from.x, piece.from.y,
                               piece.to.x, piece.to.y, 1);
  else
    made = ConstructArcEntity(edge->GetEntityLayer(), edge->GetEntityGroup(), e.c.x, e.c.y, e.r,
                              NormalizeAngle(piece.start), NormalizeAngle(piece.end), 1);
  made->SetEntityOwner(edge->GetEntityOwner());
  view.AddEntityToView(made, record, edge, 1);
  return made;
}
}  // namespace

CEntity* CDraftView::MakeFillet(int mode, CEntity* first, CEntity* second, double p1x, double p1y, double p2x,
                                double p2y, double radius, BOOL, int layer, CDrawingGroup* group,
                                CUndoRecord* record) {
  if (!first || !second || first == second || !(radius >= 0) || !std::isfinite(radius)) return nullptr;
  const bool sharp = radius <= kGeomTolerance;
  if (sharp && mode != 1) return nullptr;
  FilletEdge e1, e2;
  if (!ReadEdge(first, e1) || !ReadEdge(second, e2)) return nullptr;
  const GPoint pick1{p1x, p1y}, pick2{p2x, p2y};
  const GPoint side1 = SidePoint(e1, e2, pick2), side2 = SidePoint(e2, e1, pick1);

  // The centre: where the edges' offsets meet, on the picks' sides, nearest
  // the picks.
  bool found = false;
  GPoint centre;
  double best = 0.0;
  for (const Carrier& c1 : OffsetCarriers(e1, sharp ? 0.0 : radius))
    for (const Carrier& c2 : OffsetCarriers(e2, sharp ? 0.0 : radius)) {
      GPoint at[2];
      const int n = Meet(c1, c2, at);
      for (int i = 0; i < n; ++i) {
        if (!sharp && (!OnSideOf(e1, at[i], side1) || !OnSideOf(e2, at[i], side2))) continue;
        if (!sharp && ((!e1.line && IsSamePoint(at[i], e1.c)) || (!e2.line && IsSamePoint(at[i], e2.c)))) continue;
        const double d = GetPointDistance(at[i].x, at[i].y, pick1.x, pick1.y) +
                         GetPointDistance(at[i].x, at[i].y, pick2.x, pick2.y);
        if (!found || d < best) {
          found = true;
          best = d;
          centre = at[i];
        }
      }
    }
  if (!found) return nullptr;
  const GPoint t1 = sharp ? centre : TangentPoint(e1, centre);
  const GPoint t2 = sharp ? centre : TangentPoint(e2, centre);
  if (!sharp && IsSamePoint(t1, t2)) return nullptr;

  const bool cutFirst = mode == 1 || mode == 2;
  const bool cutSecond = mode == 1 || mode == 3;
  const EdgePiece k1 = Cut(e1, t1, t2, pick1, sharp);
  const EdgePiece k2 = Cut(e2, t2, t1, pick2, sharp);
  const bool trimFirst = cutFirst && (e1.line || e1.arc), trimSecond = cutSecond && (e2.line || e2.arc);
  // A sharp corner is the edges brought together: both must keep something,
  // and one at least must change.
  if (sharp && (k1.gone || k2.gone || (!trimFirst && !trimSecond))) return nullptr;

  CEntity* firstPiece = nullptr;
  CEntity* secondPiece = nullptr;
  if (trimFirst) firstPiece = ReplaceEdge(*this, first, e1, k1, record);
  if (trimSecond) secondPiece = ReplaceEdge(*this, second, e2, k2, record);
  if (sharp) return firstPiece ? firstPiece : secondPiece;

  double a1 = GetLineAngle(centre.x, centre.y, t1.x, t1.y), a2 = GetLineAngle(centre.x, centre.y, t2.x, t2.y);
  if (AngleFrom(a1, a2) > 180.0) std::swap(a1, a2);  // the fillet is the shorter way round
  CEntity* arc = ConstructArcEntity(layer, group, centre.x, centre.y, radius, a1, a2, 1);
  AddEntityToView(arc, record, nullptr, 1);
  return arc;
}
