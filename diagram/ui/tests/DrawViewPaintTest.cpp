// How the diagram view paints: the window colour beyond the canvas, the grid
// and page boundaries as recorded calls, and an incremental repaint through
// the off-screen bitmap that gives the very pixels of a full one.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace {

using viewtest::Box;
using viewtest::ViewHarness;

// A view whose diagram background is hatched, as a derived view may ask.
class HatchedView : public CDrawView {
 public:
  HatchedView() { m_bHatchedBackground = TRUE; }
};

COLORREF PixelAt(const CDrawView& view, int x, int y) {
  const platform::PixelBuffer* pixels = platform::WindowSurfaceOf(view.m_hWnd)->Raster().Pixels();
  const uint32_t p = pixels->Row(y)[x];
  return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
}

std::vector<uint32_t> Snapshot(const CDrawView& view) {
  const platform::PixelBuffer* pixels = platform::WindowSurfaceOf(view.m_hWnd)->Raster().Pixels();
  std::vector<uint32_t> all;
  for (int y = 0; y < pixels->Height(); ++y) all.insert(all.end(), pixels->Row(y), pixels->Row(y) + pixels->Width());
  return all;
}

// Restores the system colour table entry a test changes.
class WindowColour {
 public:
  explicit WindowColour(COLORREF colour) : old_(::GetSysColor(COLOR_WINDOW)) { Set(colour); }
  ~WindowColour() { Set(old_); }

 private:
  static void Set(COLORREF colour) {
    const int index = COLOR_WINDOW;
    ::SetSysColors(1, &index, &colour);
  }
  COLORREF old_;
};

TEST(DrawViewPaint, BeyondTheCanvasTheWindowColourShows) {
  WindowColour window(RGB(10, 20, 30));
  ViewHarness<CDrawView> h;
  CDrawView::c_bShowGrid = FALSE;
  h.Open(1, 1, 25);
  ASSERT_TRUE(h.diagram->SetPaperColor(RGB(250, 250, 200)));
  CRect canvas = h.view.GetDiagramRect();
  h.view.DocToClient(canvas);
  ASSERT_LT(canvas.right + 20, h.Client().cx);
  h.view.Invalidate(FALSE);
  h.view.UpdateWindow();
  EXPECT_EQ(PixelAt(h.view, canvas.right + 10, 10), RGB(10, 20, 30));
  EXPECT_EQ(PixelAt(h.view, canvas.right / 3, canvas.bottom / 3), RGB(250, 250, 200));
  EXPECT_EQ(PixelAt(h.view, 10, canvas.bottom + 10), RGB(10, 20, 30));
}

TEST(DrawViewPaint, TheGridDrawsDottedLinesAtItsSpacingAndTheCentreLinesOnce) {
  ViewHarness<CDrawView> h;
  h.Open(1, 1, 25);
  ASSERT_TRUE(h.diagram->SetGrid(CSize(10, 10), CSize(5, 5)));
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  CDC dc;
  dc.Attach(platform::CreateRecordingDc(recorder));
  h.view.OnPrepareDC(&dc);
  h.view.DrawGridAndPageBoundaries(&dc);

  const CRect canvas = h.diagram->GetRect();
  const CPoint centre((canvas.left + canvas.right) / 2, (canvas.top + canvas.bottom) / 2);
  std::set<int> xs;
  std::set<int> ys;
  int dashed = 0;
  for (const platform::DrawOp& op : recorder->Ops()) {
    if (op.logical.size() != 2) continue;
    const POINT a = op.logical[0];
    const POINT b = op.logical[1];
    if (op.pen.Kind() == PS_DASH) {
      ++dashed;
      EXPECT_TRUE(a.x == centre.x || a.y == centre.y);
    } else if (op.pen.Kind() == PS_DOT) {
      if (a.x == b.x) {
        EXPECT_TRUE(xs.insert(a.x).second) << "vertical line drawn twice at " << a.x;
        EXPECT_EQ(std::min(a.y, b.y), std::min(canvas.top, canvas.bottom));
      } else {
        EXPECT_TRUE(ys.insert(a.y).second) << "horizontal line drawn twice at " << a.y;
      }
    }
  }
  EXPECT_EQ(dashed, 2);
  ASSERT_GT(xs.size(), 3u);
  ASSERT_GT(ys.size(), 3u);
  for (int x : xs) EXPECT_EQ(x % 50, 0) << x;
  for (int y : ys) EXPECT_EQ(y % 50, 0) << y;
  EXPECT_EQ(xs.count(centre.x), 0u);
  EXPECT_EQ(ys.count(centre.y), 0u);
  // Every multiple of 50 inside the canvas but the centre has its line.
  EXPECT_EQ(*xs.rbegin() - *xs.begin(), 50 * static_cast<int>(xs.size()));
}

// Repaints a part of the window after spoiling it and compares every pixel
// with a full repaint.
void ExpectIncrementalLikeFull(CDrawView& view, const CRect& part) {
  view.Invalidate(FALSE);
  view.UpdateWindow();
  const std::vector<uint32_t> full = Snapshot(view);
  {
    CClientDC dc(&view);
    dc.FillSolidRect(part, RGB(255, 0, 255));
  }
  view.InvalidateRect(part, FALSE);
  view.UpdateWindow();
  const std::vector<uint32_t> repainted = Snapshot(view);
  ASSERT_EQ(repainted.size(), full.size());
  const int width = platform::WindowSurfaceOf(view.m_hWnd)->Raster().Pixels()->Width();
  int differing = 0;
  for (size_t i = 0; i < full.size(); ++i) {
    if (full[i] == repainted[i]) continue;
    if (differing++ == 0) ADD_FAILURE() << "first differing pixel " << i % width << "," << i / width;
  }
  EXPECT_EQ(differing, 0);
}

TEST(DrawViewPaint, AnIncrementalRepaintGivesThePixelsOfAFullOne) {
  ViewHarness<HatchedView> h;
  CDrawView::c_bShowGrid = TRUE;
  h.Open(2, 2, 150);
  ASSERT_TRUE(h.diagram->SetGrid(CSize(5, 5), CSize(4, 4)));
  for (int i = 0; i < 6; ++i) {
    auto* box = new Box(CRect(-200 + i * 70, 150 - i * 40, -150 + i * 70, 100 - i * 40));
    ASSERT_TRUE(h.diagram->Add(box));
    box->SetFillColor(RGB(40 * i, 200 - 30 * i, 90));
  }
  h.view.Select(h.diagram->GetObjects().GetHead(), FALSE);
  ExpectIncrementalLikeFull(h.view, CRect(123, 77, 301, 205));
  ExpectIncrementalLikeFull(h.view, CRect(5, 3, 6, 500));
  // Scrolled by amounts that are no multiple of the hatch's 8 pixels.
  h.view.ScrollToPosition(CPoint(1003, 757));
  ExpectIncrementalLikeFull(h.view, CRect(211, 99, 433, 371));
  h.view.OnScrollBy(CSize(-13, 5));
  ExpectIncrementalLikeFull(h.view, CRect(0, 0, 40, 600));
}

}  // namespace
