// The operating-system information: the 16-bit drawing test and the name
// line, from the version the host sets and the registry's product type.
#include <gtest/gtest.h>

#include <string>

#include "diagram/ui/SysInfo.h"
#include "platform/core/Charset.h"
#include "platform/core/Registry.h"

namespace {

struct SysInfoProbe : CSysInfo {
  using CSysInfo::ComposeOsSysVerName;
};

OSVERSIONINFOEXW Version(DWORD platformId, DWORD major, DWORD minor, DWORD build, const char16_t* servicePack,
                         BYTE productType) {
  OSVERSIONINFOEXW v{};
  v.dwPlatformId = platformId;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  v.dwBuildNumber = build;
  std::u16string sp(servicePack);
  std::copy(sp.begin(), sp.end(), v.szCSDVersion);
  v.wProductType = productType;
  return v;
}

class SysInfoTest : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::ResetOsVersion();
    platform::ClearRegistry();
  }
};

TEST_F(SysInfoTest, OnlySystemsOutsideTheNtFamilyDrawIn16Bits) {
  EXPECT_FALSE(CSysInfo::IsGdi16Bit()) << "the default system";
  platform::SetOsVersion(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, u"", 0));
  EXPECT_TRUE(CSysInfo::IsGdi16Bit());
  platform::SetOsVersion(Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, u"", 0), false);
  EXPECT_FALSE(CSysInfo::IsGdi16Bit()) << "from the plain record";
}

TEST_F(SysInfoTest, TheNameFollowsThePlatformVersionAndProductType) {
  const char16_t* key = u"SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
  struct Case {
    OSVERSIONINFOEXW version;
    bool extended;
    const char16_t* registryType;  // null: no value
    const char* name;
  };
  const Case cases[] = {
      {Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195, u"Service Pack 4", VER_NT_WORKSTATION), true, nullptr,
       "Microsoft Windows 2000 Professional version 5.0 Service Pack 4 (Build 2195)\n"},
      {Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195, u"", VER_NT_SERVER), true, u"WinNT",
       "Microsoft Windows 2000 Server version 5.0  (Build 2195)\n"},
      {Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, u"Service Pack 6", 0), false, u"ServerNT",
       "Microsoft Windows NT Server version 4.0 Service Pack 6 (Build 1381)\n"},
      {Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, u"Service Pack 3", 0), false, u"WINNT",
       "Microsoft Windows NT Workstation version 4.0 Service Pack 3 (Build 1381)\n"},
      {Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, u"", 0), false, nullptr,
       "Microsoft Windows NT version 4.0  (Build 1381)\n"},
      {Version(VER_PLATFORM_WIN32_NT, 6, 1, 0x1DB17601, u"", VER_NT_WORKSTATION), true, nullptr,
       "Professional version 6.1  (Build 30209)\n"},  // the low 16 bits of the build
      {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A0888, u" A ", 0), true, nullptr, "Microsoft Windows 98 "},
      {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, u"", 0), true, nullptr, "Microsoft Windows 95 "},
      {Version(VER_PLATFORM_WIN32_WINDOWS, 5, 0, 950, u"", 0), true, nullptr, "Microsoft Windows 98 "},
      {Version(VER_PLATFORM_WIN32s, 1, 30, 0, u"", 0), true, nullptr, "Microsoft Win32s "},
      {Version(3, 1, 0, 0, u"", 0), true, nullptr, "Unknown platform "},
  };
  for (const Case& c : cases) {
    platform::ClearRegistry();
    if (c.registryType) platform::SetRegistryString(HKEY_LOCAL_MACHINE, key, u"ProductType", c.registryType);
    platform::SetOsVersion(c.version, c.extended);
    EXPECT_EQ(platform::Utf16ToUtf8(SysInfoProbe::ComposeOsSysVerName().str()), c.name);
  }
}

TEST_F(SysInfoTest, TheNameIsMadeOnceAndKept) {
  const CString first = CSysInfo::GetOsSysVerName();
  platform::SetOsVersion(Version(VER_PLATFORM_WIN32s, 1, 30, 0, u"", 0));
  EXPECT_EQ(CSysInfo::GetOsSysVerName(), first);
}

}  // namespace
