#include "diagram/ui/DrawToolSet.h"

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/MonitorTool.h"
#include "diagram/ui/PlacerTool.h"
#include "diagram/ui/PolyTool.h"
#include "diagram/ui/RectTool.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/TextTool.h"
#include "diagram/ui/ZoomTool.h"

CSelectTool CDrawToolSet::selectTool;
CRectTool CDrawToolSet::lineTool(dsLine);
CRectTool CDrawToolSet::rectTool(dsRect);
CRectTool CDrawToolSet::roundRectTool(dsRoundRect);
CRectTool CDrawToolSet::ellipseTool(dsEllipse);
CPolyTool CDrawToolSet::polygonTool(dsPolygon);
CPolyTool CDrawToolSet::polylineTool(dsPolyline);
CTextTool CDrawToolSet::textTool;
CArcTool CDrawToolSet::arcTool(1);
CPlacerTool CDrawToolSet::blockTool(CPlacerTool::kPlacerCursor, RUNTIME_CLASS(CDrawBlock));
CPlacerTool CDrawToolSet::compositeBlockTool(CPlacerTool::kPlacerCursor, RUNTIME_CLASS(CCompositeBlock));
CMonitorTool CDrawToolSet::monitorTool;
CZoomTool CDrawToolSet::zoomTool;
CSelectTool* CDrawToolSet::c_pSelectTool = &CDrawToolSet::selectTool;
CArcTool* CDrawToolSet::c_pArcTool = &CDrawToolSet::arcTool;

CRectTool* CDrawToolSet::GetRectTool(DrawShape shape) {
  switch (shape) {
    case dsLine:
      return &lineTool;
    case dsRect:
      return &rectTool;
    case dsRoundRect:
      return &roundRectTool;
    case dsEllipse:
      return &ellipseTool;
    default:
      return nullptr;
  }
}

CPolyTool* CDrawToolSet::GetPolyTool(DrawShape shape) {
  switch (shape) {
    case dsPolygon:
      return &polygonTool;
    case dsPolyline:
      return &polylineTool;
    default:
      return nullptr;
  }
}

void CDrawToolSet::SetSelectTool(CSelectTool* tool) {
  if (!tool) return;
  const bool wasActive = CDrawTool::GetActiveTool() == c_pSelectTool;
  c_pSelectTool = tool;
  if (wasActive) CDrawTool::SetActiveTool(tool);
}

void CDrawToolSet::SetArcTool(CArcTool* tool) {
  if (!tool) return;
  const bool wasActive = CDrawTool::GetActiveTool() == c_pArcTool;
  c_pArcTool = tool;
  if (wasActive) CDrawTool::SetActiveTool(tool);
}
