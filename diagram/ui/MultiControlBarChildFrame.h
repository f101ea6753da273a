// An MDI child frame that lets the active child switch its own bars: it
// calls EnableChildSpecificControlBars(FALSE) before it loses the
// activation and EnableChildSpecificControlBars(TRUE) after it gains it.
#pragma once

#include "platform/ui/MDIChildWnd.h"

class CMultiControlBarChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CMultiControlBarChildFrame)

 public:
  // Hook: the child's own bars on or off.
  virtual void EnableChildSpecificControlBars(BOOL) {}

 protected:
  afx_msg void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
  DECLARE_MESSAGE_MAP()
};
