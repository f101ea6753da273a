// The thread message a destroyed command posts. Built once the platform's
// message queue is there.
#if __has_include("platform/ui/MessageApi.h")
#include <gtest/gtest.h>

#include "draft/framework/CmdStack.h"
#include "draft/framework/tests/RecordingCommand.h"
#include "platform/ui/MessageApi.h"

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
#endif
