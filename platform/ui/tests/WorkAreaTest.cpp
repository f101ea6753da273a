// The monitor's work area that a host sets, and the size grip of
// DrawFrameControl.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/Geometry.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/Host.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using WorkAreaTest = uitest::UiTest;

TEST_F(WorkAreaTest, TheWorkAreaIsTheHostsWithinTheScreen) {
  struct Case {
    RECT set;
    RECT expected;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {0, 0, 1280, 1024}},           // none set: the screen
      {{0, 0, 1280, 994}, {0, 0, 1280, 994}},       // a task bar at the bottom
      {{-50, 30, 2000, 900}, {0, 30, 1280, 900}},   // kept within the screen
      {{2000, 0, 2100, 100}, {0, 0, 1280, 1024}},   // off the screen: the screen
  };
  for (const Case& k : cases) {
    platform::SetWorkArea(k.set);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_TRUE(EqualRect(&info.rcWork, &k.expected)) << info.rcWork.left << "," << info.rcWork.top << ","
                                                      << info.rcWork.right << "," << info.rcWork.bottom;
    EXPECT_EQ(info.rcMonitor.right, 1280);
  }
  platform::SetWorkArea(RECT{0, 0, 0, 0});
}

TEST_F(WorkAreaTest, TheSizeGripDrawsRidgesTowardTheCorner) {
  auto recorder = std::make_shared<platform::DrawingRecorder>();
  HDC dc = platform::CreateRecordingDc(recorder);
  RECT grip{100, 100, 116, 116};
  EXPECT_TRUE(DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
  const auto ops = recorder->Ops();
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].kind, platform::DrawKind::FillRect);
  EXPECT_EQ(ops[0].brush.color, GetSysColor(COLOR_3DFACE));
  int light = 0, dark = 0;
  for (const auto& op : ops) {
    if (op.kind != platform::DrawKind::Polyline) continue;
    // Every ridge ends on the bottom and right edges of the square.
    EXPECT_EQ(op.device.front().y, 115);
    EXPECT_EQ(op.device.back().x, 116);
    (op.pen.color == GetSysColor(COLOR_3DHIGHLIGHT) ? light : dark)++;
  }
  EXPECT_EQ(light, 4);
  EXPECT_EQ(dark, 8);
  EXPECT_FALSE(DrawFrameControl(dc, &grip, DFC_BUTTON, 0)) << "only the size grip is drawn";
  DeleteDC(dc);
}

}  // namespace
