#include <gtest/gtest.h>

#include "draft/host/Settings.h"

namespace {
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsBacking(nullptr); }
  void TearDown() override { SetSettingsBacking(nullptr); }
};
}  // namespace

TEST_F(SettingsTest, ReadsGiveTheDefaultUntilWritten) {
  EXPECT_EQ(GetProfileIntSetting("PolyGonSetting", "BianShu", 6), 6);
  EXPECT_EQ(GetProfileStringSetting("SystemSetting", "CenterLine", "5.0"), "5.0");
  ASSERT_TRUE(WriteProfileIntSetting("PolyGonSetting", "BianShu", 8));
  EXPECT_EQ(GetProfileIntSetting("PolyGonSetting", "BianShu", 6), 8);
  EXPECT_EQ(GetProfileStringSetting("PolyGonSetting", "BianShu", ""), "8");  // ints are text
  EXPECT_EQ(GetSysVarInt("SYSVAR_MISC", "SET_MISC_HIDE_IGNOCENTERLINE", 1), 1);
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
}
