// Composite blocks: the boundary pairs, the inner diagram's offsets, moving
// objects between the levels, the port pairs that un-nesting rebuilds, and
// persistence and undo of both levels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "diagram/model/blocks/BoundaryPorts.h"
#include "diagram/model/blocks/CompositeBlock.h"
#include "diagram/model/canvas/CompositeBlockDiagram.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/model/undo/URBlock.h"
#include "diagram/testsupport/BlockDiagramFixture.h"

namespace {

class CompositeOnDiagram : public blocktest::BlockDiagram {
 protected:
  CCompositeBlock* PlaceComposite(UINT code, CPoint at) {
    auto* block = new CCompositeBlock;
    if (!block->InitializeAs(code, at, &view) || !block->AddBlockAndComponentsToDiagram(diagram)) {
      ADD_FAILURE() << "composite block not placed";
      delete block;
      return nullptr;
    }
    return block;
  }
  // A block inside the composite block's inner diagram.
  CDrawBlock* PlaceInside(CCompositeBlock* composite, UINT code, CPoint at) {
    CCompositeBlockDiagram* inner = composite->GetInternalDiagram();
    auto* block = new CDrawBlock;
    CDiagram* shown = view.GetDiagram();
    view.SwitchToDiagram(inner);
    const bool made = block->InitializeAs(code, at, &view) && block->AddBlockAndComponentsToDiagram(inner);
    view.SwitchToDiagram(shown);
    if (!made) {
      ADD_FAILURE() << "inner block not placed";
      delete block;
      return nullptr;
    }
    return block;
  }
  CDrawArc* WireIn(CDiagram* on, CDrawPort* src, CDrawPort* dst) {
    auto* arc = new CDrawArc;
    if (!arc->Initialize(src, dst, TRUE) || !on->Add(arc)) {
      ADD_FAILURE() << "wire not made";
      delete arc;
      return nullptr;
    }
    return arc;
  }
  static CDrawPort* Partner(CDrawBlock* block, int index) { return PortOf(block, index)->GetAssociatedPort(); }
};

TEST_P(CompositeOnDiagram, InitializingPlacesThePartnersAtTheInnerCanvasEdge) {
  CCompositeBlock* block = PlaceComposite(102, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  ASSERT_EQ(block->GetPorts().GetCount(), 3);
  EXPECT_TRUE(PortOf(block, 0)->IsKindOf(RUNTIME_CLASS(CDrawInPortExternal)));
  EXPECT_TRUE(PortOf(block, 1)->IsKindOf(RUNTIME_CLASS(CDrawOutPortExternal)));
  EXPECT_EQ(inner->GetInternalPorts().GetCount(), 3);
  EXPECT_EQ(inner->GetDocument(), &doc);
  const CRect r = inner->GetRect();
  // The inner diagram has y upward whatever its parent's direction.
  ASSERT_TRUE(inner->IsUpwardPositive());
  const int step = -50;
  EXPECT_EQ(inner->GetVerticalOffsetBetweenInternalPorts(), step);
  const struct {
    int index;
    const CRuntimeClass* kind;
    CPoint first;
  } partners[] = {{0, RUNTIME_CLASS(CDrawInPortInternal), CPoint(r.left + 22, r.top + step)},
                  {1, RUNTIME_CLASS(CDrawOutPortInternal), CPoint(r.right - 22, r.top + 2 * step)},
                  {2, RUNTIME_CLASS(CDrawOutPortInternal), CPoint(r.right - 22, r.top + 3 * step)}};
  for (const auto& p : partners) {
    CDrawPort* partner = Partner(block, p.index);
    ASSERT_NE(partner, nullptr) << p.index;
    EXPECT_TRUE(partner->IsKindOf(p.kind)) << p.index;
    EXPECT_EQ(partner->GetAssociatedPort(), PortOf(block, p.index));
    EXPECT_EQ(partner->GetDiagram(), inner);
    EXPECT_TRUE(inner->GetObjects().Find(partner));
    const CPoint connection = partner->ConnectionPoint();
    EXPECT_EQ(connection, p.first + CSize(p.kind == RUNTIME_CLASS(CDrawInPortInternal) ? 10 : -8, 0)) << p.index;
  }
  EXPECT_EQ(inner->GetVerticalOffsetForNextPort(), 4 * step);
  // The partners are part of the block: undoing its placing leaves them.
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
}

// A boundary pair added to a composite block whose lower edge lies on the
// canvas's edge: the lengthened block moves back onto the canvas in the same
// step, and an undo puts it back where it was.
TEST_P(CompositeOnDiagram, AnAddedPortAtTheCanvasEdgeKeepsTheBlockOnTheCanvas) {
  CCompositeBlock* block = PlaceComposite(101, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  CRect canvas = diagram->GetRect();
  canvas.NormalizeRect();
  auto outline = [block] {
    CRect r = block->GetBoundingRectIncludingComponents();
    r.NormalizeRect();
    return r;
  };
  block->MoveBy(CPoint(0, upward() ? canvas.top - outline().top : canvas.bottom - outline().bottom), FALSE);
  const CRect before = block->GetPosition();
  doc.ClearUndoStack();
  ASSERT_NE(block->AddNewOutPort(), nullptr);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  const CRect r = outline();
  EXPECT_TRUE(canvas.left <= r.left && r.right <= canvas.right && canvas.top <= r.top && r.bottom <= canvas.bottom);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(block->GetPosition(), before);
}

TEST_P(CompositeOnDiagram, AddedPortsGoBelowTheOthersOrWhereTheInnerMenuOpened) {
  CCompositeBlock* block = PlaceComposite(101, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  EXPECT_EQ(inner->GetVerticalOffsetForNextPort(), -150);
  const CRect r = inner->GetRect();
  doc.ClearUndoStack();
  CDrawPort* added = block->AddNewInPort();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"AddNewInPort"));
  CDrawPort* partner = added->GetAssociatedPort();
  ASSERT_NE(partner, nullptr);
  EXPECT_EQ(partner->GetAssociatedPort(), added);
  EXPECT_EQ(partner->ConnectionPoint(), CPoint(r.left + 32, r.top - 150));
  EXPECT_EQ(inner->GetInternalPorts().GetCount(), 3);

  // Working inside: the partner lands where the pop-up menu last opened.
  doc.SetActiveDiagram(inner);
  CPoint client(103, 96);
  view.DocToClient(client);
  inner->GetPopupMenu(&view, client);
  CPoint expected = client;
  view.ClientToDoc(expected);
  inner->SnapToGrid(expected);
  CDrawPort* out = block->AddNewOutPort();
  doc.SetActiveDiagram(diagram);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->GetAssociatedPort()->GetPosition().TopLeft(), expected + CSize(-10, -10));
  // Undoing takes the pair away again.
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(block->GetPorts().Find(out), nullptr);
  EXPECT_TRUE(diagram->GetObjects().Find(block)) << "the block stays";
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(block->GetPorts().Find(out));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_TRUE(diagram->GetObjects().Find(block));
  // The undone pair waits in the trash: it is neither counted nor stored.
  EXPECT_EQ(inner->GetVerticalOffsetForNextPort(), -200);
  if (upward()) {
    CDrawDoc loaded;
    doctest::LoadArchive in(doctest::StoreDocument(doc), &loaded);
    loaded.Serialize(in.ar());
    EXPECT_EQ(loaded.LoadFailuresDidOccur(), 0);
    EXPECT_EQ(doctest::StoreDocument(loaded), doctest::StoreDocument(doc));
  }
}

TEST_P(CompositeOnDiagram, ShiftingInAndOutKeepsPlacesAndTheZOrder) {
  auto* back = new CDrawRect(CRect(100, 300, 140, 260), CDrawRect::rectangle);
  auto* middle = new CDrawRect(CRect(150, 300, 190, 260), CDrawRect::rectangle);
  auto* front = new CDrawRect(CRect(200, 300, 240, 260), CDrawRect::rectangle);
  for (CDrawObj* r : {static_cast<CDrawObj*>(back), static_cast<CDrawObj*>(middle), static_cast<CDrawObj*>(front)})
    ASSERT_TRUE(diagram->Add(r));
  CCompositeBlock* block = PlaceComposite(0, CPoint(-200, 0));
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  CDrawList moved;
  moved.AddTail(front);
  moved.AddTail(back);
  moved.AddTail(middle);
  const CMapPtrToWord none;
  inner->ShiftBetweenDiagrams(CDrawList(), CCompositeBlockDiagram::shiftIn, none);
  EXPECT_EQ(diagram->GetObjects().GetCount(), 5);

  CMapPtrToWord places;
  for (CDrawObj* r : {static_cast<CDrawObj*>(back), static_cast<CDrawObj*>(middle), static_cast<CDrawObj*>(front)})
    places.SetAt(r, static_cast<WORD>(r->GetZIndex()));
  const CPoint offset = inner->GetRect().CenterPoint() - block->GetPosition().TopLeft();
  inner->ShiftBetweenDiagrams(moved, CCompositeBlockDiagram::shiftIn, none);
  EXPECT_EQ(back->GetDiagram(), inner);
  EXPECT_EQ(back->GetPosition(), CRect(100, 300, 140, 260) + CSize(offset.x, offset.y));
  EXPECT_EQ(inner->GetObjects().GetCount(), 3);
  EXPECT_EQ(diagram->GetObjects().GetCount(), 2);

  inner->ShiftBetweenDiagrams(moved, CCompositeBlockDiagram::shiftOut, places);
  EXPECT_EQ(back->GetPosition(), CRect(100, 300, 140, 260));
  std::vector<CDrawObj*> order;
  for (POSITION pos = diagram->GetObjects().GetHeadPosition(); pos;) order.push_back(diagram->GetObjects().GetNext(pos));
  ASSERT_EQ(order.size(), 5u);
  EXPECT_EQ(order[0], back);
  EXPECT_EQ(order[1], middle);
  EXPECT_EQ(order[2], front);
  EXPECT_EQ(order[3], block);
}

TEST_P(CompositeOnDiagram, PortPairsJoinWhatTheBoundaryStandsFor) {
  CDrawBlock* source = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* sink = PlaceBlock(100, CPoint(300, 0));
  CCompositeBlock* composite = PlaceComposite(201, CPoint(0, 0));
  ASSERT_TRUE(source && sink && composite);
  CCompositeBlockDiagram* inner = composite->GetInternalDiagram();
  CDrawBlock* worker = PlaceInside(composite, 101, CPoint(0, 0));
  ASSERT_NE(worker, nullptr);
  WireIn(diagram, PortOf(source, 0), PortOf(composite, 0));
  WireIn(inner, Partner(composite, 0), PortOf(worker, 0));
  WireIn(inner, PortOf(worker, 1), Partner(composite, 2));
  WireIn(diagram, PortOf(composite, 2), PortOf(sink, 0));
  // The second input is wired outside only: no record.
  WireIn(diagram, PortOf(source, 0), PortOf(composite, 1));

  CPtrList pairs;
  inner->GetPortPairs(pairs);
  std::vector<PortPairAndArcClass> got;
  while (!pairs.IsEmpty()) {
    auto* pair = static_cast<PortPairAndArcClass*>(pairs.RemoveHead());
    got.push_back(*pair);
    delete pair;
  }
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].pSrcPort, PortOf(source, 0));
  EXPECT_EQ(got[0].pDestPort, PortOf(worker, 0));
  EXPECT_EQ(got[0].pArcClass, RUNTIME_CLASS(CDrawArc));
  EXPECT_EQ(got[1].pSrcPort, PortOf(worker, 1));
  EXPECT_EQ(got[1].pDestPort, PortOf(sink, 0));

  // Seen through the boundary, the source reaches the worker.
  CDrawList reached;
  PortOf(source, 0)->GetRealConnections(reached);
  EXPECT_TRUE(reached.Find(PortOf(worker, 0)));
}

TEST_P(CompositeOnDiagram, TwoLevelsAreSavedAndLoadedWithTheirPairs) {
  // The document stores its own top-level diagram, the upward one.
  if (!upward()) GTEST_SKIP();
  CCompositeBlock* outer = PlaceComposite(101, CPoint(0, 0));
  ASSERT_NE(outer, nullptr);
  CCompositeBlockDiagram* inner = outer->GetInternalDiagram();
  auto* nested = new CCompositeBlock;
  view.SwitchToDiagram(inner);
  ASSERT_TRUE(nested->InitializeAs(101, CPoint(0, 0), &view));
  ASSERT_TRUE(nested->AddBlockAndComponentsToDiagram(inner));
  view.SwitchToDiagram(diagram);
  WireIn(inner, Partner(outer, 0), PortOf(nested, 0));
  const std::vector<BYTE> bytes = doctest::StoreDocument(doc);
  // The stream is a seed of the document fuzzer.
  if (const char* write = ::getenv("SCRIVEL_WRITE_FIXTURES"); write && std::strcmp(write, "1") == 0) {
    const std::filesystem::path seeds = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                                        "fuzz" / "seeds" / "fuzz_document";
    doctest::WriteFileBytes((seeds / "composite-two-levels-plain.drw").string(), bytes);
  }

  CDrawDoc loaded;
  doctest::LoadArchive in(bytes, &loaded);
  loaded.Serialize(in.ar());
  CDrawList& objects = loaded.GetDiagram()->GetObjects();
  CCompositeBlock* outerCopy = nullptr;
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    if (auto* c = DYNAMIC_DOWNCAST(CCompositeBlock, objects.GetNext(pos))) outerCopy = c;
  }
  ASSERT_NE(outerCopy, nullptr);
  CCompositeBlockDiagram* innerCopy = outerCopy->GetInternalDiagram();
  EXPECT_EQ(innerCopy->GetDocument(), &loaded);
  EXPECT_EQ(loaded.GetActiveDiagram(), loaded.GetDiagram());
  ASSERT_EQ(innerCopy->GetInternalPorts().GetCount(), 2);
  for (int i = 0; i < 2; ++i) {
    CDrawPort* external = PortOf(outerCopy, i);
    ASSERT_NE(external->GetAssociatedPort(), nullptr) << i;
    EXPECT_EQ(external->GetAssociatedPort()->GetAssociatedPort(), external);
    EXPECT_TRUE(innerCopy->GetInternalPorts().Find(external->GetAssociatedPort()));
  }
  CCompositeBlock* nestedCopy = nullptr;
  for (POSITION pos = innerCopy->GetObjects().GetHeadPosition(); pos;) {
    if (auto* c = DYNAMIC_DOWNCAST(CCompositeBlock, innerCopy->GetObjects().GetNext(pos))) nestedCopy = c;
  }
  ASSERT_NE(nestedCopy, nullptr);
  EXPECT_EQ(nestedCopy->GetInternalDiagram()->GetInternalPorts().GetCount(), 2);
  EXPECT_EQ(nestedCopy->GetInternalDiagram()->GetParentDiagram(), innerCopy);
  CDrawList reached;
  Partner(outerCopy, 0)->GetConnections(reached);
  EXPECT_TRUE(reached.Find(PortOf(nestedCopy, 0)));
  EXPECT_EQ(loaded.LoadFailuresDidOccur(), 0);
}

TEST_P(CompositeOnDiagram, ADeletedCompositeBlockComesBackWithItsInnerDiagram) {
  CCompositeBlock* block = PlaceComposite(101, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  CCompositeBlockDiagram* inner = block->GetInternalDiagram();
  CDrawBlock* worker = PlaceInside(block, 101, CPoint(0, 0));
  ASSERT_NE(worker, nullptr);
  CDrawPort* partner = Partner(block, 0);
  doc.ClearUndoStack();
  ASSERT_TRUE(block->Delete());
  EXPECT_TRUE(diagram->DoesTrashInclude(block));
  EXPECT_NE(partner->GetDrawState(), drawStateNormal);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_TRUE(diagram->GetObjects().Find(block));
  EXPECT_EQ(block->GetInternalDiagram(), inner);
  EXPECT_TRUE(inner->GetObjects().Find(worker));
  EXPECT_EQ(Partner(block, 0), partner);
  EXPECT_EQ(partner->GetDrawState(), drawStateNormal);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(diagram->DoesTrashInclude(block));
}

TEST_P(CompositeOnDiagram, CopyingIsRefusedToTheCaller) {
  CCompositeBlock* block = PlaceComposite(101, CPoint(0, 0));
  ASSERT_NE(block, nullptr);
  EXPECT_THROW(block->Clone(), CNotSupportedException);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CompositeOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Upward" : "Downward"; });

}  // namespace
