// The SDI frame with its bars: placement and bar state kept in "DrawFrame",
// enabling and disabling bars, the toggle commands, dockable tool bars and
// their places, the pop-up menus, the split client and the title.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/MessageBoxCapture.h"
#include "diagram/ui/MultiControlBarSDIFrame.h"
#include "diagram/ui/WindowPlacement.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Profile.h"
#include "platform/ui/Document.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

namespace {

class CPlainView : public CView {
  DECLARE_DYNCREATE(CPlainView)

 protected:
  void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(CPlainView, CView)

constexpr UINT kExtraBar = 0xE806;  // within the toggle commands 59398..59418

// A host's frame with one more tool bar, made hidden or shown.
class HostFrame : public CMultiControlBarSDIFrame {
 public:
  static inline BOOL s_extraHidden = FALSE;
  CToolBar extra;
  using CMultiControlBarSDIFrame::CreateDockableToolBar;

 protected:
  BOOL CreateAdditionalControlBars() override {
    // The library's own tool bar resource, under a number with no string.
    m_extraCreated = CreateDockableToolBar(extra, kExtraBar, 28022, s_extraHidden);
    return m_extraCreated;
  }
  void DockAllControlBars() override {
    CMultiControlBarSDIFrame::DockAllControlBars();
    DockControlBar(&extra, AFX_IDW_DOCKBAR_TOP);
  }
  BOOL m_extraCreated = FALSE;
};

class SDIFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
    HostFrame::s_extraHidden = FALSE;
  }
  void TearDown() override {
    if (frame && frame->GetSafeHwnd()) frame->DestroyWindow();
    platform::SetProfilePath(saved_);
  }
  void Open() {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CPlainView);
    context.m_pCurrentDoc = &doc;
    frame = new HostFrame;
    ASSERT_TRUE(frame->Create(u"AfxWnd", u"host", WS_OVERLAPPEDWINDOW, CRect(10, 10, 610, 410), nullptr, nullptr, 0,
                              &context));
    frame->InitialUpdateFrame(&doc, FALSE);
  }
  void Close() {
    frame->SendMessage(WM_CLOSE);
    frame = nullptr;
  }
  void WriteIni(const std::string& text) {
    doctest::WriteFileBytes(folder_.File("app.ini"), std::vector<BYTE>(text.begin(), text.end()));
  }

  diagramtest::ScratchFolder folder_;
  std::filesystem::path saved_;
  CDocument doc;
  HostFrame* frame = nullptr;
};

TEST_F(SDIFrame, APlacementOfNineNumbersIsIgnoredAndOneOfTenRestoredHidden) {
  WriteIni("[DrawFrame]\nWindowPos=0,1,-1,-1,-1,-1,20,30,420\n");
  Open();
  CRect rect;
  frame->GetWindowRect(rect);
  EXPECT_EQ(rect, CRect(10, 10, 610, 410));
  Close();

  WriteIni("[DrawFrame]\nWindowPos=0,3,-1,-1,-1,-1,20,30,420,330,\n");
  Open();
  frame->GetWindowRect(rect);
  EXPECT_EQ(rect, CRect(10, 10, 610, 410)) << "eleven fields are no placement either";
  Close();

  CWinApp app;
  app.m_nCmdShow = SW_SHOWNORMAL;
  WriteIni("[DrawFrame]\nWindowPos=0,3,-1,-1,-1,-1,20,30,420,330\n");
  Open();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  frame->GetWindowPlacement(&placement);
  EXPECT_EQ(CRect(placement.rcNormalPosition), CRect(20, 30, 420, 330));
  EXPECT_FALSE(frame->IsWindowVisible()) << "hidden until the application shows it";
  EXPECT_EQ(app.m_nCmdShow, SW_SHOWMAXIMIZED) << "the stored maximised state";
  Close();
}

TEST_F(SDIFrame, EnablingABarShowsItOnlyWhenItWasDisabledWhileVisible) {
  Open();
  frame->ShowWindow(SW_SHOW);
  CToolBar& extra = frame->extra;
  // Disabled while visible: hidden now, back when enabled.
  frame->EnableControlBar(&extra, FALSE);
  EXPECT_EQ(frame->GetBarDVState(&extra), CMultiControlBarSDIFrame::barDisabledVisible);
  platform::PumpPendingMessages();
  EXPECT_FALSE(extra.IsVisible());
  frame->EnableControlBar(&extra, TRUE);
  platform::PumpPendingMessages();
  EXPECT_TRUE(extra.IsVisible());
  // Disabled while hidden: stays hidden.
  frame->ShowControlBar(&extra, FALSE, FALSE);
  frame->EnableControlBar(&extra, FALSE);
  EXPECT_EQ(frame->GetBarDVState(&extra), CMultiControlBarSDIFrame::barDisabled);
  frame->EnableControlBar(&extra, TRUE);
  platform::PumpPendingMessages();
  EXPECT_FALSE(extra.IsVisible());
  EXPECT_FALSE(frame->EnableControlBar(0xE810, TRUE)) << "no bar of that id";
}

TEST_F(SDIFrame, TheToggleCommandOfADisabledBarIsDisabled) {
  Open();
  struct Probe : CCmdUI {
    BOOL enabled = -1;
    void Enable(BOOL on) override {
      enabled = on;
      CCmdUI::Enable(on);
    }
    void SetCheck(int) override {}
  };
  Probe probe;
  probe.m_nID = kExtraBar;
  probe.DoUpdate(frame, TRUE);
  EXPECT_TRUE(probe.enabled);
  frame->EnableControlBar(kExtraBar, FALSE);
  probe.DoUpdate(frame, TRUE);
  EXPECT_FALSE(probe.enabled);
}

TEST_F(SDIFrame, ABarWithoutACaptionStringIsNamedByItsNumber) {
  Open();
  CToolBar bar;
  ASSERT_TRUE(frame->CreateDockableToolBar(bar, 0xE807, 28022, TRUE));
  CStringW caption;
  bar.GetWindowText(caption);
  EXPECT_EQ(caption, CStringW(u"Standard Tools")) << "28022 has its string";
  frame->extra.GetWindowText(caption);
  EXPECT_EQ(caption, CStringW(u"Standard Tools"));
  CToolBar unnamed;
  EXPECT_FALSE(frame->CreateDockableToolBar(unnamed, 0xE808, 28999, TRUE)) << "no such tool bar";
  unnamed.GetWindowText(caption);
  EXPECT_EQ(caption, CStringW()) << "a failed bar gets no caption";
}

TEST_F(SDIFrame, DisabledBarsComeBackAfterClosingAndReopening) {
  Open();
  frame->ShowWindow(SW_SHOW);
  frame->EnableControlBar(kExtraBar, FALSE);
  platform::PumpPendingMessages();
  Close();
  EXPECT_EQ(platform::GetProfileString(u"DrawFrame", u"Bar59398", u""), CStringW(u"DV"));
  EXPECT_NE(platform::GetProfileString(u"DrawFrame", u"WindowPos", u""), CStringW());
  Open();
  EXPECT_EQ(frame->GetBarDVState(&frame->extra), CMultiControlBarSDIFrame::barDisabledVisible);
  EXPECT_FALSE(frame->extra.IsVisible()) << "its hidden state came back from the bar state";
  frame->EnableControlBar(kExtraBar, TRUE);
  Close();
  EXPECT_EQ(platform::GetProfileString(u"DrawFrame", u"Bar59398", u"none"), CStringW(u"none"))
      << "an enabled bar has no value";
}

TEST_F(SDIFrame, BarsDockNextToANeighbourAtEachLocation) {
  Open();
  frame->ShowWindow(SW_SHOW);
  CToolBar& standard = frame->m_wndToolBar;
  CToolBar& extra = frame->extra;
  struct Case {
    CMultiControlBarSDIFrame::DockingRelativeLocation where;
    bool sameRow;
    bool after;
  };
  const Case cases[] = {
      {CMultiControlBarSDIFrame::leftOf, true, false},  {CMultiControlBarSDIFrame::rightOf, true, true},
      {CMultiControlBarSDIFrame::above, false, false},  {CMultiControlBarSDIFrame::below, false, true},
      {CMultiControlBarSDIFrame::downRight, true, true}, {CMultiControlBarSDIFrame::upLeft, true, false},
  };
  for (const Case& k : cases) {
    frame->DockControlBarNextTo(&extra, k.where, &standard);
    int rowA = 0, posA = 0, rowB = 0, posB = 0;
    ASSERT_TRUE(standard.GetDockBar()->Locate(&standard, rowA, posA));
    ASSERT_TRUE(standard.GetDockBar()->Locate(&extra, rowB, posB));
    EXPECT_EQ(rowA == rowB, k.sameRow) << k.where;
    if (k.sameRow) {
      EXPECT_EQ(posB > posA, k.after) << k.where;
    } else {
      EXPECT_EQ(rowB > rowA, k.after) << k.where;
    }
  }
}

TEST_F(SDIFrame, TheKeyboardAndRightClicksOpenTheFramesAndTheBarsMenus) {
  Open();
  frame->ShowWindow(SW_SHOW);
  std::vector<int> shown;  // the item count of each menu tracked
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    shown.push_back(::GetMenuItemCount(s.Menu()));
    s.Close();
  });
  CMenu frameMenu, barMenu;
  ASSERT_TRUE(frameMenu.LoadMenu(28016));
  ASSERT_TRUE(barMenu.LoadMenu(28025));
  platform::SetKeyDown(VK_SHIFT, true);
  MSG key{frame->GetSafeHwnd(), WM_KEYDOWN, VK_F10, 0, 0, {0, 0}};
  frame->PreTranslateMessage(&key);
  platform::SetKeyDown(VK_SHIFT, false);
  MSG context{frame->GetSafeHwnd(), WM_CONTEXTMENU, 0, 0, 0, {0, 0}};
  frame->PreTranslateMessage(&context);
  MSG press{frame->m_wndToolBar.GetSafeHwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3), 0, {0, 0}};
  frame->PreTranslateMessage(&press);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], ::GetMenuItemCount(frameMenu.GetSubMenu(9)->GetSafeHmenu()));
  EXPECT_EQ(shown[1], ::GetMenuItemCount(frameMenu.GetSubMenu(9)->GetSafeHmenu()));
  EXPECT_EQ(shown[2], ::GetMenuItemCount(barMenu.GetSubMenu(0)->GetSafeHmenu()));
}

TEST_F(SDIFrame, TheClientIsASplitterWithATenPixelMinimumAndTheTitleNamesTheHost) {
  Open();
  CSplitterWnd& split = frame->m_wndSplitter;
  EXPECT_EQ(split.GetMaxRowCount(), 2);
  EXPECT_EQ(split.GetMaxColumnCount(), 2);
  EXPECT_EQ(split.GetMinPaneSize(), CSize(10, 10));
  EXPECT_FALSE(split.SplitRow(9));
  EXPECT_TRUE(split.SplitRow(10));
  doc.SetTitle(u"doc");
  frame->SetTypeOfView(u"view");
  frame->SetNameOfHostCFB(u"host");
  frame->OnUpdateFrameTitle(TRUE);
  CStringW title;
  frame->GetWindowText(title);
  EXPECT_EQ(title, CStringW(u"doc view:host"));
  frame->SetTypeOfView(u"");
  frame->SetNameOfHostCFB(u"");
  frame->OnUpdateFrameTitle(TRUE);
  frame->GetWindowText(title);
  EXPECT_EQ(title, CStringW(u"doc"));
  EXPECT_EQ(CMultiControlBarSDIFrame().GetTypeOfView(), CStringW(u"(Graph)"));
}

TEST_F(SDIFrame, AModifiedDocumentIsAskedAboutBeforeTheFrameCloses) {
  struct Case {
    int answer;
    bool closes;
  };
  for (const Case& k : {Case{IDCANCEL, false}, Case{IDNO, true}}) {
    Open();
    doc.SetTitle(u"plan");
    doc.SetModifiedFlag(TRUE);
    diagramtest::MessageBoxCapture boxes(k.answer);
    HWND hwnd = frame->GetSafeHwnd();
    frame->SendMessage(WM_CLOSE);
    const CStringW asked = boxes.Last();
    EXPECT_EQ(asked, CStringW(u"Save changes to plan?"));
    EXPECT_EQ(::IsWindow(hwnd) != FALSE, !k.closes) << k.answer;
    if (k.closes) frame = nullptr;
    if (frame) frame->DestroyWindow();
    frame = nullptr;
  }
  doc.SetModifiedFlag(FALSE);
}

}  // namespace
