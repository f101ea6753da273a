#include <gtest/gtest.h>

#include <vector>

#include "draft/host/Messages.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/MessageApi.h"

TEST(Messages, ErrorBoxesGoThroughThePlatformHandler) {
  std::vector<platform::MessageBoxRequest> boxes;
  platform::ScopedMessageBoxHandler handler([&](const platform::MessageBoxRequest& r) {
    boxes.push_back(r);
    return IDOK;
  });
  ShowErrorMessage("输入数据不正确");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(CStringA(boxes[0].text), "输入数据不正确");
  EXPECT_EQ(boxes[0].type & MB_ICONSTOP, MB_ICONSTOP);
}

TEST(Messages, AnEscapeWaitingInTheQueueIsAUserBreak) {
  EXPECT_EQ(CheckUserBreak(nullptr), 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(CheckUserBreak(nullptr), 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, 'A', 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_TIMER + 0x1000, 0, 0);  // other messages stay
  EXPECT_EQ(CheckUserBreak(nullptr), 1);
  EXPECT_EQ(CheckUserBreak(nullptr), 0);  // consumed
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_TIMER + 0x1000u);
}
