// Menus: loading along the resource chain, items and their state, and
// pop-up menus tracked through the modal driver with their items updated by
// the owner's handlers first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/MenuTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using namespace platform::rc;

constexpr UINT kMenu = 500;

class CMenuOwner : public CFrameWnd {
 public:
  std::vector<UINT> commands;
  std::vector<std::string> events;
  bool zoomChecked = false;

 protected:
  afx_msg void OnOpen() { commands.push_back(100); }
  afx_msg void OnCopy() { commands.push_back(300); }
  afx_msg void OnZoom() { commands.push_back(202); }
  afx_msg void OnUpdateCopy(CCmdUI* ui) { ui->SetCheck(1); }
  afx_msg void OnUpdateZoom100(CCmdUI* ui) { ui->SetCheck(zoomChecked); }
  afx_msg void OnUpdateZoom200(CCmdUI* ui) { ui->Enable(TRUE); }
  afx_msg void OnUpdateRenamed(CCmdUI* ui) { ui->SetText(u"Renamed"); }
  afx_msg void OnEnterMenuLoop(BOOL) { events.push_back("enter"); }
  afx_msg void OnExitMenuLoop(BOOL) { events.push_back("exit"); }
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
    events.push_back("init " + std::to_string(popup->GetMenuItemCount()) + " at " + std::to_string(index));
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ENTERMENULOOP) OnEnterMenuLoop(static_cast<BOOL>(wParam));
    if (message == WM_EXITMENULOOP) OnExitMenuLoop(static_cast<BOOL>(wParam));
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
  void PostNcDestroy() override {}  // a member of the fixture
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwner, CFrameWnd)
  ON_WM_INITMENUPOPUP()
  ON_COMMAND(100, OnOpen)
  ON_COMMAND(300, OnCopy)
  ON_COMMAND(202, OnZoom)
  ON_COMMAND(302, OnCopy)
  ON_UPDATE_COMMAND_UI(300, OnUpdateCopy)
  ON_UPDATE_COMMAND_UI(201, OnUpdateZoom100)
  ON_UPDATE_COMMAND_UI(202, OnUpdateZoom200)
  ON_UPDATE_COMMAND_UI(302, OnUpdateRenamed)
END_MESSAGE_MAP()

class MenuTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override {
    platform::ResourceSet r;
    const auto zoom = Popup(u"Zoom", {Item(u"100%", 201, MF_CHECKED), Item(u"200%", 202, MF_GRAYED)});
    r.Add(Menu(kMenu, {Popup(u"File", {Item(u"&Open", 100), Separator(), zoom}),
                       Popup(u"Edit", {Item(u"Copy", 300), Item(u"Unhandled", 301), Item(u"Old", 302)})}));
    return r;
  }
  void SetUp() override {
    DialogFixture::SetUp();
    ASSERT_TRUE(owner.CreateEx(0, u"AfxWnd", u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200),
                               nullptr, 0));
    ASSERT_TRUE(menu.LoadMenu(kMenu));
  }
  void TearDown() override {
    owner.DestroyWindow();
    DialogFixture::TearDown();
  }
  CMenuOwner owner;
  CMenu menu;
};

TEST_F(MenuTest, ALoadedMenuHasTheDeclaredItemsAndStates) {
  ASSERT_EQ(menu.GetMenuItemCount(), 2u);
  CMenu* file = menu.GetSubMenu(0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file, menu.GetSubMenu(0)) << "one wrapper per sub-menu";
  EXPECT_EQ(menu.GetSubMenu(5), nullptr);
  EXPECT_EQ(file->GetMenuItemCount(), 3u);
  EXPECT_EQ(file->GetMenuItemID(0), 100u);
  EXPECT_EQ(file->GetMenuItemID(1), 0u) << "a separator";
  EXPECT_EQ(file->GetMenuItemID(2), static_cast<UINT>(-1)) << "a sub-menu";
  CStringW text;
  file->GetMenuString(100, text, MF_BYCOMMAND);
  EXPECT_EQ(text, CStringW(u"&Open"));
  CStringA gbk;
  menu.GetMenuString(1, gbk, MF_BYPOSITION);
  EXPECT_EQ(gbk, CStringA("Edit"));

  struct Case {
    UINT item, flags, state;
  };
  const Case cases[] = {
      {100, MF_BYCOMMAND, MF_ENABLED},
      {201, MF_BYCOMMAND, MF_CHECKED},  // found in a sub-menu of a sub-menu
      {202, MF_BYCOMMAND, MF_GRAYED},
      {2, MF_BYPOSITION, (2u << 8) | MF_POPUP},
      {1, MF_BYPOSITION, MF_SEPARATOR},
      {999, MF_BYCOMMAND, static_cast<UINT>(-1)},
      {3, MF_BYPOSITION, static_cast<UINT>(-1)},
  };
  for (const Case& c : cases) EXPECT_EQ(file->GetMenuState(c.item, c.flags), c.state) << c.item;

  EXPECT_EQ(menu.EnableMenuItem(202, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED) << "the previous state";
  EXPECT_EQ(menu.CheckMenuItem(201, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(menu.GetMenuState(201, MF_BYCOMMAND), 0u);
  EXPECT_EQ(menu.EnableMenuItem(999, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));

  CMenu missing;
  EXPECT_FALSE(missing.LoadMenu(kMenu + 1));
  EXPECT_EQ(missing.m_hMenu, nullptr);
}

TEST_F(MenuTest, DestroyingAMenuDestroysItsSubMenus) {
  HMENU zoom = menu.GetSubMenu(0)->GetSubMenu(2)->m_hMenu;
  ASSERT_TRUE(::IsMenu(zoom));
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  ASSERT_TRUE(popup.AppendMenu(MF_STRING, 7, u"Seven"));
  ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), u"Added"));
  EXPECT_EQ(menu.GetMenuState(7, MF_BYCOMMAND), 0u);
  EXPECT_TRUE(menu.DestroyMenu());
  EXPECT_FALSE(::IsMenu(zoom));
  EXPECT_EQ(menu.m_hMenu, nullptr);
  EXPECT_EQ(CMenu::FromHandle(zoom), nullptr);
}

TEST_F(MenuTest, AChosenItemReachesTheOwnerAfterItsHandlersUpdatedTheMenu) {
  CMenu* edit = menu.GetSubMenu(1);
  scripts.push_back([&](platform::ModalSession& s) {
    EXPECT_EQ(s.Menu(), edit->m_hMenu);
    EXPECT_EQ(s.MenuItemState(300), MF_CHECKED) << "checked by its update handler";
    EXPECT_EQ(s.MenuItemState(301) & MF_GRAYED, MF_GRAYED) << "no handler: disabled";
    EXPECT_FALSE(s.ChooseMenuItem(301));
    EXPECT_FALSE(s.ChooseMenuItem(999));
    EXPECT_TRUE(s.ChooseMenuItem(300));
  });
  EXPECT_TRUE(edit->TrackPopupMenu(TPM_RIGHTBUTTON, 50, 60, &owner));
  EXPECT_EQ(owner.events, (std::vector<std::string>{"enter", "init 3 at 0", "exit"}));
  EXPECT_TRUE(owner.commands.empty()) << "the command is posted";
  platform::PumpPendingMessages();
  EXPECT_EQ(owner.commands, (std::vector<UINT>{300}));
  CStringW text;
  edit->GetMenuString(302, text, MF_BYCOMMAND);
  EXPECT_EQ(text, CStringW(u"Renamed")) << "an update handler set the item's text";
}

TEST_F(MenuTest, ASubMenuIsUpdatedWhenItOpens) {
  CMenu* file = menu.GetSubMenu(0);
  owner.zoomChecked = false;
  scripts.push_back([&](platform::ModalSession& s) {
    EXPECT_EQ(owner.events.size(), 2u) << "only the menu itself so far";
    // Unchecked by its update handler when the sub-menu opened, and disabled
    // as no command handler takes it.
    EXPECT_EQ(s.MenuItemState(201), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(owner.events.back(), "init 2 at 2");
    EXPECT_TRUE(s.ChooseMenuItem(202)) << "enabled by its handler";
  });
  EXPECT_EQ(file->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 202);
  platform::PumpPendingMessages();
  EXPECT_TRUE(owner.commands.empty()) << "TPM_RETURNCMD posts nothing";
}

TEST_F(MenuTest, ADismissedMenuSendsNothing) {
  CMenu* edit = menu.GetSubMenu(1);
  struct Case {
    UINT flags;
    int result;
  };
  for (const Case& c : {Case{0, TRUE}, Case{TPM_RETURNCMD, 0}}) {
    scripts.push_back([](platform::ModalSession& s) { s.Close(); });
    EXPECT_EQ(edit->TrackPopupMenu(c.flags, 0, 0, &owner), c.result);
    scripts.push_back([](platform::ModalSession&) {});  // left open: dismissed
    EXPECT_EQ(edit->TrackPopupMenu(c.flags, 0, 0, &owner), c.result);
  }
  platform::PumpPendingMessages();
  EXPECT_TRUE(owner.commands.empty());
  EXPECT_EQ(::TrackPopupMenu(edit->m_hMenu, 0, 0, 0, 0, nullptr, nullptr), 0) << "no owner";
  EXPECT_EQ(CWnd::GetActiveWindow(), &owner) << "the menu never took the activation";
}

}  // namespace
