#include "diagram/ui/DrawToolSet.h"

#include "diagram/ui/ArcTool.h"
#include "diagram/ui/SelectTool.h"

CSelectTool CDrawToolSet::selectTool;
CArcTool CDrawToolSet::arcTool(1);
CSelectTool* CDrawToolSet::c_pSelectTool = &CDrawToolSet::selectTool;
CArcTool* CDrawToolSet::c_pArcTool = &CDrawToolSet::arcTool;

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
