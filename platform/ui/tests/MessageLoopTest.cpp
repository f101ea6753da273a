// Sent, posted and thread messages, the pump, the application's loop and
// timers on the host's clock.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using uitest::UiTest;

std::vector<std::string>* g_loopLog = nullptr;

class CRecvWnd : public CWnd {
 public:
  BOOL CreateTop() { return CreateEx(0, u"AfxWnd", u"recv", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0); }
  std::vector<UINT_PTR> timers;

 protected:
  afx_msg LRESULT OnTell(WPARAM w, LPARAM) {
    g_loopLog->push_back("window " + std::to_string(w));
    return 0;
  }
  afx_msg void OnTimer(UINT_PTR id) { timers.push_back(id); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecvWnd, CWnd)
  ON_MESSAGE(WM_USER + 1, OnTell)
  ON_WM_TIMER()
END_MESSAGE_MAP()

// The host's application: it takes the library's thread message.
class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("test") {}
  std::vector<UINT> idles;

  bool quitWhenIdle = false;

  BOOL OnIdle(LONG count) override {
    idles.push_back(static_cast<UINT>(count));
    BOOL more = CWinApp::OnIdle(count);
    if (!more && quitWhenIdle) PostQuitMessage(5);
    return more;
  }

 protected:
  afx_msg void OnCommandDone(WPARAM w, LPARAM) { g_loopLog->push_back("thread " + std::to_string(w)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_THREAD_MESSAGE(WM_USER + 3000, OnCommandDone)
END_MESSAGE_MAP()

class MessageLoopTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_loopLog = &log;
  }
  void TearDown() override {
    g_loopLog = nullptr;
    UiTest::TearDown();
  }
  std::vector<std::string> log;
};

TEST_F(MessageLoopTest, PostedAndThreadMessagesArriveInOrderThroughThePump) {
  CTestApp app;
  CRecvWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  ASSERT_TRUE(wnd.PostMessage(WM_USER + 1, 1));
  // The command's destruction message: a thread message to this thread.
  ASSERT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_USER + 3000, 2, 0));
  ASSERT_TRUE(::PostMessage(nullptr, WM_USER + 3000, 3, 0));  // the same, without a window
  ASSERT_TRUE(wnd.PostMessage(WM_USER + 1, 4));
  // A sent message does not wait for the queue.
  wnd.SendMessage(WM_USER + 1, 0);
  EXPECT_EQ(log, std::vector<std::string>{"window 0"});

  EXPECT_EQ(platform::PumpPendingMessages(), 4);
  EXPECT_EQ(log, (std::vector<std::string>{"window 0", "window 1", "thread 2", "thread 3", "window 4"}));
  wnd.DestroyWindow();
}

TEST_F(MessageLoopTest, PeekMessageFiltersAndLeavesOrDropsMessages) {
  CRecvWnd a, b;
  ASSERT_TRUE(a.CreateTop());
  ASSERT_TRUE(b.CreateTop());
  a.PostMessage(WM_USER + 1, 1);
  b.PostMessage(WM_USER + 2, 2);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 3, 3, 0);

  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, b.m_hWnd, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));  // thread messages only
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
  EXPECT_EQ(msg.hwnd, nullptr);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 2u);

  // A window's queued messages go with it.
  a.DestroyWindow();
  EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
  b.DestroyWindow();
}

TEST_F(MessageLoopTest, AWindowTimerFiresWhenTheClockPassesIt) {
  CRecvWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  EXPECT_EQ(wnd.SetTimer(7, 100), 7u);
  platform::PumpPendingMessages();
  platform::AdvanceClock(99);
  platform::PumpPendingMessages();
  EXPECT_TRUE(wnd.timers.empty());

  platform::AdvanceClock(1);
  platform::PumpPendingMessages();
  EXPECT_EQ(wnd.timers, std::vector<UINT_PTR>{7});

  // A late pump gives one WM_TIMER, not one per period missed.
  platform::AdvanceClock(350);
  platform::PumpPendingMessages();
  EXPECT_EQ(wnd.timers, (std::vector<UINT_PTR>{7, 7}));

  EXPECT_TRUE(wnd.KillTimer(7));
  EXPECT_FALSE(wnd.KillTimer(7));
  platform::AdvanceClock(1000);
  platform::PumpPendingMessages();
  EXPECT_EQ(wnd.timers.size(), 2u);
  wnd.DestroyWindow();
}

std::vector<UINT_PTR> g_fired;
void CALLBACK_TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
  EXPECT_EQ(hwnd, nullptr);
  EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
  g_fired.push_back(id);
}

TEST_F(MessageLoopTest, AWindowlessTimerRunsItsProcedureAndKeepsTheMinimumElapse) {
  g_fired.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 1, &CALLBACK_TimerProc);  // 1 ms is raised to 10 ms
  ASSERT_NE(id, 0u);
  UINT_PTR other = SetTimer(nullptr, 0, 50, &CALLBACK_TimerProc);
  EXPECT_NE(other, id);
  platform::AdvanceClock(9);
  platform::PumpPendingMessages();
  EXPECT_TRUE(g_fired.empty());
  platform::AdvanceClock(1);
  platform::PumpPendingMessages();
  EXPECT_EQ(g_fired, std::vector<UINT_PTR>{id});
  EXPECT_TRUE(KillTimer(nullptr, id));
  EXPECT_TRUE(KillTimer(nullptr, other));
  platform::AdvanceClock(100);
  platform::PumpPendingMessages();
  EXPECT_EQ(g_fired.size(), 1u);
}

TEST_F(MessageLoopTest, TheApplicationLoopRunsUntilQuitWithIdleBetween) {
  CTestApp app;
  CRecvWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  wnd.PostMessage(WM_USER + 1, 1);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 3000, 2, 0);
  // Idle work runs once the queue is empty; the host ends the loop there.
  app.quitWhenIdle = true;
  EXPECT_EQ(app.Run(), 5);
  EXPECT_EQ(log, (std::vector<std::string>{"window 1", "thread 2"}));
  EXPECT_EQ(app.idles, (std::vector<UINT>{0, 1}));
  wnd.DestroyWindow();
}

TEST_F(MessageLoopTest, GetMessageWaitsForAnotherThreadsPost) {
  DWORD me = GetCurrentThreadId();
  std::thread poster([me] { PostThreadMessage(me, WM_USER + 9, 9, 0); });
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 9));
  poster.join();
}

TEST_F(MessageLoopTest, KeysAreTranslatedToCharactersByTheKeyState) {
  CRecvWnd wnd;
  ASSERT_TRUE(wnd.CreateTop());
  MSG key{wnd.m_hWnd, WM_KEYDOWN, 'A', 1, 0, {0, 0}};
  MSG msg;
  EXPECT_TRUE(TranslateMessage(&key));
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('a'));
  platform::SetKeyDown(VK_SHIFT, true);
  TranslateMessage(&key);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));
  MSG arrow{wnd.m_hWnd, WM_KEYDOWN, VK_LEFT, 1, 0, {0, 0}};
  EXPECT_FALSE(TranslateMessage(&arrow));
  wnd.DestroyWindow();
}

}  // namespace
