// CDrawToolSet: the tool singletons of the diagram views and the two tools
// a host may replace with derived ones: the select tool and the arc tool.
// The select tool is the active tool from start-up.
#pragma once

class CArcTool;
class CDrawTool;
class CSelectTool;

class CDrawToolSet {
 public:
  static CSelectTool* GetSelectTool() { return c_pSelectTool; }
  static CArcTool* GetArcTool() { return c_pArcTool; }
  // Puts a host's tool in place of the current one; when the replaced tool
  // was active, the new one becomes active.
  static void SetSelectTool(CSelectTool* tool);
  static void SetArcTool(CArcTool* tool);

  static CSelectTool selectTool;
  static CArcTool arcTool;
  static CSelectTool* c_pSelectTool;
  static CArcTool* c_pArcTool;
};
