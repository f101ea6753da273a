// The raster back end: pixel conventions of the figures, XOR drawing undone
// by drawing again, hatches aligned to the brush origin, clipping to
// regions, blits between DCs.
#include <gtest/gtest.h>

#include "platform/gdi/Region.h"
#include "platform/gdi/tests/GdiTestSupport.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

using gdi_test::Canvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A background that is not uniform, so that an XOR mistake shows.
void PaintBackground(Canvas& c) {
  for (int y = 0; y < c.Pixels().Height(); ++y) {
    for (int x = 0; x < c.Pixels().Width(); ++x) {
      c.surface.Raster().MutablePixels().SetColor(x, y, RGB(x * 4 % 256, y * 7 % 256, (x * y) % 256));
    }
  }
}

TEST(Raster, RectangleCoversLeftTopButNotRightBottom) {
  Canvas c(10, 10);
  CPen pen(PS_SOLID, 0, kBlack);
  CBrush brush(kRed);
  c.dc.SelectObject(&pen);
  c.dc.SelectObject(&brush);
  c.dc.Rectangle(2, 2, 6, 6);
  EXPECT_EQ(c.At(2, 2), kBlack);
  EXPECT_EQ(c.At(5, 5), kBlack);
  EXPECT_EQ(c.At(3, 3), kRed);
  EXPECT_EQ(c.At(4, 4), kRed);
  EXPECT_EQ(c.At(6, 6), kWhite);
  EXPECT_EQ(c.PixelsOf(kBlack).size(), 12u);
  // Without a pen the filled area is one pixel smaller across and down.
  Canvas n(10, 10);
  n.dc.SelectStockObject(NULL_PEN);
  n.dc.SelectObject(&brush);
  n.dc.Rectangle(2, 2, 6, 6);
  EXPECT_EQ(n.PixelsOf(kRed), (std::vector<std::string>{"2,2", "3,2", "4,2", "2,3", "3,3", "4,3", "2,4", "3,4", "4,4"}));
  // FillRect fills the whole rectangle, right and bottom edges excluded.
  Canvas f(10, 10);
  const RECT r{2, 2, 6, 6};
  f.dc.FillRect(&r, &brush);
  EXPECT_EQ(f.PixelsOf(kRed).size(), 16u);
}

TEST(Raster, WidePensAndInsideFrame) {
  // Rectangle (2, 2, 22, 22) with a pen 5 wide: centred on the one-pixel
  // outline it reaches 2 pixels outside; inside the frame it stays within.
  struct Case {
    int style;
    int firstInk, lastInk;  // the inked columns at mid-height on the left edge
  } cases[] = {{PS_SOLID, 0, 4}, {PS_INSIDEFRAME, 2, 6}};
  for (const auto& k : cases) {
    Canvas c(30, 30);
    CPen pen(k.style, 5, kBlack);
    c.dc.SelectObject(&pen);
    c.dc.SelectStockObject(NULL_BRUSH);
    c.dc.Rectangle(2, 2, 22, 22);
    for (int x = 0; x < 12; ++x) {
      EXPECT_EQ(c.At(x, 12) == kBlack, x >= k.firstInk && x <= k.lastInk) << k.style << " x=" << x;
    }
    // The right edge mirrors the left one about the outline.
    const int right = k.style == PS_INSIDEFRAME ? 21 : 23;
    EXPECT_EQ(c.At(right, 12), kBlack) << k.style;
    EXPECT_EQ(c.At(right + 1, 12), kWhite) << k.style;
  }
}

TEST(Raster, LinesLeaveOutTheirLastPoint) {
  Canvas c(10, 3);
  c.dc.MoveTo(1, 1);
  c.dc.LineTo(5, 1);
  EXPECT_EQ(c.PixelsOf(kBlack), (std::vector<std::string>{"1,1", "2,1", "3,1", "4,1"}));
  EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(5, 1));
}

TEST(Raster, DashPatternAndBackgroundMode) {
  Canvas c(60, 2, RGB(0, 255, 0));
  CPen dash(PS_DASH, 1, kBlack);
  c.dc.SelectObject(&dash);
  c.dc.SetBkColor(kRed);
  c.dc.MoveTo(0, 0);
  c.dc.LineTo(60, 0);  // opaque: gaps in the background colour
  c.dc.SetBkMode(TRANSPARENT);
  c.dc.MoveTo(0, 1);
  c.dc.LineTo(60, 1);  // transparent: gaps untouched
  for (int x = 0; x < 48; ++x) {
    const bool on = x % 24 < 18;  // 18 pixels on, 6 off
    EXPECT_EQ(c.At(x, 0), on ? kBlack : kRed) << x;
    EXPECT_EQ(c.At(x, 1), on ? kBlack : RGB(0, 255, 0)) << x;
  }
  // A pen wider than a pixel draws solid.
  Canvas w(20, 9);
  CPen wide(PS_DASH, 3, kBlack);
  w.dc.SelectObject(&wide);
  w.dc.MoveTo(2, 4);
  w.dc.LineTo(17, 4);
  for (int x = 4; x < 16; ++x) {
    EXPECT_EQ(w.At(x, 3), kBlack) << x;
    EXPECT_EQ(w.At(x, 4), kBlack) << x;
    EXPECT_EQ(w.At(x, 5), kBlack) << x;
    EXPECT_EQ(w.At(x, 7), kWhite) << x;
  }
}

TEST(Raster, XorFiguresDrawnTwiceLeaveThePixels) {
  struct Case {
    const char* name;
    int rop;
    int penWidth;
    void (*draw)(CDC&);
  } cases[] = {
      {"line", R2_XORPEN, 1, [](CDC& dc) { dc.MoveTo(3, 4); dc.LineTo(57, 33); }},
      {"polyline crossing itself", R2_XORPEN, 1,
       [](CDC& dc) {
         const POINT p[] = {{5, 5}, {50, 30}, {50, 5}, {5, 30}, {5, 5}};
         dc.Polyline(p, 5);
       }},
      {"rectangle", R2_NOTXORPEN, 1, [](CDC& dc) { dc.Rectangle(4, 4, 40, 30); }},
      {"wide ellipse", R2_XORPEN, 4, [](CDC& dc) { dc.Ellipse(6, 2, 58, 36); }},
      {"polygon", R2_NOT, 1,
       [](CDC& dc) {
         const POINT p[] = {{2, 2}, {60, 10}, {30, 38}};
         dc.Polygon(p, 3);
       }},
      {"pie", R2_XORPEN, 1, [](CDC& dc) { dc.Pie(5, 5, 55, 35, 60, 20, 30, 0); }},
      {"round rect", R2_XORPEN, 2, [](CDC& dc) { dc.RoundRect(5, 5, 55, 35, 12, 12); }},
  };
  for (const auto& k : cases) {
    Canvas c(64, 40);
    PaintBackground(c);
    const platform::PixelBuffer before = c.Pixels();
    CPen pen(PS_SOLID, k.penWidth, RGB(0, 200, 255));
    CBrush brush(RGB(255, 255, 0));  // a yellow brush over the figure, as a cell highlight
    c.dc.SelectObject(&pen);
    c.dc.SelectObject(&brush);
    c.dc.SetROP2(k.rop);
    k.draw(c.dc);
    EXPECT_FALSE(gdi_test::SamePixels(before, c.Pixels())) << k.name << ": drawing changed nothing";
    k.draw(c.dc);
    EXPECT_TRUE(gdi_test::SamePixels(before, c.Pixels())) << k.name;
  }
}

TEST(Raster, InvertingCallsUndoThemselves) {
  Canvas c(40, 30);
  PaintBackground(c);
  const platform::PixelBuffer before = c.Pixels();
  const RECT r{3, 4, 30, 25};
  c.dc.DrawFocusRect(&r);
  const platform::PixelBuffer focused = c.Pixels();
  EXPECT_FALSE(gdi_test::SamePixels(before, focused));
  // Dotted: every other pixel of the border.
  EXPECT_NE(focused.GetColor(3, 5), before.GetColor(3, 5));
  EXPECT_EQ(focused.GetColor(3, 6), before.GetColor(3, 6));
  EXPECT_EQ(focused.GetColor(10, 10), before.GetColor(10, 10));
  c.dc.DrawFocusRect(&r);
  EXPECT_TRUE(gdi_test::SamePixels(before, c.Pixels()));
  c.dc.InvertRect(&r);
  EXPECT_EQ(c.At(10, 10), RGB(255, 255, 255) & ~before.GetColor(10, 10));
  c.dc.InvertRect(&r);
  EXPECT_TRUE(gdi_test::SamePixels(before, c.Pixels()));
  // Handle squares: PatBlt with DSTINVERT, in logical units.
  c.dc.SetMapMode(MM_LOENGLISH);
  c.dc.PatBlt(0, 0, 10, -10, DSTINVERT);
  c.dc.PatBlt(0, 0, 10, -10, DSTINVERT);
  EXPECT_TRUE(gdi_test::SamePixels(before, c.Pixels()));
}

TEST(Raster, HatchIsAlignedToTheBrushOrigin) {
  // HS_VERTICAL has its line in the last column of each 8-pixel cell counted
  // from the brush origin.
  Canvas c(32, 4);
  CBrush hatch(HS_VERTICAL, kBlack);
  c.dc.SetBrushOrg(3, 0);
  const RECT all{0, 0, 32, 4};
  c.dc.FillRect(&all, &hatch);
  for (int x = 0; x < 32; ++x) EXPECT_EQ(c.At(x, 1), (x - 3 + 8) % 8 == 7 ? kBlack : kWhite) << x;

  // The incremental repaint: an area drawn in a memory DC whose viewport is
  // moved by minus the area's corner and whose brush origin is that corner
  // modulo 8 lines up with the same area drawn in one piece.
  Canvas whole(40, 24);
  CBrush diagonal(HS_BDIAGONAL, RGB(0, 0, 200));
  const RECT full{0, 0, 40, 24};
  whole.dc.SetBkColor(RGB(250, 240, 200));
  whole.dc.FillRect(&full, &diagonal);

  Canvas pieces(40, 24);
  const RECT areas[] = {{0, 0, 13, 24}, {13, 0, 40, 11}, {13, 11, 40, 24}};
  for (const RECT& area : areas) {
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&pieces.dc));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&pieces.dc, area.right - area.left, area.bottom - area.top));
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.SetViewportOrg(-area.left, -area.top);
    memory.SetBrushOrg((8 - area.left % 8) % 8, (8 - area.top % 8) % 8);
    memory.SetBkColor(RGB(250, 240, 200));
    memory.FillRect(&full, &diagonal);
    memory.SetViewportOrg(0, 0);
    pieces.dc.BitBlt(area.left, area.top, area.right - area.left, area.bottom - area.top, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  EXPECT_TRUE(gdi_test::SamePixels(whole.Pixels(), pieces.Pixels()));

  // Transparent background: the hatch's gaps keep what was there.
  Canvas t(16, 2, kRed);
  t.dc.SetBkMode(TRANSPARENT);
  const RECT strip{0, 0, 16, 2};
  t.dc.FillRect(&strip, &hatch);
  EXPECT_EQ(t.At(7, 0), kBlack);
  EXPECT_EQ(t.At(6, 0), kRed);
}

TEST(Raster, DrawingIsClippedToARegion) {
  Canvas c(40, 30);
  CRgn ellipse;
  ASSERT_TRUE(ellipse.CreateEllipticRgn(5, 5, 35, 25));
  EXPECT_EQ(c.dc.SelectClipRgn(&ellipse), COMPLEXREGION);
  CBrush red(kRed);
  const RECT all{0, 0, 40, 30};
  c.dc.FillRect(&all, &red);
  const platform::Region expected = platform::Region::FromEllipse(RECT{5, 5, 35, 25});
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) EXPECT_EQ(c.At(x, y) == kRed, expected.Contains(x, y)) << x << "," << y;
  }
  RECT box;
  EXPECT_EQ(c.dc.GetClipBox(&box), COMPLEXREGION);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.bottom, 25);
  EXPECT_TRUE(c.dc.PtVisible(20, 15));
  EXPECT_FALSE(c.dc.PtVisible(5, 5));
  // Cutting a rectangle out; then nothing left: a null region paints nothing.
  EXPECT_EQ(c.dc.ExcludeClipRect(0, 0, 40, 30), NULLREGION);
  EXPECT_EQ(c.dc.GetClipBox(&box), NULLREGION);
  c.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(box.right, 40);
  // Logical clip rectangles in a y-up mode; the clip box comes back logical.
  c.dc.SetMapMode(MM_LOENGLISH);
  c.dc.SetViewportOrg(0, 30);
  c.dc.IntersectClipRect(0, 0, 10, 10);  // 0..9.6 pixels: 0..10 across, 20..30 down
  EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 10);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(box.bottom, 0);
}

TEST(Raster, PaintDcOfAWindowIsLimitedToItsUpdateRegion) {
  platform::WindowSurface surface(20, 10);
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  surface.SetRecorder(recorder);
  const platform::Region update = platform::Region::FromRect(RECT{0, 0, 5, 10});
  {
    CDC paint;
    ASSERT_TRUE(paint.Attach(surface.CreateDc(&update)));
    CBrush red(kRed);
    const RECT all{0, 0, 20, 10};
    paint.FillRect(&all, &red);
  }
  EXPECT_EQ(surface.Raster().Pixels()->GetColor(4, 4), kRed);
  EXPECT_EQ(surface.Raster().Pixels()->GetColor(5, 4), kWhite);
  ASSERT_EQ(recorder->Count(), 1u);
  EXPECT_EQ(recorder->Ops()[0].target, "window");
  surface.Resize(30, 10);
  EXPECT_EQ(surface.Raster().Pixels()->GetColor(4, 4), kRed);
  EXPECT_EQ(surface.Size().cx, 30);
}

TEST(Raster, MemoryDcAndBitmaps) {
  Canvas c(20, 20);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&c.dc));
  // A new memory DC holds a 1 x 1 monochrome bitmap: a bitmap made
  // compatible with it is monochrome too, as on Windows.
  CBitmap mono;
  ASSERT_TRUE(mono.CreateCompatibleBitmap(&memory, 8, 8));
  BITMAP bm{};
  mono.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  CBitmap color;
  ASSERT_TRUE(color.CreateCompatibleBitmap(&c.dc, 8, 8));
  color.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidth, 8);
  CBitmap* old = memory.SelectObject(&color);
  ASSERT_NE(old, nullptr);
  // A bitmap is in one DC at a time.
  CDC other;
  other.CreateCompatibleDC(&c.dc);
  EXPECT_EQ(other.SelectObject(&color), nullptr);
  EXPECT_EQ(memory.SetPixel(2, 3, RGB(10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(memory.GetPixel(2, 3), RGB(10, 20, 30));
  EXPECT_EQ(memory.GetPixel(8, 3), CLR_INVALID);
  // A selected bitmap is not deleted.
  EXPECT_FALSE(color.DeleteObject());
  c.dc.BitBlt(10, 10, 8, 8, &memory, 0, 0, SRCCOPY);
  EXPECT_EQ(c.At(12, 13), RGB(10, 20, 30));
  EXPECT_EQ(c.At(10, 10), kBlack);  // a new compatible bitmap is black
  // A blit far larger than either DC copies what shows and leaves the rest.
  Canvas big(20, 20, kRed);
  EXPECT_TRUE(big.dc.BitBlt(-2, -3, 2000000000, 2000000000, &memory, 0, 0, SRCCOPY));
  EXPECT_EQ(big.At(0, 0), RGB(10, 20, 30));  // source (2, 3)
  EXPECT_EQ(big.At(6, 5), kRed);              // beyond the 8 x 8 source
  memory.SelectObject(old);
  // Monochrome to colour: black takes the text colour, white the background.
  CBitmap pattern;
  const WORD rows[2] = {0x00C0, 0x0000};  // row 0: pixels 0 and 1 white
  ASSERT_TRUE(pattern.CreateBitmap(2, 2, 1, 1, rows));
  memory.SelectObject(&pattern);
  c.dc.SetTextColor(kRed);
  c.dc.SetBkColor(RGB(0, 0, 255));
  c.dc.BitBlt(0, 0, 2, 2, &memory, 0, 0, SRCCOPY);
  EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(c.At(0, 1), kRed);
  memory.SelectObject(old);
}

TEST(Raster, HugeCoordinatesAreClippedNotWalked) {
  // Figures far larger than the surface draw only what shows: no overflow,
  // and no walk over billions of pixels.
  Canvas c(40, 30);
  CPen wide(PS_SOLID, 7, kRed);
  CBrush hatch(HS_CROSS, kBlack);
  c.dc.SelectObject(&hatch);
  const int big = 2000000000;
  c.dc.Ellipse(-big, -big, big, big);
  c.dc.RoundRect(-big, -big, big, big, big, big);
  c.dc.Pie(-big, -big, big, big, big, 0, -big, 0);
  const POINT poly[] = {{-big, -big}, {big, 0}, {-big, big}};
  c.dc.Polygon(poly, 3);
  c.dc.MoveTo(-big, 15);
  c.dc.LineTo(big, 15);
  EXPECT_EQ(c.At(20, 15), kBlack);
  c.dc.SelectObject(&wide);
  c.dc.MoveTo(-big, -big);
  c.dc.LineTo(big, big);
  EXPECT_EQ(c.At(15, 15), kRed);
  c.dc.SetMapMode(MM_ANISOTROPIC);
  c.dc.SetWindowExt(1, 1);
  c.dc.SetViewportExt(100000, 100000);
  c.dc.Rectangle(-big, -big, big, big);
  c.dc.TextOut(big, big, u"far away", 8);
  RECT r{-big, -big, big, big};
  c.dc.DrawText(u"wide", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  c.dc.InvertRect(&r);
  SUCCEED();
}

TEST(Raster, WritesAPng) {
  Canvas c(16, 16);
  c.dc.Ellipse(1, 1, 15, 15);
  const testsupport::ScratchFolder folder("gdi_raster");
  const std::string path = folder / "gdi_raster.png";
  ASSERT_TRUE(c.surface.WritePng(path));
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char magic[8] = {};
  EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
  std::fclose(f);
  EXPECT_EQ(magic[1], 'P');
  EXPECT_EQ(magic[2], 'N');
  // A folder that does not exist: failure, and nothing is left behind.
  EXPECT_FALSE(c.surface.WritePng(folder / "no/such/folder/x.png"));
}

}  // namespace
