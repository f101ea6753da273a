#include <gtest/gtest.h>

#include <string>


#include "platform/core/Charset.h"
#include "platform/core/DynamicLibrary.h"
#include "platform/core/ExtensionModule.h"
#include "platform/core/Module.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/String.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {

// libTestPlugin.so, built beside the platform library (tests/plugin).
TEST(DynamicLibrary, NamesMapToTheBuiltLibraryOfThatName) {
  std::filesystem::path file = platform::ResolveLibraryFile(u"TestPlugin.dll");
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(file.filename(), "libTestPlugin.so");
  for (const char16_t* name : {u"testplugin.DLL", u"TESTPLUGIN", u"C:\\Program Files\\Host\\TestPlugin.dll",
                               u"TestPlugin.", u"libTestPlugin.so"}) {
    SCOPED_TRACE(platform::Utf16ToUtf8(name));
    EXPECT_EQ(platform::ResolveLibraryFile(name), file);
  }
  for (const char16_t* name : {u"", u"NoSuchPlugin.dll", u"TestPlugin.dll.bak", u"\\"}) {
    SCOPED_TRACE(platform::Utf16ToUtf8(name));
    EXPECT_TRUE(platform::ResolveLibraryFile(name).empty());
  }
  // A path to the file itself loads that file.
  EXPECT_EQ(platform::ResolveLibraryFile(platform::Utf8ToUtf16(file.string())), file);
}

TEST(DynamicLibrary, AHostFolderIsSearchedFirst) {
  std::filesystem::path built = platform::ResolveLibraryFile(u"TestPlugin.dll");
  ASSERT_FALSE(built.empty());
  const testsupport::ScratchFolder scratch("plugins");
  const std::filesystem::path folder = scratch.path();
  std::filesystem::copy_file(built, folder / "libtestplugin.so", std::filesystem::copy_options::overwrite_existing);
  platform::SetLibraryFolder(folder);
  EXPECT_EQ(platform::ResolveLibraryFile(u"TestPlugin.dll"), folder / "libtestplugin.so");
  platform::SetLibraryFolder({});
  EXPECT_EQ(platform::ResolveLibraryFile(u"TestPlugin.dll"), built);
}

TEST(DynamicLibrary, LoadCountsReferencesAndKeepsOneIdentity) {
  ASSERT_EQ(GetModuleHandleA("TestPlugin.dll"), nullptr);
  HMODULE first = LoadLibraryA("TestPlugin.dll");
  ASSERT_NE(first, nullptr);
  // The library registered its module itself: the same handle every way.
  EXPECT_EQ(GetModuleHandleA("testplugin.DLL"), first);
  EXPECT_EQ(platform::ModuleName(first), u"TestPlugin.DLL");
  EXPECT_EQ(LoadLibraryW(u"C:\\Host\\TESTPLUGIN"), first);

  auto add = reinterpret_cast<int (*)(int, int)>(GetProcAddress(first, "TestPluginAdd"));
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add(2, 3), 5);
  EXPECT_EQ(GetProcAddress(first, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetProcAddress(first, reinterpret_cast<LPCSTR>(MAKEINTRESOURCE(1))), nullptr);  // ordinals

  char path[4096];
  ASSERT_GT(GetModuleFileNameA(first, path, sizeof path), 0u);
  EXPECT_EQ(std::filesystem::path(path).filename(), "libTestPlugin.so");

  // Two loads, two frees: the first free leaves it loaded.
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(GetModuleHandleA("TestPlugin.dll"), first);
  EXPECT_NE(GetProcAddress(first, "TestPluginAdd"), nullptr);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(GetModuleHandleA("TestPlugin.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetProcAddress(first, "TestPluginAdd"), nullptr);
}

TEST(DynamicLibrary, AnExtensionLibrarysClassesAndStringsJoinWithItsRecord) {
  HMODULE plugin = LoadLibraryA("TestPlugin.dll");
  ASSERT_NE(plugin, nullptr);
  // Initialised at load: its class is set aside, its strings are off the chain.
  EXPECT_EQ(CRuntimeClass::FromName("CPluginShape"), nullptr);
  CStringW text;
  EXPECT_FALSE(text.LoadString(61001));

  auto init = reinterpret_cast<CDynLinkLibrary* (*)()>(GetProcAddress(plugin, "TestPluginInit"));
  ASSERT_NE(init, nullptr);
  CDynLinkLibrary* record = init();
  EXPECT_EQ(record->m_hResource, plugin);
  CRuntimeClass* shape = CRuntimeClass::FromName("CPluginShape");
  ASSERT_NE(shape, nullptr);
  CObject* object = shape->CreateObject();
  ASSERT_NE(object, nullptr);
  EXPECT_TRUE(object->IsKindOf(shape));
  delete object;
  ASSERT_TRUE(text.LoadString(61001));
  EXPECT_EQ(text, CStringW(u"from the plugin"));

  // Unloading terminates the module, which deletes its record.
  EXPECT_TRUE(FreeLibrary(plugin));
  EXPECT_TRUE(platform::DynLinkLibraries().empty());
  EXPECT_EQ(CRuntimeClass::FromName("CPluginShape"), nullptr);
  EXPECT_FALSE(text.LoadString(61001));
}

TEST(DynamicLibrary, AMissingLibraryOrAStrangeHandleFailsCleanly) {
  EXPECT_EQ(LoadLibraryA("NoSuchPlugin.dll"), nullptr);
  EXPECT_EQ(LoadLibraryA(""), nullptr);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  int local = 0;
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&local)));
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&local), "TestPluginAdd"), nullptr);
  // The application is loaded for good: freeing it changes nothing.
  EXPECT_TRUE(FreeLibrary(AfxGetInstanceHandle()));
  EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetInstanceHandle());
}

}  // namespace
