// The view-rectangle picker that tells its target window by WM_USER+11.
#pragma once

#include "draft/edit/ViewClipRectCmd.h"

class CViewClipRectAltCmd : public CViewClipRectCmd {
 public:
  CViewClipRectAltCmd(CWnd* target, int id);
};
