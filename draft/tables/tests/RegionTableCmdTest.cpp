// The table-in-region commands: regions picked by clicks (or collected by
// the view), Quorvel's dialog answered by a driver, the table they make.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

#include "draft/host/LineEntity.h"
#include "draft/host/RegionTableDlg.h"
#include "draft/host/Settings.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/RegionTableCmd.h"
#include "draft/tables/tests/RegionDialogBench.h"
#include "platform/ui/ModalDriver.h"

namespace {
struct RegionCell {
  const char* text;
  double left, top, bottom, width;
};

void ExpectRegionCells(const CTableEntity& table, const std::vector<RegionCell>& cells) {
  ASSERT_EQ(table.GetRowCount(), static_cast<int>(cells.size()));
  ASSERT_EQ(table.GetSegmentCount(), static_cast<int>(cells.size()));
  for (size_t i = 0; i < cells.size(); ++i) {
    const CTableCell& cell = *table.GetRow(static_cast<int>(i))->GetCell(0);
    EXPECT_STREQ(cell.GetText(), cells[i].text) << i;
    EXPECT_NEAR(cell.GetWidth(), cells[i].width, 1e-9) << i;
    EXPECT_NEAR(cell.GetTextAttrib().GetHeight(), 4.0, 1e-9) << i;
    const CTableSegment& s = table.GetSegment(static_cast<int>(i));
    EXPECT_NEAR(s.startX, cells[i].left, 1e-9) << i;
    EXPECT_NEAR(s.startY, cells[i].top, 1e-9) << i;
    EXPECT_NEAR(s.endY, cells[i].bottom, 1e-9) << i;
  }
  // Each row laid out in its own region.
  ASSERT_EQ(table.GetPlacedRows().size(), cells.size());
  for (size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(table.GetPlacedRows()[i].segment, static_cast<int>(i));
    EXPECT_NEAR(table.GetPlacedRows()[i].x, cells[i].left, 1e-9);
    EXPECT_NEAR(table.GetPlacedRows()[i].y, cells[i].top, 1e-9);
  }
}
}  // namespace

TEST(RegionTableCmdTest, BuildsOneTableOverThreeRegionsInClickOrder) {
  RegionBench b;
  b.Box(100, 100, 140, 130);
  b.Box(200, 100, 260, 140);
  b.Box(300, 100, 330, 120);
  b.Push(new CRegionTableCmd(280, &b.view));
  EXPECT_STREQ(b.stack.GetPrompt(), "输入区域内一点(右键(或ESC)结束)");
  b.Click(230, 120);
  b.Click(120, 110);
  b.Click(310, 110);
  EXPECT_EQ(b.view.GetSecondList()->GetCount(), 12);  // the three boundaries, registered
  b.Right();
  EXPECT_EQ(b.dialogs, 1);
  const auto tables = b.Tables();
  ASSERT_EQ(tables.size(), 1u);
  ExpectRegionCells(*tables[0], {{"A", 200, 140, 100, 60}, {"B", 100, 130, 100, 40}, {"C", 300, 120, 100, 30}});
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  ASSERT_NE(b.view.GetLastUndoRecord(), nullptr);
  // The boundaries have gone; the command waits for new regions.
  EXPECT_EQ(b.view.GetSecondList()->GetCount(), 0);
  EXPECT_EQ(b.stack.GetCount(), 1);
  b.Right();  // nothing held: the command ends
  EXPECT_EQ(b.stack.GetCount(), 0);
  EXPECT_TRUE(b.view.Undo());
  EXPECT_TRUE(b.Tables().empty());
}

TEST(RegionTableCmdTest, TheTenthRegionOpensTheDialogAtOnce) {
  RegionBench b;
  for (int i = 0; i < 10; ++i) b.Box(20 + 40 * i, 100, 50 + 40 * i, 130);
  b.Push(new CRegionTableCmd(280, &b.view));
  for (int i = 0; i < 9; ++i) b.Click(35 + 40 * i, 115);
  EXPECT_EQ(b.dialogs, 0);
  b.Click(35 + 40 * 9, 115);
  EXPECT_EQ(b.dialogs, 1);
  const auto tables = b.Tables();
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables[0]->GetRowCount(), 10);
  EXPECT_STREQ(tables[0]->GetRow(3)->GetCell(0)->GetText(), "");  // the text gives three cells
}

TEST(RegionTableCmdTest, AClickOutsideEveryRegionDiscardsTheRegionsPickedBefore) {
  RegionBench b;
  b.Box(100, 100, 140, 130);
  b.Box(200, 100, 260, 140);
  auto* cmd = b.Push(new CRegionTableCmd(280, &b.view));
  b.Click(120, 110);
  ASSERT_EQ(cmd->GetRegionCount(), 1);
  b.Click(500, 500);
  ASSERT_EQ(b.boxes.size(), 1u);
  EXPECT_STREQ(b.boxes[0], "没有找到封闭的几何图形区域");
  EXPECT_EQ(cmd->GetRegionCount(), 0);
  EXPECT_TRUE(cmd->GetBoundaryList().IsEmpty());
  EXPECT_EQ(b.view.GetSecondList()->GetCount(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  b.Click(230, 120);
  b.Right();
  const auto tables = b.Tables();
  ASSERT_EQ(tables.size(), 1u);
  ExpectRegionCells(*tables[0], {{"A", 200, 140, 100, 60}});
}

TEST(RegionTableCmdTest, CancelCreatesNothingAndTheCommandGoesOn) {
  RegionBench b;
  b.Box(100, 100, 140, 130);
  b.answers.push_back({false});
  b.Push(new CRegionTableCmd(280, &b.view));
  b.Click(120, 110);
  b.Right();
  EXPECT_EQ(b.dialogs, 1);
  EXPECT_TRUE(b.Tables().empty());
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 4);
  EXPECT_EQ(b.stack.GetCount(), 1);
  b.Click(120, 110);  // a new region, a new dialog
  b.Right();
  EXPECT_EQ(b.Tables().size(), 1u);
}

TEST(RegionTableCmdTest, EndLeavesNoBoundaryEntityInTheDrawing) {
  RegionBench b;
  b.Box(100, 100, 140, 130);
  b.Box(200, 100, 260, 140);
  b.Push(new CRegionTableCmd(280, &b.view));
  b.Click(120, 110);
  b.Click(230, 120);
  ASSERT_EQ(b.view.GetSelectionCount(), 8);
  b.stack.AbortAll(&b.view);
  EXPECT_EQ(b.view.GetSecondList()->GetCount(), 0);
  EXPECT_EQ(b.view.GetSelectionCount(), 0);
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 8);  // the drawing's own lines only
  for (CEntity* e : *b.view.GetEntityList()) EXPECT_TRUE(b.view.IsInDrawing(e));
  EXPECT_EQ(b.view.GetUndoCount(), 0);
}

TEST(RegionTableInsertCmdTest, CollectsRegionsInTheViewAndRestoresTheDisplayWhenItEnds) {
  struct Case {
    const char* name;
    bool pick;  // a region picked and turned into a table before the end
    bool abort; // ended from outside instead of by the right button
  };
  const Case cases[] = {{"right button at once", false, false},
                        {"a table, then the right button", true, false},
                        {"a region picked, then ended from outside", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegionBench b;
    b.Box(100, 100, 140, 130);
    b.Box(200, 100, 260, 140);
    b.view.GetDisplay()->SetDisplayMode(CViewDisplay::kModeRegenerate);
    auto* cmd = b.Push(new CRegionTableInsertCmd(281, &b.view));
    EXPECT_EQ(b.view.GetRegionDisplay(), 1);
    EXPECT_EQ(b.view.GetDisplay()->GetDisplayMode(), CViewDisplay::kModeImmediate);
    if (c.pick) {
      b.Click(230, 120);
      b.Click(120, 110);
      b.Click(500, 500);  // no region: not counted
      EXPECT_EQ(cmd->GetClickCount(), 2);
      EXPECT_EQ(b.view.GetPickedRegionCount(), 2);
      if (!c.abort) {
        b.Right();
        const auto tables = b.Tables();
        ASSERT_EQ(tables.size(), 1u);
        ExpectRegionCells(*tables[0], {{"A", 200, 140, 100, 60}, {"B", 100, 130, 100, 40}});
        EXPECT_EQ(b.view.GetUndoCount(), 1);
        EXPECT_EQ(b.view.GetPickedRegionCount(), 0);
        EXPECT_EQ(b.stack.GetCount(), 1);
      }
    }
    if (c.abort)
      b.stack.AbortAll(&b.view);
    else
      b.Right();
    EXPECT_EQ(b.stack.GetCount(), 0);
    EXPECT_EQ(b.view.GetRegionDisplay(), 0);
    EXPECT_EQ(b.view.GetPickedRegionCount(), 0);
    EXPECT_EQ(b.view.GetSecondList()->GetCount(), 0);
    EXPECT_EQ(b.view.GetDisplay()->GetDisplayMode(), CViewDisplay::kModeRegenerate);
  }
}
