// The view's routing commands: routing the arcs its selection chooses and
// the routing options sheet of its diagram.
#include "diagram/model/Diagram.h"
#include "diagram/ui/DrawView.h"

void CDrawView::OnRouteArcs() {
  if (m_pDiagram) m_pDiagram->RouteArcs(m_selection, 0);
}

void CDrawView::OnOptionsArcRouting() {
  if (m_pDiagram) m_pDiagram->ChangeRouteOptions();
}
