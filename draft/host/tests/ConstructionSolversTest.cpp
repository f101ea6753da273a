#include <gtest/gtest.h>

#include "draft/host/ConstructionSolvers.h"

TEST(ConstructionSolvers, ConstrainLinePointKeepsOrFixesTheDirection) {
  struct Case {
    int kind;
    double angleIn;
    int axonometric;
    double ex, ey;  // the end given
    BOOL changed;
    double x, y, angle;  // the end and angle after
  };
  const Case cases[] = {
      {kConstrainDirection, 0, 0, 3, 4, TRUE, 3, 4, 53.130102354},             // the direction is kept
      {kConstrainDirection, 0, 1, 10, 1, TRUE, 7.933012702, 4.580127019, 30},  // onto the nearest axonometric axis
      {kConstrainDirection, 0, 1, -1, 10, TRUE, 0, 10, 90},
      {kConstrainDirection, 7, 0, 0, 0, FALSE, 0, 0, 7},      // no direction: nothing changes
      {kConstrainFixedAngle, 90, 0, 5, 8, TRUE, 0, 8, 90},    // the foot on the fixed line
      {kConstrainFixedAngle, -315, 0, 0, 2, TRUE, 1, 1, 45},  // the angle is normalised
      {kConstrainFixedAngle, 0, 0, -6, 3, TRUE, -6, 0, 0},    // behind the start too
      {3, 0, 0, 5, 5, FALSE, 5, 5, 0},                        // not a constraint kind
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kind << " " << c.ex << "," << c.ey);
    double x = c.ex, y = c.ey, angle = c.angleIn;
    EXPECT_EQ(ConstrainLinePoint(0, 0, x, y, c.kind, angle, 0, c.axonometric, 0), c.changed);
    EXPECT_NEAR(x, c.x, 1e-8);
    EXPECT_NEAR(y, c.y, 1e-8);
    EXPECT_NEAR(angle, c.angle, 1e-8);
  }
}

TEST(ConstructionSolvers, RoundAngleMakesComputedAnglesComparable) {
  EXPECT_EQ(RoundAngle(359.99999999), 0.0);
  EXPECT_EQ(RoundAngle(-0.00000001), 0.0);
  EXPECT_EQ(RoundAngle(30.0000000001), 30.0);
  EXPECT_EQ(RoundAngle(390), 30.0);
  EXPECT_EQ(RoundAngle(100.25), 100.25);
}

TEST(ConstructionSolvers, CentreForRadiusPicksTheCircleNearerTheThirdPoint) {
  GPoint c;
  ASSERT_TRUE(SolveCentreForRadius({0, 0}, {8, 0}, {4, 9}, 5, c));
  EXPECT_NEAR(c.x, 4, 1e-12);
  EXPECT_NEAR(c.y, 3, 1e-12);  // the circle through (4, 8) passes nearer (4, 9)
  ASSERT_TRUE(SolveCentreForRadius({0, 0}, {8, 0}, {4, -9}, 5, c));
  EXPECT_NEAR(c.y, -3, 1e-12);
  ASSERT_TRUE(SolveCentreForRadius({0, 0}, {8, 0}, {0, 0}, 4, c));  // a half circle: one centre
  EXPECT_NEAR(c.x, 4, 1e-12);
  EXPECT_NEAR(c.y, 0, 1e-12);
  EXPECT_FALSE(SolveCentreForRadius({0, 0}, {8, 0}, {4, 1}, 3.9, c));  // too small to reach both
  EXPECT_FALSE(SolveCentreForRadius({1, 1}, {1, 1}, {4, 1}, 3, c));    // no chord
  EXPECT_FALSE(SolveCentreForRadius({0, 0}, {8, 0}, {4, 1}, 0, c));
  EXPECT_FALSE(SolveCentreForRadius({0, 0}, {8, 0}, {4, 1}, -5, c));
}
