#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "draft/host/Settings.h"
#include "platform/core/Profile.h"

namespace {
// The store on a profile file of its own.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = std::filesystem::temp_directory_path() /
            ("scrivel-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    std::filesystem::remove(file_);
    platform::SetProfilePath(file_);
    SetSettingsBacking(nullptr);
  }
  void TearDown() override {
    platform::SetProfilePath({});
    std::filesystem::remove(file_);
  }
  std::string FileText() const {
    std::ifstream in(file_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path file_;
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
