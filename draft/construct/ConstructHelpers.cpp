#include "draft/construct/ConstructHelpers.h"

#include <algorithm>

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/RadiusInputDlg.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/NumberFormat.h"
#include "platform/core/WinConstants.h"

namespace construct {

double CurrentScale(CDraftView* view) { return GetGroupScale(view ? view->GetCurrentGroup() : nullptr); }

CLineEntity* NewLine(CDraftView* view, double x1, double y1, double x2, double y2) {
  return ConstructLineEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), x1, y1, x2, y2, 1);
}

CStringA FormatLength(CDraftView* view, double value) {
  return FormatNumberText(value, GetNumberFormat(view->GetUnitSettings().length));
}

CStringA FormatAngle(CDraftView* view, double degrees) {
  return FormatNumberText(degrees, GetNumberFormat(view->GetUnitSettings().angle));
}

CStringA FormatDegrees(CDraftView* view, double degrees) { return FormatAngle(view, degrees) + "%%s,d%%"; }

bool RunRadiusDialog(CDraftView* view, double scale, double value, UINT letter, double p1x, double p1y, double p2x,
                     double p2y, double p3x, double p3y, int reference, double& x, double& y, double& radius) {
  CModalDialogScope scope(view);
  CRadiusInputDlg dlg(nullptr, scale, value, letter);
  dlg.SetReferenceGeometry(p1x, p1y, p2x, p2y, p3x, p3y, reference);
  if (dlg.DoModal() != IDOK) return false;
  if (reference && !dlg.IsSolved()) return false;
  x = dlg.GetResultX();
  y = dlg.GetResultY();
  radius = dlg.GetValue();
  return true;
}

CEntity* FindSnappedEntity(CDraftView* view, DWORD handle) {
  CEntityList all;
  for (CEntity* e : *view->GetEntityList()) e->ListInto(all);
  for (CEntity* e : *view->GetSelectionList()) e->ListInto(all);
  for (CEntity* e : all)
    if (e->GetHandle() == handle) return e;
  return nullptr;
}

bool CrossEntity(const CEntity& entity, const GPoint& s, GPoint& e, const GPoint& ref) {
  constexpr int kMaxEntityCrossings = 8;
  double xmin, ymin, xmax, ymax;
  if (!entity.GetExtents(xmin, ymin, xmax, ymax)) return false;
  const double length = GetPointDistance(s.x, s.y, e.x, e.y);
  if (length < tressil::kGeomTolerance) return false;
  // A segment long enough to hold every crossing with the entity.
  double reach = 1.0;
  for (double x : {xmin, xmax})
    for (double y : {ymin, ymax}) reach = std::max(reach, 2.0 * GetPointDistance(s.x, s.y, x, y));
  const double ux = (e.x - s.x) / length, uy = (e.y - s.y) / length;
  CLineEntity probe(0, nullptr, s.x - reach * ux, s.y - reach * uy, s.x + reach * ux, s.y + reach * uy);
  GPoint crossings[kMaxEntityCrossings];
  const int n = entity.Intersect(probe, crossings, kMaxEntityCrossings);
  if (n <= 0) return false;
  GPoint best = crossings[0];
  for (int i = 1; i < n; ++i) best = SelectNearerPoint(ref, best, crossings[i]);
  e = best;
  return true;
}

}  // namespace construct
