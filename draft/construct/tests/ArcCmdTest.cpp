#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "draft/construct/Arc3PointCmd.h"
#include "draft/construct/ArcCenterCmd.h"
#include "draft/construct/ArcFromEndCmd.h"
#include "draft/construct/ChangeArcCmd.h"
#include "draft/construct/TangentArcCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr double kPi = tressil::kPi;

struct ArcShape {
  double cx, cy, r, start, end;
  GPoint StartPoint() const { return At(start); }
  GPoint EndPoint() const { return At(end); }
  GPoint At(double a) const { return {cx + r * std::cos(a * kPi / 180), cy + r * std::sin(a * kPi / 180)}; }
};

std::vector<ArcShape> Arcs(CDraftView& view) {
  std::vector<ArcShape> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsArc() && e->GetGeometry(v) == 5) out.push_back({v[0], v[1], v[2], v[3], v[4]});
  }
  return out;
}

double Sweep(const ArcShape& a) {
  double s = a.start, e = a.end;
  MakeAngleRangeAscending(s, e);
  return e - s;
}

void TypePoint(CommandBench& b, double x, double y) {
  char text[96];
  std::snprintf(text, sizeof text, "%.12f,%.12f", x, y);
  b.stack.OnTypedInput(&b.view, text);
}

class ArcTest : public ::testing::Test {
 protected:
  ArcTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~ArcTest() override { SetSettingsBacking(std::move(previous_)); }
  std::unique_ptr<CSettingsBacking> previous_;
};

// The radius dialog answered with `radius` each time it opens.
platform::ScopedModalDriver AnswerRadius(double radius) {
  return platform::ScopedModalDriver([radius](platform::ModalSession& s) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", radius);
    s.EnterText(1004, CStringA(text));
    s.Click(IDOK);
  });
}

struct Circle {
  double cx, cy, r;
};

bool OnCircle(const GPoint& p, const Circle& c) {
  return std::fabs(GetPointDistance(p.x, p.y, c.cx, c.cy) - c.r) < 1e-6;
}

// Makes a tangent arc between two circles; the picks are on the circles.
struct TangentCase {
  const char* name;
  int mode;
  Circle first, second;
  GPoint pick1, pick2;
  double typedRadius;            // 0: the concentric modes ask for none
  std::optional<GPoint> place;   // the third click of the concentric modes
  int classified;                // the mode after the second pick
  double arcRadius;
  std::optional<GPoint> centre;  // when the case fixes it
};

}  // namespace

TEST_F(ArcTest, TangentArcClassifiesTheCirclesAndTouchesBoth) {
  const TangentCase cases[] = {
      {"concentric 10/30, mode 3", 3, {100, 100, 10}, {100, 100, 30}, {110, 100}, {130, 100}, 0,
       GPoint{100, 140}, 4, 10, GPoint{100, 120}},
      {"concentric 10/30, mode 1", 1, {100, 100, 10}, {100, 100, 30}, {110, 100}, {130, 100}, 0,
       GPoint{140, 100}, 41, 20, GPoint{110, 100}},
      {"first inside second, mode 1", 1, {100, 100, 10}, {105, 100, 30}, {100, 90}, {135, 100}, 20, {}, 11, 20, {}},
      {"second inside first, mode 3", 3, {105, 100, 30}, {100, 100, 10}, {135, 100}, {100, 90}, 10, {}, 32, 10, {}},
      // Outside the big circle although inside its bounding square: not nested.
      {"outside, in the square", 1, {126, 126, 2}, {100, 100, 30}, {128, 126}, {70, 100}, 50, {}, 1, 50, {}},
      {"apart, mode 2", 2, {100, 100, 10}, {160, 100, 10}, {100, 110}, {160, 110}, 40, {}, 2, 40,
       GPoint{130, 140}},
  };
  for (int tabs : {0, 1}) {
    for (const TangentCase& c : cases) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(tabs);
      CommandBench b;
      b.view.AddEntityToView(new CCircleEntity(3, nullptr, c.first.cx, c.first.cy, c.first.r));
      b.view.AddEntityToView(new CCircleEntity(0, nullptr, c.second.cx, c.second.cy, c.second.r));
      auto* cmd = b.Push(new CTangentArcCmd(50, c.mode));
      for (int i = 0; i < tabs; ++i) b.Char(9, 0, 0);
      b.Click(c.pick1.x, c.pick1.y);
      EXPECT_EQ(b.view.GetSelectionCount(), 1);  // the first circle is highlighted
      auto driver = AnswerRadius(c.typedRadius);
      b.Click(c.pick2.x, c.pick2.y);
      if (c.place) {
        EXPECT_EQ(cmd->GetMode(), c.classified);
        EXPECT_NEAR(cmd->GetArcRadius(), c.arcRadius, 1e-9);
        b.Move(c.place->x, c.place->y);
        b.Click(c.place->x, c.place->y);
      }
      EXPECT_EQ(cmd->GetMode(), c.mode);  // restored after the arc
      EXPECT_EQ(b.view.GetSelectionCount(), 0);
      const std::vector<ArcShape> arcs = Arcs(b.view);
      ASSERT_EQ(arcs.size(), 1u);
      const ArcShape& a = arcs[0];
      EXPECT_NEAR(a.r, c.arcRadius, 1e-9);
      if (c.centre) {
        EXPECT_NEAR(a.cx, c.centre->x, 1e-9);
        EXPECT_NEAR(a.cy, c.centre->y, 1e-9);
      }
      // Each end is a tangent point: it lies on its circle.
      const bool forward = OnCircle(a.StartPoint(), c.first) && OnCircle(a.EndPoint(), c.second);
      const bool backward = OnCircle(a.StartPoint(), c.second) && OnCircle(a.EndPoint(), c.first);
      EXPECT_TRUE(forward || backward);
      EXPECT_LE(Sweep(a), 180.0 + 1e-9);
      EXPECT_EQ(b.view.GetUndoCount(), 1);
    }
  }
}

namespace {
// The tangent arc with the containment refinement left out, so that mode 1
// meets a circle lying inside the other and its offset turns negative.
class CUnrefinedTangentArcCmd : public CTangentArcCmd {
 public:
  using CTangentArcCmd::CTangentArcCmd;
  void ClassifyCircles(CDraftView* view) override {
    const int mode = mode_;
    CTangentArcCmd::ClassifyCircles(view);
    mode_ = mode;
  }
};
}  // namespace

TEST_F(ArcTest, InModeThirteenTheEnclosedCircleIsTouchedOnItsFarSide) {
  // The arc (radius 20) lies inside the big circle and encloses the small
  // one, whose circle holds the arc's centre: its near crossing lies on
  // the wrong side of the centre.
  const Circle big{100, 100, 30}, small{110, 100, 12};
  CommandBench b;
  b.view.AddEntityToView(new CCircleEntity(0, nullptr, big.cx, big.cy, big.r));
  b.view.AddEntityToView(new CCircleEntity(0, nullptr, small.cx, small.cy, small.r));
  b.Push(new CUnrefinedTangentArcCmd(50, 1));
  b.Click(100, 130);
  auto driver = AnswerRadius(20);
  b.Click(122, 100);
  const std::vector<ArcShape> arcs = Arcs(b.view);
  ASSERT_EQ(arcs.size(), 1u);
  const ArcShape& a = arcs[0];
  EXPECT_NEAR(a.cx, 106.8, 1e-9);
  EXPECT_NEAR(GetPointDistance(a.cx, a.cy, big.cx, big.cy), big.r - a.r, 1e-9);
  EXPECT_NEAR(GetPointDistance(a.cx, a.cy, small.cx, small.cy), a.r - small.r, 1e-9);
  EXPECT_TRUE(OnCircle(a.StartPoint(), big) || OnCircle(a.EndPoint(), big));
  EXPECT_TRUE(OnCircle(a.StartPoint(), small) || OnCircle(a.EndPoint(), small));
}

TEST_F(ArcTest, ATangentRadiusWithoutACentreAsksAgainOrGivesUp) {
  for (int answer : {IDOK, IDCANCEL}) {
    CommandBench b;
    b.answer = answer;
    b.view.AddEntityToView(new CCircleEntity(0, nullptr, 0, 100, 10));
    b.view.AddEntityToView(new CCircleEntity(0, nullptr, 200, 100, 10));
    b.Push(new CTangentArcCmd(50, 2));
    b.Click(0, 110);
    std::vector<double> radii = {20, 100};  // 20 is too small to reach both
    size_t next = 0;
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      char text[32];
      std::snprintf(text, sizeof text, "%g", radii.at(next++));
      s.EnterText(1004, CStringA(text));
      s.Click(IDOK);
    });
    b.Click(200, 110);
    ASSERT_EQ(b.boxes.size(), 1u);
    EXPECT_EQ(b.boxes[0], "公切园半径不合要求,重新输入吗?");
    EXPECT_EQ(Arcs(b.view).size(), answer == IDOK ? 1u : 0u);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    EXPECT_EQ(GetProfileStringSetting("GongQieYuan", "r", ""), answer == IDOK ? "100.000" : "20.000");
  }
}

TEST_F(ArcTest, ArcByCentreRoundsTheSweepToWholeAngleSteps) {
  struct Case {
    double pointerAngle;
    int tabs;
    double start, end;
  };
  const Case cases[] = {
      {36.0, 0, 0.0, 30.0},           // 2.4 steps: down to 2
      {37.5 + 1e-7, 0, 0.0, 45.0},    // 2.5 steps: away from the start
      {-36.0, 1, 330.0, 360.0},       // odd TAB: from the pointer's angle to point 1's, 2.4 steps -> 2
      {300.0, 0, 0.0, 300.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointerAngle);
    CommandBench b;
    b.view.SetAngleStep(15.0);
    b.Push(new CArcCenterAltCmd(51));
    TypePoint(b, 100, 100);
    TypePoint(b, 150, 100);
    EXPECT_EQ(b.stack.GetPrompt(), "输入圆弧的终点(TAB：选择圆弧,SHIFT: 切换为输入相对角度)");
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 100, 150);
    const double a = c.pointerAngle * kPi / 180;
    TypePoint(b, 100 + 40 * std::cos(a), 100 + 40 * std::sin(a));
    const std::vector<ArcShape> arcs = Arcs(b.view);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0].r, 50, 1e-9);
    double start = arcs[0].start, end = arcs[0].end;
    EXPECT_NEAR(NormalizeAngle(start), NormalizeAngle(c.start), 1e-6);
    EXPECT_NEAR(end - start, c.end - c.start, 1e-6);
    // The sector's two radii follow the arc in one record.
    EXPECT_EQ(b.Lines().size(), 2u);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
  }
}

TEST_F(ArcTest, ArcByCentreTakesATypedAbsoluteOrRelativeEndAngle) {
  struct Case {
    bool relative;
    const char* typed;
    int tabs;
    double sweep;
  };
  // The start lies at 45 degrees; a typed angle is kept even where it is
  // not a whole number of angle steps (15 degrees).
  const Case cases[] = {
      {false, "90", 0, 45.0}, {true, "90", 0, 90.0}, {false, "92", 0, 47.0},
      {true, "47", 0, 47.0},  {false, "92", 1, 313.0},  // odd TAB: from the typed angle round to the start
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.relative ? "relative " : "absolute ") << c.typed << " tabs " << c.tabs);
    CommandBench b;
    b.view.SetAngleStep(15.0);
    b.Push(new CArcCenterCmd(51));
    TypePoint(b, 0, 0);
    TypePoint(b, 10, 10);  // start at 45 degrees
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 0, 20);
    if (c.relative) b.Key(16);
    EXPECT_EQ(b.stack.GetPrompt(), c.relative ? "输入圆弧的终点(TAB：选择圆弧,SHIFT: 切换为输入绝对角度)"
                                              : "输入圆弧的终点(TAB：选择圆弧,SHIFT: 切换为输入相对角度)");
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), c.relative ? "输入相对角度" : "输入绝对角度");
      s.EnterText(1062, CStringA(c.typed));
      s.Click(IDOK);
    });
    b.Char('9', 0, 20);
    const std::vector<ArcShape> arcs = Arcs(b.view);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(Sweep(arcs[0]), c.sweep, 1e-6);
  }
  // The next arc's end follows the pointer in whole steps again.
  CommandBench b;
  b.view.SetAngleStep(15.0);
  b.Push(new CArcCenterCmd(51));
  TypePoint(b, 0, 0);
  TypePoint(b, 10, 0);
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      s.EnterText(1062, CStringA("47"));
      s.Click(IDOK);
    });
    b.Char('4', 0, 20);
  }
  TypePoint(b, 0, 0);
  TypePoint(b, 10, 0);
  TypePoint(b, 10 * std::cos(47 * kPi / 180), 10 * std::sin(47 * kPi / 180));
  const std::vector<ArcShape> arcs = Arcs(b.view);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_NEAR(Sweep(arcs[0]), 47.0, 1e-6);
  EXPECT_NEAR(Sweep(arcs[1]), 45.0, 1e-6);
}

TEST_F(ArcTest, ThreePointArcAndItsSegmentVariant) {
  struct Case {
    bool chord;
    int tabs;
    double start, end;
  };
  for (const Case& c : {Case{false, 0, 0, 180}, Case{true, 0, 0, 180}, Case{false, 1, 180, 360}}) {
    CommandBench b;
    if (c.chord)
      b.Push(new CArc3PointAltCmd(52));
    else
      b.Push(new CArc3PointCmd(52));
    b.Click(0, 0);
    b.Click(20, 0);
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 10, 10);
    b.Click(10, 10);
    const std::vector<ArcShape> arcs = Arcs(b.view);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0].cx, 10, 1e-9);
    EXPECT_NEAR(arcs[0].r, 10, 1e-9);
    EXPECT_NEAR(NormalizeAngle(arcs[0].start), NormalizeAngle(c.start), 1e-9);
    EXPECT_NEAR(Sweep(arcs[0]), 180, 1e-9);
    ExpectLines(b.Lines(), c.chord ? std::vector<Line>{{0, 0, 20, 0}} : std::vector<Line>{});
  }
  // Collinear points: nothing, and the points are dropped.
  CommandBench b;
  auto* cmd = b.Push(new CArc3PointCmd(52));
  b.Click(0, 0);
  b.Click(10, 0);
  b.Click(20, 0);
  EXPECT_TRUE(Arcs(b.view).empty());
  EXPECT_EQ(cmd->GetStep(), 0);
}

TEST_F(ArcTest, ArcFromALineEndLeavesItTangentially) {
  CommandBench b;
  b.view.AddEntityToView(new CLineEntity(4, nullptr, 0, 100, 50, 100));
  auto* cmd = b.Push(new CArcFromEndCmd(53));
  EXPECT_EQ(b.stack.GetPrompt(), "选择直线或圆(弧)");
  b.Click(48, 100);
  ASSERT_NE(cmd->GetPickedEntity(), nullptr);
  EXPECT_EQ(b.stack.GetPrompt(), "左键确定圆弧另一端点");
  b.Click(50, 120);
  const std::vector<ArcShape> arcs = Arcs(b.view);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0].cx, 50, 1e-9);
  EXPECT_NEAR(arcs[0].cy, 110, 1e-9);
  EXPECT_NEAR(arcs[0].r, 10, 1e-9);
  EXPECT_NEAR(NormalizeAngle(arcs[0].start), 270, 1e-9);
  EXPECT_NEAR(Sweep(arcs[0]), 180, 1e-9);
  EXPECT_EQ(b.view.GetEntityList()->GetTail()->GetEntityLayer(), 4);  // the line's layer
  EXPECT_EQ(cmd->GetPickedEntity(), nullptr);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  // A click on nothing picks nothing and takes no point.
  b.Click(300, 300);
  EXPECT_EQ(cmd->GetStep(), 0);
  // A click straight ahead on the line's carrier gives no arc: the click is
  // taken back and the line stays picked for the next one.
  b.Click(2, 100);
  ASSERT_NE(cmd->GetPickedEntity(), nullptr);
  b.Click(80, 100);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_NE(cmd->GetPickedEntity(), nullptr);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.Click(50, 80);
  EXPECT_EQ(Arcs(b.view).size(), 2u);
  EXPECT_EQ(cmd->GetStep(), 0);
}

// A cursor snapped onto an entity's end is where the arc ends: its radius
// (11.85) is not rounded to whole length steps.
TEST_F(ArcTest, ArcFromALineEndEndsOnASnappedPoint) {
  CommandBench b;
  b.view.SetSnapModes(kSnapEnd);
  b.view.AddEntityToView(new CLineEntity(0, nullptr, 0, 100, 50, 100));
  b.view.AddEntityToView(new CLineEntity(0, nullptr, 60.3, 117.7, 90, 150));
  b.Push(new CArcFromEndCmd(53));
  b.Click(48, 100);
  b.Move(61, 118);
  b.Click(61, 118);
  const std::vector<ArcShape> arcs = Arcs(b.view);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0].cx, 50, 1e-9);
  // One end leaves the line at (50, 100), the other is the snapped point.
  const GPoint start = arcs[0].StartPoint(), end = arcs[0].EndPoint();
  const bool endsAtLine = OnCircle(end, {50, 100, 0});
  const GPoint snapped = endsAtLine ? start : end;
  EXPECT_TRUE(OnCircle(endsAtLine ? end : start, {50, 100, 0}));
  EXPECT_NEAR(snapped.x, 60.3, 1e-9);
  EXPECT_NEAR(snapped.y, 117.7, 1e-9);
  EXPECT_NEAR(arcs[0].r, (10.3 * 10.3 + 17.7 * 17.7) / (2 * 17.7), 1e-9);
}

TEST_F(ArcTest, ChangeArcTurnsSelectedArcsIntoCirclesAndEnds) {
  CommandBench b;
  auto* arc = new CArcEntity(3, nullptr, 10, 10, 5, 0, 90);
  auto* line = new CLineEntity(0, nullptr, 0, 0, 50, 0);
  b.view.AddEntityToView(arc);
  b.view.AddEntityToView(line);
  {
    CEntityList lines;
    lines.AddTail(line);
    b.view.SelectEntities(lines);
    auto* cmd = new CChangeArcCmd(54, &b.view);
    b.stack.Push(&b.view, cmd);
    EXPECT_EQ(b.stack.GetCurrent(), nullptr);  // ended at once
    EXPECT_EQ(b.view.GetUndoCount(), 0);       // lines only: nothing recorded
    b.view.ClearSelection();
  }
  CEntityList both;
  both.AddTail(arc);
  both.AddTail(line);
  b.view.SelectEntities(both);
  b.stack.Push(&b.view, new CChangeArcCmd(54, &b.view));
  EXPECT_EQ(b.stack.GetCurrent(), nullptr);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  bool circleFound = false;
  for (CEntity* e : *b.view.GetEntityList()) {
    EXPECT_FALSE(e->IsArc());
    if (e->IsCircle()) {
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      EXPECT_EQ(std::vector<double>(v, v + 3), (std::vector<double>{10, 10, 5}));
      EXPECT_EQ(e->GetEntityLayer(), 3);
      // A drawing entity, not a command's own: a later command that deletes
      // its temporary picks must leave it to the drawing.
      EXPECT_FALSE(e->IsTemporary());
      circleFound = true;
    }
  }
  EXPECT_TRUE(circleFound);
  ASSERT_TRUE(b.view.Undo());
  EXPECT_TRUE(b.view.IsInDrawing(arc));
}

TEST_F(ArcTest, ChangeArcPicksByClickOrWindowUntilTheRightButton) {
  CommandBench b;
  b.view.AddEntityToView(new CArcEntity(0, nullptr, 100, 100, 10, 0, 180));
  b.view.AddEntityToView(new CArcEntity(0, nullptr, 300, 100, 10, 0, 180));
  auto* cmd = new CChangeArcCmd(54, &b.view);
  b.stack.Push(&b.view, cmd);
  ASSERT_EQ(b.stack.GetCurrent(), cmd);
  b.Click(110, 100);  // on the first arc
  EXPECT_EQ(Arcs(b.view).size(), 1u);
  b.Click(250, 50);  // nothing: a window corner
  EXPECT_EQ(b.stack.GetPrompt(), "输入选择的第二角点");
  b.Click(350, 150);
  EXPECT_TRUE(Arcs(b.view).empty());
  EXPECT_EQ(b.view.GetUndoCount(), 2);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  EXPECT_EQ(b.stack.GetCurrent(), nullptr);
}

// Arcs that are members of a block become circles in the arcs' places in
// the block; undo and redo restore membership and places.
TEST_F(ArcTest, ChangeArcKeepsABlockMemberInItsBlock) {
  struct Row {
    const char* name;
    std::vector<GPoint> clicks;  // a click on an arc, or two window corners
    std::vector<int> turned;     // the places that become circles
  };
  const Row rows[] = {
      {"a click on the second arc", {{210, 100}}, {3}},
      {"a window round the block", {{50, 50}, {350, 150}}, {1, 3}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CommandBench b;
    CBlockEntity* block = ConstructBlockEntity(0, nullptr);
    std::vector<CEntity*> original = {
        new CLineEntity(0, nullptr, 60, 100, 90, 100), new CArcEntity(2, nullptr, 100, 100, 10, 0, 180),
        new CLineEntity(0, nullptr, 110, 100, 190, 100), new CArcEntity(2, nullptr, 200, 100, 10, 0, 180),
        new CLineEntity(0, nullptr, 210, 100, 300, 100)};
    for (CEntity* e : original) block->AddMember(e);
    b.view.AddEntityToView(block);
    auto members = [block] {
      std::vector<CEntity*> out;
      for (int i = 0; i < block->GetMemberCount(); ++i) out.push_back(block->GetMember(i));
      return out;
    };
    b.Push(new CChangeArcCmd(54, &b.view));
    for (const GPoint& p : row.clicks) b.Click(p.x, p.y);
    ASSERT_EQ(b.view.GetUndoCount(), 1);
    const std::vector<CEntity*> changed = members();
    ASSERT_EQ(changed.size(), original.size());
    for (size_t i = 0; i < changed.size(); ++i) {
      const bool turned = std::find(row.turned.begin(), row.turned.end(), static_cast<int>(i)) != row.turned.end();
      EXPECT_EQ(changed[i]->IsCircle(), turned) << "place " << i;
      EXPECT_EQ(changed[i] == original[i], !turned) << "place " << i;
      EXPECT_EQ(changed[i]->GetEntityOwner(), block);
      if (turned) {
        EXPECT_EQ(changed[i]->GetEntityLayer(), 2);
      }
    }
    EXPECT_EQ(b.view.GetEntityList()->GetCount(), 1);  // the block alone
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(b.view.Undo());
      EXPECT_EQ(members(), original);
      ASSERT_TRUE(b.view.Redo());
      EXPECT_EQ(members(), changed);
    }
  }
}

TEST_F(ArcTest, ArcFromAnArcEndContinuesItsCircle) {
  CommandBench b;
  b.view.AddEntityToView(new CArcEntity(0, nullptr, 100, 100, 10, 0, 90));
  b.Push(new CArcFromEndCmd(53));
  b.Click(100, 109);  // near the second end, (100, 110)
  b.Click(90, 100);
  const std::vector<ArcShape> arcs = Arcs(b.view);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_NEAR(arcs[1].cx, 100, 1e-9);
  EXPECT_NEAR(arcs[1].cy, 100, 1e-9);
  EXPECT_NEAR(arcs[1].r, 10, 1e-9);
  EXPECT_NEAR(NormalizeAngle(arcs[1].start), 90, 1e-9);
  EXPECT_NEAR(Sweep(arcs[1]), 90, 1e-9);
}

TEST_F(ArcTest, ATypedAnglePlacesTheArcOnTheRingOfConcentricCircles) {
  CommandBench b;
  b.view.AddEntityToView(new CCircleEntity(0, nullptr, 100, 100, 10));
  b.view.AddEntityToView(new CCircleEntity(0, nullptr, 100, 100, 30));
  auto* cmd = b.Push(new CTangentArcCmd(50, 3));
  b.Click(110, 100);
  b.Click(130, 100);
  EXPECT_EQ(cmd->GetMode(), 4);
  platform::ScopedModalDriver driver([](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Caption()), "输入弧中心角度");
    s.EnterText(1062, CStringA("90"));
    s.Click(IDOK);
  });
  b.Char('9', 140, 140);
  const std::vector<ArcShape> arcs = Arcs(b.view);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0].cx, 100, 1e-9);
  EXPECT_NEAR(arcs[0].cy, 120, 1e-9);
  EXPECT_NEAR(arcs[0].r, 10, 1e-9);
}
