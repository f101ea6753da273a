#include "draft/construct/ConstructHelpers.h"

#include "draft/framework/ModalDialogScope.h"
#include "draft/framework/RadiusInputDlg.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
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

}  // namespace construct
