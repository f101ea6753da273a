// Regions: the pixels each figure holds, combination, hit tests and the
// refusal of figures too large to build.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Region.h"
#include "platform/gdi/Rgn.h"

namespace {

using platform::Region;

// The region's pixels in a box as rows of '#' and '.'.
std::string Picture(const Region& r, int width, int height) {
  std::string s;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) s += r.Contains(x, y) ? '#' : '.';
    s += '\n';
  }
  return s;
}

TEST(Region, RectangleIsNormalisedAndHalfOpen) {
  const Region r = Region::FromRect(RECT{4, 3, 1, 1});
  EXPECT_EQ(Picture(r, 5, 4),
            ".....\n"
            ".###.\n"
            ".###.\n"
            ".....\n");
  EXPECT_EQ(r.Kind(), SIMPLEREGION);
  EXPECT_TRUE(Region::FromRect(RECT{2, 2, 2, 9}).IsEmpty());
}

TEST(Region, EllipseHoldsThePixelsWhoseCentreIsInside) {
  // Row 0: centre y 0.5, half width 2 * sqrt(1 - 0.75^2) = 1.32 about x = 2:
  // centres 1.5 and 2.5. Row 1: half width 1.94: all four.
  EXPECT_EQ(Picture(Region::FromEllipse(RECT{0, 0, 4, 4}), 4, 4),
            ".##.\n"
            "####\n"
            "####\n"
            ".##.\n");
  // Row 0 of a wider one: half width 4 * 0.66 = 2.65 about x = 4.
  EXPECT_EQ(Picture(Region::FromEllipse(RECT{0, 0, 8, 4}), 8, 4),
            ".######.\n"
            "########\n"
            "########\n"
            ".######.\n");
}

TEST(Region, RoundRectCorners) {
  EXPECT_EQ(Picture(Region::FromRoundRect(RECT{0, 0, 8, 6}, 4, 4), 8, 6),
            ".######.\n"
            "########\n"
            "########\n"
            "########\n"
            "########\n"
            ".######.\n");
}

TEST(Region, PolygonFillModes) {
  // Two overlapping squares drawn as one polygon path, both clockwise: the
  // overlap is inside under WINDING and outside under ALTERNATE.
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}};
  const Region alternate = Region::FromPolygon(pts, 10, ALTERNATE);
  const Region winding = Region::FromPolygon(pts, 10, WINDING);
  EXPECT_FALSE(alternate.Contains(3, 3));
  EXPECT_TRUE(winding.Contains(3, 3));
  EXPECT_TRUE(alternate.Contains(1, 1));
  EXPECT_TRUE(alternate.Contains(5, 5));
  // A triangle whose slanted edge runs through pixel centres: a centre on a
  // left edge is inside, on a right edge outside.
  const POINT tri[] = {{0, 0}, {4, 0}, {0, 4}};
  EXPECT_EQ(Picture(Region::FromPolygon(tri, 3, ALTERNATE), 4, 4),
            "###.\n"
            "##..\n"
            "#...\n"
            "....\n");
}

TEST(Region, CombineOperations) {
  const Region a = Region::FromRect(RECT{0, 0, 4, 2});
  const Region b = Region::FromRect(RECT{2, 0, 6, 2});
  struct Case {
    int mode;
    const char* picture;
  } cases[] = {
      {RGN_AND, "..##..\n"},
      {RGN_OR, "######\n"},
      {RGN_XOR, "##..##\n"},
      {RGN_DIFF, "##....\n"},
      {RGN_COPY, "####..\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Picture(Region::Combine(a, b, c.mode), 6, 1), c.picture) << c.mode;
  }
  EXPECT_EQ(Region::Combine(a, b, RGN_OR).Kind(), SIMPLEREGION);
  EXPECT_EQ(Region::Combine(a, b, RGN_XOR).Kind(), COMPLEXREGION);
  EXPECT_EQ(Region::Combine(a, Region::FromRect(RECT{10, 10, 12, 12}), RGN_AND).Kind(), NULLREGION);
  // The result is canonical: the same pixels compare equal however made.
  EXPECT_EQ(Region::Combine(a, b, RGN_OR), Region::FromRect(RECT{0, 0, 6, 2}));
}

TEST(Region, PolygonMeetsRectAnswersAsTheWholeRegion) {
  // Every rectangle of a small box, against the region built whole.
  const POINT triangle[] = {{1, 1}, {10, 3}, {4, 11}};
  const POINT star[] = {{6, 0}, {9, 11}, {0, 4}, {12, 4}, {3, 11}};
  const POINT slanted[] = {{0, 0}, {11, 6}, {11, 9}, {0, 3}};
  const POINT upright[] = {{4, 1}, {4, 10}, {7, 10}, {7, 1}};
  struct Case {
    const POINT* points;
    int count;
    int fillMode;
  };
  const Case cases[] = {{triangle, 3, ALTERNATE}, {star, 5, ALTERNATE}, {star, 5, WINDING}, {slanted, 4, ALTERNATE},
                        {upright, 4, ALTERNATE}};
  for (const Case& c : cases) {
    const Region whole = Region::FromPolygon(c.points, c.count, c.fillMode);
    for (int top = 0; top < 12; ++top) {
      for (int bottom = top + 1; bottom <= 12; ++bottom) {
        for (int left = 0; left < 12; left += 2) {
          for (int right = left + 1; right <= 12; right += 3) {
            const RECT r{left, top, right, bottom};
            ASSERT_EQ(Region::PolyPolygonMeetsRect(c.points, &c.count, 1, c.fillMode, r), whole.Intersects(r))
                << "polygon of " << c.count << " points, rect " << left << "," << top << "," << right << ","
                << bottom;
          }
        }
      }
    }
  }
  // A rectangle given bottom to top is normalised, as Intersects does.
  const int three = 3;
  EXPECT_TRUE(Region::PolyPolygonMeetsRect(triangle, &three, 1, ALTERNATE, RECT{3, 5, 4, 4}));
}

TEST(Region, PolygonMeetsRectBuildsOnlyTheRectanglesRows) {
  // A figure far too tall to build whole is still tested by a small
  // rectangle; a rectangle as tall as it is refused like the whole figure.
  const POINT tall[] = {{0, -100000000}, {10, 100000000}, {0, 100000000}};
  const int three = 3;
  EXPECT_TRUE(Region::PolyPolygonMeetsRect(tall, &three, 1, ALTERNATE, RECT{0, 0, 3, 2}));
  EXPECT_FALSE(Region::PolyPolygonMeetsRect(tall, &three, 1, ALTERNATE, RECT{8, 0, 10, 2}));
  EXPECT_FALSE(Region::PolyPolygonMeetsRect(tall, &three, 1, ALTERNATE, RECT{0, -100000000, 10, 100000000}));
}

TEST(Rgn, HitTestsAreHalfOpen) {
  CRgn r;
  ASSERT_TRUE(r.CreateRectRgn(0, 0, 10, 10));
  struct {
    RECT rect;
    BOOL meets;
  } cases[] = {
      {{9, 9, 20, 20}, TRUE},
      {{10, 0, 20, 10}, FALSE},   // starts at the excluded right edge
      {{-5, -5, 0, 0}, FALSE},    // ends at the left and top edges
      {{20, 20, 5, 5}, TRUE},     // unnormalised
      {{3, 3, 3, 8}, FALSE},      // empty
  };
  for (const auto& c : cases) {
    EXPECT_EQ(r.RectInRegion(&c.rect), c.meets)
        << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
  }
  EXPECT_TRUE(r.PtInRegion(9, 9));
  EXPECT_FALSE(r.PtInRegion(10, 5));
  EXPECT_FALSE(r.PtInRegion(5, -1));
}

TEST(Rgn, CombineNeedsAnExistingDestination) {
  CRgn a, b, out;
  ASSERT_TRUE(a.CreateEllipticRgn(0, 0, 20, 20));
  ASSERT_TRUE(b.CreateRoundRectRgn(10, 10, 30, 30, 6, 6));
  EXPECT_EQ(out.CombineRgn(&a, &b, RGN_OR), ERROR);
  ASSERT_TRUE(out.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(out.CombineRgn(&a, &b, RGN_AND), COMPLEXREGION);
  EXPECT_TRUE(out.PtInRegion(15, 15));
  EXPECT_FALSE(out.PtInRegion(10, 10));  // cut off by the rounded corner
  EXPECT_TRUE(out.PtInRegion(11, 11));
  RECT box;
  EXPECT_EQ(out.GetRgnBox(&box), COMPLEXREGION);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.right, 20);
  EXPECT_EQ(out.OffsetRgn(5, 0), COMPLEXREGION);
  EXPECT_TRUE(out.PtInRegion(20, 15));
  CRgn copy;
  copy.CreateRectRgn(0, 0, 0, 0);
  copy.CopyRgn(&out);
  EXPECT_TRUE(copy.EqualRgn(&out));
  EXPECT_EQ(out.CombineRgn(&a, nullptr, RGN_AND), ERROR);
}

TEST(Rgn, PolygonRegionOfADiagramSegment) {
  // A thin slanted band, as a wire's hit region is built: ALTERNATE filling.
  const POINT band[] = {{0, 0}, {100, 50}, {100, 56}, {0, 6}};
  CRgn r;
  ASSERT_TRUE(r.CreatePolygonRgn(band, 4, ALTERNATE));
  EXPECT_TRUE(r.PtInRegion(50, 28));
  EXPECT_FALSE(r.PtInRegion(50, 10));
  const RECT probe{48, 26, 52, 30};
  EXPECT_TRUE(r.RectInRegion(&probe));
}

TEST(Rgn, FiguresTooLargeAreRefused) {
  CRgn r;
  const POINT huge[] = {{0, -100000000}, {10, 100000000}, {0, 100000000}};
  EXPECT_FALSE(r.CreatePolygonRgn(huge, 3, ALTERNATE));
  EXPECT_FALSE(r.CreateEllipticRgn(0, 0, 10, 0x40000000));
  EXPECT_FALSE(r.CreatePolygonRgn(huge, 1, ALTERNATE));
  EXPECT_FALSE(r.CreatePolygonRgn(huge, 3, 7));
  EXPECT_EQ(r.m_hObject, nullptr);
}

}  // namespace
