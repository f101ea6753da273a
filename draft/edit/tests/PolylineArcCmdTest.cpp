#include <gtest/gtest.h>

#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/PolylineArcCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/Settings.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/ui/ModalDriver.h"

namespace polyline_arc_test {

using drafttest::Geometry;
using drafttest::Items;

class PolylineArcTest : public EditCmdFixture {
 protected:
  CPolylineArcCmd* Start() { return bench.Push(new CPolylineArcCmd(252, &bench.view)); }
  void ClickAt(double x, double y) {
    bench.Move(x, y);
    bench.Click(x, y);
  }
  void Tab() { bench.Char(9, 300, 300); }
  // A fresh polyline's first segment: the line (100, 100)-(200, 100).
  CPolylineArcCmd* StartAfterLine() {
    CPolylineArcCmd* cmd = Start();
    ClickAt(100, 100);
    ClickAt(200, 100);
    return cmd;
  }
  std::vector<CEntity*> Entities() { return Items(*bench.view.GetEntityList()); }
  void ExpectLast(const std::vector<double>& expected) {
    ASSERT_FALSE(bench.view.GetEntityList()->IsEmpty());
    const std::vector<double> actual = Geometry(bench.view.GetEntityList()->GetTail());
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "value " << i;
  }

  CommandBench bench;
};

// Tangent arcs after the line (100, 100)-(200, 100), ending at the click:
// above and below the line, and a half circle straight above its end.
TEST_F(PolylineArcTest, ATangentArcAfterALineEndsAtTheClick) {
  struct Case {
    GPoint click;
    std::vector<double> arc;
  };
  const Case cases[] = {{{210, 110}, {200, 110, 10, 270, 360}},
                        {{210, 90}, {200, 90, 10, 0, 90}},
                        {{200, 120}, {200, 110, 10, 270, 450}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click.y);
    bench.stack.AbortAll(&bench.view);
    StartAfterLine();
    EXPECT_EQ(bench.stack.GetPrompt(), "输入直线的第二点(Tab键切换为画圆弧,shifit键切换为切点位置)");
    Tab();
    EXPECT_EQ(bench.stack.GetPrompt(), "输入圆弧的第二点(Tab键切换为画直线,shifit键切换为切点位置)");
    ClickAt(c.click.x, c.click.y);
    ExpectLast(c.arc);
  }
}

// Only a clicked tangent arc sets the remembered radius, which is written
// back when the command goes.
TEST_F(PolylineArcTest, OnlyAClickedTangentArcSetsTheRememberedRadius) {
  WriteProfileStringSetting("PolyLine", "PLINEARCRR", "7.5");
  CPolylineArcCmd* cmd = StartAfterLine();
  EXPECT_EQ(cmd->GetArcRadius(), 7.5);
  Tab();
  bench.Move(200, 140);  // previews a radius of 20
  EXPECT_EQ(cmd->GetArcRadius(), 7.5);
  ClickAt(210, 110);
  EXPECT_EQ(cmd->GetArcRadius(), 10.0);
  bench.stack.AbortAll(&bench.view);
  EXPECT_EQ(GetProfileStringSetting("PolyLine", "PLINEARCRR", ""), "10.000000");
}

// After the arc (200, 110, 10, 270, 360), which ends at (210, 110): a line
// along its tangent there to the foot of the click, or with Ctrl straight to
// the click; a click on the arc's radius line there adds nothing.
TEST_F(PolylineArcTest, ALineAfterAnArcFollowsItsTangentUnlessCtrlSwitchesItOff) {
  struct Case {
    int ctrl;
    GPoint click;
    std::vector<double> line;
  };
  const Case cases[] = {{0, {230, 130}, {210, 110, 210, 130}},
                        {1, {230, 130}, {210, 110, 230, 130}},
                        {0, {240, 110}, {200, 110, 10, 270, 360}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ctrl);
    bench.stack.AbortAll(&bench.view);
    CPolylineArcCmd* cmd = StartAfterLine();
    Tab();
    ClickAt(210, 110);
    Tab();
    if (c.ctrl) bench.Key(17);
    EXPECT_EQ(cmd->GetTangentSwitch(), c.ctrl ? 0 : 1);
    ClickAt(c.click.x, c.click.y);
    ExpectLast(c.line);
  }
}

// A radius typed with R makes the next arc only: the one after goes
// through its click again.
TEST_F(PolylineArcTest, ATypedRadiusIsUsedOnce) {
  StartAfterLine();
  Tab();
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& m) {
      m.EnterText(1004, CStringA("25"));
      m.Click(IDOK);
    });
    bench.Char('R', 210, 110);
  }
  EXPECT_EQ(Entities().size(), 1u);  // the key took no point of its own
  ClickAt(210, 110);
  ASSERT_EQ(Entities().size(), 2u);
  const std::vector<double> fixed = Geometry(Entities()[1]);
  EXPECT_NEAR(fixed[0], 200, 1e-9);
  EXPECT_NEAR(fixed[1], 125, 1e-9);
  EXPECT_NEAR(fixed[2], 25, 1e-9);
  ClickAt(150, 170);
  ASSERT_EQ(Entities().size(), 3u);
  const std::vector<double> next = Geometry(Entities()[2]);
  EXPECT_NEAR(GetPointDistance(next[0], next[1], 150, 170), next[2], 1e-9);
  EXPECT_GT(std::fabs(next[2] - 25), 1e-3);
}

// After a half circle the back point is its middle (its end tangents are
// parallel); after an arc of more than half a turn the new arc takes the
// other part of its circle. Either way it continues the last arc smoothly.
TEST_F(PolylineArcTest, ArcsAfterAHalfCircleAndAfterMoreThanHalfATurn) {
  struct Case {
    GPoint first, second;
    std::vector<double> arc;
  };
  const Case cases[] = {{{200, 120}, {190, 130}, {200, 130, 10, 180, 270}},
                        {{190, 110}, {180, 100}, {180, 110, 10, 270, 360}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first.x);
    bench.stack.AbortAll(&bench.view);
    StartAfterLine();
    Tab();
    ClickAt(c.first.x, c.first.y);
    ClickAt(c.second.x, c.second.y);
    ExpectLast(c.arc);
  }
}

// Shift moves the current end to the other end of the last segment; a
// click on the current end adds nothing.
TEST_F(PolylineArcTest, ShiftSwapsTheEndAndAClickOnTheEndAddsNothing) {
  CPolylineArcCmd* cmd = StartAfterLine();
  GPoint end;
  ASSERT_TRUE(cmd->GetCurrentEnd(end));
  EXPECT_EQ(end.x, 200);
  bench.Key(16);
  ASSERT_TRUE(cmd->GetCurrentEnd(end));
  EXPECT_EQ(end.x, 100);
  ClickAt(100, 100);
  EXPECT_EQ(Entities().size(), 1u);
  ClickAt(100, 150);
  ExpectLast({100, 100, 100, 150});
  EXPECT_EQ(bench.view.GetUndoCount(), 2);
}

// Before any segment, Shift picks an existing arc to go on from (its end
// nearer the click); the right button starts a fresh polyline, and a second
// one ends the command.
TEST_F(PolylineArcTest, ShiftContinuesAPickedArcAndTheRightButtonStartsAfresh) {
  bench.view.AddEntityToView(ConstructArcEntity(0, nullptr, 200, 110, 10, 270, 360));
  CPolylineArcCmd* cmd = Start();
  bench.Key(16);
  EXPECT_EQ(bench.stack.GetPrompt(), "选择图元,shifit键切换为直接绘制直线或圆弧)");
  ClickAt(210, 111);
  GPoint end;
  ASSERT_TRUE(cmd->GetCurrentEnd(end));
  EXPECT_NEAR(end.x, 210, 1e-9);
  EXPECT_NEAR(end.y, 110, 1e-9);
  ClickAt(230, 130);
  ExpectLast({210, 110, 210, 130});
  bench.stack.OnRButton(0, CommandBench::At(300, 300), &bench.view);
  EXPECT_FALSE(bench.stack.IsEmpty());
  EXPECT_EQ(bench.stack.GetPrompt(), "输入直线的第一点(Tab键切换为画圆弧)");
  EXPECT_FALSE(cmd->GetCurrentEnd(end));
  bench.stack.OnRButton(0, CommandBench::At(300, 300), &bench.view);
  EXPECT_TRUE(bench.stack.IsEmpty());
}

// A fresh arc from three points (its ends the first two); three collinear
// points make nothing, and R before the first segment opens no dialog.
TEST_F(PolylineArcTest, AFreshArcFromThreePoints) {
  Start();
  Tab();
  bench.Char('R', 300, 300);
  EXPECT_EQ(bench.stack.GetPrompt(), "输入圆弧的第一点(Tab键切换为画直线)");
  ClickAt(100, 100);
  ClickAt(200, 100);
  ClickAt(150, 100);
  EXPECT_TRUE(Entities().empty());
  ClickAt(100, 100);
  ClickAt(200, 100);
  ClickAt(150, 150);
  ExpectLast({150, 100, 50, 0, 180});
}

}  // namespace polyline_arc_test
