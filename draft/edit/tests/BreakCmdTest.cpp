#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/BreakCmd.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SectionSymbolEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/testsupport/EntityValues.h"

namespace {

using Values = std::vector<double>;

// The angle of the 3-4-5 points of a circle of radius 100 about (400, 300):
// (460, 380) lies at kAngle345 degrees, (320, 360) at 180 − kAngle345.
const double kAngle345 = std::atan2(4.0, 3.0) * 180 / tressil::kPi;

// The drawing's top-level entities, in drawing order, have these values.
void ExpectDrawing(CDraftView& view, const std::vector<Values>& expected) {
  std::vector<Values> shown;
  for (CEntity* e : *view.GetEntityList()) shown.push_back(drafttest::Geometry(e));
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    ASSERT_EQ(shown[i].size(), expected[i].size()) << "entity " << i;
    for (size_t k = 0; k < shown[i].size(); ++k)
      EXPECT_NEAR(shown[i][k], expected[i][k], 1e-6) << "entity " << i << " value " << k;
  }
}

// A break command on the bench, given the pick and the second point.
CBreakCmd* BreakAt(CommandBench& b, const GPoint& pick, const GPoint& second) {
  auto* cmd = b.Push(new CBreakCmd(215, &b.view));
  b.Move(pick.x, pick.y);
  b.Click(pick.x, pick.y);
  b.Move(second.x, second.y);
  b.Click(second.x, second.y);
  return cmd;
}

TEST(BreakCmd, ACircleLosesTheSameStretchInEitherOrder) {
  struct Case {
    GPoint p, q;
    Values arc;  // what stays, counter-clockwise from the larger angle
  };
  const Case cases[] = {
      {{500, 300}, {400, 400}, {400, 300, 100, 90, 360}},
      {{460, 380}, {400, 200}, {400, 300, 100, 270, 360 + kAngle345}},
  };
  for (const Case& c : cases) {
    for (bool reversed : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y << (reversed ? " reversed" : ""));
      CommandBench b;
      CEntity* circle = ConstructCircleEntity(0, nullptr, 400, 300, 100);
      b.view.AddEntityToView(circle);
      BreakAt(b, reversed ? c.q : c.p, reversed ? c.p : c.q);
      ExpectDrawing(b.view, {c.arc});
      EXPECT_EQ(b.stack.GetPrompt(), "选择需打断的直线或圆弧");
      ASSERT_TRUE(b.view.Undo());
      ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
      EXPECT_EQ(b.view.GetEntityList()->GetHead(), circle);
    }
  }
}

// Both break points are kept on the entity: a point beyond an end counts as
// that end, and no piece is made at or beyond it.
TEST(BreakCmd, LinesAndArcsKeepThePiecesOutsideTheGap) {
  struct Case {
    const char* name;
    std::function<CEntity*()> make;
    GPoint pick, second;
    std::vector<Values> pieces;
  };
  const auto line = [] { return ConstructLineEntity(0, nullptr, 100, 100, 300, 100); };
  const auto arc = [] { return ConstructArcEntity(0, nullptr, 400, 300, 100, 0, 90); };
  const Case cases[] = {
      {"line", line, {150, 100}, {250, 100}, {{100, 100, 150, 100}, {250, 100, 300, 100}}},
      {"line, second point off it", line, {150, 100}, {200, 140}, {{100, 100, 150, 100}, {200, 100, 300, 100}}},
      {"line, two equal points", line, {150, 100}, {150, 100}, {{100, 100, 150, 100}, {150, 100, 300, 100}}},
      {"line, beyond the far end", line, {150, 100}, {400, 100}, {{100, 100, 150, 100}}},
      {"line, beyond the far end picked near the second end", line, {250, 100}, {20, 100}, {{300, 100, 250, 100}}},
      {"line, the whole of it", line, {100, 100}, {360, 100}, {}},
      {"arc, two equal points", arc, {460, 380}, {460, 380},
       {{400, 300, 100, 0, kAngle345}, {400, 300, 100, kAngle345, 90}}},
      {"arc", arc, {500, 300}, {460, 380}, {{400, 300, 100, kAngle345, 90}}},
      {"arc, beyond its end", arc, {460, 380}, {320, 360}, {{400, 300, 100, 0, kAngle345}}},
      {"arc, beyond its start", arc, {460, 380}, {400, 200}, {{400, 300, 100, kAngle345, 90}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommandBench b;
    CEntity* held = c.make();
    b.view.AddEntityToView(held);
    BreakAt(b, c.pick, c.second);
    ExpectDrawing(b.view, c.pieces);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    ASSERT_TRUE(b.view.Undo());
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    EXPECT_EQ(b.view.GetEntityList()->GetHead(), held);
  }
}

TEST(BreakCmd, AnEllipseKeepsWhatLiesOutsideTheGap) {
  struct Case {
    double start, end;
    GPoint pick, second;
    std::vector<Values> pieces;
  };
  // (480, 330) lies at parameter kAngle345 − 16.26 = 36.87 degrees: the
  // ellipse's x is 100 cos t, its y 50 sin t.
  const double t = std::atan2(0.6, 0.8) * 180 / tressil::kPi;
  const Case cases[] = {
      {0, 360, {500, 300}, {400, 350}, {{400, 300, 100, 50, 0, 90, 360}}},
      {0, 360, {400, 350}, {500, 300}, {{400, 300, 100, 50, 0, 90, 360}}},
      {0, 180, {480, 330}, {400, 350}, {{400, 300, 100, 50, 0, 0, t}, {400, 300, 100, 50, 0, 90, 180}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.end << " " << c.pick.x);
    CommandBench b;
    b.view.AddEntityToView(ConstructEllipseEntity(0, nullptr, 400, 300, 100, 50, 0, c.start, c.end));
    BreakAt(b, c.pick, c.second);
    ExpectDrawing(b.view, c.pieces);
  }
}

TEST(BreakCmd, TheHeldEntityComesBackUnchanged) {
  enum How { kEllipseCentre, kEllipseMissedBoundary, kTwoPointEntity, kRightButton, kEnd, kDeletedWithoutEnd };
  for (How how : {kEllipseCentre, kEllipseMissedBoundary, kTwoPointEntity, kRightButton, kEnd, kDeletedWithoutEnd}) {
    SCOPED_TRACE(how);
    CommandBench b;
    CEntity* held;
    if (how == kTwoPointEntity) {
      held = ConstructTwoPointEntity(0, nullptr, 5.0, 0.5);
      held->SetEndPoints(300, 300, 500, 300, 1);
    } else {
      held = ConstructEllipseEntity(0, nullptr, 400, 300, 100, 50, 0, 0, 360);
    }
    b.view.AddEntityToView(held);
    const Values before = drafttest::Geometry(held);
    // A boundary whose line passes below the ellipse.
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 600, 100, 700, 100));
    auto* cmd = b.Push(new CBreakCmd(215, &b.view));
    b.Move(500, 300);
    b.Click(500, 300);
    ASSERT_EQ(cmd->GetHeldEntity(), held);
    EXPECT_FALSE(b.view.IsInDrawing(held));
    switch (how) {
      case kEllipseCentre:  // no point of the ellipse on the line from its centre
        b.Move(400, 300);
        b.Click(400, 300);
        break;
      case kEllipseMissedBoundary:
        b.Move(650, 100);
        b.Click(650, 100);
        break;
      case kTwoPointEntity:  // no split rule for it
        b.Move(350, 300);
        b.Click(350, 300);
        break;
      case kRightButton:
        b.stack.OnRButton(0, CommandBench::At(350, 350), &b.view);
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
    EXPECT_EQ(drafttest::Geometry(held), before);
  }
}

// A boundary's crossing with the held line's carrier is the second point;
// a member of a compound curve is no boundary (the click is a free point)
// and cannot be broken.
TEST(BreakCmd, BoundariesAndCompoundCurveMembers) {
  struct Case {
    const char* name;
    int boundary;  // 0 a line, 1 a compound curve's segment, 2 a circle
    GPoint second;
    double gapEnd;
  };
  const Case cases[] = {
      {"line", 0, {248, 130}, 230},
      {"compound curve's segment", 1, {248, 130}, 248},
      {"circle", 2, {220, 130}, 230},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
    if (c.boundary == 0) {
      b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 50, 260, 150));
    } else if (c.boundary == 1) {
      CCurveEntity* curve = ConstructCurveEntity(0, nullptr, 0);
      curve->AddCurveSegment(200, 50, 260, 150, 1);
      b.view.AddEntityToView(curve);
    } else {
      b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 270, 130, 50));
    }
    BreakAt(b, {150, 100}, c.second);
    ExpectLines(b.Lines(), c.boundary == 0 ? std::vector<Line>{{200, 50, 260, 150}, {100, 100, 150, 100},
                                                                {c.gapEnd, 100, 300, 100}}
                                           : std::vector<Line>{{100, 100, 150, 100}, {c.gapEnd, 100, 300, 100}},
                1e-6);
  }
  // A compound curve's segment, and a member of a compound kept whole, are
  // passed over by the pick: nothing is held.
  for (bool keptWhole : {false, true}) {
    SCOPED_TRACE(keptWhole);
    CommandBench b;
    CEntity* compound;
    if (keptWhole) {
      const double xy[] = {200, 50, 260, 150};
      compound = ConstructSectionSymbolEntity(0, nullptr, xy, 2);
    } else {
      CCurveEntity* curve = ConstructCurveEntity(0, nullptr, 0);
      curve->AddCurveSegment(200, 50, 260, 150, 1);
      compound = curve;
    }
    b.view.AddEntityToView(compound);
    auto* cmd = BreakAt(b, {248, 130}, {230, 100});
    EXPECT_EQ(cmd->GetHeldEntity(), nullptr);
    EXPECT_EQ(b.stack.GetPrompt(), "选择需打断的直线或圆弧");
    EXPECT_TRUE(b.view.IsInDrawing(compound));
    EXPECT_EQ(b.view.GetUndoCount(), 0);
  }
}

}  // namespace
