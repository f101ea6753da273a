#include <gtest/gtest.h>

#include "draft/construct/CenterLineCmd.h"
#include "draft/construct/RectCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/host/DrawingGroup.h"
#include "platform/ui/ModalDriver.h"

namespace {
std::vector<Line> Rectangle(double x0, double y0, double x1, double y1) {
  return {{x0, y0, x1, y0}, {x1, y0, x1, y1}, {x1, y1, x0, y1}, {x0, y1, x0, y0}};
}
}  // namespace

TEST(RectCmd, TwoCornersMakeFourLinesInOneRecord) {
  struct Case {
    int tabs;
    std::vector<Line> lines;
  };
  const Case cases[] = {
      {0, Rectangle(0, 0, 10, 5)},
      {1, Rectangle(-10, -5, 10, 5)},  // the first corner is the centre
      {2, Rectangle(0, 0, 20, 10)},    // the second corner is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tabs);
    CommandBench b;
    auto* cmd = b.Push(new CRectCmd(3, &b.view));
    EXPECT_EQ(b.stack.GetPrompt(), "输入矩形第一点");
    b.Click(0, 0);
    EXPECT_EQ(b.stack.GetPrompt(), "输入矩形第二点(TAB：改变对称性)");
    for (int i = 0; i < c.tabs; ++i) b.Char(9, 10, 5);
    b.Click(10, 5);
    ExpectLines(b.Lines(), c.lines);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
    EXPECT_EQ(cmd->GetStep(), 0);
    ASSERT_TRUE(b.view.Undo());
    EXPECT_TRUE(b.Lines().empty());
  }
}

TEST(RectCmd, ATypedWidthAndHeightGrowTowardsTheCursor) {
  struct Case {
    double scale;
    int tabs;
    double cursorX, cursorY;
    const char* shownWidth;
    const char* shownHeight;
    std::vector<Line> lines;
  };
  const Case cases[] = {
      {1, 0, 50, 60, "50", "40", Rectangle(100, 100, 90, 95)},      // left of and below the first corner
      {1, 0, 150, 100, "50", "0", Rectangle(100, 100, 110, 105)},   // level counts as above
      {2, 0, 50, 60, "25", "20", Rectangle(100, 100, 80, 90)},      // in the group's units
      {1, 1, 50, 60, "50", "40", Rectangle(105, 102.5, 95, 97.5)},  // the whole symmetric rectangle
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.scale << " " << c.tabs << " " << c.cursorX);
    CommandBench b;
    b.view.GetGroupTable()->SetActiveGroup(b.view.GetGroupTable()->AddGroup("part", c.scale));
    b.Push(new CRectCmd(3, &b.view));
    b.Click(100, 100);
    for (int i = 0; i < c.tabs; ++i) b.Char(9, c.cursorX, c.cursorY);
    b.Move(c.cursorX, c.cursorY);
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      EXPECT_EQ(CStringA(s.Caption()), "输入矩形参数");
      EXPECT_EQ(CStringA(s.Text(2272)), "矩形宽");
      EXPECT_EQ(CStringA(s.Text(1045)), "矩形高");
      EXPECT_EQ(CStringA(s.Text(1048)), "1");  // the key typed
      EXPECT_EQ(CStringA(s.Text(1055)), c.shownHeight);
      EXPECT_TRUE(s.EnterText(1048, CStringA("10")));
      EXPECT_TRUE(s.EnterText(1055, CStringA("5")));
      EXPECT_TRUE(s.Click(IDOK));
    });
    b.Char('1', c.cursorX, c.cursorY);
    ExpectLines(b.Lines(), c.lines);
    EXPECT_EQ(b.view.GetUndoCount(), 1);
  }
  // The width the dialog opens with, when no key replaces it.
  CommandBench b;
  b.view.GetGroupTable()->SetActiveGroup(b.view.GetGroupTable()->AddGroup("part", 2));
  auto* cmd = b.Push(new CRectCmd(3, &b.view));
  b.Click(100, 100);
  b.Move(50, 60);
  platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
    EXPECT_EQ(CStringA(s.Text(1048)), "25");
    EXPECT_TRUE(s.Click(IDCANCEL));
  });
  double x = 0, y = 0;
  EXPECT_EQ(cmd->OnNumberKey(&b.view, 0, 0, x, y), 0);  // Cancel takes nothing
  EXPECT_TRUE(b.Lines().empty());
}

TEST(RectCmd, AFlatRectangleMakesNothing) {
  for (auto [x, y] : {std::pair{10, 0}, {0, 10}, {0, 0}}) {
    CommandBench b;
    auto* cmd = b.Push(new CRectCmd(3, &b.view));
    b.Click(0, 0);
    b.Click(x, y);
    EXPECT_TRUE(b.Lines().empty());
    EXPECT_EQ(b.view.GetUndoCount(), 0);
    EXPECT_EQ(cmd->GetStep(), 0);
  }
}

TEST(CenterLineCmd, TwoCentreLinesReachTheExtensionPointOnBothSides) {
  struct Case {
    double ex, ey;
    std::vector<Line> lines;
  };
  const Case cases[] = {
      {15, 13, {{5, 10, 15, 10}, {10, 7, 10, 13}}},
      {15, 10, {{5, 10, 15, 10}}},  // level with the centre: no vertical line of no length
      {10, 4, {{10, 16, 10, 4}}},
      {10, 10, {}},  // on the centre: nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ex << "," << c.ey);
    CommandBench b;
    b.view.SetCurrentLayer(2);
    auto* cmd = b.Push(new CCenterLineCmd(4));
    EXPECT_EQ(b.stack.GetPrompt(), "输入中心线中心");
    b.Click(10, 10);
    EXPECT_EQ(b.stack.GetPrompt(), "输入中心线延伸位置点");
    b.Click(c.ex, c.ey);
    ExpectLines(b.Lines(), c.lines);
    EXPECT_EQ(b.view.GetUndoCount(), c.lines.empty() ? 0 : 1);
    EXPECT_EQ(cmd->GetStep(), 0);
    for (CEntity* e : *b.view.GetEntityList()) EXPECT_EQ(e->GetEntityLayer(), 2);
    if (!c.lines.empty()) {
      ASSERT_TRUE(b.view.Undo());  // both lines in one record
      EXPECT_TRUE(b.Lines().empty());
    }
  }
}

TEST(CenterLineCmd, ThePreviewShowsBothReachesInTheGroupsUnits) {
  CommandBench b;
  b.view.GetGroupTable()->SetActiveGroup(b.view.GetGroupTable()->AddGroup("part", 2));
  b.Push(new CCenterLineCmd(4));
  b.Click(10, 10);
  b.view.ClearDrawLog();
  b.Move(20, 16);
  std::vector<std::vector<double>> lines;
  std::vector<CStringA> texts;
  for (const ViewDrawOp& op : b.view.GetDrawLog()) {
    if (op.kind == ViewDrawKind::kLine) lines.push_back(op.values);
    if (op.kind == ViewDrawKind::kText) texts.push_back(op.text);
  }
  EXPECT_EQ(lines, (std::vector<std::vector<double>>{{0, 10, 20, 10}, {10, 4, 10, 16}}));
  EXPECT_EQ(texts, (std::vector<CStringA>{"5.000", "3.000"}));
}
