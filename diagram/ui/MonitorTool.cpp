#include "diagram/ui/MonitorTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/ui/DrawView.h"

namespace {

// The monitor mode that toggles the flag.
constexpr int kToggle = 2;

}  // namespace

CMonitorTool::CMonitorTool() : CDrawTool(dsMonitor) {}

void CMonitorTool::OnLButtonDown(CDrawView* view, unsigned, const CPoint& point) {
  CDiagram* diagram = view->GetDiagram();
  if (!diagram) return;
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  diagram->SetLastClickPoint(docPoint);
  CDrawObj* hit = diagram->ObjectAt(view, point, nullptr);
  if (!hit) return;
  if (hit->IsKindOf(RUNTIME_CLASS(CDrawPort))) {
    static_cast<CDrawPort*>(hit)->Monitor(kToggle);
  } else if (hit->IsKindOf(RUNTIME_CLASS(CDrawBlock))) {
    static_cast<CDrawBlock*>(hit)->Monitor(kToggle);
  }
}

void CMonitorTool::OnLButtonUp(CDrawView*, unsigned, const CPoint&) {}

void CMonitorTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  if (!m_bCursorLoaded) {
    m_bCursorLoaded = TRUE;
    LoadCursorForTool(kMonitorCursor, FALSE);
  }
  CDrawTool::OnMouseMove(view, flags, point);
}
