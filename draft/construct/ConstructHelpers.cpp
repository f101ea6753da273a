#include "draft/construct/ConstructHelpers.h"

#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/host/NumberFormat.h"

namespace construct {

double CurrentScale(CDraftView* view) { return GetGroupScale(view ? view->GetCurrentGroup() : nullptr); }

CLineEntity* NewLine(CDraftView* view, double x1, double y1, double x2, double y2) {
  return ConstructLineEntity(view->GetCurrentLayer(), view->GetCurrentGroup(), x1, y1, x2, y2, 1);
}

CStringA FormatLength(CDraftView* view, double value) {
  return FormatNumberText(value, GetNumberFormat(view->GetUnitSettings().length));
}

}  // namespace construct
