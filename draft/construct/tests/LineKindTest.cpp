#include <gtest/gtest.h>

#include "draft/construct/LineKindCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/TwoPointEntity.h"

// Each pair of points makes one two-point entity with its polyline; TAB 1
// puts the first point in its middle, TAB 2 the second. One undo step each.
TEST(LineKind, OneTwoPointEntityPerPairWithTheTabSymmetry) {
  struct Case {
    int tabs;
    Line ends;
  };
  const Case cases[] = {{0, {10, 10, 30, 10}}, {1, {-10, 10, 30, 10}}, {2, {10, 10, 50, 10}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tabs);
    CommandBench b;
    auto* cmd = b.Push(new CLineKindCmd(4));
    EXPECT_EQ(b.stack.GetPrompt(), "输入直线起点");
    b.Click(10, 10);
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 30, 10);
    b.Click(30, 10);
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    CEntity* made = b.view.GetEntityList()->GetHead();
    ASSERT_TRUE(made->IsTwoPointEntity());
    double v[kMaxGeometryValues];
    ASSERT_EQ(made->GetGeometry(v), 4);
    ExpectLines({{v[0], v[1], v[2], v[3]}}, {c.ends});
    // The polyline's five segments belong to the entity.
    EXPECT_EQ(static_cast<CTwoPointEntity*>(made)->GetSegmentCount(), 5);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(cmd->GetStep(), 0);  // no chaining

    ASSERT_TRUE(b.view.Undo());
    EXPECT_EQ(b.view.GetEntityList()->GetCount(), 0);
  }
}
