// Message maps: commands and their state, ranges, notifications, window
// messages, reflection, and lookup up the class hierarchy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using uitest::UiTest;

constexpr UINT ID_COPY = 57634;
constexpr UINT ID_CLEAR = 57632;
constexpr UINT ID_ZOOM = 200;
constexpr UINT ID_BAR_FIRST = 59398;
constexpr UINT ID_BAR_LAST = 59418;

class CBaseView : public CWnd {
 public:
  std::vector<std::string> log;
  bool canCopy = true;
  int zoomCheck = 0;

  BOOL CreateTop() { return CreateEx(0, u"AfxWnd", u"view", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0); }

 protected:
  afx_msg void OnCopy() { log.push_back("base copy"); }
  afx_msg void OnClear() { log.push_back("base clear"); }
  afx_msg void OnUpdateCopy(CCmdUI* ui) { ui->Enable(canCopy); }
  afx_msg void OnUpdateZoom(CCmdUI* ui) {
    ui->Enable(TRUE);
    ui->SetCheck(zoomCheck);
  }
  afx_msg void OnZoom() { log.push_back("zoom"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseView, CWnd)
  ON_COMMAND(ID_COPY, OnCopy)
  ON_COMMAND(ID_CLEAR, OnClear)
  ON_UPDATE_COMMAND_UI(ID_COPY, OnUpdateCopy)
  ON_UPDATE_COMMAND_UI(ID_ZOOM, OnUpdateZoom)
  ON_COMMAND(ID_ZOOM, OnZoom)
END_MESSAGE_MAP()

// A derived class takes one command over and adds a range.
class CDerivedView : public CBaseView {
 public:
  UINT lastBar = 0;
  std::vector<UINT> updated;

 protected:
  afx_msg void OnDerivedClear() { log.push_back("derived clear"); }
  afx_msg void OnBar(UINT id) { lastBar = id; }
  afx_msg void OnUpdateBar(CCmdUI* ui) {
    updated.push_back(ui->m_nID);
    ui->Enable(ui->m_nID % 2 == 0);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedView, CBaseView)
  ON_COMMAND(ID_CLEAR, OnDerivedClear)
  ON_COMMAND_RANGE(ID_BAR_FIRST, ID_BAR_LAST, OnBar)
  ON_UPDATE_COMMAND_UI_RANGE(ID_BAR_FIRST, ID_BAR_LAST, OnUpdateBar)
END_MESSAGE_MAP()

// The host's menu item or tool-bar button, as a CCmdUI.
struct RecordingCmdUI : CCmdUI {
  int enabled = -1;
  int check = -1;
  void Enable(BOOL on) override {
    enabled = on ? 1 : 0;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int n) override { check = n; }
};

using CommandTest = UiTest;

TEST_F(CommandTest, ACommandStateHandlerEnablesAndChecksACommand) {
  CDerivedView view;
  ASSERT_TRUE(view.CreateTop());

  RecordingCmdUI zoom;
  zoom.m_nID = ID_ZOOM;
  view.zoomCheck = 1;
  EXPECT_TRUE(zoom.DoUpdate(&view, TRUE));
  EXPECT_EQ(zoom.enabled, 1);
  EXPECT_EQ(zoom.check, 1);

  RecordingCmdUI copy;
  copy.m_nID = ID_COPY;
  view.canCopy = false;
  copy.DoUpdate(&view, TRUE);
  EXPECT_EQ(copy.enabled, 0);

  // Without a state handler: enabled exactly when a command handler exists.
  RecordingCmdUI clear, unknown;
  clear.m_nID = ID_CLEAR;
  unknown.m_nID = 777;
  EXPECT_FALSE(clear.DoUpdate(&view, TRUE));
  EXPECT_EQ(clear.enabled, 1);
  unknown.DoUpdate(&view, TRUE);
  EXPECT_EQ(unknown.enabled, 0);
  unknown.enabled = -1;
  unknown.DoUpdate(&view, FALSE);
  EXPECT_EQ(unknown.enabled, -1);
  view.DestroyWindow();
}

TEST_F(CommandTest, CommandsRouteUpTheClassHierarchyAndDisabledMenuCommandsAreNotRun) {
  CDerivedView view;
  ASSERT_TRUE(view.CreateTop());
  // Cut = copy + clear, sent as the library does.
  view.SendMessage(WM_COMMAND, ID_COPY, 0);
  view.SendMessage(WM_COMMAND, ID_CLEAR, 0);
  EXPECT_EQ(view.log, (std::vector<std::string>{"base copy", "derived clear"}));

  view.canCopy = false;  // its state handler disables it now
  view.SendMessage(WM_COMMAND, ID_COPY, 0);
  EXPECT_EQ(view.log.size(), 2u);

  view.SendMessage(WM_COMMAND, ID_BAR_FIRST + 4, 0);
  EXPECT_EQ(view.lastBar, ID_BAR_FIRST + 4);
  view.SendMessage(WM_COMMAND, ID_BAR_FIRST + 3, 0);  // odd ids are disabled
  EXPECT_EQ(view.lastBar, ID_BAR_FIRST + 4);
  EXPECT_FALSE(view.OnCmdMsg(ID_BAR_LAST + 1, CN_COMMAND, nullptr, nullptr));
  view.DestroyWindow();
}

// A dialog-like parent with a button child and a notifying child.
class CPanel : public CWnd {
 public:
  std::vector<std::string> log;
  BOOL CreateTop() { return CreateEx(0, u"AfxWnd", u"panel", WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0); }

 protected:
  afx_msg void OnClicked() { log.push_back("clicked"); }
  afx_msg void OnAnyButton(UINT id) { log.push_back("range " + std::to_string(id)); }
  afx_msg void OnListClick(NMHDR* header, LRESULT* result) {
    log.push_back("notify " + std::to_string(header->idFrom));
    *result = 7;
  }
  afx_msg void OnUpdateApply(CCmdUI* ui) { ui->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanel, CWnd)
  ON_BN_CLICKED(10, OnClicked)
  ON_CONTROL_RANGE(BN_CLICKED, 20, 29, OnAnyButton)
  ON_NOTIFY(NM_CLICK, 30, OnListClick)
  ON_UPDATE_COMMAND_UI(40, OnUpdateApply)
END_MESSAGE_MAP()

// A control that handles its own notification (reflection).
class CSelfNotifying : public CWnd {
 public:
  int reflected = 0;

 protected:
  afx_msg void OnReflectedClick(NMHDR*, LRESULT* result) {
    ++reflected;
    *result = 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfNotifying, CWnd)
  ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedClick)
END_MESSAGE_MAP()

TEST_F(CommandTest, ControlNotificationsReachTheirHandlersOrAreReflectedToTheControl) {
  CPanel panel;
  ASSERT_TRUE(panel.CreateTop());
  HWND button = CreateWindowExW(0, u"AfxWnd", u"", WS_CHILD, 0, 0, 1, 1, panel.m_hWnd, reinterpret_cast<HMENU>(10),
                                nullptr, nullptr);
  HWND other = CreateWindowExW(0, u"AfxWnd", u"", WS_CHILD, 0, 0, 1, 1, panel.m_hWnd, reinterpret_cast<HMENU>(23),
                               nullptr, nullptr);
  HWND list = CreateWindowExW(0, u"AfxWnd", u"", WS_CHILD, 0, 0, 1, 1, panel.m_hWnd, reinterpret_cast<HMENU>(30),
                              nullptr, nullptr);
  panel.SendMessage(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  panel.SendMessage(WM_COMMAND, MAKEWPARAM(23, BN_CLICKED), reinterpret_cast<LPARAM>(other));
  NMHDR header{list, 30, NM_CLICK};
  EXPECT_EQ(panel.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&header)), 7);
  EXPECT_EQ(panel.log, (std::vector<std::string>{"clicked", "range 23", "notify 30"}));

  // Once the list has its own class object, it takes its NM_CLICK itself.
  CSelfNotifying self;
  ASSERT_TRUE(self.SubclassWindow(list));
  EXPECT_EQ(panel.SendMessage(WM_NOTIFY, 30, reinterpret_cast<LPARAM>(&header)), 1);
  EXPECT_EQ(self.reflected, 1);
  EXPECT_EQ(panel.log.size(), 3u);
  panel.DestroyWindow();
  EXPECT_EQ(self.m_hWnd, nullptr);
}

}  // namespace
