#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ObliqueUndercutCmd.h"
#include "draft/edit/UndercutCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/ModalDriver.h"

namespace {

class UndercutTest : public EditCmdFixture {
 protected:
  UndercutTest() {
    WriteProfileStringSetting("TuiDaoCao", "depth", "30");
    WriteProfileStringSetting("TuiDaoCao", "width", "5");
    WriteProfileStringSetting("XieTuiDaoCao", "depth", "3");
    WriteProfileStringSetting("XieTuiDaoCao", "width", "4");
  }
  // The size dialogs answered with OK as they stand.
  platform::ScopedModalDriver ok_{[](platform::ModalSession& m) { m.Click(IDOK); }};
};

// A shaft shoulder at x = 300: diameter 40 on the left (y 280 and 320),
// 60 on the right (y 270 and 330), the end line from y 270 to 330.
struct Shoulder {
  CEntity* end;
  CEntity* smallTop;
  CEntity* smallBottom;
  CEntity* bigTop;
  CEntity* bigBottom;
};

Shoulder AddShoulder(CDraftView& view) {
  Shoulder s{ConstructLineEntity(0, nullptr, 300, 270, 300, 330), ConstructLineEntity(0, nullptr, 100, 320, 300, 320),
             ConstructLineEntity(0, nullptr, 100, 280, 300, 280), ConstructLineEntity(0, nullptr, 300, 330, 500, 330),
             ConstructLineEntity(0, nullptr, 300, 270, 500, 270)};
  for (CEntity* e : {s.end, s.smallTop, s.smallBottom, s.bigTop, s.bigBottom}) view.AddEntityToView(e);
  return s;
}

// What the groove makes of the shoulder with diameter 30 and width 5.
const std::vector<Line> kGroovedShoulder = {
    {300, 270, 300, 330}, {300, 330, 500, 330}, {300, 270, 500, 270}, {100, 320, 295, 320}, {100, 280, 295, 280},
    {295, 320, 295, 280}, {295, 315, 300, 315}, {295, 285, 300, 285},
};

}  // namespace

// The first click on the end line takes the four lines crossing it and
// cuts the groove into the smaller diameter at once; one undo step.
TEST_F(UndercutTest, FirstClickFindsTheFourEdges) {
  CommandBench b;
  AddShoulder(b.view);
  b.Push(new CUndercutCmd(92));
  EXPECT_EQ(b.stack.GetPrompt(), "选择端线");
  b.Move(300, 300);
  b.Click(300, 300);
  ExpectLines(b.Lines(), kGroovedShoulder);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  b.view.Undo();
  EXPECT_EQ(b.Lines().size(), 5u);
}

// A click where the end line crosses an edge takes both; the search does
// not take that edge a second time, and the groove is still cut once.
TEST_F(UndercutTest, ClickAtACrossingTakesEachEdgeOnce) {
  CommandBench b;
  const Shoulder s = AddShoulder(b.view);
  auto* cmd = b.Push(new CUndercutCmd(92));
  // A line of another layer keeps the search from finding the fourth edge.
  b.view.DiscardEntity(s.bigBottom);
  CEntity* other = ConstructLineEntity(1, nullptr, 300, 270, 500, 270);
  b.view.AddEntityToView(other);
  b.Move(300, 320);
  b.Click(300, 320);
  EXPECT_EQ(cmd->GetEndLine(), s.end);
  EXPECT_EQ(cmd->GetEdge(0), s.smallTop);
  EXPECT_EQ(cmd->GetEdge(1), s.smallBottom);
  EXPECT_EQ(cmd->GetEdge(2), s.bigTop);
  EXPECT_EQ(cmd->GetEdge(3), nullptr);
  EXPECT_EQ(b.stack.GetPrompt(), "选择第四条边");
  b.Move(400, 270);
  b.Click(400, 270);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(b.Lines().size(), 8u);
}

TEST_F(UndercutTest, SideOfLineTable) {
  CUndercutCmd cmd(92);
  struct Case {
    Line end, edge;
    int side;
  } cases[] = {
      {{300, 270, 300, 330}, {100, 320, 300, 320}, -1},  // vertical end line, edge on the left
      {{300, 330, 300, 270}, {500, 330, 300, 330}, 1},   // ends given either way; touching counts as right
      {{0, 100, 200, 100}, {50, 100, 50, 0}, -1},        // horizontal end line, edge below
      {{0, 100, 200, 100}, {50, 300, 50, 100}, 1},
      {{0, 0, 100, 100}, {60, 40, 90, 10}, 1},           // slanted: the edge's first x against the crossing
      {{0, 0, 100, 100}, {10, 90, 50, 50}, -1},
      {{0, 0, 100, 0}, {0, 10, 100, 10}, 0},             // parallel
  };
  for (const Case& c : cases) {
    std::unique_ptr<CEntity> end(ConstructLineEntity(0, nullptr, c.end[0], c.end[1], c.end[2], c.end[3]));
    std::unique_ptr<CEntity> edge(ConstructLineEntity(0, nullptr, c.edge[0], c.edge[1], c.edge[2], c.edge[3]));
    EXPECT_EQ(cmd.SideOfLine(end.get(), edge.get()), c.side) << c.edge[0] << "," << c.edge[1];
  }
}

// Edges picked in any order pair up by side; the closer pair is cut, edge
// 1's pair on a tie; edges all on one side give nothing.
TEST_F(UndercutTest, PairingAndTie) {
  struct Case {
    const char* name;
    std::vector<Line> edges;  // in pick order
    bool made;
    double cutSide;  // x of the cut lines' new ends
  } cases[] = {
      {"small first", {{100, 320, 300, 320}, {300, 330, 500, 330}, {100, 280, 300, 280}, {300, 270, 500, 270}}, true,
       295},
      {"big first", {{300, 330, 500, 330}, {300, 270, 500, 270}, {100, 320, 300, 320}, {100, 280, 300, 280}}, true, 295},
      {"tie takes edge 1's pair",
       {{300, 320, 500, 320}, {100, 320, 300, 320}, {100, 280, 300, 280}, {300, 280, 500, 280}}, true, 305},
      {"one side", {{100, 320, 300, 320}, {100, 280, 300, 280}, {100, 290, 300, 290}, {100, 310, 300, 310}}, false, 0},
  };
  for (const Case& c : cases) {
    CommandBench b;
    // The end line on a layer of its own, so that the first click finds no edge.
    b.view.AddEntityToView(ConstructLineEntity(1, nullptr, 300, 250, 300, 350));
    for (const Line& l : c.edges) b.view.AddEntityToView(ConstructLineEntity(0, nullptr, l[0], l[1], l[2], l[3]));
    b.Push(new CUndercutCmd(92));
    b.Move(300, 345);
    b.Click(300, 345);
    for (const Line& l : c.edges) {
      const double x = l[0] < 300 ? 150 : 450;
      b.Move(x, l[1]);
      b.Click(x, l[1]);
    }
    EXPECT_EQ(b.view.GetUndoCount(), c.made ? 1 : 0) << c.name;
    if (!c.made) {
      EXPECT_EQ(b.Lines().size(), 5u) << c.name;
      continue;
    }
    int cut = 0;
    for (const Line& l : b.Lines())
      if ((l[0] == c.cutSide || l[2] == c.cutSide) && l[1] == l[3] && (l[1] == 320 || l[1] == 280)) ++cut;
    EXPECT_EQ(cut, 2) << c.name;
  }
}

// A groove diameter equal to the small diameter asks for new sizes: Cancel
// gives up, new sizes cut the groove with them.
TEST_F(UndercutTest, EqualDiameterAsks) {
  WriteProfileStringSetting("TuiDaoCao", "depth", "40");
  {
    CommandBench b;
    AddShoulder(b.view);
    b.answers = {IDCANCEL};
    b.Push(new CUndercutCmd(92));
    b.Move(300, 300);
    b.Click(300, 300);
    EXPECT_EQ(b.boxes, std::vector<CStringA>{"退刀槽直径与小端直径相等,重新输入吗?"});
    EXPECT_EQ(b.view.GetUndoCount(), 0);
    EXPECT_EQ(b.Lines().size(), 5u);
  }
  int dialogs = 0;
  platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
    if (++dialogs == 2) {
      EXPECT_EQ(CStringA(m.Caption()), "轴向退刀槽");
      m.EnterText(388, CStringA("30"));
    }
    m.Click(IDOK);
  });
  CommandBench b;
  AddShoulder(b.view);
  b.Push(new CUndercutCmd(92));
  b.Move(300, 300);
  b.Click(300, 300);
  EXPECT_EQ(dialogs, 2);
  ExpectLines(b.Lines(), kGroovedShoulder);
}

// A right-angled corner: the slot is W wide across the bisector and D deep
// along it; both lines stop where it begins.
TEST_F(UndercutTest, ObliqueSlotInARightAngledCorner) {
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 200, 400, 200));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 200, 200, 400));
  b.Push(new CObliqueUndercutCmd(93));
  EXPECT_EQ(b.stack.GetPrompt(), "选择斜向退刀槽的第一条边");
  b.Move(300, 200);
  b.Click(300, 200);
  EXPECT_EQ(b.stack.GetPrompt(), "选择斜向退刀槽的第二条边");
  b.Move(200, 300);
  b.Click(200, 300);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  const double rho = 4 / std::sqrt(2.0);  // W / sqrt 2
  const double k = 3.0 / 4.0;                     // tan 45 · D / W
  const GPoint g{200 + rho, 200}, n{200, 200 + rho};
  const GPoint x1{g.x - k * rho, g.y - k * rho}, x2{n.x - k * rho, n.y - k * rho};
  ExpectLines(b.Lines(), {{g.x, g.y, x1.x, x1.y},
                          {x1.x, x1.y, x2.x, x2.y},
                          {x2.x, x2.y, n.x, n.y},
                          {g.x, g.y, 400, 200},
                          {200, n.y, 200, 400}},
              1e-9);
  EXPECT_NEAR(GetPointDistance(g.x, g.y, n.x, n.y), 4, 1e-9);
  EXPECT_NEAR(GetPointLineDistance(x1, g, n), 3, 1e-9);  // 3 deep, away from the corner's opening
  b.view.Undo();
  ExpectLines(b.Lines(), {{200, 200, 400, 200}, {200, 200, 200, 400}});
}

// Parallel lines make no slot: both stay in the drawing.
TEST_F(UndercutTest, ObliqueSlotRefusesParallelLines) {
  CommandBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 200, 400, 200));
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 200, 250, 400, 250));
  b.Push(new CObliqueUndercutCmd(93));
  b.Move(300, 200);
  b.Click(300, 200);
  b.Move(300, 250);
  b.Click(300, 250);
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_TRUE(b.boxes.empty());
  ExpectLines(b.Lines(), {{200, 200, 400, 200}, {200, 250, 400, 250}});
}
