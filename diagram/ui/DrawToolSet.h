// CDrawToolSet: the tool singletons of the diagram views and the two tools
// a host may replace with derived ones: the select tool and the arc tool.
// The select tool is the active tool from start-up.
#pragma once

#include "diagram/ui/DrawTool.h"

class CArcTool;
class CMonitorTool;
class CPlacerTool;
class CPolyTool;
class CRectTool;
class CSelectTool;
class CTextTool;
class CZoomTool;

class CDrawToolSet {
 public:
  static CSelectTool* GetSelectTool() { return c_pSelectTool; }
  static CArcTool* GetArcTool() { return c_pArcTool; }
  static CTextTool* GetTextTool() { return &textTool; }
  static CPlacerTool* GetBlockTool() { return &blockTool; }
  // The placer of composite blocks.
  static CPlacerTool* GetCompositeBlockTool() { return &compositeBlockTool; }
  static CMonitorTool* GetMonitorTool() { return &monitorTool; }
  static CZoomTool* GetZoomTool() { return &zoomTool; }
  // The line, rectangle, rounded-rectangle or ellipse tool; null for any
  // other shape.
  static CRectTool* GetRectTool(DrawShape shape);
  // The polygon or polyline tool; null for any other shape.
  static CPolyTool* GetPolyTool(DrawShape shape);
  // Puts a host's tool in place of the current one; when the replaced tool
  // was active, the new one becomes active.
  static void SetSelectTool(CSelectTool* tool);
  static void SetArcTool(CArcTool* tool);

  static CSelectTool selectTool;
  static CRectTool lineTool;
  static CRectTool rectTool;
  static CRectTool roundRectTool;
  static CRectTool ellipseTool;
  static CPolyTool polygonTool;
  static CPolyTool polylineTool;
  static CTextTool textTool;
  static CArcTool arcTool;
  static CPlacerTool blockTool;
  static CPlacerTool compositeBlockTool;
  static CMonitorTool monitorTool;
  static CZoomTool zoomTool;
  static CSelectTool* c_pSelectTool;
  static CArcTool* c_pArcTool;
};
