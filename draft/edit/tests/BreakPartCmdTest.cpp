// Breaking into parts: the mode the flags give, a line cut by two
// crossings in each mode, the change-layer mode on the current layer, an
// arc and a circle between their crossings, and the break as one undo step.
#include <gtest/gtest.h>

#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/BreakPartCmd.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/TwoPointEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/testsupport/EntityValues.h"

namespace {

using PartValues = std::vector<double>;

// The drawing's lines, arcs and circles with their layers, in drawing order.
std::vector<PartValues> PartDrawing(CDraftView& view) {
  std::vector<PartValues> out;
  for (CEntity* e : *view.GetEntityList()) {
    PartValues v = drafttest::Geometry(e);
    v.push_back(e->GetEntityLayer());
    out.push_back(v);
  }
  return out;
}

void ExpectParts(CDraftView& view, const std::vector<PartValues>& expected) {
  const std::vector<PartValues> shown = PartDrawing(view);
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    ASSERT_EQ(shown[i].size(), expected[i].size()) << "entity " << i;
    for (size_t k = 0; k < shown[i].size(); ++k)
      EXPECT_NEAR(shown[i][k], expected[i][k], 1e-6) << "entity " << i << " value " << k;
  }
}

// A horizontal line from (100, 300) to (500, 300) crossed by two vertical
// lines at x 200 and x 400.
void CrossedLine(CommandBench& b) {
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 200, 200, 400));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 400, 200, 400, 400));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 300, 500, 300));
}

TEST(BreakPartCmd, TheChangeLayerFlagComesBeforeKeepAndKeepBeforeCut) {
  const struct {
    int cut, keep, layer, mode;
  } cases[] = {{1, 0, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 2}, {1, 1, 0, 1}, {1, 1, 1, 2}, {0, 1, 1, 2}, {0, 0, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(CBreakPartCmd(306, c.cut, c.keep, c.layer).GetMode(), c.mode);
  EXPECT_EQ(CBreakPartCmd(306, 1, 0, 0).GetPrompt(), "选择截断部分");
  EXPECT_EQ(CBreakPartCmd(306, 0, 1, 0).GetPrompt(), "选择保留部分");
  EXPECT_EQ(CBreakPartCmd(306, 0, 0, 1).GetPrompt(), "选择改变图层部分");
}

TEST(BreakPartCmd, ALineCutByTwoCrossings) {
  const PartValues left = {200, 200, 200, 400, 0}, right = {400, 200, 400, 400, 0};
  const struct {
    int cut, keep, layer;
    std::vector<PartValues> drawing;
  } cases[] = {
      {1, 0, 0, {left, right, {100, 300, 200, 300, 0}, {400, 300, 500, 300, 0}}},
      {0, 1, 0, {left, right, {200, 300, 400, 300, 0}}},
      {0, 0, 1, {left, right, {100, 300, 200, 300, 0}, {400, 300, 500, 300, 0}, {200, 300, 400, 300, 5}}},
  };
  for (const auto& c : cases) {
    CommandBench b;
    b.view.SetCurrentLayer(5);
    CrossedLine(b);
    b.Push(new CBreakPartCmd(306, c.cut, c.keep, c.layer));
    b.Click(300, 300);
    ExpectParts(b.view, c.drawing);
    ASSERT_EQ(b.view.GetUndoCount(), 1);
    ASSERT_TRUE(b.view.Undo());
    ExpectParts(b.view, {left, right, {100, 300, 500, 300, 0}});
  }
}

TEST(BreakPartCmd, NothingChangesOnTheCurrentLayerOrWithoutCrossingsToKeep) {
  CommandBench b;
  CrossedLine(b);  // everything on layer 0, the current layer
  b.Push(new CBreakPartCmd(308, 0, 0, 1));
  b.Click(300, 300);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  CommandBench lone;
  lone.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
  lone.Push(new CBreakPartCmd(307, 0, 1, 0));
  lone.Click(200, 100);
  EXPECT_EQ(lone.view.GetUndoCount(), 0);
  ExpectParts(lone.view, {{100, 100, 300, 100, 0}});
}

TEST(BreakPartCmd, ArcsAndCirclesBreakBetweenTheirCrossings) {
  // A circle of radius 100 about (300, 300) crossed by a horizontal line:
  // the crossings at 0 and 180 degrees; the pick at the top cuts the upper
  // half away, leaving the lower half.
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 150, 300, 450, 300));
  b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 100));
  b.Push(new CBreakPartCmd(306, 1, 0, 0));
  b.Click(300, 400);
  ExpectParts(b.view, {{150, 300, 450, 300, 0}, {300, 300, 100, 180, 0, 0}});
  // The remaining lower arc, picked at its bottom, kept between its ends:
  // nothing to keep alone (no crossing inside it).
  b.Push(new CBreakPartCmd(307, 0, 1, 0));
  b.Click(300, 200);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  // A vertical line through the bottom splits the arc; cutting at the
  // lower left leaves the right quarter.
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 150, 300, 250));
  b.Push(new CBreakPartCmd(306, 1, 0, 0));
  b.Click(300 - 70.7107, 300 - 70.7107);
  ExpectParts(b.view, {{150, 300, 450, 300, 0}, {300, 150, 300, 250, 0}, {300, 300, 100, 270, 0, 0}});
}

TEST(BreakPartCmd, TwoPointEntitiesAndCompoundCurveMembers) {
  // A two-point entity from (100, 300) to (500, 300) kept between the
  // crossings at x 200 and 400: a copy of it between them.
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 200, 200, 400));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 400, 200, 400, 400));
  CTwoPointEntity* wave = ConstructTwoPointEntity(0, nullptr, 4, 2);
  wave->SetEndPoints(100, 300, 500, 300, 1);
  b.view.AddEntityToView(wave);
  b.Push(new CBreakPartCmd(307, 0, 1, 0));
  b.Click(300, 300);
  std::vector<CEntity*> after;
  for (CEntity* e : *b.view.GetEntityList()) after.push_back(e);
  ASSERT_EQ(after.size(), 3u);
  ASSERT_TRUE(after[2]->IsTwoPointEntity());
  const PartValues kept = drafttest::Geometry(after[2]);
  ASSERT_GE(kept.size(), 4u);
  EXPECT_EQ(PartValues(kept.begin(), kept.begin() + 4), (PartValues{200, 300, 400, 300}));

  // A curve of two segments whose first is crossed at x 200: cutting its
  // start leaves the second segment and the rest of the first as lines.
  CommandBench c;
  c.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 200, 200, 400));
  CCurveEntity* curve = ConstructCurveEntity(0, nullptr, 0);
  curve->AddCurveSegment(100, 300, 300, 300, 1);
  curve->AddCurveSegment(300, 300, 300, 500, 1);
  c.view.AddEntityToView(curve);
  c.Push(new CBreakPartCmd(306, 1, 0, 0));
  c.Click(150, 300);
  ExpectParts(c.view, {{200, 200, 200, 400, 0}, {300, 300, 300, 500, 0}, {200, 300, 300, 300, 0}});
  ASSERT_TRUE(c.view.Undo());
  EXPECT_EQ(c.view.GetEntityList()->GetCount(), 2);
}

}  // namespace
