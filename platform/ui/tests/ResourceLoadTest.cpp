// Loading icons, cursors and menus by instance handle: a module's handle
// finds that module's resources; a null handle finds the system's own icons
// and cursors and the application's menus, never a library's. The framework's
// wrappers find a library's resources along the resource chain.
#include <gtest/gtest.h>

#include "platform/core/ResourceModule.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuApi.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/tests/DialogFixture.h"

namespace {

using namespace platform::rc;

constexpr UINT kIcon = 28015;
constexpr UINT kCursor = 28077;
constexpr UINT kLoadedMenu = 600;

LPCWSTR Id(UINT id) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id)); }

class ResourceLoadTest : public uitest::DialogFixture {
 protected:
  platform::ResourceSet Resources() override {
    platform::ResourceSet r;
    r.Add(Icon(kIcon).Art({"#"}, {{'#', RGB(0, 0, 128)}}));
    r.Add(Cursor(kCursor).Art({"#"}, {{'#', RGB(0, 0, 0)}}));
    r.Add(Menu(kLoadedMenu, {Popup(u"File", {Item(u"&Open", 100)})}));
    return r;
  }
};

TEST_F(ResourceLoadTest, ANullInstanceFindsNoLibraryIconCursorOrMenu) {
  LPCWSTR icon = Id(kIcon);
  LPCWSTR cursor = Id(kCursor);
  LPCWSTR menu = Id(kLoadedMenu);
  EXPECT_EQ(LoadIconW(nullptr, icon), nullptr);
  EXPECT_EQ(LoadCursorW(nullptr, cursor), nullptr);
  EXPECT_EQ(LoadMenuW(nullptr, menu), nullptr);
  EXPECT_EQ(LoadMenuA(nullptr, "#600"), nullptr);

  // The library's own handle, as the resource chain names it, finds them.
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(kIcon), RT_GROUP_ICON);
  EXPECT_EQ(module, Module());
  EXPECT_NE(LoadIconW(module, icon), nullptr);
  EXPECT_NE(LoadCursorW(AfxFindResourceHandle(MAKEINTRESOURCE(kCursor), RT_GROUP_CURSOR), cursor), nullptr);
  HMENU loaded = LoadMenuW(AfxFindResourceHandle(MAKEINTRESOURCE(kLoadedMenu), RT_MENU), menu);
  ASSERT_NE(loaded, nullptr);
  EXPECT_TRUE(DestroyMenu(loaded));
}

TEST_F(ResourceLoadTest, ANullInstanceFindsTheSystemsIconsAndCursors) {
  const UINT systemIds[] = {32512, 32513, 32514, 32515, 32516};  // IDI_APPLICATION ... and IDC_ARROW ...
  for (UINT id : systemIds) {
    EXPECT_NE(LoadIconW(nullptr, Id(id)), nullptr) << id;
    EXPECT_NE(LoadCursorW(nullptr, Id(id)), nullptr) << id;
  }
  EXPECT_EQ(LoadIconW(nullptr, Id(32512)), LoadIconW(nullptr, Id(32512))) << "one handle per icon";
  EXPECT_NE(LoadIconW(nullptr, Id(32512)), reinterpret_cast<HICON>(LoadCursorW(nullptr, Id(32512))));
  EXPECT_EQ(LoadIconW(nullptr, Id(32600)), nullptr);
  // A library's module does not hold the system's icons.
  EXPECT_EQ(LoadIconW(Module(), Id(32512)), nullptr);
}

TEST_F(ResourceLoadTest, TheFrameworkWrappersFindALibrarysResourcesAlongTheChain) {
  CMenu byNumber, byName;
  EXPECT_TRUE(byNumber.LoadMenu(kLoadedMenu));
  EXPECT_TRUE(byName.LoadMenu("#600"));
  CMenu missing;
  EXPECT_FALSE(missing.LoadMenu(kLoadedMenu + 1));
  CWinApp app("test");
  EXPECT_NE(app.LoadCursor(kCursor), nullptr);
}

}  // namespace
