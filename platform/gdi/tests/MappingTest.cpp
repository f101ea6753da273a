// The mapping arithmetic against values computed by hand from
//   device = (logical - windowOrg) * viewportExt / windowExt + viewportOrg,
// rounded to the nearest integer with halves rounding up.
#include <gtest/gtest.h>

#include "platform/gdi/Mapping.h"
#include "platform/gdi/tests/GdiTestSupport.h"

namespace {

using platform::Mapping;

struct Case {
  const char* name;
  POINT logical;
  POINT device;
};

TEST(Mapping, TextModeIsIdentityPlusOrigins) {
  Mapping m;
  m.SetWindowOrg(10, 20);
  m.SetViewportOrg(3, 4);
  EXPECT_EQ(m.LPtoDP({10, 20}).x, 3);
  EXPECT_EQ(m.LPtoDP({15, 27}).y, 11);
  // Extents do not change in MM_TEXT (the call succeeds and does nothing).
  EXPECT_TRUE(m.SetWindowExt(5, 5));
  EXPECT_EQ(m.WindowExt().cx, 1);
}

TEST(Mapping, LoEnglishIsYUpAt96Dpi) {
  // 0.01 inch per unit at 96 pixels per inch: 0.96 pixel per unit, y up.
  Mapping m(96, 96);
  m.SetMode(MM_LOENGLISH);
  EXPECT_EQ(m.WindowExt().cx, 100);
  EXPECT_EQ(m.ViewportExt().cy, -96);
  const Case cases[] = {
      {"origin", {0, 0}, {0, 0}},
      {"one inch", {100, -100}, {96, 96}},
      {"25 units are 24 pixels", {25, 25}, {24, -24}},
      {"13 -> 12.48 -> 12", {13, -13}, {12, 12}},
      {"26 -> 24.96 -> 25", {26, -26}, {25, 25}},
      {"-13 -> -12.48 -> -12", {-13, 13}, {-12, -12}},
      {"y 13 -> -12.48 -> -12", {0, 13}, {0, -12}},
  };
  for (const auto& c : cases) {
    const POINT d = m.LPtoDP(c.logical);
    EXPECT_EQ(d.x, c.device.x) << c.name;
    EXPECT_EQ(d.y, c.device.y) << c.name;
  }
  // Back: 47 pixels are 48.96 units -> 49; -1 pixel down is 1.04 units up -> 1.
  EXPECT_EQ(m.DPtoLP({47, 0}).x, 49);
  EXPECT_EQ(m.DPtoLP({0, -1}).y, 1);
  EXPECT_EQ(m.DPtoLP({0, 1}).y, -1);
}

TEST(Mapping, HalvesRoundUp) {
  Mapping m;
  m.SetMode(MM_ANISOTROPIC);
  m.SetWindowExt(2, 2);
  m.SetViewportExt(1, 1);
  const Case cases[] = {
      {"0.5 -> 1", {1, 1}, {1, 1}},
      {"-0.5 -> 0", {-1, -1}, {0, 0}},
      {"1.5 -> 2", {3, 3}, {2, 2}},
      {"-1.5 -> -1", {-3, -3}, {-1, -1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(m.LPtoDP(c.logical).x, c.device.x) << c.name;
    EXPECT_EQ(m.LPtoDP(c.logical).y, c.device.y) << c.name;
  }
}

TEST(Mapping, AnisotropicWithOriginsAndYUp) {
  // The diagram view's mapping at 150 %: window extent (100, -100), viewport
  // extent 96 * 7500 / 5000 = 144 each way.
  Mapping m;
  m.SetMode(MM_ANISOTROPIC);
  ASSERT_TRUE(m.SetWindowExt(100, -100));
  ASSERT_TRUE(m.SetViewportExt(144, 144));
  m.SetWindowOrg(1000, 2000);
  m.SetViewportOrg(10, 20);
  const Case cases[] = {
      {"window origin", {1000, 2000}, {10, 20}},
      {"right and down", {1100, 1900}, {154, 164}},  // 100*144/100+10, -100*144/-100+20
      {"one unit", {1001, 1999}, {11, 21}},           // 1.44 -> 1
      {"two units", {1002, 1998}, {13, 23}},          // 2.88 -> 3
      {"left and up", {990, 2010}, {-4, 6}},          // -14.4 -> -14
  };
  for (const auto& c : cases) {
    const POINT d = m.LPtoDP(c.logical);
    EXPECT_EQ(d.x, c.device.x) << c.name;
    EXPECT_EQ(d.y, c.device.y) << c.name;
  }
  // Device to logical: (11 - 10) * 100 / 144 = 0.69 -> 1; (21 - 20) * -100 / 144 = -0.69 -> -1.
  EXPECT_EQ(m.DPtoLP({11, 21}).x, 1001);
  EXPECT_EQ(m.DPtoLP({11, 21}).y, 1999);
  // Different scales across and down.
  m.SetViewportExt(200, 50);
  EXPECT_EQ(m.LPtoDP({1100, 1900}).x, 210);
  EXPECT_EQ(m.LPtoDP({1100, 1900}).y, 70);
}

TEST(Mapping, IsotropicKeepsUnitsSquare) {
  Mapping m;
  m.SetMode(MM_ISOTROPIC);
  ASSERT_TRUE(m.SetWindowExt(1000, 1000));
  ASSERT_TRUE(m.SetViewportExt(500, -200));
  // 0.5 pixel per unit across, 0.2 down: the smaller wins, the sign stays.
  EXPECT_EQ(m.ViewportExt().cx, 200);
  EXPECT_EQ(m.ViewportExt().cy, -200);
  EXPECT_EQ(m.LPtoDP({500, 500}).x, 100);
  EXPECT_EQ(m.LPtoDP({500, 500}).y, -100);
}

TEST(Mapping, ModeChangesSetExtents) {
  Mapping m(600, 600);
  m.SetMode(MM_LOMETRIC);
  // 0.1 mm per unit at 600 dpi: 254 units per inch.
  EXPECT_EQ(m.LPtoDP({254, 0}).x, 600);
  // Anisotropic keeps the extents in force (the usual way to start from a
  // metric mode), text resets them.
  m.SetMode(MM_ANISOTROPIC);
  EXPECT_EQ(m.WindowExt().cx, 254);
  m.SetMode(MM_TEXT);
  EXPECT_EQ(m.WindowExt().cx, 1);
  EXPECT_EQ(m.SetMode(99), 0);
}

TEST(Mapping, ZeroExtentsAreRefused) {
  Mapping m;
  m.SetMode(MM_ANISOTROPIC);
  EXPECT_FALSE(m.SetWindowExt(0, 10));
  EXPECT_FALSE(m.SetViewportExt(10, 0));
  EXPECT_FALSE(m.ScaleViewportExt(1, 0, 1, 1));
  EXPECT_EQ(m.WindowExt().cx, 1);
}

TEST(Mapping, ExtremeValuesSaturate) {
  Mapping m;
  m.SetMode(MM_ANISOTROPIC);
  m.SetWindowExt(1, 1);
  m.SetViewportExt(0x7FFFFFFF, 0x7FFFFFFF);
  const POINT d = m.LPtoDP({0x7FFFFFFF, -0x7FFFFFFF - 1});
  EXPECT_EQ(d.x, 0x7FFFFFFF);
  EXPECT_EQ(d.y, -0x7FFFFFFF - 1);
}

TEST(Mapping, DeviceContextConvertsPointsRectsAndSizes) {
  gdi_test::Recording r;
  CDC& dc = r.dc;
  dc.SetMapMode(MM_LOENGLISH);
  dc.SetViewportOrg(0, 480);
  POINT p[2] = {{100, 100}, {0, 0}};
  dc.LPtoDP(p, 2);
  EXPECT_EQ(p[0].x, 96);
  EXPECT_EQ(p[0].y, 384);
  EXPECT_EQ(p[1].y, 480);
  dc.DPtoLP(p, 2);
  EXPECT_EQ(p[0].x, 100);
  EXPECT_EQ(p[0].y, 100);
  // Sizes keep their sign: a tracker handle 6 pixels square is 6.25 -> 6
  // units each way, not -6 down.
  SIZE s{100, 100};
  dc.LPtoDP(&s);
  EXPECT_EQ(s.cx, 96);
  EXPECT_EQ(s.cy, 96);
  SIZE handle{6, 6};
  dc.DPtoLP(&handle);
  EXPECT_EQ(handle.cx, 6);
  EXPECT_EQ(handle.cy, 6);
  // The previous values come back from the setters.
  EXPECT_EQ(dc.SetViewportOrg(5, 6), CPoint(0, 480));
  EXPECT_EQ(dc.SetMapMode(MM_TEXT), MM_LOENGLISH);
  EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
}

}  // namespace
