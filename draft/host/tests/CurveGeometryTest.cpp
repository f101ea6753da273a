#include <gtest/gtest.h>

#include <cmath>

#include "draft/host/CurveGeometry.h"
#include "draft/host/NumberFormat.h"

namespace {
constexpr double kEps = 1e-9;
}  // namespace

TEST(CurveGeometry, ArcFromTangentAndPoint) {
  struct Case {
    const char* what;
    double tangent;
    GPoint start, cursor;
    int fixed;
    double radiusIn;
    int result;
    double cx, cy, r, s, e;
  };
  const Case cases[] = {
      // Leaving (0,0) along +x, the cursor up-left of the tangent: a left turn.
      {"left turn to the cursor", 0, {0, 0}, {10, 10}, 0, 0, 1, 0, 10, 10, 270, 360},
      {"right turn to the cursor", 0, {0, 0}, {10, -10}, 0, 0, 1, 0, -10, 10, 0, 90},
      {"half circle", 90, {0, 0}, {-20, 0}, 0, 0, 1, -10, 0, 10, 0, 180},
      {"fixed radius ends on the ray to the cursor", 0, {0, 0}, {0, 20}, 1, 5, 1, 0, 5, 5, 270, 450},
      {"fixed radius to the right", 0, {0, 0}, {9, -5}, 1, 5, 1, 0, -5, 5, 0, 90},
      {"cursor on the tangent line", 0, {0, 0}, {10, 0}, 0, 0, 0, 0, 0, 0, 0, 0},
      {"cursor at the fixed centre", 0, {0, 0}, {0, 5}, 1, 5, 0, 0, 0, 0, 0, 0},
      {"fixed radius not positive", 0, {0, 0}, {0, 5}, 1, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    double cx = -1, cy = -1, r = c.radiusIn, s = -1, e = -1;
    ASSERT_EQ(ArcFromTangentAndPoint(c.tangent, c.start, {-5, 0}, c.cursor, cx, cy, r, s, e, c.fixed), c.result);
    if (!c.result) {
      EXPECT_EQ(cx, -1);  // nothing written
      continue;
    }
    EXPECT_NEAR(cx, c.cx, kEps);
    EXPECT_NEAR(cy, c.cy, kEps);
    EXPECT_NEAR(r, c.r, kEps);
    EXPECT_NEAR(s, c.s, 1e-7);
    EXPECT_NEAR(e, c.e, 1e-7);
  }
}

TEST(CurveGeometry, ArcByThreePointsRunsThroughTheMiddlePoint) {
  struct Case {
    GPoint p1, p2, p3;
    bool ok;
    double cx, cy, r, s, e;
  };
  const Case cases[] = {
      {{10, 0}, {-10, 0}, {0, 10}, true, 0, 0, 10, 0, 180},    // upper half: from p1 to p2
      {{10, 0}, {-10, 0}, {0, -10}, true, 0, 0, 10, 180, 360},  // lower half: from p2 to p1
      {{0, 10}, {10, 0}, {-10, 0}, true, 0, 0, 10, 90, 360},    // three quarters
      {{0, 0}, {5, 5}, {10, 10}, false, 0, 0, 0, 0, 0},         // collinear
      {{0, 0}, {0, 0}, {10, 10}, false, 0, 0, 0, 0, 0},         // coincident ends
  };
  for (const Case& c : cases) {
    GPoint centre;
    double r = 0, s = 0, e = 0;
    ASSERT_EQ(GetArcBy3Points(c.p1, c.p2, c.p3, centre, r, s, e), c.ok);
    if (!c.ok) continue;
    EXPECT_NEAR(centre.x, c.cx, kEps);
    EXPECT_NEAR(centre.y, c.cy, kEps);
    EXPECT_NEAR(r, c.r, kEps);
    EXPECT_NEAR(s, c.s, 1e-7);
    EXPECT_NEAR(e, c.e, 1e-7);
  }
}

TEST(CurveGeometry, LineCircleCrossingsAlwaysFillBothPoints) {
  struct Case {
    GPoint a, b;
    double r;
    int n;
    GPoint first, second;
  };
  const Case cases[] = {
      {{-20, 0}, {20, 0}, 10, 2, {-10, 0}, {10, 0}},   // in order along a->b
      {{20, 0}, {-20, 0}, 10, 2, {10, 0}, {-10, 0}},
      {{-20, 10}, {20, 10}, 10, 1, {0, 10}, {0, 10}},  // touching: the point twice
      {{-20, 15}, {20, 15}, 10, 0, {0, 15}, {0, 15}},  // missing: the foot twice
      {{3, 4}, {3, 4}, 10, 0, {3, 4}, {3, 4}},         // a point, not a line
  };
  for (const Case& c : cases) {
    GPoint out[2] = {{99, 99}, {99, 99}};
    EXPECT_EQ(IntersectLineCircleEx(c.a, c.b, {0, 0}, c.r, out), c.n);
    EXPECT_NEAR(out[0].x, c.first.x, kEps);
    EXPECT_NEAR(out[0].y, c.first.y, kEps);
    EXPECT_NEAR(out[1].x, c.second.x, kEps);
    EXPECT_NEAR(out[1].y, c.second.y, kEps);
  }
}

TEST(CurveGeometry, ChoosingAndExchangingPoints) {
  struct Case {
    GPoint ref, p1, p2;
    double nearerX, otherX;
  };
  const Case cases[] = {
      {{0, 0}, {1, 0}, {5, 0}, 1, 5},
      {{0, 0}, {5, 0}, {1, 0}, 1, 5},
      {{0, 0}, {-2, 0}, {2, 0}, -2, 2},  // a tie: nearer takes p1, other p2
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectNearerPoint(c.ref, c.p1, c.p2).x, c.nearerX);
    EXPECT_EQ(SelectOtherPoint(c.ref, c.p1, c.p2).x, c.otherX);
  }
  for (int flag : {0, 1, 2, 3}) {
    GPoint p{1, 2}, q{3, 4};
    ExchangePointsByFlag(flag, p, q);
    EXPECT_EQ(p.x, flag == 2 ? 3 : 1) << flag;
    EXPECT_EQ(q.y, flag == 2 ? 2 : 4) << flag;
  }
}

TEST(CurveGeometry, PointInRectangleIncludesItsBorder) {
  struct Case {
    double x, y;
    bool inside;
  };
  const Case cases[] = {{5, 5, true}, {0, 10, true}, {10 + 5e-7, 5, true}, {10 + 2e-6, 5, false}, {-1, 5, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsPointInRect(c.x, c.y, 0, 0, 10, 10), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(IsPointInRect(c.x, c.y, 10, 10, 0, 0), c.inside) << "corners exchanged";
  }
}

// A segment meets the rectangle when any part of it lies inside; the part
// inside comes back in the segment's direction; a touch counts only with
// the border flag.
TEST(CurveGeometry, SegmentCrossesRectangleGivesThePartInside) {
  struct Case {
    double x1, y1, x2, y2;
    int border;
    int result;
    double inX, inY, outX, outY;
  };
  const Case cases[] = {
      {-5, 5, 15, 5, 1, 1, 0, 5, 10, 5},    // straight through
      {15, 5, -5, 5, 1, 1, 10, 5, 0, 5},    // the other way
      {2, 2, 4, 8, 1, 1, 2, 2, 4, 8},       // wholly inside
      {-5, -5, -1, 20, 1, 0, 0, 0, 0, 0},   // beside it
      {-5, 0, 15, 0, 1, 1, 0, 0, 10, 0},    // along the border
      {-5, 0, 15, 0, 0, 0, 0, 0, 0, 0},     // along the border, border not counted
      {5, 16, 16, 5, 1, 0, 0, 0, 0, 0},     // past the corner
      {5, 15, 15, 5, 1, 1, 10, 10, 10, 10}, // touching the corner
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " border " << c.border);
    double v[4] = {-99, -99, -99, -99};
    EXPECT_EQ(SegmentCrossesRect(c.x1, c.y1, c.x2, c.y2, 10, 10, 0, 0, v[0], v[1], v[2], v[3], 0, 0, 0, 0, c.border),
              c.result);
    const double want[4] = {c.inX, c.inY, c.outX, c.outY};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(v[k], c.result ? want[k] : -99, 1e-5) << k;
  }
}

TEST(CurveGeometry, IsoPlanesMapTheSquareDiagonalsOntoTheEllipseAxes) {
  struct Case {
    int plane;
    double aAngle, bAngle;  // where the diagonals (k, k) and (-k, k) go
    bool aMajor;
  };
  const Case cases[] = {{3, 0, 90, true}, {1, 60, 150, true}, {2, 30, 120, false}};
  const GPoint c{100, 50};
  const double k = 0.8693069377675144 * 10;
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.plane);
    GPoint a{c.x + k, c.y + k}, b{c.x - k, c.y + k};
    ASSERT_TRUE(ProjectToIsoPlane(c, a, cs.plane));
    ASSERT_TRUE(ProjectToIsoPlane(c, b, cs.plane));
    const double major = std::sqrt(2.0) * k, minor = major / std::sqrt(3.0);
    EXPECT_NEAR(GetPointDistance(c.x, c.y, a.x, a.y), cs.aMajor ? major : minor, 1e-9);
    EXPECT_NEAR(GetPointDistance(c.x, c.y, b.x, b.y), cs.aMajor ? minor : major, 1e-9);
    EXPECT_NEAR(std::fmod(GetLineAngle(c.x, c.y, a.x, a.y), 180.0), cs.aAngle, 1e-9);
    EXPECT_NEAR(std::fmod(GetLineAngle(c.x, c.y, b.x, b.y), 180.0), cs.bAngle, 1e-9);
  }
  GPoint p{1, 2};
  EXPECT_FALSE(ProjectToIsoPlane(c, p, 0));
  EXPECT_FALSE(ProjectToIsoPlane(c, p, 4));
  EXPECT_EQ(p.x, 1);
}

TEST(CurveGeometry, FormattingOfValuesAndScales) {
  EXPECT_EQ(FormatDoubleString(314.159265, 2), "314.16");
  EXPECT_EQ(FormatDoubleString(-0.001, 2), "0.00");
  EXPECT_EQ(FormatDoubleString(100, 2), "100.00");
  struct Case {
    double factor;
    const char* text;
  };
  const Case cases[] = {{2.5, "2.5:1"}, {1, "1:1"}, {0.25, "1:4"}, {1.0 / 3, "1:3"}, {0, "0"}, {-2, "0"}, {NAN, "0"}};
  for (const Case& c : cases) EXPECT_EQ(FormatScaleText(c.factor), c.text) << c.factor;
}
