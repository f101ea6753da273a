#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draft/construct/ProjectionCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"

namespace {

constexpr int kOutlineLayer = 0;
constexpr int kCentreLayer = 2;
constexpr int kDashedLayer = 3;

struct PlacedCircle {
  double r;
  int layer;
};

// A stepped shaft on the axis y = 100 from x = 0 to 200: radius 20 from 0
// to 100, radius 10 from 100 to 200, with its end faces and the step.
void AddSteppedShaft(CDraftView& view) {
  view.AddEntityToView(ConstructLineEntity(kCentreLayer, nullptr, -5, 100, 205, 100));
  const Line outline[] = {{0, 120, 100, 120},   {0, 80, 100, 80},     {100, 110, 200, 110}, {100, 90, 200, 90},
                          {0, 80, 0, 120},      {100, 80, 100, 120},  {200, 90, 200, 110}};
  for (const Line& l : outline) view.AddEntityToView(ConstructLineEntity(kOutlineLayer, nullptr, l[0], l[1], l[2], l[3]));
}

std::vector<PlacedCircle> PlacedCircles(CDraftView& view) {
  std::vector<PlacedCircle> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsCircle() && e->GetGeometry(v) >= 3) out.push_back({v[2], e->GetEntityLayer()});
  }
  return out;
}

// The axis picked and the whole shaft taken with one window; the command
// then waits at step 1 for the next range.
CProjectionCmd* CollectShaft(CommandBench& b) {
  AddSteppedShaft(b.view);
  auto* cmd = b.Push(new CProjectionCmd(315));
  b.Click(50, 100);
  EXPECT_NE(cmd->GetAxis(), nullptr);
  EXPECT_EQ(b.stack.GetPrompt(), "输入投影范围第一角点(TAB：投影点)");
  b.Click(-10, 60);
  EXPECT_EQ(b.stack.GetPrompt(), "输入投影范围第二角点");
  b.Click(210, 140);
  EXPECT_EQ(cmd->GetStep(), 1);
  return cmd;
}

}  // namespace

// Lines at one distance merge into one entry spanning their axial range.
TEST(Projection, EqualDistancesMergeIntoOneEntryWithTheirAxialRange) {
  CommandBench b;
  CProjectionCmd* cmd = CollectShaft(b);
  ASSERT_EQ(cmd->GetDistanceCount(), 2);
  const double want[2][3] = {{20, 0, 100}, {10, 100, 200}};
  for (int i = 0; i < 2; ++i) {
    const int k = std::fabs(cmd->GetDistance(0) - want[i][0]) < 1e-9 ? 0 : 1;
    EXPECT_NEAR(cmd->GetDistance(k), want[i][0], 1e-9);
    EXPECT_NEAR(cmd->GetFirstAxial(k), want[i][1], 1e-9);
    EXPECT_NEAR(cmd->GetLastAxial(k), want[i][2], 1e-9);
  }
  // A single point on an outline widens its entry.
  cmd->CollectDistances(&b.view, 150, 120, 150, 120);
  EXPECT_EQ(cmd->GetDistanceCount(), 2);
  cmd->CollectDistances(&b.view, 150, 125, 150, 125);
  EXPECT_EQ(cmd->GetDistanceCount(), 3);
}

// A window across the middle of an outline parallel to the axis takes the
// outline by its second end; lines across the axis count only by their ends.
TEST(Projection, AWindowAcrossAnOutlineTakesItsSecondEnd) {
  CommandBench b;
  AddSteppedShaft(b.view);
  auto* cmd = b.Push(new CProjectionCmd(315));
  b.Click(50, 100);
  cmd->CollectDistances(&b.view, 20, 60, 40, 140);
  ASSERT_EQ(cmd->GetDistanceCount(), 1);
  EXPECT_NEAR(cmd->GetDistance(0), 20, 1e-9);
  EXPECT_NEAR(cmd->GetFirstAxial(0), 100, 1e-9);
  EXPECT_NEAR(cmd->GetLastAxial(0), 100, 1e-9);
  cmd->CollectDistances(&b.view, -5, 70, 5, 130);  // the end face with its two ends
  ASSERT_EQ(cmd->GetDistanceCount(), 1);
  EXPECT_NEAR(cmd->GetFirstAxial(0), 0, 1e-9);
}

// A hole axis gives a centre-line distance unless an outline lies at the
// same distance, whichever window comes first.
TEST(Projection, AnOutlineOnAHoleAxisDistanceDisablesIt) {
  for (bool outlineFirst : {false, true}) {
    SCOPED_TRACE(outlineFirst);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(kCentreLayer, nullptr, -5, 100, 205, 100));
    b.view.AddEntityToView(ConstructLineEntity(kCentreLayer, nullptr, 20, 105, 60, 105));     // hole axis
    b.view.AddEntityToView(ConstructLineEntity(kOutlineLayer, nullptr, 120, 105, 160, 105));  // outline at 5
    auto* cmd = b.Push(new CProjectionCmd(315));
    b.Click(50, 100);
    const double holeWindow[4] = {0, 102, 80, 108}, outlineWindow[4] = {110, 102, 170, 108};
    const double* windows[2] = {outlineFirst ? outlineWindow : holeWindow, outlineFirst ? holeWindow : outlineWindow};
    cmd->CollectDistances(&b.view, windows[0][0], windows[0][1], windows[0][2], windows[0][3]);
    if (!outlineFirst) {
      ASSERT_EQ(cmd->GetCentreDistanceCount(), 1);
      EXPECT_NEAR(cmd->GetCentreDistance(0), 5, 1e-9);
    }
    cmd->CollectDistances(&b.view, windows[1][0], windows[1][1], windows[1][2], windows[1][3]);
    EXPECT_EQ(cmd->GetDistanceCount(), 1);
    for (int k = 0; k < cmd->GetCentreDistanceCount(); ++k) EXPECT_EQ(cmd->GetCentreDistance(k), 0.0);
  }
}

// Each window stops after the line that lifts the table above 14 entries,
// so windows over fresh lines add one each from then on; they never take it
// past its 30.
TEST(Projection, RepeatedWindowsStopAtThirtyDistances) {
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(kCentreLayer, nullptr, -5, 100, 205, 100));
  for (int k = 1; k <= 75; ++k)
    b.view.AddEntityToView(ConstructLineEntity(kOutlineLayer, nullptr, 10, 100 + k, 20, 100 + k));
  auto* cmd = b.Push(new CProjectionCmd(315));
  b.Click(50, 100);
  std::vector<int> counts;
  for (int w = 0; w < 25; ++w) {
    cmd->CollectDistances(&b.view, 30, 100.5 + 3 * w, 0, 103.5 + 3 * w);  // three fresh lines
    counts.push_back(cmd->GetDistanceCount());
  }
  EXPECT_EQ(counts[3], 12);
  EXPECT_EQ(counts[4], 15);
  EXPECT_EQ(counts[5], 16);
  EXPECT_EQ(counts.back(), CProjectionCmd::kMaxDistances);
  // A single point beyond the table is ignored.
  cmd->CollectDistances(&b.view, 15, 190, 15, 190);
  EXPECT_EQ(cmd->GetDistanceCount(), CProjectionCmd::kMaxDistances);
}

// The step hides the thinner part from the thick end and shows it from the
// thin end; the cross is drawn by the TAB counter mod 4.
TEST(Projection, HiddenCirclesAndTheCrossOfASteppedShaftSeenFromBothSides) {
  struct Case {
    double x;  // where the circles are placed
    int tabs;
    int thinLayer;
    int crossLines;
    bool along, across;
  };
  const Case cases[] = {
      {300, 0, kDashedLayer, 2, true, true},   // looking from the thick end
      {-100, 0, kOutlineLayer, 2, true, true}, // looking from the thin end
      {300, 1, kDashedLayer, 0, false, false},
      {300, 2, kDashedLayer, 1, false, true},
      {300, 3, kDashedLayer, 1, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << " tabs " << c.tabs);
    CommandBench b;
    CProjectionCmd* cmd = CollectShaft(b);
    const size_t before = b.Lines().size();
    b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
    EXPECT_EQ(cmd->GetStep(), 2);
    EXPECT_EQ(cmd->IsCollecting(), 0);
    EXPECT_NEAR(cmd->GetCrossHalfLength(), 25, 1e-9);
    for (int t = 0; t < c.tabs; ++t) b.Char(9, c.x, 150);
    b.Click(c.x, 150);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(cmd->GetStep(), 0);
    EXPECT_EQ(cmd->GetAxis(), nullptr);
    const std::vector<PlacedCircle> circles = PlacedCircles(b.view);
    ASSERT_EQ(circles.size(), 2u);
    for (const PlacedCircle& pc : circles) EXPECT_EQ(pc.layer, pc.r < 15 ? c.thinLayer : kOutlineLayer) << pc.r;
    std::vector<Line> lines = b.Lines();
    lines.erase(lines.begin(), lines.begin() + static_cast<long>(before));
    ASSERT_EQ(static_cast<int>(lines.size()), c.crossLines);
    std::vector<Line> want;
    if (c.along) want.push_back({c.x + 25, 150, c.x - 25, 150});
    if (c.across) want.push_back({c.x, 175, c.x, 125});
    ExpectLines(lines, want, 1e-6);
  }
}

// A first click beside every centre line starts a window; one that holds
// the axis and outlines makes the next click place the circles.
TEST(Projection, AFirstWindowHoldingTheAxisGoesStraightToPlacing) {
  CommandBench b;
  AddSteppedShaft(b.view);
  auto* cmd = b.Push(new CProjectionCmd(315));
  b.Click(-10, 60);
  EXPECT_EQ(cmd->GetAxis(), nullptr);
  EXPECT_EQ(cmd->IsWindowPending(), 1);
  b.Click(210, 140);
  EXPECT_NE(cmd->GetAxis(), nullptr);
  EXPECT_EQ(cmd->IsCollecting(), 0);
  EXPECT_NEAR(cmd->GetCrossHalfLength(), 25, 1e-9);
  b.Click(300, 150);
  EXPECT_EQ(PlacedCircles(b.view).size(), 2u);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  // The right button with nothing collected ends the command.
  EXPECT_EQ(b.stack.GetCount(), 1);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  EXPECT_EQ(b.stack.GetCount(), 0);
}
