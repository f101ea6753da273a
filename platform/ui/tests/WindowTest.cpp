// Windows: hierarchy, destruction, rectangles, visibility, enabled state,
// focus, capture, cursors, keys and invalidation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using uitest::UiTest;

// A window that logs the messages the tests look at.
class CLogWnd : public CWnd {
 public:
  std::vector<std::string>* log = nullptr;
  std::string name;
  int paints = 0;
  HCURSOR cursorOnSet = nullptr;
  bool throwOnUser = false;

  BOOL CreateTop(const RECT& r, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
    return CreateEx(0, u"AfxWnd", u"top", style, r, nullptr, 0);
  }
  BOOL CreateChild(CWnd* parent, UINT id, const RECT& r, DWORD style = WS_CHILD | WS_VISIBLE) {
    return CreateEx(0, u"AfxWnd", u"child", style, r, parent, id);
  }

 protected:
  void Note(const std::string& what) {
    if (log) log->push_back(name + ":" + what);
  }
  afx_msg void OnDestroy() {
    Note("destroy");
    CWnd::OnDestroy();
  }
  afx_msg void OnNcDestroy() {
    Note("ncdestroy");
    CWnd::OnNcDestroy();
  }
  afx_msg void OnSetFocus(CWnd* old) { Note(std::string("setfocus from ") + (old ? "window" : "none")); }
  afx_msg void OnKillFocus(CWnd*) { Note("killfocus"); }
  afx_msg void OnCaptureChanged(CWnd*) { Note("capturechanged"); }
  afx_msg void OnPaint() {
    ++paints;
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
  }
  afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
    if (cursorOnSet && hit == HTCLIENT) {
      ::SetCursor(cursorOnSet);
      return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hit, message);
  }
  afx_msg LRESULT OnUser(WPARAM, LPARAM) {
    if (throwOnUser) throw CNotSupportedException();
    return 42;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogWnd, CWnd)
  ON_WM_DESTROY()
  ON_WM_NCDESTROY()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_MESSAGE(WM_USER + 1, OnUser)
END_MESSAGE_MAP()

using WindowTest = UiTest;

TEST_F(WindowTest, DestroyingAParentDestroysItsChildrenInTheSystemsOrder) {
  std::vector<std::string> log;
  CLogWnd top, child, grandchild;
  for (auto* w : {&top, &child, &grandchild}) w->log = &log;
  top.name = "top", child.name = "child", grandchild.name = "grandchild";
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 300, 200)));
  ASSERT_TRUE(child.CreateChild(&top, 10, CRect(5, 5, 100, 100)));
  ASSERT_TRUE(grandchild.CreateChild(&child, 11, CRect(1, 1, 20, 20)));
  HWND handles[] = {top.m_hWnd, child.m_hWnd, grandchild.m_hWnd};

  EXPECT_TRUE(top.DestroyWindow());

  // WM_DESTROY goes down the tree, WM_NCDESTROY comes back up.
  EXPECT_EQ(log, (std::vector<std::string>{"top:destroy", "child:destroy", "grandchild:destroy", "grandchild:ncdestroy",
                                           "child:ncdestroy", "top:ncdestroy"}));
  for (HWND h : handles) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(top.m_hWnd, nullptr);
  EXPECT_EQ(grandchild.m_hWnd, nullptr);
  EXPECT_EQ(SendMessageW(handles[0], WM_USER + 1, 0, 0), 0);  // a dead handle takes nothing
}

TEST_F(WindowTest, ChildRectanglesAreInTheParentsClientCoordinates) {
  CLogWnd top, child;
  // A caption of 19 and a sizing frame of 4: the client starts at (4, 23).
  ASSERT_TRUE(top.CreateTop(CRect(100, 50, 500, 350)));
  ASSERT_TRUE(child.CreateChild(&top, 7, CRect(10, 20, 110, 70), WS_CHILD | WS_VISIBLE | WS_BORDER));

  CRect client;
  top.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 392, 273));
  CRect rect;
  child.GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(114, 93, 214, 143));
  child.GetClientRect(&rect);
  EXPECT_EQ(rect, CRect(0, 0, 98, 48));  // a one-pixel border
  CPoint p(0, 0);
  child.ClientToScreen(&p);
  EXPECT_EQ(p, CPoint(115, 94));
  top.ScreenToClient(&p);
  EXPECT_EQ(p, CPoint(11, 21));
  EXPECT_EQ(top.GetDlgItem(7), &child);
  EXPECT_EQ(child.GetDlgCtrlID(), 7);
  EXPECT_EQ(child.GetParent(), &top);

  child.MoveWindow(0, 0, 50, 40);
  child.GetWindowRect(&rect);
  EXPECT_EQ(rect, CRect(104, 73, 154, 113));
  top.DestroyWindow();
}

TEST_F(WindowTest, VisibilityFollowsTheParentAndEnablingMovesTheFocusAway) {
  std::vector<std::string> log;
  CLogWnd top, a, b;
  for (auto* w : {&top, &a, &b}) w->log = &log;
  top.name = "top", a.name = "a", b.name = "b";
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 200), WS_OVERLAPPEDWINDOW));
  ASSERT_TRUE(a.CreateChild(&top, 1, CRect(0, 0, 10, 10)));
  ASSERT_TRUE(b.CreateChild(&top, 2, CRect(0, 20, 10, 30)));

  EXPECT_FALSE(a.IsWindowVisible());  // the parent is hidden
  top.ShowWindow(SW_SHOW);
  EXPECT_TRUE(a.IsWindowVisible());
  EXPECT_TRUE(a.ShowWindow(SW_HIDE));  // it was visible
  EXPECT_FALSE(a.IsWindowVisible());
  a.ShowWindow(SW_SHOW);

  log.clear();
  EXPECT_EQ(a.SetFocus(), nullptr);
  EXPECT_EQ(b.SetFocus(), &a);
  EXPECT_EQ(CWnd::GetFocus(), &b);
  EXPECT_EQ(log, (std::vector<std::string>{"a:setfocus from none", "a:killfocus", "b:setfocus from window"}));

  EXPECT_FALSE(b.EnableWindow(FALSE));  // it was enabled
  EXPECT_FALSE(b.IsWindowEnabled());
  EXPECT_EQ(::GetFocus(), nullptr);  // a disabled window loses the focus
  EXPECT_TRUE(b.EnableWindow(TRUE));
  top.DestroyWindow();
}

TEST_F(WindowTest, CaptureFollowsTheCallsAndEndsWithTheWindow) {
  std::vector<std::string> log;
  CLogWnd top, a, b;
  for (auto* w : {&top, &a, &b}) w->log = &log;
  top.name = "top", a.name = "a", b.name = "b";
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 200)));
  ASSERT_TRUE(a.CreateChild(&top, 1, CRect(0, 0, 10, 10)));
  ASSERT_TRUE(b.CreateChild(&top, 2, CRect(0, 20, 10, 30)));
  log.clear();

  EXPECT_EQ(a.SetCapture(), nullptr);
  EXPECT_EQ(CWnd::GetCapture(), &a);
  EXPECT_EQ(b.SetCapture(), &a);
  EXPECT_EQ(log, (std::vector<std::string>{"a:capturechanged"}));
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"a:capturechanged", "b:capturechanged"}));

  a.SetCapture();
  a.DestroyWindow();
  EXPECT_EQ(::GetCapture(), nullptr);
  top.DestroyWindow();
}

TEST_F(WindowTest, CursorFollowsSetCursorTheWindowClassAndTheWaitCursor) {
  CLogWnd top, view;
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 200)));
  ASSERT_TRUE(view.CreateChild(&top, 1, CRect(0, 0, 100, 100)));
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(cross, nullptr);
  EXPECT_NE(arrow, cross);
  EXPECT_EQ(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(32515)), cross);  // one handle per cursor

  SetCursor(nullptr);
  EXPECT_EQ(SetCursor(cross), nullptr);
  EXPECT_EQ(GetCursor(), cross);

  // The command pattern: WM_SETCURSOR sent to the view resets the cursor to
  // what the view wants: its class cursor by default, its own when it says.
  SendMessageW(view.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(view.m_hWnd), MAKELPARAM(HTCLIENT, 0));
  EXPECT_EQ(GetCursor(), arrow);
  view.cursorOnSet = cross;
  EXPECT_TRUE(SendMessageW(view.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(view.m_hWnd), HTCLIENT));
  EXPECT_EQ(GetCursor(), cross);

  {
    CWinApp app("test");
    {
      CWaitCursor wait;
      EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
      view.BeginWaitCursor();  // nested
      view.EndWaitCursor();
      EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(GetCursor(), cross);
  }
  top.DestroyWindow();
}

TEST_F(WindowTest, KeyStateIsWhatTheHostSets) {
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  platform::SetKeyDown(VK_SHIFT, true);
  platform::SetKeyToggled(VK_CAPITAL, true);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
  EXPECT_GE(GetKeyState(VK_CAPITAL), 0);  // toggled, not held
  EXPECT_EQ(GetAsyncKeyState(VK_CAPITAL), 0);
  platform::SetKeyDown(VK_SHIFT, false);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(WindowTest, InvalidationCollectsAnUpdateRegionThatPaintingValidates) {
  CLogWnd top;
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE));
  platform::PumpPendingMessages();
  EXPECT_EQ(top.paints, 1);  // shown windows paint once
  CRect r;
  EXPECT_FALSE(top.GetUpdateRect(&r));

  top.InvalidateRect(CRect(10, 10, 20, 20), FALSE);
  top.InvalidateRect(CRect(50, 40, 60, 300), FALSE);  // clipped to the client area
  EXPECT_TRUE(top.GetUpdateRect(&r));
  EXPECT_EQ(r, CRect(10, 10, 60, 200));
  top.ValidateRect(CRect(0, 0, 30, 30));
  EXPECT_TRUE(top.GetUpdateRect(&r));
  EXPECT_EQ(r, CRect(50, 40, 60, 200));

  platform::PumpPendingMessages();
  EXPECT_EQ(top.paints, 2);
  EXPECT_FALSE(top.GetUpdateRect(&r));

  // With redrawing off the region waits.
  top.SetRedraw(FALSE);
  top.Invalidate();
  platform::PumpPendingMessages();
  EXPECT_EQ(top.paints, 2);
  top.SetRedraw(TRUE);
  platform::PumpPendingMessages();
  EXPECT_EQ(top.paints, 3);
  top.DestroyWindow();
}

TEST_F(WindowTest, AFrameworkExceptionInAHandlerIsReportedAndTheWindowLivesOn) {
  uitest::MessageBoxRecorder boxes;
  CLogWnd top;
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
  EXPECT_EQ(top.SendMessage(WM_USER + 1), 42);
  top.throwOnUser = true;
  EXPECT_EQ(top.SendMessage(WM_USER + 1), 0);
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_TRUE(IsWindow(top.m_hWnd));
  top.DestroyWindow();
}

TEST_F(WindowTest, FromHandleGivesTheAttachedObjectOrOneWrapperPerWindow) {
  CLogWnd top;
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
  HWND plain = CreateWindowExW(0, u"AfxWnd", u"plain", WS_CHILD, 0, 0, 10, 10, top.m_hWnd, reinterpret_cast<HMENU>(5),
                               nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(CWnd::FromHandle(top.m_hWnd), &top);
  EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
  CWnd* wrapper = CWnd::FromHandle(plain);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper, CWnd::FromHandle(plain));
  EXPECT_EQ(wrapper->m_hWnd, plain);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  top.DestroyWindow();
  EXPECT_FALSE(IsWindow(plain));
}

}  // namespace

#include "platform/ui/WndClass.h"

namespace {

TEST_F(WindowTest, AFrameworkClassIsRegisteredOncePerStyleAndCursor) {
  HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
  LPCWSTR a = AfxRegisterWndClassW(CS_DBLCLKS | CS_OWNDC, cross);
  LPCWSTR b = AfxRegisterWndClassW(CS_DBLCLKS | CS_OWNDC, cross);
  EXPECT_EQ(a, b);
  EXPECT_NE(CStringW(a), CStringW(AfxRegisterWndClassW(CS_DBLCLKS)));
  CWnd view;
  ASSERT_TRUE(view.CreateEx(0, a, u"view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
  SetCursor(nullptr);
  view.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(view.m_hWnd), HTCLIENT);
  EXPECT_EQ(GetCursor(), cross);  // the class cursor
  WNDCLASSW wc;
  ASSERT_TRUE(GetClassInfoW(nullptr, a, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS | CS_OWNDC));
  view.DestroyWindow();
}

}  // namespace
