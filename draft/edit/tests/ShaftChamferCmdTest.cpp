#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ShaftChamferCmd.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"

namespace {

// Lines with their ends in a fixed order, sorted, so that drawings compare
// whatever the drawing order.
std::vector<Line> SortedLines(std::vector<Line> lines) {
  for (Line& l : lines)
    if (std::make_pair(l[0], l[1]) > std::make_pair(l[2], l[3])) l = {l[2], l[3], l[0], l[1]};
  std::sort(lines.begin(), lines.end());
  return lines;
}

class ShaftChamferTest : public ::testing::Test {
 protected:
  ShaftChamferTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    WriteProfileIntSetting("ChemferSetting", "DisplayAlways", 0);
    SetLengths("5", "5");
  }
  ~ShaftChamferTest() override { SetSettingsBacking(std::move(previous_)); }

  static void SetLengths(const char* onFace, const char* onContour) {
    WriteProfileStringSetting("ChemferSetting", "Var1", onFace);
    WriteProfileStringSetting("ChemferSetting", "Len2", onContour);
  }
  void Add(const std::vector<Line>& lines, int layer = 0) {
    for (const Line& l : lines) bench.view.AddEntityToView(ConstructLineEntity(layer, nullptr, l[0], l[1], l[2], l[3]));
  }
  std::vector<Line> Drawing() { return SortedLines(bench.Lines()); }

  CommandBench bench;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

// A vertical end face at x = 100 from y 20 to 180, crossed by four lines
// running right from it at y 60, 80, 120 and 140, and a line on another
// layer at y 170 (never found).
const std::vector<Line> kEndLines = {
    {100, 20, 100, 180}, {100, 60, 300, 60}, {100, 80, 300, 80}, {100, 120, 300, 120}, {100, 140, 300, 140}};

}  // namespace

TEST_F(ShaftChamferTest, OneClickOnTheEndFaceFindsTheContoursAndChamfers) {
  struct Case {
    int hole;
    std::vector<Line> expected;
  };
  const Case cases[] = {
      // A shaft takes the farthest crossing on each side, and its end face
      // shrinks to the chamfers.
      {0,
       {{100, 65, 100, 135}, {100, 65, 105, 60}, {100, 80, 300, 80}, {100, 120, 300, 120}, {100, 135, 105, 140},
        {105, 60, 105, 140}, {105, 60, 300, 60}, {105, 140, 300, 140}, {100, 170, 300, 170}}},
      // A hole takes the nearest ones; its click is mirrored beyond each
      // contour line, so the chamfers open outwards and the end face stays.
      {1,
       {{100, 20, 100, 180}, {100, 60, 300, 60}, {100, 75, 105, 80}, {100, 125, 105, 120}, {100, 140, 300, 140},
        {105, 80, 105, 120}, {105, 80, 300, 80}, {105, 120, 300, 120}, {100, 170, 300, 170}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hole ? "hole" : "shaft");
    CommandBench& b = bench;
    b.view.Undo();  // the previous case's chamfer
    if (b.view.GetEntityList()->IsEmpty()) {
      Add(kEndLines);
      Add({{100, 170, 300, 170}}, 1);
    }
    const std::vector<Line> before = Drawing();
    b.Push(new CShaftChamferCmd(c.hole ? 313 : 312, c.hole));
    EXPECT_EQ(b.stack.GetPrompt(), c.hole ? "选择孔的端面" : "选择轴的端面");
    b.Click(100, 100);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    ExpectLines(Drawing(), SortedLines(c.expected));
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    b.stack.AbortAll(&b.view);
    ASSERT_TRUE(b.view.Undo());
    ExpectLines(Drawing(), before);
    ASSERT_TRUE(b.view.Redo());
  }
}

TEST_F(ShaftChamferTest, WithoutContoursOnItsLayerTheUserPicksThem) {
  Add({{100, 60, 100, 140}});
  Add({{100, 60, 300, 60}, {100, 140, 300, 140}}, 2);
  bench.Push(new CShaftChamferCmd(312, 0));
  bench.Click(100, 100);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  EXPECT_EQ(bench.view.GetSelectionCount(), 1);  // the end face stays taken
  bench.Click(250, 60);
  bench.Click(100, 100);  // the end face again: taken already, the click drops its point
  bench.Click(250, 140);
  ASSERT_EQ(bench.view.GetUndoCount(), 1);
  ExpectLines(Drawing(), SortedLines({{100, 65, 100, 135}, {100, 65, 105, 60}, {100, 135, 105, 140},
                                      {105, 60, 105, 140}, {105, 60, 300, 60}, {105, 140, 300, 140}}));
}

TEST_F(ShaftChamferTest, AFailedChamferKeepsItsContourLine) {
  // The upper contour line is shorter than the chamfer along it.
  const std::vector<Line> shaft = {{100, 60, 100, 140}, {100, 60, 300, 60}, {100, 140, 103, 140}};
  Add(shaft);
  bench.Push(new CShaftChamferCmd(312, 0));
  bench.Click(100, 100);
  ASSERT_EQ(bench.view.GetUndoCount(), 1);
  ExpectLines(Drawing(), SortedLines({{100, 60, 100, 140}, {100, 65, 105, 60}, {105, 60, 300, 60},
                                      {100, 140, 103, 140}}));
  const CUndoRecord* record = bench.view.GetLastUndoRecord();
  EXPECT_EQ(record->GetOldEntities().size(), 1u);  // the lower contour line only
  ASSERT_TRUE(bench.view.Undo());
  ExpectLines(Drawing(), SortedLines(shaft));

  // Both failing change nothing and record nothing.
  SetLengths("5", "500");
  bench.Click(100, 100);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  ExpectLines(Drawing(), SortedLines(shaft));
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
}
