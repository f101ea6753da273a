#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "draft/host/EllipseEntity.h"
#include "draft/host/EllipseGeometry.h"

namespace {

EllipseGeom Geom(double cx, double cy, double a, double b, double rotation) {
  const double v[7] = {cx, cy, a, b, rotation, 0, 360};
  EllipseGeom g = ConstructEllipseGeom(v);
  PrepareEllipseGeom(g);
  return g;
}

TEST(EllipseGeometryTest, TheAngleOfAPointIsTheEntitysParameter) {
  CEllipseEntity e(0, nullptr, 10, 20, 30, 10, 35, 0, 360);
  CEllipseCalculator calc;
  calc.SetEllipse(Geom(10, 20, 30, 10, 35));
  for (double t : {0.0, 17.0, 90.0, 200.5, 359.0}) {
    EXPECT_NEAR(calc.AngleOfPoint(e.PointAt(t)), t, 1e-9);
    const GPoint p = calc.PointAt(t), q = e.PointAt(t);
    EXPECT_NEAR(p.x, q.x, 1e-9);
    EXPECT_NEAR(p.y, q.y, 1e-9);
  }
  // The free function takes the same convention, a point off the ellipse
  // by its place scaled to the unit circle.
  for (double t : {0.0, 17.0, 135.0, 290.25}) {
    EXPECT_NEAR(GetEllipsePointAngle({10, 20}, 30, 10, 35, e.PointAt(t)), t, 1e-9);
    const GPoint on = e.PointAt(t);
    const GPoint off{10 + 2 * (on.x - 10), 20 + 2 * (on.y - 20)};
    EXPECT_NEAR(GetEllipsePointAngle({10, 20}, 30, 10, 35, off), t, 1e-9);
  }
  EXPECT_EQ(GetEllipsePointAngle({10, 20}, 30, 10, 35, {10, 20}), 0.0);
  EXPECT_TRUE(calc.IsAngleInRange(10, 350, 20));
  EXPECT_FALSE(calc.IsAngleInRange(30, 350, 20));
  EXPECT_TRUE(calc.IsAngleInRange(123, 50, 50));  // equal: the whole ellipse
}

TEST(EllipseGeometryTest, CrossingsWithLinesCirclesAndEllipses) {
  GPoint out[4];
  const EllipseGeom g = Geom(0, 0, 20, 10, 0);
  EXPECT_EQ(IntersectLineEllipse({-50, 0}, {50, 0}, g, out), 2);
  EXPECT_NEAR(std::max(out[0].x, out[1].x), 20, 1e-9);
  EXPECT_EQ(IntersectLineEllipse({-50, 10}, {50, 10}, g, out), 1);  // touching
  EXPECT_EQ(IntersectLineEllipse({-50, 11}, {50, 11}, g, out), 0);
  EXPECT_EQ(IntersectCircleEllipse({0, 0}, 15, g, out), 4);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(std::hypot(out[i].x, out[i].y), 15, 1e-7);
  EXPECT_EQ(IntersectCircleEllipse({0, 0}, 10, g, out), 2);  // touching at the minor axis
  EXPECT_EQ(IntersectCircleEllipse({0, 0}, 25, g, out), 0);
  EXPECT_EQ(IntersectEllipses(g, Geom(0, 0, 20, 10, 90), out), 4);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(std::fabs(out[i].x), std::fabs(out[i].y), 1e-7);
  EXPECT_EQ(IntersectEllipses(g, Geom(100, 0, 20, 10, 0), out), 0);
}

}  // namespace
