// The common tangent line of two picked arcs or circles: of the tangents,
// outer and inner, the one whose touching points lie nearest the two picks.
// The line takes the first entity's layer and group; the arcs stay as they
// are, whatever trim type the host gives, and each line is one undo step.
#pragma once

#include "draft/edit/ChamferCmd.h"

class CArcTangentLineCmd : public CChamferCmd {
 public:
  // `trimType` is the host's word for the chamfer family; the command takes
  // no edge out of the drawing under any type.
  CArcTangentLineCmd(int id, int trimType);

  int Begin(CDraftView* view) override;
  // A circle or an arc.
  BOOL AcceptsEdge(CEntity* entity) override;
  BOOL BuildCorner(CDraftView* view, BOOL onePick) override;
};
