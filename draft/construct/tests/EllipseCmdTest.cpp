#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "draft/construct/EllipseCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EllipseGeometry.h"
#include "draft/host/Settings.h"
#include "platform/ui/ModalDriver.h"

namespace {

using EllipseValues = std::array<double, 7>;  // cx, cy, a, b, rotation, start, end

std::vector<EllipseValues> Ellipses(CDraftView& view) {
  std::vector<EllipseValues> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsEllipse() && e->GetGeometry(v) == 7) out.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
  }
  return out;
}

class EllipseCmdTest : public ::testing::Test, public CommandBench {
 protected:
  EllipseCmdTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {}
  ~EllipseCmdTest() override { SetSettingsBacking(std::move(previous_)); }
  std::unique_ptr<CSettingsBacking> previous_;
};

// Centre (100, 100), first axis point (130, 140): a = 50 at 53.13 degrees;
// second axis point at distance 20. Points 3 and 4 of an arc are taken at
// their parametric angles, exchanged by an odd TAB count.
TEST_F(EllipseCmdTest, EllipsesAndArcsFromTheirPoints) {
  const double rotation = std::atan2(40.0, 30.0) * 180 / tressil::kPi;
  const GPoint c{100, 100};
  const GPoint p3{160, 100}, p4{80, 140};
  const double t3 = GetEllipsePointAngle(c, 50, 20, rotation, p3);
  const double t4 = GetEllipsePointAngle(c, 50, 20, rotation, p4);
  ASSERT_GT(t3, t4);  // the end goes round by a turn
  struct Case {
    int arc, tabs;
    double start, end;
  };
  const Case cases[] = {{0, 0, 0, 360}, {0, 1, 0, 360}, {1, 0, t3, t4 + 360}, {1, 2, t3, t4 + 360}, {1, 1, t4, t3}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "arc " << k.arc << " tabs " << k.tabs);
    CommandBench b;
    b.Push(new CEllipseCmd(80, k.arc));
    for (int i = 0; i < k.tabs; ++i) b.Char(9, 100, 100);
    b.Click(100, 100);
    b.Click(130, 140);
    b.Click(100, 120);
    if (k.arc) {
      b.Click(p3.x, p3.y);
      b.Click(p4.x, p4.y);
    }
    const auto made = Ellipses(b.view);
    ASSERT_EQ(made.size(), 1u);
    const EllipseValues expected{100, 100, 50, 20, rotation, k.start, k.end};
    for (size_t i = 0; i < 7; ++i) EXPECT_NEAR(made[0][i], expected[i], 1e-9) << i;
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(b.stack.GetCurrentId(), 80);  // it starts over
    EXPECT_EQ(b.stack.GetPrompt(), CString("输入椭圆中心"));
  }
}

// The arc's start point is point 3 itself when point 3 lies on the
// ellipse: the command's angle is the entity's parameter.
TEST_F(EllipseCmdTest, TheArcStartsAtAPointOnTheEllipse) {
  const CEllipseEntity reference(0, nullptr, 100, 100, 50, 20, 0, 0, 360);
  Push(new CEllipseCmd(80, 1));
  Click(100, 100);
  Click(150, 100);
  Click(100, 80);
  const GPoint on = reference.PointAt(40);
  char text[96];
  std::snprintf(text, sizeof text, "%.12f,%.12f", on.x, on.y);
  stack.OnTypedInput(&view, text);
  Click(100, 140);
  const auto made = Ellipses(view);
  ASSERT_EQ(made.size(), 1u);
  const CEllipseEntity* arc = nullptr;
  for (CEntity* e : *view.GetEntityList()) arc = dynamic_cast<const CEllipseEntity*>(e);
  ASSERT_NE(arc, nullptr);
  const GPoint start = arc->PointAt(made[0][5]);
  EXPECT_NEAR(start.x, on.x, 1e-9);
  EXPECT_NEAR(start.y, on.y, 1e-9);
  EXPECT_NEAR(made[0][5], 40, 1e-9);
  EXPECT_NEAR(made[0][6], 90, 1e-9);
}

// With snapping on a picked semi-axis goes to whole length steps; one typed
// in the radius dialog stays as typed; with snapping off nothing rounds.
TEST_F(EllipseCmdTest, APickedSemiAxisIsRoundedWhenSnappingIsOnATypedOneIsNot) {
  struct Case {
    DWORD snap;
    bool typed;
    double a;
  };
  const double picked = std::hypot(35.0, 36.0);  // 50.21
  const Case cases[] = {{kSnapAll, false, 50.0}, {kSnapAll, true, 50.37}, {0, false, picked}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "snap " << k.snap << " typed " << k.typed);
    CommandBench b;
    b.view.SetSnapModes(k.snap);
    b.Push(new CEllipseCmd(80, 0));
    b.Click(100, 100);
    if (k.typed) {
      b.Move(135, 136);
      platform::ScopedModalDriver driver([](platform::ModalSession& s) {
        EXPECT_TRUE(s.EnterText(1004, CStringA("50.37")));
        EXPECT_TRUE(s.Click(IDOK));
      });
      b.Char('R', 135, 136);
    } else {
      b.Click(135, 136);
    }
    b.Click(100, 130);
    const auto made = Ellipses(b.view);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_NEAR(made[0][2], k.a, 1e-9);
    EXPECT_NEAR(made[0][3], 30, 1e-9);
    EXPECT_NEAR(made[0][4], std::atan2(36.0, 35.0) * 180 / tressil::kPi, 1e-9);
  }
}

// A typed arc angle is a direction from the centre: the point at the first
// semi-axis along it.
TEST_F(EllipseCmdTest, ArcAnglesTypedInTheNumberDialog) {
  Push(new CEllipseCmd(80, 1));
  Click(100, 100);
  Click(150, 100);
  Click(100, 125);
  std::vector<CStringA> captions;
  for (const char* angle : {"0", "90"}) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      captions.push_back(CStringA(s.Caption()));
      EXPECT_TRUE(s.EnterText(1062, CStringA(angle)));
      EXPECT_TRUE(s.Click(IDOK));
    });
    Char(angle[0] == '0' ? '0' : '9', 120, 120);
  }
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_EQ(captions[0], CStringA("输入椭圆弧角度"));
  const auto made = Ellipses(view);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_NEAR(made[0][5], 0, 1e-9);
  EXPECT_NEAR(made[0][6], 90, 1e-9);
}

// Equal distances make a circle-shaped ellipse turned as point 1; a first
// point on the centre makes nothing.
TEST_F(EllipseCmdTest, EqualAxesAndAnEmptyAxis) {
  Push(new CEllipseCmd(80, 0));
  Click(100, 100);
  Click(100, 130);
  Click(130, 100);
  Click(200, 200);
  Click(200, 200);
  Click(220, 200);
  const auto made = Ellipses(view);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_NEAR(made[0][2], 30, 1e-9);
  EXPECT_NEAR(made[0][3], 30, 1e-9);
  EXPECT_NEAR(made[0][4], 90, 1e-9);
  EXPECT_EQ(view.GetUndoCount(), 1);
}

}  // namespace
