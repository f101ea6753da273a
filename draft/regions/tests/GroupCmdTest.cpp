#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LineEntity.h"
#include "draft/regions/ChangeGroupCmd.h"
#include "draft/regions/DeleteGroupCmd.h"
#include "draft/regions/EditGroupCmd.h"
#include "draft/regions/NewGroupCmd.h"
#include "draft/regions/SetCurGroupCmd.h"
#include "platform/ui/ModalDriver.h"

namespace {

class GroupTest : public ::testing::Test {
 protected:
  GroupTest() {
    table = bench.view.GetGroupTable();
    a = table->AddGroup("A", 1.0);
    b = table->AddGroup("B", 2.0, 10, 10);
  }
  CEntity* AddLine(CDrawingGroup* g, double x1, double y1, double x2, double y2, int layer = 0) {
    CEntity* e = ConstructLineEntity(layer, g, x1, y1, x2, y2);
    bench.view.AddEntityToView(e);
    return e;
  }
  void SelectAll() {
    CEntityList all;
    for (CEntity* e : *bench.view.GetEntityList()) all.AddTail(e);
    bench.view.SelectEntities(all);
  }
  std::vector<CStringA> GroupNames() {
    std::vector<CStringA> out;
    for (CEntity* e : *bench.view.GetEntityList())
      out.push_back(e->GetEntityGroup() ? e->GetEntityGroup()->GetGroupName() : CStringA("-"));
    return out;
  }
  static std::vector<double> Geometry(const CEntity* e) {
    double v[kMaxGeometryValues];
    const int n = e->GetGeometry(v);
    return std::vector<double>(v, v + n);
  }

  CommandBench bench;
  CGroupTable* table;
  CDrawingGroup* a;
  CDrawingGroup* b;
};

TEST_F(GroupTest, NewGroupReusesAKnownNameAndMakesAnUnknownOne) {
  struct Case {
    const char* typed;
    int groups;  // afterwards
  };
  const Case cases[] = {{"B", 2}, {"新组", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CommandBench local;
    CGroupTable* t = local.view.GetGroupTable();
    t->AddGroup("A", 1.0);
    t->AddGroup("B", 2.0, 10, 10);
    t->SetActiveGroup(t->FindGroup("A"));
    local.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 50, 0));
    local.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 0, 50));
    CEntityList all;
    for (CEntity* e : *local.view.GetEntityList()) all.AddTail(e);
    local.view.SelectEntities(all);
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      EXPECT_EQ(CStringA(m.Caption()), "改变图组");
      EXPECT_EQ(CStringA(m.Text(308)), "A");  // the active group shown
      m.EnterText(308, CStringA(c.typed));
      m.Click(IDOK);
    });
    local.Push(new CNewGroupCmd(90, &local.view, 0, 0));
    EXPECT_EQ(t->GetCount(), c.groups);
    CDrawingGroup* g = t->FindGroup(c.typed);
    ASSERT_NE(g, nullptr);
    if (c.groups == 3) {
      EXPECT_EQ(g->GetGroupScale(), 1.0);
      EXPECT_TRUE(g->IsGroupPickedWhole());
    }
    ASSERT_EQ(local.view.GetEntityList()->GetCount(), 2);
    for (CEntity* e : *local.view.GetEntityList()) {
      EXPECT_EQ(e->GetEntityGroup(), g);
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      EXPECT_NEAR(v[0], 0, 1e-9);  // still shown where it was
    }
    EXPECT_EQ(local.view.GetSelectionCount(), 0);
    EXPECT_EQ(local.view.GetUndoCount(), 1);
    ASSERT_TRUE(local.view.Undo());
    for (CEntity* e : *local.view.GetEntityList()) EXPECT_EQ(e->GetEntityGroup(), nullptr);
  }
}

TEST_F(GroupTest, NewGroupCancelledOrEmptyChangesNothing) {
  for (const char* answer : {"cancel", ""}) {
    SCOPED_TRACE(answer);
    CommandBench local;
    local.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 50, 0));
    CEntityList all;
    for (CEntity* e : *local.view.GetEntityList()) all.AddTail(e);
    local.view.SelectEntities(all);
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      if (CStringA(answer) == "cancel") {
        m.Click(IDCANCEL);
      } else {
        m.EnterText(308, CStringA(answer));
        m.Click(IDOK);
      }
    });
    local.Push(new CNewGroupCmd(90, &local.view, 0, 0));
    EXPECT_EQ(local.view.GetGroupTable()->GetCount(), 0);
    EXPECT_EQ(local.view.GetUndoCount(), 0);
    EXPECT_EQ(local.view.GetSelectionCount(), 0);
  }
}

TEST_F(GroupTest, ChangeGroupMovesOnlyEntitiesOfOtherGroups) {
  table->SetActiveGroup(a);
  AddLine(a, 0, 0, 10, 0);
  AddLine(a, 0, 0, 0, 10);
  SelectAll();
  bench.Push(new CChangeGroupCmd(91, &bench.view, 0, 0));
  EXPECT_EQ(bench.view.GetUndoCount(), 0);  // all in the current group already
  EXPECT_EQ(GroupNames(), (std::vector<CStringA>{"A", "A"}));
  bench.stack.EndAll(&bench.view);

  CEntity* other = AddLine(b, 30, 30, 40, 30);
  SelectAll();
  bench.Push(new CChangeGroupCmd(91, &bench.view, 0, 0));
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  EXPECT_EQ(GroupNames(), (std::vector<CStringA>{"A", "A", "A"}));
  EXPECT_FALSE(bench.view.IsInDrawing(other));
  const std::vector<double> moved = Geometry(bench.view.GetEntityList()->GetTail());
  EXPECT_NEAR(moved[0], 30, 1e-9);
  EXPECT_NEAR(moved[2], 40, 1e-9);
  // A click ends the command.
  bench.Click(300, 300);
  EXPECT_TRUE(bench.stack.IsEmpty());
}

TEST_F(GroupTest, DeleteGroupTakesAWholeGroupFromOneMember) {
  b->SetGroupPickedWhole(TRUE);
  AddLine(b, 100, 100, 200, 100);
  AddLine(b, 100, 150, 200, 150);
  CEntity* loose = AddLine(nullptr, 100, 300, 200, 300);
  bench.Push(new CDeleteGroupCmd(92, &bench.view, 0, 0));
  EXPECT_EQ(bench.stack.GetPrompt(), "选择删除组的图元");
  bench.Move(150, 100);
  bench.Click(150, 100);
  bench.stack.OnRButton(0, CommandBench::At(0, 0), &bench.view);
  ASSERT_EQ(bench.view.GetEntityList()->GetCount(), 1);
  EXPECT_EQ(bench.view.GetEntityList()->GetHead(), loose);
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  ASSERT_TRUE(bench.view.Undo());
  EXPECT_EQ(bench.view.GetEntityList()->GetCount(), 3);
}

TEST_F(GroupTest, SetCurrentGroupOrLayerFromAPick) {
  AddLine(b, 100, 100, 200, 100, 7);
  for (int mode : {1, 0}) {
    bench.Push(new CSetCurGroupCmd(93 + mode, mode));
    bench.Move(150, 100);
    bench.Click(150, 100);
    if (mode == 1)
      EXPECT_EQ(table->GetActiveGroup(), b);
    else
      EXPECT_EQ(bench.view.GetCurrentLayer(), 7);
    bench.stack.OnRButton(0, CommandBench::At(0, 0), &bench.view);
    EXPECT_TRUE(bench.stack.IsEmpty());
  }
}

TEST_F(GroupTest, EditGroupMovesTheBasePointAndKeepsTheMembersInPlace) {
  // Group B: scale 2 about (10, 10).
  CEntity* member = AddLine(b, 100, 100, 200, 100);
  double before[kMaxGeometryValues], groupBefore[kMaxGeometryValues];
  member->GetGeometry(before);
  member->GetGroupGeometry(groupBefore);
  struct Case {
    double x, y;
    bool moves;
  };
  const Case cases[] = {{10, 10, false}, {50, 60, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    const int refreshes = bench.view.GetRefreshCount();
    bench.view.SelectEntity(member);
    auto* cmd = bench.Push(new CEditGroupCmd(95));
    EXPECT_EQ(cmd->GetGroup(), b);
    EXPECT_EQ(bench.stack.GetPrompt(), "输入将要修改组的基点的位置");
    bench.Move(c.x, c.y);
    bench.Click(c.x, c.y);
    EXPECT_NEAR(b->GetOriginX(), c.moves ? 50 : 10, 1e-9);
    EXPECT_NEAR(b->GetOriginY(), c.moves ? 60 : 10, 1e-9);
    EXPECT_EQ(bench.view.GetRefreshCount(), refreshes + (c.moves ? 1 : 0));
    EXPECT_EQ(bench.view.GetSelectionCount(), 0);
    EXPECT_EQ(member->GetEntityGroup(), b);
    double after[kMaxGeometryValues], groupAfter[kMaxGeometryValues];
    member->GetGeometry(after);
    member->GetGroupGeometry(groupAfter);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(after[i], before[i], 1e-9);  // shown where it was
    EXPECT_EQ(std::fabs(groupAfter[0] - groupBefore[0]) > 1e-6, c.moves);
    bench.stack.EndAll(&bench.view);
  }
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
}

TEST_F(GroupTest, EditGroupAfterTabMovesTheCurrentGroup) {
  table->SetActiveGroup(b);
  AddLine(b, 100, 100, 200, 100);
  bench.Push(new CEditGroupCmd(95));
  EXPECT_EQ(bench.stack.GetPrompt(), "选择组中图元确定修改组(Tab修改当前组)");
  bench.Char(9, 300, 300);
  EXPECT_EQ(bench.stack.GetPrompt(), "输入当前组的基点的位置");
  bench.Move(300, 300);
  bench.Click(300, 300);
  EXPECT_NEAR(b->GetOriginX(), 300, 1e-9);
}

}  // namespace
