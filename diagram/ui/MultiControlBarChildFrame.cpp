#include "diagram/ui/MultiControlBarChildFrame.h"

#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNCREATE(CMultiControlBarChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CMultiControlBarChildFrame, CMDIChildWnd)
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

void CMultiControlBarChildFrame::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) {
  if (!activate) EnableChildSpecificControlBars(FALSE);
  CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
  if (activate) EnableChildSpecificControlBars(TRUE);
}
