#include "platform/core/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CRect, EmptinessAndHalfOpenHitTest) {
  EXPECT_TRUE(CRect(0, 0, 0, 5).IsRectEmpty());
  EXPECT_TRUE(CRect(10, 10, 0, 0).IsRectEmpty());  // unnormalised counts as empty
  EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());
  EXPECT_TRUE(CRect().IsRectNull());
  CRect r(0, 0, 10, 10);
  struct Case {
    int x, y;
    bool in;
  } cases[] = {{0, 0, true}, {9, 9, true}, {10, 5, false}, {5, 10, false}, {-1, 0, false}};
  for (const Case& c : cases) EXPECT_EQ(!!r.PtInRect(CPoint(c.x, c.y)), c.in) << c.x << "," << c.y;
  // An unnormalised rectangle holds no point until normalised.
  CRect up(0, 10, 10, 0);
  EXPECT_FALSE(up.PtInRect(CPoint(5, 5)));
  up.NormalizeRect();
  EXPECT_EQ(up, CRect(0, 0, 10, 10));
}

TEST(CRect, IntersectAndUnion) {
  struct Case {
    CRect a, b, inter, uni;
    bool hit;
  } cases[] = {
      {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, {0, 0, 15, 15}, true},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, {0, 0, 20, 10}, false},  // touching edges
      {{0, 0, 10, 10}, {3, 3, 3, 8}, {0, 0, 0, 0}, {0, 0, 10, 10}, false},     // empty operand ignored
      {{0, 10, 10, 0}, {0, 0, 5, 5}, {0, 0, 0, 0}, {0, 0, 5, 5}, false},       // unnormalised is empty
  };
  for (const Case& c : cases) {
    CRect i, u;
    EXPECT_EQ(!!i.IntersectRect(&c.a, &c.b), c.hit);
    EXPECT_EQ(i, c.inter);
    u.UnionRect(&c.a, &c.b);
    EXPECT_EQ(u, c.uni);
  }
  CRect both;
  EXPECT_FALSE(both.UnionRect(CRect(1, 1, 1, 1), CRect(2, 2, 0, 0)));
  EXPECT_TRUE(both.IsRectNull());
}

TEST(CRect, InflateOffsetAndOperators) {
  CRect r(10, 20, 30, 40);
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
  r.InflateRect(2, 3);
  EXPECT_EQ(r, CRect(8, 17, 32, 43));
  r.DeflateRect(2, 3);
  r.OffsetRect(-10, 5);
  EXPECT_EQ(r, CRect(0, 25, 20, 45));
  EXPECT_EQ(r.TopLeft(), CPoint(0, 25));
  r.BottomRight() = CPoint(1, 26);
  EXPECT_EQ(r, CRect(0, 25, 1, 26));
  EXPECT_EQ(CPoint(3, 4) - CPoint(1, 1), CSize(2, 3));
  EXPECT_EQ(CRect(0, 0, 4, 4) + CPoint(1, 2), CRect(1, 2, 5, 6));
  EXPECT_EQ(CRect(0, 0, 4, 4) & CRect(2, 2, 8, 8), CRect(2, 2, 4, 4));
  EXPECT_EQ(CPoint(MAKELONG(5, (WORD)-3)), CPoint(5, -3));
}

TEST(MulDiv, RoundsHalfAwayFromZeroIn64Bits) {
  struct Case {
    int a, b, c, r;
  } cases[] = {{10, 100, 2540, 0}, {127, 100, 2540, 5}, {-127, 100, 2540, -5}, {3, 1, 2, 2},
               {-3, 1, 2, -2},     {1 << 30, 4, 8, 1 << 29}, {5, 5, 0, -1},    {1 << 30, 1 << 30, 1, -1},
               {7, 1, -2, -4}};
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.r) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
