// The diagram view's reaction to every update hint, the selection calls,
// and the mouse reaching the active tool only while the view is active.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/model/document/DrawHint.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowApi.h"

namespace {

using viewtest::ViewHarness;

class HintView : public CDrawView {
 public:
  int keyboardMenus = 0;
  std::vector<WPARAM> redraws;  // the WM_SETREDRAW messages the window got
  void OnKeyboardPopUpMenu() override { ++keyboardMenus; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETREDRAW) redraws.push_back(wParam);
    return CDrawView::WindowProc(message, wParam, lParam);
  }
};

class DrawViewHints : public ::testing::Test {
 protected:
  void SetUp() override {
    h.Open(2, 2);
    // Both within the window, near the canvas's top-left corner.
    const CPoint corner = h.diagram->GetRect().TopLeft();
    inSelection = new CDrawObj(CRect(corner.x + 100, corner.y - 100, corner.x + 140, corner.y - 140));
    other = new CDrawObj(CRect(corner.x + 200, corner.y - 200, corner.x + 240, corner.y - 240));
    ASSERT_TRUE(h.diagram->Add(inSelection));
    ASSERT_TRUE(h.diagram->Add(other));
    h.view.Select(inSelection, FALSE);
    Settle();
  }
  // Paints what is pending, so that a later invalidation shows.
  void Settle() { h.view.UpdateWindow(); }
  bool Invalid() {
    CRect r;
    return h.view.GetUpdateRect(r, FALSE) != FALSE;
  }

  ViewHarness<HintView> h;
  CDrawObj* inSelection = nullptr;
  CDrawObj* other = nullptr;
};

TEST_F(DrawViewHints, EachHintDoesItsOwnWork) {
  struct Case {
    LPARAM hint;
    bool wrapped;       // sent in a CDrawHint of the view's diagram
    bool withObject;    // carrying the unselected object
    bool invalidates;   // something of the window becomes invalid
    int selectionLeft;  // objects left in the selection
  };
  const Case cases[] = {
      {0, false, false, true, 1},  {0, true, true, false, 1},  {10, true, false, true, 1},
      {10, false, false, true, 1}, {11, true, false, true, 1}, {14, true, false, true, 0},
      {20, true, true, true, 1},   {30, false, false, true, 1}, {31, false, false, true, 0},
      {3, true, false, false, 1},  {9, false, false, false, 1}, {15, true, false, false, 1},
      {19, true, false, false, 1}, {22, true, false, false, 1}, {29, false, false, false, 1},
      {34, false, false, false, 1}, {-1, false, false, false, 1},
  };
  for (const Case& c : cases) {
    h.view.Select(inSelection, FALSE);
    Settle();
    CDrawHint wrapper(h.diagram, c.withObject ? other : nullptr);
    h.view.OnUpdate(nullptr, c.hint, c.wrapped ? &wrapper : nullptr);
    EXPECT_EQ(Invalid(), c.invalidates) << "hint " << c.hint;
    EXPECT_EQ(h.view.GetSelection().GetCount(), c.selectionLeft) << "hint " << c.hint;
  }
}

TEST_F(DrawViewHints, HintsOfAnotherDiagramAndUnwrappedDiagramHintsAreIgnored) {
  CDiagram foreign;
  for (LPARAM hint : {LPARAM(10), LPARAM(11), LPARAM(14), LPARAM(20), LPARAM(21), LPARAM(30), LPARAM(31)}) {
    CDrawHint wrapper(&foreign, inSelection);
    h.view.OnUpdate(nullptr, hint, &wrapper);
    EXPECT_FALSE(Invalid()) << hint;
    EXPECT_EQ(h.view.GetSelection().GetCount(), 1) << hint;
  }
  // The canvas and destruction hints act only when a diagram sends them.
  const CSize total = h.view.GetTotalSize();
  ASSERT_TRUE(h.diagram->SetCanvasSize(2, 2));
  h.view.OnUpdate(nullptr, CDrawHint::diagramDestroyed, nullptr);
  EXPECT_EQ(h.view.GetDiagram(), h.diagram);
  h.view.OnUpdate(nullptr, CDrawHint::canvasSizeChanged, nullptr);
  EXPECT_EQ(h.view.GetTotalSize(), total);
}

TEST_F(DrawViewHints, ALargerCanvasGivesALargerScrollSizeAroundTheSamePoint) {
  h.view.ScrollToPosition(CPoint(300, 200));
  CPoint middle(h.Client().cx / 2, h.Client().cy / 2);
  h.view.ClientToDoc(middle);
  const CSize before = h.view.GetTotalSize();
  ASSERT_TRUE(h.diagram->SetCanvasSize(3, 3));
  EXPECT_GT(h.view.GetTotalSize().cx, before.cx);
  EXPECT_GT(h.view.GetTotalSize().cy, before.cy);
  CPoint now(h.Client().cx / 2, h.Client().cy / 2);
  h.view.ClientToDoc(now);
  EXPECT_NEAR(now.x, middle.x, 2);
  EXPECT_NEAR(now.y, middle.y, 2);
}

// A diagram with a largest canvas of its own that counts the calls that
// would move objects onto the canvas.
class CountingDiagram : public CDiagram {
 public:
  CSize largest;
  int beyond = 0;
  CSize GetMaxCanvasSize() const override { return largest; }
  int HandleObjectsBeyondCanvas(int ask, int recordUndo) override {
    EXPECT_EQ(ask, 1);
    EXPECT_EQ(recordUndo, 0);
    ++beyond;
    return 1;
  }
};

TEST(DrawViewPrinterHint, TheCanvasGrowsToCoverTheDrawingAndWhatItCannotCoverIsHandled) {
  struct Case {
    const char* what;
    int pagesRight;  // how far right of the canvas's left edge the object lies, in pages
    int largest;     // pages across of the largest canvas
    int across;      // pages across afterwards
    int handled;
  };
  const Case cases[] = {
      {"on the canvas", 0, 2, 2, 0},
      {"a page beyond it, room to grow", 2, 4, 3, 0},
      {"a page beyond the largest canvas", 2, 2, 2, 1},
  };
  for (const Case& c : cases) {
    ViewHarness<CDrawView> h;
    CountingDiagram diagram;
    diagram.largest = CSize(c.largest, 1);
    diagram.SetDocument(&h.doc);
    h.doc.SetActiveDiagram(&diagram);
    h.diagram = &diagram;
    h.Open(2, 1);
    const int before = diagram.beyond;
    const CRect canvas = diagram.GetRect();
    const int left = canvas.left + c.pagesRight * diagram.GetPageSize().cx + 10;
    ASSERT_TRUE(diagram.Add(new CDrawObj(CRect(left, canvas.top - 10, left + 50, canvas.top - 60))));
    h.view.OnUpdate(nullptr, CDrawHint::printerPageSizeChanged, nullptr);
    EXPECT_EQ(diagram.GetCanvasSize().cx, c.across) << c.what;
    EXPECT_EQ(diagram.beyond - before, c.handled) << c.what;
    h.view.DestroyWindow();
    h.doc.SetActiveDiagram(h.doc.GetDiagram());
    h.doc.ClearUndoStack();
    diagram.DeleteContents();
  }
}

TEST_F(DrawViewHints, TheObjectDescriptorFormatIsRegistered) {
  EXPECT_NE(CDrawView::GetObjectDescriptor(), 0u);
  EXPECT_EQ(CDrawView::GetObjectDescriptor(), ::RegisterClipboardFormat(u"Object Descriptor"));
}

TEST_F(DrawViewHints, ObjectHintsTouchOnlyTheirObject) {
  CDrawHint removed(h.diagram, inSelection);
  h.view.OnUpdate(nullptr, CDrawHint::objectRemoved, &removed);
  EXPECT_TRUE(h.view.GetSelection().IsEmpty());
  EXPECT_FALSE(Invalid());  // taken out without a repaint

  CDrawHint changed(h.diagram, other);
  h.view.OnUpdate(nullptr, CDrawHint::objectChanged, &changed);
  EXPECT_TRUE(Invalid());
  Settle();

  // Hint 31 with a list takes just those objects out of the selection.
  h.view.Select(inSelection, FALSE);
  h.view.Select(other, TRUE);
  Settle();
  CDrawList going;
  going.AddTail(other);
  CDrawHint deleting(h.diagram, &going);
  h.view.OnUpdate(nullptr, 31, &deleting);
  EXPECT_EQ(h.view.GetSelection().GetCount(), 1);
  EXPECT_TRUE(h.view.IsSelected(inSelection));
  EXPECT_TRUE(Invalid());
}

TEST_F(DrawViewHints, AGridChangeRepaintsOnlyAViewThatShowsTheGrid) {
  CDrawView::c_bShowGrid = FALSE;
  ViewHarness<CDrawView> noGrid;
  noGrid.Open();
  noGrid.view.UpdateWindow();
  CDrawHint wrapper(noGrid.diagram, nullptr);
  noGrid.view.OnUpdate(nullptr, CDrawHint::gridChanged, &wrapper);
  CRect r;
  EXPECT_FALSE(noGrid.view.GetUpdateRect(r, FALSE));
}

TEST_F(DrawViewHints, RedrawOffAndOnNest) {
  h.view.redraws.clear();  // zooming at the start turned redrawing off and on
  h.view.OnUpdate(nullptr, 32, nullptr);
  h.view.OnUpdate(nullptr, 32, nullptr);
  h.view.OnUpdate(nullptr, 33, nullptr);
  EXPECT_EQ(h.view.redraws, (std::vector<WPARAM>{FALSE}));  // still off after one "on"
  Settle();
  h.view.OnUpdate(nullptr, 33, nullptr);
  EXPECT_EQ(h.view.redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  EXPECT_TRUE(Invalid());  // the last "on" repaints
  // Counting starts again from nothing.
  h.view.OnUpdate(nullptr, 33, nullptr);
  h.view.OnUpdate(nullptr, 32, nullptr);
  EXPECT_EQ(h.view.redraws, (std::vector<WPARAM>{FALSE, TRUE, TRUE, FALSE}));
}

TEST_F(DrawViewHints, ADestroyedDiagramLeavesTheView) {
  CDrawHint wrapper(h.diagram, nullptr);
  h.view.OnUpdate(nullptr, CDrawHint::diagramDestroyed, &wrapper);
  EXPECT_EQ(h.view.GetDiagram(), nullptr);
  EXPECT_TRUE(h.view.GetSelection().IsEmpty());
}

TEST_F(DrawViewHints, SelectionCalls) {
  h.view.Select(other, TRUE);
  EXPECT_EQ(h.view.GetSelection().GetCount(), 2);
  h.view.Select(other, TRUE);  // already selected: once only
  EXPECT_EQ(h.view.GetSelection().GetCount(), 2);
  Settle();
  h.view.Deselect(other);
  EXPECT_TRUE(Invalid());
  EXPECT_FALSE(h.view.IsSelected(other));
  Settle();
  h.view.Remove(inSelection);
  EXPECT_FALSE(Invalid());
  EXPECT_TRUE(h.view.GetSelection().IsEmpty());
  h.view.Select(nullptr, FALSE);
  EXPECT_TRUE(h.view.GetSelection().IsEmpty());
}

TEST_F(DrawViewHints, SelectingAndTogglingWithinARectangle) {
  // In document units, y growing upward.
  const CPoint corner = h.diagram->GetRect().TopLeft();
  CRect both(corner.x + 90, corner.y - 90, corner.x + 250, corner.y - 250);
  h.view.DocToClient(both);
  CRect first(corner.x + 90, corner.y - 90, corner.x + 150, corner.y - 150);
  h.view.DocToClient(first);
  h.view.SelectWithinRect(first, FALSE);
  EXPECT_EQ(h.view.GetSelection().GetCount(), 1);
  EXPECT_TRUE(h.view.IsSelected(inSelection));
  h.view.ToggleSelectWithinRect(both);
  EXPECT_EQ(h.view.GetSelection().GetCount(), 1);
  EXPECT_TRUE(h.view.IsSelected(other));
  h.view.SelectWithinRect(both, TRUE);
  EXPECT_EQ(h.view.GetSelection().GetCount(), 2);
}

TEST_F(DrawViewHints, ShiftF10AndTheContextMenuMessageOpenTheKeyboardMenu) {
  struct Case {
    UINT message;
    WPARAM key;
    bool shift;
    bool opens;
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_F10, true, true},    {WM_SYSKEYDOWN, VK_F10, true, true},
      {WM_KEYDOWN, VK_F10, false, false},  {WM_KEYDOWN, VK_F9, true, false},
      {WM_CONTEXTMENU, 0, false, true},    {WM_CHAR, VK_F10, true, false},
  };
  for (const Case& c : cases) {
    platform::SetKeyDown(VK_SHIFT, c.shift);
    MSG msg = {};
    msg.hwnd = h.view.m_hWnd;
    msg.message = c.message;
    msg.wParam = c.key;
    h.view.keyboardMenus = 0;
    const BOOL consumed = h.view.PreTranslateMessage(&msg);
    EXPECT_EQ(consumed != FALSE, c.opens) << c.message;
    EXPECT_EQ(h.view.keyboardMenus, c.opens ? 1 : 0) << c.message;
  }
  platform::ResetKeyState();
}

// A tool that notes what reaches it.
class LogTool : public CDrawTool {
 public:
  LogTool() : CDrawTool(dsRect) {}
  void OnLButtonDown(CDrawView*, unsigned, const CPoint&) override { log.push_back("down"); }
  void OnLButtonDblClk(CDrawView*, unsigned, const CPoint&) override { log.push_back("dblclk"); }
  void OnLButtonUp(CDrawView*, unsigned, const CPoint&) override { log.push_back("up"); }
  void OnMouseMove(CDrawView*, unsigned, const CPoint& point) override {
    log.push_back("move " + std::to_string(point.x) + "," + std::to_string(point.y));
  }
  void OnRButtonDown(CDrawView*, unsigned, const CPoint&) override { log.push_back("rdown"); }
  std::vector<std::string> log;
};

TEST_F(DrawViewHints, TheMouseReachesTheActiveToolOnlyWhileTheViewIsActive) {
  LogTool tool;
  CDrawTool::SetActiveTool(&tool);
  const LPARAM at = MAKELPARAM(30, 40);
  const UINT messages[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN};
  for (UINT m : messages) h.view.SendMessage(m, 0, at);
  EXPECT_EQ(tool.log, (std::vector<std::string>{"down", "move 30,40", "up", "dblclk", "rdown"}));

  tool.log.clear();
  h.view.SetActive(FALSE);
  ::SetCursor(nullptr);
  for (UINT m : messages) h.view.SendMessage(m, 0, at);
  EXPECT_TRUE(tool.log.empty());
  EXPECT_EQ(::GetCursor(), tool.GetToolCursor());  // a move over an inactive view shows the tool's cursor
}

TEST_F(DrawViewHints, AMouseMoveEndsTheScrollingState) {
  h.view.ScrollToPosition(CPoint(0, 0));
  CRect client;
  h.view.GetClientRect(client);
  ASSERT_NE(h.view.AutoScroll(CPoint(client.right + 20, 10)), CSize(0, 0));
  ASSERT_TRUE(h.view.IsScrolling());
  h.view.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_FALSE(h.view.IsScrolling());
}

}  // namespace

namespace {

// A document's view made by a frame, as the document template makes it.
class FramedView : public ::testing::Test {
 protected:
  void SetUp() override {
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDrawView);
    context.m_pCurrentDoc = &doc;
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr, 0,
                              &context));
    frameWindow = frame->m_hWnd;
    frame->InitialUpdateFrame(&doc, TRUE);
    view = static_cast<CDrawView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(frameWindow)) frame->DestroyWindow();
  }

  viewtest::SavedViewOptions saved;
  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  CFrameWnd* frame = nullptr;
  HWND frameWindow = nullptr;
  CDrawView* view = nullptr;
};

TEST_F(FramedView, ActivationMakesTheViewsDiagramCurrentAndTakesBackTheMouse) {
  ASSERT_TRUE(view->IsActive());
  ASSERT_EQ(view->GetDiagram(), diagram);
  frame->SetActiveView(nullptr);
  EXPECT_FALSE(view->IsActive());

  // A gesture held the mouse when the view lost it.
  view->SetCapture();
  ::ReleaseCapture();
  CDiagram other;
  doc.SetActiveDiagram(&other);
  frame->SetActiveView(view);
  EXPECT_TRUE(view->IsActive());
  EXPECT_EQ(doc.GetActiveDiagram(), diagram);
  EXPECT_EQ(CWnd::GetCapture(), view);
  view->ReleaseCapture();
}

TEST_F(FramedView, ADestroyedDiagramClosesTheFrame) {
  CDrawHint gone(diagram, nullptr);
  view->OnUpdate(nullptr, CDrawHint::diagramDestroyed, &gone);
  EXPECT_EQ(view->GetDiagram(), nullptr);
  platform::PumpPendingMessages();
  EXPECT_FALSE(::IsWindow(frameWindow));
}

}  // namespace
