#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/ExtensionModule.h"
#include "platform/core/FrameworkResources.h"
#include "platform/core/MessageBox.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/ScopedResourceModule.h"
#include "platform/core/String.h"

using platform::ModuleRegistration;
using platform::ResourceSet;
using platform::ScopedResourceModule;
using namespace platform::rc;

namespace {

ResourceSet Strings(std::initializer_list<platform::StringEntry> entries) {
  ResourceSet r;
  r.Strings(entries);
  return r;
}

// Every test leaves the framework's resource state as it found it: the
// application current, without resources, no records in the chain.
class ModuleTest : public testing::Test {
 protected:
  void TearDown() override {
    AfxSetResourceHandle(AfxGetInstanceHandle());
    platform::SetModuleResources(AfxGetInstanceHandle(), ResourceSet());
    EXPECT_TRUE(platform::DynLinkLibraries().empty());
  }
};

TEST_F(ModuleTest, GetModuleHandleComparesNamesWithoutCase) {
  ModuleRegistration korrin(u"Korrin.DLL", ResourceSet());
  ModuleRegistration plain(u"Tool", ResourceSet());
  struct Case {
    const char* query;
    HINSTANCE expected;
  } cases[] = {
      {"Korrin.DLL", korrin.Handle()},
      {"korrin.dll", korrin.Handle()},
      {"KORRIN", korrin.Handle()},  // no extension means .dll
      {"C:\\Host\\Korrin.DLL", korrin.Handle()},
      {"/opt/host/korrin.dll", korrin.Handle()},
      {"Tool", plain.Handle()},
      {"Tool.", plain.Handle()},  // a trailing dot: exactly this name
      {"Korrin.exe", nullptr},
      {"Korri", nullptr},
      {"Korrin.DLL.bak", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    EXPECT_EQ(GetModuleHandleA(c.query), c.expected);
    EXPECT_EQ(GetModuleHandleW(platform::Utf8ToUtf16(c.query).c_str()), c.expected);
  }
  EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetInstanceHandle());
  EXPECT_EQ(platform::ModuleName(korrin.Handle()), u"Korrin.DLL");
}

TEST_F(ModuleTest, AModuleIsGoneWithItsRegistration) {
  HINSTANCE handle;
  {
    ModuleRegistration quorvel(u"Quorvel.DLL", ResourceSet());
    handle = quorvel.Handle();
    EXPECT_TRUE(platform::IsModule(handle));
  }
  EXPECT_EQ(GetModuleHandleA("Quorvel.DLL"), nullptr);
  EXPECT_FALSE(platform::IsModule(handle));
  EXPECT_EQ(platform::ModuleResources(handle), nullptr);
  EXPECT_FALSE(platform::UnregisterModule(handle));
}

TEST_F(ModuleTest, GetModuleFileNameTruncatesAsWin32Does) {
  std::string exe = platform::ModuleFile(AfxGetInstanceHandle()).string();
  ASSERT_GT(exe.size(), 5u);
  char buffer[4096];
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, sizeof buffer), exe.size());
  EXPECT_EQ(std::string(buffer), exe);

  char small[5];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
  EXPECT_EQ(std::string(small), exe.substr(0, 4));
  WCHAR wide[5];
  EXPECT_EQ(GetModuleFileNameW(nullptr, wide, 5), 5u);
  EXPECT_EQ(std::u16string(wide), platform::Utf8ToUtf16(exe.substr(0, 4)));
  EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 0), 0u);

  // A module registered from this program lives in its file.
  ModuleRegistration own(u"Own.DLL", ResourceSet());
  EXPECT_EQ(platform::ModuleFile(own.Handle()).string(), exe);
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(buffer), buffer, sizeof buffer), 0u);
}

// The lookup order: the current resource module, then the records of the
// chain, newest first, then the application, then the framework's own
// resources.
TEST_F(ModuleTest, LookupGoesCurrentModuleThenRecordsThenApplication) {
  ModuleRegistration first(u"First.DLL", Strings({{100, u"first"}, {200, u"first"}, {300, u"first"}}));
  ModuleRegistration second(u"Second.DLL", Strings({{100, u"second"}, {200, u"second"}}));
  ModuleRegistration current(u"Current.DLL", Strings({{100, u"current"}}));
  platform::SetModuleResources(AfxGetInstanceHandle(), Strings({{100, u"app"}, {400, u"app"}}));
  auto* older = new CDynLinkLibrary(first.Handle(), first.Handle());
  auto* newer = new CDynLinkLibrary(second.Handle(), second.Handle());
  AfxSetResourceHandle(current.Handle());

  EXPECT_EQ(platform::ResourceSearchOrder(),
            (std::vector<HINSTANCE>{current.Handle(), second.Handle(), first.Handle(), AfxGetInstanceHandle(),
                                    platform::FrameworkResourceModule()}));
  struct Case {
    UINT id;
    HINSTANCE module;
    const char16_t* text;
  } cases[] = {
      {100, current.Handle(), u"current"},
      {200, second.Handle(), u"second"},
      {300, first.Handle(), u"first"},
      {400, AfxGetInstanceHandle(), u"app"},
      {500, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    platform::FoundResources found = platform::FindResources(platform::ResourceType::String, c.id);
    EXPECT_EQ(found.module, c.module);
    CStringW text;
    EXPECT_EQ(text.LoadString(c.id), c.text != nullptr);
    if (c.text) {
      EXPECT_EQ(text, CStringW(c.text));
    }
  }
  // The framework's own lookup answers with the current module when no
  // module holds the resource.
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(300 / 16 + 1), RT_STRING), first.Handle());
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(28076), RT_DIALOG), current.Handle());

  // A record's end takes it out of the chain.
  delete newer;
  EXPECT_EQ(platform::FindResources(platform::ResourceType::String, 200).module, first.Handle());
  delete older;
  EXPECT_EQ(platform::FindResources(platform::ResourceType::String, 300).module, nullptr);
}

TEST_F(ModuleTest, LoadStringGivesBothFlavoursAndLeavesAMissOutAlone) {
  platform::SetModuleResources(AfxGetInstanceHandle(), Strings({{61705, u"命令失败"}, {7, u"seven"}}));
  CStringA narrow;
  ASSERT_TRUE(narrow.LoadString(61705));
  EXPECT_EQ(narrow, CStringA(platform::Utf16ToGbk(u"命令失败")));
  CStringW wide;
  ASSERT_TRUE(wide.LoadString(61705));
  EXPECT_EQ(wide, CStringW(u"命令失败"));

  CStringW kept(u"kept");
  EXPECT_FALSE(kept.LoadString(61706));
  EXPECT_EQ(kept, CStringW(u"kept"));
  // A resource id in the place of a text loads that string.
  EXPECT_EQ(CStringA(reinterpret_cast<LPCSTR>(MAKEINTRESOURCE(7))), CStringA("seven"));

  std::u16string shown;
  platform::ScopedMessageBoxHandler handler([&](const platform::MessageBoxRequest& r) {
    shown = r.text.str();
    return IDOK;
  });
  AfxMessageBox(61705u);
  EXPECT_EQ(shown, u"命令失败");
}

// What a scope does on its way out, each path in turn.
enum class Exit { Normal, EarlyReturn, Exception, ExplicitRestore };

void RunScope(Exit exit, HINSTANCE target) {
  ScopedResourceModule scope(target);
  EXPECT_EQ(AfxGetResourceHandle(), target);
  if (exit == Exit::EarlyReturn) return;
  if (exit == Exit::Exception) throw std::runtime_error("passing through");
  if (exit == Exit::ExplicitRestore) {
    scope.Restore();
    // A restore done is not done twice: what happens after it stays.
    AfxSetResourceHandle(target);
  }
}

TEST_F(ModuleTest, ScopedResourceModuleRestoresOnEveryExitPath) {
  ModuleRegistration own(u"Scrivel.DLL", ResourceSet());
  ModuleRegistration before(u"Before.DLL", ResourceSet());
  for (Exit exit : {Exit::Normal, Exit::EarlyReturn, Exit::Exception}) {
    SCOPED_TRACE(static_cast<int>(exit));
    AfxSetResourceHandle(before.Handle());
    try {
      RunScope(exit, own.Handle());
    } catch (const std::runtime_error&) {
      EXPECT_EQ(exit, Exit::Exception);
    }
    EXPECT_EQ(AfxGetResourceHandle(), before.Handle());
  }
  AfxSetResourceHandle(before.Handle());
  RunScope(Exit::ExplicitRestore, own.Handle());
  EXPECT_EQ(AfxGetResourceHandle(), own.Handle());
}

TEST_F(ModuleTest, ScopedResourceModuleByNameNestsAndIgnoresAMissingModule) {
  ModuleRegistration own(u"Scrivel.DLL", ResourceSet());
  ModuleRegistration korrin(u"Korrin.DLL", ResourceSet());
  HINSTANCE app = AfxGetInstanceHandle();
  {
    ScopedResourceModule outer("scrivel.dll");
    EXPECT_TRUE(outer.IsActive());
    EXPECT_EQ(outer.Saved(), app);
    {
      ScopedResourceModule inner(u"KORRIN");
      EXPECT_EQ(AfxGetResourceHandle(), korrin.Handle());
      // Switching again first puts back what the first switch saved.
      EXPECT_FALSE(inner.Switch("Nobrack.DLL"));
      EXPECT_FALSE(inner.IsActive());
      EXPECT_EQ(AfxGetResourceHandle(), own.Handle());
    }
    EXPECT_EQ(AfxGetResourceHandle(), own.Handle());
    // Not found: no switch, nothing to restore.
    ScopedResourceModule missing("Quorvel.DLL");
    EXPECT_FALSE(missing.IsActive());
    EXPECT_EQ(AfxGetResourceHandle(), own.Handle());
  }
  EXPECT_EQ(AfxGetResourceHandle(), app);
}

class CLocalShape : public CObject {
  DECLARE_DYNCREATE(CLocalShape)
};
IMPLEMENT_DYNCREATE(CLocalShape, CObject)

// An extension module's classes are set aside until a record is made for it,
// and its records go when it terminates.
TEST_F(ModuleTest, ExtensionModuleSetsClassesAsideUntilARecordExists) {
  AFX_EXTENSION_MODULE state = {FALSE, nullptr, nullptr};
  EXPECT_FALSE(AfxInitExtensionModule(state, reinterpret_cast<HMODULE>(&state)));  // not a module
  EXPECT_FALSE(state.bInitialized);

  // The state lives in this program, so this program's classes are the
  // module's.
  ModuleRegistration own(u"Ext.DLL", Strings({{900, u"ext"}}));
  ASSERT_TRUE(AfxInitExtensionModule(state, own.Handle()));
  EXPECT_TRUE(AfxInitExtensionModule(state, own.Handle()));
  EXPECT_EQ(state.hResource, own.Handle());
  EXPECT_EQ(CRuntimeClass::FromName("CLocalShape"), nullptr);
  EXPECT_NE(CRuntimeClass::FromName("CDynLinkLibrary"), nullptr);  // the platform's own stay
  CStringW text;
  EXPECT_FALSE(text.LoadString(900));  // not on the chain yet

  new CDynLinkLibrary(state);
  new CDynLinkLibrary(state);  // each call adds another record
  EXPECT_EQ(platform::DynLinkLibraries().size(), 2u);
  EXPECT_EQ(CRuntimeClass::FromName("CLocalShape"), RUNTIME_CLASS(CLocalShape));
  EXPECT_TRUE(text.LoadString(900));

  AfxTermExtensionModule(state);
  EXPECT_TRUE(platform::DynLinkLibraries().empty());
  EXPECT_FALSE(state.bInitialized);
  EXPECT_EQ(CRuntimeClass::FromName("CLocalShape"), RUNTIME_CLASS(CLocalShape));
}

}  // namespace
