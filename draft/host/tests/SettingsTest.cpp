#include <gtest/gtest.h>

#include <filesystem>

#include "draft/host/Settings.h"
#include "platform/core/Profile.h"
#include "platform/testsupport/FileBytes.h"
#include "platform/testsupport/ScratchFolder.h"

namespace {
// The store on a profile file of its own.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetProfilePath(file_);
    SetSettingsBacking(nullptr);
  }
  void TearDown() override { platform::SetProfilePath({}); }
  std::string FileText() const { return testsupport::ReadFileBytes(file_); }
  testsupport::ScratchFolder folder_{"scrivel-settings"};
  std::filesystem::path file_ = folder_ / "settings.ini";
};
}  // namespace

TEST_F(SettingsTest, ReadsGiveTheDefaultUntilWrittenAndValuesLandInTheProfile) {
  EXPECT_EQ(GetProfileIntSetting("PolyGonSetting", "BianShu", 6), 6);
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "CenterLine", "5.0"), "5.0");
  ASSERT_TRUE(WriteProfileIntSetting("PolyGonSetting", "BianShu", 8));
  EXPECT_EQ(GetProfileIntSetting("PolyGonSetting", "BianShu", 6), 8);
  EXPECT_EQ(GetProfileStringSetting("PolyGonSetting", "BianShu", ""), "8");  // ints are text
  EXPECT_EQ(GetSysVarInt("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1), 1);
  ASSERT_TRUE(WriteProfileIntSetting("拷贝设定", "拷贝份数", 3));
  const std::string text = FileText();
  EXPECT_NE(text.find("[PolyGonSetting]"), std::string::npos);
  EXPECT_NE(text.find("BianShu=8"), std::string::npos);
  EXPECT_NE(text.find(reinterpret_cast<const char*>(u8"[拷贝设定]")), std::string::npos);  // GBK names, a UTF-8 file
  EXPECT_EQ(GetProfileIntSetting("拷贝设定", "拷贝份数", 1), 3);
}

TEST_F(SettingsTest, RealsRoundTripAsTextAndBadIntsFallBackToTheDefault) {
  CStringA text;
  text.Format("%lf", 7.25);
  WriteProfileStringSetting("SystemSetting", "CenterLine", text);
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "CenterLine", "5.0"), "7.250000");
  WriteProfileStringSetting("拷贝设定", "拷贝份数", "3x");
  EXPECT_EQ(GetProfileIntSetting("拷贝设定", "拷贝份数", 1), 1);
  WriteProfileStringSetting("拷贝设定", "拷贝份数", "99999999999");
  EXPECT_EQ(GetProfileIntSetting("拷贝设定", "拷贝份数", 1), 1);
  EXPECT_FALSE(WriteProfileStringSetting("", "k", "v"));
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "Empty", "d"), "d");
  WriteProfileStringSetting("SystemSetting", "Empty", "");
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "Empty", "d"), "");  // present but empty
}

TEST_F(SettingsTest, AMemoryBackingKeepsTheProfileUntouched) {
  std::unique_ptr<CSettingsBacking> previous = SetSettingsBacking(std::make_unique<CMemorySettings>());
  WriteProfileIntSetting("Draw", "Line", 2);
  EXPECT_EQ(GetProfileIntSetting("Draw", "Line", 0), 2);
  SetSettingsBacking(std::move(previous));
  EXPECT_EQ(GetProfileIntSetting("Draw", "Line", 0), 0);
  EXPECT_FALSE(std::filesystem::exists(file_));
}
