// The line and arc tests and the layer search by line style.
#include <gtest/gtest.h>

#include <cmath>

#include "draft/host/Geometry2D.h"
#include "draft/host/LayerTable.h"

TEST(LineAndArcTests, LineEquationKeepsTheSideOfAPoint) {
  struct Case {
    GPoint a, b, p;
    double expected;  // a·p.x + b·p.y + c, a unit normal: minus the signed distance
  };
  const Case cases[] = {
      {{0, 30}, {40, 30}, {10, 15}, 15},   // horizontal, point below
      {{0, 0}, {0, 10}, {3, 5}, -3},       // vertical, point right
      {{0, 0}, {10, 10}, {0, 10}, -std::sqrt(50.0)},
  };
  for (const Case& c : cases) {
    double a = 0, b = 0, k = 0;
    GetLineEquation(c.a, c.b, a, b, k);
    EXPECT_NEAR(std::hypot(a, b), 1.0, 1e-12);
    EXPECT_NEAR(a * c.p.x + b * c.p.y + k, -GetPointLineDistance(c.p, c.a, c.b), 1e-9);
    EXPECT_NEAR(std::fabs(a * c.p.x + b * c.p.y + k), std::fabs(c.expected), 1e-9);
  }
  double a = 1, b = 1, k = 1;
  GetLineEquation({2, 2}, {2, 2}, a, b, k);
  EXPECT_EQ(a, 0.0);
  EXPECT_EQ(b, 0.0);
  EXPECT_EQ(k, 0.0);
}

TEST(LineAndArcTests, SignFactorPointOnLineAndOnArc) {
  EXPECT_EQ(GetSignFactor(-1.0), -1.0);
  EXPECT_EQ(GetSignFactor(-1e-7), 1.0);
  EXPECT_EQ(GetSignFactor(0.0), 1.0);
  EXPECT_EQ(GetSignFactor(3.0), 1.0);

  EXPECT_TRUE(IsPointOnLine({20, 20}, {0, 0}, {10, 10}));  // beyond the ends: the line, not the segment
  EXPECT_FALSE(IsPointOnLine({20, 20.001}, {0, 0}, {10, 10}));
  EXPECT_TRUE(IsPointOnLine({1, 1}, {1, 1}, {1, 1}));
  EXPECT_FALSE(IsPointOnLine({1, 2}, {1, 1}, {1, 1}));

  struct Case {
    GPoint p;
    double start, end;
    bool on;
  };
  const Case cases[] = {
      {{0, 10}, 30, 150, true},    {{10, 0}, 30, 150, false},  {{0, -10}, 30, 150, false},
      {{0, -10}, 150, 30, true},   {{10, 0}, 0, 0, true},      {{0, 9}, 0, 360, false},
      {{-10, 0}, 0, 180, true},    {{-10, 0}, 0, 179, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsPointOnArc(c.p, {0, 0}, 10, c.start, c.end), c.on) << c.p.x << "," << c.p.y << " " << c.start;
}

TEST(LineAndArcTests, FindsLayersByPatternAndWeight) {
  CLayerTable table;
  EXPECT_EQ(FindLayerByStyle(&table, 2, 0, 0), 2);  // dash-dot: the centre-line layer
  EXPECT_EQ(FindLayerByStyle(&table, 0, 1, 1), 0);  // continuous thick
  EXPECT_EQ(FindLayerByStyle(&table, 0, 0, 1), 1);  // continuous thin
  EXPECT_EQ(FindLayerByStyle(&table, 1, 0, 4), 3);  // dashed
  EXPECT_EQ(FindLayerByStyle(&table, 3, 0, 0), 4);
  EXPECT_EQ(FindLayerByStyle(nullptr, 1, 0, 4), 3);
  EXPECT_EQ(FindLayerByStyle(&table, 9, 0, 0), -1);
  // A table whose centre-line style moved to another layer is searched as it is.
  table.GetLayerRecord(2)->SetLineKind(kLineStyleThin);
  table.GetLayerRecord(20)->SetLineKind(kLineStyleCenter);
  EXPECT_EQ(FindLayerByStyle(&table, 2, 0, 0), 20);
}
