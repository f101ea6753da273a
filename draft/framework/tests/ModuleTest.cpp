#include <gtest/gtest.h>

#include "draft/framework/ResourceSwitch.h"
#include "platform/core/ExtensionModule.h"
#include "platform/core/String.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"

// Loading the library registered it, and the host's libraries, by name.
TEST(DraftModule, TheLibraryAndTheHostLibrariesAreFoundByName) {
  for (const char* name : {"Scrivel.DLL", "Korrin.DLL", "Velmish.DLL", "Tressil.DLL", "Nobrack.DLL", "Quorvel.DLL"})
    EXPECT_NE(GetModuleHandleA(name), nullptr) << name;
  HMODULE own = GetModuleHandleA("scrivel");
  ASSERT_NE(own, nullptr);
  auto resources = platform::ModuleResources(own);
  ASSERT_TRUE(resources);
  const platform::DialogTemplate* coord = resources->FindDialog(132);
  ASSERT_NE(coord, nullptr);
  EXPECT_EQ(CStringA(coord->caption.c_str()), "坐标输入");
  for (int id : {1004, 1005, 1018, 1122, 1272, 629, 1013, 2289, IDOK, IDCANCEL})
    EXPECT_NE(coord->FindControl(id), nullptr) << id;
  // The library's record is on the extension chain.
  bool onChain = false;
  for (CDynLinkLibrary* record : platform::DynLinkLibraries()) onChain = onChain || record->m_hModule == own;
  EXPECT_TRUE(onChain);
}

TEST(ResourceSwitch, SwitchesForAScopeAndRestores) {
  const HINSTANCE before = AfxGetResourceHandle();
  {
    CResourceSwitch sw;
    ASSERT_TRUE(sw.SwitchToModule(kScrivelModuleName));
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Scrivel.DLL"));
    ASSERT_TRUE(sw.SwitchToModule("Korrin.DLL"));  // a second switch puts the first back first
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("Korrin.DLL"));
    sw.Restore();
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_FALSE(sw.SwitchToModule("Missing.DLL"));  // not loaded: nothing changes
    EXPECT_EQ(AfxGetResourceHandle(), before);
    ASSERT_TRUE(sw.SwitchToModule("Quorvel.DLL"));
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);  // the scope restores
  try {
    CResourceSwitch sw(kScrivelModuleName);
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);  // also when an exception passes
}
