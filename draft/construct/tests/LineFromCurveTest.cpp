#include <gtest/gtest.h>

#include <cmath>

#include "draft/construct/LineCmd.h"
#include "draft/construct/LineFromCurveCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TangentPoints.h"
#include "platform/ui/ModalDriver.h"

namespace {

// The lines made after the first entity of the drawing (the picked one).
std::vector<Line> LinesAfterFirst(CommandBench& b) {
  std::vector<Line> out;
  bool first = true;
  for (CEntity* e : *b.view.GetEntityList()) {
    if (first) {
      first = false;
      continue;
    }
    double v[kMaxGeometryValues];
    if (e->IsLine() && e->GetGeometry(v) == 4) out.push_back({v[0], v[1], v[2], v[3]});
  }
  return out;
}

// Whether the rubber line of the last preview was drawn since the log was
// cleared.
bool DrewRubberLine(const CDraftView& view) {
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kLine) return true;
  return false;
}

}  // namespace

// From a picked line: the perpendicular to the cursor beside it, the line
// continued beyond either end; then the command waits for the next pick.
TEST(LineFromCurve, PerpendicularBesideTheLineAndContinuationBeyondItsEnds) {
  struct Case {
    double x, y;
    Line line;
  };
  const Case cases[] = {
      {140, 130, {140, 100, 140, 130}},  // beside the middle
      {160, 70, {160, 100, 160, 70}},    // on the other side
      {230, 120, {200, 100, 230, 100}},  // beyond the second end
      {80, 90, {100, 100, 80, 100}},     // beyond the first end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 200, 100));
    auto* cmd = b.Push(new CLineFromCurveCmd(3));
    EXPECT_EQ(b.stack.GetPrompt(), "选择直线或圆弧");
    b.Click(150, 101);
    ASSERT_NE(cmd->GetPickedEntity(), nullptr);
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线终点");
    b.Click(c.x, c.y);
    ExpectLines(LinesAfterFirst(b), {c.line});
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(cmd->GetPickedEntity(), nullptr);
    EXPECT_EQ(b.stack.GetPrompt(), "选择直线或圆弧");
  }
}

// A click on the picked line fixes the start; the line then runs
// perpendicular to it from there, to the cursor's foot or a typed length.
TEST(LineFromCurve, AClickOnTheLineFixesTheStart) {
  for (bool typed : {false, true}) {
    SCOPED_TRACE(typed);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 200, 100));
    auto* cmd = b.Push(new CLineFromCurveCmd(3));
    b.Click(150, 101);
    b.Click(130, 100);
    EXPECT_TRUE(cmd->HasFixedStart());
    EXPECT_TRUE(LinesAfterFirst(b).empty());
    b.Move(145, 120);
    if (typed) {
      platform::ScopedModalDriver driver([](platform::ModalSession& s) {
        EXPECT_EQ(CStringA(s.Caption()), "输入直线长度");
        s.EnterText(1062, CStringA("15"));
        s.Click(IDOK);
      });
      b.Char('1', 145, 120);
      ExpectLines(LinesAfterFirst(b), {{130, 100, 130, 115}});
    } else {
      b.Click(145, 120);
      ExpectLines(LinesAfterFirst(b), {{130, 100, 130, 120}});
    }
    EXPECT_EQ(b.view.GetUndoCount(), 1);
  }
}

// From a circle: nothing until the first movement passes the threshold;
// it chooses the tangent point (counter-clockwise movement: the one at the
// larger angle from the pick), TAB the other; from inside no line.
TEST(LineFromCurve, ATangentToACircleOnTheSideTheFirstMovementChose) {
  const GPoint centre{100, 100};
  for (int tabs : {0, 1}) {
    SCOPED_TRACE(tabs);
    CommandBench b;
    b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, centre.x, centre.y, 20, 1));
    auto* cmd = b.Push(new CLineFromCurveCmd(3));
    b.Click(120, 100);
    EXPECT_EQ(b.stack.GetPrompt(), "输入终点(TAB：切换)");
    b.view.ClearDrawLog();
    b.Move(124, 103);  // 25 square pixels: not yet a movement
    EXPECT_EQ(cmd->GetArcMode(), 0);
    EXPECT_FALSE(DrewRubberLine(b.view));
    b.Move(125, 110);  // up from the pick: counter-clockwise
    EXPECT_EQ(cmd->GetArcMode(), 3);
    EXPECT_TRUE(DrewRubberLine(b.view));
    for (int i = 0; i < tabs; ++i) b.Char(9, 125, 110);
    b.Click(105, 100);  // inside: no line, the circle stays picked
    EXPECT_TRUE(LinesAfterFirst(b).empty());
    ASSERT_NE(cmd->GetPickedEntity(), nullptr);

    b.Click(150, 110);
    GPoint t[2];
    ASSERT_EQ(GetTangentPoints({150, 110}, centre, 20, t), 2);
    // t[1] (at 304.4 degrees) lies at the larger angle from the pick
    // direction (0 degrees), t[0] at 78.2.
    const GPoint expected = tabs ? t[0] : t[1];
    ExpectLines(LinesAfterFirst(b), {{expected.x, expected.y, 150, 110}}, 1e-9);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
  }
}

// Beyond an arc's span the line starts at the arc's end nearer the pick
// and runs along the tangent there.
TEST(LineFromCurve, BeyondAnArcsSpanFromItsNearerEnd) {
  CommandBench b;
  b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 100, 100, 20, 0, 90, 1));
  b.Push(new CLineFromCurveCmd(3));
  b.Click(114, 114);  // near 45 degrees
  b.Move(124, 130);
  b.Char(9, 124, 130);
  b.Click(140, 60);  // TAB: the tangent point at 245.7 degrees, off the quarter arc
  // From the end at 0 degrees (120, 100), along the vertical tangent there.
  ExpectLines(LinesAfterFirst(b), {{120, 100, 120, 60}}, 1e-9);
}

// A picked circle stays the drawing's: the right button and End let go of
// it without deleting it.
TEST(LineFromCurve, APickedCircleStaysInTheDrawing) {
  CommandBench b;
  CEntity* circle = ConstructCircleEntity(0, nullptr, 100, 100, 20, 1);
  b.view.AddEntityToView(circle);
  auto* cmd = b.Push(new CLineFromCurveCmd(3));
  b.Click(120, 100);
  ASSERT_EQ(cmd->GetPickedEntity(), circle);
  b.stack.OnRButton(0, CommandBench::At(130, 130), &b.view);
  EXPECT_EQ(cmd->GetPickedEntity(), nullptr);
  EXPECT_EQ(b.stack.GetCurrent(), cmd);
  EXPECT_EQ(b.stack.GetPrompt(), "选择直线或圆弧");
  EXPECT_TRUE(b.view.IsInDrawing(circle));

  b.Click(120, 100);
  ASSERT_EQ(cmd->GetPickedEntity(), circle);
  b.Push(new CLineCmd(1, &b.view));  // ends it
  EXPECT_TRUE(b.view.IsInDrawing(circle));
  double v[kMaxGeometryValues];
  EXPECT_EQ(circle->GetGeometry(v), 3);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
}
