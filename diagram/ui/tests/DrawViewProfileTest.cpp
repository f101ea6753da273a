// The "DrawView" profile options: the host's defaults, a bad pick tolerance
// reported and clamped, the grid colour kept one byte a key, and writing
// back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/Profile.h"

namespace {

using doctest::ScriptedMsgBox;
using diagramtest::ScratchFolder;

class DrawViewProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = platform::ProfilePath();
    platform::SetProfilePath(folder_.File("app.ini"));
  }
  void TearDown() override { platform::SetProfilePath(saved_); }
  void WriteIni(const std::string& entries) {
    const std::string text = "[DrawView]\n" + entries;
    doctest::WriteFileBytes(folder_.File("app.ini"), std::vector<BYTE>(text.begin(), text.end()));
  }

  viewtest::SavedViewOptions options_;
  ScratchFolder folder_;
  std::filesystem::path saved_;
};

TEST_F(DrawViewProfile, AnEmptyProfileGivesTheDefaults) {
  WriteIni("");
  ScriptedMsgBox messages;
  CDrawView::GetProfile(150, TRUE, 6);
  EXPECT_TRUE(messages.notified.empty());
  EXPECT_EQ(CDrawView::c_uNewViewScalePercent, 150u);
  EXPECT_TRUE(CDrawView::c_bOpenDiagramWhenNesting);
  EXPECT_EQ(CDrawView::c_nSelectionProximity, 6);
  EXPECT_TRUE(CDrawView::c_bShowGrid);
  EXPECT_EQ(CDrawView::c_crGridColor, RGB(0, 0, 128));
}

TEST_F(DrawViewProfile, ABadPickToleranceIsReportedAndClamped) {
  struct Case {
    const char* entry;
    int expected;
    bool reported;
  };
  for (const Case& c : {Case{"SelectionProximity=11\n", 10, true}, Case{"SelectionProximity=-1\n", 0, true},
                        Case{"SelectionProximity=10\n", 10, false}, Case{"SelectionProximity=0\n", 0, false}}) {
    WriteIni(c.entry);
    ScriptedMsgBox messages;
    CDrawView::GetProfile(100, FALSE, 4);
    EXPECT_EQ(CDrawView::c_nSelectionProximity, c.expected) << c.entry;
    EXPECT_EQ(messages.notified, c.reported ? std::vector<ULONG>{29} : std::vector<ULONG>{}) << c.entry;
  }
}

TEST_F(DrawViewProfile, TheGridColourKeepsOneByteAKeyAndIsWrittenBack) {
  WriteIni("GridColorRed=511\nGridColorGreen=16\nGridColorBlue=258\nShowGrid=0\n");
  CDrawView::GetProfile(100, FALSE, 4);
  EXPECT_EQ(CDrawView::c_crGridColor, RGB(255, 16, 2));
  EXPECT_FALSE(CDrawView::c_bShowGrid);
  CDrawView::c_uNewViewScalePercent = 0;
  CDrawView::WriteProfile();
  CDrawView::c_crGridColor = 0;
  CDrawView::GetProfile(100, FALSE, 4);
  EXPECT_EQ(CDrawView::c_crGridColor, RGB(255, 16, 2));
  EXPECT_EQ(CDrawView::c_uNewViewScalePercent, 0u);
}

}  // namespace
