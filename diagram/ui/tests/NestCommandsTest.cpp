// Nesting a selection into a composite block and un-nesting it again: the
// connections that crossed the boundary survive both ways, and each is one
// undo step.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "platform/ui/CmdTarget.h"

namespace {

using Connection = std::pair<CDrawPort*, CDrawPort*>;

class NestCommands : public blocktest::BlockDiagram {
 protected:
  // Every wire of the diagram as its two ports.
  static std::set<Connection> Wires(CDiagram* on) {
    std::set<Connection> wires;
    for (POSITION pos = on->GetObjects().GetHeadPosition(); pos;) {
      if (auto* arc = DYNAMIC_DOWNCAST(CDrawArc, on->GetObjects().GetNext(pos)))
        wires.insert({arc->GetSrcOutPort(), arc->GetDestInPort()});
    }
    return wires;
  }
  CCompositeBlock* OnlyComposite() {
    CCompositeBlock* found = nullptr;
    for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;) {
      if (auto* c = DYNAMIC_DOWNCAST(CCompositeBlock, diagram->GetObjects().GetNext(pos))) {
        EXPECT_EQ(found, nullptr) << "one composite block";
        found = c;
      }
    }
    return found;
  }
  void SelectOnly(std::initializer_list<CDrawObj*> objects) {
    view.Select(nullptr, FALSE);
    for (CDrawObj* object : objects) view.Select(object, TRUE);
  }
  bool Enabled(void (CDrawView::*update)(CCmdUI*)) {
    struct Probe : CCmdUI {
      int enabled = -1;
      void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    } probe;
    (view.*update)(&probe);
    return probe.enabled == 1;
  }
};

TEST_P(NestCommands, WiresAndPortsAloneAreNotNested) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-200, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(200, 0));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  SelectOnly({wire, PortOf(a, 0)});
  EXPECT_FALSE(Enabled(&CDrawView::OnUpdateObjectNest));
  doc.ClearUndoStack();
  auto* block = new CCompositeBlock;
  EXPECT_EQ(view.NestSelectionInto(block), 0);
  delete block;
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  EXPECT_EQ(Wires(diagram), (std::set<Connection>{{PortOf(a, 0), PortOf(b, 0)}}));
}

TEST_P(NestCommands, AFanOutLeavesThroughOneNewOutputAndUndoRedoReplayIt) {
  CDrawBlock* source = PlaceBlock(1, CPoint(-100, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(200, 100));
  CDrawBlock* c = PlaceBlock(100, CPoint(200, -100));
  Wire(PortOf(source, 0), PortOf(b, 0));
  Wire(PortOf(source, 0), PortOf(c, 0));
  const std::set<Connection> before = Wires(diagram);
  SelectOnly({source});
  ASSERT_TRUE(Enabled(&CDrawView::OnUpdateObjectNest));
  doc.ClearUndoStack();
  view.OnObjectNest();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  EXPECT_EQ(source->GetDiagram(), inner);
  ASSERT_EQ(block->GetPorts().GetCount(), 1);
  CDrawPort* out = PortOf(block, 0);
  EXPECT_TRUE(out->IsSrcOutput());
  EXPECT_EQ(Wires(diagram), (std::set<Connection>{{out, PortOf(b, 0)}, {out, PortOf(c, 0)}}));
  EXPECT_EQ(Wires(inner), (std::set<Connection>{{PortOf(source, 0), out->GetAssociatedPort()}}));
  EXPECT_EQ(view.GetSelection().GetCount(), 1);
  EXPECT_TRUE(view.GetSelection().Find(block));

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(source->GetDiagram(), diagram);
  EXPECT_FALSE(diagram->GetObjects().Find(block));
  EXPECT_EQ(Wires(diagram), before);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(diagram->GetObjects().Find(block));
  EXPECT_EQ(source->GetDiagram(), inner);
  EXPECT_EQ(Wires(diagram), (std::set<Connection>{{out, PortOf(b, 0)}, {out, PortOf(c, 0)}}));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Wires(diagram), before);
}

// A wire nested with both of its blocks goes in whole, a slanted end
// segment too (a wire's own move keeps its ends and slides only the bends of
// straight end segments, which tore it), and comes back whole on undo.
TEST_P(NestCommands, AWireWithASlantedEndGoesInWithItsBlocksWhole) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-200, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(200, 100));
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  const CPoint src = PortOf(a, 0)->ConnectionPoint();
  const CPoint dst = PortOf(b, 0)->ConnectionPoint();
  const CPoint slanted[] = {src, src + CSize(13, 21), CPoint(src.x + 13, dst.y), dst};
  ASSERT_TRUE(wire->ReRoute(slanted, 4));
  auto points = [wire] {
    std::vector<CPoint> all;
    for (int i = 1; i <= wire->GetHandleCount(); ++i) all.push_back(wire->GetHandle(i));
    return all;
  };
  const std::vector<CPoint> before = points();
  SelectOnly({a, b});
  view.OnObjectNest();
  ASSERT_EQ(wire->GetDiagram(), OnlyComposite()->GetInternalDiagram());
  const CSize moved = PortOf(a, 0)->ConnectionPoint() - src;
  std::vector<CPoint> carried;
  for (const CPoint& p : before) carried.push_back(p + moved);
  EXPECT_EQ(points(), carried);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(points(), before);
}

TEST_P(NestCommands, AFanInArrivesThroughOneNewInput) {
  CDrawBlock* sink = PlaceBlock(100, CPoint(100, 0));
  CDrawBlock* b = PlaceBlock(1, CPoint(-200, 100));
  CDrawBlock* c = PlaceBlock(1, CPoint(-200, -100));
  Wire(PortOf(b, 0), PortOf(sink, 0));
  Wire(PortOf(c, 0), PortOf(sink, 0));
  SelectOnly({sink});
  view.OnObjectNest();
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block->GetPorts().GetCount(), 1);
  CDrawPort* in = PortOf(block, 0);
  EXPECT_TRUE(in->IsDestInput());
  EXPECT_EQ(Wires(diagram), (std::set<Connection>{{PortOf(b, 0), in}, {PortOf(c, 0), in}}));
  EXPECT_EQ(Wires(block->GetInternalDiagram()), (std::set<Connection>{{in->GetAssociatedPort(), PortOf(sink, 0)}}));
}

TEST_P(NestCommands, UnnestingGivesBackTheConnectionsAndUndoKeepsTheBlock) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* m1 = PlaceBlock(101, CPoint(-50, 0));
  CDrawBlock* m2 = PlaceBlock(101, CPoint(100, 0));
  CDrawBlock* z = PlaceBlock(100, CPoint(300, 0));
  Wire(PortOf(a, 0), PortOf(m1, 0));
  Wire(PortOf(m1, 1), PortOf(m2, 0));
  Wire(PortOf(m2, 1), PortOf(z, 0));
  const std::set<Connection> before = Wires(diagram);
  const UINT mode = diagram->GetAutoRouteMode();
  SelectOnly({m1, m2});
  view.OnObjectNest();
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  ASSERT_TRUE(Enabled(&CDrawView::OnUpdateObjectUnnest));
  doc.ClearUndoStack();
  view.OnObjectUnnest();
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(m1->GetDiagram(), diagram);
  EXPECT_TRUE(diagram->DoesTrashInclude(block));
  EXPECT_EQ(Wires(diagram), before);
  EXPECT_EQ(diagram->GetAutoRouteMode(), mode);
  EXPECT_EQ(inner->GetAutoRouteMode(), 0u);

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_TRUE(diagram->GetObjects().Find(block));
  EXPECT_EQ(m1->GetDiagram(), inner);
  EXPECT_EQ(block->GetPorts().GetCount(), 2);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(Wires(diagram), before);
}

TEST_P(NestCommands, UnnestingFromInsideTheInnerViewTakesTheBlockThatOwnsIt) {
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* m = PlaceBlock(100, CPoint(0, 0));
  Wire(PortOf(a, 0), PortOf(m, 0));
  const std::set<Connection> before = Wires(diagram);
  SelectOnly({m});
  view.OnObjectNest();
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  view.SwitchToDiagram(block->GetInternalDiagram());
  ASSERT_TRUE(view.GetSelection().IsEmpty());
  EXPECT_TRUE(Enabled(&CDrawView::OnUpdateObjectUnnest));
  view.OnObjectUnnest();
  EXPECT_TRUE(diagram->DoesTrashInclude(block));
  EXPECT_EQ(m->GetDiagram(), diagram);
  EXPECT_EQ(Wires(diagram), before);
  EXPECT_EQ(view.GetDiagram(), nullptr) << "the inner view let go of the removed diagram";
}

TEST_P(NestCommands, ASelectionWiderThanTheLargestPageCountGetsTheLargestCanvas) {
  // 257 half-pages from the middle: a page count that a byte cannot hold.
  auto* left = new CDrawRect(CRect(-109000, 20, -108960, -20), CDrawRect::rectangle);
  auto* right = new CDrawRect(CRect(109000, 20, 109040, -20), CDrawRect::rectangle);
  ASSERT_TRUE(diagram->Add(left));
  ASSERT_TRUE(diagram->Add(right));
  SelectOnly({left, right});
  view.OnObjectNest();
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  const CSize pages = block->GetInternalDiagram()->GetCanvasSize();
  EXPECT_EQ(pages.cx, std::min<LONG>(255, block->GetInternalDiagram()->GetMaxCanvasSize().cx));
}

TEST_P(NestCommands, UnnestIsEnabledForOneCompositeOrInsideOne) {
  CDrawBlock* plain = PlaceBlock(101, CPoint(-100, 0));
  // Nothing selected: enabled only below the document's top diagram (the
  // downward diagram is not the document's own).
  EXPECT_EQ(Enabled(&CDrawView::OnUpdateObjectUnnest), !upward());
  SelectOnly({plain});
  EXPECT_FALSE(Enabled(&CDrawView::OnUpdateObjectUnnest));
  view.OnObjectNest();
  EXPECT_TRUE(Enabled(&CDrawView::OnUpdateObjectUnnest));
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  CDrawBlock* other = PlaceBlock(1, CPoint(200, 0));
  SelectOnly({block, other});
  EXPECT_FALSE(Enabled(&CDrawView::OnUpdateObjectUnnest));
}

TEST_P(NestCommands, UnnestingGrowsTheCanvasByWholePagesForWideContents) {
  CDrawBlock* m = PlaceBlock(100, CPoint(0, 0));
  SelectOnly({m});
  view.OnObjectNest();
  CCompositeBlock* block = OnlyComposite();
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  ASSERT_TRUE(inner->SetCanvasSize(9, 1));
  auto* wide = new CDrawRect(CRect(1900, 20, 1940, -20), CDrawRect::rectangle);
  ASSERT_TRUE(inner->Add(wide));
  const CSize before = diagram->GetCanvasSize();
  SelectOnly({block});
  view.OnObjectUnnest();
  EXPECT_EQ(wide->GetDiagram(), diagram);
  const CSize after = diagram->GetCanvasSize();
  EXPECT_GT(after.cx, before.cx);
  CRect canvas = diagram->GetRect();
  canvas.NormalizeRect();
  CRect placed = wide->GetPosition();
  placed.NormalizeRect();
  EXPECT_TRUE(canvas.left <= placed.left && placed.right <= canvas.right) << "the canvas holds what came out";
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(diagram->GetCanvasSize(), before);
  EXPECT_EQ(wide->GetDiagram(), inner);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, NestCommands, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Upward" : "Downward"; });

}  // namespace
