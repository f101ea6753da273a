#include "draft/edit/GrooveSupport.h"

#include <cstdlib>

#include "draft/edit/UndercutSizeDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/Entity.h"
#include "draft/host/Settings.h"

BOOL RunGrooveSizeDialog(CDraftView* view, CUndercutSizeDlg& dlg, const char* section, const char* depthDefault,
                         const char* widthDefault, double& first, double& second) {
  first = std::atof(GetProfileStringSetting(section, "depth", depthDefault).GetString());
  second = std::atof(GetProfileStringSetting(section, "width", widthDefault).GetString());
  dlg.first = first;
  dlg.second = second;
  CModalDialogScope scope(view);
  if (dlg.DoModal() != IDOK) return FALSE;
  first = dlg.first;
  second = dlg.second;
  return TRUE;
}

CEntity* CutLineTowards(const CEntity* line, const GPoint& keep, const GPoint& at, const GPoint& end) {
  double v[kMaxGeometryValues] = {};
  line->GetGeometry(v);
  const GPoint a{v[0], v[1]}, b{v[2], v[3]};
  const double dx = keep.x - at.x, dy = keep.y - at.y;
  const bool keepA = (a.x - at.x) * dx + (a.y - at.y) * dy >= (b.x - at.x) * dx + (b.y - at.y) * dy;
  CEntity* cut = line->Clone();
  if (keepA)
    cut->SetEndPoints(a.x, a.y, end.x, end.y, 0);
  else
    cut->SetEndPoints(end.x, end.y, b.x, b.y, 0);
  cut->SetEntityOwner(line->GetEntityOwner());
  return cut;
}
