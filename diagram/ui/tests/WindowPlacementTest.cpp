// A frame's placement in the profile: written as ten numbers and read back
// only when exactly ten are there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/ui/WindowPlacement.h"
#include "platform/core/Profile.h"

namespace {

class WindowPlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
  }
  void TearDown() override { platform::SetProfilePath(saved_); }
  void Write(const std::string& value) {
    const std::string text = "[DrawFrame]\nWindowPos=" + value + "\n";
    doctest::WriteFileBytes(folder_.File("app.ini"), std::vector<BYTE>(text.begin(), text.end()));
  }

  diagramtest::ScratchFolder folder_;
  std::filesystem::path saved_;
};

TEST_F(WindowPlacementTest, WrittenPlacementsReadBack) {
  WINDOWPLACEMENT out{sizeof(WINDOWPLACEMENT), 2, SW_SHOWMAXIMIZED, {-1, -1}, {-8, -8}, {10, 20, 810, 620}};
  WriteWindowPlacement(&out, u"DrawFrame");
  EXPECT_EQ(platform::GetProfileString(u"DrawFrame", u"WindowPos", u""), CStringW(u"2,3,-1,-1,-8,-8,10,20,810,620"));
  WINDOWPLACEMENT in{};
  ASSERT_TRUE(ReadWindowPlacement(&in, u"DrawFrame"));
  EXPECT_EQ(in.length, 44u);
  EXPECT_EQ(in.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
  EXPECT_EQ(in.ptMaxPosition.x, -8);
  EXPECT_EQ(in.rcNormalPosition.bottom, 620);
}

TEST_F(WindowPlacementTest, AnythingButTenNumbersLeavesTheRecordUntouched) {
  for (const char* value : {"", "0,1,2,3,4,5,6,7,8", "0,1,2,3,4,5,6,7,8,9,10", "0,1,2,3,4,5,6,7,8,x", "zero"}) {
    Write(value);
    WINDOWPLACEMENT in{};
    in.showCmd = 77;
    EXPECT_FALSE(ReadWindowPlacement(&in, u"DrawFrame")) << value;
    EXPECT_EQ(in.showCmd, 77u) << value;
    EXPECT_EQ(in.length, 0u) << value;
  }
}

}  // namespace
