#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/Circle2PointCmd.h"
#include "draft/construct/Circle3PointCmd.h"
#include "draft/construct/CircleCenterCmd.h"
#include "draft/construct/PolygonCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace {

using CircleValues = std::array<double, 3>;  // cx, cy, r

std::vector<CircleValues> Circles(CDraftView& view) {
  std::vector<CircleValues> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsCircle() && e->GetGeometry(v) == 3) out.push_back({v[0], v[1], v[2]});
  }
  return out;
}

void ExpectCircles(const std::vector<CircleValues>& actual, const std::vector<CircleValues>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    for (size_t k = 0; k < 3; ++k) EXPECT_NEAR(actual[i][k], expected[i][k], 1e-9) << "circle " << i;
}

class CircleTest : public ::testing::Test {
 protected:
  CircleTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~CircleTest() override { SetSettingsBacking(std::move(previous_)); }

  std::unique_ptr<CSettingsBacking> previous_;
  CommandBench b;
};

}  // namespace

TEST_F(CircleTest, WithoutCentreLinesEveryFurtherPointAddsAConcentricCircle) {
  auto* cmd = b.Push(new CCircleCenterCmd(40, 0));
  EXPECT_EQ(b.stack.GetPrompt(), "输入圆心");
  b.Click(100, 100);
  EXPECT_EQ(b.stack.GetPrompt(), "输入圆上一点(R: 半径， D: 直径)");
  b.Click(110, 100);
  b.Click(100, 120);
  b.Click(130, 100);
  ExpectCircles(Circles(b.view), {{100, 100, 10}, {100, 100, 20}, {100, 100, 30}});
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(b.view.GetUndoCount(), 3);
  // Only the centre was marked.
  int marks = 0;
  for (const ViewDrawOp& op : b.view.GetDrawLog()) marks += op.kind == ViewDrawKind::kMark;
  EXPECT_EQ(marks, 1);
}

// A second click on the centre gives a radius of zero: nothing is made and
// nothing recorded; the circle without centre lines keeps its centre.
TEST_F(CircleTest, AZeroRadiusMakesNothing) {
  WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 0);
  struct Case {
    const char* name;
    CCmdBase* cmd;
    int stepAfter;
  };
  CommandBench benches[3];
  const Case cases[] = {
      {"circle", new CCircleCenterCmd(40, 0), 1},
      {"circle with centre lines", new CCircleCenterCmd(41, 1), 0},
      {"polygon", new CPolygonCmd(44), 0},
  };
  for (size_t i = 0; i < 3; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    CommandBench& bench = benches[i];
    bench.Push(c.cmd);
    bench.Click(50, 50);
    bench.Click(50, 50);
    EXPECT_TRUE(bench.view.GetEntityList()->IsEmpty());
    EXPECT_EQ(bench.view.GetUndoCount(), 0);
    EXPECT_TRUE(bench.boxes.empty());
    EXPECT_EQ(c.cmd->GetStep(), c.stepAfter);
  }
}

TEST_F(CircleTest, CentreLinesOvershootTheCircleAndTheNextClickIsANewCentre) {
  struct Case {
    const char* setting;  // null: the default overshoot
    double overshoot;
    int tabs;
  };
  const Case cases[] = {{nullptr, 5.0, 0}, {"2.5", 2.5, 0}, {nullptr, 5.0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.overshoot);
    CommandBench bench;
    if (c.setting) WriteProfileStringSetting("SystemSetting", "CenterLine", c.setting);
    auto* cmd = bench.Push(new CCircleCenterCmd(41, 1));
    bench.Click(50, 50);
    for (int i = 0; i < c.tabs; ++i) bench.Char(9, 57, 57);
    bench.Move(57, 57);
    bench.view.ClearDrawLog();
    bench.Move(60, 50);
    bench.Click(60, 50);
    EXPECT_EQ(cmd->GetStep(), 0);
    ExpectCircles(Circles(bench.view), {{50, 50, 10}});
    // Level and upright whatever the TAB count turned the preview to.
    const double e = 10 + c.overshoot;
    ExpectLines(bench.Lines(), {{50 - e, 50, 50 + e, 50}, {50, 50 - e, 50, 50 + e}});
    for (CEntity* line : *bench.view.GetEntityList())
      if (line->IsLine()) {
        EXPECT_EQ(line->GetEntityLayer(), 2);  // the default centre-line layer
      }
    EXPECT_EQ(bench.view.GetUndoCount(), 1);
    ASSERT_TRUE(bench.view.Undo());
    EXPECT_TRUE(bench.view.GetEntityList()->IsEmpty());
    WriteProfileStringSetting("SystemSetting", "CenterLine", "5.0");
  }
}

TEST_F(CircleTest, WithoutACentreLineLayerTheLinesGoOnTheCurrentLayerAfterAMessage) {
  GetLayerRecord(b.view.GetLayerTable(), 2)->SetLineKind(kLineStyleThin);
  b.view.SetCurrentLayer(7);
  b.Push(new CCircleCenterCmd(41, 1));
  b.Click(50, 50);
  b.Click(60, 50);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_EQ(b.boxes[0], "没有层设置为中心线!");
  for (CEntity* e : *b.view.GetEntityList()) EXPECT_EQ(e->GetEntityLayer(), 7);
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 3);
}

TEST_F(CircleTest, ArrowKeysWalkTheCursorRadiallyInWholeSteps) {
  b.view.SetZoom(10);  // device (x, y) is drawing (x / 10, 60 - y / 10)
  b.Push(new CCircleCenterCmd(40, 0));
  b.stack.OnLButton(0, CPoint(100, 500), &b.view);   // centre (10, 10)
  b.stack.OnMouseMove(0, CPoint(223, 500), &b.view);  // radius 12.3, due east
  b.Key(39);                                          // right: 13
  b.Key(37);                                          // left: 12
  b.Enter();
  ExpectCircles(Circles(b.view), {{10, 10, 12}});
}

TEST_F(CircleTest, ATypedRadiusOrDiameterMakesTheCircleAtOnce) {
  struct Case {
    UINT letter;
    const char* caption;
    double radius;
  };
  for (const Case& c : {Case{'R', "半径输入", 5.0}, Case{'D', "直径输入", 2.5}}) {
    CommandBench bench;
    bench.Push(new CCircleCenterCmd(40, 0));
    bench.Click(100, 100);
    bench.Move(100, 130);
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), c.caption);
      s.EnterText(1004, CStringA("5"));
      s.Click(IDOK);
    });
    bench.Char(c.letter, 100, 130);
    ExpectCircles(Circles(bench.view), {{100, 100, c.radius}});
  }
}

TEST_F(CircleTest, TwoPointCircleTypesItsDiameterAlongTheCursor) {
  struct Case {
    UINT letter;
    double distance;  // of the second point from the first
  };
  for (const Case& c : {Case{'R', 10.0}, Case{'D', 5.0}}) {
    CommandBench bench;
    bench.Push(new CCircle2PointCmd(42));
    bench.Click(0, 100);
    bench.Move(0, 200);
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      s.EnterText(1004, CStringA("5"));
      s.Click(IDOK);
    });
    bench.Char(c.letter, 0, 200);
    ExpectCircles(Circles(bench.view), {{0, 100 + c.distance / 2, c.distance / 2}});
  }
  // Coincident points make nothing.
  b.Push(new CCircle2PointCmd(42));
  b.Click(10, 10);
  b.Click(10, 10);
  EXPECT_TRUE(Circles(b.view).empty());
  EXPECT_EQ(b.view.GetUndoCount(), 0);
}

TEST_F(CircleTest, ThreePointCircleAndCollinearPoints) {
  auto* cmd = b.Push(new CCircle3PointCmd(43));
  b.Click(0, 0);
  b.Click(20, 0);
  b.Click(10, 10);
  ExpectCircles(Circles(b.view), {{10, 0, 10}});
  b.Click(0, 50);
  b.Click(10, 50);
  b.Click(20, 50);
  EXPECT_EQ(Circles(b.view).size(), 1u);
  EXPECT_TRUE(b.boxes.empty());
  EXPECT_EQ(cmd->GetStep(), 0);
}

TEST_F(CircleTest, PolygonVerticesByTabParity) {
  struct Case {
    int tabs;
    double firstAngle;
    double radius;
  };
  const Case cases[] = {{0, 0.0, 10.0}, {1, -30.0, 10.0 / std::cos(tressil::kPi / 6)}, {2, 0.0, 10.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tabs);
    CommandBench bench;
    WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 0);
    bench.Push(new CPolygonCmd(44));
    bench.Click(100, 100);
    for (int i = 0; i < c.tabs; ++i) bench.Char(9, 110, 100);
    bench.Click(110, 100);
    ASSERT_EQ(bench.view.GetEntityList()->GetCount(), 1);
    CEntity* e = bench.view.GetEntityList()->GetHead();
    ASSERT_TRUE(e->IsBlock());
    auto* block = static_cast<CBlockEntity*>(e);
    ASSERT_EQ(block->GetMemberCount(), 6);
    for (int i = 0; i < 6; ++i) {
      double v[kMaxGeometryValues];
      ASSERT_EQ(block->GetMember(i)->GetGeometry(v), 4);
      const double a = (c.firstAngle + 60.0 * i) * tressil::kPi / 180;
      EXPECT_NEAR(v[0], 100 + c.radius * std::cos(a), 1e-9) << i;
      EXPECT_NEAR(v[1], 100 + c.radius * std::sin(a), 1e-9) << i;
      // Each edge ends where the next begins.
      double w[kMaxGeometryValues];
      block->GetMember((i + 1) % 6)->GetGeometry(w);
      EXPECT_NEAR(v[2], w[0], 1e-9);
      EXPECT_NEAR(v[3], w[1], 1e-9);
    }
    EXPECT_EQ(bench.view.GetUndoCount(), 1);
    ASSERT_TRUE(bench.view.Undo());
    EXPECT_TRUE(bench.view.GetEntityList()->IsEmpty());
  }
}

TEST_F(CircleTest, PolygonDialogSetsTheSidesAndCancelDoesNotStart) {
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), "正多边形边数");
      EXPECT_EQ(CStringA(s.Text(1047)), "6");
      s.EnterText(1047, CStringA("2"));  // refused: 3 to 100
      s.Click(IDOK);
      EXPECT_TRUE(s.IsRunning());
      s.EnterText(1047, CStringA("4"));
      s.Click(1069);  // do not show again
      s.Click(IDOK);
    });
    auto* cmd = b.Push(new CPolygonCmd(44));
    EXPECT_EQ(b.stack.GetCurrent(), cmd);
  }
  EXPECT_EQ(GetProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kSidesKey, 0), 4);
  EXPECT_EQ(GetProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 1), 0);
  b.Click(0, 0);
  b.Click(10, 0);
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  EXPECT_EQ(static_cast<CBlockEntity*>(b.view.GetEntityList()->GetHead())->GetMemberCount(), 4);

  WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 1);
  platform::ScopedModalDriver cancel([](platform::ModalSession& s) { s.Click(IDCANCEL); });
  auto* refused = new CPolygonCmd(45);
  b.stack.Push(&b.view, refused);
  EXPECT_NE(b.stack.GetCurrent(), refused);
}

// A side count the settings hold outside the dialog's 3 to 100 (a profile
// edited by hand) is brought into that range: no polygon of one or two
// sides, none of a billion.
TEST_F(CircleTest, PolygonSideCountOutsideTheDialogsRangeIsBroughtIntoIt) {
  struct Case {
    int stored;
    int sides;
  };
  for (const Case& c : {Case{2000000000, 100}, Case{1, 3}, Case{-5, 3}}) {
    SCOPED_TRACE(c.stored);
    CommandBench bench;
    WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 0);
    WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kSidesKey, c.stored);
    bench.Push(new CPolygonCmd(44));
    bench.Click(100, 100);
    bench.Move(110, 100);
    bench.Click(110, 100);
    ASSERT_EQ(bench.view.GetEntityList()->GetCount(), 1);
    EXPECT_EQ(static_cast<CBlockEntity*>(bench.view.GetEntityList()->GetHead())->GetMemberCount(), c.sides);
  }
}

TEST_F(CircleTest, PolygonAfterATypedRadiusWaitsForTheDirectionClick) {
  WriteProfileIntSetting(CPolygonCmd::kSection, CPolygonCmd::kShowKey, 0);
  auto* cmd = b.Push(new CPolygonCmd(44));
  b.Click(100, 100);
  b.Move(120, 100);
  platform::ScopedModalDriver driver([](platform::ModalSession& s) {
    s.EnterText(1004, CStringA("8"));
    s.Click(IDOK);
  });
  b.Char('R', 120, 100);
  EXPECT_TRUE(b.view.GetEntityList()->IsEmpty());
  EXPECT_EQ(cmd->GetStep(), 2);
  b.Click(100, 150);  // straight up: a vertex at 90 degrees, radius 8
  ASSERT_EQ(b.view.GetEntityList()->GetCount(), 1);
  double v[kMaxGeometryValues];
  static_cast<CBlockEntity*>(b.view.GetEntityList()->GetHead())->GetMember(0)->GetGeometry(v);
  EXPECT_NEAR(v[0], 100, 1e-9);
  EXPECT_NEAR(v[1], 108, 1e-9);
  EXPECT_EQ(cmd->GetStep(), 0);
}

TEST_F(CircleTest, InAnAxonometricPlaneTheCircleIsMadeAsItsEllipse) {
  struct Case {
    int plane;
    double rotation;
  };
  for (const Case& c : {Case{1, 60.0}, Case{2, 120.0}, Case{3, 0.0}}) {
    SCOPED_TRACE(c.plane);
    CommandBench bench;
    bench.view.AxonometricMode() = c.plane;
    bench.Push(new CCircleCenterCmd(41, 1));
    bench.Click(100, 100);
    bench.Click(110, 100);
    ASSERT_EQ(bench.view.GetEntityList()->GetCount(), 3);
    CEntity* ellipse = bench.view.GetEntityList()->GetHead();
    ASSERT_TRUE(ellipse->IsEllipse());
    double v[kMaxGeometryValues];
    ASSERT_EQ(ellipse->GetGeometry(v), 7);
    // The major axis along the plane's direction, the minor one over the root of 3.
    EXPECT_NEAR(v[2], 10 * 0.8693069377675144 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(v[3], v[2] / std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(v[4], c.rotation, 1e-9);
    // The centre lines run along the turned axes, 5 beyond them.
    const std::vector<Line> lines = bench.Lines();
    ASSERT_EQ(lines.size(), 2u);
    const double t = c.rotation * tressil::kPi / 180;
    const double e = v[2] + 5;
    EXPECT_NEAR(lines[0][2], 100 + e * std::cos(t), 1e-9);
    EXPECT_NEAR(lines[0][3], 100 + e * std::sin(t), 1e-9);
  }
}
