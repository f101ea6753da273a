// The circle through three points. R or D after two points types the
// radius: the third point is then on the circle of that radius through the
// two, towards the cursor. It is the base of the three-point arcs.
#pragma once

#include "draft/construct/CircleCenterCmd.h"

class CCircle3PointCmd : public CCircleCenterCmd {
 public:
  explicit CCircle3PointCmd(int id);

  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
};
