// The example host's own dimension tool: the library has no command that
// makes a dimension, so the host offers one that pickers and editors can
// work on. Two clicks give the points measured, a third where the
// dimension line runs (parallel to the two points); the dimension is one
// entity of the current layer and group: its two extension lines, the
// dimension line with a tick at each end, and the measured length (in the
// group's units, at most two decimals) written above the line's middle,
// 3.5 units high. Its value array holds that text, with the length as its
// basic size, and its style shows a code and deviations once they are
// given. One undo step; the right button ends the tool.
#pragma once

#include "draft/framework/CmdBase.h"

class CDimensionEntity;
class CDrawingGroup;
class CTextAttrib;

namespace draftsession {

class CSessionDimCmd : public CCmdBase {
 public:
  explicit CSessionDimCmd(int id);

  void Execute(CDraftView* view) override;
};

// A linear dimension of (x1, y1)-(x2, y2) whose dimension line passes
// through (x3, y3), made as the tool makes it (the caller's); null when the
// two points coincide.
CDimensionEntity* MakeLinearDimension(int layer, CDrawingGroup* group, const CTextAttrib& attr, double x1,
                                      double y1, double x2, double y2, double x3, double y3);

}  // namespace draftsession
