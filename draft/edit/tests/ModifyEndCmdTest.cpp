#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ModifyEndCmd.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/ui/ModalDriver.h"

namespace modify_end_test {

using drafttest::Geometry;
using drafttest::Items;

void ExpectGeometry(const CEntity* e, const std::vector<double>& expected) {
  const std::vector<double> actual = Geometry(e);
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "value " << i;
}

GPoint OnCircle(double cx, double cy, double r, double degrees) {
  const double a = degrees * tressil::kPi / 180;
  return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

class ModifyEndTest : public ::testing::Test {
 protected:
  CEntity* Add(CEntity* e) {
    bench.view.AddEntityToView(e);
    return e;
  }
  CModifyEndCmd* Start() { return bench.Push(new CModifyEndCmd(251, &bench.view)); }
  void ClickAt(const GPoint& p) {
    bench.Move(p.x, p.y);
    bench.Click(p.x, p.y);
  }
  std::vector<CEntity*> Entities() { return Items(*bench.view.GetEntityList()); }

  CommandBench bench;
};

// The end nearer the pick goes exactly to the click, in any direction; the
// other end stays; one undo step brings the old line back.
TEST_F(ModifyEndTest, ALinesNearEndMovesToTheClick) {
  struct Case {
    GPoint pick, click;
    std::vector<double> line;
  };
  const Case cases[] = {{{190, 100}, {250, 180}, {100, 100, 250, 180}},
                        {{110, 100}, {40, 20}, {200, 100, 40, 20}},
                        {{190, 100}, {150, 100}, {100, 100, 150, 100}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click.x + c.click.y);
    CommandBench b;
    CEntity* held = ConstructLineEntity(0, nullptr, 100, 100, 200, 100);
    b.view.AddEntityToView(held);
    b.Push(new CModifyEndCmd(251, &b.view));
    b.Move(c.pick.x, c.pick.y);
    b.Click(c.pick.x, c.pick.y);
    EXPECT_EQ(b.stack.GetPrompt(), "输入端点位置");
    EXPECT_TRUE(b.view.GetEntityList()->IsEmpty());
    b.Move(c.click.x, c.click.y);
    b.Click(c.click.x, c.click.y);
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    ExpectGeometry(b.view.GetEntityList()->GetHead(), c.line);
    EXPECT_EQ(b.stack.GetPrompt(), "选择需修改的直线或圆弧");
    ASSERT_TRUE(b.view.Undo());
    EXPECT_EQ(b.view.GetEntityList()->GetHead(), held);
  }
}

// An arc keeps its angles and takes the click's distance from the centre
// as its radius; a circle the same. A diameter typed with D is halved.
TEST_F(ModifyEndTest, AnArcOrCircleTakesTheNewRadius) {
  CEntity* arc = Add(ConstructArcEntity(0, nullptr, 200, 200, 50, 30, 120));
  Start();
  ClickAt(OnCircle(200, 200, 50, 60));
  EXPECT_EQ(bench.stack.GetPrompt(), "输入圆上一点(R: 半径， D: 直径)");
  ClickAt({200, 120});
  ASSERT_EQ(Entities().size(), 1u);
  ExpectGeometry(Entities()[0], {200, 200, 80, 30, 120});
  EXPECT_NE(Entities()[0], arc);

  Add(ConstructCircleEntity(0, nullptr, 500, 300, 40));
  ClickAt({540, 300});
  bench.Move(600, 300);
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    m.EnterText(1004, CStringA("30"));
    m.Click(IDOK);
  });
  bench.Char('D', 600, 300);
  ASSERT_EQ(Entities().size(), 2u);
  ExpectGeometry(Entities()[1], {500, 300, 15});
  EXPECT_EQ(bench.view.GetUndoCount(), 2);
}

// Whatever cannot be rebuilt comes back unchanged at the second click and
// makes no undo step: a two-point entity that is not a line, a line
// clicked onto its fixed end, a circle clicked at its centre.
TEST_F(ModifyEndTest, WhatCannotBeRebuiltComesBackUnchanged) {
  CTwoPointEntity* two = ConstructTwoPointEntity(0, nullptr, 5.0, 0.5);
  two->SetEndPoints(100, 400, 200, 400, 1);
  struct Case {
    CEntity* entity;
    GPoint pick, click;
  };
  const Case cases[] = {{two, {190, 400}, {250, 450}},
                        {ConstructLineEntity(0, nullptr, 100, 100, 200, 100), {190, 100}, {100, 100}},
                        {ConstructCircleEntity(0, nullptr, 500, 300, 40), {540, 300}, {500, 300}}};
  for (const Case& c : cases) {
    Add(c.entity);
    const std::vector<double> before = Geometry(c.entity);
    Start();
    ClickAt(c.pick);
    ClickAt(c.click);
    EXPECT_TRUE(bench.view.IsInDrawing(c.entity));
    EXPECT_EQ(Geometry(c.entity), before);
  }
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
}

// An ellipse under the pick is not taken: the command stays at its first
// prompt and the drawing is as it was.
TEST_F(ModifyEndTest, AnEllipseIsNotTaken) {
  CEntity* ellipse = Add(ConstructEllipseEntity(0, nullptr, 200, 200, 60, 30, 0, 0, 360, 1));
  CModifyEndCmd* cmd = Start();
  ClickAt({260, 200});
  EXPECT_EQ(cmd->GetHeldEntity(), nullptr);
  EXPECT_EQ(bench.stack.GetPrompt(), "选择需修改的直线或圆弧");
  EXPECT_EQ(Entities(), std::vector<CEntity*>{ellipse});
}

// The held entity goes back unchanged on the right button (the command
// stays), on End and when the command is deleted while it holds one.
TEST_F(ModifyEndTest, TheHeldEntityComesBackOnTheRightButtonEndAndDeletion) {
  CEntity* line = Add(ConstructLineEntity(0, nullptr, 100, 100, 200, 100));
  CModifyEndCmd* cmd = Start();
  ClickAt({190, 100});
  ASSERT_EQ(cmd->GetHeldEntity(), line);
  bench.stack.OnRButton(0, CommandBench::At(300, 300), &bench.view);
  EXPECT_EQ(Entities(), std::vector<CEntity*>{line});
  EXPECT_FALSE(bench.stack.IsEmpty());
  EXPECT_EQ(bench.stack.GetPrompt(), "选择需修改的直线或圆弧");

  ClickAt({190, 100});
  bench.stack.AbortAll(&bench.view);
  EXPECT_EQ(Entities(), std::vector<CEntity*>{line});

  auto stack = std::make_unique<CCmdStack>();
  stack->Push(&bench.view, new CModifyEndCmd(251, &bench.view));
  stack->OnMouseMove(0, CommandBench::At(190, 100), &bench.view);
  stack->OnLButton(0, CommandBench::At(190, 100), &bench.view);
  EXPECT_TRUE(Entities().empty());
  stack.reset();
  EXPECT_EQ(Entities(), std::vector<CEntity*>{line});
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
}

}  // namespace modify_end_test
