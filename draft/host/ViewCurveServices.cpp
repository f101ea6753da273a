// The drafting view's crossings of an entity with a compound's members.
#include <algorithm>
#include <memory>
#include <vector>

#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"

namespace {
constexpr int kMaxMemberCrossings = 16;

// The carrier of an entity, reaching over the extents given.
std::unique_ptr<CEntity> Carrier(const CEntity& e, double xmin, double ymin, double xmax, double ymax) {
  double v[kMaxGeometryValues];
  const int n = e.GetGeometry(v);
  if ((e.IsLine() || e.IsTwoPointEntity()) && n >= 4) {
    const double len = GetPointDistance(v[0], v[1], v[2], v[3]);
    if (len <= tressil::kGeomTolerance) return nullptr;
    double reach = 1.0;
    for (double x : {xmin, xmax})
      for (double y : {ymin, ymax}) reach = std::max(reach, 2.0 * GetPointDistance(v[0], v[1], x, y));
    reach += len;
    const double ux = (v[2] - v[0]) / len, uy = (v[3] - v[1]) / len;
    return std::unique_ptr<CEntity>(
        new CLineEntity(0, nullptr, v[0] - reach * ux, v[1] - reach * uy, v[0] + reach * ux, v[1] + reach * uy));
  }
  if ((e.IsArc() || e.IsCircle()) && n >= 3) return std::unique_ptr<CEntity>(new CCircleEntity(0, nullptr, v[0], v[1], v[2]));
  if (e.IsEllipse() && n >= 7)
    return std::unique_ptr<CEntity>(new CEllipseEntity(0, nullptr, v[0], v[1], v[2], v[3], v[4], 0, 360));
  return nullptr;
}
}  // namespace

int CDraftView::IntersectWithCompound(const CEntity* entity, const CEntity* compound, double* xs, double* ys,
                                      int maxCount, int option) {
  if (!entity || !compound || !xs || !ys || maxCount <= 0) return 0;
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  if (!compound->GetExtents(xmin, ymin, xmax, ymax)) return 0;
  std::unique_ptr<CEntity> carrier;
  const CEntity* probe = entity;
  if (option == 0) {
    carrier = Carrier(*entity, xmin, ymin, xmax, ymax);
    if (carrier) probe = carrier.get();
  }
  CEntityList members;
  compound->ListInto(members);
  int n = 0;
  for (CEntity* m : members) {
    if (m == compound || m->IsBlock()) continue;
    GPoint hits[kMaxMemberCrossings];
    const int k = m->Intersect(*probe, hits, kMaxMemberCrossings);
    for (int i = 0; i < k && n < maxCount; ++i) {
      bool seen = false;
      for (int j = 0; j < n && !seen; ++j) seen = IsSamePoint(xs[j], ys[j], hits[i].x, hits[i].y);
      if (seen) continue;
      xs[n] = hits[i].x;
      ys[n] = hits[i].y;
      ++n;
    }
  }
  return n;
}
