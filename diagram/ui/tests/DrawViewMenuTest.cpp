// The diagram view's pop-up menus: the sub-menu that a right click shows for
// each selection, an item chosen through the modal driver reaching the
// view's command handler, and the keyboard menu.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/objects/DrawRect.h"
#include "diagram/res/DrawViewMenu.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WinApp.h"

namespace {

using viewtest::ViewHarness;

class DrawViewMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    h.Open(2, 2);
    const CPoint corner = h.diagram->GetRect().TopLeft();
    first = new CDrawRect(CRect(corner.x + 100, corner.y - 100, corner.x + 200, corner.y - 200));
    second = new CDrawRect(CRect(corner.x + 300, corner.y - 100, corner.x + 400, corner.y - 200));
    ASSERT_TRUE(h.diagram->Add(first));
    ASSERT_TRUE(h.diagram->Add(second));
  }
  // The menu the view tracks for a right click at `at`; it is dismissed.
  HMENU Shown(CPoint at = CPoint(50, 50)) {
    HMENU shown = nullptr;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      shown = s.Menu();
      s.Close();
    });
    h.view.ShowPopUpMenu(at);
    return shown;
  }
  HMENU Sub(int index) {
    CMenu* menu = h.view.GetPopupMenu(index);
    return menu ? menu->GetSafeHmenu() : nullptr;
  }

  ViewHarness<CDrawView> h;
  CDrawRect* first = nullptr;
  CDrawRect* second = nullptr;
};

TEST_F(DrawViewMenus, TheMenuFollowsTheSelection) {
  ASSERT_NE(Sub(kPopupDiagram), nullptr);
  EXPECT_EQ(Shown(), Sub(kPopupDiagram));  // nothing selected: the diagram's
  h.view.Select(first, FALSE);
  EXPECT_EQ(Shown(), Sub(kPopupRect));  // one rectangle: its own
  h.view.Select(second, TRUE);
  EXPECT_EQ(Shown(), Sub(kPopupPlural));  // two: the plural one
  // Sub-menu 9 is the frame's own menu; there is no tenth.
  EXPECT_NE(h.view.GetPopupMenu(9), nullptr);
  EXPECT_EQ(h.view.GetPopupMenu(10), nullptr);
}

TEST_F(DrawViewMenus, AChosenItemReachesTheView) {
  h.view.ScrollToPosition(CPoint(40, 30));
  CRect before;
  h.view.GetClientRect(before);
  h.view.ClientToDoc(before);
  h.view.Scale(CSize(15000, 15000));
  ASSERT_EQ(h.view.GetScaleSize().cx, 15000);

  UINT state = 0;
  bool chosen = false;
  {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      state = s.MenuItemState(57061);  // "Zoom Last", in the zoom sub-menu
      chosen = s.ChooseMenuItem(57061);
    });
    h.view.ShowPopUpMenu(CPoint(60, 60));
  }
  ASSERT_NE(state, static_cast<UINT>(-1));
  EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED), 0u);
  ASSERT_TRUE(chosen);
  platform::PumpPendingMessages();
  EXPECT_NEAR(h.view.GetScaleSize().cx, 5000, 50);  // back, up to the rounding of the area
  CRect after;
  h.view.GetClientRect(after);
  h.view.ClientToDoc(after);
  EXPECT_NEAR(after.CenterPoint().x, before.CenterPoint().x, 3);
  EXPECT_NEAR(after.CenterPoint().y, before.CenterPoint().y, 3);
}

TEST_F(DrawViewMenus, TheKeyboardMenuScrollsASelectedObjectIntoSight) {
  std::vector<HMENU> shown;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    shown.push_back(s.Menu());
    s.Close();
  });
  h.view.OnKeyboardPopUpMenu();
  const CPoint corner = h.diagram->GetRect().TopLeft();
  auto* far = new CDrawRect(CRect(corner.x + 1500, corner.y - 1900, corner.x + 1600, corner.y - 2000));
  ASSERT_TRUE(h.diagram->Add(far));
  h.view.Select(far, FALSE);
  h.view.OnKeyboardPopUpMenu();
  EXPECT_EQ(shown, (std::vector<HMENU>{Sub(kPopupDiagram), Sub(kPopupRect)}));
  CPoint top((far->GetPosition().left + far->GetPosition().right) / 2, far->GetPosition().top);
  h.view.DocToClient(top);
  CRect client;
  h.view.GetClientRect(client);
  EXPECT_TRUE(client.PtInRect(top));
}

// A view that notes where its pop-up menu would open.
class PointView : public CDrawView {
 public:
  std::vector<CPoint> shown;
  void ShowPopUpMenu(const CPoint& point) override { shown.push_back(point); }
};

TEST(DrawViewKeyboardMenu, WithoutOneSelectedObjectItOpensByTheTopLeftCornerUnlessTheAppIsMinimised) {
  ViewHarness<PointView> h;
  h.Open(2, 2);
  const CPoint corner = h.diagram->GetRect().TopLeft();
  auto* a = new CDrawRect(CRect(corner.x + 100, corner.y - 100, corner.x + 200, corner.y - 200));
  auto* b = new CDrawRect(CRect(corner.x + 300, corner.y - 100, corner.x + 400, corner.y - 200));
  ASSERT_TRUE(h.diagram->Add(a));
  ASSERT_TRUE(h.diagram->Add(b));
  h.view.OnKeyboardPopUpMenu();  // nothing selected
  h.view.Select(a, FALSE);
  h.view.Select(b, TRUE);
  h.view.OnKeyboardPopUpMenu();  // two selected
  EXPECT_EQ(h.view.shown, (std::vector<CPoint>{CPoint(5, 5), CPoint(5, 5)}));

  CWinApp app{u"Menu host"};
  CFrameWnd* main = new CFrameWnd;
  ASSERT_TRUE(main->Create(nullptr, u"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
  app.m_pMainWnd = main;
  main->ShowWindow(SW_MINIMIZE);
  ASSERT_TRUE(main->IsIconic());
  h.view.OnKeyboardPopUpMenu();
  EXPECT_EQ(h.view.shown.size(), 2u) << "no menu while the application is minimised";
  app.m_pMainWnd = nullptr;
  main->DestroyWindow();
}

}  // namespace
