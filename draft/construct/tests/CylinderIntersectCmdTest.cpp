#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/construct/CylinderIntersectCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"

namespace {

// Everything about the crossing of the axes at (200, 200).
constexpr double kX0 = 200, kY0 = 200;

struct PickedLine {
  Line line;
  double px, py;  // where it is clicked
};

// Adds the four lines and picks them in the order given; the made entity's
// segments (relative to the axes' crossing), or nothing.
std::vector<Line> Intersect(const std::vector<PickedLine>& picks, bool* compoundCurve = nullptr) {
  CommandBench b;
  for (const PickedLine& p : picks)
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, p.line[0], p.line[1], p.line[2], p.line[3]));
  auto* cmd = b.Push(new CCylinderIntersectCmd(316));
  const char* prompts[] = {"选择第一个柱或锥的轮廓线", "选择第二个柱或锥的中心线", "选择第二个柱或锥的轮廓线",
                           "选择第一个柱或锥的中心线"};
  for (size_t i = 0; i < picks.size(); ++i) {
    b.Click(picks[i].px, picks[i].py);
    EXPECT_EQ(b.stack.GetPrompt(), prompts[i]) << i;
  }
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  std::vector<Line> out;
  if (b.view.GetUndoCount() == 0) return out;
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  CEntity* made = b.view.GetEntityList()->GetTail();
  if (!made || !made->IsBlock()) {
    ADD_FAILURE() << "no compound made";
    return out;
  }
  if (compoundCurve) *compoundCurve = made->IsCompoundCurve() != FALSE;
  auto* block = static_cast<CBlockEntity*>(made);
  for (int i = 0; i < block->GetMemberCount(); ++i) {
    double v[kMaxGeometryValues];
    block->GetMember(i)->GetGeometry(v);
    out.push_back({v[0] - kX0, v[1] - kY0, v[2] - kX0, v[3] - kY0});
  }
  return out;
}

// A vertical cylinder of radius r on x = 200 reaching down to y = 190, and
// a horizontal one of radius R on y = 200, thin one first or thick one
// first.
std::vector<PickedLine> CrossedCylinders(double r, double R, bool thickFirst) {
  std::vector<PickedLine> thin = {{{kX0, kY0 - 10, kX0, kY0 + 70}, kX0, kY0 + 60},
                                  {{kX0 + r, kY0, kX0 + r, kY0 + 70}, kX0 + r, kY0 + 60}};
  std::vector<PickedLine> thick = {{{kX0 - 80, kY0, kX0 + 80, kY0}, kX0 - 60, kY0},
                                   {{kX0 - 80, kY0 + R, kX0 + 80, kY0 + R}, kX0 - 60, kY0 + R}};
  if (thickFirst) std::swap(thin, thick);
  thin.insert(thin.end(), thick.begin(), thick.end());
  return thin;
}

// A horizontal cylinder of radius r on y = 200 reaching to x = 210 and a
// cone on x = 200 whose outline runs from (170, 200) up to its apex at
// (200, 230): its radius at height y is 30 - (y - 200).
std::vector<PickedLine> CylinderAndCone(double r, bool coneFirst) {
  std::vector<PickedLine> cylinder = {{{kX0 - 80, kY0, kX0 + 10, kY0}, kX0 - 60, kY0},
                                      {{kX0 - 80, kY0 + r, kX0 + 10, kY0 + r}, kX0 - 60, kY0 + r}};
  std::vector<PickedLine> cone = {{{kX0, kY0 - 20, kX0, kY0 + 60}, kX0, kY0 + 50},
                                  {{kX0 - 40, kY0 - 10, kX0, kY0 + 30}, kX0 - 35, kY0 - 5}};
  if (coneFirst) std::swap(cylinder, cone);
  cylinder.insert(cylinder.end(), cone.begin(), cone.end());
  return cylinder;
}

void ExpectSameSegments(const std::vector<Line>& a, const std::vector<Line>& b) { ExpectLines(a, b, 1e-9); }

// Every segment end of `segments`.
std::vector<GPoint> Ends(const std::vector<Line>& segments) {
  std::vector<GPoint> out;
  for (const Line& l : segments) {
    out.push_back({l[0], l[1]});
    out.push_back({l[2], l[3]});
  }
  return out;
}

}  // namespace

// Equal cylinders meet in two straight lines through the axes' crossing.
TEST(CylinderIntersect, EqualCylindersGiveTheThreePointLine) {
  const std::vector<Line> segments = Intersect(CrossedCylinders(30, 30, false));
  ExpectLines(segments, {{-30, 30, 0, 0}, {0, 0, 30, 30}}, 1e-6);
}

// Different cylinders at right angles: one curve of 16 segments from corner
// to corner whose points lie on both cylinders in space (the thin one
// x² + z² = r², the thick one y² + z² = R²), whichever is picked first.
TEST(CylinderIntersect, PerpendicularCylindersInEitherPickOrder) {
  const double r = 15, R = 30;
  bool curve = false;
  const std::vector<Line> thinFirst = Intersect(CrossedCylinders(r, R, false), &curve);
  EXPECT_TRUE(curve);
  ASSERT_EQ(thinFirst.size(), 16u);
  ExpectSameSegments(Intersect(CrossedCylinders(r, R, true)), thinFirst);
  for (const GPoint& p : Ends(thinFirst)) {
    const double z2 = r * r - p.x * p.x;
    EXPECT_GE(z2, -1e-9) << p.x;
    EXPECT_NEAR(p.y * p.y + z2, R * R, 1e-6) << p.x << "," << p.y;
  }
  // From one corner where the outlines meet to the other, through the
  // thinner cylinder's axis towards the thicker one's.
  EXPECT_NEAR(std::fabs(thinFirst.front()[0]), r, 1e-9);
  EXPECT_NEAR(thinFirst.front()[1], R, 1e-9);
  EXPECT_NEAR(thinFirst.back()[2], -thinFirst.front()[0], 1e-9);
  double lowest = R;
  for (const GPoint& p : Ends(thinFirst)) lowest = std::min(lowest, p.y);
  EXPECT_NEAR(lowest, std::sqrt(R * R - r * r), 1e-6);
}

// A thin cylinder at 60 degrees to a thick one: the points lie on both in
// space, y² + z² = R² and d² + z² = r² with d the distance from the thin
// cylinder's axis, whichever is picked first.
TEST(CylinderIntersect, ObliqueCylindersInEitherPickOrder) {
  const double r = 10, R = 30;
  const double ux = 0.5, uy = std::sqrt(3.0) / 2;  // the thin axis's direction
  const double nx = -uy, ny = ux;                    // its left normal
  auto along = [&](double offset, double from, double to, double pickAt) {
    return PickedLine{{kX0 + offset * nx + from * ux, kY0 + offset * ny + from * uy, kX0 + offset * nx + to * ux,
                       kY0 + offset * ny + to * uy},
                      kX0 + offset * nx + pickAt * ux,
                      kY0 + offset * ny + pickAt * uy};
  };
  std::vector<PickedLine> thin = {along(0, -5, 80, 60), along(r, 0, 80, 60)};
  std::vector<PickedLine> thick = {{{kX0 - 80, kY0, kX0 + 80, kY0}, kX0 - 60, kY0},
                                   {{kX0 - 80, kY0 + R, kX0 + 80, kY0 + R}, kX0 - 60, kY0 + R}};
  std::vector<PickedLine> thinFirst = thin, thickFirst = thick;
  thinFirst.insert(thinFirst.end(), thick.begin(), thick.end());
  thickFirst.insert(thickFirst.end(), thin.begin(), thin.end());
  const std::vector<Line> segments = Intersect(thinFirst);
  ASSERT_EQ(segments.size(), 16u);
  ExpectSameSegments(Intersect(thickFirst), segments);
  for (const GPoint& p : Ends(segments)) {
    const double d = p.x * nx + p.y * ny;
    EXPECT_NEAR(p.y * p.y - d * d, R * R - r * r, 1e-6) << p.x << "," << p.y;
  }
}

// The three cases of a cylinder and a cone at right angles, by the
// cylinder's radius against the radius d of the sphere about the axes'
// crossing that touches the cone; the cone picked first or second.
TEST(CylinderIntersect, CylinderAndConeByTheTouchingSphere) {
  const double d = 30 / std::sqrt(2.0);
  struct Case {
    double r;
    size_t segments;
    bool curve;
  };
  const Case cases[] = {{10, 17, false}, {25, 16, true}, {d, 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.r);
    bool curve = !c.curve;
    const std::vector<Line> segments = Intersect(CylinderAndCone(c.r, false), &curve);
    EXPECT_EQ(curve, c.curve);
    ASSERT_EQ(segments.size(), c.segments);
    ExpectSameSegments(Intersect(CylinderAndCone(c.r, true)), segments);
    // Starts at the corner where the outlines meet.
    EXPECT_NEAR(segments.front()[0], -30 + c.r, 1e-6);
    EXPECT_NEAR(segments.front()[1], c.r, 1e-6);
    if (c.segments == 2) {
      // Meeting on the cone's axis where the sphere touches the cone, then
      // on to where the cone's outline meets the cylinder's other outline:
      // half of each of the two plane curves, seen edge on.
      EXPECT_NEAR(segments[0][2], 0, 1e-6);
      EXPECT_NEAR(segments[0][3], 15, 1e-6);
      EXPECT_NEAR(segments[1][2], -30 - c.r, 1e-6);
      EXPECT_NEAR(segments[1][3], -c.r, 1e-6);
      continue;
    }
    // On the cylinder (y² + z² = r²) and on the cone (x² + z² = (30 − y)²).
    for (const GPoint& p : Ends(segments)) {
      const double z2 = c.r * c.r - p.y * p.y;
      EXPECT_GE(z2, -1e-6);
      EXPECT_NEAR(p.x * p.x + z2, (30 - p.y) * (30 - p.y), 1e-4) << p.x << "," << p.y;
      if (!c.curve) {
        EXPECT_LE(p.x, 1e-9);  // on the corner's side of the cone's axis
      }
    }
    if (c.curve) {
      EXPECT_NEAR(segments[7][2], 0, 1e-6);  // point 8 on the cone's axis
      EXPECT_NEAR(segments.back()[2], 30 - c.r, 1e-6);
    }
  }
}

// Two cones, parallel cylinders and a circle picked instead of a line make
// nothing; the circle does not advance the step.
TEST(CylinderIntersect, TwoConesParallelAxesAndCirclesMakeNothing) {
  std::vector<PickedLine> cones = CylinderAndCone(10, false);
  cones[1].line = {kX0 - 80, kY0 + 20, kX0 + 10, kY0 + 10};  // the first body's outline meets its axis
  cones[1].px = kX0 - 62;
  cones[1].py = kY0 + 18;
  EXPECT_TRUE(Intersect(cones).empty());
  std::vector<PickedLine> parallel = CrossedCylinders(15, 30, false);
  parallel[2].line = {kX0 + 50, kY0 - 10, kX0 + 50, kY0 + 70};
  parallel[2].px = kX0 + 50;
  parallel[2].py = kY0 + 40;
  parallel[3].line = {kX0 + 80, kY0 - 10, kX0 + 80, kY0 + 70};
  parallel[3].px = kX0 + 80;
  parallel[3].py = kY0 + 40;
  EXPECT_TRUE(Intersect(parallel).empty());

  CommandBench b;
  b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 100, 100, 20));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 50, 300, 150, 300));
  auto* cmd = b.Push(new CCylinderIntersectCmd(316));
  b.Click(120, 100);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(cmd->GetLinesTaken(), 0);
  b.Click(100, 300);
  EXPECT_EQ(cmd->GetLinesTaken(), 1);
  b.Click(300, 500);  // nothing there
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(cmd->GetLinesTaken(), 1);
  EXPECT_EQ(b.view.GetSelectionCount(), 1);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  EXPECT_EQ(b.stack.GetCount(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 2);
}
