// Folding a placed table into a further segment through the command stack.
#include <gtest/gtest.h>

#include <memory>

#include "draft/framework/CmdStack.h"
#include "draft/host/TableCell.h"
#include "draft/host/TableEntity.h"
#include "draft/host/TableRow.h"
#include "draft/tables/FoldTableCmd.h"
#include "draft/testsupport/DevicePoint.h"

using drafttest::DevicePoint;

namespace {

// A parts list of a header and six rows, 40 wide and 10 high each, placed
// downward from (100, 300) in one open segment.
CTableEntity* PlacedTable(int kind = 1) {
  CTableEntity* t = ConstructTableEntity(0, nullptr);
  t->SetTableKind(kind);
  for (int r = 0; r <= 6; ++r) {
    CTableRow* row = ConstructTableRow(r == 0 ? 0 : 1);
    AddRowCell(row, ConstructTableCell(r == 0 ? "h" : "v", 40, 10, 2));
    t->AddRow(row);
  }
  int rows = t->GetRowsToPlace();
  PlaceTable(t, 100, 300, &rows, 1e300);
  RecalcTable(t);
  return t;
}

// How many rows each segment holds.
std::vector<int> RowsPerSegment(const CTableEntity* t) {
  std::vector<int> n(static_cast<size_t>(t->GetSegmentCount()), 0);
  for (const auto& p : t->GetPlacedRows()) ++n.at(static_cast<size_t>(p.segment));
  return n;
}

class FoldTableCmdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.SetSnapModes(0);
    table = PlacedTable();
    view.AddEntityToView(table);
  }
  void TearDown() override { stack.EndAll(&view); }
  CFoldTableCmd* Start() {
    auto* cmd = new CFoldTableCmd(273);
    stack.Push(&view, cmd);
    return stack.GetCurrent() == cmd ? cmd : nullptr;
  }
  void Click(double x, double y) { stack.OnLButton(0, DevicePoint(x, y), &view); }
  CTableEntity* Drawn() {
    for (CEntity* e : *view.GetEntityList())
      if (e->IsTable()) return dynamic_cast<CTableEntity*>(e);
    return nullptr;
  }

  CDraftView view;
  CCmdStack stack;
  CTableEntity* table = nullptr;
};

}  // namespace

TEST_F(FoldTableCmdTest, TheRowsFromThePickedRowMoveToTheSecondPoint) {
  const struct {
    const char* name;
    double firstX;
    bool folds;
  } cases[] = {{"at the start x", 100.0, true}, {"left of it", 99.0, false}, {"inside", 120.0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView fresh;
    fresh.SetSnapModes(0);
    CTableEntity* t = PlacedTable();
    fresh.AddEntityToView(t);
    CCmdStack s;
    auto* cmd = new CFoldTableCmd(273);
    s.Push(&fresh, cmd);
    s.OnLButton(0, DevicePoint(c.firstX, 255), &fresh);
    s.OnLButton(0, DevicePoint(200, 300), &fresh);
    EXPECT_EQ(fresh.GetUndoCount(), c.folds ? 1 : 0);
    EXPECT_EQ(fresh.IsInDrawing(t), !c.folds);
    EXPECT_EQ(cmd->GetWorkingCopy(), nullptr);
    if (c.folds) {
      auto* folded = dynamic_cast<CTableEntity*>(fresh.GetPartsListTable());
      ASSERT_NE(folded, nullptr);
      ASSERT_EQ(folded->GetSegmentCount(), 2);
      EXPECT_DOUBLE_EQ(folded->GetSegment(0).endY, 255);
      EXPECT_EQ(folded->GetSegment(1), ConstructTableSegment(200, 300, kTableOpenEnd));
      EXPECT_EQ(RowsPerSegment(folded), (std::vector<int>{4, 3}));
    }
    s.EndAll(&fresh);
  }
}

TEST_F(FoldTableCmdTest, TheRightButtonBetweenTheClicksLeavesTheDrawing) {
  CFoldTableCmd* cmd = Start();
  ASSERT_NE(cmd, nullptr);
  Click(120, 255);
  ASSERT_NE(cmd->GetWorkingCopy(), nullptr);
  stack.OnRButton(0, DevicePoint(500, 500), &view);
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_EQ(Drawn(), table);
  EXPECT_EQ(table->GetSegmentCount(), 1);
  EXPECT_EQ(view.GetUndoCount(), 0);
}

TEST_F(FoldTableCmdTest, AFoldOfAFoldedTablePassesRowsToTheNextSegment) {
  ASSERT_NE(Start(), nullptr);
  Click(120, 255);
  Click(200, 300);
  // The table goes on at (200, 300); fold its first part again higher up.
  Click(120, 275);
  Click(300, 300);
  auto* folded = Drawn();
  ASSERT_NE(folded, nullptr);
  ASSERT_EQ(folded->GetSegmentCount(), 2);
  EXPECT_DOUBLE_EQ(folded->GetSegment(0).endY, 275);
  EXPECT_EQ(RowsPerSegment(folded), (std::vector<int>{2, 5}));
  EXPECT_EQ(view.GetUndoCount(), 2);
  // The right button after a fold leaves the table as folded.
  stack.OnRButton(0, DevicePoint(500, 500), &view);
  EXPECT_EQ(Drawn(), folded);
  EXPECT_TRUE(view.Undo());
  EXPECT_EQ(RowsPerSegment(Drawn()), (std::vector<int>{4, 3}));
}

TEST_F(FoldTableCmdTest, APickBesideATableWaitsForAnother) {
  CFoldTableCmd* cmd = Start();
  ASSERT_NE(cmd, nullptr);
  Click(400, 400);
  EXPECT_EQ(cmd->GetWorkingCopy(), nullptr);
  EXPECT_EQ(cmd->GetStep(), 0);
  Click(120, 255);
  EXPECT_NE(cmd->GetWorkingCopy(), nullptr);
  view.ClearDrawLog();
  stack.OnMouseMove(0, DevicePoint(200, 300), &view);
  int lines = 0;
  for (const ViewDrawOp& op : view.GetDrawLog()) lines += op.kind == ViewDrawKind::kLine;
  EXPECT_GE(lines, 3 + 1 + 2 + 2);  // three moving rows, the closing line, the sides, the two fold lines
}
