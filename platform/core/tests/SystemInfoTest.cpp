// What the system reports about itself: the version records and the
// read-only registry that a host fills.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/Registry.h"
#include "platform/core/VersionInfo.h"

namespace {

class VersionTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::ResetOsVersion(); }
};

TEST_F(VersionTest, TheDefaultIsOfTheNtFamilyInBothRecordsAndBothForms) {
  OSVERSIONINFOEXW ex{};
  ex.dwOSVersionInfoSize = sizeof(ex);
  ASSERT_TRUE(GetVersionEx(&ex));
  EXPECT_EQ(ex.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(ex.dwMajorVersion, 5u);
  EXPECT_EQ(ex.dwBuildNumber, 2195u);
  EXPECT_EQ(std::u16string(ex.szCSDVersion), u"Service Pack 4");
  EXPECT_EQ(ex.wServicePackMajor, 4);
  EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);

  OSVERSIONINFOA plain{};
  plain.dwOSVersionInfoSize = sizeof(plain);
  ASSERT_TRUE(GetVersionEx(&plain));
  EXPECT_EQ(plain.dwMajorVersion, 5u);
  EXPECT_STREQ(plain.szCSDVersion, "Service Pack 4");

  OSVERSIONINFOW wrong{};
  wrong.dwOSVersionInfoSize = sizeof(wrong) + 4;
  EXPECT_FALSE(GetVersionExW(&wrong)) << "a record of no known size";
}

TEST_F(VersionTest, TheHostSetsTheValuesAndMayWithholdTheExtendedRecord) {
  OSVERSIONINFOEXW set{};
  set.dwMajorVersion = 4;
  set.dwMinorVersion = 10;
  set.dwBuildNumber = 0x040A0888;
  set.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
  const std::u16string text = u"\u4E2D\u6587 A";  // GBK text in the A form
  std::copy(text.begin(), text.end(), set.szCSDVersion);
  platform::SetOsVersion(set, false);

  OSVERSIONINFOEXA ex{};
  ex.dwOSVersionInfoSize = sizeof(ex);
  EXPECT_FALSE(GetVersionEx(&ex));
  OSVERSIONINFOA plain{};
  plain.dwOSVersionInfoSize = sizeof(plain);
  ASSERT_TRUE(GetVersionEx(&plain));
  EXPECT_EQ(plain.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
  EXPECT_EQ(plain.dwMinorVersion, 10u);
  EXPECT_EQ(plain.dwBuildNumber & 0xFFFF, 0x0888u);
  EXPECT_EQ(std::string(plain.szCSDVersion), platform::Utf16ToGbk(text));
}

TEST_F(VersionTest, ALongTextIsCutBetweenCharactersInTheAForm) {
  OSVERSIONINFOEXW set{};
  set.dwPlatformId = VER_PLATFORM_WIN32_NT;
  // 'A' then 126 Chinese characters: 253 GBK bytes, cut to 127 at a
  // character boundary.
  set.szCSDVersion[0] = u'A';
  for (int i = 1; i < 127; ++i) set.szCSDVersion[i] = u'\u4E2D';
  platform::SetOsVersion(set);
  OSVERSIONINFOA plain{};
  plain.dwOSVersionInfoSize = sizeof(plain);
  ASSERT_TRUE(GetVersionExA(&plain));
  EXPECT_EQ(std::strlen(plain.szCSDVersion), 127u);
  const std::u16string back = platform::GbkToUtf16(plain.szCSDVersion);
  EXPECT_EQ(back.size(), 64u);
  EXPECT_EQ(back.back(), u'\u4E2D');
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::ClearRegistry();
    platform::SetRegistryString(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                                u"ProductType", u"WinNT");
    platform::SetRegistryDword(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\ProductOptions",
                               u"Count", 7);
  }
  void TearDown() override { platform::ClearRegistry(); }
};

TEST_F(RegistryTest, AValueIsReadWithItsSizeFirstInBothForms) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"system\\CURRENTCONTROLSET\\control\\ProductOptions", 0, KEY_READ,
                          &key),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"producttype", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 12u) << "five UTF-16 characters and the end zero";
  char16_t wide[6] = {};
  ASSERT_EQ(RegQueryValueExW(key, u"ProductType", nullptr, nullptr, reinterpret_cast<BYTE*>(wide), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(wide), u"WinNT");

  char narrow[4] = {};
  size = sizeof(narrow);
  EXPECT_EQ(RegQueryValueExA(key, "ProductType", nullptr, &type, reinterpret_cast<BYTE*>(narrow), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u) << "the size needed";
  DWORD count = 0;
  size = sizeof(count);
  ASSERT_EQ(RegQueryValueExA(key, "Count", nullptr, &type, reinterpret_cast<BYTE*>(&count), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, MissingKeysValuesAndWritesAreRefused) {
  HKEY key = nullptr;
  struct Case {
    HKEY root;
    const char* path;
    REGSAM access;
    LSTATUS status;
  };
  const Case cases[] = {
      {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet", KEY_READ, ERROR_SUCCESS},  // a key above a value
      {HKEY_LOCAL_MACHINE, "SYSTEM\\Missing", KEY_READ, ERROR_FILE_NOT_FOUND},
      {HKEY_CURRENT_USER, "SYSTEM\\CurrentControlSet", KEY_READ, ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, "SYSTEM", KEY_WRITE, ERROR_ACCESS_DENIED},
      {HKEY_LOCAL_MACHINE, "", KEY_READ, ERROR_SUCCESS},
      {reinterpret_cast<HKEY>(0x1234), "SYSTEM", KEY_READ, ERROR_INVALID_HANDLE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegOpenKeyExA(c.root, c.path, 0, c.access, &key), c.status) << c.path;
    if (c.status == ERROR_SUCCESS) RegCloseKey(key);
  }
  // A key opened below an open key.
  HKEY system = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM", 0, KEY_READ, &system), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(system, "CurrentControlSet\\Control\\ProductOptions", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  BYTE data[4];
  EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, nullptr, data, nullptr), ERROR_INVALID_PARAMETER);
  // The host empties the registry: open keys read as deleted.
  platform::ClearRegistry();
  EXPECT_EQ(RegQueryValueExA(key, "Count", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(system, "CurrentControlSet", 0, KEY_READ, &key), ERROR_KEY_DELETED);
  RegCloseKey(system);
}

}  // namespace
