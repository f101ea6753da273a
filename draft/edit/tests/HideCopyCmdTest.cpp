// The hidden-line copy command: the base point starts the drawing service's
// pass over the selection, clicks in regions of the drawing give the copies
// without what those regions hide, and the right button hands them over.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/HideCopyCmd.h"
#include "draft/edit/tests/EditCmdFixture.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/DrawingService.h"
#include "draft/host/LineEntity.h"
#include "draft/host/Settings.h"

namespace {

std::vector<Line> SortedLinesOf(const CEntityList& list) {
  std::vector<Line> out;
  for (CEntity* e : list) {
    double v[kMaxGeometryValues];
    if (!e->IsLine() || e->GetGeometry(v) != 4) continue;
    Line l{v[0], v[1], v[2], v[3]};
    if (std::make_pair(l[0], l[1]) > std::make_pair(l[2], l[3])) l = {l[2], l[3], l[0], l[1]};
    out.push_back(l);
  }
  std::sort(out.begin(), out.end());
  return out;
}

// A rectangle 0..100 × 0..60, selected, behind a circle of centre (100, 60)
// and radius 30 that is not.
class HideCopyTest : public EditCmdFixture {
 protected:
  HideCopyTest() {
    const Line sides[] = {{0, 0, 100, 0}, {100, 0, 100, 60}, {100, 60, 0, 60}, {0, 60, 0, 0}};
    for (const Line& l : sides) {
      CEntity* e = ConstructLineEntity(0, nullptr, l[0], l[1], l[2], l[3]);
      bench.view.AddEntityToView(e);
      rect.AddTail(e);
    }
    bench.view.AddEntityToView(ConstructCircleEntity(0, nullptr, 100, 60, 30));
    bench.view.SelectEntities(rect);
  }
  ~HideCopyTest() override { SetDrawingIOFlag(0); }
  void ClickAt(double x, double y) {
    bench.Move(x, y);
    bench.Click(x, y);
  }
  void RightButton() { bench.stack.OnRButton(0, bench.view.GetCursorPos(), &bench.view); }

  CommandBench bench;
  CEntityList rect;
};

const std::vector<Line> kHiddenRect = {{0, 0, 0, 60}, {0, 0, 100, 0}, {0, 60, 70, 60}, {100, 0, 100, 30}};

}  // namespace

TEST_F(HideCopyTest, ARegionClickGivesTheHiddenCopyAndTheRightButtonHandsItOver) {
  auto* cmd = bench.Push(new CHideCopyCmd(&bench.view, 1));
  EXPECT_EQ(bench.stack.GetPrompt(), CString("输入插入基点"));
  ClickAt(300, 300);
  EXPECT_TRUE(cmd->IsPlacing());
  EXPECT_TRUE(theDrawingService.IsHiding(&bench.view));
  EXPECT_EQ(GetDrawingIOFlag(), 1);
  EXPECT_EQ(bench.stack.GetPrompt(), CString("指定消隐范围"));
  ClickAt(110, 70);  // inside the circle, outside the rectangle
  EXPECT_EQ(SortedLinesOf(cmd->GetCopies()), kHiddenRect);
  EXPECT_EQ(bench.view.GetSecondList()->GetCount(), 4);

  const int undo = bench.view.GetUndoCount();
  RightButton();
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_EQ(bench.view.GetUndoCount(), undo + 1);
  EXPECT_FALSE(theDrawingService.IsHiding(&bench.view));
  EXPECT_EQ(GetDrawingIOFlag(), 0);
  // The copies are the drawing's now, besides the rectangle and the circle.
  EXPECT_EQ(bench.view.GetEntityList()->GetCount(), 9);
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
  ASSERT_TRUE(bench.view.Undo());
  EXPECT_EQ(bench.view.GetEntityList()->GetCount(), 5);
}

TEST_F(HideCopyTest, WithManualHidingOffTheCommandEndsAfterTheBasePoint) {
  WriteProfileIntSetting("SYSVAR_MISC", "SET_MISC_NORMALHIDE", 0);
  bench.Push(new CHideCopyCmd(&bench.view, 1));
  ClickAt(300, 300);
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  // The pass started at the base point ends with the command; nothing is
  // handed over.
  EXPECT_FALSE(theDrawingService.IsHiding(&bench.view));
  EXPECT_EQ(GetDrawingIOFlag(), 0);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  EXPECT_EQ(bench.view.GetEntityList()->GetCount() + bench.view.GetSelectionCount(), 5);
}

TEST_F(HideCopyTest, EndingWhilePlacingFreesOnlyTheCopiesNotHandedOver) {
  auto* cmd = bench.Push(new CHideCopyCmd(&bench.view, 1));
  ClickAt(300, 300);
  ClickAt(110, 70);
  ASSERT_EQ(cmd->GetCopies().GetCount(), 4);
  // The stack ends the command (another of its level replaces it): End frees
  // the four copies it still holds; the drawing keeps what it had.
  bench.stack.EndTop(&bench.view);
  EXPECT_EQ(bench.stack.GetCurrent(), nullptr);
  EXPECT_TRUE(bench.view.GetSecondList()->IsEmpty());
  EXPECT_EQ(bench.view.GetEntityList()->GetCount() + bench.view.GetSelectionCount(), 5);
  EXPECT_FALSE(theDrawingService.IsHiding(&bench.view));
}
