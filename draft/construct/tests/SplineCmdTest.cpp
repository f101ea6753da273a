#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "draft/construct/EditSplineCmd.h"
#include "draft/construct/SplineCmd.h"
#include "draft/construct/WaveLineCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EquationCurveEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/SmoothCurve.h"
#include "platform/ui/ModalDriver.h"

namespace {

class SplineCmdTest : public ::testing::Test, public CommandBench {
 protected:
  SplineCmdTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~SplineCmdTest() override { SetSettingsBacking(std::move(previous_)); }

  std::vector<CCurveEntity*> Curves() {
    std::vector<CCurveEntity*> out;
    for (CEntity* e : *view.GetEntityList())
      if (auto* c = dynamic_cast<CCurveEntity*>(e)) out.push_back(c);
    return out;
  }
  // The wave line, its peak height answered.
  CWaveLineCmd* PushWave(double height) {
    platform::ScopedModalDriver driver([height](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), "输入浪峰高度");
      char text[32];
      std::snprintf(text, sizeof text, "%g", height);
      EXPECT_TRUE(s.EnterText(1062, CStringA(text)));
      EXPECT_TRUE(s.Click(IDOK));
    });
    return Push(new CWaveLineCmd(91));
  }
  int TempCount() { return view.GetTempEntityList().GetCount(); }

  std::unique_ptr<CSettingsBacking> previous_;
};

void ExpectPoints(const std::vector<GPoint>& actual, const std::vector<GPoint>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << i;
  }
}

const std::vector<GPoint> kSplineClicks = {{100, 100}, {140, 130}, {180, 90}, {220, 140}, {260, 100}};

// A curve of n fit points has n pieces closed and n - 1 open, each of
// "SET_CURVEINS" segments as read at the right button (at least 1: 0 would
// make an empty curve).
TEST_F(SplineCmdTest, PiecesOfOpenAndClosedCurves) {
  struct Case {
    int closed, setting, segments;
  };
  const Case cases[] = {{0, 8, 4 * 8}, {1, 8, 5 * 8}, {0, 2, 4 * 2}, {1, 0, 5}, {0, -3, 4}, {0, 20, 4 * 20}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "closed " << k.closed << " setting " << k.setting);
    CommandBench b;
    b.Push(new CSplineCmd(90, k.closed, 0));
    WriteProfileIntSetting("SYSVAR_NORMAL", "SET_CURVEINS", k.setting);
    for (const GPoint& p : kSplineClicks) b.Click(p.x, p.y);
    b.stack.OnRButton(0, At(0, 0), &b.view);
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    auto* curve = dynamic_cast<CCurveEntity*>(b.view.GetEntityList()->GetHead());
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->IsClosed(), k.closed ? TRUE : FALSE);
    EXPECT_EQ(curve->GetMemberCount(), k.segments);
    ExpectPoints(curve->GetShownFitPoints(), kSplineClicks);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(b.stack.GetCurrentId(), 90);  // the next curve may start
    b.stack.OnRButton(0, At(0, 0), &b.view);
    EXPECT_EQ(b.stack.GetCurrentId(), 0);
  }
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_CURVEINS", 8);
}

TEST_F(SplineCmdTest, FewerThanFourPointsOrAClickOnTheLastPointMakeNothing) {
  Push(new CSplineCmd(90, 0, 0));
  Click(100, 100);
  Click(100, 100);  // ignored
  Click(150, 120);
  Click(200, 100);
  stack.OnRButton(0, At(0, 0), &view);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 0);
  EXPECT_EQ(view.GetUndoCount(), 0);
}

// A spline ends by itself at its 99th fit point, a wave line at its 24th
// wave (97 fit points).
TEST_F(SplineCmdTest, CurvesEndByThemselvesWhenTheArrayIsFull) {
  Push(new CSplineCmd(90, 0, 0));
  for (int i = 0; i < 99; ++i) Click(5 + 7 * i, 100 + (i % 2) * 20);
  auto curves = Curves();
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_EQ(curves[0]->GetShownFitPoints().size(), 99u);
  EXPECT_EQ(TempCount(), 0);
  stack.OnRButton(0, At(0, 0), &view);
  EXPECT_EQ(stack.GetCurrentId(), 0);

  PushWave(3);
  for (int i = 0; i < 25; ++i) Click(10 + 30 * i, 300);
  curves = Curves();
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[1]->GetShownFitPoints().size(), 97u);
  EXPECT_EQ(dynamic_cast<CSplineCmd*>(stack.GetCurrent())->GetFitPointCount(), 0);
}

// Each click after the first adds three wave points a height below, on and
// above the line and the clicked point; TAB mirrors the waves. In a group
// of scale 2 the height is twice as large and the fit points are kept in
// the group's coordinates.
TEST_F(SplineCmdTest, WavePointsTheirMirrorAndAGroupOfScaleTwo) {
  struct Case {
    int tabs;
    double scale;
    GPoint end;
    std::vector<GPoint> fit;
  };
  const Case cases[] = {
      {0, 1, {40, 0}, {{0, 0}, {10, -10}, {20, 0}, {30, 10}, {40, 0}}},
      {1, 1, {40, 0}, {{0, 0}, {10, 10}, {20, 0}, {30, -10}, {40, 0}}},
      {0, 1, {0, 40}, {{0, 0}, {10, 10}, {0, 20}, {-10, 30}, {0, 40}}},
      {0, 2, {40, 0}, {{0, 0}, {10, -20}, {20, 0}, {30, 20}, {40, 0}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "tabs " << k.tabs << " scale " << k.scale << " end " << k.end.y);
    CommandBench b;
    b.view.SetPan(-300, -300);
    CDrawingGroup* group = b.view.GetGroupTable()->AddGroup("part", k.scale);
    b.view.GetGroupTable()->SetActiveGroup(group);
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      EXPECT_TRUE(s.EnterText(1062, CStringA("10")));
      EXPECT_TRUE(s.Click(IDOK));
    });
    auto* wave = b.Push(new CWaveLineCmd(91));
    EXPECT_EQ(wave->GetPeakHeight(), 10);
    const auto at = [&](const GPoint& p) { return b.view.DrawingToClient(p.x, p.y); };
    for (int i = 0; i < k.tabs; ++i) b.stack.OnChar(at({0, 0}), 9, 1, 0, &b.view);
    b.stack.OnLButton(0, at({0, 0}), &b.view);
    b.stack.OnLButton(0, at(k.end), &b.view);
    EXPECT_EQ(wave->GetFitPointCount(), 5);
    b.stack.OnRButton(0, at({0, 0}), &b.view);
    ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
    auto* curve = dynamic_cast<CCurveEntity*>(b.view.GetEntityList()->GetHead());
    ASSERT_NE(curve, nullptr);
    ExpectPoints(curve->GetShownFitPoints(), k.fit);
    std::vector<GPoint> stored;
    for (const GPoint& p : k.fit) stored.push_back({p.x / k.scale, p.y / k.scale});
    ExpectPoints(curve->GetFitPoints(), stored);
  }
}

TEST_F(SplineCmdTest, AWaveLineCancelledAtItsHeightDoesNotStart) {
  platform::ScopedModalDriver driver([](platform::ModalSession& s) { s.Click(IDCANCEL); });
  Push(new CWaveLineCmd(91));
  EXPECT_EQ(stack.GetCurrentId(), 0);
}

// Pieces six fit points behind the last are shown once as temporary lines
// and left out of later previews; they are the pieces of the curve made.
TEST_F(SplineCmdTest, FrozenPiecesAreThePiecesOfTheCurveMade) {
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_CURVEINS", 4);
  auto* spline = Push(new CSplineCmd(90, 0, 0));
  std::vector<GPoint> clicks;
  for (int i = 0; i < 9; ++i) clicks.push_back({50.0 + 40 * i, 100.0 + (i % 3) * 30});
  for (const GPoint& p : clicks) Click(p.x, p.y);
  EXPECT_EQ(spline->GetFrozenPieceCount(), 4);  // 9 - 5
  ASSERT_EQ(TempCount(), 16);
  std::vector<Line> frozen;
  for (CEntity* e : view.GetTempEntityList()) {
    double v[kMaxGeometryValues];
    ASSERT_EQ(e->GetGeometry(v), 4);
    frozen.push_back({v[0], v[1], v[2], v[3]});
  }
  // The preview draws the pieces from the first not frozen on.
  view.ClearDrawLog();
  Move(450, 200);
  const ViewDrawOp* polyline = nullptr;
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kPolyline) polyline = &op;
  ASSERT_NE(polyline, nullptr);
  ASSERT_EQ(polyline->values.size(), 2u * (5 * 4 + 1));  // pieces 4 to 8 of the 10 points
  EXPECT_NEAR(polyline->values[0], clicks[4].x, 1e-9);
  EXPECT_NEAR(polyline->values[1], clicks[4].y, 1e-9);

  stack.OnRButton(0, At(0, 0), &view);
  EXPECT_EQ(TempCount(), 0);
  auto curves = Curves();
  ASSERT_EQ(curves.size(), 1u);
  std::vector<Line> made;
  for (int i = 0; i < curves[0]->GetMemberCount(); ++i) {
    CEntity* e = curves[0]->GetMember(i);
    double v[kMaxGeometryValues];
    ASSERT_EQ(e->GetGeometry(v), 4);
    made.push_back({v[0], v[1], v[2], v[3]});
  }
  ASSERT_EQ(made.size(), 8u * 4);
  made.resize(frozen.size());
  ExpectLines(made, frozen);
  WriteProfileIntSetting("SYSVAR_NORMAL", "SET_CURVEINS", 8);
}

// The command deleted while frozen pieces wait leaves no temporary entity.
TEST_F(SplineCmdTest, FrozenPiecesGoWithTheCommand) {
  Push(new CSplineCmd(90, 0, 0));
  for (int i = 0; i < 8; ++i) Click(50 + 40 * i, 100 + (i % 2) * 30);
  EXPECT_EQ(TempCount(), 12);
  stack.DeleteAll();
  EXPECT_EQ(TempCount(), 0);
}

class EditSplineTest : public SplineCmdTest {
 protected:
  // An open curve through five points, made by the spline command.
  CCurveEntity* MakeCurve() {
    Push(new CSplineCmd(90, 0, 0));
    for (const GPoint& p : kSplineClicks) Click(p.x, p.y);
    stack.OnRButton(0, At(0, 0), &view);
    stack.OnRButton(0, At(0, 0), &view);
    return Curves().front();
  }
  // A point on the curve's second segment, where a click picks it.
  GPoint OnCurve(CCurveEntity* curve) {
    double v[kMaxGeometryValues];
    curve->GetMember(1)->GetGeometry(v);
    return {(v[0] + v[2]) / 2, (v[1] + v[3]) / 2};
  }
};

TEST_F(EditSplineTest, AFitPointMovedReplacesTheCurveInOneStep) {
  CCurveEntity* old = MakeCurve();
  const GPoint pick = OnCurve(old);
  auto* edit = Push(new CEditSplineCmd(92));
  Click(std::round(pick.x), std::round(pick.y));
  ASSERT_EQ(edit->GetPickedCurve(), old);
  EXPECT_EQ(stack.GetPrompt(), CString("选择要修改的型值点"));
  Click(182, 95);  // 7 pixels from (180, 90)
  EXPECT_EQ(edit->GetPickedIndex(), 2);
  view.ClearDrawLog();
  Click(185, 60);
  auto curves = Curves();
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_NE(curves[0], old);
  EXPECT_EQ(edit->GetPickedCurve(), curves[0]);
  std::vector<GPoint> moved = kSplineClicks;
  moved[2] = {185, 60};
  ExpectPoints(curves[0]->GetShownFitPoints(), moved);
  EXPECT_EQ(curves[0]->GetMemberCount(), 4 * 8);
  int marks = 0;
  for (const ViewDrawOp& op : view.GetDrawLog())
    if (op.kind == ViewDrawKind::kPointMark && op.flag == 65280) ++marks;
  EXPECT_EQ(marks, 5);
  EXPECT_EQ(view.GetUndoCount(), 2);
  EXPECT_EQ(stack.GetPrompt(), CString("选择要修改的型值点"));  // the next fit point of the same curve

  // A picked fit point goes back on the right button.
  Click(100, 100);
  EXPECT_EQ(edit->GetPickedIndex(), 0);
  stack.OnRButton(0, At(0, 0), &view);
  EXPECT_EQ(edit->GetPickedIndex(), -1);
  EXPECT_EQ(stack.GetPrompt(), CString("选择要修改的型值点"));
  Click(300, 300);  // no fit point there
  EXPECT_EQ(edit->GetPickedIndex(), -1);
  EXPECT_EQ(stack.GetPrompt(), CString("选择要修改的型值点"));
  stack.OnRButton(0, At(0, 0), &view);
  stack.OnRButton(0, At(0, 0), &view);
  EXPECT_EQ(stack.GetCurrentId(), 0);

  ASSERT_TRUE(view.Undo());
  curves = Curves();
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_EQ(curves[0], old);
  ExpectPoints(old->GetShownFitPoints(), kSplineClicks);
}

// Equation curves, and curves of more fit points than the command holds,
// are not taken for editing.
TEST_F(EditSplineTest, CurvesThatAreNotTaken) {
  auto* equation = ConstructEquationCurveEntity(0, nullptr);
  equation->AddCurveSegment(0, 50, 100, 50, 1);
  view.AddEntityToView(equation);
  CCurveEntity* big = ConstructCurveEntity(0, nullptr, 0);
  for (int i = 0; i <= 100; ++i) big->AddFitPoint(i * 3, 200);
  big->AddCurveSegment(0, 200, 300, 200, 1);
  view.AddEntityToView(big);
  auto* edit = Push(new CEditSplineCmd(92));
  for (const GPoint& p : {GPoint{50, 50}, GPoint{150, 200}}) {
    Click(p.x, p.y);
    EXPECT_EQ(edit->GetPickedCurve(), nullptr);
    EXPECT_EQ(stack.GetPrompt(), CString("选择要修改的曲线"));
  }
}

}  // namespace
