// A frame that holds a view: making the view from a context, activation,
// command routing, the layout and closing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

std::vector<std::string> g_log;

class CLoggedView : public CView {
  DECLARE_DYNCREATE(CLoggedView)

 public:
  ~CLoggedView() override { g_log.push_back("view deleted"); }
  void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override {
    g_log.push_back(std::string(activate ? "activate " : "deactivate ") + Name(activated) + " " + Name(deactivated));
    CView::OnActivateView(activate, activated, deactivated);
  }
  void OnInitialUpdate() override { g_log.push_back("initial update " + name); }
  std::string name = "made";

 protected:
  void OnDraw(CDC*) override {}
  afx_msg void OnViewCommand() { g_log.push_back("view command " + name); }
  DECLARE_MESSAGE_MAP()

 private:
  static std::string Name(CView* v) { return v ? static_cast<CLoggedView*>(v)->name : "none"; }
};

IMPLEMENT_DYNCREATE(CLoggedView, CView)
BEGIN_MESSAGE_MAP(CLoggedView, CView)
  ON_COMMAND(100, OnViewCommand)
END_MESSAGE_MAP()

class CLoggedDoc : public CDocument {
 public:
  afx_msg void OnDocCommand() { g_log.push_back("document command"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggedDoc, CDocument)
  ON_COMMAND(100, OnDocCommand)
  ON_COMMAND(101, OnDocCommand)
END_MESSAGE_MAP()

class CLoggedFrame : public CFrameWnd {
 public:
  ~CLoggedFrame() override { g_log.push_back("frame deleted"); }
  afx_msg void OnFrameCommand() { g_log.push_back("frame command"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggedFrame, CFrameWnd)
  ON_COMMAND(100, OnFrameCommand)
  ON_COMMAND(101, OnFrameCommand)
  ON_COMMAND(102, OnFrameCommand)
END_MESSAGE_MAP()

class FrameWndTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_log.clear();
    doc.m_bAutoDelete = FALSE;
    frame = new CLoggedFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CLoggedView);
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, nullptr, 0,
                              &context));
    view = static_cast<CLoggedView*>(context.m_pLastView);
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(frameHwnd())) frame->DestroyWindow();
    UiTest::TearDown();
  }
  HWND frameHwnd() const { return hwnd; }

  CLoggedDoc doc;
  CLoggedFrame* frame = nullptr;
  CLoggedView* view = nullptr;
  HWND hwnd = nullptr;
};

TEST_F(FrameWndTest, TheFrameMakesItsViewFromTheContextAndActivatesItOnTheFirstUpdate) {
  hwnd = frame->m_hWnd;
  EXPECT_EQ(view->GetDocument(), &doc);
  EXPECT_EQ(view->GetParentFrame(), frame);
  EXPECT_EQ(frame->GetActiveFrame(), frame);
  EXPECT_EQ(frame->GetDlgItem(AFX_IDW_PANE_FIRST), view);
  EXPECT_EQ(frame->GetActiveView(), nullptr);
  frame->InitialUpdateFrame(&doc);
  EXPECT_EQ(g_log, (std::vector<std::string>{"activate made none", "initial update made"}));
  EXPECT_EQ(frame->GetActiveView(), view);
  EXPECT_EQ(frame->GetActiveDocument(), &doc);
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_EQ(CWnd::GetFocus(), view) << "the active frame's view takes the focus";
  // The view fills the client area as the frame changes size.
  frame->SetWindowPos(nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
  CRect client, pane;
  frame->GetClientRect(&client);
  view->GetWindowRect(&pane);
  frame->ScreenToClient(&pane);
  EXPECT_EQ(pane, client);
}

TEST_F(FrameWndTest, SetActiveViewTellsTheOldViewFirstAndTheNewOne) {
  hwnd = frame->m_hWnd;
  frame->SetActiveView(view);
  auto* second = new CLoggedView;
  second->name = "second";
  // A view a host makes stays the host's after its window.
  ASSERT_TRUE(second->Create(u"AfxWnd", u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, 7));
  g_log.clear();
  frame->SetActiveView(second);
  EXPECT_EQ(g_log, (std::vector<std::string>{"deactivate second made", "activate second made"}));
  g_log.clear();
  frame->SetActiveView(second);
  frame->SetActiveView(view, FALSE);
  EXPECT_TRUE(g_log.empty()) << "no change, or no notification asked";
  EXPECT_EQ(frame->GetActiveView(), view);
  // Destroying the active view leaves the frame without one.
  frame->SetActiveView(second, FALSE);
  second->DestroyWindow();
  EXPECT_EQ(frame->GetActiveView(), nullptr);
  delete second;
}

TEST_F(FrameWndTest, CommandsGoToTheActiveViewThenItsDocumentThenTheFrame) {
  hwnd = frame->m_hWnd;
  frame->InitialUpdateFrame(&doc);
  g_log.clear();
  frame->SendMessage(WM_COMMAND, 100);
  frame->SendMessage(WM_COMMAND, 101);
  frame->SendMessage(WM_COMMAND, 102);
  EXPECT_EQ(g_log, (std::vector<std::string>{"view command made", "document command", "frame command"}));
}

TEST_F(FrameWndTest, CloseDestroysAndDeletesTheFrameAndTheViewItMade) {
  hwnd = frame->m_hWnd;
  frame->InitialUpdateFrame(&doc);
  HWND viewHwnd = view->m_hWnd;
  g_log.clear();
  frame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_FALSE(::IsWindow(viewHwnd));
  EXPECT_EQ(g_log, (std::vector<std::string>{"view deleted", "frame deleted"}));
  EXPECT_EQ(doc.GetFirstViewPosition(), nullptr) << "the deleted view left its document";
}

TEST_F(FrameWndTest, ClosingTheMainFrameEndsTheApplicationsLoop) {
  hwnd = frame->m_hWnd;
  CWinApp app("frame test");
  app.m_pMainWnd = frame;
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(AfxGetMainWnd(), nullptr) << "the application forgets the deleted frame";
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST(FrameWndCreate, AMenuBarIsNotBuilt) {
  CFrameWnd* frame = new CFrameWnd;
  EXPECT_THROW(frame->Create(u"AfxWnd", u"f", WS_OVERLAPPEDWINDOW, CRect(0, 0, 10, 10), nullptr, u"menu"),
               CNotSupportedException);
  delete frame;
}

}  // namespace
