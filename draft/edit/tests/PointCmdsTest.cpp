#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draft/construct/LineCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/DividePointCmd.h"
#include "draft/edit/MoveOriginCmd.h"
#include "draft/edit/PointCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/InputNumberDlg.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace point_cmds_test {

constexpr const char* kBadCount = "输入等分数不正确！ (必须在2~100之间)\n请重新输入！";

class PointCmdsTest : public EditCmdFixture {
 protected:
  void ClickAt(double x, double y) {
    bench.Move(x, y);
    bench.Click(x, y);
  }
  // The points of the drawing, in drawing order.
  std::vector<GPoint> Points() {
    std::vector<GPoint> out;
    for (CEntity* e : *bench.view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (e->IsPoint() && e->GetGeometry(v) == 2) out.push_back({v[0], v[1]});
    }
    return out;
  }
  // Pushes the divide command, answering its count dialog with `counts` in
  // turn (OK after each; Cancel when they are used up).
  void StartDivide(std::vector<const char*> counts) {
    platform::ScopedModalDriver driver([&counts, this](platform::ModalSession& m) {
      shownCounts.push_back(m.Text(CInputNumberDlg::kNumberEdit));
      if (counts.empty()) {
        m.Click(IDCANCEL);
        return;
      }
      m.EnterText(CInputNumberDlg::kNumberEdit, CStringA(counts.front()));
      counts.erase(counts.begin());
      m.Click(IDOK);
    });
    bench.Push(new CDividePointCmd(254, &bench.view));
  }

  CommandBench bench;
  // The count each dialog showed when it opened.
  std::vector<CStringW> shownCounts;
};

TEST_F(PointCmdsTest, APointAtEachClickInTheSettingsStyle) {
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_POINTTYPE", 3);
  WriteProfileStringSetting("SYSVAR_NORMAL", "SET_POINTSIZE", "2.5");
  bench.Push(new CPointCmd(253, &bench.view));
  EXPECT_EQ(bench.stack.GetPrompt(), "输入点的位置");
  ClickAt(10, 20);
  ClickAt(30, 40);
  ASSERT_EQ(Points().size(), 2u);
  const auto* point = static_cast<const CPointEntity*>(bench.view.GetEntityList()->GetTail());
  EXPECT_EQ(point->GetPointType(), 3);
  EXPECT_EQ(point->GetPointSize(), 2.5);
  EXPECT_EQ(Points()[1].x, 30);
  EXPECT_EQ(bench.view.GetUndoCount(), 2);
  EXPECT_FALSE(bench.stack.IsEmpty());
}

// N = 2 puts one point at the middle of a line or the middle angle of an
// arc; an arc is divided from its start angle as it keeps it, also when its
// end angle is kept below the start. The ends never get points; one undo
// step takes a whole division.
TEST_F(PointCmdsTest, DivisionPointsOfLinesAndArcs) {
  struct Case {
    CEntity* entity;
    GPoint pick;
    const char* count;
    std::vector<GPoint> points;
  };
  const double h = std::sqrt(0.5) * 100;
  const Case cases[] = {
      {ConstructLineEntity(0, nullptr, 100, 100, 300, 200), {200, 150}, "2", {{200, 150}}},
      {ConstructLineEntity(0, nullptr, 100, 100, 400, 100), {250, 100}, "3", {{200, 100}, {300, 100}}},
      {ConstructArcEntity(0, nullptr, 300, 300, 100, 0, 90), {400, 300}, "2", {{300 + h, 300 + h}}},
      {ConstructArcEntity(0, nullptr, 300, 300, 100, 270, 90), {400, 300}, "2", {{400, 300}}},
      {ConstructArcEntity(0, nullptr, 300, 300, 100, 90, 450), {300, 400}, "4", {{200, 300}, {300, 200}, {400, 300}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pick.x + c.pick.y);
    bench.stack.AbortAll(&bench.view);
    while (bench.view.Undo()) {
    }
    bench.view.AddEntityToView(c.entity);
    StartDivide({c.count});
    ClickAt(c.pick.x, c.pick.y);
    const std::vector<GPoint> points = Points();
    ASSERT_EQ(points.size(), c.points.size());
    for (size_t i = 0; i < points.size(); ++i) {
      EXPECT_NEAR(points[i].x, c.points[i].x, 1e-9) << i;
      EXPECT_NEAR(points[i].y, c.points[i].y, 1e-9) << i;
    }
    ASSERT_TRUE(bench.view.Undo());
    EXPECT_TRUE(Points().empty());
    bench.view.DiscardEntity(c.entity);
  }
}

// A count outside 2..100 is refused with a message and asked again, and
// only an accepted count is stored and shown first the next time; Cancel
// ends the command unstored.
TEST_F(PointCmdsTest, ACountOutsideTheRangeIsAskedAgainAndNotStored) {
  StartDivide({"1", "101", "5"});
  EXPECT_EQ(bench.boxes, (std::vector<CStringA>{kBadCount, kBadCount}));
  EXPECT_EQ(GetProfileIntSetting("SystemSetting", "Point Divide Number", 0), 5);
  EXPECT_EQ(bench.stack.GetPrompt(), "选择等分图元");
  bench.stack.AbortAll(&bench.view);

  StartDivide({"0"});
  EXPECT_TRUE(bench.stack.IsEmpty());
  EXPECT_EQ(shownCounts, (std::vector<CStringW>{u"3", u"3", u"3", u"5", u"5"}));
  EXPECT_EQ(GetProfileIntSetting("SystemSetting", "Point Divide Number", 0), 5);
}

// A segment of a compound curve ends the pass without a word; a circle, or
// nothing, cannot be divided.
TEST_F(PointCmdsTest, WhatCannotBeDividedMakesNoPoints) {
  CCurveEntity* curve = ConstructCurveEntity(0, nullptr, 0);
  curve->AddCurveSegment(100, 100, 200, 100, 1);
  curve->AddCurveSegment(200, 100, 200, 200, 1);
  bench.view.AddEntityToView(curve);
  bench.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 500, 300, 40));
  StartDivide({"2"});
  ClickAt(150, 100);
  EXPECT_TRUE(bench.boxes.empty());
  ClickAt(540, 300);
  ClickAt(700, 500);
  EXPECT_EQ(bench.boxes, (std::vector<CStringA>{"此图元不能等分!", "此图元不能等分!"}));
  EXPECT_TRUE(Points().empty());
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
}

// The origin command runs over a line begun: each click moves the origin,
// from which the readout measures; the view's mark state is as it was, and
// the right button returns to the line, which still has its first point.
TEST_F(PointCmdsTest, TheOriginMovesAndTheReadoutMeasuresFromIt) {
  bench.view.GetGroupTable()->SetActiveGroup(bench.view.GetGroupTable()->AddGroup("detail", 1.0));
  bench.Push(new CLineCmd(1, &bench.view));
  ClickAt(100, 100);
  bench.view.SetMarkState(3);
  bench.Push(new CMoveOriginCmd(255, &bench.view));
  EXPECT_EQ(bench.stack.GetPrompt(), "输入新的坐标原点位置");
  ClickAt(50, 60);
  ClickAt(50, 60);
  EXPECT_EQ(bench.view.GetOriginX(), 50);
  EXPECT_EQ(bench.view.GetOriginY(), 60);
  EXPECT_EQ(bench.view.GetMarkState(), 3);
  bench.Move(80, 100);
  EXPECT_EQ(bench.stack.GetStatusText(), CString("x: 30.000   y: 40.000"));
  bench.stack.OnRButton(0, CommandBench::At(80, 100), &bench.view);
  ClickAt(200, 100);
  ExpectLines(bench.Lines(), {{100, 100, 200, 100}});
}

}  // namespace point_cmds_test
