// The distance-measuring command: the report of each pair of objects, the
// group scale, TAB between entities and points, and clicks that take
// nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/regions/MeasureDistCmd.h"
#include "draft/regions/tests/ResultListAnswers.h"

namespace {
using drafttest::ResultRows;

std::string DistGbk(const char* text) { return text; }  // this source's texts are GBK, as the command's

// Two point entities 50 apart (30 across, 40 up), two parallel lines 20
// apart, a line crossing the first at 60 degrees and one at 120 degrees,
// two circles whose centres are 100 apart (60 across, 80 up).
class DistBench : public CommandBench, public drafttest::ResultListAnswers {
 public:
  DistBench() {
    Add(ConstructPointEntity(0, nullptr, 100, 100, 1, 2));
    Add(ConstructPointEntity(0, nullptr, 130, 140, 1, 2));
    Add(ConstructLineEntity(0, nullptr, 200, 100, 300, 100));
    Add(ConstructLineEntity(0, nullptr, 200, 120, 300, 120));
    Add(ConstructLineEntity(0, nullptr, 240, 100 - 17.320508075688775, 260, 100 + 17.320508075688775));
    Add(ConstructLineEntity(0, nullptr, 290, 100 - 17.320508075688775, 270, 100 + 17.320508075688775));
    Add(ConstructCircleEntity(0, nullptr, 100, 300, 20));
    Add(ConstructCircleEntity(0, nullptr, 160, 380, 5));
  }
  void Add(CEntity* e) { view.AddEntityToView(e); }
  CMeasureDistCmd* Start() { return Push(new CMeasureDistCmd(61)); }
  void ClickAt(double x, double y) {
    Move(x, y);
    Click(x, y);
  }
  void Tab() { stack.OnChar(view.GetCursorPos(), 9, 1, 0, &view); }
  void Right() { stack.OnRButton(0, view.GetCursorPos(), &view); }
  std::string Prompt() { return CStringA(stack.GetPrompt()).GetString(); }
};

// A click on an object, or TAB (a point at 0, 0 stands for it).
struct Action {
  double x, y;
  bool tab = false;
};
const Action kTab{0, 0, true};
}  // namespace

TEST(MeasureDistCmdTest, ReportsEachPairOfObjects) {
  struct Case {
    const char* name;
    std::vector<Action> actions;
    int code;
    ResultRows rows;  // without the group scale's row
  };
  const Case cases[] = {
      {"two point entities", {{100, 100}, {130, 140}}, 11,
       {{DistGbk("两点距离    = "), "50.00"}, {DistGbk("两点X坐标差 = "), "30.00"}, {DistGbk("两点Y坐标差 = "), "40.00"}}},
      {"two typed points", {kTab, {100, 200}, {70, 160}}, 44,
       {{DistGbk("两点距离    = "), "50.00"}, {DistGbk("两点X坐标差 = "), "30.00"}, {DistGbk("两点Y坐标差 = "), "40.00"}}},
      {"a point entity and a typed point", {{130, 140}, kTab, {100, 100}}, 14,
       {{DistGbk("两点距离    = "), "50.00"}, {DistGbk("两点X坐标差 = "), "30.00"}, {DistGbk("两点Y坐标差 = "), "40.00"}}},
      {"a typed point and a circle", {kTab, {40, 260}, kTab, {120, 300}}, 43,
       {{DistGbk("点到圆心距离      = "), "72.11"},
        {DistGbk("点与圆心X坐标差 = "), "60.00"},
        {DistGbk("点与圆心Y坐标差 = "), "40.00"}}},
      {"a circle and a point entity", {{165, 380}, {100, 100}}, 31,
       {{DistGbk("点到圆心距离      = "), "286.36"},
        {DistGbk("点与圆心X坐标差 = "), "60.00"},
        {DistGbk("点与圆心Y坐标差 = "), "280.00"}}},
      {"two circles", {{120, 300}, {165, 380}}, 33,
       {{DistGbk("两园园心距离  = "), "100.00"}, {DistGbk("两园心X坐标差 = "), "60.00"}, {DistGbk("两园心Y坐标差 = "), "80.00"}}},
      {"a point entity and a line", {{100, 100}, {210, 120}}, 12, {{DistGbk("点到直线距离= "), "20.00"}}},
      {"a typed point and a line", {kTab, {100, 90}, kTab, {210, 120}}, 42, {{DistGbk("点到直线距离= "), "30.00"}}},
      {"a circle and a line", {{120, 300}, {210, 100}}, 32, {{DistGbk("园心到直线距离= "), "200.00"}}},
      {"a line and a point entity", {{210, 120}, {100, 100}}, 21, {{DistGbk("点到直线距离= "), "20.00"}}},
      {"a line and a typed point", {{210, 120}, kTab, {100, 90}}, 24, {{DistGbk("点到直线距离= "), "30.00"}}},
      {"a line and a circle", {{210, 100}, {120, 300}}, 23, {{DistGbk("园心到直线距离= "), "200.00"}}},
      {"two parallel lines", {{210, 100}, {210, 120}}, 221, {{DistGbk("两直线距离= "), "20.00"}}},
      // One click on the crossing takes both lines.
      {"two lines crossing at 60 degrees, one click", {{250, 100}}, 222,
       {{DistGbk("两直线夹角  (度)   = "), "60.00"}, {DistGbk("两直线夹角(弧度)   = "), "1.05"}}},
      {"two lines at 120 degrees give the angle below 90", {{210, 100}, {285, 100 - 8.660254037844386}}, 222,
       {{DistGbk("两直线夹角  (度)   = "), "60.00"}, {DistGbk("两直线夹角(弧度)   = "), "1.05"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DistBench b;
    CMeasureDistCmd* cmd = b.Start();
    for (const Action& a : c.actions) {
      if (a.tab)
        b.Tab();
      else
        b.ClickAt(a.x, a.y);
    }
    ASSERT_EQ(b.reports.size(), 1u);
    EXPECT_EQ(b.captions[0], DistGbk("测量结果"));
    EXPECT_EQ(cmd->GetCaseCode(), c.code);
    ResultRows rows = c.rows;
    rows.push_back({DistGbk("图组比例="), "1.00"});
    EXPECT_EQ(b.reports[0], rows);
    // Back to the first object, nothing selected, still running.
    EXPECT_EQ(cmd->GetStep(), 0);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    EXPECT_FALSE(b.stack.IsEmpty());
  }
}

// Distances are divided by the group's scale: the entities' group, else
// the current group for two typed points; the angle is not.
TEST(MeasureDistCmdTest, DistancesAreInTheGroupsUnits) {
  struct Case {
    const char* name;
    std::function<void(DistBench&, CDrawingGroup*)> build;
    std::vector<Action> actions;
    ResultRows rows;
  };
  const Case cases[] = {
      {"two point entities of the group, 10 apart as shown",
       [](DistBench& b, CDrawingGroup* g) {
         b.Add(ConstructPointEntity(0, g, 500, 500, 1, 2));
         b.Add(ConstructPointEntity(0, g, 506, 508, 1, 2));
       },
       {{500, 500}, {506, 508}},
       {{DistGbk("两点距离    = "), "5.00"}, {DistGbk("两点X坐标差 = "), "3.00"}, {DistGbk("两点Y坐标差 = "), "4.00"}}},
      {"two typed points in the current group",
       [](DistBench& b, CDrawingGroup* g) { b.view.GetGroupTable()->SetActiveGroup(g); },
       {kTab, {500, 500}, {506, 508}},
       {{DistGbk("两点距离    = "), "5.00"}, {DistGbk("两点X坐标差 = "), "3.00"}, {DistGbk("两点Y坐标差 = "), "4.00"}}},
      {"a typed point and a line of the group",
       [](DistBench& b, CDrawingGroup* g) { b.Add(ConstructLineEntity(0, g, 500, 500, 600, 500)); },
       {kTab, {550, 540}, kTab, {520, 500}},
       {{DistGbk("点到直线距离= "), "20.00"}}},
      {"two crossing lines of the group",
       [](DistBench& b, CDrawingGroup* g) {
         b.Add(ConstructLineEntity(0, g, 500, 500, 600, 500));
         b.Add(ConstructLineEntity(0, g, 550, 450, 550, 550));
       },
       {{550, 500}},
       {{DistGbk("两直线夹角  (度)   = "), "90.00"}, {DistGbk("两直线夹角(弧度)   = "), "1.57"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DistBench b;
    CDrawingGroup* g = b.view.GetGroupTable()->AddGroup("detail", 2.0, 0, 0);
    c.build(b, g);
    CMeasureDistCmd* cmd = b.Start();
    for (const Action& a : c.actions) {
      if (a.tab)
        b.Tab();
      else
        b.ClickAt(a.x, a.y);
    }
    ASSERT_EQ(b.reports.size(), 1u);
    ResultRows rows = c.rows;
    rows.push_back({DistGbk("图组比例="), "2.00"});
    EXPECT_EQ(b.reports[0], rows);
    EXPECT_EQ(cmd->GetGroupScaleUsed(), 2.0);
  }
}

// TAB switches between picking and taking points at any step; both
// prompts follow the mode, also after a report.
TEST(MeasureDistCmdTest, TabSwitchesBetweenEntitiesAndPoints) {
  DistBench b;
  CMeasureDistCmd* cmd = b.Start();
  EXPECT_EQ(cmd->IsPickMode(), 1);
  EXPECT_EQ(b.Prompt(), DistGbk("选择第一个图元(TAB：输入点)"));
  b.Tab();
  EXPECT_EQ(cmd->IsPointMode(), 1);
  EXPECT_EQ(cmd->IsPickMode(), 0);
  EXPECT_EQ(b.Prompt(), DistGbk("输入第一点(TAB：选择图元)"));
  b.ClickAt(40, 40);
  EXPECT_EQ(b.Prompt(), DistGbk("输入第二点(TAB：选择图元)"));
  b.Tab();
  EXPECT_EQ(b.Prompt(), DistGbk("选择第二个图元(TAB：输入点)"));
  b.ClickAt(100, 100);
  ASSERT_EQ(b.reports.size(), 1u);
  EXPECT_EQ(cmd->GetCaseCode(), 41);
  // Still in entity mode after the report, and the prompt says so.
  EXPECT_EQ(b.Prompt(), DistGbk("选择第一个图元(TAB：输入点)"));
  b.Tab();
  b.ClickAt(40, 40);
  b.Tab();
  b.Tab();
  EXPECT_EQ(b.Prompt(), DistGbk("输入第二点(TAB：选择图元)"));
  b.ClickAt(70, 80);
  ASSERT_EQ(b.reports.size(), 2u);
  EXPECT_EQ(cmd->GetCaseCode(), 44);
  EXPECT_EQ(b.Prompt(), DistGbk("输入第一点(TAB：选择图元)"));
}

// A click that takes no object leaves the command asking for the same
// object; digits after the first object take no point and open no dialog;
// the right button drops the first object, and with none ends the command.
TEST(MeasureDistCmdTest, ClicksKeysAndTheRightButtonThatTakeNothing) {
  DistBench b;
  CMeasureDistCmd* cmd = b.Start();
  b.ClickAt(600, 500);  // nothing there
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.Prompt(), DistGbk("选择第一个图元(TAB：输入点)"));
  b.ClickAt(100, 100);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(b.view.GetSelectionCount(), 1);  // the object taken is shown selected
  EXPECT_EQ(b.Prompt(), DistGbk("选择第二个图元(TAB：输入点)"));
  b.ClickAt(100, 100);  // the first object again: not the second
  b.ClickAt(600, 500);
  EXPECT_EQ(cmd->GetStep(), 1);
  b.Char('5', 600, 500);  // no dialog: the driver would take it for a result list
  b.Char('-', 600, 500);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_TRUE(b.reports.empty());
  b.Right();
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_FALSE(b.stack.IsEmpty());
  b.ClickAt(100, 100);
  b.ClickAt(130, 140);
  ASSERT_EQ(b.reports.size(), 1u);
  EXPECT_EQ(cmd->GetCaseCode(), 11);  // the dropped object is gone
  b.Right();
  EXPECT_TRUE(b.stack.IsEmpty());
}
