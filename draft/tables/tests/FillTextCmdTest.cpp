// The fill-text command: texts picked by a click, Quorvel's dialog answered,
// one fill entity per character outline in one undo record.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextOutlines.h"
#include "draft/host/UndoRecord.h"
#include "draft/tables/FillTextCmd.h"
#include "draft/tables/tests/RegionDialogBench.h"

namespace {
class FillBench : public RegionBench {
 public:
  CTextEntity* AddText(const char* text, double x, double y, double height) {
    CTextAttrib attr;
    ConstructTextAttribDefault(attr, height, 0, 0);
    CTextEntity* e = ConstructTextEntity(0, nullptr, text, x, y, attr);
    view.AddEntityToView(e);
    return e;
  }
  CFillTextCmd* Start() { return Push(new CFillTextCmd(282, &view)); }
  // The fills of the drawing (blocks), in drawing order.
  std::vector<CBlockEntity*> Fills() {
    std::vector<CBlockEntity*> out;
    for (CEntity* e : *view.GetEntityList())
      if (e->GetKind() == EntityKind::kBlock) out.push_back(static_cast<CBlockEntity*>(e));
    return out;
  }
};

int OutlineCount(const CEntity* text) {
  std::vector<CEntityList*> outlines;
  const int n = GetBoundaryList(text, outlines);
  FreeBoundaryLists(outlines);
  return n;
}
}  // namespace

TEST(FillTextCmdTest, AClickOnALineOpensNoDialog) {
  FillBench b;
  b.view.AddEntityToView(ConstructLineEntity(0, nullptr, 100, 100, 200, 100));
  auto* cmd = b.Start();
  EXPECT_STREQ(b.stack.GetPrompt(), "选择填充文字串");
  b.AddText("   ", 300, 300, 20);  // a text without outlines
  b.Click(150, 100);
  b.Click(400, 400);  // nothing at all
  b.Click(300, 301);
  EXPECT_EQ(b.dialogs, 0);
  EXPECT_EQ(cmd->GetPickedTextCount(), 0);  // every way out of a click empties it
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(cmd->GetRegionCount(), 0);
  EXPECT_EQ(b.stack.GetCount(), 1);
}

TEST(FillTextCmdTest, TwoOverlappingTextsGiveOneDialogAndOneRecord) {
  FillBench b;
  const CTextEntity* first = b.AddText("口", 100, 100, 20);
  const CTextEntity* second = b.AddText("H", 100, 100, 20);
  const int outlines = OutlineCount(first) + OutlineCount(second);
  ASSERT_EQ(outlines, 3);
  b.Start();
  b.Click(101, 101);  // texts are picked by their boxes' sides
  EXPECT_EQ(b.dialogs, 1);
  const auto fills = b.Fills();
  ASSERT_EQ(static_cast<int>(fills.size()), outlines);
  EXPECT_EQ(b.view.GetUndoCount(), 1);
  ASSERT_NE(b.view.GetLastUndoRecord(), nullptr);
  EXPECT_EQ(b.view.GetLastUndoRecord()->GetNewEntities().size(), static_cast<size_t>(outlines));
  // The outer loop of "口" and the "H" have hatch lines; the hole none.
  int hatched = 0;
  for (const CBlockEntity* fill : fills) hatched += fill->GetMemberCount() > 0 ? 1 : 0;
  EXPECT_EQ(hatched, 2);
  EXPECT_TRUE(b.view.Undo());
  EXPECT_TRUE(b.Fills().empty());
  EXPECT_EQ(b.view.GetEntityList()->GetCount(), 2);  // the texts stay
}

TEST(FillTextCmdTest, AFillTheViewCannotBuildKeepsTheEarlierOnesAndDropsTheRest) {
  FillBench b;
  // Three texts on one corner, picked in drawing order: a small "I", a huge
  // one whose hatch would need more than 100,000 lines at the spacing of 1,
  // and a small "H" whose outline is dropped (freed: the leak check).
  b.AddText("I", 100, 100, 20);
  b.AddText("I", 100, 100, 200000);
  b.AddText("H", 100, 100, 20);
  b.Start();
  b.Click(101, 101);
  EXPECT_EQ(b.dialogs, 1);
  ASSERT_EQ(b.Fills().size(), 1u);
  EXPECT_GT(b.Fills()[0]->GetMemberCount(), 0);
  ASSERT_EQ(b.view.GetUndoCount(), 1);
  EXPECT_EQ(b.view.GetLastUndoRecord()->GetNewEntities().size(), 1u);
}

TEST(FillTextCmdTest, CancelFillsNothing) {
  FillBench b;
  b.AddText("口", 100, 100, 20);
  b.answers.push_back({false});
  b.Start();
  b.Click(101, 101);
  EXPECT_EQ(b.dialogs, 1);
  EXPECT_TRUE(b.Fills().empty());
  EXPECT_EQ(b.view.GetUndoCount(), 0);
  EXPECT_EQ(b.stack.GetCount(), 1);
}

TEST(FillTextCmdTest, TheRightButtonEndsTheCommandAtAnyStep) {
  for (bool clickedFirst : {false, true}) {
    FillBench b;
    b.AddText("口", 100, 100, 20);
    b.answers.push_back({false});
    b.Start();
    if (clickedFirst) b.Click(110, 110);
    b.Right();
    EXPECT_EQ(b.stack.GetCount(), 0) << clickedFirst;
    EXPECT_EQ(b.view.GetSecondList()->GetCount(), 0);
  }
}
