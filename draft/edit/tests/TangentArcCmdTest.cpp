#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ArcCenterOnEntityCmd.h"
#include "draft/edit/ArcTangentLineCmd.h"
#include "draft/edit/MidArcSetDlg.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/testsupport/EntityValues.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/ModalDriver.h"

namespace {

class TangentArcTest : public EditCmdFixture {};

// The drawing's arcs (centre x, centre y, radius, start, end).
std::vector<std::vector<double>> DrawingArcs(CommandBench& b) {
  std::vector<std::vector<double>> out;
  for (CEntity* e : *b.view.GetEntityList())
    if (e->IsArc()) out.push_back(drafttest::Geometry(e));
  return out;
}

// The dialog answered with a radius, the tangency (1 outside, 0 inside;
// -1 leaves the radios) and the trim check; Cancel when `ok` is false.
platform::ModalDriver MidArcAnswer(const char* radius, int tangency, bool trim, int* shown = nullptr,
                                   bool ok = true) {
  return [=](platform::ModalSession& m) {
    if (shown) ++*shown;
    EXPECT_EQ(CStringA(m.Caption()), "过渡圆弧");
    if (!ok) {
      m.Click(IDCANCEL);
      return;
    }
    m.EnterText(1007, CStringA(radius));
    if (tangency >= 0) m.Click(tangency ? 2235 : 2239);
    if (m.CheckState(2233) != (trim ? BST_CHECKED : BST_UNCHECKED)) m.Click(2233);
    m.Click(IDOK);
  };
}

}  // namespace

// Under every trim type the host may give, the picked circles stay and one
// undo step takes the tangent line away again.
TEST_F(TangentArcTest, TangentLineLeavesTheArcsUnderEveryTrimType) {
  for (int trimType = 0; trimType <= 5; ++trimType) {
    CommandBench b;
    CEntity* c1 = ConstructCircleEntity(0, nullptr, 100, 100, 40);
    CEntity* c2 = ConstructArcEntity(0, nullptr, 300, 100, 20, 0, 180);
    b.view.AddEntityToView(c1);
    b.view.AddEntityToView(c2);
    b.Push(new CArcTangentLineCmd(90, trimType));
    EXPECT_EQ(b.stack.GetPrompt(), "选择第一个圆弧");
    b.Move(100, 140);
    b.Click(100, 140);
    EXPECT_EQ(b.stack.GetPrompt(), "选择第二个圆弧");
    b.Move(300, 120);
    b.Click(300, 120);
    ASSERT_EQ(b.view.GetUndoCount(), 1) << trimType;
    const std::vector<Line> lines = b.Lines();
    ASSERT_EQ(lines.size(), 1u) << trimType;
    // The outer tangent above both.
    EXPECT_NEAR(GetPointDistance(lines[0][0], lines[0][1], 100, 100), 40, 1e-9);
    EXPECT_NEAR(GetPointDistance(lines[0][2], lines[0][3], 300, 100), 20, 1e-9);
    EXPECT_GT(lines[0][1], 100);
    EXPECT_TRUE(b.view.IsInDrawing(c1));
    EXPECT_TRUE(b.view.IsInDrawing(c2));
    EXPECT_EQ(drafttest::Geometry(c2), (std::vector<double>{300, 100, 20, 0, 180}));
    b.view.Undo();
    EXPECT_TRUE(b.Lines().empty());
    EXPECT_EQ(b.view.GetEntityList()->GetCount(), 2);
  }
}

// The arc through a point entered after TAB, tangent to a circle of radius
// 50 at (200, 200) or to the line y = 100: outside, inside, the inside
// case whose radius equals the circle's (no arc), a line's side, the flip.
TEST_F(TangentArcTest, ArcThroughAPointTable) {
  struct Case {
    const char* name;
    bool line;
    const char* radius;
    int tangency;
    GPoint through;
    int tabsAtEnd;  // 2 flips to the other solution
    bool made;
    GPoint centre, touch;
  } cases[] = {
      {"outside", false, "20", 1, {290, 200}, 0, true, {270, 200}, {250, 200}},
      {"inside", false, "20", 0, {250, 200}, 0, true, {230, 200}, {250, 200}},
      {"a is 0", false, "50", 0, {250, 200}, 0, false, {}, {}},
      {"line above", true, "20", -1, {300, 100}, 0, true, {300, 120}, {300, 100}},
      {"line flipped", true, "20", -1, {300, 100}, 2, true, {300, 80}, {300, 100}},
      {"line below", true, "20", -1, {300, 90}, 0, true, {300 - std::sqrt(300.0), 80}, {300 - std::sqrt(300.0), 100}},
  };
  for (const Case& c : cases) {
    CommandBench b;
    if (c.line)
      b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 400, 100));
    else
      b.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 200, 200, 50));
    platform::ScopedModalDriver driver(MidArcAnswer(c.radius, c.tangency, false));
    b.Push(new CArcCenterOnEntityCmd(91));
    EXPECT_EQ(b.stack.GetPrompt(), "选择相连接的圆弧或直线");
    const GPoint pick = c.line ? GPoint{200, 100} : GPoint{200, 250};
    b.Move(pick.x, pick.y);
    b.Click(pick.x, pick.y);
    EXPECT_EQ(b.stack.GetPrompt(), "选择圆心所在的图元(TAB：输入圆弧一端点)") << c.name;
    b.Char(9, pick.x, pick.y);
    EXPECT_EQ(b.stack.GetPrompt(), "输入圆弧端点(TAB：选择圆心所在的图元)") << c.name;
    b.Move(c.through.x, c.through.y);
    b.Click(c.through.x, c.through.y);
    if (!c.made) {
      EXPECT_EQ(b.boxes, std::vector<CStringA>{"操作不成功！"}) << c.name;
      EXPECT_EQ(b.stack.GetPrompt(), "选择相连接的圆弧或直线") << c.name;
      EXPECT_EQ(b.view.GetUndoCount(), 0);
      continue;
    }
    EXPECT_EQ(b.stack.GetPrompt(), "输入圆弧的终点(TAB：改变选项)") << c.name;
    for (int i = 0; i < c.tabsAtEnd; ++i) b.Char(9, 500, 500);
    b.Move(c.centre.x + 30, c.centre.y + 1);
    b.Click(c.centre.x + 30, c.centre.y + 1);
    const auto arcs = DrawingArcs(b);
    ASSERT_EQ(arcs.size(), 1u) << c.name;
    EXPECT_NEAR(arcs[0][0], c.centre.x, 1e-6) << c.name;
    EXPECT_NEAR(arcs[0][1], c.centre.y, 1e-6) << c.name;
    EXPECT_NEAR(arcs[0][2], 20, 1e-9) << c.name;
    // The arc starts at the tangent point.
    const double s = DegreeToRadian(arcs[0][3]);
    EXPECT_NEAR(arcs[0][0] + 20 * std::cos(s), c.touch.x, 1e-6) << c.name;
    EXPECT_NEAR(arcs[0][1] + 20 * std::sin(s), c.touch.y, 1e-6) << c.name;
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(b.stack.GetPrompt(), "选择相连接的圆弧或直线") << c.name;
  }
}

// The centre on a picked line; the connected line cut at the tangent point
// in the same undo step.
TEST_F(TangentArcTest, CentreOnAnEntityCutsTheConnectedLine) {
  CommandBench b;
  CEntity* floor = ConstructLineEntity(0, nullptr, 100, 100, 400, 100);
  b.view.AddEntityToView(floor);
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 250, 50, 250, 300));
  platform::ScopedModalDriver driver(MidArcAnswer("20", -1, true));
  b.Push(new CArcCenterOnEntityCmd(91));
  b.Move(150, 100);
  b.Click(150, 100);
  b.Move(250, 130);
  b.Click(250, 130);
  EXPECT_FALSE(b.view.IsInDrawing(floor));  // out while the arc is placed
  b.Move(280, 120);
  b.Click(280, 120);
  const auto arcs = DrawingArcs(b);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0], (std::vector<double>{250, 120, 20, 270, 360}));
  // The floor goes on from the tangent point away from the arc.
  ExpectLines(b.Lines(), {{250, 50, 250, 300}, {100, 100, 250, 100}});
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.view.Undo();
  ExpectLines(b.Lines(), {{100, 100, 400, 100}, {250, 50, 250, 300}});
}

// The right button after the dialog puts the line taken out for cutting
// back, once; a circle is never taken out.
TEST_F(TangentArcTest, RightButtonPutsTheConnectedEntityBack) {
  for (bool circle : {false, true}) {
    CommandBench b;
    CEntity* connected = circle ? static_cast<CEntity*>(ConstructCircleEntity(0, nullptr, 200, 200, 50))
                                : ConstructLineEntity(0, nullptr, 100, 100, 400, 100);
    b.view.AddEntityToView(connected);
    platform::ScopedModalDriver driver(MidArcAnswer("20", 1, true));
    auto* cmd = b.Push(new CArcCenterOnEntityCmd(91));
    const GPoint pick = circle ? GPoint{200, 250} : GPoint{200, 100};
    b.Move(pick.x, pick.y);
    b.Click(pick.x, pick.y);
    b.Char(9, pick.x, pick.y);
    const GPoint through = circle ? GPoint{290, 200} : GPoint{300, 100};
    b.Move(through.x, through.y);
    b.Click(through.x, through.y);
    ASSERT_EQ(b.stack.GetPrompt(), "输入圆弧的终点(TAB：改变选项)");
    EXPECT_EQ(b.view.IsInDrawing(connected), circle);
    b.stack.OnRButton(0, CPoint(0, 600), &b.view);
    EXPECT_TRUE(b.view.IsInDrawing(connected));
    EXPECT_EQ(b.view.GetEntityList()->GetCount() + b.view.GetSelectionCount(), 1);
    EXPECT_EQ(cmd->GetFirstEdge(), nullptr);
    EXPECT_EQ(b.view.GetUndoCount(), 0);
  }
}

// Cancel in the dialog drops that click: the connected entity stays chosen,
// the next click asks again, and nothing is built until OK.
TEST_F(TangentArcTest, CancelDropsTheClick) {
  CommandBench b;
  CEntity* circle = ConstructCircleEntity(0, nullptr, 200, 200, 50);
  b.view.AddEntityToView(circle);
  CEntity* axis = ConstructLineEntity(0, nullptr, 0, 200, 500, 200);
  b.view.AddEntityToView(axis);
  int shown = 0;
  auto* cmd = b.Push(new CArcCenterOnEntityCmd(91));
  {
    platform::ScopedModalDriver driver(MidArcAnswer("20", 1, false, &shown, false));
    b.Move(200, 250);
    b.Click(200, 250);
    b.Move(400, 200);
    b.Click(400, 200);
    b.Move(300, 300);
    b.Click(300, 300);  // no entity there: still step 1
  }
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(cmd->GetFirstEdge(), circle);
  EXPECT_EQ(cmd->GetSecondEdge(), nullptr);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_TRUE(DrawingArcs(b).empty());
  platform::ScopedModalDriver driver(MidArcAnswer("20", 1, false, &shown));
  b.Move(400, 200);
  b.Click(400, 200);
  b.Move(300, 220);
  b.Click(300, 220);
  const auto arcs = DrawingArcs(b);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0][0], 270, 1e-9);
  EXPECT_NEAR(arcs[0][1], 200, 1e-9);
  EXPECT_EQ(GetProfileStringSetting("MidArcSetting", "Radius"), "20.000000");
  EXPECT_EQ(GetProfileIntSetting("MidArcSetting", "WaiQie", -1), 1);
}

// For a line the tangency radios are off and "WaiQie" stays unwritten; a
// radius out of range keeps the dialog open.
TEST_F(TangentArcTest, ArcDialogForALine) {
  int passes = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    ++passes;
    EXPECT_FALSE(m.IsEnabled(2235));
    EXPECT_FALSE(m.IsEnabled(2239));
    EXPECT_EQ(CStringA(m.Text(1007)), "15");
    m.EnterText(1007, CStringA("0"));
    m.Click(IDOK);
    EXPECT_TRUE(m.IsRunning());
    m.EnterText(1007, CStringA("12.5"));
    m.Click(IDOK);
    EXPECT_FALSE(m.IsRunning());
  });
  CMidArcSetDlg dlg(nullptr, 0);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(passes, 1);
  EXPECT_DOUBLE_EQ(dlg.GetRadius(), 12.5);
  EXPECT_EQ(GetProfileStringSetting("MidArcSetting", "Radius"), "12.500000");
  EXPECT_EQ(GetProfileIntSetting("MidArcSetting", "WaiQie", -1), -1);
}
