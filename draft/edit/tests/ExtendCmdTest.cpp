#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ExtendCmd.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/testsupport/EntityValues.h"

namespace {

using drafttest::Geometry;

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance = 1e-6) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "value " << i;
}

GPoint Polar(double cx, double cy, double r, double degrees) {
  const double a = degrees * tressil::kPi / 180;
  return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

class ExtendTest : public ::testing::Test {
 protected:
  CEntity* Add(CEntity* e) {
    bench.view.AddEntityToView(e);
    return e;
  }
  void ClickAt(double x, double y) {
    bench.Move(x, y);
    bench.Click(x, y);
  }
  void ClickAt(const GPoint& p) { ClickAt(p.x, p.y); }
  // The drawing's entities other than `except`, in drawing order.
  std::vector<CEntity*> Entities() {
    std::vector<CEntity*> out;
    for (CEntity* e : *bench.view.GetEntityList()) out.push_back(e);
    return out;
  }

  CommandBench bench;
};

TEST_F(ExtendTest, ALineReachesACrossingBoundary) {
  struct Case {
    int tabs;
    std::vector<double> line;
  };
  // TAB twice: the crossing is the middle of the new line.
  const Case cases[] = {{0, {100, 100, 300, 100}}, {2, {100, 100, 500, 100}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tabs);
    CommandBench b;
    CEntity* held = ConstructLineEntity(0, nullptr, 100, 100, 200, 100);
    b.view.AddEntityToView(held);
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 50, 300, 150));
    b.Push(new CExtendCmd(80, &b.view));
    b.Move(190, 100);
    b.Click(190, 100);
    EXPECT_EQ(b.stack.GetPrompt(), "输入端点位置(TAB：改变直线的对称性或圆弧的延伸方向）");
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 250, 100);
    b.Move(300, 130);
    b.Click(300, 130);
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 2);
    ExpectValues(Geometry(b.view.GetEntityList()->GetTail()), c.line);
    ASSERT_TRUE(b.view.Undo());
    EXPECT_EQ(b.view.GetEntityList()->GetHead(), held);
  }
}

TEST_F(ExtendTest, ACollinearOverlappingBoundaryIsSwallowedAndOneUndoRestoresBoth) {
  CEntity* held = Add(ConstructLineEntity(0, nullptr, 100, 100, 200, 100));
  CEntity* boundary = Add(ConstructLineEntity(0, nullptr, 190, 100, 300, 100));
  bench.Push(new CExtendCmd(80, &bench.view));
  ClickAt(185, 100);
  ClickAt(280, 100);
  ASSERT_EQ(Entities().size(), 1u);
  ExpectValues(Geometry(Entities()[0]), {100, 100, 300, 100});
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  ASSERT_TRUE(bench.view.Undo());
  EXPECT_EQ(Entities(), (std::vector<CEntity*>{held, boundary}));
}

TEST_F(ExtendTest, AnArcEndFollowsThePick) {
  struct Case {
    double pickAngle;   // where the arc (0 to 90 degrees) is picked
    int tabs;
    double targetAngle; // the free point's direction
    std::vector<double> result;  // arc values, or circle values
  };
  const Case cases[] = {
      {80, 0, 135, {200, 200, 50, 0, 135}},
      {80, 1, 135, {200, 200, 50, 135, 360}},  // odd TAB: the complementary sweep
      {10, 0, 45, {200, 200, 50, 45, 90}},
      {10, 0, 90, {200, 200, 50}},  // start meets end: a circle
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pickAngle << " " << c.tabs << " " << c.targetAngle);
    CommandBench b;
    CEntity* arc = ConstructArcEntity(0, nullptr, 200, 200, 50, 0, 90);
    b.view.AddEntityToView(arc);
    auto* cmd = b.Push(new CExtendCmd(80, &b.view));
    const GPoint pick = Polar(200, 200, 50, c.pickAngle);
    b.Move(pick.x, pick.y);
    b.Click(pick.x, pick.y);
    ASSERT_EQ(cmd->GetHeldEntity(), arc);
    EXPECT_EQ(cmd->GetRadiusMode(), 0);
    for (int i = 0; i < c.tabs; ++i) b.Char(9, pick.x, pick.y);
    const GPoint target = Polar(200, 200, 120, c.targetAngle);
    b.Move(target.x, target.y);
    b.Click(target.x, target.y);
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    // Device pixels round the free point: directions within a degree.
    ExpectValues(Geometry(b.view.GetEntityList()->GetHead()), c.result, 0.5);
  }
}

TEST_F(ExtendTest, AnEllipseEndReachesALine) {
  Add(ConstructEllipseEntity(0, nullptr, 400, 300, 100, 50, 0, 0, 90));
  Add(ConstructLineEntity(0, nullptr, 350, 330, 350, 400));
  bench.Push(new CExtendCmd(80, &bench.view));
  const GPoint pick{400 + 100 * std::cos(80 * tressil::kPi / 180), 300 + 50 * std::sin(80 * tressil::kPi / 180)};
  ClickAt(pick);
  ClickAt(350, 380);
  ASSERT_EQ(Entities().size(), 2u);
  ExpectValues(Geometry(Entities()[1]), {400, 300, 100, 50, 0, 0, 120});
  ASSERT_TRUE(bench.view.Undo());
  ExpectValues(Geometry(Entities()[0]), {400, 300, 100, 50, 0, 0, 90});
}

TEST_F(ExtendTest, TheHeldEntityComesBackUnchanged) {
  enum How { kMissedBoundary, kRightButton, kEnd, kCircleOnBoundary, kTwoPointEntity, kDeletedWithoutEnd };
  for (How how : {kMissedBoundary, kRightButton, kEnd, kCircleOnBoundary, kTwoPointEntity, kDeletedWithoutEnd}) {
    SCOPED_TRACE(how);
    CommandBench b;
    CEntity* held;
    if (how == kCircleOnBoundary) {
      held = ConstructCircleEntity(0, nullptr, 100, 100, 40);
    } else if (how == kTwoPointEntity) {
      held = ConstructTwoPointEntity(0, nullptr, 5.0, 0.5);
      held->SetEndPoints(100, 100, 200, 100, 1);
    } else {
      held = ConstructLineEntity(0, nullptr, 100, 100, 200, 100);
    }
    b.view.AddEntityToView(held);
    const std::vector<double> before = Geometry(held);
    b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 400, 400, 20));  // off the line's carrier
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 120, 300, 160, 300));
    auto* cmd = b.Push(new CExtendCmd(80, &b.view));
    if (how == kCircleOnBoundary) {
      b.Move(140, 100);
      b.Click(140, 100);
      EXPECT_EQ(cmd->GetRadiusMode(), 1);
    } else {
      b.Move(190, 100);
      b.Click(190, 100);
    }
    ASSERT_EQ(cmd->GetHeldEntity(), held);
    EXPECT_FALSE(b.view.IsInDrawing(held));
    switch (how) {
      case kMissedBoundary:
        b.Move(420, 400);
        b.Click(420, 400);
        break;
      case kCircleOnBoundary:
        b.Move(140, 300);
        b.Click(140, 300);
        break;
      case kTwoPointEntity:  // a free point: no rebuild rule for it
        b.Move(250, 100);
        b.Click(250, 100);
        break;
      case kRightButton:
        b.stack.OnRButton(0, CommandBench::At(300, 300), &b.view);
        break;
      case kEnd:
        b.stack.EndAll(&b.view);
        break;
      case kDeletedWithoutEnd:
        b.stack.DeleteAll();
        break;
    }
    EXPECT_TRUE(b.view.IsInDrawing(held));
    EXPECT_EQ(b.view.GetUndoCount(), 0);
    ExpectValues(Geometry(held), before);
  }
}

TEST_F(ExtendTest, ACircleChangesItsRadiusToAFreePoint) {
  Add(ConstructCircleEntity(0, nullptr, 200, 200, 40));
  bench.Push(new CExtendCmd(80, &bench.view));
  ClickAt(240, 200);
  ClickAt(260, 200);
  ASSERT_EQ(Entities().size(), 1u);
  ExpectValues(Geometry(Entities()[0]), {200, 200, 60});
}

}  // namespace

#include "platform/ui/ModalDriver.h"

namespace {

TEST_F(ExtendTest, AnArcOfTheSameCircleIsTakenIn) {
  CEntity* held = Add(ConstructArcEntity(0, nullptr, 200, 200, 50, 0, 90));
  Add(ConstructArcEntity(0, nullptr, 200, 200, 50, 120, 180));
  bench.Push(new CExtendCmd(80, &bench.view));
  ClickAt(Polar(200, 200, 50, 80));
  ClickAt(Polar(200, 200, 50, 150));
  ASSERT_EQ(Entities().size(), 1u);
  ExpectValues(Geometry(Entities()[0]), {200, 200, 50, 0, 180});
  ASSERT_TRUE(bench.view.Undo());
  ASSERT_EQ(Entities().size(), 2u);
  EXPECT_EQ(Entities()[0], held);
}

TEST_F(ExtendTest, ATypedRadiusChangesACircle) {
  Add(ConstructCircleEntity(0, nullptr, 200, 200, 40));
  bench.Push(new CExtendCmd(80, &bench.view));
  ClickAt(240, 200);
  bench.Move(300, 200);
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    m.EnterText(1004, CStringA("25"));
    m.Click(IDOK);
  });
  bench.Char('R', 300, 200);
  ASSERT_EQ(Entities().size(), 1u);
  ExpectValues(Geometry(Entities()[0]), {200, 200, 25});
}

// The radius dialog's point (25 from the pick towards the cursor) lies on a
// line: the typed radius still decides, and the next circle extended to a
// free point takes that point's distance.
TEST_F(ExtendTest, ATypedRadiusIsKeptWhereAnEntityLiesUnderItsPointAndOnlyOnce) {
  CEntity* line = Add(ConstructLineEntity(0, nullptr, 265, 100, 265, 300));
  Add(ConstructCircleEntity(0, nullptr, 200, 200, 40));
  bench.Push(new CExtendCmd(80, &bench.view));
  ClickAt(240, 200);
  bench.Move(300, 200);
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& m) {
      m.EnterText(1004, CStringA("25"));
      m.Click(IDOK);
    });
    bench.Char('R', 300, 200);
  }
  ASSERT_EQ(Entities().size(), 2u);
  EXPECT_EQ(Entities()[0], line);
  ExpectValues(Geometry(Entities()[1]), {200, 200, 25});
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  ClickAt(225, 200);
  ClickAt(320, 200);
  ASSERT_EQ(Entities().size(), 2u);
  ExpectValues(Geometry(Entities()[1]), {200, 200, 120});
}

}  // namespace
