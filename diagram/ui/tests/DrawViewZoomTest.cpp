// Zoom and scrolling of the diagram view: the scale a new view opens at, the
// pick square, the scale limits a canvas allows (in 64-bit arithmetic),
// zooming about a point on a large canvas, zooming to an area and back, and
// scrolling while the mouse is dragged past the window's edge.
#include <gtest/gtest.h>

#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/WindowDC.h"

namespace {

using viewtest::ViewHarness;

int ScreenPpi() {
  CClientDC dc(nullptr);
  return dc.GetDeviceCaps(LOGPIXELSX);
}

TEST(DrawViewZoom, ANewViewOpensAtTheProfilesPercentage) {
  struct Case {
    UINT percent;
    int expected;  // 0: the scale that fits the window
  };
  for (const Case& c : {Case{150, 7500}, Case{500, 20000}, Case{100, 5000}}) {
    ViewHarness<CDrawView> h;
    h.Open(1, 1, c.percent);
    EXPECT_EQ(h.view.GetScaleSize(), CSize(c.expected, c.expected)) << c.percent << " %";
  }
  // 0: the whole canvas in the window, at a scale below 100 %.
  ViewHarness<CDrawView> h;
  h.Open(1, 1, 0);
  EXPECT_LT(h.view.GetScaleSize().cx, 5000);
  CRect canvas = h.view.GetDiagramRect();
  h.view.DocToClient(canvas);
  EXPECT_LE(canvas.bottom, h.Client().cy + 1);
  EXPECT_LE(canvas.right, h.Client().cx + 1);
}

TEST(DrawViewZoom, ThePickSquareGrowsWithTheZoomButNeverShrinks) {
  struct Case {
    int scale;
    int pixels;
  };
  for (const Case& c : {Case{10000, 8}, Case{2500, 4}, Case{5000, 4}}) {
    ViewHarness<CDrawView> h;
    h.Open();
    CDrawView::c_nSelectionProximity = 4;
    h.view.Scale(CSize(c.scale, c.scale));
    ASSERT_EQ(h.view.GetScaleSize().cx, c.scale);
    CRect pick = h.view.GetDocSenstivityRectForClientPoint(CPoint(200, 150));
    h.view.DocToClient(pick);
    EXPECT_NEAR(pick.Width(), c.pixels, 1) << c.scale;
    EXPECT_NEAR(pick.Height(), c.pixels, 1) << c.scale;
  }
}

TEST(DrawViewZoom, TheCanvasScaleLimitsAreComputedWithoutOverflow) {
  ViewHarness<CDrawView> h;
  h.Open(20, 20);
  const CRect canvas = h.view.GetDiagramRect();
  const long long px = static_cast<long long>(canvas.Width()) * ScreenPpi() / 100;
  ASSERT_GE(px, 5000);
  CSize limits;
  const CSize scale = h.view.NormalizeScaleBy(CSize(20000, 20000), limits);
  EXPECT_EQ(limits.cx, 134217727LL * 5000 / px);
  EXPECT_GT(limits.cx, 0);
  EXPECT_EQ(scale, CSize(20000, 20000));
  // A small canvas allows the whole coordinate range.
  ViewHarness<CDrawView> small;
  small.Open(1, 1);
  small.view.NormalizeScaleBy(CSize(5000, 5000), limits);
  EXPECT_EQ(limits, CSize(134217727, 134217727));
}

TEST(DrawViewZoom, RequestedScalesAreClampedAndMadeEqual) {
  ViewHarness<CDrawView> h;
  h.Open();
  CSize limits;
  EXPECT_EQ(h.view.NormalizeScaleBy(CSize(100, 9000), limits), CSize(250, 250));
  EXPECT_EQ(h.view.NormalizeScaleBy(CSize(90000, 9000), limits), CSize(9000, 9000));
  EXPECT_EQ(h.view.NormalizeScaleBy(CSize(90000, 90000), limits), CSize(20000, 20000));
}

TEST(DrawViewZoom, ZoomingALargeCanvasKeepsThePointInTheMiddle) {
  ViewHarness<CDrawView> h;
  h.Open(20, 20, 400);
  const CSize client = h.Client();
  h.view.ScrollToPosition(CPoint(50000, 60000));
  const CPoint oldPosition = h.view.GetDeviceScrollPosition();
  const CSize oldSize = h.view.GetTotalSize();
  const CPoint at(client.cx / 2, client.cy / 2);
  h.view.ScaleAndScroll(CSize(20000, 20000), at);
  const CSize newSize = h.view.GetTotalSize();
  ASSERT_GT(static_cast<long long>(at.x + oldPosition.x) * newSize.cx, INT_MAX);  // 32 bits would overflow
  const CPoint expected(static_cast<int>((at.x + oldPosition.x) * static_cast<long long>(newSize.cx) / oldSize.cx -
                                         client.cx / 2),
                        static_cast<int>((at.y + oldPosition.y) * static_cast<long long>(newSize.cy) / oldSize.cy -
                                         client.cy / 2));
  EXPECT_EQ(h.view.GetDeviceScrollPosition(), expected);
}

TEST(DrawViewZoom, ZoomingBeforeAnyScrollSizeStartsAtTheOrigin) {
  ViewHarness<CDrawView> h;
  h.Open(4, 4);
  h.view.SetScrollSizes(MM_TEXT, CSize(0, 0));
  h.view.ScaleAndScroll(CSize(20000, 20000), CPoint(400, 300));
  EXPECT_EQ(h.view.GetDeviceScrollPosition(), CPoint(0, 0));
  EXPECT_GT(h.view.GetTotalSize().cx, h.Client().cx);
}

TEST(DrawViewZoom, DraggingTheThumbUsesAllItsBits) {
  ViewHarness<CDrawView> h;
  h.Open(40, 1, 400);
  ASSERT_GT(h.view.GetTotalSize().cx, 100000 + h.Client().cx);
  EXPECT_TRUE(platform::DragScrollThumb(h.view, SB_HORZ, 100000));
  EXPECT_EQ(h.view.GetDeviceScrollPosition().x, 100000);
}

TEST(DrawViewZoom, AZeroHeightAreaZoomsToTheLargestScale) {
  ViewHarness<CDrawView> h;
  h.Open(2, 2);
  h.view.PanZoomTo(CRect(0, 0, 200, 0));
  EXPECT_EQ(h.view.GetScaleSize(), CSize(20000, 20000));
}

TEST(DrawViewZoom, ZoomLastReturnsToTheAreaShownBefore) {
  ViewHarness<CDrawView> h;
  h.Open(2, 2, 100);
  h.view.ScrollToPosition(CPoint(120, 90));
  CRect before;
  h.view.GetClientRect(before);
  h.view.ClientToDoc(before);
  const CSize scaleBefore = h.view.GetScaleSize();
  h.view.Scale(CSize(15000, 15000));
  ASSERT_EQ(h.view.GetScaleSize(), CSize(15000, 15000));
  h.view.OnViewLastZoom();
  EXPECT_NEAR(h.view.GetScaleSize().cx, scaleBefore.cx, 50);
  CRect after;
  h.view.GetClientRect(after);
  h.view.ClientToDoc(after);
  EXPECT_NEAR(after.CenterPoint().x, before.CenterPoint().x, 3);
  EXPECT_NEAR(after.CenterPoint().y, before.CenterPoint().y, 3);
}

TEST(DrawViewZoom, ScaleToFitShowsTheWholeCanvas) {
  ViewHarness<CDrawView> h;
  h.Open(3, 2, 200);
  h.view.OnViewScaleToFit();
  EXPECT_EQ(h.view.GetDeviceScrollPosition(), CPoint(0, 0));
  CRect canvas = h.view.GetDiagramRect();
  h.view.DocToClient(canvas);
  const CSize client = h.Client();
  EXPECT_LE(canvas.right, client.cx + 1);
  EXPECT_LE(canvas.bottom, client.cy + 1);
}

TEST(DrawViewZoom, AutoScrollPastTheStillZone) {
  struct Case {
    CPoint at;            // relative to the client's bottom-right corner
    CPoint scrolledFrom;  // the scroll position before; x < 0: 1 - x short of the limit
    CSize expected;
    bool scrolling;
  };
  const Case cases[] = {
      {CPoint(-11 + 5, -300), CPoint(0, 0), CSize(11, 0), true},   // 5 beyond: at least 11
      {CPoint(-11 + 30, -300), CPoint(0, 0), CSize(30, 0), true},  // 30 beyond: 30
      {CPoint(-400, -11 + 5), CPoint(0, 0), CSize(0, 11), true},
      {CPoint(-400, -300), CPoint(0, 0), CSize(0, 0), false},     // inside the still zone
      {CPoint(-11 + 30, -300), CPoint(-1, 0), CSize(0, 0), false},  // at the limit already
      {CPoint(-11 + 5, -300), CPoint(-4, 0), CSize(3, 0), true},    // 3 short of it: the 3 scrolled
  };
  for (const Case& c : cases) {
    ViewHarness<CDrawView> h;
    h.Open(3, 3);
    const CSize client = h.Client();
    const CSize total = h.view.GetTotalSize();
    h.view.ScrollToPosition(c.scrolledFrom.x < 0 ? CPoint(total.cx - client.cx + c.scrolledFrom.x + 1, 0)
                                                 : c.scrolledFrom);
    const CSize scrolled = h.view.AutoScroll(CPoint(client.cx + c.at.x, client.cy + c.at.y));
    EXPECT_EQ(scrolled, c.expected) << c.at.x << "," << c.at.y;
    EXPECT_EQ(h.view.IsScrolling() != FALSE, c.scrolling);
  }
}

}  // namespace
