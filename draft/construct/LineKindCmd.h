// The two-point polyline line: the line command's two points, construction
// kinds and TAB symmetry, but each pair of points makes one two-point
// entity that keeps its ends and is drawn as the host's polyline between
// them (BuildPolylineBetween). One undo step per entity; no chaining.
#pragma once

#include "draft/construct/LineCmd.h"
#include "draft/host/Geometry2D.h"

class CLineKindCmd : public CLineCmd {
 public:
  explicit CLineKindCmd(int id);

  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

 private:
  // The entity's ends for the points a and b: b under the construction
  // kind's constraint, then the TAB symmetry (which may move a).
  void EndPoints(CDraftView* view, GPoint& a, GPoint& b);
};
