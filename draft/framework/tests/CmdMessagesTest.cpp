// The thread message a destroyed command posts.
#include <gtest/gtest.h>

#include "draft/framework/CmdStack.h"
#include "draft/framework/tests/RecordingCommand.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/Wnd.h"

namespace {
int DrainDestroyedMessages() {
  int n = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_CMD_DESTROYED, WM_CMD_DESTROYED, PM_REMOVE)) {
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, 0);
    ++n;
  }
  return n;
}
}  // namespace

TEST(CmdMessages, ADeletedCommandPostsTheThreadMessage) {
  std::vector<std::string> log;
  CDraftView view;
  CCmdStack stack;
  DrainDestroyedMessages();
  stack.Push(&view, new CRecordingCommand(log, 1));
  EXPECT_EQ(DrainDestroyedMessages(), 0);
  stack.OnRButton(0, CPoint(), &view);  // step 0: the command ends and is deleted
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(DrainDestroyedMessages(), 1);
  stack.Push(&view, new CRecordingCommand(log, 2, 2, 0));  // a refused begin deletes it too
  EXPECT_EQ(DrainDestroyedMessages(), 1);
}

namespace {
// The host's view window: records the cursor requests it gets.
class CViewWindow : public CWnd {
 public:
  std::vector<std::pair<WPARAM, LPARAM>> cursorRequests;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETCURSOR) cursorRequests.emplace_back(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A command that takes no points (a pick-only or dialog command).
class CNoPointCommand : public CRecordingCommand {
 public:
  CNoPointCommand(std::vector<std::string>& log, int id, CDraftView* view) : CRecordingCommand(log, id, 2, 1, 1, view) {
    SetPointInput(0);
  }
};
}  // namespace

TEST(CmdMessages, TheViewGetsSetCursorOnResumeAndWhenACommandGoes) {
  CViewWindow window;
  ASSERT_TRUE(window.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), nullptr, 0));
  std::vector<std::string> log;
  CDraftView view;
  view.SetHwnd(window.m_hWnd);
  const auto expected = std::make_pair(reinterpret_cast<WPARAM>(window.m_hWnd), LPARAM(1));
  {
    CCmdStack stack;
    stack.Push(&view, new CNoPointCommand(log, 1, &view));
    ASSERT_EQ(window.cursorRequests.size(), 1u);  // resumed without point input or pick mode
    EXPECT_EQ(window.cursorRequests[0], expected);
    stack.Push(&view, new CRecordingCommand(log, 2, 2, 1, 1, &view));  // replaces it: its destructor sends one
    EXPECT_EQ(window.cursorRequests.size(), 2u);
  }
  EXPECT_EQ(window.cursorRequests.size(), 3u);  // the stack's destructor deleted the second
  window.DestroyWindow();
  {
    CCmdStack stack;
    stack.Push(&view, new CRecordingCommand(log, 3, 2, 1, 1, &view));
  }  // no longer a window: nothing sent, nothing fails
  EXPECT_EQ(window.cursorRequests.size(), 3u);
}
