// The scrolling view: scroll sizes and bars, the scroll-bar codes, pixels
// that move with the scroll and what comes into view being repainted.
#include <gtest/gtest.h>

#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

// A colour for each 10 x 10 block of the view's logical plane.
COLORREF BlockColor(int x, int y) {
  const int bx = x / 10, by = y / 10;
  return RGB((bx * 37) & 255, (by * 53) & 255, ((bx + by) * 11) & 255);
}

class CBlocksView : public CScrollView {
 public:
  int draws = 0;
  std::vector<int> thumbTrackPositions;  // SIF_TRACKPOS seen during SB_THUMBTRACK

  using CScrollView::m_lineDev;
  using CScrollView::m_pageDev;

  void OnDraw(CDC* dc) override {
    ++draws;
    CRect box;
    dc->GetClipBox(&box);
    for (int y = box.top - box.top % 10; y < box.bottom; y += 10)
      for (int x = box.left - box.left % 10; x < box.right; x += 10) dc->FillSolidRect(x, y, 10, 10, BlockColor(x, y));
  }
  BOOL OnScroll(UINT code, UINT pos, BOOL doScroll) override {
    if (LOBYTE(code) == SB_THUMBTRACK) {
      SCROLLINFO info{};
      GetScrollInfo(SB_HORZ, &info, SIF_TRACKPOS);
      thumbTrackPositions.push_back(info.nTrackPos);
    }
    return CScrollView::OnScroll(code, pos, doScroll);
  }
};

class ScrollViewTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 150), nullptr, 0));
  }
  // Every client pixel shows the block of the logical point under it.
  ::testing::AssertionResult ShowsPosition(CPoint pos) {
    const platform::PixelBuffer* pixels = platform::WindowSurfaceOf(view)->Raster().Pixels();
    CRect client;
    view.GetClientRect(&client);
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x)
        if (pixels->GetColor(x, y) != BlockColor(x + pos.x, y + pos.y))
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " at position " << pos.x << ","
                                               << pos.y;
    return ::testing::AssertionSuccess();
  }
  CBlocksView view;
};

TEST_F(ScrollViewTest, BarsAppearWhenTheTotalDoesNotFit) {
  // 200 x 150 client; a bar takes 16 pixels from the other direction.
  struct Case {
    SIZE total;
    bool horz, vert;
  };
  const Case cases[] = {
      {{200, 150}, false, false}, {{201, 100}, true, false}, {{100, 151}, false, true},
      {{300, 140}, true, true},  // the horizontal bar leaves 134 rows
      {{190, 300}, true, true},  // the vertical bar leaves 184 columns
      {{184, 300}, false, true}, {{0, 0}, false, false},
  };
  for (const Case& c : cases) {
    view.SetScrollSizes(MM_TEXT, c.total);
    const DWORD style = view.GetStyle();
    EXPECT_EQ((style & WS_HSCROLL) != 0, c.horz) << c.total.cx << " x " << c.total.cy;
    EXPECT_EQ((style & WS_VSCROLL) != 0, c.vert) << c.total.cx << " x " << c.total.cy;
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 200 - (c.vert ? 16 : 0));
    EXPECT_EQ(client.Height(), 150 - (c.horz ? 16 : 0));
    if (c.horz) {
      EXPECT_EQ(view.GetScrollLimit(SB_HORZ), c.total.cx - client.Width());
    }
  }
}

TEST_F(ScrollViewTest, DefaultPageAndLineSizesAreTenthsOfTheTotal) {
  view.SetScrollSizes(MM_TEXT, CSize(1000, 800));
  EXPECT_EQ(view.m_pageDev, CSize(100, 80));
  EXPECT_EQ(view.m_lineDev, CSize(10, 8));
}

TEST_F(ScrollViewTest, ScrollCodesMoveByLinePageAndThumbWithinTheLimits) {
  // Client 184 x 134 with both bars: limits 816 and 666.
  view.SetScrollSizes(MM_TEXT, CSize(1000, 800), CSize(100, 80), CSize(7, 5));
  struct Case {
    int bar;
    UINT code;
    int thumb;  // for SB_THUMBTRACK / SB_THUMBPOSITION
    CPoint expected;
  };
  const Case cases[] = {
      {SB_HORZ, SB_LINEDOWN, 0, {57, 50}},       {SB_HORZ, SB_LINEUP, 0, {43, 50}},
      {SB_HORZ, SB_PAGEDOWN, 0, {150, 50}},      {SB_HORZ, SB_PAGEUP, 0, {0, 50}},
      {SB_HORZ, SB_TOP, 0, {0, 50}},             {SB_HORZ, SB_BOTTOM, 0, {816, 50}},
      {SB_HORZ, SB_THUMBTRACK, 300, {300, 50}},  {SB_HORZ, SB_THUMBPOSITION, 900, {816, 50}},
      {SB_HORZ, SB_ENDSCROLL, 0, {50, 50}},      {SB_VERT, SB_LINEDOWN, 0, {50, 55}},
      {SB_VERT, SB_LINEUP, 0, {50, 45}},         {SB_VERT, SB_PAGEDOWN, 0, {50, 130}},
      {SB_VERT, SB_PAGEUP, 0, {50, 0}},          {SB_VERT, SB_BOTTOM, 0, {50, 666}},
      {SB_VERT, SB_THUMBTRACK, 600, {50, 600}},
  };
  for (const Case& c : cases) {
    view.ScrollToPosition(CPoint(50, 50));
    view.UpdateWindow();
    view.SendMessage(c.bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(c.code, c.thumb), 0);
    EXPECT_EQ(view.GetScrollPosition(), c.expected) << "bar " << c.bar << " code " << c.code;
    EXPECT_TRUE(ShowsPosition(c.expected)) << "bar " << c.bar << " code " << c.code;
  }
}

TEST_F(ScrollViewTest, ScrollingMovesThePixelsAndInvalidatesOnlyWhatComesIntoView) {
  view.SetScrollSizes(MM_TEXT, CSize(1000, 800));
  view.UpdateWindow();
  ASSERT_TRUE(ShowsPosition(CPoint(0, 0)));
  EXPECT_TRUE(view.OnScrollBy(CSize(13, 5)));
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(13, 5));
  // The pixels that stay in view moved; the update region is the two strips
  // that came into view (bounded by their union).
  const platform::PixelBuffer* pixels = platform::WindowSurfaceOf(view)->Raster().Pixels();
  EXPECT_EQ(pixels->GetColor(0, 0), BlockColor(13, 5));
  EXPECT_EQ(pixels->GetColor(100, 100), BlockColor(113, 105));
  CRect update;
  ASSERT_TRUE(view.GetUpdateRect(&update));
  EXPECT_EQ(update, CRect(0, 0, 184, 134));
  EXPECT_TRUE(::ValidateRect(view, CRect(0, 0, 171, 129)));
  EXPECT_TRUE(view.GetUpdateRect(&update)) << "the strips are still invalid";
  view.UpdateWindow();
  EXPECT_TRUE(ShowsPosition(CPoint(13, 5)));
  // Back to the start: the strips at the top and left come into view.
  view.draws = 0;
  EXPECT_TRUE(view.OnScrollBy(CSize(-20, -20)));
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 0));
  view.GetUpdateRect(&update);
  EXPECT_EQ(update, CRect(0, 0, 184, 134));
  view.UpdateWindow();
  EXPECT_EQ(view.draws, 1);
  EXPECT_TRUE(ShowsPosition(CPoint(0, 0)));
  EXPECT_FALSE(view.OnScrollBy(CSize(-1, -1))) << "nothing moves at the start";
}

TEST_F(ScrollViewTest, AnAxisWithoutABarDoesNotScroll) {
  view.SetScrollSizes(MM_TEXT, CSize(1000, 100));
  EXPECT_FALSE(view.GetStyle() & WS_VSCROLL);
  EXPECT_TRUE(view.OnScrollBy(CSize(10, 10)));
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(10, 0));
  EXPECT_FALSE(view.OnScrollBy(CSize(0, 10)));
}

TEST_F(ScrollViewTest, TheUserDragsTheThumbBeyondSixteenBits) {
  view.SetScrollSizes(MM_TEXT, CSize(100000, 100));
  EXPECT_TRUE(platform::DragScrollThumb(view, SB_HORZ, 70000));
  ASSERT_FALSE(view.thumbTrackPositions.empty());
  EXPECT_EQ(view.thumbTrackPositions[0], 70000) << "SIF_TRACKPOS holds the whole position";
  // The message carries the low 16 bits, which is what the plain view uses.
  EXPECT_EQ(view.GetDeviceScrollPosition().x, 70000 & 0xFFFF);
  SCROLLINFO info{};
  view.GetScrollInfo(SB_HORZ, &info, SIF_TRACKPOS | SIF_POS);
  EXPECT_EQ(info.nTrackPos, info.nPos) << "no drag under way";

  EXPECT_TRUE(platform::ClickScrollBar(view, SB_HORZ, SB_PAGEDOWN));
  EXPECT_EQ(view.GetDeviceScrollPosition().x, (70000 & 0xFFFF) + 10000);
  EXPECT_FALSE(platform::ClickScrollBar(view, SB_VERT, SB_LINEDOWN)) << "no vertical bar";
  view.ShowWindow(SW_HIDE);
  EXPECT_FALSE(platform::DragScrollThumb(view, SB_HORZ, 0)) << "a hidden window";
}

TEST_F(ScrollViewTest, GrowingTheWindowPullsThePositionBackAndKeepsThePicture) {
  view.SetScrollSizes(MM_TEXT, CSize(400, 300));
  view.UpdateWindow();
  view.OnScroll(MAKEWORD(SB_BOTTOM, SB_BOTTOM), 0, TRUE);
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(400 - 184, 300 - 134));
  view.SetWindowPos(nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(400 - 284, 300 - 234));
  view.UpdateWindow();
  EXPECT_TRUE(ShowsPosition(view.GetDeviceScrollPosition()));
  view.SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(view.GetStyle() & (WS_HSCROLL | WS_VSCROLL), 0u);
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 0));
  view.UpdateWindow();
  EXPECT_TRUE(ShowsPosition(CPoint(0, 0)));
}

TEST_F(ScrollViewTest, PrepareDCMovesTheViewportOriginExceptWhenPrinting) {
  view.SetScrollSizes(MM_TEXT, CSize(1000, 800));
  view.ScrollToPosition(CPoint(30, 40));
  CClientDC dc(&view);
  view.OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(-30, -40));
  dc.m_bPrinting = TRUE;
  view.OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
  dc.m_bPrinting = FALSE;
}

TEST_F(ScrollViewTest, AMetricMappingScrollsInDevicePixels) {
  // 2540 hundredths of a millimetre are an inch: 96 screen pixels.
  view.SetScrollSizes(MM_LOMETRIC, CSize(2540, 2540));
  int mode = 0;
  SIZE total, page, line;
  view.GetDeviceScrollSizes(mode, total, page, line);
  EXPECT_EQ(mode, MM_LOMETRIC);
  EXPECT_EQ(CSize(total), CSize(960, 960));
  view.ScrollToPosition(CPoint(254, -254));  // y grows upward in this mode
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(96, 96));
  EXPECT_EQ(view.GetScrollPosition(), CPoint(254, -254));
  EXPECT_THROW(view.SetScrollSizes(MM_ANISOTROPIC, CSize(10, 10)), CInvalidArgException);
}

}  // namespace
