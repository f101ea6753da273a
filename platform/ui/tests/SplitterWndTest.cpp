// A dynamic splitter as a frame's client: the first pane from the creation
// context, splits refused below the minimum pane size or beyond 2 x 2, and
// every pane a view of the same document.
#include <gtest/gtest.h>

#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/View.h"
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

class CSplitFrame : public CFrameWnd {
 public:
  CSplitterWnd splitter;

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
  CSplitterWnd& s = frame->splitter;
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
      {true, 9, false},                      // the top pane would be below 10
      {true, client.Height() - 9, false},    // the bottom one would
      {true, 10, true},                      // exactly the minimum
      {true, 50, false},                     // two rows at most
      {false, client.Width() - 10, true},
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
  EXPECT_EQ(top.Height() + bottom.Height(), client.Height());
  frame->DestroyWindow();
}

}  // namespace
