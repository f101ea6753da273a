// The system colours a host may change.
#include <gtest/gtest.h>

#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

class CColorListener : public CWnd {
 public:
  int changes = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYSCOLORCHANGE) ++changes;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

using SysColorsTest = uitest::UiTest;

TEST_F(SysColorsTest, TheHostChangesColoursAndWindowsHearIt) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(99), 0u);
  CColorListener wnd;
  ASSERT_TRUE(wnd.CreateEx(0, u"AfxWnd", u"w", WS_POPUP | WS_VISIBLE, CRect(0, 0, 20, 20), nullptr, 0));
  ValidateRect(wnd, nullptr);

  const int elements[] = {COLOR_WINDOW, COLOR_BTNFACE};
  const COLORREF colors[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
  const int bad[] = {COLOR_WINDOW, 25};
  EXPECT_FALSE(SetSysColors(2, bad, colors)) << "25 names no element";
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255)) << "nothing changed";
  EXPECT_EQ(wnd.changes, 0);

  ASSERT_TRUE(SetSysColors(2, elements, colors));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(4, 5, 6));
  EXPECT_EQ(wnd.changes, 1);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(wnd, &update, FALSE)) << "repainted in the new colours";

  const COLORREF classic[] = {RGB(255, 255, 255), RGB(212, 208, 200)};
  SetSysColors(2, elements, classic);
  wnd.DestroyWindow();
}

}  // namespace
