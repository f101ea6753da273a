// A window's frame, caption and scroll bars in the composed picture of its
// parent: each part where the window system's metrics put it, in the
// classic colours, the caption active only for the focused MDI child, and
// the thumb where the bar's position lies.
#include <gtest/gtest.h>

#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowPicture.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using NonClientArea = uitest::UiTest;

constexpr int kLeft = 10, kTop = 10, kWidth = 160, kHeight = 120;

// A parent window holding one child of the style, placed at (10, 10).
class Scene {
 public:
  Scene(DWORD style, DWORD exStyle) {
    EXPECT_TRUE(parent_.CreateEx(0, u"AfxWnd", u"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 240),
                                 nullptr, 0));
    child_ = ::CreateWindowExW(exStyle, u"AfxWnd", u"child", WS_CHILD | WS_VISIBLE | style, kLeft, kTop, kWidth,
                               kHeight, parent_.m_hWnd, reinterpret_cast<HMENU>(5), nullptr, nullptr);
  }
  ~Scene() { parent_.DestroyWindow(); }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  HWND Child() const { return child_; }
  // The picture's colour at a point of the child's window rectangle.
  COLORREF At(int x, int y) const {
    const platform::PixelBuffer picture = platform::ComposeWindowPicture(parent_.m_hWnd);
    return picture.GetColor(kLeft + x, kTop + y);
  }

 private:
  CWnd parent_;
  HWND child_ = nullptr;
};

TEST_F(NonClientArea, FramesAndEdgesTakeTheirStylesColours) {
  const int frame = ::GetSystemMetrics(SM_CXFRAME);
  struct Case {
    const char* what;
    DWORD style, exStyle;
    int x, y;
    int color;
  };
  const Case cases[] = {
      {"thin border", WS_BORDER, 0, 0, 0, COLOR_WINDOWFRAME},
      {"sizing frame: outer ring", WS_THICKFRAME, 0, 0, 5, COLOR_3DLIGHT},
      {"sizing frame: inner ring", WS_THICKFRAME, 0, 1, 5, COLOR_3DHIGHLIGHT},
      {"sizing frame: shaded side", WS_THICKFRAME, 0, kWidth - 1, 5, COLOR_3DDKSHADOW},
      {"sizing frame: its face", WS_THICKFRAME, 0, frame - 1, 40, COLOR_ACTIVEBORDER},
      {"dialog frame", WS_DLGFRAME, 0, 0, 5, COLOR_3DLIGHT},
      {"client edge: outer ring", 0, WS_EX_CLIENTEDGE, 0, 5, COLOR_3DSHADOW},
      {"client edge: inner ring", 0, WS_EX_CLIENTEDGE, 1, 5, COLOR_3DDKSHADOW},
      {"caption of a window without the focus", WS_CAPTION, 0, 40, 8, COLOR_INACTIVECAPTION},
      {"caption's last row", WS_CAPTION, 0, 40, 3 + ::GetSystemMetrics(SM_CYCAPTION) - 1, COLOR_3DFACE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene(c.style, c.exStyle);
    EXPECT_EQ(scene.At(c.x, c.y), ::GetSysColor(c.color));
  }
}

TEST_F(NonClientArea, TheFocusedMdiChildsCaptionIsActive) {
  Scene scene(WS_CAPTION | WS_SYSMENU, WS_EX_MDICHILD);
  const int row = ::GetSystemMetrics(SM_CYDLGFRAME) + 5;
  EXPECT_EQ(scene.At(40, row), ::GetSysColor(COLOR_INACTIVECAPTION));
  ::SetFocus(scene.Child());
  EXPECT_EQ(scene.At(40, row), ::GetSysColor(COLOR_ACTIVECAPTION));
}

TEST_F(NonClientArea, TheThumbLiesWhereTheBarsPositionIs) {
  Scene scene(WS_VSCROLL, 0);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
  ::SetScrollInfo(scene.Child(), SB_VERT, &info, TRUE);
  const int bar = ::GetSystemMetrics(SM_CXVSCROLL);
  const int arrow = bar;
  const int track = kHeight - 2 * arrow;
  const int thumb = track * 10 / 100;
  const int x = kWidth - bar / 2;
  const int nearTop = arrow + thumb / 2, nearBottom = kHeight - arrow - thumb / 2;
  const COLORREF face = ::GetSysColor(COLOR_3DFACE);
  EXPECT_EQ(scene.At(x, nearTop), face) << "at the first position the thumb is at the top";
  EXPECT_NE(scene.At(x, nearBottom), face);
  info.fMask = SIF_POS;
  info.nPos = 90;  // the last position a page of 10 leaves
  ::SetScrollInfo(scene.Child(), SB_VERT, &info, TRUE);
  EXPECT_NE(scene.At(x, nearTop), face);
  EXPECT_EQ(scene.At(x, nearBottom), face) << "at the last position it is at the bottom";
  // The up arrow's glyph is drawn in the button text colour while the bar
  // can scroll.
  EXPECT_EQ(scene.At(x - 1, arrow / 2), ::GetSysColor(COLOR_BTNTEXT));
}

}  // namespace
