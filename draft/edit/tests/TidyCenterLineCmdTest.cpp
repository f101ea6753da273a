#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/TidyCenterLineCmd.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace {

constexpr int kWholeCentre = 2245, kWholeDuplicates = 2234, kPickedDuplicates = 336;
constexpr int kThick = 0, kThin = 1, kCentre = 2;  // the default layers' line kinds

// The drawing (members of blocks included) as sorted texts: the layer, then
// "L" with the ends in order, "A" with the angles in [0, 360), or "C".
std::vector<std::string> TidyShapes(CDraftView& view) {
  std::vector<std::string> out;
  CEntityList all;
  for (CEntity* e : *view.GetEntityList()) e->ListInto(all);
  for (CEntity* e : all) {
    if (e->IsBlock()) continue;
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    const auto r = [](double d) { return std::round(d * 1000) / 1000 + 0.0; };
    const auto angle = [&](double a) { return r(NormalizeAngle(a)) == 360 ? 0.0 : r(NormalizeAngle(a)); };
    char text[160];
    if (e->IsLine()) {
      double a[4] = {r(v[0]), r(v[1]), r(v[2]), r(v[3])};
      if (std::make_pair(a[2], a[3]) < std::make_pair(a[0], a[1])) {
        std::swap(a[0], a[2]);
        std::swap(a[1], a[3]);
      }
      std::snprintf(text, sizeof text, "%d L %g %g %g %g", e->GetEntityLayer(), a[0], a[1], a[2], a[3]);
    } else if (e->IsArc()) {
      std::snprintf(text, sizeof text, "%d A %g %g %g %g %g", e->GetEntityLayer(), r(v[0]), r(v[1]), r(v[2]),
                    angle(v[3]), angle(v[4]));
    } else {
      std::snprintf(text, sizeof text, "%d C %g %g %g", e->GetEntityLayer(), r(v[0]), r(v[1]), r(v[2]));
    }
    out.push_back(text);
  }
  std::sort(out.begin(), out.end());
  return out;
}

class TidyTest : public ::testing::Test {
 protected:
  TidyTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~TidyTest() override { SetSettingsBacking(std::move(previous_)); }

  // Pushes the command with the dialog answered: the radio button and the
  // extension. Whole-drawing modes run and end within the push.
  static CTidyCenterLineCmd* Tidy(CommandBench& b, int radio, const char* extension, bool indexes = true) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      EXPECT_EQ(CStringA(m.Caption()), "图形整理");
      m.Click(radio);
      m.EnterText(1121, CStringA(extension));
      m.Click(IDOK);
    });
    auto* cmd = new CTidyCenterLineCmd(90, &b.view);
    cmd->SetUseIndexes(indexes);
    b.Push(cmd);
    return cmd;
  }

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

void Add(CommandBench& b, CEntity* e) { b.view.AddEntityToView(e); }

// A circle with a horizontal centre line through it from far outside, a
// vertical one starting just short of the circle and running far beyond,
// and a centre line that crosses one contour line only.
void CentreLineDrawing(CommandBench& b) {
  Add(b, ConstructCircleEntity(kThick, nullptr, 100, 100, 20));
  Add(b, ConstructLineEntity(kCentre, nullptr, 50, 100, 160, 100));
  Add(b, ConstructLineEntity(kCentre, nullptr, 100, 78, 100, 200));
  Add(b, ConstructLineEntity(kCentre, nullptr, 200, 50, 200, 150));
  Add(b, ConstructLineEntity(kThick, nullptr, 190, 60, 210, 60));
}

}  // namespace

TEST_F(TidyTest, CentreLinesReachTheOutermostCrossingsPlusTheExtension) {
  struct Case {
    const char* extension;
    std::vector<std::string> drawing;
  };
  const Case cases[] = {
      {"5", {"0 C 100 100 20", "0 L 190 60 210 60", "2 L 100 75 100 125", "2 L 200 50 200 150", "2 L 75 100 125 100"}},
      {"0", {"0 C 100 100 20", "0 L 190 60 210 60", "2 L 100 80 100 120", "2 L 200 50 200 150", "2 L 80 100 120 100"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    CommandBench b;
    CentreLineDrawing(b);
    const std::vector<std::string> before = TidyShapes(b.view);
    Tidy(b, kWholeCentre, c.extension);
    EXPECT_EQ(b.stack.GetCount(), 0);  // one pass, then the command ends
    EXPECT_EQ(TidyShapes(b.view), c.drawing);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    const ViewProgressState& p = b.view.GetProgress();
    EXPECT_FALSE(p.running);
    EXPECT_EQ(p.steps, 5);
    EXPECT_EQ(p.count, 5);
    EXPECT_EQ(p.message, "正在整理中心线......");
    ASSERT_TRUE(b.view.Undo());
    EXPECT_EQ(TidyShapes(b.view), before);
  }
}

TEST_F(TidyTest, APassThatChangesNothingPushesNoRecord) {
  for (int radio : {kWholeCentre, kWholeDuplicates}) {
    SCOPED_TRACE(radio);
    CommandBench b;
    Add(b, ConstructCircleEntity(kThick, nullptr, 100, 100, 20));
    Add(b, ConstructLineEntity(kThick, nullptr, 0, 0, 200, 0));
    Add(b, ConstructLineEntity(kCentre, nullptr, 0, 300, 50, 300));  // crosses nothing
    Tidy(b, radio, "5");
    EXPECT_EQ(b.view.GetUndoCount(), 0);
    EXPECT_EQ(b.view.GetProgress().ended, b.view.GetProgress().begun);
  }
}

// Duplicates of one kind are merged; of two kinds the lower-coded stays
// whole and the other keeps what lies outside it.
TEST_F(TidyTest, DuplicatesMerge) {
  CommandBench b;
  // Lines: overlapping, equal, end to end of one kind and of two, a row of
  // three overlapping.
  Add(b, ConstructLineEntity(kThick, nullptr, 0, 0, 10, 0));
  Add(b, ConstructLineEntity(kThick, nullptr, 5, 0, 15, 0));
  Add(b, ConstructLineEntity(kThick, nullptr, 0, 20, 10, 20));
  Add(b, ConstructLineEntity(kThick, nullptr, 10, 20, 0, 20));
  Add(b, ConstructLineEntity(kThin, nullptr, 0, 40, 10, 40));
  Add(b, ConstructLineEntity(kThin, nullptr, 10, 40, 20, 40));
  Add(b, ConstructLineEntity(kThick, nullptr, 0, 60, 10, 60));
  Add(b, ConstructLineEntity(kThin, nullptr, 10, 60, 20, 60));
  Add(b, ConstructLineEntity(kThick, nullptr, 0, 80, 10, 80));
  Add(b, ConstructLineEntity(kThick, nullptr, 5, 80, 20, 80));
  Add(b, ConstructLineEntity(kThick, nullptr, 18, 80, 30, 80));
  // A thin line over a thick one keeps its parts outside it.
  Add(b, ConstructLineEntity(kThin, nullptr, 0, 100, 30, 100));
  Add(b, ConstructLineEntity(kThick, nullptr, 10, 100, 20, 100));
  // Arcs: a thin circle under a thick arc becomes the arc's complement; two
  // arcs of one kind covering the circle become it; a thin arc listed first
  // over a thick one keeps its part outside it.
  Add(b, ConstructCircleEntity(kThin, nullptr, 100, 0, 10));
  Add(b, ConstructArcEntity(kThick, nullptr, 100, 0, 10, 0, 90));
  Add(b, ConstructArcEntity(kThick, nullptr, 100, 50, 10, 0, 200));
  Add(b, ConstructArcEntity(kThick, nullptr, 100, 50, 10, 180, 20));
  Add(b, ConstructArcEntity(kThin, nullptr, 100, 100, 10, 0, 90));
  Add(b, ConstructArcEntity(kThick, nullptr, 100, 100, 10, 45, 135));
  const std::vector<std::string> before = TidyShapes(b.view);
  Tidy(b, kWholeDuplicates, "5");
  const std::vector<std::string> want = {
      "0 A 100 0 10 0 90",   "0 A 100 100 10 45 135", "0 C 100 50 10",       "0 L 0 0 15 0",
      "0 L 0 20 10 20",      "0 L 0 60 10 60",        "0 L 0 80 30 80",      "0 L 10 100 20 100",
      "1 A 100 0 10 90 0",   "1 A 100 100 10 0 45",   "1 L 0 100 10 100",    "1 L 0 40 20 40",
      "1 L 10 60 20 60",     "1 L 20 100 30 100",
  };
  EXPECT_EQ(TidyShapes(b.view), want);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(b.view.GetProgress().message, "正在整理重复线......");
  ASSERT_TRUE(b.view.Undo());
  EXPECT_EQ(TidyShapes(b.view), before);
}

// A member of a block is tidied in its block.
TEST_F(TidyTest, BlockMembersAreTidiedInTheirBlock) {
  CommandBench b;
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  block->AddMember(ConstructCircleEntity(kThick, nullptr, 100, 100, 20));
  block->AddMember(ConstructLineEntity(kCentre, nullptr, 50, 100, 160, 100));
  Add(b, block);
  Tidy(b, kWholeCentre, "5");
  ASSERT_EQ(block->GetMemberCount(), 2);
  EXPECT_EQ(TidyShapes(b.view), (std::vector<std::string>{"0 C 100 100 20", "2 L 75 100 125 100"}));
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 1);
}

// Picked duplicates: a click where two lines overlap merges them and starts
// the picking over; a click on nothing opens a window.
TEST_F(TidyTest, PickedDuplicatesByClickAndWindow) {
  CommandBench b;
  Add(b, ConstructLineEntity(kThick, nullptr, 100, 100, 200, 100));
  Add(b, ConstructLineEntity(kThick, nullptr, 150, 100, 250, 100));
  Add(b, ConstructLineEntity(kThick, nullptr, 100, 300, 200, 300));
  Add(b, ConstructLineEntity(kThick, nullptr, 150, 300, 250, 300));
  auto* cmd = Tidy(b, kPickedDuplicates, "5");
  ASSERT_EQ(b.stack.GetCount(), 1);
  EXPECT_EQ(b.stack.GetPrompt(), "选择需整理的中心线");
  b.Move(170, 100);
  b.Click(170, 100);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(cmd->GetStep(), 0);
  b.Move(50, 250);
  b.Click(50, 250);
  EXPECT_EQ(cmd->GetStep(), 1);  // nothing there: a window's first corner
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.Move(300, 350);
  b.Click(300, 350);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(b.view.GetUndoCount(), 2);
  EXPECT_EQ(TidyShapes(b.view), (std::vector<std::string>{"0 L 100 100 250 100", "0 L 100 300 250 300"}));
  // Only the chains of a pass are worked on: an idle window pushes nothing.
  b.Move(50, 250);
  b.Click(50, 250);
  b.Move(300, 350);
  b.Click(300, 350);
  EXPECT_EQ(b.view.GetUndoCount(), 2);
}

// The indexes find the partners and duplicates a walk of every candidate
// finds, in its order: both give the same drawing.
TEST_F(TidyTest, IndexesGiveWhatTheFullWalkGives) {
  const auto build = [](CommandBench& b) {
    unsigned seed = 7;
    const auto next = [&seed](int n) {
      seed = seed * 1103515245u + 12345u;
      return static_cast<int>((seed >> 16) % n);
    };
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j) {
        const double x = 60.0 * i, y = 60.0 * j;
        Add(b, ConstructCircleEntity(next(2), nullptr, x + 25, y + 25, 10 + next(5)));
        Add(b, ConstructLineEntity(kCentre, nullptr, x + 5 + next(10), y + 25, x + 40 + next(15), y + 25));
        Add(b, ConstructLineEntity(kCentre, nullptr, x + 25, y + next(15), x + 25, y + 30 + next(25)));
        Add(b, ConstructLineEntity(next(3), nullptr, x, y + 50, x + 20 + next(20), y + 50));
        Add(b, ConstructLineEntity(next(3), nullptr, x + 10 + next(20), y + 50, x + 55, y + 50));
        Add(b, ConstructArcEntity(next(2), nullptr, x + 25, y + 25, 12, 30.0 * next(12), 30.0 * next(12) + 45));
        Add(b, ConstructArcEntity(next(2), nullptr, x + 25, y + 25, 12, 30.0 * next(12), 30.0 * next(12) + 100));
      }
    // A long centre line over a row of circles, and a thin line over a row
    // of thick ones.
    Add(b, ConstructLineEntity(kCentre, nullptr, -20, 205, 400, 205));
    Add(b, ConstructLineEntity(kThin, nullptr, -10, 50, 330, 50));
  };
  for (int radio : {kWholeCentre, kWholeDuplicates}) {
    SCOPED_TRACE(radio);
    CommandBench indexed, walked;
    build(indexed);
    build(walked);
    Tidy(indexed, radio, "3", true);
    Tidy(walked, radio, "3", false);
    EXPECT_EQ(indexed.view.GetUndoCount(), 1);
    EXPECT_EQ(TidyShapes(indexed.view), TidyShapes(walked.view));
  }
}

// A circle that is a duplicate of two circles that are not duplicates of
// each other joins the first chain only, and goes once.
TEST_F(TidyTest, AnEntityJoinsOneChainOnly) {
  CommandBench b;
  Add(b, ConstructCircleEntity(kThick, nullptr, 100, 100, 10));
  Add(b, ConstructCircleEntity(kThick, nullptr, 100 + 0.9e-6, 100, 10));
  Add(b, ConstructCircleEntity(kThick, nullptr, 100 + 1.8e-6, 100, 10));
  Tidy(b, kWholeDuplicates, "5");
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 2);
  ASSERT_TRUE(b.view.Undo());
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 3);
  ASSERT_TRUE(b.view.Redo());
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 2);
}
