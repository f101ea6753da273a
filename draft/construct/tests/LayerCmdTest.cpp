#include <gtest/gtest.h>

#include <vector>

#include "draft/construct/ChangeLayerCmd.h"
#include "draft/construct/ChangeLayerDlg.h"
#include "draft/construct/ChangeLayerSelCmd.h"
#include "draft/construct/DeleteLayerCmd.h"
#include "draft/construct/tests/CommandBench.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/SectionSymbolEntity.h"
#include "draft/host/TableEntity.h"
#include "draft/host/UndoRecord.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WinUser.h"

namespace {

// A line the host cannot copy.
class UncopiableLine : public CLineEntity {
 public:
  using CLineEntity::CLineEntity;
  CEntity* Clone(int) const override { return nullptr; }
};

// Answers the layer dialog: checks the entry offered first and chooses the
// entry of layer `chosen` (or cancels for -1).
platform::ScopedModalDriver AnswerLayerDialog(int offered, int chosen, int* opened = nullptr) {
  return platform::ScopedModalDriver([=](platform::ModalSession& m) {
    if (opened) ++*opened;
    EXPECT_EQ(CStringA(m.Caption()), "改变图层");
    CLayerTable names;
    EXPECT_EQ(CStringA(m.Text(CChangeLayerDlg::kLayerList)), names.GetLayerRecord(offered)->GetName());
    if (chosen < 0) {
      m.Click(IDCANCEL);
      return;
    }
    m.Choose(CChangeLayerDlg::kLayerList, chosen);
    m.Click(IDOK);
  });
}

class LayerTest : public ::testing::Test, public CommandBench {
 protected:
  CEntity* Add(CEntity* e) {
    view.AddEntityToView(e);
    return e;
  }
  CEntity* AddLine(int layer, double x1, double y1, double x2, double y2) {
    return Add(new CLineEntity(layer, nullptr, x1, y1, x2, y2));
  }
  // A block on `layer` with one member on each of `memberLayers`, short
  // lines at y = 200, 210, ...
  CBlockEntity* AddBlock(int layer, std::vector<int> memberLayers) {
    auto* block = ConstructBlockEntity(layer, nullptr);
    double y = 200;
    for (int l : memberLayers) {
      block->AddMember(new CLineEntity(l, nullptr, 300, y, 340, y));
      y += 10;
    }
    Add(block);
    return block;
  }
  void Select(std::initializer_list<CEntity*> entities) {
    CEntityList list;
    for (CEntity* e : entities) list.AddTail(e);
    view.SelectEntities(list);
  }
  std::vector<int> Layers() {
    std::vector<int> out;
    for (CEntity* e : *view.GetEntityList()) out.push_back(e->GetEntityLayer());
    return out;
  }
  static std::vector<int> MemberLayers(const CEntity* e) {
    std::vector<int> out;
    const auto* block = static_cast<const CBlockEntity*>(e);
    for (int i = 0; i < block->GetMemberCount(); ++i) out.push_back(block->GetMember(i)->GetEntityLayer());
    return out;
  }
};

}  // namespace

TEST_F(LayerTest, ReplaceLayerMovesFromOneLayerOrAnyAndABlockWithItsMembers) {
  CLineEntity line(3, nullptr, 0, 0, 1, 0);
  line.ReplaceLayer(2, 7);
  EXPECT_EQ(line.GetEntityLayer(), 3);  // not on layer 2
  line.ReplaceLayer(3, 7);
  EXPECT_EQ(line.GetEntityLayer(), 7);
  line.ReplaceLayer(-1, 4);
  EXPECT_EQ(line.GetEntityLayer(), 4);

  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(3, nullptr));
  auto* inner = ConstructBlockEntity(3, nullptr);
  inner->AddMember(new CLineEntity(3, nullptr, 0, 0, 1, 0));
  block->AddMember(inner);
  block->AddMember(new CLineEntity(1, nullptr, 0, 0, 1, 0));
  EXPECT_TRUE(block->IsOnLayer(1));  // a member lies there
  EXPECT_FALSE(block->IsOnLayer(4));
  block->ReplaceLayer(3, 9);
  EXPECT_FALSE(block->IsOnLayer(3));
  EXPECT_TRUE(inner->IsOnLayer(9));
  EXPECT_EQ(block->GetEntityLayer(), 9);
  EXPECT_EQ(MemberLayers(block.get()), (std::vector<int>{9, 1}));
  EXPECT_EQ(MemberLayers(inner), (std::vector<int>{9}));
  block->ReplaceLayer(-1, 2);
  EXPECT_EQ(MemberLayers(block.get()), (std::vector<int>{2, 2}));
}

TEST_F(LayerTest, TheDialogListsTheLayerNamesAndGivesTheChosenLayer) {
  struct Case {
    bool table;
    int choose;  // -1: cancel
    int expected;
  };
  for (const Case& c : {Case{true, 42, 42}, Case{true, -1, 5}, Case{false, 0, 5}}) {
    SCOPED_TRACE(c.choose);
    CLayerTable table;
    int entries = -1;
    platform::ScopedModalDriver driver([&](platform::ModalSession& m) {
      entries = static_cast<int>(SendMessage(m.Control(CChangeLayerDlg::kLayerList), CB_GETCOUNT, 0, 0));
      if (c.table) {
        EXPECT_EQ(CStringA(m.Text(CChangeLayerDlg::kLayerList)), "文字");  // layer 5
      }
      if (c.choose >= 0 && c.table) m.Choose(CChangeLayerDlg::kLayerList, c.choose);
      m.Click(c.choose < 0 ? IDCANCEL : IDOK);
    });
    CModalDialogScope scope(nullptr);
    CChangeLayerDlg dlg(5, c.table ? &table : nullptr, nullptr);
    EXPECT_EQ(dlg.DoModal(), c.choose < 0 ? IDCANCEL : IDOK);
    EXPECT_EQ(entries, c.table ? 100 : 0);
    EXPECT_EQ(dlg.GetLayer(), c.expected);
  }
}

// Three selected entities on layers 0, 1 and 3 (one of them a block with
// members on two layers) go to layer 6 in one undo step; a line the host
// cannot copy stays where it is, on its layer.
TEST_F(LayerTest, TheSelectionMovesToTheChosenLayerInOneStep) {
  view.SetCurrentLayer(2);
  CEntity* a = AddLine(0, 0, 0, 50, 0);
  CEntity* b = AddLine(1, 0, 20, 50, 20);
  CBlockEntity* block = AddBlock(3, {3, 4});
  CEntity* stuck = Add(new UncopiableLine(1, nullptr, 0, 40, 50, 40));
  AddLine(1, 0, 60, 50, 60);  // not selected
  Select({a, b, block, stuck});
  int opened = 0;
  {
    auto driver = AnswerLayerDialog(2, 6, &opened);
    Push(new CChangeLayerSelCmd(80));
  }
  EXPECT_EQ(opened, 1);
  // The copies come last; the line that could not be copied keeps its place.
  EXPECT_EQ(Layers(), (std::vector<int>{1, 1, 6, 6, 6}));
  EXPECT_TRUE(view.IsInDrawing(stuck));
  EXPECT_FALSE(view.IsInDrawing(a));
  EXPECT_EQ(MemberLayers(view.GetEntityList()->GetTail()), (std::vector<int>{6, 6}));
  EXPECT_EQ(view.GetSelectionCount(), 0);
  ASSERT_EQ(view.GetUndoCount(), 1);
  EXPECT_EQ(view.GetLastUndoRecord()->GetOldEntities().size(), 3u);
  // Ready for the next selection.
  ASSERT_NE(stack.GetCurrent(), nullptr);
  EXPECT_EQ(stack.GetPrompt(), "选择编辑图元(按 F 设置过滤条件, 按鼠标右键结束选择)");
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Layers(), (std::vector<int>{0, 1, 3, 1, 1}));
  EXPECT_EQ(MemberLayers(block), (std::vector<int>{3, 4}));
}

TEST_F(LayerTest, CancellingTheSelectionsLayerEndsTheCommandAndChangesNothing) {
  CEntity* a = AddLine(3, 0, 0, 50, 0);
  Select({a});
  {
    auto driver = AnswerLayerDialog(0, -1);
    Push(new CChangeLayerSelCmd(80));
  }
  EXPECT_EQ(stack.GetCurrent(), nullptr);
  EXPECT_EQ(Layers(), (std::vector<int>{3}));
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(view.GetUndoCount(), 0);
}

// A click picks an entity (a block member counts with its own layer); every
// drawing entity on its layer moves, and of a block (on the layer, or with
// a member on it) what lies on that layer. The same layer chosen, or Cancel, changes nothing.
TEST_F(LayerTest, ChangeLayerMovesEverythingOnThePickedLayer) {
  struct Case {
    const char* name;
    double clickY;  // 0: the line on layer 3; 210: the block's member on layer 1
    int offered;
    int chosen;  // -1: cancel
    std::vector<int> layers;
    std::vector<int> memberLayers;
  };
  const Case cases[] = {
      {"layer 3 to 7", 0, 3, 7, {1, 3, 7, 7}, {7, 1}},
      {"a member's layer 1 to 0: the block stays on 3", 210, 1, 0, {3, 3, 0, 3}, {3, 0}},
      {"the same layer", 0, 3, 3, {3, 1, 3, 3}, {3, 1}},
      {"cancelled", 0, 3, -1, {3, 1, 3, 3}, {3, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView v;
    CCmdStack s;
    v.SetSnapModes(0);
    auto* line = new CLineEntity(3, nullptr, 0, 0, 50, 0);
    v.AddEntityToView(line);
    v.AddEntityToView(new CLineEntity(1, nullptr, 0, 20, 50, 20));
    v.AddEntityToView(new UncopiableLine(3, nullptr, 0, 40, 50, 40));
    auto* block = ConstructBlockEntity(3, nullptr);
    block->AddMember(new CLineEntity(3, nullptr, 300, 200, 340, 200));
    block->AddMember(new CLineEntity(1, nullptr, 300, 210, 340, 210));
    v.AddEntityToView(block);
    s.Push(&v, new CChangeLayerCmd(81));
    EXPECT_EQ(s.GetPrompt(), "选择改变层的图元");
    {
      auto driver = AnswerLayerDialog(c.offered, c.chosen);
      const double x = c.clickY ? 320 : 25;
      s.OnLButton(0, CommandBench::At(x, c.clickY), &v);
    }
    std::vector<int> layers;
    CEntity* lastBlock = nullptr;
    for (CEntity* e : *v.GetEntityList()) {
      layers.push_back(e->GetEntityLayer());
      if (e->IsBlock()) lastBlock = e;
    }
    EXPECT_EQ(layers, c.layers);
    ASSERT_NE(lastBlock, nullptr);
    EXPECT_EQ(MemberLayers(lastBlock), c.memberLayers);
    const bool changed = c.chosen >= 0 && c.chosen != c.offered;
    EXPECT_EQ(v.GetUndoCount(), changed ? 1 : 0);
    EXPECT_NE(s.GetCurrent(), nullptr);  // waits for the next click
    if (changed) {
      ASSERT_TRUE(v.Undo());
      layers.clear();
      for (CEntity* e : *v.GetEntityList()) layers.push_back(e->GetEntityLayer());
      EXPECT_EQ(layers, (std::vector<int>{3, 1, 3, 3}));
      EXPECT_TRUE(v.IsInDrawing(line));
    }
  }
}

// Deleting layer 3: the line on it goes; the block on it stays and loses
// its member on layer 3; a line on layer 1, a table and a section symbol
// (kept whole) on layer 3 stay with their members. One undo step brings
// everything back, the member into its place in the block.
TEST_F(LayerTest, DeleteLayerTakesTheEntitiesAndBlockMembersOnIt) {
  CEntity* line = AddLine(3, 0, 0, 50, 0);
  CEntity* other = AddLine(1, 0, 20, 50, 20);
  CBlockEntity* block = AddBlock(3, {1, 3, 1});
  CEntity* member = block->GetMember(1);
  const double xy[] = {100, 100, 150, 100, 150, 150};
  CEntity* symbol = Add(ConstructSectionSymbolEntity(3, nullptr, xy, 3));
  CEntity* table = Add(ConstructTableEntity(3, nullptr));
  Push(new CDeleteLayerCmd(82));
  EXPECT_EQ(stack.GetPrompt(), "选择删除层的图元");
  Click(400, 400);  // nothing there
  EXPECT_EQ(view.GetUndoCount(), 0);
  Click(25, 0);
  EXPECT_TRUE(boxes.empty());  // no question
  EXPECT_FALSE(view.IsInDrawing(line));
  EXPECT_FALSE(view.IsInDrawing(member));
  for (CEntity* kept : {other, static_cast<CEntity*>(block), symbol, table}) EXPECT_TRUE(view.IsInDrawing(kept));
  EXPECT_EQ(MemberLayers(block), (std::vector<int>{1, 1}));
  EXPECT_EQ(static_cast<CBlockEntity*>(symbol)->GetMemberCount(), 2);
  ASSERT_EQ(view.GetUndoCount(), 1);
  EXPECT_EQ(view.GetLastUndoRecord()->GetOldEntities().size(), 2u);
  ASSERT_TRUE(view.Undo());
  EXPECT_TRUE(view.IsInDrawing(line));
  EXPECT_EQ(block->GetMember(1), member);
  EXPECT_EQ(MemberLayers(block), (std::vector<int>{1, 3, 1}));
  // A click on a member picks the member's layer: layer 1 goes from the
  // block and the drawing.
  Click(320, 200);
  EXPECT_FALSE(view.IsInDrawing(other));
  EXPECT_EQ(MemberLayers(block), (std::vector<int>{3}));
  EXPECT_NE(stack.GetCurrent(), nullptr);
}

// A block that only holds something on the layer, deep down, keeps the rest:
// the nested block is opened, not deleted whole.
TEST_F(LayerTest, DeleteLayerOpensNestedBlocks) {
  AddLine(3, 0, 0, 50, 0);
  auto* inner = ConstructBlockEntity(0, nullptr);
  inner->AddMember(new CLineEntity(3, nullptr, 300, 200, 340, 200));
  inner->AddMember(new CLineEntity(0, nullptr, 300, 210, 340, 210));
  auto* outer = ConstructBlockEntity(0, nullptr);
  outer->AddMember(inner);
  Add(outer);
  Push(new CDeleteLayerCmd(82));
  Click(25, 0);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
  EXPECT_EQ(outer->GetMemberCount(), 1);
  EXPECT_EQ(MemberLayers(inner), (std::vector<int>{0}));
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(MemberLayers(inner), (std::vector<int>{3, 0}));
}
