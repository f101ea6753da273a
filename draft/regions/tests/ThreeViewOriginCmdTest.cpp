#include <gtest/gtest.h>

#include <cmath>

#include "draft/construct/tests/CommandBench.h"
#include "draft/regions/ThreeViewOriginCmd.h"

namespace {
struct OriginCase {
  const char* name;
  GPoint second;
  bool finishes;  // after the second click
  GPoint origin;  // where the division ends (a third click at `third` when it does not finish)
  GPoint third;
};
}  // namespace

// Lower right and upper left of the first point finish at once; anywhere
// else a third point, snapped onto the mitre through the corner, is taken.
TEST(ThreeViewOriginCmdTest, SecondPointDecidesWhetherAThirdIsAsked) {
  const OriginCase cases[] = {
      {"on the mitre, lower right", {120, 80}, true, {120, 80}, {}},
      {"lower right, snapped onto the mitre", {120, 90}, true, {120, 80}, {}},
      {"straight below (edge)", {100, 80}, true, {100, 80}, {}},
      {"upper left, on the mitre", {80, 120}, true, {80, 120}, {}},
      {"upper right", {120, 120}, false, {150, 70}, {150, 80}},
      {"lower left", {80, 80}, false, {120, 60}, {120, 70}},
  };
  for (const OriginCase& c : cases) {
    SCOPED_TRACE(c.name);
    CommandBench b;
    b.Push(new CThreeViewOriginCmd(60));
    ASSERT_EQ(b.stack.GetCurrent()->GetLevel(), 6);
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("划分三视图,确定第一点"));
    b.Move(100, 100);
    b.Click(100, 100);
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("定原点(右键确定三视图原点为第一点)"));
    b.Move(c.second.x, c.second.y);
    b.Click(c.second.x, c.second.y);
    EXPECT_EQ(b.view.IsThreeViewDivided(), c.finishes ? 1 : 0);
    if (!c.finishes) {
      EXPECT_EQ(b.stack.GetCurrent()->GetStep(), 2);
      b.Move(c.third.x, c.third.y);
      b.Click(c.third.x, c.third.y);
      ASSERT_EQ(b.view.IsThreeViewDivided(), 1);
    }
    EXPECT_NEAR(b.view.GetThreeViewOriginX(), c.origin.x, 1e-9);
    EXPECT_NEAR(b.view.GetThreeViewOriginY(), c.origin.y, 1e-9);
    EXPECT_EQ(b.view.GetCursorPos(), CommandBench::At(c.origin.x, c.origin.y));
    // The points are freed: the next click starts a new division.
    ASSERT_NE(b.stack.GetCurrent(), nullptr);
    EXPECT_EQ(b.stack.GetCurrent()->GetStep(), 0);
  }
}

// The cursor goes onto x + y = base x + base y: its y moves when it lies
// nearer the horizontal, its x when nearer the vertical.
TEST(ThreeViewOriginCmdTest, SnapsOntoTheMitre) {
  struct Case {
    GPoint cursor, snapped;
  };
  const Case cases[] = {
      {{10, -3}, {10, -10}}, {{3, -10}, {10, -10}}, {{-10, 3}, {-10, 10}},
      {{-3, 10}, {-10, 10}}, {{5, -5}, {5, -5}},
  };
  for (const Case& c : cases) {
    GPoint p = c.cursor;
    CThreeViewOriginCmd::SnapToMitre({0, 0}, p);
    EXPECT_NEAR(p.x, c.snapped.x, 1e-9) << c.cursor.x << "," << c.cursor.y;
    EXPECT_NEAR(p.y, c.snapped.y, 1e-9) << c.cursor.x << "," << c.cursor.y;
  }
  // The preview draws the rubber line from the first point to the snapped cursor.
  CommandBench b;
  b.Push(new CThreeViewOriginCmd(60));
  b.Click(40, 40);
  b.view.ClearDrawLog();
  b.Move(50, 37);
  bool drawn = false;
  for (const ViewDrawOp& op : b.view.GetDrawLog())
    if (op.kind == ViewDrawKind::kLine && op.values.size() >= 4)
      drawn = std::fabs(op.values[2] - 50) < 1e-9 && std::fabs(op.values[3] - 30) < 1e-9;
  EXPECT_TRUE(drawn);
}

// A right button after the first point: that point is the origin, the
// cursor goes there and the command ends. Before any point it only ends.
TEST(ThreeViewOriginCmdTest, RightButtonTakesTheFirstPoint) {
  CommandBench b;
  b.Push(new CThreeViewOriginCmd(60));
  b.Click(70, 50);
  b.stack.OnRButton(0, CommandBench::At(200, 200), &b.view);
  EXPECT_TRUE(b.stack.IsEmpty());
  EXPECT_EQ(b.view.IsThreeViewDivided(), 1);
  EXPECT_NEAR(b.view.GetThreeViewOriginX(), 70, 1e-9);
  EXPECT_NEAR(b.view.GetThreeViewOriginY(), 50, 1e-9);
  EXPECT_EQ(b.view.GetCursorPos(), CommandBench::At(70, 50));

  CommandBench fresh;
  fresh.Push(new CThreeViewOriginCmd(60));
  fresh.stack.OnRButton(0, CommandBench::At(10, 10), &fresh.view);
  EXPECT_TRUE(fresh.stack.IsEmpty());
  EXPECT_EQ(fresh.view.IsThreeViewDivided(), 0);
}
