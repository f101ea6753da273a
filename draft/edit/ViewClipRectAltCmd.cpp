#include "draft/edit/ViewClipRectAltCmd.h"

#include "platform/core/WinConstants.h"

CViewClipRectAltCmd::CViewClipRectAltCmd(CWnd* target, int id) : CViewClipRectCmd(target, id, WM_USER + 11) {}
