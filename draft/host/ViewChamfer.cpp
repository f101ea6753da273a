// The drafting view's chamfer of two lines (see CDraftView::MakeChamfer).
#include <algorithm>
#include <cmath>

#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/UndoRecord.h"

using tressil::kGeomTolerance;

namespace {
// One edge as the chamfer sees it: its kept end, the unit direction from X
// towards it and how much of the edge lies on that side of X.
struct KeptSide {
  GPoint end;
  double ux = 0, uy = 0;
  double length = 0;
};

KeptSide KeepSide(const GPoint& a, const GPoint& b, const GPoint& x, const GPoint& pick) {
  const double len = GetPointDistance(a.x, a.y, b.x, b.y);
  const double dx = (b.x - a.x) / len, dy = (b.y - a.y) / len;
  const double ta = (a.x - x.x) * dx + (a.y - x.y) * dy;
  const double tb = (b.x - x.x) * dx + (b.y - x.y) * dy;
  const double tp = (pick.x - x.x) * dx + (pick.y - x.y) * dy;
  // The pick's side of X; a pick on X keeps the longer side.
  double sign;
  if (std::fabs(tp) > kGeomTolerance)
    sign = tp > 0 ? 1.0 : -1.0;
  else
    sign = std::fabs(ta) >= std::fabs(tb) ? (ta >= 0 ? 1.0 : -1.0) : (tb >= 0 ? 1.0 : -1.0);
  KeptSide k;
  k.ux = sign * dx;
  k.uy = sign * dy;
  const double sa = sign * ta, sb = sign * tb;
  k.end = sa >= sb ? a : b;
  k.length = std::max(0.0, std::max(sa, sb));
  return k;
}

// Replaces an edge taken out of the drawing by its piece from the kept end
// to `to`, or records it as gone when that piece has no length.
CEntity* ReplaceEdge(CDraftView& view, CEntity* edge, const GPoint& from, const GPoint& to, CUndoRecord* record) {
  if (IsSamePoint(from, to)) {
    if (record) record->AddOld(edge);
    return nullptr;
  }
  CEntity* piece = ConstructLineEntity(edge->GetEntityLayer(), edge->GetEntityGroup(), from.x, from.y, to.x, to.y, 1);
  piece->SetEntityOwner(edge->GetEntityOwner());
  view.AddEntityToView(piece, record, edge, 1);
  return piece;
}
}  // namespace

CEntity* CDraftView::MakeChamfer(int trimType, CEntity* first, CEntity* second, double p1x, double p1y, double p2x,
                                 double p2y, double len1, double len2, BOOL, int layer, CDrawingGroup* group,
                                 CUndoRecord* record) {
  if (!first || !second || !first->IsLine() || !second->IsLine() || first == second) return nullptr;
  double f[kMaxGeometryValues], s[kMaxGeometryValues];
  first->GetGeometry(f);
  second->GetGeometry(s);
  const GPoint f1{f[0], f[1]}, f2{f[2], f[3]}, s1{s[0], s[1]}, s2{s[2], s[3]};
  GPoint x;
  if (!IntersectLines(f1, f2, s1, s2, x)) return nullptr;
  const KeptSide k1 = KeepSide(f1, f2, x, {p1x, p1y});
  const KeptSide k2 = KeepSide(s1, s2, x, {p2x, p2y});
  const bool cutFirst = trimType == 1 || trimType == 2 || trimType == 5;
  const bool cutSecond = trimType == 1 || trimType == 3 || trimType == 5;

  if (trimType == 5) {
    if (k1.length <= kGeomTolerance || k2.length <= kGeomTolerance) return nullptr;
    CEntity* piece = ReplaceEdge(*this, first, k1.end, x, record);
    ReplaceEdge(*this, second, k2.end, x, record);
    return piece;
  }
  if (!(len1 > 0) || !(len2 > 0) || len1 > k1.length + kGeomTolerance || len2 > k2.length + kGeomTolerance)
    return nullptr;
  const GPoint c1{x.x + len1 * k1.ux, x.y + len1 * k1.uy};
  const GPoint c2{x.x + len2 * k2.ux, x.y + len2 * k2.uy};
  if (cutFirst) ReplaceEdge(*this, first, k1.end, c1, record);
  if (cutSecond) ReplaceEdge(*this, second, k2.end, c2, record);
  CEntity* chamfer = ConstructLineEntity(layer, group, c1.x, c1.y, c2.x, c2.y, 1);
  AddEntityToView(chamfer, record, nullptr, 1);
  return chamfer;
}
