#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SectionSymbolEntity.h"
#include "draft/regions/SectionCmd.h"

namespace {
class SectionBench : public CommandBench {
 public:
  SectionBench() { view.SetClientSize(800, 600); }
  CSectionCmd* Start(int mode) { return Push(new CSectionCmd(&view, 80, mode, 1)); }
  void AddLine(double x1, double y1, double x2, double y2) {
    view.AddEntityToView(ConstructLineEntity(0, nullptr, x1, y1, x2, y2));
  }
  void Point(double x, double y) {
    Move(x, y);
    Click(x, y);
  }
  void Right() { stack.OnRButton(0, At(0, 0), &view); }
  // The lines in the drawing after the first `skip` entities, with their
  // layers, ends ordered and sorted.
  std::vector<std::pair<int, Line>> Made(int skip) {
    std::vector<std::pair<int, Line>> out;
    int i = 0;
    for (CEntity* e : *view.GetEntityList()) {
      if (i++ < skip || !e->IsLine()) continue;
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      Line l{v[0], v[1], v[2], v[3]};
      if (std::make_pair(l[2], l[3]) < std::make_pair(l[0], l[1])) l = {l[2], l[3], l[0], l[1]};
      for (double& x : l) x = std::round(x * 1e6) / 1e6 + 0.0;
      out.push_back({e->GetEntityLayer(), l});
    }
    std::sort(out.begin(), out.end());
    return out;
  }
};

std::vector<Line> Segments(const CSectionCmd& cmd) {
  std::vector<Line> out;
  for (int i = 0; i < cmd.GetSectionLineCount(); ++i) {
    Line l;
    cmd.GetSectionSegment(i, l[0], l[1], l[2], l[3]);
    out.push_back(l);
  }
  return out;
}
}  // namespace

// A picked section symbol gives one segment per pair of its points, in
// order; clicked points give the segments between consecutive clicks.
TEST(SectionCmdTest, TakesSectionLinesFromASymbolOrFromClicks) {
  {
    SectionBench b;
    const double xy[] = {0, 0, 10, 0, 10, 10, 20, 10};
    CEntity* symbol = ConstructSectionSymbolEntity(0, nullptr, xy, 4);
    b.view.AddEntityToView(symbol);
    CSectionCmd* cmd = b.Start(1);
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("选择剖切线或剖切符号(左Shift键确定剖切位置点,右键结束)"));
    b.Point(10, 5);
    EXPECT_EQ(Segments(*cmd), (std::vector<Line>{{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 20, 10}}));
    EXPECT_TRUE(b.view.GetSelectionList()->Contains(symbol));
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("选择剖切线或剖切符号(右键结束)"));
    // The section lines are the command's, never the drawing's.
    EXPECT_EQ(b.view.GetEntityList()->GetCount() + b.view.GetSelectionCount(), 1);
  }
  {
    SectionBench b;
    CSectionCmd* cmd = b.Start(1);
    b.Key(16);
    EXPECT_EQ(cmd->GetSectionInputMode(), 0);
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("确定剖切位置点(左Shift键选择剖切线或剖切符号,右键结束)"));
    b.Point(0, 0);
    EXPECT_EQ(cmd->GetSectionLineCount(), 0);
    b.Key(16);  // after the first clicked point the input mode stays
    EXPECT_EQ(cmd->GetSectionInputMode(), 0);
    b.Point(10, 0);
    b.Point(10, 10);
    EXPECT_EQ(Segments(*cmd), (std::vector<Line>{{0, 0, 10, 0}, {10, 0, 10, 10}}));
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("确定剖切位置点(右键结束)"));
  }
  {
    SectionBench b;
    b.Start(1);
    b.Right();  // no section line yet
    EXPECT_TRUE(b.stack.IsEmpty());
  }
}

// A horizontal section through a rectangle with a circle: lines at the
// crossings, a centre line at the circle's centre; then a new profile with
// the same section lines, and back to the section lines, and the end.
TEST(SectionCmdTest, StretchesFromTheSectionCrossings) {
  SectionBench b;
  b.AddLine(0, 0, 40, 0);
  b.AddLine(40, 0, 40, 30);
  b.AddLine(40, 30, 0, 30);
  b.AddLine(0, 30, 0, 0);
  b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 20, 15, 5));
  b.AddLine(-20, 15, 60, 15);  // the section line
  CSectionCmd* cmd = b.Start(1);
  b.Point(-15, 15);
  ASSERT_EQ(cmd->GetSectionLineCount(), 1);
  b.Right();
  EXPECT_EQ(cmd->GetSectionPhase(), 1);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("选择目标(右键结束选择)"));
  b.Point(-10, -10);  // a window round the rectangle and the circle
  b.Point(50, 40);
  EXPECT_EQ(b.view.GetSelectionCount(), 5);
  b.Right();
  b.Point(0, -50);
  b.Point(0, -70);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  const std::vector<std::pair<int, Line>> expected = {
      {0, {0, -70, 0, -50}},  {0, {0, -70, 40, -70}}, {0, {0, -50, 40, -50}}, {0, {15, -70, 15, -50}},
      {0, {25, -70, 25, -50}}, {0, {40, -70, 40, -50}}, {2, {20, -75, 20, -45}},
  };
  EXPECT_EQ(b.Made(6), expected);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  // Picking a new profile with the same section lines.
  EXPECT_EQ(cmd->GetSectionPhase(), 1);
  EXPECT_EQ(cmd->GetSectionLineCount(), 1);
  b.Right();  // nothing selected: back to the section lines, which go
  EXPECT_EQ(cmd->GetSectionPhase(), 0);
  EXPECT_EQ(cmd->GetSectionLineCount(), 0);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("选择剖切线或剖切符号(左Shift键确定剖切位置点,右键结束)"));
  b.Right();
  EXPECT_TRUE(b.stack.IsEmpty());
}

// The oblique mode: lines perpendicular to the first section segment from
// each crossing, and the end lines joining the extreme starts.
TEST(SectionCmdTest, ObliqueLinesArePerpendicularToTheSection) {
  SectionBench b;
  b.AddLine(10, -5, 10, 40);
  b.AddLine(20, -5, 20, 40);
  CSectionCmd* cmd = b.Start(4);
  b.Key(16);
  b.Point(0, 0);
  b.Point(30, 30);
  ASSERT_EQ(cmd->GetSectionLineCount(), 1);
  b.Right();
  b.Point(10, 35);
  b.Point(20, 35);
  EXPECT_EQ(b.view.GetSelectionCount(), 2);
  b.Right();
  b.Point(0, 0);
  b.Point(-10, 10);
  const std::vector<std::pair<int, Line>> expected = {
      {0, {0, 20, 10, 10}}, {0, {0, 20, 10, 30}}, {0, {10, 10, 20, 20}}, {0, {10, 30, 20, 20}},
  };
  EXPECT_EQ(b.Made(2), expected);
}

// A crossing on an oblique segment is laid out along x by its distance
// from the corner where the segment meets its neighbour; one on a straight
// segment keeps its x.
TEST(SectionCmdTest, UnrollsCrossingsOnAnObliqueSegment) {
  SectionBench b;
  b.AddLine(10, -40, 10, 60);
  b.AddLine(30, -40, 30, 60);
  CSectionCmd* cmd = b.Start(1);
  b.Key(16);
  b.Point(0, 15);
  b.Point(20, 15);
  b.Point(40, 35);
  ASSERT_EQ(cmd->GetSectionLineCount(), 2);
  b.Right();
  b.Point(10, 50);
  b.Point(30, 50);
  ASSERT_EQ(b.view.GetSelectionCount(), 2);
  b.Right();
  b.Point(0, -10);
  const double unrolled = 20 + std::sqrt(200.0);
  EXPECT_EQ(cmd->GetOutlineValues().size(), 2u);
  for (double v : {10.0, unrolled}) {
    bool found = false;
    for (double w : cmd->GetOutlineValues()) found = found || std::fabs(w - v) < 1e-9;
    EXPECT_TRUE(found) << v;
  }
}

// The radius key collects the crossings again: each still gives one line.
TEST(SectionCmdTest, RadiusKeyKeepsOneObliqueLinePerCrossing) {
  SectionBench b;
  b.AddLine(10, -5, 10, 40);
  b.AddLine(20, -5, 20, 40);
  b.Start(4);
  b.Key(16);
  b.Point(0, 0);
  b.Point(30, 30);
  b.Right();
  b.Point(10, 35);
  b.Point(20, 35);
  b.Right();
  b.Point(0, 0);
  b.Char('R', 0, 0);
  b.Point(-10, 10);
  const std::vector<std::pair<int, Line>> expected = {
      {0, {0, 20, 10, 10}}, {0, {0, 20, 10, 30}}, {0, {10, 10, 20, 20}}, {0, {10, 30, 20, 20}},
  };
  EXPECT_EQ(b.Made(2), expected);
}

// A selection there at the start is cleared and the command takes section
// lines, then picks its profile, also without the section flag.
TEST(SectionCmdTest, ASelectionAtTheStartIsDroppedWholly) {
  SectionBench b;
  b.AddLine(10, -5, 10, 40);
  b.AddLine(-20, 15, 60, 15);
  CEntityList all = *b.view.GetEntityList();
  b.view.SelectEntities(all, 1, 1, 1, 0);
  CSectionCmd* cmd = b.Push(new CSectionCmd(&b.view, 80, 1, 0));
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(cmd->IsSelectionDone(), 0);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("选择剖切线或剖切符号(左Shift键确定剖切位置点,右键结束)"));
  b.Point(-15, 15);
  ASSERT_EQ(cmd->GetSectionLineCount(), 1);
  b.Right();
  b.Point(10, 35);  // the profile
  EXPECT_EQ(b.view.GetSelectionCount(), 1);
  EXPECT_EQ(cmd->IsSelectionDone(), 0);
}
