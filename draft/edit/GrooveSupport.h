// What the two undercut commands share: the size dialog run at their start
// and the shortening of an outline line where a groove begins.
#pragma once

#include "draft/host/Geometry2D.h"
#include "platform/core/WinTypes.h"

class CDraftView;
class CEntity;
class CUndercutSizeDlg;

// Loads the dialog's two values from "depth" and "width" of its section
// (the defaults given) and runs it inside the library's resource scope with
// the view's modal-dialog flag set; TRUE on OK with the values in first and
// second (on any other answer they hold the loaded values).
BOOL RunGrooveSizeDialog(CDraftView* view, CUndercutSizeDlg& dlg, const char* section, const char* depthDefault,
                         const char* widthDefault, double& first, double& second);

// A copy of the line (its owner kept) that keeps the end of
// `line` lying on `keep`'s side of the point `at` on it and runs to `end`
// in place of the other end.
CEntity* CutLineTowards(const CEntity* line, const GPoint& keep, const GPoint& at, const GPoint& end);
