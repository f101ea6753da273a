// Reading a bill of materials drawn as lines and texts back into rows, and
// the parts-list data file written from them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/host/TextEntity.h"
#include "draft/tables/PickDetailRegionCmd.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFiles.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/testsupport/ScratchFolder.h"
#include "platform/ui/CommDlg.h"
#include "platform/ui/ModalDriver.h"

using drafttest::DevicePoint;

namespace {

using PickRows = std::vector<std::vector<std::string>>;

class PickDetailRegionTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override {
    previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>());
    view.SetSnapModes(0);
    // A grid of three columns (x 0, 20, 50, 80) and three rows (y 0, 10, 20, 30).
    for (double y : {0.0, 10.0, 20.0, 30.0}) Line(0, y, 80, y);
    for (double x : {0.0, 20.0, 50.0, 80.0}) Line(x, 0, x, 30);
    const char* cells[3][3] = {{"1", "轴", "2"}, {"2", "盖", "1"}, {"序号", "名称", "数量"}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) TextCentredAt(cells[r][c], kColumnMiddles[c], r * 10.0 + 5.0);
  }
  void TearDown() override {
    stack.EndAll(&view);
    SetSettingsBacking(std::move(previous_));
  }

  void Line(double x1, double y1, double x2, double y2) {
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x2, y2));
  }
  // A text whose box centre is at (x, y).
  void TextCentredAt(const char* text, double x, double y) {
    CTextAttrib attr;
    ConstructTextAttribDefault(attr, 2.0, 0, 0);
    CTextEntity* t = ConstructTextEntity(0, nullptr, text, 0, 0, attr);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(t->GetExtents(x0, y0, x1, y1));
    t->TranslateCopy(x - (x0 + x1) / 2, y - (y0 + y1) / 2, 0);
    view.AddEntityToView(t);
  }
  CPickDetailRegionCmd* Start() {
    auto* cmd = new CPickDetailRegionCmd(272);
    stack.Push(&view, cmd);
    return stack.GetCurrent() == cmd ? cmd : nullptr;
  }
  void Pick(double x1, double y1, double x2, double y2) {
    stack.OnLButton(0, DevicePoint(x1, y1), &view);
    stack.OnLButton(0, DevicePoint(x2, y2), &view);
  }
  static PickRows RowsOf(const CPickDetailRegionCmd& cmd) {
    PickRows out;
    for (const auto& row : cmd.GetRows()) {
      out.emplace_back();
      for (const CStringA& c : row) out.back().push_back(c.GetString());
    }
    return out;
  }

  static constexpr double kColumnMiddles[3] = {10.0, 35.0, 65.0};
  testsupport::ScratchFolder folder_;
  std::unique_ptr<CSettingsBacking> previous_;
  CDraftView view;
  CCmdStack stack;
};

}  // namespace

TEST_F(PickDetailRegionTest, APickReadsTheRowsOfItsBoxFromTheLowestUp) {
  CPickDetailRegionCmd* cmd = Start();
  ASSERT_NE(cmd, nullptr);
  Pick(5, 15, 70, 16);  // inside the middle band: its box is that band
  EXPECT_EQ(RowsOf(*cmd), (PickRows{{"2", "盖", "1"}}));
  // The prompt's U does nothing: the pick stays.
  stack.OnChar(DevicePoint(60, 60), 'U', 1, 0, &view);
  EXPECT_EQ(cmd->GetRows().size(), 1u);
  EXPECT_EQ(stack.GetCurrent(), cmd);
  Pick(75, 25, 5, 3);  // from the top band to the lowest: the box is the three bands
  // The middle band's texts were used by the first pick, so its row is empty and left out.
  EXPECT_EQ(RowsOf(*cmd), (PickRows{{"2", "盖", "1"}, {"1", "轴", "2"}, {"序号", "名称", "数量"}}));
}

TEST_F(PickDetailRegionTest, TwoTextsInACellAndATextOnALine) {
  TextCentredAt("另", 35, 4);      // a second text in the cell of "轴"
  TextCentredAt("线", 35, 10);     // on the line between the two lower rows
  CPickDetailRegionCmd* cmd = Start();
  ASSERT_NE(cmd, nullptr);
  Pick(5, 2, 70, 8);
  Pick(5, 2, 70, 8);  // the same cell again: the text left over
  EXPECT_EQ(RowsOf(*cmd), (PickRows{{"1", "轴", "2"}, {"", "另", ""}}));
  Pick(5, 2, 70, 8);  // nothing left: no row
  Pick(5, 35, 70, 38);  // no horizontal line above: no row
  EXPECT_EQ(cmd->GetRows().size(), 2u);
}

TEST_F(PickDetailRegionTest, TheRightButtonWritesARowsFileOrNothing) {
  const std::string def = folder_.path() + "/bom.def";
  std::ofstream(def, std::ios::binary) << kStructureMagic99 << "\r\n序号;1;8;2\r\n\r\n名称;0;0;2\r\n 数量;1;10;2 \r\n";
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", def.c_str());
  const std::string lst = folder_.path() + "/bom.lst";
  int dialogs = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    ++dialogs;
    EXPECT_TRUE(s.EnterText(edt1, CStringA(lst.c_str())));
    EXPECT_TRUE(s.Click(IDOK));
  });
  ASSERT_NE(Start(), nullptr);
  stack.OnRButton(0, DevicePoint(500, 500), &view);
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_EQ(dialogs, 0);
  EXPECT_FALSE(IsFileExist(lst.c_str()));

  TextCentredAt("a;b", 35, 4);  // a second text in the cell of "轴"
  ASSERT_NE(Start(), nullptr);
  Pick(5, 2, 70, 28);
  Pick(5, 2, 70, 8);
  stack.OnRButton(0, DevicePoint(500, 500), &view);
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_EQ(dialogs, 1);
  CStringArray rows;
  CFieldArray fields;
  ASSERT_EQ(ReadPartsListFile(lst.c_str(), rows, fields), TableFileRead::kRead);
  ASSERT_EQ(fields.GetSize(), 3);
  EXPECT_EQ(fields[2].GetName(), CStringA("数量"));
  ASSERT_EQ(rows.GetSize(), 4);
  EXPECT_EQ(rows[0], CStringA("1;轴;2"));
  EXPECT_EQ(rows[2], CStringA("序号;名称;数量"));
  CStringArray cells;
  SplitRowText(rows[3], cells);
  ASSERT_EQ(cells.GetSize(), 3);
  EXPECT_EQ(cells[0], CStringA(" "));
  EXPECT_EQ(cells[1], CStringA("a;b"));
}

TEST_F(PickDetailRegionTest, FieldLinesTakeFifteenForAWidthNotGiven) {
  CFieldArray fields;
  EXPECT_TRUE(CPickDetailRegionCmd::ParseFieldLine(fields, "名称;9;0;7"));
  ASSERT_EQ(fields.GetSize(), 1);
  EXPECT_EQ(fields[0].type, 0);
  EXPECT_DOUBLE_EQ(fields[0].width, 15.0);
  EXPECT_EQ(fields[0].alignment, 2);
}
