// The split operation of a block's piece records (see PieceRecord in
// BlockEntity.h): a line, arc or circle member loses a stretch, which is
// dropped or kept as a piece of its own layer, and what is left on either
// side becomes new pieces.
#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"

namespace {

constexpr double kPieceTolerance = 1e-6;

struct Piece {
  double from;  // a line's parameter (0..1) or an arc's angle
  double to;
  int layer;
};

// The pieces of a run [0, length) split at [a, b] (a <= b), as ranges of
// the run's own parameter, each longer than the tolerance (`scale` turns a
// parameter step into a length).
std::vector<Piece> SplitRun(double begin, double end, double a, double b, double scale, int stretchLayer,
                            int sideLayer) {
  std::vector<Piece> out;
  if ((a - begin) * scale > kPieceTolerance) out.push_back({begin, a, sideLayer});
  if (stretchLayer >= 0 && (b - a) * scale > kPieceTolerance) out.push_back({a, b, stretchLayer});
  if ((end - b) * scale > kPieceTolerance) out.push_back({b, end, sideLayer});
  return out;
}

// The layer a record value names: -1 (or anything negative) keeps `own`.
int RecordLayer(double value, int own) { return value < 0 || !std::isfinite(value) ? own : ClampLayer(static_cast<int>(value)); }

// The angle of p about c brought into [start, start + 360).
double AngleFrom(double start, GPoint c, GPoint p) {
  double a = GetLineAngle(c.x, c.y, p.x, p.y);
  while (a < start) a += 360.0;
  while (a >= start + 360.0) a -= 360.0;
  return a;
}

// An angle of a run from `start` to `end` (ascending) taken onto it: past
// the end, to whichever end lies nearer round the circle.
double ClampAngle(double a, double start, double end) {
  if (a <= end) return a;
  return (a - end) <= (start + 360.0 - a) ? end : start;
}

}  // namespace

BOOL CBlockEntity::SplitByPieceRecord(const PieceRecord& r, CEntityList& removed, CEntityList& added) const {
  const CEntity* member = nullptr;
  for (const auto& m : members_)
    if (static_cast<double>(m->GetHandle()) == r[0]) member = m.get();
  if (!member) return FALSE;
  const GPoint p1{r[1], r[2]}, p2{r[3], r[4]};
  for (double v : r)
    if (!std::isfinite(v)) return FALSE;
  const int own = member->GetEntityLayer();
  const int stretchLayer = r[5] < 0 ? -1 : RecordLayer(r[5], own);
  const int sideLayer = RecordLayer(r[6], own);
  CDrawingGroup* group = member->GetEntityGroup();
  std::vector<CEntity*> pieces;

  if (member->IsLine()) {
    const auto* line = static_cast<const CLineEntity*>(member);
    const GPoint a = line->GetStart(), b = line->GetEnd();
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    if (len2 <= kPieceTolerance * kPieceTolerance) return FALSE;
    auto param = [&](GPoint p) { return std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0); };
    const double t1 = std::min(param(p1), param(p2)), t2 = std::max(param(p1), param(p2));
    const std::vector<Piece> parts = SplitRun(0.0, 1.0, t1, t2, std::sqrt(len2), stretchLayer, sideLayer);
    if (parts.size() == 1 && parts[0].from == 0.0 && parts[0].to == 1.0 && parts[0].layer == own) return FALSE;
    for (const Piece& s : parts)
      pieces.push_back(ConstructLineEntity(s.layer, group, a.x + s.from * dx, a.y + s.from * dy, a.x + s.to * dx,
                                           a.y + s.to * dy));
  } else if (member->IsArc() || member->IsCircle()) {
    GPoint c;
    double radius, start, end;
    if (member->IsArc()) {
      const auto* arc = static_cast<const CArcEntity*>(member);
      c = arc->GetCentre();
      radius = arc->GetRadius();
      start = arc->GetStartAngle();
      end = arc->GetEndAngle();
      MakeAngleRangeAscending(start, end, true);
    } else {
      const auto* circle = static_cast<const CCircleEntity*>(member);
      c = circle->GetCentre();
      radius = circle->GetRadius();
      // A circle runs from the stretch's first end once round.
      start = AngleFrom(0.0, c, p1);
      end = start + 360.0;
    }
    const double a1 = ClampAngle(AngleFrom(start, c, p1), start, end);
    const double a2 = ClampAngle(AngleFrom(start, c, p2), start, end);
    double from = member->IsCircle() ? a1 : std::min(a1, a2), to = member->IsCircle() ? a2 : std::max(a1, a2);
    const double scale = radius * 3.14159265358979323846 / 180.0;
    if (member->IsCircle()) {
      // The stretch runs counter-clockwise from its first end to its second;
      // ends that meet cut nothing out of a circle.
      if (std::fabs(to - from) * scale <= kPieceTolerance) return FALSE;
      if (to < from) to += 360.0;
    }
    const std::vector<Piece> parts = SplitRun(start, end, from, to, scale, stretchLayer, sideLayer);
    if (member->IsArc() && parts.size() == 1 && parts[0].from == start && parts[0].to == end &&
        parts[0].layer == own)
      return FALSE;
    for (const Piece& s : parts)
      pieces.push_back(ConstructArcEntity(s.layer, group, c.x, c.y, radius, NormalizeAngle(s.from),
                                          NormalizeAngle(s.to)));
  } else {
    return FALSE;
  }
  removed.AddTail(const_cast<CEntity*>(member));
  for (CEntity* p : pieces) added.AddTail(p);
  return TRUE;
}
