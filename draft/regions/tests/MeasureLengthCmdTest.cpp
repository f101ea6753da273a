// The length-measuring command: picks by click and window, the owner of a
// picked member counted once, the report and its restarts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/regions/MeasureLengthCmd.h"
#include "draft/regions/tests/ResultListAnswers.h"

namespace {
using drafttest::ResultRows;

std::string LengthGbk(const char* text) { return text; }  // this source's texts are GBK, as the command's

// A drawing of a line of length 30, a circle of radius 10, a compound curve
// of two segments (5 and 6 long), a quarter arc of radius 10 and a line 20
// long shown in a group of scale 2.
class LengthBench : public CommandBench, public drafttest::ResultListAnswers {
 public:
  LengthBench() {
    line = Add(ConstructLineEntity(0, nullptr, 0, 100, 30, 100));
    circle = Add(ConstructCircleEntity(0, nullptr, 200, 200, 10));
    CCurveEntity* c = ConstructCurveEntity(0, nullptr, 0);
    c->AddCurveSegment(300, 100, 303, 104, 1);
    c->AddCurveSegment(303, 104, 303, 110, 1);
    curve = Add(c);
    Add(ConstructArcEntity(0, nullptr, 100, 300, 10, 0, 90));
    CDrawingGroup* detail = view.GetGroupTable()->AddGroup("detail", 2.0, 400, 400);
    Add(ConstructLineEntity(0, detail, 400, 400, 420, 400));
  }
  CEntity* Add(CEntity* e) {
    view.AddEntityToView(e);
    return e;
  }
  CMeasureLengthCmd* Start() { return Push(new CMeasureLengthCmd(60, &view)); }
  void ClickAt(double x, double y) {
    Move(x, y);
    Click(x, y);
  }
  void Right() { stack.OnRButton(0, view.GetCursorPos(), &view); }
  std::string Prompt() { return CStringA(stack.GetPrompt()).GetString(); }

  CEntity* line;
  CEntity* circle;
  CEntity* curve;
};

ResultRows Perimeter(const char* total) { return {{LengthGbk("周长"), total}}; }
}  // namespace

// Picks, then the right button: one row with the total, under "总周长".
TEST(MeasureLengthCmdTest, SumsThePickedLengths) {
  struct Case {
    const char* name;
    std::vector<GPoint> clicks;
    const char* total;
  };
  const Case cases[] = {
      {"a line", {{15, 100}}, "30.00"},
      {"a line, a circle and an arc", {{15, 100}, {210, 200}, {110, 300}}, "108.54"},
      {"a line picked twice (the second click on it finds nothing and starts a window)",
       {{15, 100}, {15, 100}, {31, 101}}, "30.00"},
      {"a member of the compound curve stands for the curve", {{301.5, 102}}, "11.00"},
      {"a window round both members counts the curve once", {{295, 95}, {310, 115}}, "11.00"},
      {"a member, then a window round the curve", {{303, 107}, {295, 95}, {310, 115}}, "11.00"},
      // Drawn from right to left, the window also takes what it crosses:
      // the line and the curve's members, the curve once.
      {"a crossing window", {{305, 115}, {20, 95}}, "41.00"},
      {"a line shown at scale 2 measures as drawn in its group", {{410, 400}}, "10.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LengthBench b;
    b.Start();
    for (const GPoint& p : c.clicks) b.ClickAt(p.x, p.y);
    EXPECT_EQ(b.stack.GetCurrent()->GetStep(), 0);
    b.Right();
    ASSERT_EQ(b.reports.size(), 1u);
    EXPECT_EQ(b.captions[0], LengthGbk("总周长"));
    EXPECT_EQ(b.reports[0], Perimeter(c.total));
    EXPECT_EQ(b.view.GetSelectionCount(), 0);  // the report starts over
    EXPECT_FALSE(b.stack.IsEmpty());
    b.Right();  // nothing picked: the command ends without a report
    EXPECT_TRUE(b.stack.IsEmpty());
    EXPECT_EQ(b.reports.size(), 1u);
  }
}

TEST(MeasureLengthCmdTest, ASelectionMadeBeforeIsReportedAtOnceAndAgainOnTheRightButton) {
  LengthBench b;
  b.view.SelectEntity(b.line);
  b.view.SelectEntity(b.circle);
  CMeasureLengthCmd* cmd = b.Start();
  ASSERT_EQ(b.reports.size(), 1u);
  EXPECT_EQ(b.reports[0], Perimeter("92.83"));
  EXPECT_EQ(b.view.GetSelectionCount(), 2);
  b.Right();
  ASSERT_EQ(b.reports.size(), 2u);
  EXPECT_EQ(b.reports[1], Perimeter("92.83"));
  EXPECT_EQ(cmd->GetTotal(), 0.0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
}

// A click on nothing holds a window's first corner; the window catches
// nothing, so the corner goes and picking starts over.
TEST(MeasureLengthCmdTest, AWindowThatCatchesNothingStartsOver) {
  LengthBench b;
  CMeasureLengthCmd* cmd = b.Start();
  EXPECT_EQ(b.Prompt(), LengthGbk("选择需要测量的图元(右键结束选择并计算出长度)"));
  b.ClickAt(500, 500);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(b.Prompt(), LengthGbk("确定第二角点(右键终止此次选择并计算出长度)"));
  // The rubber window, dotted once the cursor is left of the corner.
  for (const auto& [x, pen] : {std::pair{520.0, 0}, std::pair{480.0, 1}}) {
    b.view.ClearDrawLog();
    b.Move(x, 520);
    std::vector<std::vector<double>> lines;
    for (const ViewDrawOp& op : b.view.GetDrawLog()) {
      if (op.kind != ViewDrawKind::kLine) continue;
      lines.push_back(op.values);
      EXPECT_EQ(op.flag, pen);
    }
    EXPECT_EQ(lines, (std::vector<std::vector<double>>{
                         {500, 500, x, 500}, {x, 500, x, 520}, {x, 520, 500, 520}, {500, 520, 500, 500}}));
  }
  b.ClickAt(520, 520);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  // The next click picks again: a single pick, not a window's corner.
  b.ClickAt(15, 100);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 1);
  b.Right();
  EXPECT_EQ(b.reports[0], Perimeter("30.00"));
}

// A right button while a window's corner is held reports what is picked
// and drops the corner.
TEST(MeasureLengthCmdTest, TheRightButtonWithACornerHeldReportsAndDropsIt) {
  LengthBench b;
  CMeasureLengthCmd* cmd = b.Start();
  b.ClickAt(15, 100);
  b.ClickAt(500, 500);
  ASSERT_EQ(cmd->GetStep(), 1);
  b.Right();
  ASSERT_EQ(b.reports.size(), 1u);
  EXPECT_EQ(b.reports[0], Perimeter("30.00"));
  EXPECT_EQ(cmd->GetStep(), 0);
  b.ClickAt(15, 100);  // a single pick again
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 1);
}
