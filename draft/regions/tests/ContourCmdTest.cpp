#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "draft/framework/CmdStack.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/NumberFormat.h"
#include "draft/host/PointEntity.h"
#include "draft/host/UndoRecord.h"
#include "draft/regions/ContourCmd.h"
#include "draft/testsupport/DevicePoint.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/core/MessageBox.h"
#include "platform/ui/ModalDriver.h"

namespace {

using Seg = std::array<double, 4>;

// A 2000 × 1000 view at ten pixels a unit (a tenth of a unit per pixel).
class ContourBench : public drafttest::MessageBoxAnswers {
 public:
  ContourBench() {
    view.SetSnapModes(0);
    view.SetClientSize(2000, 1000);
    view.SetZoom(10);
  }
  static CPoint At(double x, double y) { return drafttest::DevicePoint(x, y, 10, 1000); }
  void Move(double x, double y) { stack.OnMouseMove(0, At(x, y), &view); }
  void Click(double x, double y) {
    Move(x, y);
    stack.OnLButton(0, At(x, y), &view);
  }
  void Tab(double x, double y) { stack.OnChar(At(x, y), 9, 1, 0, &view); }
  void RButton() { stack.OnRButton(0, At(1, 1), &view); }
  void Rectangle(double x1, double y1, double x2, double y2, double turn = 0.0) {
    const GPoint c{(x1 + x2) / 2, (y1 + y2) / 2};
    GPoint p[4] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    for (GPoint& q : p) RotatePoint(q, c, turn);
    for (int i = 0; i < 4; ++i)
      view.AddEntityToView(ConstructLineEntity(0, nullptr, p[i].x, p[i].y, p[(i + 1) % 4].x, p[(i + 1) % 4].y));
  }
  // A rectangle from (20, 20) to (120, 70) with corners of radius 10,
  // counter-clockwise from the bottom side.
  void RoundedRectangle() {
    view.AddEntityToView(ConstructLineEntity(0, nullptr, 30, 20, 110, 20));
    view.AddEntityToView(ConstructArcEntity(0, nullptr, 110, 30, 10, 270, 360));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, 120, 30, 120, 60));
    view.AddEntityToView(ConstructArcEntity(0, nullptr, 110, 60, 10, 0, 90));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, 110, 70, 30, 70));
    view.AddEntityToView(ConstructArcEntity(0, nullptr, 30, 60, 10, 90, 180));
    view.AddEntityToView(ConstructLineEntity(0, nullptr, 20, 60, 20, 30));
    view.AddEntityToView(ConstructArcEntity(0, nullptr, 30, 30, 10, 180, 270));
  }
  // The last readout drawn.
  CStringA LastText() const {
    const auto& log = view.GetDrawLog();
    for (auto it = log.rbegin(); it != log.rend(); ++it)
      if (it->kind == ViewDrawKind::kText && !it->text.IsEmpty()) return it->text;
    return CStringA();
  }
  CStringA Readout(double d) { return CStringA("d=") + FormatNumberText(d, GetNumberFormat(view.GetUnitSettings().length)); }
  // The lines the last undo record added, ends ordered and rounded, sorted.
  std::vector<Seg> AddedLines() const {
    std::vector<Seg> out;
    const CUndoRecord* r = view.GetLastUndoRecord();
    if (!r) return out;
    for (CEntity* e : r->GetNewEntities()) {
      if (!e->IsLine()) continue;
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      Seg s{v[0], v[1], v[2], v[3]};
      if (std::make_pair(s[2], s[3]) < std::make_pair(s[0], s[1])) s = {s[2], s[3], s[0], s[1]};
      for (double& d : s) d = std::round(d * 1e6) / 1e6 + 0.0;
      out.push_back(s);
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  CDraftView view;
  CCmdStack stack;
};

std::vector<Seg> RectangleSides(double x1, double y1, double x2, double y2) {
  std::vector<Seg> s{{x1, y1, x2, y1}, {x2, y1, x2, y2}, {x1, y2, x2, y2}, {x1, y1, x1, y2}};
  std::sort(s.begin(), s.end());
  return s;
}

// A point `d` to the left of the first boundary side, at its middle.
GPoint LeftOfFirstSide(const CContourCmd& cmd, double d) {
  double v[kMaxGeometryValues];
  cmd.GetBoundary().GetHead()->GetGeometry(v);
  const double len = std::hypot(v[2] - v[0], v[3] - v[1]);
  return {(v[0] + v[2]) / 2 - d * (v[3] - v[1]) / len, (v[1] + v[3]) / 2 + d * (v[2] - v[0]) / len};
}

// A point `d` outside the first boundary entity of a counter-clockwise
// contour: right of a line, beyond an arc that bulges out of the region.
GPoint OutsideFirstEntity(const CContourCmd& cmd, double d) {
  CEntity* first = cmd.GetBoundary().GetHead();
  if (!first->IsArc()) return LeftOfFirstSide(cmd, -d);
  double g[kMaxGeometryValues];
  first->GetGeometry(g);
  double a1 = g[3], a2 = g[4];
  MakeAngleRangeAscending(a1, a2);
  const double middle = DegreeToRadian((a1 + a2) / 2);
  return {g[0] + (g[2] + d) * std::cos(middle), g[1] + (g[2] + d) * std::sin(middle)};
}

TEST(ContourTest, TheCursorsSideGivesTheOffsetsSide) {
  // The contour is walked counter-clockwise, so that the region lies left
  // of the first side, where the line distance is positive: a cursor inside
  // gives a positive distance and an inner contour.
  struct Case {
    double across;  // left of the first side (inside) when positive
    int tabs;
    double readout;
    std::vector<Seg> made;
  };
  std::vector<Seg> both = RectangleSides(24, 24, 116, 66);
  for (const Seg& s : RectangleSides(16, 16, 124, 74)) both.push_back(s);
  std::sort(both.begin(), both.end());
  const Case cases[] = {
      {3.7, 0, 4, RectangleSides(24, 24, 116, 66)},
      {3.7, 1, 8, both},
      {-3.7, 0, 3, RectangleSides(17, 17, 123, 73)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.across << " tabs " << c.tabs);
    ContourBench b;
    b.Rectangle(20, 20, 120, 70);
    auto* cmd = new CContourCmd(100, &b.view, 0);
    b.stack.Push(&b.view, cmd);
    EXPECT_EQ(b.stack.GetPrompt(), "选取轮廓范围内一点");
    b.Click(70, 45);
    ASSERT_TRUE(cmd->IsContourFound());
    EXPECT_EQ(b.stack.GetPrompt(), "输入位置(TAB：单/双切换,右键结束)");
    // The boundary is shown and held apart from the drawing.
    EXPECT_EQ(b.view.GetSecondList()->GetCount(), 4);
    const GPoint at = LeftOfFirstSide(*cmd, c.across);
    for (int i = 0; i < c.tabs; ++i) b.Tab(at.x, at.y);
    b.Move(at.x, at.y);
    EXPECT_EQ(b.LastText(), b.Readout(c.readout));
    b.Click(at.x, at.y);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(b.AddedLines(), c.made);
    // Another click adds another contour of the same boundary.
    b.Click(at.x, at.y);
    EXPECT_EQ(b.view.GetUndoCount(), 2);
    // The right button drops the boundary (deleted while registered and
    // selected); a second one ends the command.
    b.RButton();
    EXPECT_EQ(b.stack.GetPrompt(), "选取轮廓范围内一点");
    EXPECT_EQ(b.view.GetSecondList()->GetCount(), 0);
    EXPECT_EQ(b.view.GetSelectionCount(), 0);
    b.RButton();
    EXPECT_TRUE(b.stack.IsEmpty());
  }
}

TEST(ContourTest, ATypedSpacingInDoubleModeIsTheDistanceBetweenTheContours) {
  ContourBench b;
  b.Rectangle(20, 20, 120, 70);
  auto* cmd = new CContourCmd(100, &b.view, 0);
  b.stack.Push(&b.view, cmd);
  b.Click(70, 45);
  const GPoint at = LeftOfFirstSide(*cmd, 3.7);
  b.Tab(at.x, at.y);
  b.Move(at.x, at.y);
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    EXPECT_EQ(CStringA(m.Caption()), "输入间距");
    m.EnterText(1062, CStringA("10"));
    m.Click(IDOK);
  });
  b.stack.OnChar(ContourBench::At(at.x, at.y), '1', 1, 0, &b.view);
  std::vector<Seg> both = RectangleSides(25, 25, 115, 65);
  for (const Seg& s : RectangleSides(15, 15, 125, 75)) both.push_back(s);
  std::sort(both.begin(), both.end());
  EXPECT_EQ(b.AddedLines(), both);
}

TEST(ContourTest, ACircleOffsetsConcentrically) {
  struct Case {
    double cursor;  // distance from the centre
    double radius;
    double readout;
  };
  const Case cases[] = {{14.8, 15, 5}, {25.2, 24, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cursor);
    ContourBench b;
    b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 100, 50, 20));
    auto* cmd = new CContourCmd(100, &b.view, 0);
    b.stack.Push(&b.view, cmd);
    b.Click(100, 50);
    ASSERT_TRUE(cmd->IsContourFound());
    b.Move(100 + c.cursor, 50);
    EXPECT_EQ(b.LastText(), b.Readout(c.readout));
    b.Click(100 + c.cursor, 50);
    const CUndoRecord* r = b.view.GetLastUndoRecord();
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->GetNewEntities().size(), 1u);
    double v[kMaxGeometryValues];
    ASSERT_EQ(r->GetNewEntities()[0]->GetGeometry(v), 3);
    EXPECT_NEAR(v[2], c.radius, 1e-9);
  }
}

// A spacing beyond the radius makes nothing on the inner side: typed 50 in
// double mode on a circle of radius 20 gives only the outer circle, 25 off.
TEST(ContourTest, ASpacingBeyondACirclesRadiusMakesOnlyTheOuterSide) {
  ContourBench b;
  b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 100, 50, 20));
  auto* cmd = new CContourCmd(100, &b.view, 0);
  b.stack.Push(&b.view, cmd);
  b.Click(100, 50);
  ASSERT_TRUE(cmd->IsContourFound());
  b.Tab(110, 50);
  b.Move(110, 50);
  platform::ScopedModalDriver driver([](platform::ModalSession& m) {
    m.EnterText(1062, CStringA("50"));
    m.Click(IDOK);
  });
  b.stack.OnChar(ContourBench::At(110, 50), '5', 1, 0, &b.view);
  const CUndoRecord* r = b.view.GetLastUndoRecord();
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->GetNewEntities().size(), 1u);
  double v[kMaxGeometryValues];
  ASSERT_EQ(r->GetNewEntities()[0]->GetGeometry(v), 3);
  EXPECT_NEAR(v[2], 45, 1e-9);
}

TEST(ContourTest, ARectangleTurnedByATinyAngleOffsetsWhole) {
  ContourBench b;
  b.Rectangle(20, 20, 120, 70, -1e-8);
  auto* cmd = new CContourCmd(100, &b.view, 0);
  b.stack.Push(&b.view, cmd);
  b.Click(70, 45);
  const GPoint at = LeftOfFirstSide(*cmd, 3.7);
  b.Click(at.x, at.y);
  const std::vector<Seg> made = b.AddedLines();
  ASSERT_EQ(made.size(), 4u);
  const std::vector<Seg> expected = RectangleSides(24, 24, 116, 66);
  for (size_t i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(made[i][k], expected[i][k], 1e-4);
}

// The eight pieces the last undo record made of the bench's rounded
// rectangle offset `d` outward: four corner arcs of radius 10 + d over a
// quarter turn each, and four sides d outside that end where the arcs begin.
void ExpectRoundedRectangleGrownBy(const CDraftView& v, double d) {
  const CUndoRecord* r = v.GetLastUndoRecord();
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->GetNewEntities().size(), 8u);
  int arcs = 0;
  for (CEntity* e : r->GetNewEntities()) {
    double g[kMaxGeometryValues];
    const int n = e->GetGeometry(g);
    if (e->IsArc()) {
      ++arcs;
      ASSERT_EQ(n, 5);
      EXPECT_NEAR(g[2], 10 + d, 1e-9);
      double a = g[3], z = g[4];
      MakeAngleRangeAscending(a, z);
      EXPECT_NEAR(z - a, 90, 1e-6);
    } else if (std::fabs(g[1] - g[3]) < 1e-9) {
      EXPECT_TRUE(std::fabs(g[1] - (20 - d)) < 1e-9 || std::fabs(g[1] - (70 + d)) < 1e-9) << g[1];
      EXPECT_NEAR(std::min(g[0], g[2]), 30, 1e-9);
      EXPECT_NEAR(std::max(g[0], g[2]), 110, 1e-9);
    } else {
      EXPECT_TRUE(std::fabs(g[0] - (20 - d)) < 1e-9 || std::fabs(g[0] - (120 + d)) < 1e-9) << g[0];
      EXPECT_NEAR(std::min(g[1], g[3]), 30, 1e-9);
      EXPECT_NEAR(std::max(g[1], g[3]), 60, 1e-9);
    }
  }
  EXPECT_EQ(arcs, 4);
}

TEST(ContourTest, RoundedCornersGrowOutwardAndTheSidesEndOnThem) {
  ContourBench b;
  CDraftView& v = b.view;
  b.RoundedRectangle();
  b.stack.Push(&v, new CContourCmd(100, &v, 0));
  auto* cmd = static_cast<CContourCmd*>(b.stack.GetCurrent());
  b.Click(70, 45);
  const GPoint at = LeftOfFirstSide(*cmd, -3.7);  // outside the first side: made whole, 3
  b.Click(at.x, at.y);
  ExpectRoundedRectangleGrownBy(v, 3);
}

// The construction driven directly over a boundary list of our own.
class OffsetFixture : public CContourCmd {
 public:
  explicit OffsetFixture(int chainMode) : CContourCmd(100, nullptr, chainMode) {}
  void Boundary(std::vector<CEntity*> entities) {
    for (CEntity* e : entities) regions_[0].AddTail(e);
    current_ = 0;
    sameGroup_ = 0;
    BuildBoundaryPolygon();
  }
  void SetDistance(double d) { distance_ = d; }
  CEntityList& Results() { return results_; }
  std::vector<Seg> ResultLines() {
    std::vector<Seg> out;
    for (CEntity* e : results_) {
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      out.push_back({v[0], v[1], v[2], v[3]});
    }
    return out;
  }
};

TEST(ContourTest, ACollinearPairOfBoundaryLinesGivesOneOffsetLine) {
  CDraftView view;
  OffsetFixture cmd(0);
  cmd.Boundary({ConstructLineEntity(0, nullptr, 0, 0, 50, 0), ConstructLineEntity(0, nullptr, 50, 0, 100, 0),
                ConstructLineEntity(0, nullptr, 100, 0, 100, 50), ConstructLineEntity(0, nullptr, 100, 50, 0, 50),
                ConstructLineEntity(0, nullptr, 0, 50, 0, 0)});
  cmd.SetDistance(4);
  cmd.BuildOffsetContour(&view, 0, 0);
  const std::vector<Seg> made = cmd.ResultLines();
  const std::vector<Seg> expected{{4, 4, 96, 4}, {96, 4, 96, 46}, {96, 46, 4, 46}, {4, 46, 4, 4}};
  ASSERT_EQ(made.size(), expected.size());
  for (size_t i = 0; i < made.size(); ++i)
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(made[i][k], expected[i][k], 1e-9) << i;
}

TEST(ContourTest, AnEndEntityThatIsItsOwnNeighbourIsPassedOverOnce) {
  // Chain mode 2: the first entity's neighbour before it is itself. Its
  // offset vanishes (radius 2 less 4), so it is passed over: the piece is
  // built without it rather than looping.
  CDraftView view;
  OffsetFixture cmd(2);
  CEntity* arc = ConstructArcEntity(0, nullptr, 0, 2, 2, 180, 270);
  CEntity* line = ConstructLineEntity(0, nullptr, 0, 0, 100, 0);
  CEntity* last = ConstructLineEntity(0, nullptr, 100, 0, 100, 50);
  cmd.Boundary({arc, line, last});
  CEntity* beyond = cmd.PrevBoundaryEntity(arc);
  EXPECT_EQ(beyond, arc);
  CEntity* piece = cmd.OffsetEntity(&view, arc, line, last, 4, 0);
  ASSERT_NE(piece, nullptr);
  double v[kMaxGeometryValues];
  piece->GetGeometry(v);
  const double expected[4] = {0, 4, 96, 4};
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(v[k], expected[k], 1e-9);
  delete piece;
}

struct DestroyCounter : CEntityWatcher {
  void OnEntityDestroyed(CEntity*) override { ++count; }
  int count = 0;
};

TEST(ContourTest, APieceThatMeetsNothingIsDeletedOnceByItsCaller) {
  OffsetFixture cmd(0);
  DestroyCounter last, piece;
  CEntity* r = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  r->SetWatcher(&last);
  cmd.Results().AddTail(r);
  CEntity* n = ConstructLineEntity(0, nullptr, 10, 5, 0, 5);  // the other way: no crossing
  n->SetWatcher(&piece);
  int drop = 0;
  EXPECT_EQ(cmd.MergeWithLast(n, 0, drop), nullptr);
  EXPECT_EQ(drop, 1);
  EXPECT_EQ(last.count, 1);   // the last result is gone
  EXPECT_EQ(piece.count, 0);  // the new piece is the caller's to delete
  EXPECT_TRUE(cmd.Results().IsEmpty());
  delete n;
  EXPECT_EQ(piece.count, 1);
}

}  // namespace

#include "draft/regions/ContourSelectCmd.h"

namespace {

TEST(ContourSelectTest, ALineArcLineChainPickedOutOfOrder) {
  ContourBench b;
  CDraftView& v = b.view;
  v.AddEntityToView(ConstructLineEntity(0, nullptr, 50, 10, 0, 10));  // drawn the other way
  v.AddEntityToView(ConstructArcEntity(0, nullptr, 50, 30, 20, 270, 360));
  v.AddEntityToView(ConstructLineEntity(0, nullptr, 70, 30, 70, 80));
  auto* cmd = new CContourSelectCmd(101, &v, 1);
  b.stack.Push(&v, cmd);
  EXPECT_EQ(b.stack.GetPrompt(), "选取目标(右键结束)");
  const GPoint onArc{50 + 20 * std::cos(-tressil::kPi / 4), 30 + 20 * std::sin(-tressil::kPi / 4)};
  b.Click(onArc.x, onArc.y);
  b.Click(70, 60);
  b.Click(20, 10);
  EXPECT_EQ(v.GetSelectionCount(), 3);
  b.RButton();  // builds the chain
  ASSERT_TRUE(cmd->IsContourFound());
  EXPECT_EQ(b.stack.GetPrompt(), "输入位置(TAB：单/双切换,右键结束)");
  std::vector<std::vector<double>> chain;
  for (CEntity* e : cmd->GetBoundary()) {
    double g[kMaxGeometryValues];
    const int n = e->GetGeometry(g);
    chain.emplace_back(g, g + n);
  }
  const std::vector<std::vector<double>> expected{{0, 10, 50, 10}, {50, 30, 20, 270, 360}, {70, 30, 70, 80}};
  ASSERT_EQ(chain.size(), expected.size());
  for (size_t i = 0; i < chain.size(); ++i) {
    ASSERT_EQ(chain[i].size(), expected[i].size()) << i;
    for (size_t k = 0; k < chain[i].size(); ++k) EXPECT_NEAR(chain[i][k], expected[i][k], 1e-9) << i << " " << k;
  }
  // 3.7 above the first line, inside the bend: 4 towards the arc's centre.
  b.Click(25, 13.7);
  const CUndoRecord* r = v.GetLastUndoRecord();
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->GetNewEntities().size(), 3u);
  std::vector<std::vector<double>> made;
  for (CEntity* e : r->GetNewEntities()) {
    double g[kMaxGeometryValues];
    const int n = e->GetGeometry(g);
    made.emplace_back(g, g + n);
  }
  const std::vector<std::vector<double>> offsets{{0, 14, 50, 14}, {50, 30, 16, 270, 360}, {66, 30, 66, 80}};
  for (size_t i = 0; i < made.size(); ++i) {
    ASSERT_EQ(made[i].size(), offsets[i].size()) << i;
    for (size_t k = 0; k < made[i].size(); ++k) EXPECT_NEAR(made[i][k], offsets[i][k], 1e-6) << i << " " << k;
  }
  // The right button drops the chain; the next ends the command.
  b.RButton();
  EXPECT_EQ(b.stack.GetPrompt(), "选取目标(右键结束)");
  EXPECT_EQ(v.GetSecondList()->GetCount(), 0);
  b.RButton();
  EXPECT_TRUE(b.stack.IsEmpty());
}

}  // namespace

namespace {

TEST(ContourTest, AHalfDiscOffsetsByTheShortConstruction) {
  ContourBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 20, 20, 60, 20));
  b.view.AddEntityToView(ConstructArcEntity(0, nullptr, 40, 20, 20, 0, 180));
  auto* cmd = new CContourCmd(100, &b.view, 0);
  b.stack.Push(&b.view, cmd);
  b.Click(40, 30);
  ASSERT_EQ(cmd->GetBoundary().GetCount(), 2);
  b.Click(40, 21.7);  // 1.7 above the diameter: 2 inside
  const CUndoRecord* r = b.view.GetLastUndoRecord();
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->GetNewEntities().size(), 2u);
  const double reach = std::sqrt(18.0 * 18.0 - 2.0 * 2.0);
  for (CEntity* e : r->GetNewEntities()) {
    double g[kMaxGeometryValues];
    const int n = e->GetGeometry(g);
    if (e->IsArc()) {
      ASSERT_EQ(n, 5);
      EXPECT_NEAR(g[2], 18, 1e-9);
      EXPECT_NEAR(g[3], RadianToDegree(std::atan2(2.0, reach)), 1e-6);
      EXPECT_NEAR(g[4], 180 - RadianToDegree(std::atan2(2.0, reach)), 1e-6);
    } else {
      EXPECT_NEAR(g[1], 22, 1e-9);
      EXPECT_NEAR(g[3], 22, 1e-9);
      EXPECT_NEAR(std::min(g[0], g[2]), 40 - reach, 1e-9);
      EXPECT_NEAR(std::max(g[0], g[2]), 40 + reach, 1e-9);
    }
  }
}

// A digit typed before the picked chain is built opens no spacing dialog
// and takes no point.
TEST(ContourSelectTest, ADigitBeforeTheChainIsBuiltIsIgnored) {
  ContourBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 10, 50, 10));
  auto* cmd = new CContourSelectCmd(101, &b.view, 1);
  b.stack.Push(&b.view, cmd);
  int dialogs = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    ++dialogs;
    m.Click(IDCANCEL);
  });
  b.Click(25, 10);  // the line is picked
  b.Move(25, 20);
  b.stack.OnChar(ContourBench::At(25, 20), '5', 1, 0, &b.view);
  EXPECT_EQ(dialogs, 0);
  EXPECT_FALSE(cmd->IsContourFound());
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(b.stack.GetPrompt(), "选取目标(右键结束)");
}

}  // namespace

namespace {

// Chaining reads each pick's end points a bounded number of times, however
// long the chain: a chain of n picks costs in proportion to n.
class CountingChain : public CContourCmd {
 public:
  CountingChain() : CContourCmd(101, nullptr, 1) {}
  void GetEndPoints(CEntity* entity, double& x1, double& y1, double& x2, double& y2) override {
    ++reads;
    CContourCmd::GetEndPoints(entity, x1, y1, x2, y2);
  }
  long reads = 0;
};

TEST(ContourSelectTest, ChainingALongRunOfPicksReadsEachPickAFewTimes) {
  for (int n : {100, 1600}) {
    SCOPED_TRACE(n);
    // A zigzag of n lines picked right to left and chained from its left
    // end, and a line touching the first joint that comes after the one
    // continuing the run: the first touching pick in pick order is taken.
    std::vector<std::unique_ptr<CEntity>> picks;
    CEntityList source;
    for (int i = 0; i < n; ++i) {
      picks.emplace_back(ConstructLineEntity(0, nullptr, i * 2.0, i % 2, i * 2.0 + 2, (i + 1) % 2, 1));
      source.AddHead(picks.back().get());
    }
    picks.emplace_back(ConstructLineEntity(0, nullptr, 2, 1, 2, 50, 1));
    source.AddTail(picks.back().get());
    CountingChain cmd;
    CEntityList chain;
    cmd.BuildChainFromPicks(source, chain, picks[0].get());
    EXPECT_LE(cmd.reads, 8L * n);
    ASSERT_EQ(chain.GetCount(), n);
    double v[kMaxGeometryValues];
    chain.GetTail()->GetGeometry(v);
    EXPECT_NEAR(v[2], 2.0 * n, 1e-9);
    EXPECT_EQ(picks.back()->GetChainMark(), 0);
    while (!chain.IsEmpty()) delete chain.RemoveHead();
  }
}

}  // namespace

namespace {

// A closed contour whose arcs are told apart by the winding test: the test
// runs over the whole boundary polygon, once for each arc while the contour
// stays, not again for every preview and every click.
class CountingContour : public CContourCmd {
 public:
  CountingContour(CDraftView* view) : CContourCmd(100, view, 0) {}
  double SignedSweep(double px, double py, double ax, double ay, double qx, double qy, double bx,
                     double by) override {
    ++sweeps;
    return CContourCmd::SignedSweep(px, py, ax, ay, qx, qy, bx, by);
  }
  long sweeps = 0;
};

TEST(ContourTest, PreviewsAndClicksDoNotRepeatTheArcsWindingTests) {
  for (int n : {10, 100}) {
    SCOPED_TRACE(n);
    // A box whose bottom is a row of n half circles bulging out of it.
    ContourBench b;
    const double r = 90.0 / n;
    for (int i = 0; i < n; ++i) b.view.AddEntityToView(ConstructArcEntity(0, nullptr, (2 * i + 1) * r, 10, r, 180, 360));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 180, 10, 180, 50));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 180, 50, 0, 50));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 50, 0, 10));
    auto* cmd = new CountingContour(&b.view);
    b.stack.Push(&b.view, cmd);
    b.Click(90, 30);
    ASSERT_EQ(cmd->GetBoundary().GetCount(), n + 3);
    // 2.7 outside the first side, made whole as 2: the half circles grow
    // by 2.
    const GPoint at = OutsideFirstEntity(*cmd, 2.7);
    b.Move(at.x + 0.1, at.y);
    cmd->sweeps = 0;
    b.Move(at.x, at.y);
    b.Click(at.x, at.y);
    EXPECT_EQ(cmd->sweeps, 0);
    const CUndoRecord* made = b.view.GetLastUndoRecord();
    ASSERT_NE(made, nullptr);
    int arcs = 0;
    for (CEntity* e : made->GetNewEntities()) {
      double g[kMaxGeometryValues];
      e->GetGeometry(g);
      if (!e->IsArc()) continue;
      ++arcs;
      EXPECT_NEAR(g[2], r + 2, 1e-9);
    }
    EXPECT_EQ(arcs, n);
  }
}

}  // namespace

namespace {

// A click that creates contours of a picked chain drops its point, also
// when the undo history is full and the new step pushes out the oldest.
TEST(ContourSelectTest, CreatingDropsThePointWithAFullUndoHistory) {
  for (int limit : {200, 1}) {
    SCOPED_TRACE(limit);
    ContourBench b;
    b.view.SetUndoLimit(limit);
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 10, 50, 10));
    CUndoRecord* earlier = ConstructUndoAddEntities();
    earlier->AddNew(b.view.GetEntityList()->GetHead());
    b.view.PushUndoRecord(earlier);
    auto* cmd = new CContourSelectCmd(101, &b.view, 1);
    b.stack.Push(&b.view, cmd);
    b.Click(25, 10);
    b.RButton();
    ASSERT_TRUE(cmd->IsContourFound());
    b.Click(25, 13.7);
    EXPECT_NE(b.view.GetLastUndoRecord(), earlier);
    EXPECT_EQ(cmd->GetStep(), 0);
  }
}

}  // namespace
namespace {

// A first pick without end points (a point, an ellipse) starts no chain
// growth: nothing is joined to it, least of all what touches the origin.
TEST(ContourSelectTest, AFirstPickWithoutEndPointsChainsNothingToIt) {
  for (int kind : {0, 1}) {
    SCOPED_TRACE(kind);
    ContourBench b;
    if (kind == 0)
      b.view.AddEntityToView(ConstructPointEntity(0, nullptr, 30, 30, 0, 1));
    else
      b.view.AddEntityToView(ConstructEllipseEntity(0, nullptr, 30, 30, 5, 3, 0, 0, 360));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 50, 0));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 50, 0, 50, 40));
    auto* cmd = new CContourSelectCmd(101, &b.view, 1);
    b.stack.Push(&b.view, cmd);
    b.Click(kind == 0 ? 30 : 35, 30);
    b.Click(25, 0);
    b.Click(50, 20);
    ASSERT_EQ(b.view.GetSelectionCount(), 3);
    b.RButton();
    ASSERT_TRUE(cmd->IsContourFound());
    EXPECT_EQ(cmd->GetBoundary().GetCount(), 1);
    b.Click(20, 5);
    EXPECT_EQ(b.view.GetUndoCount(), 0);
  }
}

}  // namespace

namespace {

// A closed chain of picks is offset the same way whichever pick starts it,
// that is whichever way round the chain runs: 2.7 outside its first entity,
// made whole as 2, every side moves 2 out and every corner arc grows by 2.
TEST(ContourSelectTest, AClosedChainOffsetsWholeWhicheverWayItRuns) {
  for (double startY : {20.0, 70.0}) {  // the bottom side first, or the top
    SCOPED_TRACE(startY);
    ContourBench b;
    CDraftView& v = b.view;
    b.RoundedRectangle();
    auto* cmd = new CContourSelectCmd(101, &v, 0);
    b.stack.Push(&v, cmd);
    b.Click(70, startY);
    b.Click(5, 5);  // a window round the rest
    b.Click(190, 95);
    b.RButton();
    ASSERT_EQ(cmd->GetBoundary().GetCount(), 8);
    const GPoint at = OutsideFirstEntity(*cmd, 2.7);
    b.Move(at.x, at.y);
    b.Click(at.x, at.y);
    ExpectRoundedRectangleGrownBy(v, 2);
  }
}

}  // namespace
