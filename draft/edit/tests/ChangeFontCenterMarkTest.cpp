// The change-font command remakes texts with the drawing's font and the
// system text height; the contour-to-centre mark draws three arcs through
// a point of the reference line.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "draft/construct/tests/CommandBench.h"
#include "draft/edit/ChangeFontCmd.h"
#include "draft/edit/ContourCenterPlaceCmd.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TextFontRecord.h"
#include "draft/host/UndoRecord.h"

namespace {

CTextEntity* MakeText(const char* text, double x, double y) {
  CTextAttrib attr;
  ConstructTextAttribDefault(attr, 5.0, 0, 0);
  return ConstructTextEntity(0, nullptr, text, x, y, attr);
}

const CTextAttrib& AttribOf(const CEntity* e) { return static_cast<const CTextEntity*>(e)->GetTextAttrib(); }

class ChangeFontTest : public ::testing::Test {
 protected:
  ChangeFontTest() {
    bench.view.GetTextFont()->attrib.SetFontName("仿宋");
    bench.view.SetSystemReal(1, 7.0);
  }
  CommandBench bench;
};

}  // namespace

TEST_F(ChangeFontTest, EveryTextIsRemadeAndWhatHasNoTextIsKept) {
  CDraftView& view = bench.view;
  CEntity* text = MakeText("甲", 0, 0);
  CEntity* line = ConstructLineEntity(0, nullptr, 0, 50, 100, 50);
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  block->AddMember(ConstructLineEntity(0, nullptr, 0, 100, 50, 100));
  block->AddMember(MakeText("乙", 0, 110));
  for (CEntity* e : {text, line, static_cast<CEntity*>(block)}) view.AddEntityToView(e);
  for (CEntity* e : {text, line, static_cast<CEntity*>(block)}) view.SelectEntity(e);

  bench.Push(new CChangeFontCmd(1, 0));
  ASSERT_EQ(view.GetUndoCount(), 1);
  const CUndoRecord* record = view.GetLastUndoRecord();
  EXPECT_EQ(record->GetOldEntities().size(), 2u);
  EXPECT_EQ(view.GetSelectionCount(), 0);
  // The line stays; the text and the block are replaced.
  ASSERT_EQ(view.GetEntityList()->GetCount(), 3);
  EXPECT_TRUE(view.IsInDrawing(line));
  EXPECT_FALSE(view.IsInDrawing(text));
  EXPECT_FALSE(view.IsInDrawing(block));
  for (CEntity* e : *view.GetEntityList()) {
    const CEntity* t = e->IsText() ? e : e->IsBlock() ? static_cast<CBlockEntity*>(e)->FindFirstTextMember() : nullptr;
    if (!t) continue;
    EXPECT_DOUBLE_EQ(AttribOf(t).GetHeight(), 7.0);
    EXPECT_EQ(AttribOf(t).GetFontName(), CStringA("仿宋"));
  }
  ASSERT_TRUE(view.Undo());
  EXPECT_TRUE(view.IsInDrawing(text));
  EXPECT_DOUBLE_EQ(AttribOf(text).GetHeight(), 5.0);
}

TEST_F(ChangeFontTest, AMemberTextKeepsItsOwnerAndPlace) {
  CDraftView& view = bench.view;
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  CEntity* member = MakeText("丙", 0, 0);
  block->AddMember(member);
  block->AddMember(ConstructLineEntity(0, nullptr, 0, 0, 10, 0));
  view.AddEntityToView(block);
  view.SelectEntity(member);
  bench.Push(new CChangeFontCmd(1, 0));
  ASSERT_EQ(block->GetMemberCount(), 2);
  CEntity* remade = block->GetMember(0);
  EXPECT_NE(remade, member);
  EXPECT_TRUE(remade->IsText());
  EXPECT_EQ(remade->GetEntityOwner(), block);
  EXPECT_DOUBLE_EQ(AttribOf(remade).GetHeight(), 7.0);
  EXPECT_EQ(view.GetUndoCount(), 1);
}

namespace {
class CentreMarkTest : public ::testing::Test {
 protected:
  // A centre line on y = 0 and a contour line on y = 20.
  CentreMarkTest() {
    bench.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 0, 200, 0));
    bench.view.AddEntityToView(ConstructLineEntity(0, nullptr, 0, 20, 200, 20));
    cmd = bench.Push(new CContourCenterPlaceCmd(1));
  }
  void ClickAt(double x, double y) {
    bench.Move(x, y);
    bench.Click(x, y);
  }
  // The arcs of the newest mark.
  std::vector<CEntity*> MarkArcs() {
    std::vector<CEntity*> arcs;
    CEntity* mark = bench.view.GetEntityList()->GetTail();
    if (!mark->IsBlock()) return arcs;
    auto* block = static_cast<CBlockEntity*>(mark);
    for (int i = 0; i < block->GetMemberCount(); ++i) arcs.push_back(block->GetMember(i));
    return arcs;
  }
  void ExpectThroughPoint(double px, double py, double r) {
    const std::vector<CEntity*> arcs = MarkArcs();
    ASSERT_EQ(arcs.size(), 3u);
    for (CEntity* arc : arcs) {
      ASSERT_TRUE(arc->IsArc());
      double v[kMaxGeometryValues];
      arc->GetGeometry(v);
      EXPECT_NEAR(v[2], r, 1e-9);
      EXPECT_NEAR(GetPointDistance(v[0], v[1], px, py), r, 1e-9);
      EXPECT_TRUE(IsAngleInArc(GetLineAngle(v[0], v[1], px, py), v[3], v[4]));
    }
  }
  CommandBench bench;
  CContourCenterPlaceCmd* cmd = nullptr;
};
}  // namespace

TEST_F(CentreMarkTest, ThreeArcsThroughTheFootOnTheReferenceLine) {
  EXPECT_EQ(bench.stack.GetPrompt(), CString("选择中心线 "));
  ClickAt(50, 0);
  EXPECT_EQ(bench.stack.GetPrompt(), CString("选择轮廓线"));
  ClickAt(50, 20);
  EXPECT_EQ(bench.stack.GetPrompt(), CString("确定位置点"));
  ClickAt(100, 6);
  ExpectThroughPoint(100, 0, 20);
  EXPECT_EQ(bench.view.GetUndoCount(), 1);
  // TAB makes the contour line the reference: the next mark sits on it.
  bench.Char(9, 140, 6);
  ClickAt(140, 6);
  ExpectThroughPoint(140, 20, 20);
  EXPECT_EQ(cmd->GetMarkCount(), 2);
  EXPECT_EQ(bench.view.GetUndoCount(), 2);
}

TEST_F(CentreMarkTest, ANonParallelLineIsNotTakenAndCoincidingLinesReset) {
  bench.view.AddEntityToView(ConstructLineEntity(0, nullptr, 300, 30, 400, 80));  // slanted
  bench.view.AddEntityToView(ConstructLineEntity(0, nullptr, 500, 0, 600, 0));    // on the centre line's carrier
  ClickAt(50, 0);
  ClickAt(350, 55);
  EXPECT_EQ(cmd->GetContourLine(), nullptr);
  EXPECT_EQ(bench.stack.GetPrompt(), CString("选择轮廓线"));
  // The collinear line is parallel and is taken, but the distance 0 draws
  // nothing and starts the command over.
  ClickAt(550, 0);
  EXPECT_EQ(cmd->GetContourLine(), nullptr);
  EXPECT_EQ(cmd->GetCentreLine(), nullptr);
  EXPECT_EQ(bench.view.GetUndoCount(), 0);
  EXPECT_EQ(bench.view.GetSelectionCount(), 0);
  EXPECT_EQ(bench.stack.GetPrompt(), CString("选择中心线 "));
  EXPECT_EQ(bench.stack.GetCurrent(), cmd);
}
