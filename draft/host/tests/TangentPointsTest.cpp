#include <gtest/gtest.h>

#include <cmath>

#include "draft/host/TangentPoints.h"

// From (20, 0) to the circle of radius 10 about the origin the touching
// points lie 60 degrees either side of +x; each line from the point is
// perpendicular to the radius it touches.
TEST(TangentPoints, FromOutsideInsideAndOnTheCircle) {
  const GPoint c{0, 0};
  GPoint t[2];
  ASSERT_EQ(GetTangentPoints({20, 0}, c, 10, t), 2);
  const double h = 10 * std::sqrt(0.75);
  EXPECT_NEAR(t[0].x, 5, 1e-9);
  EXPECT_NEAR(t[0].y, h, 1e-9);  // counter-clockwise of the direction to the point
  EXPECT_NEAR(t[1].x, 5, 1e-9);
  EXPECT_NEAR(t[1].y, -h, 1e-9);
  for (const GPoint& p : t) EXPECT_NEAR((20 - p.x) * p.x + (0 - p.y) * p.y, 0, 1e-9);

  EXPECT_EQ(GetTangentPoints({3, 4}, c, 10, t), 0);  // inside
  EXPECT_EQ(GetTangentPoints({3, 4}, c, 0, t), 0);   // no circle
  ASSERT_EQ(GetTangentPoints({6, 8}, c, 10, t), 1);  // on it: the point itself
  EXPECT_NEAR(t[0].x, 6, 1e-12);
  EXPECT_NEAR(t[0].y, 8, 1e-12);
}
