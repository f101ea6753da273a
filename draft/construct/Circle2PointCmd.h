// The circle whose diameter runs between two points. R or D fixes the
// diameter along the cursor's direction from the first point.
#pragma once

#include "draft/construct/CircleCenterCmd.h"

class CCircle2PointCmd : public CCircleCenterCmd {
 public:
  explicit CCircle2PointCmd(int id);

  int OnRadiusKey(CDraftView* view, double& x, double& y, UINT letter) override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;
};
