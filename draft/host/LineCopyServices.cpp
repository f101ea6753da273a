#include "draft/host/LineCopyServices.h"

#include <cmath>

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/LayerTable.h"

double GetLinesDistance(const GPoint& a1, const GPoint& a2, const GPoint& b1, const GPoint& b2, double& angle) {
  angle = 0.0;
  if (IsSamePoint(a1, a2) || IsSamePoint(b1, b2)) return 0.0;
  angle = NormalizeAngle(GetLineAngle(b1.x, b1.y, b2.x, b2.y) - GetLineAngle(a1.x, a1.y, a2.x, a2.y));
  const double ax = a2.x - a1.x, ay = a2.y - a1.y;
  const double bx = b2.x - b1.x, by = b2.y - b1.y;
  const double sine = (ax * by - ay * bx) / (std::hypot(ax, ay) * std::hypot(bx, by));
  if (std::fabs(sine) > tressil::kGeomTolerance) return 0.0;
  return std::fabs(GetPointLineDistance(b1, a1, a2));
}

BOOL TestSegmentPair(const GPoint& s1, const GPoint& s2, const GPoint& e1, const GPoint& e2) {
  if (IsSamePoint(s1, s2)) return FALSE;
  return std::fabs(GetPointLineDistance(e1, s1, s2)) <= tressil::kGeomTolerance &&
                 std::fabs(GetPointLineDistance(e2, s1, s2)) <= tressil::kGeomTolerance
             ? TRUE
             : FALSE;
}

BOOL IsBaseLineEntity(CDraftView* view, const CEntity* entity) {
  if (!view || !entity || !entity->IsLine()) return FALSE;
  const CLayerRecord* record = view->GetEntityLayerInfo(entity);
  return record && record->GetLineKind() == kLineStyleCenter ? TRUE : FALSE;
}

BOOL IsCopyExcludedOwner(const CEntity* owner) {
  return owner && (owner->IsKeptWhole() || owner->IsTable()) ? TRUE : FALSE;
}
