// The scroll bars of windows and scroll-bar controls: the limits of range,
// page and position, and bars shown, hidden or disabled with what they can
// scroll.
#include <gtest/gtest.h>

#include "platform/core/Geometry.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

class CSizeCounter : public CWnd {
 public:
  int sizes = 0;
  CSize last;

 protected:
  afx_msg void OnSize(UINT, int cx, int cy) {
    ++sizes;
    last = CSize(cx, cy);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSizeCounter, CWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

class ScrollBarsTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(wnd.CreateEx(0, u"AfxWnd", u"w", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 80), nullptr, 0));
    wnd.sizes = 0;
  }
  CSizeCounter wnd;
};

TEST_F(ScrollBarsTest, RangePageAndPositionKeepTheirLimits) {
  struct Case {
    SCROLLINFO set;
    int min, max;
    UINT page;
    int pos;
    bool shown;
  };
  const Case cases[] = {
      {{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0}, 0, 99, 10, 90, true},
      {{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, -5, 0}, 0, 99, 10, 0, true},
      {{sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 200, 0, 0}, 0, 99, 100, 0, false},  // the page fills the range
      {{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 10, 5, 0, 0, 0}, 10, 10, 0, 10, false},  // max below min
      {{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, -50, 50, 0, 60, 0}, -50, 50, 0, 50, true},
  };
  for (const Case& c : cases) {
    ::SetScrollInfo(wnd, SB_HORZ, &c.set, TRUE);
    SCROLLINFO got{};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_HORZ, &got));
    EXPECT_EQ(got.nMin, c.min);
    EXPECT_EQ(got.nMax, c.max);
    EXPECT_EQ(got.nPage, c.page);
    EXPECT_EQ(got.nPos, c.pos);
    EXPECT_EQ((wnd.GetStyle() & WS_HSCROLL) != 0, c.shown) << c.set.fMask;
  }
}

TEST_F(ScrollBarsTest, ABarThatAppearsTakesRoomAndOneThatGoesGivesItBackInvalid) {
  wnd.SetScrollRange(SB_VERT, 0, 500);
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
  EXPECT_EQ(wnd.sizes, 1);
  EXPECT_EQ(wnd.last, CSize(84, 80));
  ValidateRect(wnd, nullptr);
  wnd.SetScrollRange(SB_VERT, 0, 0);
  EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);
  EXPECT_EQ(wnd.last, CSize(100, 80));
  CRect update;
  ASSERT_TRUE(wnd.GetUpdateRect(&update));
  EXPECT_EQ(update, CRect(84, 0, 100, 80)) << "the strip the bar left";
}

TEST_F(ScrollBarsTest, DisableNoScrollKeepsTheBarDisabled) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10, 0, 0};
  wnd.SetScrollInfo(SB_VERT, &info);
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
  EXPECT_FALSE(platform::ClickScrollBar(wnd, SB_VERT, SB_LINEDOWN)) << "its arrows are disabled";
  info.nMax = 99;
  wnd.SetScrollInfo(SB_VERT, &info);
  EXPECT_TRUE(platform::ClickScrollBar(wnd, SB_VERT, SB_LINEDOWN));
}

TEST_F(ScrollBarsTest, AScrollBarControlKeepsTheSameLimits) {
  CWnd bar;
  ASSERT_TRUE(bar.CreateEx(0, u"ScrollBar", u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 16), &wnd, 7));
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 20, 5, 30, 0};
  EXPECT_EQ(::SetScrollInfo(bar, SB_CTL, &info, TRUE), 16);
  EXPECT_EQ(::GetScrollPos(bar, SB_CTL), 16);
  int low = -1, high = -1;
  EXPECT_TRUE(::GetScrollRange(bar, SB_CTL, &low, &high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 20);
  EXPECT_EQ(::SetScrollPos(bar, SB_CTL, 3, TRUE), 16) << "the previous position";
}

}  // namespace
