// The progress dialog of a routing pass, which the diagram makes for the
// routers: a member of CDiagram that belongs to the routing room.
#include "diagram/model/canvas/Diagram.h"

#include "diagram/routing/ProgressDlg.h"

CProgressDlg* CDiagram::GetArcRoutingProgressDlg(int count) {
  if (count < 10) return nullptr;
  auto* dialog = new CProgressDlg(0, count, 1, ArcRoutingProgressCaptionID(), m_bCanArcRoutingBeCancelled ? 0 : 1);
  if (!dialog->Create()) {
    delete dialog;
    return nullptr;
  }
  return dialog;
}
