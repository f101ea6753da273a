// A dynamic splitter as a frame's client: the first pane from the creation
// context, splits refused below the minimum pane size or beyond 2 x 2, and
// every pane a view of the same document.
#include <gtest/gtest.h>

#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowPicture.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

int g_initialUpdates = 0;

class CPaneView : public CView {
  DECLARE_DYNCREATE(CPaneView)

 public:
  void OnInitialUpdate() override { ++g_initialUpdates; }

 protected:
  void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(CPaneView, CView)

// The splitter's bar thickness, for the checks.
class CTestSplitter : public CSplitterWnd {
 public:
  int BarWidth() const { return m_cxSplitter; }
  int BarHeight() const { return m_cySplitter; }
  int SplitBoxDepth() const { return m_cySplitBox; }
};

class CSplitFrame : public CFrameWnd {
 public:
  CTestSplitter splitter;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    return splitter.Create(this, 2, 2, CSize(10, 10), context);
  }
};

using SplitterTest = uitest::UiTest;

TEST_F(SplitterTest, PanesAreViewsOfTheDocumentWithinTheLimits) {
  g_initialUpdates = 0;
  CDocument doc;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CPaneView);
  context.m_pCurrentDoc = &doc;
  auto* frame = new CSplitFrame;
  ASSERT_TRUE(frame->Create(u"AfxWnd", u"split", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr,
                            nullptr, 0, &context));
  frame->InitialUpdateFrame(&doc);
  CTestSplitter& s = frame->splitter;
  EXPECT_EQ(s.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  ASSERT_NE(s.GetPane(0, 0), nullptr);
  EXPECT_EQ(frame->GetActiveView(), s.GetPane(0, 0));
  EXPECT_EQ(g_initialUpdates, 1);

  CRect client;
  s.GetClientRect(client);
  struct Case {
    bool row;
    int before;
    bool done;
  };
  const Case cases[] = {
      {true, 9, false},                                       // the top pane would be below 10
      {true, client.Height() - s.BarHeight() - 9, false},     // the bottom one would
      {true, 10, true},                                       // exactly the minimum
      {true, 50, false},                                      // two rows at most
      {false, client.Width() - s.BarWidth() - 9, false},      // the right one would, beside the bar
      {false, client.Width() - s.BarWidth() - 10, true},
      {false, 40, false},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(k.row ? s.SplitRow(k.before) : s.SplitColumn(k.before), k.done ? TRUE : FALSE) << k.before;
  }
  EXPECT_EQ(s.GetRowCount(), 2);
  EXPECT_EQ(s.GetColumnCount(), 2);
  EXPECT_EQ(g_initialUpdates, 4) << "panes made later update themselves";
  auto* corner = dynamic_cast<CView*>(CWnd::FromHandlePermanent(s.GetPane(1, 1)->GetSafeHwnd()));
  ASSERT_NE(corner, nullptr);
  EXPECT_EQ(corner->GetDocument(), &doc);
  EXPECT_TRUE(corner->GetStyle() & WS_VSCROLL);
  CRect top, bottom;
  s.GetPane(0, 0)->GetWindowRect(top);
  s.GetPane(1, 0)->GetWindowRect(bottom);
  EXPECT_EQ(top.Height(), 10);
  EXPECT_EQ(bottom.top - top.bottom, s.BarHeight()) << "the bar lies between the rows";
  EXPECT_EQ(top.Height() + s.BarHeight() + bottom.Height(), client.Height());
  frame->DestroyWindow();
}

// The composed picture of a split frame shows the raised splitter bar in the
// gap the splitter leaves between the panes, the split box above each
// pane's vertical scroll bar while rows may still be split, and the panes'
// scroll bars with their arrows.
TEST_F(SplitterTest, ASplitFramesPictureShowsItsBarWhereTheSplitterSays) {
  CDocument doc;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CPaneView);
  context.m_pCurrentDoc = &doc;
  auto* frame = new CSplitFrame;
  ASSERT_TRUE(frame->Create(u"AfxWnd", u"split", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 220), nullptr,
                            nullptr, 0, &context));
  frame->InitialUpdateFrame(&doc);
  CTestSplitter& s = frame->splitter;
  ASSERT_TRUE(s.SplitColumn(130));
  // Where the splitter put the panes, in the frame's client coordinates.
  auto paneRect = [&](int row, int col) {
    CRect r;
    s.GetPane(row, col)->GetWindowRect(r);
    frame->ScreenToClient(r);
    return r;
  };
  const CRect left = paneRect(0, 0), right = paneRect(0, 1);
  ASSERT_EQ(right.left - left.right, s.BarWidth());
  const platform::PixelBuffer picture = platform::ComposeWindowPicture(frame->GetSafeHwnd());
  const int y = (left.top + left.bottom) / 2;
  EXPECT_EQ(picture.GetColor(left.right, y), ::GetSysColor(COLOR_3DHIGHLIGHT)) << "the bar's lit edge";
  for (int x = left.right + 1; x < right.left - 1; ++x) EXPECT_EQ(picture.GetColor(x, y), ::GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(picture.GetColor(right.left - 1, y), ::GetSysColor(COLOR_3DSHADOW)) << "the bar's shaded edge";
  EXPECT_EQ(picture.GetColor(right.left + 2, y), RGB(255, 255, 255)) << "the right pane begins after the bar";
  // The rows may still be split: a strip above the panes, with a raised box
  // over each pane's vertical scroll bar.
  EXPECT_EQ(left.top, s.SplitBoxDepth());
  const int vscroll = ::GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(picture.GetColor(right.right - vscroll, 0), ::GetSysColor(COLOR_3DHIGHLIGHT)) << "the box's lit corner";
  EXPECT_EQ(picture.GetColor(right.right - 1, s.SplitBoxDepth() - 1), ::GetSysColor(COLOR_3DDKSHADOW));
  // Each pane's vertical scroll bar (its view scrolls nothing): arrow
  // buttons at both ends and the track between, in the bar's column.
  const int barX = left.right - vscroll / 2 - 1;
  EXPECT_EQ(picture.GetColor(barX, left.top + 8), ::GetSysColor(COLOR_GRAYTEXT)) << "the up arrow, greyed";
  EXPECT_EQ(picture.GetColor(left.right - vscroll, left.top), ::GetSysColor(COLOR_3DLIGHT)) << "the button's edge";
  frame->DestroyWindow();
}

}  // namespace
