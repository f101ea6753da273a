// The arc through two end points and a middle point; R or D after the two
// ends types its radius. TAB takes the complementary arc. The segment
// variant (CArc3PointAltCmd) adds the chord between the ends.
#pragma once

#include "draft/construct/Circle3PointCmd.h"

class CArc3PointCmd : public CCircle3PointCmd {
 public:
  explicit CArc3PointCmd(int id);

  // Only the second end is marked.
  int MarksPoints() override;
  int DrawPreview(CDraftView* view) override;
  void Execute(CDraftView* view) override;

 protected:
  // The arc with ends p0, p1 through p2, turned to the complementary one
  // with an odd TAB count.
  bool ComputeArc(const GPoint& p0, const GPoint& p1, const GPoint& p2, GPoint& centre, double& r, double& start,
                  double& end) const;

  int chord_ = 0;
};

class CArc3PointAltCmd : public CArc3PointCmd {
 public:
  explicit CArc3PointAltCmd(int id);
};
