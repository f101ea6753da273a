#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/regions/ThreeViewStretchCmd.h"
#include "platform/ui/ModalDriver.h"

namespace {
// A line and its layer, ends in order so that sets of lines compare.
struct Drawn {
  Line l;
  int layer;
  bool operator<(const Drawn& o) const { return layer != o.layer ? layer < o.layer : l < o.l; }
};

Drawn Normal(Line l, int layer) {
  if (std::make_pair(l[2], l[3]) < std::make_pair(l[0], l[1])) l = {l[2], l[3], l[0], l[1]};
  for (double& v : l) v = std::round(v * 1e6) / 1e6 + 0.0;
  return {l, layer};
}

class StretchBench : public CommandBench {
 public:
  StretchBench() { view.SetClientSize(800, 600); }
  CEntity* Add(CEntity* e) {
    view.AddEntityToView(e);
    return e;
  }
  void AddLine(double x1, double y1, double x2, double y2) { Add(ConstructLineEntity(0, nullptr, x1, y1, x2, y2)); }
  // Selects every entity of the drawing, in drawing order.
  void SelectAll() {
    CEntityList all = *view.GetEntityList();
    view.SelectEntities(all, 1, 1, 1, 0);
  }
  CThreeViewStretchCmd* Start(int mode) { return Push(new CThreeViewStretchCmd(&view, 70, mode, 0)); }
  void Point(double x, double y) {
    Move(x, y);
    Click(x, y);
  }
  // The lines the command made (everything in the drawing not in `before`).
  std::vector<Drawn> Made(size_t before) {
    std::vector<Drawn> out;
    size_t i = 0;
    for (CEntity* e : *view.GetEntityList()) {
      if (i++ < before || !e->IsLine()) continue;
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      out.push_back(Normal({v[0], v[1], v[2], v[3]}, e->GetEntityLayer()));
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  static std::vector<Drawn> Expected(std::vector<Drawn> lines) {
    for (Drawn& d : lines) d = Normal(d.l, d.layer);
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  size_t Count() { return static_cast<size_t>(view.GetEntityList()->GetCount() + view.GetSelectionCount()); }
};

void ExpectSame(const std::vector<Drawn>& got, const std::vector<Drawn>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].layer, want[i].layer) << "line " << i;
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(got[i].l[k], want[i].l[k], 1e-9) << "line " << i << " value " << k;
  }
}

// An L of two lines: edges at x = 0, 10 and 10 again.
void AddL(StretchBench& b) {
  b.AddLine(0, 50, 10, 50);
  b.AddLine(10, 50, 10, 60);
}
}  // namespace

// Mode 1 from an existing selection: one line per distinct x and the two end lines.
TEST(ThreeViewStretchCmdTest, DistinctEdgesGiveOneLineEach) {
  StretchBench b;
  AddL(b);
  b.SelectAll();
  CThreeViewStretchCmd* cmd = b.Start(1);
  ASSERT_EQ(cmd->IsSelectionDone(), 1);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("确定起始点或对称线(左Shift键不要底端线)"));
  b.Point(0, 100);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("确定第二点(左Shift键不要顶端线,Tab键单边拉伸<->对称拉伸)"));
  b.Point(3, 130);
  b.view.ClearSelection();
  ExpectSame(b.Made(2), StretchBench::Expected({{{0, 100, 0, 130}, 0},
                                                {{10, 100, 10, 130}, 0},
                                                {{0, 100, 10, 100}, 0},
                                                {{0, 130, 10, 130}, 0}}));
  EXPECT_EQ(b.view.GetUndoCount(), 1);
}

// Outline lines at the rectangle's sides, hidden lines at the circle's
// extreme x values (the rectangle's top edge lies above them), a centre
// line at the circle's centre, 5 beyond both ends. Two undo steps.
TEST(ThreeViewStretchCmdTest, CircleInRectangleGivesHiddenAndCentreLines) {
  StretchBench b;
  b.AddLine(0, 30, 40, 30);  // first selected: its reference point lies above the start point
  b.AddLine(40, 30, 40, 0);
  b.AddLine(40, 0, 0, 0);
  b.AddLine(0, 0, 0, 30);
  b.Add(ConstructCircleEntity(0, nullptr, 20, 15, 5));
  b.SelectAll();
  CThreeViewStretchCmd* cmd = b.Start(1);
  b.Point(0, -50);
  EXPECT_EQ(cmd->GetSideCode(), 11);
  b.Point(0, -80);
  b.view.ClearSelection();
  ExpectSame(b.Made(5), StretchBench::Expected({{{0, -50, 0, -80}, 0},
                                                {{40, -50, 40, -80}, 0},
                                                {{0, -50, 40, -50}, 0},
                                                {{0, -80, 40, -80}, 0},
                                                {{20, -45, 20, -85}, 2},
                                                {{15, -50, 15, -80}, 3},
                                                {{25, -50, 25, -80}, 3}}));
  EXPECT_EQ(b.view.GetUndoCount(), 2);
  // The same profile stretches again from a new first point.
  EXPECT_EQ(cmd->IsSelectionDone(), 1);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("确定起始点或对称线位置(左Shift键不要底端线)"));
}

// The radius key turns the hidden side round: seen from below, the
// circle's points are no longer hidden by the top edge, and the flip
// survives the collection the key runs.
TEST(ThreeViewStretchCmdTest, RadiusKeyTurnsTheHiddenSide) {
  StretchBench b;
  b.AddLine(0, 30, 40, 30);
  b.Add(ConstructCircleEntity(0, nullptr, 20, 15, 5));
  b.SelectAll();
  CThreeViewStretchCmd* cmd = b.Start(1);
  b.Char('R', 5, 5);  // no point held: nothing happens
  EXPECT_EQ(cmd->GetSideCode(), 11);
  b.Point(0, -50);
  EXPECT_EQ(cmd->GetHiddenValues(), (std::vector<double>{25, 15}));
  b.Char('r', 0, -60);
  EXPECT_EQ(cmd->GetSideCode(), 12);
  EXPECT_TRUE(cmd->GetHiddenValues().empty());
  EXPECT_EQ(cmd->GetOutlineValues(), (std::vector<double>{0, 40, 25, 15}));
  // A new first point sets the side afresh.
  b.stack.OnRButton(0, CommandBench::At(0, -60), &b.view);
  b.Point(0, -50);
  EXPECT_EQ(cmd->GetSideCode(), 11);
}

// Arcs: the points at 0/180 (mode 1) or 90/270 (mode 2) degrees inside the
// arc, its ends, and a centre for half a turn or more.
TEST(ThreeViewStretchCmdTest, ArcExtremesAndCentres) {
  struct Case {
    int mode;
    double start, end;
    std::vector<double> outline, centre;
  };
  const double c30 = 10 * std::cos(M_PI / 6);
  const Case cases[] = {
      {1, 30, 150, {c30, -c30}, {}},
      {2, 30, 150, {10, 5}, {}},
      {1, 0, 180, {10, -10}, {0}},
      {1, 0, 179, {10, 10 * std::cos(179 * M_PI / 180)}, {}},
      // An arc across 0 degrees: its point at 0 (360) lies inside it.
      {1, 300, 60, {10, 5}, {}},
      {2, 300, 60, {-c30, c30}, {}},
      // The centre's x is an outline value too: drawn once, as an outline line.
      {1, 90, 270, {-10, 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.start << ".." << c.end);
    StretchBench b;
    b.Add(ConstructArcEntity(0, nullptr, 0, 0, 10, c.start, c.end));
    b.SelectAll();
    CThreeViewStretchCmd* cmd = b.Start(c.mode);
    b.Point(100, 100);
    const std::vector<double>& got = cmd->GetOutlineValues();
    ASSERT_EQ(got.size(), c.outline.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.outline[i], 1e-9);
    ASSERT_EQ(cmd->GetCentreValues().size(), c.centre.size());
    for (size_t i = 0; i < c.centre.size(); ++i) EXPECT_NEAR(cmd->GetCentreValues()[i], c.centre[i], 1e-9);
  }
}

// TAB: the first point is the symmetry line; a drag of 15 makes lines 30
// long and the readout says so. A typed length; Ctrl tapers; Shift drops
// the end lines.
TEST(ThreeViewStretchCmdTest, SymmetricTypedTaperedAndWithoutEndLines) {
  {
    StretchBench b;
    AddL(b);
    b.SelectAll();
    b.Start(1);
    b.Point(0, 100);
    b.Char(9, 0, 100);
    b.view.ClearDrawLog();
    b.Move(2, 115);
    bool readout = false;
    for (const ViewDrawOp& op : b.view.GetDrawLog()) readout = readout || (op.kind == ViewDrawKind::kText && op.text == "D=30");
    EXPECT_TRUE(readout);
    b.Click(2, 115);
    b.view.ClearSelection();
    ExpectSame(b.Made(2), StretchBench::Expected({{{0, 85, 0, 115}, 0},
                                                  {{10, 85, 10, 115}, 0},
                                                  {{0, 85, 10, 85}, 0},
                                                  {{0, 115, 10, 115}, 0}}));
  }
  {
    StretchBench b;
    AddL(b);
    b.SelectAll();
    b.Start(1);
    b.Point(0, 100);
    b.Move(0, 90);  // downwards
    platform::ScopedModalDriver driver([](platform::ModalSession& m) {
      EXPECT_EQ(CStringA(m.Caption()), CStringA("输入拉伸长度"));
      m.EnterText(1062, CStringA("25"));
      m.Click(IDOK);
    });
    b.Char('2', 0, 90);
    b.view.ClearSelection();
    ExpectSame(b.Made(2), StretchBench::Expected({{{0, 100, 0, 75}, 0},
                                                  {{10, 100, 10, 75}, 0},
                                                  {{0, 100, 10, 100}, 0},
                                                  {{0, 75, 10, 75}, 0}}));
    EXPECT_EQ(b.view.ModalDialogFlag(), 0);
  }
  {
    StretchBench b;
    AddL(b);
    b.SelectAll();
    CThreeViewStretchCmd* cmd = b.Start(1);
    b.Key(17);
    EXPECT_EQ(cmd->IsTapered(), 1);
    b.Point(0, 100);
    b.Point(5, 120);
    b.view.ClearSelection();
    ExpectSame(b.Made(2), StretchBench::Expected({{{0, 100, 5, 120}, 0},
                                                  {{10, 100, 5, 120}, 0},
                                                  {{0, 100, 10, 100}, 0}}));
  }
  {
    StretchBench b;
    AddL(b);
    b.SelectAll();
    CThreeViewStretchCmd* cmd = b.Start(1);
    b.Key(16);  // before the first point: the bottom line
    EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("确定起始点或对称线(左Shift键要底端线)"));
    b.Point(0, 100);
    b.Key(16);  // after it: the top line
    EXPECT_EQ(cmd->GetTopLineFlag(), 0);
    b.Point(0, 120);
    b.view.ClearSelection();
    ExpectSame(b.Made(2), StretchBench::Expected({{{0, 100, 0, 120}, 0}, {{10, 100, 10, 120}, 0}}));
  }
}

// Cancelling the length dialog drops the first point and the cursor is the
// new one; a typed length of 0 makes nothing.
TEST(ThreeViewStretchCmdTest, ACancelledLengthRestartsAtTheCursorAndAZeroLengthMakesNothing) {
  StretchBench b;
  AddL(b);
  b.SelectAll();
  CThreeViewStretchCmd* cmd = b.Start(1);
  b.Point(0, 100);
  b.Move(0, 90);
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& m) { m.Click(IDCANCEL); });
    b.Char('2', 0, 90);
  }
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  b.Point(0, 110);  // the second point: from 90, where the cursor was
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.Point(0, 100);
  b.Move(0, 90);
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& m) {
      m.EnterText(1062, CStringA("0"));
      m.Click(IDOK);
    });
    b.Char('0', 0, 90);
  }
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(cmd->GetStep(), 0);
  b.view.ClearSelection();
  ExpectSame(b.Made(2), StretchBench::Expected({{{0, 90, 0, 110}, 0},
                                                {{10, 90, 10, 110}, 0},
                                                {{0, 90, 10, 90}, 0},
                                                {{0, 110, 10, 110}, 0}}));
}

// Mode 3 needs the three-view division; a profile left of the origin turns
// it into mode 4: vertical lines at the y values carried over the mitre.
TEST(ThreeViewStretchCmdTest, ModeThreeAcrossTheMitre) {
  {
    StretchBench b;
    AddL(b);
    b.Start(3);
    EXPECT_TRUE(b.stack.IsEmpty());
    ASSERT_EQ(b.boxes.size(), 1u);
    EXPECT_EQ(b.boxes[0], CStringA("请先划分三视图"));
  }
  struct Case {
    const char* name;
    Line a, b;
    GPoint first, second;
    int mode, side;
    std::vector<Drawn> lines;
  };
  const Case cases[] = {
      {"right of the origin: horizontal lines at ox + oy - x",
       {120, 150, 140, 150}, {140, 150, 140, 170}, {150, 0}, {170, 0}, 3, 11,
       {{{150, 80, 170, 80}, 0}, {{150, 60, 170, 60}, 0}, {{150, 80, 150, 60}, 0}, {{170, 80, 170, 60}, 0}}},
      {"left of the origin: vertical lines at ox + oy - y",
       {50, 120, 50, 140}, {50, 140, 70, 140}, {0, 20}, {0, 40}, 4, 22,
       {{{80, 20, 80, 40}, 0}, {{60, 20, 60, 40}, 0}, {{80, 20, 60, 20}, 0}, {{80, 40, 60, 40}, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StretchBench b;
    b.view.SetThreeViewOrigin(100, 100);
    b.AddLine(c.a[0], c.a[1], c.a[2], c.a[3]);
    b.AddLine(c.b[0], c.b[1], c.b[2], c.b[3]);
    b.SelectAll();
    CThreeViewStretchCmd* cmd = b.Start(3);
    ASSERT_FALSE(b.stack.IsEmpty());
    b.Point(c.first.x, c.first.y);
    EXPECT_EQ(cmd->GetMode(), c.mode);
    EXPECT_EQ(cmd->GetSideCode(), c.side);
    b.Point(c.second.x, c.second.y);
    b.view.ClearSelection();
    ExpectSame(b.Made(2), StretchBench::Expected(c.lines));
  }
}

// Picking: a click on an edge selects it, a click on nothing opens a
// window, the right button ends the selection; with nothing selected the
// right button ends the command.
TEST(ThreeViewStretchCmdTest, PicksTheProfileAndEndsOnAnEmptySelection) {
  StretchBench b;
  AddL(b);
  b.AddLine(200, 200, 220, 200);
  CThreeViewStretchCmd* cmd = b.Start(1);
  EXPECT_EQ(CStringA(b.stack.GetPrompt()), CStringA("选择目标(右键结束选择)"));
  b.Point(5, 50);
  EXPECT_EQ(b.view.GetSelectionCount(), 1);
  b.Point(-5, 45);  // nothing there: the first corner of a window
  EXPECT_EQ(b.view.GetSelectionCount(), 1);
  b.Move(15, 65);
  EXPECT_EQ(CStringA(b.stack.GetStatusText()), CStringA("宽: 20.000    高: 20.000"));
  b.Click(15, 65);
  EXPECT_EQ(b.view.GetSelectionCount(), 2);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  EXPECT_EQ(cmd->IsSelectionDone(), 1);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);  // no point: back to picking
  EXPECT_EQ(cmd->IsSelectionDone(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  b.stack.OnRButton(0, CommandBench::At(0, 0), &b.view);
  EXPECT_TRUE(b.stack.IsEmpty());
}

// A right button while a pick window is open ends the selection and drops
// the window's corner: from then on each click is one point again, so the
// first point collects and the second makes the lines.
TEST(ThreeViewStretchCmdTest, AnAbandonedWindowLeavesOneClickPerPoint) {
  StretchBench b;
  AddL(b);
  CThreeViewStretchCmd* cmd = b.Start(1);
  b.Point(5, 50);    // the lower edge
  b.Point(-5, 45);   // nothing there: the first corner of a window
  b.stack.OnRButton(0, CommandBench::At(-5, 45), &b.view);
  ASSERT_EQ(cmd->IsSelectionDone(), 1);
  b.Point(0, 100);
  EXPECT_EQ(cmd->GetOutlineValues(), (std::vector<double>{0, 10}));
  b.Point(3, 130);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.view.ClearSelection();
  ExpectSame(b.Made(2), StretchBench::Expected({{{0, 100, 0, 130}, 0},
                                                {{10, 100, 10, 130}, 0},
                                                {{0, 100, 10, 100}, 0},
                                                {{0, 130, 10, 130}, 0}}));
}

// A selection with nothing that gives an edge (here only a centre line)
// has no extent: no values, no preview and nothing made.
TEST(ThreeViewStretchCmdTest, AProfileWithoutEdgesMakesNothing) {
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    StretchBench b;
    b.Add(ConstructLineEntity(2, nullptr, 0, 50, 10, 50));  // on the centre-line layer
    b.SelectAll();
    CThreeViewStretchCmd* cmd = b.Start(mode);
    b.Point(0, 100);
    EXPECT_TRUE(cmd->GetOutlineValues().empty());
    b.view.ClearDrawLog();
    b.Move(30, 130);
    for (const ViewDrawOp& op : b.view.GetDrawLog()) EXPECT_NE(op.kind, ViewDrawKind::kLine);
    b.Click(30, 130);
    EXPECT_EQ(b.view.GetUndoCount(), 0);
    b.view.ClearSelection();
    EXPECT_TRUE(b.Made(1).empty());
  }
}
