#include <gtest/gtest.h>

#include <cmath>

#include "draft/host/Geometry2D.h"

// The conventions every caller relies on: angle range, side sign, tolerance.
TEST(Geometry2D, LineAngleIsCounterClockwiseInZeroTo360) {
  struct Case { double x, y, angle; } cases[] = {
      {1, 0, 0}, {0, 1, 90}, {-1, 0, 180}, {0, -1, 270}, {1, -1e-9, 360 - 5.7295779513e-8}, {0, 0, 0}};
  for (const auto& c : cases) {
    const double a = GetLineAngle(0, 0, c.x, c.y);
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 360.0);
    EXPECT_NEAR(a, c.angle, 1e-6) << c.x << "," << c.y;
  }
  EXPECT_EQ(NormalizeAngle(-90), 270);
  EXPECT_EQ(NormalizeAngle(720), 0);
  EXPECT_EQ(NormalizeAngle(NAN), 0);
}

TEST(Geometry2D, PointLineDistanceIsPositiveOnTheLeft) {
  EXPECT_NEAR(GetPointLineDistance({0, 2}, {0, 0}, {10, 0}), 2.0, 1e-12);
  EXPECT_NEAR(GetPointLineDistance({0, -2}, {0, 0}, {10, 0}), -2.0, 1e-12);
  EXPECT_NEAR(GetPointLineDistance({0, 2}, {10, 0}, {0, 0}), -2.0, 1e-12);
}

TEST(Geometry2D, SamePointUsesTheToleranceOnEachAxis) {
  EXPECT_TRUE(IsSamePoint(1, 1, 1 + 9e-7, 1 - 9e-7));
  EXPECT_FALSE(IsSamePoint(1, 1, 1 + 2e-6, 1));
}

TEST(Geometry2D, Intersections) {
  GPoint p;
  EXPECT_TRUE(IntersectSegments({0, 0}, {10, 0}, {5, -5}, {5, 5}, p));
  EXPECT_NEAR(p.x, 5, 1e-12);
  EXPECT_FALSE(IntersectSegments({0, 0}, {10, 0}, {11, -5}, {11, 5}, p));  // beyond the end
  EXPECT_TRUE(IntersectLines({0, 0}, {10, 0}, {11, -5}, {11, 5}, p));
  EXPECT_FALSE(IntersectLines({0, 0}, {10, 0}, {0, 1}, {10, 1}, p));  // parallel

  GPoint two[2];
  EXPECT_EQ(IntersectLineCircle({-10, 0}, {10, 0}, {0, 0}, 5, two), 2);
  EXPECT_NEAR(two[0].x, -5, 1e-12);  // in order along the line
  EXPECT_EQ(IntersectLineCircle({-10, 5}, {10, 5}, {0, 0}, 5, two), 1);  // touching
  EXPECT_EQ(IntersectCircles({0, 0}, 5, {10, 0}, 5, two), 1);
  EXPECT_NEAR(two[0].x, 5, 1e-9);
  EXPECT_EQ(IntersectCircles({0, 0}, 5, {0, 0}, 5, two), 0);  // concentric
}

TEST(Geometry2D, ArcRangesRunCounterClockwise) {
  EXPECT_TRUE(IsAngleInArc(0, 270, 90));   // across zero
  EXPECT_FALSE(IsAngleInArc(180, 270, 90));
  EXPECT_TRUE(IsAngleInArc(123, 10, 10));  // equal ends: a full turn
  GPoint c;
  double r = 0;
  EXPECT_TRUE(GetCircleBy3Points({1, 0}, {0, 1}, {-1, 0}, c, r));
  EXPECT_NEAR(r, 1, 1e-12);
  EXPECT_FALSE(GetCircleBy3Points({0, 0}, {1, 1}, {2, 2}, c, r));
}
