#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "draft/construct/TanCircle3Cmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"

namespace {

constexpr const char* kTanFailure = "   求解失败！\n请重新选择图元或输入点。";

// One input of a case: an entity picked at (x, y) or a point entered there
// (TAB switches the mode as needed).
struct TanStep {
  char kind;  // 'e' element, 'p' point
  double x, y;
};

// The inputs of the fixture's drawing and of the points, for the touch check:
// 'l' a line through two points, 'c' a circle, 'p' a point.
struct TanTouch {
  char kind;
  double v[4];
};

double TanTouchError(const TanTouch& s, double x, double y, double r) {
  if (s.kind == 'l') {
    const double dx = s.v[2] - s.v[0], dy = s.v[3] - s.v[1];
    return std::fabs(std::fabs(dy * (x - s.v[0]) - dx * (y - s.v[1])) / std::hypot(dx, dy) - r);
  }
  const double d = std::hypot(x - s.v[0], y - s.v[1]);
  if (s.kind == 'p') return std::fabs(d - r);
  return std::min(std::fabs(d - (r + s.v[2])), std::fabs(d - std::fabs(r - s.v[2])));
}

// Three lines (a triangle's sides), three circles and an arc, each clicked
// away from the others.
const TanTouch kLineA{'l', {50, 100, 750, 100}};
const TanTouch kLineB{'l', {100, 50, 100, 550}};
const TanTouch kLineC{'l', {200, 550, 700, 150}};
const TanTouch kCircle1{'c', {350, 250, 30, 0}};
const TanTouch kCircle2{'c', {600, 450, 20, 0}};
const TanTouch kCircle3{'c', {200, 400, 25, 0}};
const TanStep kPickA{'e', 600, 100}, kPickB{'e', 100, 500}, kPickC{'e', 450, 350};
const TanStep kPick1{'e', 380, 250}, kPick2{'e', 620, 450}, kPick3{'e', 225, 400};

class TanCircleTest : public ::testing::Test {
 protected:
  TanCircleTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    for (const TanTouch* l : {&kLineA, &kLineB, &kLineC})
      b.view.AddEntityToView(ConstructLineEntity(0, nullptr, l->v[0], l->v[1], l->v[2], l->v[3]));
    for (const TanTouch* c : {&kCircle1, &kCircle2, &kCircle3})
      b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, c->v[0], c->v[1], c->v[2]));
    cmd = b.Push(new CTanCircle3Cmd(310));
  }
  ~TanCircleTest() override { SetSettingsBacking(std::move(previous_)); }

  void Give(const TanStep& s) {
    if ((s.kind == 'p') != (cmd->IsPointMode() != 0)) b.Char(9, s.x, s.y);
    b.Click(s.x, s.y);
  }
  static std::vector<CEntity*> CirclesOf(const CEntityList& list) {
    std::vector<CEntity*> out;
    for (CEntity* e : list)
      if (e->IsCircle()) out.push_back(e);
    return out;
  }
  static std::array<double, 3> Values(const CEntity* e) {
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    return {v[0], v[1], v[2]};
  }
  // A point on a candidate circle, away from everything else of the fixture.
  void ClickOn(const CEntity* circle) {
    const auto v = Values(circle);
    for (double a = 0; a < 360; a += 7.5) {
      const double x = v[0] + v[2] * std::cos(a * M_PI / 180), y = v[1] + v[2] * std::sin(a * M_PI / 180);
      CEntityList found;
      b.view.PickEntitiesAtPoint(x, y, found, 1, 1, 0, 0, 0, -1);
      if (found.GetCount() == 1) {
        b.Click(x, y);
        return;
      }
    }
    ADD_FAILURE() << "no clear point on the candidate";
  }

  std::unique_ptr<CSettingsBacking> previous_;
  CommandBench b;
  CTanCircle3Cmd* cmd = nullptr;
};

}  // namespace

TEST(TanCircleDispatch, EachMixOfInputsGoesToItsSolver) {
  struct Case {
    int points, lines, circles;
    const char* solver;
  };
  const Case cases[] = {
      {3, 0, 0, "GetCircleBy3Points"}, {0, 3, 0, "lllGetTanCircle"}, {0, 2, 1, "llcGetTanCircle"},
      {0, 1, 2, "lccGetTanCircle"},    {0, 0, 3, "cccGetTanCircle"}, {2, 1, 0, "pplGetTanCircle"},
      {2, 0, 1, "ppcGetTanCircle"},    {2, 1, 1, "pplGetTanCircle"}, {2, 2, 0, nullptr},
      {2, 0, 2, nullptr},              {1, 2, 0, "pllGetTanCircle"}, {1, 0, 2, "pccGetTanCircle"},
      {1, 1, 1, "plcGetTanCircle"},
  };
  for (const Case& c : cases) {
    const char* got = CTanCircle3Cmd::SolverFor(c.points, c.lines, c.circles);
    EXPECT_EQ(std::string(got ? got : "none"), std::string(c.solver ? c.solver : "none"))
        << c.points << " points, " << c.lines << " lines, " << c.circles << " circles";
  }
}

TEST_F(TanCircleTest, EveryMixOffersCirclesTouchingItsInputsInAnyOrder) {
  struct Case {
    const char* name;
    std::vector<TanStep> steps;
    std::vector<TanTouch> touches;
    size_t count;  // candidates offered
  };
  const TanTouch p1{'p', {250, 200}}, p2{'p', {300, 180}};
  const TanStep give1{'p', 250, 200}, give2{'p', 300, 180};
  const Case cases[] = {
      {"three lines", {kPickC, kPickA, kPickB}, {kLineA, kLineB, kLineC}, 4},
      {"two lines and a circle", {kPick1, kPickB, kPickA}, {kLineA, kLineB, kCircle1}, 4},
      {"a line and two circles", {kPick2, kPickA, kPick1}, {kLineA, kCircle1, kCircle2}, 8},
      {"three circles", {kPick3, kPick1, kPick2}, {kCircle1, kCircle2, kCircle3}, 8},
      {"two points and a line", {give1, give2, kPickA}, {p1, p2, kLineA}, 2},
      {"two points and a circle", {give1, give2, kPick3}, {p1, p2, kCircle3}, 2},
      {"a point and two lines", {kPickB, give1, kPickA}, {p1, kLineA, kLineB}, 2},
      {"a point and two circles", {kPick1, give1, kPick3}, {p1, kCircle1, kCircle3}, 4},
      {"a circle, a point and a line", {kPick1, give1, kPickA}, {p1, kLineA, kCircle1}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const TanStep& s : c.steps) Give(s);
    ASSERT_TRUE(b.boxes.empty());
    ASSERT_EQ(cmd->IsChoosing(), 1);
    EXPECT_EQ(b.stack.GetPrompt(), "请选择所需的公切圆（右键结束）");
    const std::vector<CEntity*> offered = CirclesOf(*b.view.GetSelectionList());
    EXPECT_EQ(offered.size(), c.count);
    for (CEntity* e : offered) {
      const auto v = Values(e);
      for (const TanTouch& t : c.touches) EXPECT_NEAR(TanTouchError(t, v[0], v[1], v[2]), 0.0, 1e-9);
    }
    b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);  // keeps none
    EXPECT_EQ(cmd->IsChoosing(), 0);
  }
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 3u);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
}

TEST_F(TanCircleTest, TwoCandidatesBothPickedAreKeptInOneRecord) {
  for (const TanStep& s : {TanStep{'p', 250, 200}, TanStep{'p', 300, 180}, kPickA}) Give(s);
  const std::vector<CEntity*> offered = CirclesOf(*b.view.GetSelectionList());
  ASSERT_EQ(offered.size(), 2u);
  ClickOn(offered[0]);
  EXPECT_EQ(cmd->IsChoosing(), 1);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  ClickOn(offered[1]);  // the last candidate ends the choice
  EXPECT_EQ(cmd->IsChoosing(), 0);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  const CUndoRecord* record = b.view.GetLastUndoRecord();
  EXPECT_EQ(record->GetNewEntities(), offered);
  EXPECT_TRUE(record->GetOldEntities().empty());
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 5u);
  EXPECT_TRUE(b.view.GetSelectionList()->IsEmpty());
  EXPECT_EQ(b.stack.GetPrompt(), "请选择与圆相切的图元（Tab 输入点）");
  ASSERT_TRUE(b.view.Undo());
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 3u);
  ASSERT_TRUE(b.view.Redo());
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 5u);
}

TEST_F(TanCircleTest, TheRightButtonKeepsThePickedAndRemovesTheRest) {
  for (const TanStep& s : {kPickA, kPickB, kPickC}) Give(s);
  std::vector<CEntity*> offered = CirclesOf(*b.view.GetSelectionList());
  ASSERT_EQ(offered.size(), 4u);
  ClickOn(offered[2]);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(b.view.GetLastUndoRecord()->GetNewEntities(), std::vector<CEntity*>{offered[2]});
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 4u);
  EXPECT_EQ(b.stack.GetCurrent(), cmd);  // the command stays for the next inputs
}

TEST_F(TanCircleTest, TheRightButtonWithoutPicksRemovesEveryCandidate) {
  for (const TanStep& s : {kPickA, kPickB, kPickC}) Give(s);
  ASSERT_EQ(CirclesOf(*b.view.GetSelectionList()).size(), 4u);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 3u);
  EXPECT_TRUE(b.view.GetSelectionList()->IsEmpty());
  EXPECT_EQ(b.stack.GetCurrent(), cmd);
}

TEST_F(TanCircleTest, EndingTheCommandInTheChoiceSettlesIt) {
  for (const TanStep& s : {kPickA, kPickB, kPickC}) Give(s);
  const std::vector<CEntity*> offered = CirclesOf(*b.view.GetSelectionList());
  ASSERT_EQ(offered.size(), 4u);
  ClickOn(offered[0]);
  b.stack.AbortAll(&b.view);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(b.view.GetLastUndoRecord()->GetNewEntities(), std::vector<CEntity*>{offered[0]});
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 4u);
  EXPECT_TRUE(b.view.GetSelectionList()->IsEmpty());
}

TEST_F(TanCircleTest, OneClickOnACrossingFillsTwoSlots) {
  b.Click(100, 100);  // lines A and B cross there
  EXPECT_EQ(b.view.GetSelectionCount(), 2);
  b.Click(100, 100);  // the same entities again fill nothing
  EXPECT_EQ(b.view.GetSelectionCount(), 2);
  EXPECT_EQ(cmd->IsChoosing(), 0);
  Give(kPickC);
  EXPECT_EQ(cmd->IsChoosing(), 1);
  EXPECT_EQ(CirclesOf(*b.view.GetSelectionList()).size(), 4u);
}

TEST_F(TanCircleTest, ThreePointsMakeOneCircleAndCollinearPointsAreRefused) {
  for (const TanStep& s : {TanStep{'p', 200, 200}, TanStep{'p', 300, 200}, TanStep{'p', 400, 200}}) Give(s);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0], kTanFailure);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(CirclesOf(*b.view.GetEntityList()).size(), 3u);
  EXPECT_EQ(b.stack.GetPrompt(), "请输入点(TAB：选择与圆相切的图元)");

  for (const TanStep& s : {TanStep{'p', 200, 200}, TanStep{'p', 300, 200}, TanStep{'p', 250, 250}}) Give(s);
  EXPECT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(cmd->IsChoosing(), 0);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  const std::vector<CEntity*> made = b.view.GetLastUndoRecord()->GetNewEntities();
  ASSERT_EQ(made.size(), 1u);
  const auto v = Values(made[0]);
  EXPECT_NEAR(v[0], 250, 1e-9);
  EXPECT_NEAR(v[1], 200, 1e-9);
  EXPECT_NEAR(v[2], 50, 1e-9);
}

TEST_F(TanCircleTest, ThreeParallelLinesAreRefused) {
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 50, 520, 750, 520));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 50, 570, 750, 570));
  for (const TanStep& s : {kPickA, TanStep{'e', 700, 520}, TanStep{'e', 700, 570}}) Give(s);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0], kTanFailure);
  EXPECT_EQ(cmd->IsChoosing(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 8);
}
