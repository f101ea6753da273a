#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/regions/MeasureAreaCmd.h"
#include "draft/regions/tests/ResultListAnswers.h"

namespace {
using drafttest::ResultRows;

// A bench that answers every result list, keeping its rows.
class AreaBench : public CommandBench, public drafttest::ResultListAnswers {
 public:
  AreaBench() {
    view.SetClientSize(800, 600);
  }
  CMeasureAreaCmd* Start() { return Push(new CMeasureAreaCmd(40, &view)); }
  void Box(double x0, double y0, double x1, double y1) {
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x0, y0, x1, y0));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y0, x1, y1));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x0, y1));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x0, y1, x0, y0));
  }
  void Right() { stack.OnRButton(0, At(1, 1), &view); }
};

std::string Gbk(const char* text) { return text; }  // texts of this source are GBK, as the command's
}  // namespace

// One region each, reported by the right button.
TEST(MeasureAreaCmdTest, MeasuresOneRegion) {
  struct Case {
    const char* name;
    std::function<void(AreaBench&)> build;
    GPoint click;
    const char* total;
  };
  const Case cases[] = {
      {"a circle of radius 10", [](AreaBench& b) { b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 10)); },
       {302, 300}, "314.16"},
      {"a ring", [](AreaBench& b) {
         b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 10));
         b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 5));
       },
       {307, 300}, "235.62"},
      {"a square with a half circle bulging outward", [](AreaBench& b) {
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 300, 310, 300));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 310, 300, 310, 310));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 310, 300, 300));
         b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 305, 310, 5, 0, 180));
       },
       {305, 305}, "139.27"},
      {"a square with a half circle bulging inward", [](AreaBench& b) {
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 300, 310, 300));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 310, 300, 310, 310));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 310, 300, 300));
         b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 305, 310, 5, 180, 360));
       },
       {305, 302}, "60.73"},
      {"three quarters of a disc (an arc of 270 degrees and two radii)", [](AreaBench& b) {
         b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 300, 300, 10, 0, 270));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 290, 300, 300));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 300, 310, 300));
       },
       {297, 303}, "235.62"},
      {"a square whose top is a quarter circle bulging inward", [](AreaBench& b) {
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 300, 310, 300));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 310, 300, 310, 310));
         b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 310, 300, 300));
         b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 305, 315, std::sqrt(50.0), 225, 315));
       },
       {305, 303}, "85.73"},
      // The inner arc's piece next to the polygon's closing edge bulges
      // across that edge: its middle point lies outside the polygon.
      {"the crescent of two overlapping circles", [](AreaBench& b) {
         b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 35));
         b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 315, 290, 40));
       },
       {294, 326}, "803.72"},
      {"a square drawn at scale 2 measures its own size", [](AreaBench& b) {
         CDrawingGroup* g = b.view.GetGroupTable()->AddGroup("detail", 2.0, 300, 300);
         b.view.AddEntityToView(ConstructLineEntity(0, g, 300, 300, 320, 300));
         b.view.AddEntityToView(ConstructLineEntity(0, g, 320, 300, 320, 320));
         b.view.AddEntityToView(ConstructLineEntity(0, g, 320, 320, 300, 320));
         b.view.AddEntityToView(ConstructLineEntity(0, g, 300, 320, 300, 300));
       },
       {310, 310}, "100.00"},
      {"a square with an outward half circle drawn at scale 2 measures its own size", [](AreaBench& b) {
         CDrawingGroup* g = b.view.GetGroupTable()->AddGroup("detail", 2.0, 300, 300);
         b.view.AddEntityToView(ConstructLineEntity(0, g, 300, 300, 320, 300));
         b.view.AddEntityToView(ConstructLineEntity(0, g, 320, 300, 320, 320));
         b.view.AddEntityToView(ConstructLineEntity(0, g, 300, 320, 300, 300));
         b.view.AddEntityToView(ConstructArcEntity(0, g, 310, 320, 10, 0, 180));
       },
       {310, 310}, "139.27"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AreaBench b;
    c.build(b);
    const int drawn = b.view.GetEntityList()->GetCount();
    b.Start();
    b.Click(c.click.x, c.click.y);
    // The boundary is shown highlighted, registered, and not part of the drawing.
    EXPECT_GT(b.view.GetSelectionCount(), 0);
    EXPECT_EQ(b.view.GetSecondList()->GetCount(), b.view.GetSelectionCount());
    EXPECT_EQ(b.view.GetEntityList()->GetCount(), drawn);
    b.Right();
    ASSERT_EQ(b.reports.size(), 1u);
    EXPECT_EQ(b.captions[0], Gbk("测量面积"));
    ASSERT_EQ(b.reports[0].size(), 1u);  // a single region shows only the total
    EXPECT_EQ(b.reports[0][0].label, Gbk("总面积"));
    EXPECT_EQ(b.reports[0][0].value, c.total);
    // The reset leaves no trace; a second right button ends the command.
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    EXPECT_TRUE(b.view.GetSecondList()->IsEmpty());
    EXPECT_EQ(b.view.GetEntityList()->GetCount(), drawn);
    EXPECT_FALSE(b.stack.IsEmpty());
    b.Right();
    EXPECT_TRUE(b.stack.IsEmpty());
  }
}

// TAB subtracts the next regions: the row starts with "-", the total drops.
TEST(MeasureAreaCmdTest, TheSignToggleSubtracts) {
  AreaBench b;
  b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 300, 300, 10));
  b.Box(400, 400, 410, 410);
  CMeasureAreaCmd* cmd = b.Start();
  b.Click(300, 300);
  b.Char(9, 300, 300);
  EXPECT_EQ(std::string(b.stack.GetPrompt().GetString()), Gbk("选取面积区域内一点(-)(TAB键切换+ -)"));
  b.Click(405, 405);
  EXPECT_NEAR(cmd->GetTotal(), 214.159, 1e-3);
  b.Right();
  ASSERT_EQ(b.reports.size(), 1u);
  const ResultRows expected = {{Gbk("面积1"), "314.16"}, {Gbk("面积2"), "-100.00"}, {Gbk("总面积"), "214.16"}};
  ASSERT_EQ(b.reports[0].size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(b.reports[0][i].label, expected[i].label);
    EXPECT_EQ(b.reports[0][i].value, expected[i].value);
  }
  b.Char(9, 300, 300);
  EXPECT_EQ(std::string(b.stack.GetPrompt().GetString()), Gbk("选取面积区域内一点(+)(TAB键切换+ -)"));
}

// Twenty regions: the twentieth reports without the right button. A click
// that finds nothing at region 19 takes no region.
TEST(MeasureAreaCmdTest, TheTwentiethRegionReportsAtOnce) {
  AreaBench b;
  for (int i = 0; i < 20; ++i) b.Box(20.0 * i, 100, 20.0 * i + 10, 110);
  CMeasureAreaCmd* cmd = b.Start();
  for (int i = 0; i < 19; ++i) b.Click(20.0 * i + 5, 105);
  EXPECT_EQ(cmd->GetRegionCount(), 19);
  EXPECT_TRUE(b.reports.empty());
  b.Click(700, 500);  // outside everything
  EXPECT_EQ(cmd->GetRegionCount(), 19);
  EXPECT_TRUE(b.reports.empty());
  b.Click(20.0 * 19 + 5, 105);
  ASSERT_EQ(b.reports.size(), 1u);
  ASSERT_EQ(b.reports[0].size(), 21u);
  EXPECT_EQ(b.reports[0][19].label, Gbk("面积20"));
  EXPECT_EQ(b.reports[0][20].value, "2000.00");
  EXPECT_EQ(cmd->GetRegionCount(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  // Measuring goes on from region 1.
  b.Click(5, 105);
  EXPECT_EQ(cmd->GetRegionCount(), 1);
}

namespace {
// A command whose next boundary list already holds an entity, as a search
// that fails after filling the list leaves it (the view's own search leaves
// the list empty when it fails).
class FilledListAreaCmd : public CMeasureAreaCmd {
 public:
  using CMeasureAreaCmd::CMeasureAreaCmd;
  bool fillNext = false;
  void Execute(CDraftView* view) override {
    if (fillNext && regionCount_ < kMaxRegions)
      regions_[regionCount_].AddTail(ConstructLineEntity(0, nullptr, 0, 0, 1, 1));
    fillNext = false;
    CMeasureAreaCmd::Execute(view);
  }
};
}  // namespace

// A failed search that leaves entities counts a region: at region 19 that
// is the twentieth, which reports at once, so no click reaches past the
// last region.
TEST(MeasureAreaCmdTest, AFailedSearchWithAFilledListAtRegionNineteenReports) {
  AreaBench b;
  for (int i = 0; i < 19; ++i) b.Box(20.0 * i, 100, 20.0 * i + 10, 110);
  auto* cmd = b.Push(new FilledListAreaCmd(40, &b.view));
  for (int i = 0; i < 19; ++i) b.Click(20.0 * i + 5, 105);
  ASSERT_EQ(cmd->GetRegionCount(), 19);
  cmd->fillNext = true;
  b.Click(700, 500);  // outside everything
  ASSERT_EQ(b.reports.size(), 1u);
  ASSERT_EQ(b.reports[0].size(), 20u);  // nineteen rows and the total; the failed region has none
  EXPECT_EQ(b.reports[0][19].label, Gbk("总面积"));
  EXPECT_EQ(b.reports[0][19].value, "1900.00");
  EXPECT_EQ(cmd->GetRegionCount(), 0);
  b.Click(5, 105);
  EXPECT_EQ(cmd->GetRegionCount(), 1);
}

// The boundary operations on their own: sweeps, segments and the polygon.
TEST(MeasureAreaCmdTest, BoundaryOperations) {
  CDraftView view;
  CMeasureAreaCmd cmd(40, &view);
  EXPECT_DOUBLE_EQ(cmd.SignedSweep(0, 0, 1, 0, 0, 0, 0, 1), 90);
  EXPECT_DOUBLE_EQ(cmd.SignedSweep(0, 0, 0, 1, 0, 0, 1, 0), -90);
  EXPECT_NEAR(cmd.SignedSweep(0, 0, 1, 0.1, 0, 0, 1, -0.1), -11.42, 1e-2);
  const double x[] = {0, 10, 10, 0}, y[] = {0, 0, 10, 10};
  EXPECT_DOUBLE_EQ(cmd.PolygonArea(x, y, 4), 100);
  EXPECT_DOUBLE_EQ(cmd.PolygonArea(x, y, 2), 0);
  EXPECT_DOUBLE_EQ(cmd.ArrayPolygonArea({0, 10, 10, 0, 99}, {0, 0, 10, 10}), 100);
  std::unique_ptr<CEntity> half(ConstructArcEntity(0, nullptr, 0, 0, 10, 0, 180));
  EXPECT_NEAR(cmd.ArcSegmentArea(half.get()), 50 * tressil::kPi, 1e-9);
  std::unique_ptr<CEntity> quarter(ConstructArcEntity(0, nullptr, 0, 0, 10, 0, 90));
  EXPECT_NEAR(cmd.ArcSegmentArea(quarter.get()), 25 * tressil::kPi - 50, 1e-9);
  CEntity* p[4];
  EXPECT_EQ(cmd.SplitArc(half.get(), &p[0], &p[1], &p[2], &p[3]), 4);
  for (CEntity* e : p) {
    EXPECT_TRUE(e->IsTemporary());
    delete e;
  }
  EXPECT_EQ(cmd.SplitArc(quarter.get(), &p[0], &p[1], &p[2], &p[3]), 2);
  EXPECT_EQ(p[2], nullptr);
  delete p[0];
  delete p[1];
  std::unique_ptr<CEntity> line(ConstructLineEntity(0, nullptr, 0, 0, 1, 1));
  EXPECT_EQ(cmd.SplitArc(line.get(), &p[0], &p[1], &p[2], &p[3]), 0);
}
