#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ChamferCmd.h"
#include "draft/edit/ChamferSetDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/ui/ModalDriver.h"

namespace {

class ChamferTest : public ::testing::Test {
 protected:
  ChamferTest() : previous_(SetSettingsBacking(std::make_unique<CMemorySettings>())) {
    WriteProfileIntSetting("ChemferSetting", "DisplayAlways", 0);
  }
  ~ChamferTest() override { SetSettingsBacking(std::move(previous_)); }

  static void SetLegs(double first, double second) {
    CStringA a, b;
    a.Format("%lf", first);
    b.Format("%lf", second);
    WriteProfileStringSetting("ChemferSetting", "Var1", a.GetString());
    WriteProfileStringSetting("ChemferSetting", "Len2", b.GetString());
  }
  // A right-angle corner at (100, 100): a horizontal edge to (300, 100) and
  // a vertical one to (100, 200).
  void Corner(CDrawingGroup* group = nullptr) {
    bench.view.AddEntityToView(ConstructLineEntity(0, group, 100, 100, 300, 100));
    bench.view.AddEntityToView(ConstructLineEntity(0, group, 100, 100, 100, 200));
  }

  CommandBench bench;

 private:
  std::unique_ptr<CSettingsBacking> previous_;
};

TEST_F(ChamferTest, TheDialogWritesTheSecondLeg) {
  struct Case {
    int radio;       // the kind's button
    int secondKind;  // combo entry: 0 a length, 1 an angle
    const char* second;
    const char* unit;
    double len2;
  };
  const double t30 = std::tan(3.14159265358979323846 / 6) * 8;
  const Case cases[] = {
      {1106, 0, "3", "1.0", 8},          {370, 0, "3", "1.0", t30},      {2251, 0, "3", "1.0", 3},
      {2251, 1, "0", "1.0", 0},          {2251, 1, "30", "1.0", t30},    {2251, 1, "45", "1.0", 8},
      {2251, 1, "90", "1.0", 0},         {2251, 1, "50", "0.9", 8},  // 50 units of 0.9 degrees
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.radio << " " << c.second << " unit " << c.unit);
    WriteProfileStringSetting("UnitSetting", "AngUnitUnit", c.unit);
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      EXPECT_EQ(CStringA(m.Caption()), "倒角参数");
      m.Click(c.radio);
      EXPECT_EQ(m.IsEnabled(1003), c.radio == 2251);
      m.EnterText(1173, CStringA("8"));
      if (c.radio == 2251) {
        m.Choose(2270, c.secondKind);
        m.EnterText(1003, CStringA(c.second));
      }
      m.Click(IDOK);
    });
    CModalDialogScope scope(nullptr);
    CChamferSetDlg dlg(nullptr);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NEAR(std::atof(GetProfileStringSetting("ChemferSetting", "Len2").GetString()), c.len2, 1e-6);
    EXPECT_EQ(GetProfileStringSetting("ChemferSetting", "Var1"), "8.000000");
  }
}

TEST_F(ChamferTest, ACancelledDialogDoesNotStartTheCommand) {
  WriteProfileIntSetting("ChemferSetting", "DisplayAlways", 1);
  platform::ScopedModalDriver driver([](platform::ModalSession& m) { m.Click(IDCANCEL); });
  bench.Push(new CChamferCmd(70, 1));
  EXPECT_EQ(bench.stack.GetCount(), 0);
}

TEST_F(ChamferTest, OneClickOnACornerTakesBothEdgesUnlessTheTypeCutsOne) {
  struct Case {
    int trimType;
    bool bothTaken;
  };
  const Case cases[] = {{0, true}, {1, true}, {2, false}, {3, false}, {4, true}, {5, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trimType);
    ChamferTest::SetLegs(10, 10);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 100, 200));
    auto* cmd = b.Push(new CChamferCmd(70, c.trimType));
    b.Move(100, 100);
    b.Click(100, 100);
    if (c.bothTaken) {
      EXPECT_EQ(b.view.GetUndoCount(), 1);
      EXPECT_EQ(cmd->GetStep(), 0);
    } else {
      EXPECT_EQ(b.view.GetUndoCount(), 0);
      EXPECT_EQ(cmd->GetStep(), 1);
      EXPECT_NE(cmd->GetFirstEdge(), nullptr);
      EXPECT_EQ(b.view.GetSelectionCount(), 1);  // the first edge highlighted
      EXPECT_EQ(b.stack.GetPrompt(), "选择倒角的第二条边(不剪断此图元)");
    }
  }
}

TEST_F(ChamferTest, ACornerPickedAtItsSharedEndIsCutAtTheMiddlesSides) {
  SetLegs(10, 10);
  Corner();
  bench.Push(new CChamferCmd(70, 1));
  bench.Move(100, 100);
  bench.Click(100, 100);
  ExpectLines(bench.Lines(), {{300, 100, 110, 100}, {100, 200, 100, 110}, {110, 100, 100, 110}});
  ASSERT_TRUE(bench.view.Undo());
  ExpectLines(bench.Lines(), {{100, 100, 300, 100}, {100, 100, 100, 200}});
}

// Cutting a corner again after undoing the first cut: the edges, back in
// the drawing, are still named by the undone step, which the new step cuts
// from the history; they stay alive as the new step's old side.
TEST_F(ChamferTest, ACornerCutAgainAfterAnUndoKeepsItsEdgesForTheNewStep) {
  SetLegs(10, 10);
  Corner();
  bench.Push(new CChamferCmd(70, 1));
  bench.Move(100, 100);
  bench.Click(100, 100);
  ASSERT_TRUE(bench.view.Undo());
  SetLegs(20, 20);
  bench.Move(100, 100);
  bench.Click(100, 100);
  EXPECT_EQ(bench.view.GetRedoCount(), 0);
  ExpectLines(bench.Lines(), {{300, 100, 120, 100}, {100, 200, 100, 120}, {120, 100, 100, 120}});
  ASSERT_TRUE(bench.view.Undo());
  ExpectLines(bench.Lines(), {{100, 100, 300, 100}, {100, 100, 100, 200}});
}

TEST_F(ChamferTest, EdgesOfAnotherGroupNeedTwoClicks) {
  SetLegs(10, 10);
  CDrawingGroup* current = bench.view.GetGroupTable()->AddGroup("A", 1.0);
  CDrawingGroup* other = bench.view.GetGroupTable()->AddGroup("B", 1.0);
  bench.view.GetGroupTable()->SetActiveGroup(current);
  Corner(other);
  auto* cmd = bench.Push(new CChamferCmd(70, 1));
  bench.Move(100, 100);
  bench.Click(100, 100);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
}

TEST_F(ChamferTest, ARefusedCornerPutsTheEdgesBack) {
  SetLegs(500, 10);  // longer than the first edge
  Corner();
  auto* cmd = bench.Push(new CChamferCmd(70, 1));
  // Separate picks: the message, both edges forgotten.
  bench.Move(200, 100);
  bench.Click(200, 100);
  EXPECT_EQ(cmd->GetStep(), 1);
  bench.Move(100, 150);
  bench.Click(100, 150);
  ASSERT_EQ(bench.boxes.size(), 1u);
  EXPECT_EQ(bench.boxes[0], "操作不成功！");
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(cmd->GetFirstEdge(), nullptr);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  ExpectLines(bench.Lines(), {{100, 100, 300, 100}, {100, 100, 100, 200}});
  // One pick: no message, the first edge stays chosen.
  bench.Move(100, 100);
  bench.Click(100, 100);
  EXPECT_EQ(bench.boxes.size(), 1u);
  EXPECT_EQ(cmd->GetStep(), 1);
  EXPECT_NE(cmd->GetFirstEdge(), nullptr);
  EXPECT_EQ(cmd->GetSecondEdge(), nullptr);
  EXPECT_EQ(bench.view.GetEntityList()->GetCount() + bench.view.GetSelectionCount(), 2);
  // The right button forgets it; a second one ends the command.
  bench.stack.OnRButton(0, CommandBench::At(0, 0), &bench.view);
  EXPECT_EQ(cmd->GetStep(), 0);
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
}

// Two sides of a polygon (a block's members) taken out for a corner that is
// refused go back to their places in the block, in their order.
TEST_F(ChamferTest, ARefusedCornerOfABlockKeepsItsMembersInOrder) {
  SetLegs(500, 10);  // longer than the first edge
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  block->AddMember(ConstructLineEntity(0, nullptr, 100, 100, 300, 100));
  block->AddMember(ConstructLineEntity(0, nullptr, 100, 100, 100, 200));
  block->AddMember(ConstructLineEntity(0, nullptr, 100, 200, 300, 100));
  std::vector<CEntity*> members;
  for (int i = 0; i < block->GetMemberCount(); ++i) members.push_back(block->GetMember(i));
  bench.view.AddEntityToView(block);
  bench.Push(new CChamferCmd(70, 1));
  bench.Move(100, 100);
  bench.Click(100, 100);  // one click on the corner takes both sides
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  ASSERT_EQ(block->GetMemberCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(block->GetMember(i), members[static_cast<size_t>(i)]) << i;
}

TEST_F(ChamferTest, TrimTypeTwoLinksTheChamferToTheNearestPerpendicularCentreLine) {
  // The first edge (100,100)-(100,200) ends at the corner; the second,
  // (120,100)-(300,100), stops short of it, so the chamfer's second end
  // lies on its extension and the link runs from the chamfer's first end
  // away from the second edge.
  for (bool withCentreLines : {true, false}) {
    SCOPED_TRACE(withCentreLines);
    SetLegs(5, 5);
    CommandBench b;
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 100, 200));
    b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 120, 100, 300, 100));
    if (withCentreLines) {
      b.view.AddEntityToView(ConstructLineEntity(2, nullptr, 40, 90, 40, 120));  // farther
      b.view.AddEntityToView(ConstructLineEntity(2, nullptr, 70, 90, 70, 120));  // nearest
      b.view.AddEntityToView(ConstructLineEntity(2, nullptr, 80, 90, 90, 120));  // not perpendicular
      b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 85, 90, 85, 120));  // not a centre line
    }
    b.Push(new CChamferCmd(70, 2));
    b.Move(100, 150);
    b.Click(100, 150);
    b.Move(200, 100);
    b.Click(200, 100);
    ASSERT_EQ(b.view.GetUndoCount(), 1);
    const CUndoRecord* record = b.view.GetLastUndoRecord();
    ASSERT_NE(record, nullptr);
    std::vector<Line> made;
    for (CEntity* e : record->GetNewEntities()) {
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      made.push_back({v[0], v[1], v[2], v[3]});
    }
    std::vector<Line> expected{{100, 200, 100, 105}, {100, 105, 105, 100}};
    if (withCentreLines) expected.push_back({100, 105, 70, 105});
    ExpectLines(made, expected);
  }
}

}  // namespace
