// The view's routing commands: routing the arcs its selection chooses, the
// routing options sheet of its diagram and moving its objects off page
// boundaries.
#include "diagram/model/canvas/Diagram.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/CmdTarget.h"

void CDrawView::OnRouteArcs() {
  if (m_pDiagram) m_pDiagram->RouteArcs(m_selection, 0);
}

void CDrawView::OnOptionsArcRouting() {
  if (m_pDiagram) m_pDiagram->ChangeRouteOptions();
}

void CDrawView::OnObjectAvoidpageboundary() {
  if (!m_pDiagram) return;
  // The routing margins, widened by four minimum wire distances above and
  // below a boundary and by six beside it.
  const AutoRouteOption& option = CDiagram::m_autoRouteOption;
  const int d = option.m_nMinDistance;
  m_pDiagram->AvoidPageBoundary(option.m_nTopMargin + 4 * d, option.m_nBottomMargin + 4 * d,
                                option.m_nLeftMargin + 6 * d, option.m_nRightMargin + 6 * d,
                                option.m_bRouteJustBlocks);
}

void CDrawView::OnUpdateObjectAvoidpageboundary(CCmdUI* cmdUI) {
  cmdUI->Enable(m_pDiagram && !m_pDiagram->GetObjects().IsEmpty());
}
