// A frame's control bars: a tool bar from its resource, the status bar's
// indicators, the layout along the edges, docking into rows, delayed
// showing, the toggle commands, and the bar state in the profile.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/core/ImageResource.h"
#include "platform/core/Profile.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowPicture.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

constexpr UINT kToolBar = 300;
constexpr UINT kOtherToolBar = 301;

// A frame with a command the tool bar's first button sends.
class BarFrame : public CFrameWnd {
 public:
  int opened = 0;
  void OnOpen() { ++opened; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarFrame, CFrameWnd)
  ON_COMMAND(57601, OnOpen)
END_MESSAGE_MAP()

class ControlBars : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override {
    using namespace platform::rc;
    platform::ResourceSet r;
    r.Add(ToolBar(kToolBar, 4, 3, {57601, 0, 57603}));
    r.Add(Bitmap(kToolBar).Art({"RRRRBBBB", "RRRRBBBB", "RRRRBBBB"},
                               {{'R', RGB(255, 0, 0)}, {'B', RGB(0, 0, 255)}}));
    r.Add(ToolBar(kOtherToolBar, 4, 3, {57603}));
    r.Add(Bitmap(kOtherToolBar).Art({"BBBB", "BBBB", "BBBB"}, {{'B', RGB(0, 0, 255)}}));
    r.Strings({{57601, u"Opens a document\nOpen"}});
    return r;
  }
  void SetUp() override {
    DialogFixture::SetUp();
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(scratch_ / "bars.ini");
    Open();
  }
  void TearDown() override {
    if (frame && frame->GetSafeHwnd()) frame->DestroyWindow();
    platform::SetProfilePath(saved_);
    DialogFixture::TearDown();
  }
  void Open() {
    frame = new BarFrame;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
    ASSERT_TRUE(tools.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(tools.LoadToolBar(kToolBar));
    ASSERT_TRUE(other.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE805));
    ASSERT_TRUE(other.LoadToolBar(kOtherToolBar));
    ASSERT_TRUE(status.Create(frame));
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_TRUE(status.SetIndicators(indicators, 4));
    tools.EnableDocking(CBRS_ALIGN_ANY);
    other.EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&tools);
    frame->DockControlBar(&other);
  }
  CRect RectIn(CWnd& bar) {
    CRect r;
    bar.GetWindowRect(r);
    frame->ScreenToClient(r);
    return r;
  }

  BarFrame* frame = nullptr;
  CToolBar tools;
  CToolBar other;
  CStatusBar status;
  std::filesystem::path saved_;
  testsupport::ScratchFolder scratch_{"scrivel-bars"};
};

TEST_F(ControlBars, ABarsButtonsAndTextsComeFromItsResources) {
  ASSERT_EQ(tools.GetCount(), 3);
  EXPECT_EQ(tools.GetItemID(0), 57601u);
  EXPECT_EQ(tools.GetButtonStyle(1), static_cast<UINT>(TBBS_SEPARATOR));
  EXPECT_EQ(tools.CommandToIndex(57603), 2);
  EXPECT_EQ(tools.GetButtonSize(), CSize(11, 10));
  CStringW flyBy, tip;
  CToolBar::GetCommandTexts(57601, flyBy, tip);
  EXPECT_EQ(flyBy, CStringW(u"Opens a document"));
  EXPECT_EQ(tip, CStringW(u"Open"));
  CToolBar missing;
  EXPECT_FALSE(missing.LoadToolBar(999));
}

TEST_F(ControlBars, ABarPaintsItsButtonImagesAndSendsItsCommands) {
  EXPECT_EQ(status.GetPaneText(0), CStringW()) << "nothing said before the frame runs";
  platform::PumpPendingMessages();
  EXPECT_EQ(status.GetPaneText(0), CStringW(u"Ready")) << "the frame's idle message, posted at its creation";
  frame->UpdateWindow();
  tools.Invalidate();
  tools.UpdateWindow();
  CRect first, third;
  tools.GetItemRect(0, first);
  tools.GetItemRect(2, third);
  const auto& pixels = *platform::WindowSurfaceOf(tools.GetSafeHwnd())->Raster().Pixels();
  EXPECT_EQ(pixels.GetColor(first.CenterPoint().x, first.CenterPoint().y), RGB(255, 0, 0));
  EXPECT_EQ(pixels.GetColor(third.CenterPoint().x, third.CenterPoint().y), RGB(0, 0, 255));

  tools.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
  EXPECT_EQ(status.GetPaneText(0), CStringW(u"Opens a document")) << "fly-by text in the status bar";
  tools.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(status.GetPaneText(0), CStringW(u"Ready")) << "off the buttons: the idle message";
  tools.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
  EXPECT_EQ(tools.GetCurrentTip(), CStringW(u"Open"));
  tools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
  tools.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
  EXPECT_EQ(frame->opened, 1);
  // Released elsewhere: no command.
  tools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.CenterPoint().x, first.CenterPoint().y));
  tools.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(third.CenterPoint().x, third.CenterPoint().y));
  EXPECT_EQ(frame->opened, 1);
}

TEST_F(ControlBars, TheKeyIndicatorsShowWhileTheirKeysAreToggled) {
  struct Case {
    int key;
    int pane;
    const char16_t* text;
  };
  for (const Case& k : {Case{VK_CAPITAL, 1, u"CAP"}, Case{VK_NUMLOCK, 2, u"NUM"}, Case{VK_SCROLL, 3, u"SCRL"}}) {
    EXPECT_EQ(status.GetPaneText(k.pane), CStringW()) << k.pane;
    platform::SetKeyToggled(k.key, true);
    EXPECT_EQ(status.GetPaneText(k.pane), CStringW(k.text));
    platform::SetKeyToggled(k.key, false);
  }
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
}

TEST_F(ControlBars, BarsTakeTheEdgesAndTheRestIsTheViews) {
  CRect client;
  frame->GetClientRect(client);
  const CRect top = RectIn(tools);
  const CRect bottom = RectIn(status);
  EXPECT_EQ(bottom.bottom, client.bottom);
  EXPECT_EQ(bottom.Width(), client.Width());
  EXPECT_EQ(top.top, 0);
  // Docked one after the other: two rows of the top dock bar.
  EXPECT_EQ(RectIn(other).top, top.bottom);
  CDockBar* dock = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->Rows().size(), 2u);
}

TEST_F(ControlBars, DockingAtARectangleJoinsTheRowItFallsIn) {
  CDockBar* dock = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  CRect at;
  tools.GetWindowRect(at);
  at.OffsetRect(at.Width() / 2 + 1, 0);  // right of the tool bar, in its row
  frame->DockControlBar(&other, dock, at);
  ASSERT_EQ(dock->Rows().size(), 1u);
  int row = -1, pos = -1;
  ASSERT_TRUE(dock->Locate(&other, row, pos));
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(RectIn(other).left, RectIn(tools).right);
  // Left of it: before it in the row.
  tools.GetWindowRect(at);
  at.OffsetRect(-(at.Width() / 2 + 1), 0);
  frame->DockControlBar(&other, dock, at);
  ASSERT_TRUE(dock->Locate(&other, row, pos));
  EXPECT_EQ(pos, 0);
  // Below it: a row of its own.
  tools.GetWindowRect(at);
  at.OffsetRect(0, at.Height() / 2 + 1 + at.Height());
  frame->DockControlBar(&other, dock, at);
  EXPECT_EQ(dock->Rows().size(), 2u);
  // On another side.
  frame->DockControlBar(&tools, AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(RectIn(tools).left, 0);
  EXPECT_GT(RectIn(tools).Height(), RectIn(tools).Width()) << "its buttons stand in a column";
}

TEST_F(ControlBars, ADelayedShowHappensAtTheNextIdleUpdate) {
  frame->ShowControlBar(&tools, FALSE, TRUE);
  EXPECT_FALSE(tools.IsVisible()) << "what it will be";
  EXPECT_TRUE(tools.GetStyle() & WS_VISIBLE) << "still shown until the idle update";
  platform::PumpPendingMessages();
  EXPECT_FALSE(tools.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(RectIn(other).top, 0) << "the other bar moved up";
}

TEST_F(ControlBars, TheToggleCommandsShowAndHideBarsAndCheckTheirItems) {
  struct Probe : CCmdUI {
    int checked = -1;
    void SetCheck(int check) override { checked = check; }
  };
  Probe probe;
  probe.m_nID = AFX_IDW_STATUS_BAR;
  probe.DoUpdate(frame, TRUE);
  EXPECT_EQ(probe.checked, 1);
  frame->SendMessage(WM_COMMAND, AFX_IDW_STATUS_BAR, 0);
  EXPECT_FALSE(status.IsVisible());
  probe.DoUpdate(frame, TRUE);
  EXPECT_EQ(probe.checked, 0);
  frame->SendMessage(WM_COMMAND, AFX_IDW_STATUS_BAR, 0);
  EXPECT_TRUE(status.IsVisible());
}

TEST_F(ControlBars, TheBarStateComesBackFromTheProfile) {
  CDockBar* left = static_cast<CDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  frame->DockControlBar(&other, left);
  frame->ShowControlBar(&tools, FALSE, FALSE);
  frame->SaveBarState(u"Bars");
  EXPECT_EQ(platform::GetProfileInt(u"Bars-Summary", u"Bars", 0), 3u);
  frame->DestroyWindow();
  Open();
  ASSERT_TRUE(tools.IsVisible());
  frame->LoadBarState(u"Bars");
  EXPECT_FALSE(tools.IsVisible());
  EXPECT_EQ(other.GetDockBar(), frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_TRUE(status.IsVisible());
}

TEST_F(ControlBars, AComposedPictureShowsTheBarsWhereTheyLie) {
  frame->Invalidate();
  CRect first;
  tools.GetItemRect(0, first);
  CPoint centre = first.CenterPoint();
  ::MapWindowPoints(tools.GetSafeHwnd(), frame->GetSafeHwnd(), &centre, 1);
  const platform::PixelBuffer picture = platform::ComposeWindowPicture(frame->GetSafeHwnd());
  CRect client;
  frame->GetClientRect(client);
  ASSERT_EQ(picture.Width(), client.Width());
  EXPECT_EQ(picture.GetColor(centre.x, centre.y), RGB(255, 0, 0)) << "the first button's image";
  frame->ShowControlBar(&tools, FALSE, FALSE);
  const platform::PixelBuffer without = platform::ComposeWindowPicture(frame->GetSafeHwnd());
  EXPECT_NE(without.GetColor(centre.x, centre.y), RGB(255, 0, 0)) << "a hidden bar is not in the picture";
  EXPECT_TRUE(platform::ComposeWindowPicture(nullptr).Empty());
}

}  // namespace
