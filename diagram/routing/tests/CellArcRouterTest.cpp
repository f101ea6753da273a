#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/routing/CellArcRouter.h"
#include "diagram/routing/ProgressDlg.h"
#include "diagram/routing/tests/WirePoints.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/MessageApi.h"

namespace {

using routingtest::PointsOf;
using routingtest::Orthogonal;

using blocktest::BlockDiagram;
using doctest::ScriptedMsgBox;

// The router's protected members, for the tests.
class OpenRouter : public CellArcRouter {
 public:
  using CellArcRouter::CellArcRouter;
  using CellArcRouter::IsOK;
};

// A router whose search runs out of memory.
class FailingRouter : public CellArcRouter {
 public:
  using CArcRouter::Route;
  using CellArcRouter::CellArcRouter;
  int Route(CDrawArc*) override { AfxThrowMemoryException(); }
};

class CellRouterOnDiagram : public BlockDiagram {
 protected:
  void SetUp() override {
    BlockDiagram::SetUp();
    savedOptions = CDiagram::m_autoRouteOption;
    CDiagram::m_autoRouteOption = AutoRouteOption();
  }
  void TearDown() override {
    diagram->SetAutoRouteModeAndMethod(0, 0);
    CDiagram::m_autoRouteOption = savedOptions;
    BlockDiagram::TearDown();
  }
  // Two blocks side by side, one wire from the left block's output to the
  // right block's input, drawn as a slanted straight line.
  CDrawArc* TwoBlocksAndAWire(int dy = 100) {
    left = PlaceBlock(1, CPoint(-300, 0));
    right = PlaceBlock(100, CPoint(0, Down(0, dy)));
    return Wire(PortOf(left, 0), PortOf(right, 0));
  }
  int Undos() const { return doc.GetNumberUndosOnStack(); }

  AutoRouteOption savedOptions;
  CDrawBlock* left = nullptr;
  CDrawBlock* right = nullptr;
};

TEST(CellRouterEstimate, MatchesTheGridSize) {
  EXPECT_EQ(CellArcRouter::MemoryEstimate(101, 81), 16706);
  // Large grids do not wrap.
  EXPECT_GT(CellArcRouter::MemoryEstimate(50000, 50000), 4'000'000'000LL);
}

TEST_P(CellRouterOnDiagram, GridCoversTheCanvasInWholeSteps) {
  const CSize savedPage = CDiagram::m_pageSize;
  CDiagram::m_pageSize = CSize(500, 400);
  ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
  ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
  ASSERT_EQ(diagram->GetSize(), CSize(1000, 800));
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(CDrawList()), 1);
  EXPECT_EQ(router.Columns(), 101);
  EXPECT_EQ(router.Rows(), 81);
  // The grid origin is the canvas corner; a point beyond the top edge or
  // left of the left edge lies outside the grid, not mirrored into it.
  const CRect canvas = diagram->GetRect();
  EXPECT_EQ(router.DocToCell(CPoint(canvas.left, canvas.top)), CPoint(0, 0));
  EXPECT_EQ(router.CellToDoc(CPoint(100, 80)), CPoint(canvas.right, canvas.bottom));
  EXPECT_LT(router.DocToCell(CPoint(canvas.left, upward() ? canvas.top + 50 : canvas.top - 50)).y, 0);
  EXPECT_LT(router.DocToCell(CPoint(canvas.left - 50, canvas.top)).x, 0);
  CDiagram::m_pageSize = savedPage;
  ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
}

TEST_P(CellRouterOnDiagram, RoutesAWireOrthogonallyAsOneUndoStep) {
  CDrawArc* arc = TwoBlocksAndAWire();
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  const int before = Undos();
  CDrawList wires;
  wires += arc;
  EXPECT_EQ(router.Route(wires), 1);
  const std::vector<CPoint> points = PointsOf(arc);
  ASSERT_GE(points.size(), 3u);
  EXPECT_TRUE(Orthogonal(points));
  EXPECT_EQ(points.front(), PortOf(left, 0)->ConnectionPoint());
  EXPECT_EQ(points.back(), PortOf(right, 0)->ConnectionPoint());
  EXPECT_EQ(Undos(), before + 1);
  EXPECT_STREQ(CStringA(doc.GetNextUndoCmdName()).GetString(), "Routing Arcs");
  EXPECT_TRUE(router.GetAddedObjects().Find(arc));
  EXPECT_TRUE(router.SearchFlagsTracked());
}

TEST_P(CellRouterOnDiagram, AStraightCellPathGivesTwoPointsOrABendAtTheMiddle) {
  // Ports in one row of cells: at the same y the wire is the two connection
  // points; 3 units apart it bends at the middle x between them.
  for (int dy : {0, 3}) {
    diagram->DeleteContents();
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    doc.ClearUndoStack();
    CDrawArc* arc = TwoBlocksAndAWire(0);
    ASSERT_TRUE(arc);
    const int offset = PortOf(left, 0)->ConnectionPoint().y - PortOf(right, 0)->ConnectionPoint().y;
    right->MoveBy(CPoint(0, offset + Down(0, dy)), TRUE);
    const CPoint src = PortOf(left, 0)->ConnectionPoint();
    const CPoint dst = PortOf(right, 0)->ConnectionPoint();
    ASSERT_EQ(src.y, Down(dst.y, -dy));
    OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
    ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
    ASSERT_EQ(router.DocToCell(src).y, router.DocToCell(dst).y) << dy;
    CDrawList wires;
    wires += arc;
    const int before = Undos();
    EXPECT_EQ(router.Route(wires), 1);
    // The wire was written anew, not left as it was.
    EXPECT_EQ(Undos(), before + 1) << dy;
    const int middle = (src.x + dst.x) / 2;
    const std::vector<CPoint> expected =
        dy == 0 ? std::vector<CPoint>{src, dst}
                : std::vector<CPoint>{src, CPoint(middle, src.y), CPoint(middle, dst.y), dst};
    EXPECT_EQ(PointsOf(arc), expected) << dy;
  }
}

TEST_P(CellRouterOnDiagram, APassWithoutWiresRecordsNothing) {
  TwoBlocksAndAWire();
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  const int before = Undos();
  CDrawList blocks;
  blocks += left;
  EXPECT_EQ(router.Route(blocks), 1);
  EXPECT_EQ(router.Route(CDrawList()), 1);
  EXPECT_EQ(Undos(), before);
}

TEST_P(CellRouterOnDiagram, AnObjectAddedInABatchIsMarkedWhenTheOutermostBatchEnds) {
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(CDrawList()), 1);
  auto* rect = new CDrawRect(CRect(0, 0, 100, Down(0, 100)));
  ASSERT_TRUE(diagram->Add(rect));
  router.BeginChanges();
  router.BeginChanges();
  router.AddObj(rect);
  router.EndChanges();
  EXPECT_FALSE(router.GetAddedObjects().Find(rect));
  router.EndChanges();
  EXPECT_TRUE(router.GetAddedObjects().Find(rect));
  // Outside a batch at once; the area is blocked in the grid.
  auto* other = new CDrawRect(CRect(300, 0, 400, Down(0, 100)));
  ASSERT_TRUE(diagram->Add(other));
  router.AddObj(other);
  EXPECT_TRUE(router.GetAddedObjects().Find(other));
  const CPoint inside = router.DocToCell(CPoint(350, Down(0, 50)));
  EXPECT_FALSE(router(inside.x, inside.y).Has(CELL::kPassages));
}

TEST_P(CellRouterOnDiagram, ALineBlocksOnlyTheTravelAlongIt) {
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(CDrawList()), 1);
  // The step is 10: lines of less than two steps both ways are rectangles,
  // and the slant test compares the extents with a ratio of 10.
  struct Case {
    const char* name;
    int dx, dy;
    bool horz, vert;  // the passages left in the cell under the line's middle
  } cases[] = {
      {"horizontal", 100, 0, false, true},  {"vertical", 0, 100, true, false},
      {"short", 10, 10, false, false},      {"nearly horizontal", 100, 15, false, true},
      {"slanted", 100, 30, true, true},     {"steeply slanted", 30, 100, true, true},
      {"steep by ratio", 20, 250, true, false}, {"shallow by ratio", 250, 20, false, true},
  };
  int row = 5;
  for (const Case& c : cases) {
    const CPoint from = router.CellToDoc(CPoint(5, row));
    const CPoint to(from.x + c.dx, Down(from.y, c.dy));
    router.MarkLineAsUsed(from, to, CSize(0, 0), 0);
    const CPoint middle = router.DocToCell(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
    EXPECT_EQ(router(middle.x, middle.y).Has(CELL::kHorz), c.horz) << c.name;
    EXPECT_EQ(router(middle.x, middle.y).Has(CELL::kVert), c.vert) << c.name;
    row += 30;
  }
}

TEST_P(CellRouterOnDiagram, FreeingAnAreaRemarksTheOverlappingNeighbour) {
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  auto* a = new CDrawRect(CRect(0, 0, 100, Down(0, 100)));
  auto* b = new CDrawRect(CRect(50, 0, 200, Down(0, 100)));
  ASSERT_TRUE(diagram->Add(a));
  ASSERT_TRUE(diagram->Add(b));
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  router.RemoveObj(a);
  // The shared stretch still belongs to b.
  const CPoint shared = router.DocToCell(CPoint(80, Down(0, 50)));
  EXPECT_FALSE(router(shared.x, shared.y).Has(CELL::kPassages));
  const CPoint freed = router.DocToCell(CPoint(20, Down(0, 50)));
  EXPECT_TRUE(router(freed.x, freed.y).Has(CELL::kPassages));
}

TEST_P(CellRouterOnDiagram, ResizeRebuildsTheGridKeepingTheObstaclesAndWhatIsQueued) {
  CDrawArc* arc = TwoBlocksAndAWire();
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  const int columns = router.Columns();
  auto* rect = new CDrawRect(CRect(0, Down(0, 300), 100, Down(0, 400)));
  ASSERT_TRUE(diagram->Add(rect));
  router.BeginChanges();
  router.AddObj(rect);
  ASSERT_TRUE(diagram->SetCanvasSize(3, 3));
  ASSERT_EQ(router.Resize(), 1);
  EXPECT_GT(router.Columns(), columns);
  EXPECT_TRUE(router.GetAddedObjects().Find(left));
  EXPECT_TRUE(router.GetAddedObjects().Find(arc));
  const CPoint inBlock = router.DocToCell(left->GetPosition().CenterPoint());
  EXPECT_FALSE(router(inBlock.x, inBlock.y).Has(CELL::kPassages));
  // The queued rectangle is still marked when the batch ends.
  EXPECT_FALSE(router.GetAddedObjects().Find(rect));
  router.EndChanges();
  EXPECT_TRUE(router.GetAddedObjects().Find(rect));
  const CPoint inRect = router.DocToCell(CPoint(50, Down(0, 350)));
  EXPECT_FALSE(router(inRect.x, inRect.y).Has(CELL::kPassages));
  ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
}

TEST_P(CellRouterOnDiagram, TakesPartTable) {
  CDrawArc* arc = TwoBlocksAndAWire();
  auto* loose = new CDrawArc;
  auto* freeText = new CDrawText(CRect(0, 0, 40, Down(0, 20)));
  auto* rect = new CDrawRect(CRect(0, 0, 40, Down(0, 20)));
  CDrawText* ownedText = PortOf(left, 0)->GetLabel();
  CDrawGroup group;
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  struct Row {
    const char* name;
    CDrawObj* object;
    int all;
    int justBlocks;
  };
  const Row rows[] = {
      {"group", &group, 0, 0},         {"incomplete wire", loose, 0, 0}, {"complete wire", arc, 1, 1},
      {"free text", freeText, 1, 0},   {"rectangle", rect, 1, 0},        {"block", left, 1, 1},
      {"port", PortOf(left, 0), 1, 1},
  };
  for (const Row& row : rows) {
    CDiagram::m_autoRouteOption.m_bRouteJustBlocks = 0;
    EXPECT_EQ(router.IsOK(row.object), row.all) << row.name;
    CDiagram::m_autoRouteOption.m_bRouteJustBlocks = 1;
    EXPECT_EQ(router.IsOK(row.object), row.justBlocks) << row.name;
  }
  if (ownedText) {
    EXPECT_EQ(router.IsOK(ownedText), 1);
  }
  delete loose;
  delete freeText;
  delete rect;
}

TEST_P(CellRouterOnDiagram, AFailingPassGivesBackEverythingItOpened) {
  CDrawArc* arc = TwoBlocksAndAWire();
  FailingRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  router.SetDynamic(1);
  CDrawList wires;
  wires += arc;
  EXPECT_THROW(router.Route(wires), CMemoryException);
  EXPECT_EQ(router.IsDynamic(), 1);
  EXPECT_EQ(router.IsDoingDynamicRouteChanges(), 0);
  EXPECT_EQ(doc.GetCurrentURList(), nullptr);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
}

TEST_P(CellRouterOnDiagram, ARefusedRecordingEndsThePassWithNothingChanged) {
  CDrawArc* arc = TwoBlocksAndAWire();
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  router.SetDynamic(1);
  const std::vector<CPoint> before = PointsOf(arc);
  const int undos = Undos();
  CDrawList wires;
  wires += arc;
  CDrawDoc::MemoryProbe saved = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  ScriptedMsgBox box({FALSE});
  EXPECT_EQ(router.Route(wires), 0);
  CMsgBox::Remove(&box);
  CDrawDoc::SetUndoMemoryProbe(saved);
  EXPECT_EQ(box.asked, (std::vector<ULONG>{4}));
  EXPECT_EQ(PointsOf(arc), before);
  // The wire is still an obstacle of the model, and the router as it was.
  EXPECT_TRUE(router.GetAddedObjects().Find(arc));
  EXPECT_EQ(router.IsDynamic(), 1);
  EXPECT_EQ(router.IsDoingDynamicRouteChanges(), 0);
  EXPECT_EQ(Undos(), undos);
  EXPECT_EQ(doc.GetCurrentURList(), nullptr);
}

TEST_P(CellRouterOnDiagram, APassLaysWhatItCanAndLeavesTheRestAsTheyWere) {
  CDrawArc* routable = TwoBlocksAndAWire();
  // A destination beyond the canvas lies outside the grid: no way is found.
  const CRect canvas = diagram->GetRect();
  CDrawBlock* source = PlaceBlock(1, CPoint(-300, Down(0, 400)));
  CDrawBlock* beyond = PlaceBlock(100, CPoint(canvas.right + 400, Down(0, 400)));
  CDrawArc* unroutable = Wire(PortOf(source, 0), PortOf(beyond, 0));
  ASSERT_TRUE(routable && unroutable);
  auto* incomplete = new CDrawArc;
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  ASSERT_FALSE(router.Contains(router.DocToCell(PortOf(beyond, 0)->ConnectionPoint())));
  const std::vector<CPoint> unroutableBefore = PointsOf(unroutable);
  const int undos = Undos();
  CDrawList wires;
  wires += unroutable;
  wires += incomplete;
  wires += routable;
  ScriptedMsgBox box;
  EXPECT_EQ(router.Route(wires), 1);
  CMsgBox::Remove(&box);
  // Nothing is reported.
  EXPECT_TRUE(box.notified.empty());
  EXPECT_TRUE(box.asked.empty());
  // The failed wire keeps its shape and stays an obstacle; the pass goes on.
  EXPECT_EQ(PointsOf(unroutable), unroutableBefore);
  EXPECT_TRUE(router.GetAddedObjects().Find(unroutable));
  // An incomplete wire is neither routed nor an obstacle.
  EXPECT_EQ(incomplete->GetHandleCount(), 0);
  EXPECT_FALSE(router.GetAddedObjects().Find(incomplete));
  const std::vector<CPoint> points = PointsOf(routable);
  EXPECT_GE(points.size(), 3u);
  EXPECT_TRUE(Orthogonal(points));
  EXPECT_EQ(Undos(), undos + 1);
  delete incomplete;
}

// A diagram that keeps the progress dialog of its last routing pass.
class KeptDialogDiagram : public CDiagram {
 public:
  CProgressDlg* GetArcRoutingProgressDlg(int count) override {
    dialog = CDiagram::GetArcRoutingProgressDlg(count);
    return dialog;
  }
  CProgressDlg* dialog = nullptr;
};

// A cell router whose user presses Cancel after it has laid `pressAfter`
// wires; it counts the wires it was asked to lay.
class CancelledRouter : public CellArcRouter {
 public:
  using CArcRouter::Route;
  CancelledRouter(KeptDialogDiagram* diagram, int pressAfter)
      : CellArcRouter(diagram, &CDiagram::m_autoRouteOption), kept(diagram), pressAfter(pressAfter) {}
  int Route(CDrawArc* arc) override {
    const int result = CellArcRouter::Route(arc);
    if (++asked == pressAfter && kept->dialog)
      ::PostMessage(kept->dialog->GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    return result;
  }
  KeptDialogDiagram* kept;
  int pressAfter;
  int asked = 0;
};

TEST_P(CellRouterOnDiagram, CancellingAPassNeedsTheConfirmation) {
  if (!upward()) GTEST_SKIP() << "one direction is enough";
  const BOOL savedCancel = CDiagram::m_bCanArcRoutingBeCancelled;
  CDiagram::m_bCanArcRoutingBeCancelled = TRUE;
  struct Case {
    int answer;
    int laid;
  } cases[] = {{FALSE, 10}, {TRUE, 3}};
  for (const Case& c : cases) {
    KeptDialogDiagram kept;
    kept.SetDocument(&doc);
    ASSERT_TRUE(kept.SetCanvasSize(2, 2));
    auto place = [&](UINT code, CPoint at) {
      auto* block = new CDrawBlock;
      EXPECT_TRUE(block->InitializeAs(code, at, &view) && block->AddBlockAndComponentsToDiagram(&kept));
      return block;
    };
    CDrawBlock* sources = place(10, CPoint(-400, 0));
    CDrawBlock* sinks = place(1000, CPoint(0, -300));
    CDrawList wires;
    for (int i = 0; i < 10; ++i) {
      auto* arc = new CDrawArc;
      ASSERT_TRUE(arc->Initialize(PortOf(sources, i), PortOf(sinks, i), TRUE) && kept.Add(arc)) << i;
      wires += arc;
    }
    std::vector<std::vector<CPoint>> shapes;
    for (POSITION pos = wires.GetHeadPosition(); pos;) shapes.push_back(PointsOf(static_cast<CDrawArc*>(wires.GetNext(pos))));
    CancelledRouter router(&kept, 3);
    ASSERT_EQ(router.Init(kept.GetObjects()), 1);
    ScriptedMsgBox box({c.answer});
    EXPECT_EQ(router.Route(wires), 1);
    CMsgBox::Remove(&box);
    EXPECT_EQ(box.asked, (std::vector<ULONG>{1})) << c.answer;
    EXPECT_EQ(router.asked, c.laid) << c.answer;
    // Every wire of the list, laid or not, is still part of the model; the
    // wires not reached keep their shapes.
    int index = 0;
    for (POSITION pos = wires.GetHeadPosition(); pos; ++index) {
      auto* arc = static_cast<CDrawArc*>(wires.GetNext(pos));
      EXPECT_TRUE(router.GetAddedObjects().Find(arc)) << c.answer << " wire " << index;
      if (index >= c.laid) {
        EXPECT_EQ(PointsOf(arc), shapes[static_cast<size_t>(index)]) << index;
      }
    }
    EXPECT_EQ(doc.GetCurrentURList(), nullptr);
    doc.ClearUndoStack();
    kept.DeleteContents();
  }
  CDiagram::m_bCanArcRoutingBeCancelled = savedCancel;
}

struct RouteWhatCase {
  int routeWhat;
  BOOL arcs, nodes, blocks;
  int select;  // 0 nothing, 1 the first wire, 2 the second wire's input port, 3 the first wire's source block
  bool firstRouted, secondRouted;
};

TEST_P(CellRouterOnDiagram, RouteArcsChoosesTheWiresByRouteWhatAndTheSelection) {
  const RouteWhatCase cases[] = {
      {0, FALSE, FALSE, FALSE, 0, true, true},   {1, TRUE, FALSE, FALSE, 1, true, false},
      {1, FALSE, TRUE, FALSE, 2, false, true},   {1, FALSE, FALSE, TRUE, 3, true, false},
      {2, TRUE, FALSE, FALSE, 1, false, true},   {7, TRUE, TRUE, TRUE, 1, false, false},
      {1, FALSE, FALSE, FALSE, 1, false, false}, {1, TRUE, FALSE, FALSE, 0, false, false},
  };
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  const int savedWhat = CDiagram::m_nRouteWhat;
  const BOOL savedArcs = CDiagram::m_bSelectedArcs;
  const BOOL savedNodes = CDiagram::m_bSelectedNodes;
  const BOOL savedBlocks = CDiagram::m_bSelectedBlocks;
  CDiagram::m_nManualRouteMethod = 1;
  for (const RouteWhatCase& c : cases) {
    diagram->DeleteContents();
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    doc.ClearUndoStack();
    CDrawArc* first = TwoBlocksAndAWire();
    CDrawBlock* a = PlaceBlock(1, CPoint(-300, Down(0, 400)));
    CDrawBlock* b = PlaceBlock(100, CPoint(0, Down(0, 500)));
    CDrawArc* second = Wire(PortOf(a, 0), PortOf(b, 0));
    ASSERT_TRUE(first && second);
    CDrawList selection;
    if (c.select == 1) selection += first;
    if (c.select == 2) selection += PortOf(b, 0);
    if (c.select == 3) selection += left;
    CDiagram::m_nRouteWhat = c.routeWhat;
    CDiagram::m_bSelectedArcs = c.arcs;
    CDiagram::m_bSelectedNodes = c.nodes;
    CDiagram::m_bSelectedBlocks = c.blocks;
    EXPECT_EQ(diagram->RouteArcs(selection, 0), 1);
    const int line = static_cast<int>(&c - cases);
    EXPECT_EQ(PointsOf(first).size() > 2, c.firstRouted) << "case " << line;
    EXPECT_EQ(PointsOf(second).size() > 2, c.secondRouted) << "case " << line;
    EXPECT_EQ(doc.GetUndoLevel(), 0u) << "case " << line;
    EXPECT_EQ(doc.GetCurrentURList(), nullptr) << "case " << line;

  }
  CDiagram::m_nManualRouteMethod = savedMethod;
  CDiagram::m_nRouteWhat = savedWhat;
  CDiagram::m_bSelectedArcs = savedArcs;
  CDiagram::m_bSelectedNodes = savedNodes;
  CDiagram::m_bSelectedBlocks = savedBlocks;
}

// A diagram whose routers run out of memory in their search.
class FailingDiagram : public CDiagram {
 public:
  CArcRouter* GetNewArcRouter(UINT method) override {
    return method == 1 ? new FailingRouter(this, &m_autoRouteOption) : nullptr;
  }
};

TEST_P(CellRouterOnDiagram, RouteArcsReportsAPassThatRanOutOfMemoryAndClosesItsRecording) {
  if (!upward()) GTEST_SKIP() << "one direction is enough";
  FailingDiagram failing;
  failing.SetDocument(&doc);
  ASSERT_TRUE(failing.SetCanvasSize(2, 2));
  auto place = [&](UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    EXPECT_TRUE(block->InitializeAs(code, at, &view) && block->AddBlockAndComponentsToDiagram(&failing));
    return block;
  };
  CDrawBlock* a = place(1, CPoint(-300, 0));
  CDrawBlock* b = place(100, CPoint(0, -100));
  auto* arc = new CDrawArc;
  ASSERT_TRUE(arc->Initialize(PortOf(a, 0), PortOf(b, 0), TRUE) && failing.Add(arc));
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  const int savedWhat = CDiagram::m_nRouteWhat;
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  {
    ScriptedMsgBox box;
    EXPECT_EQ(failing.RouteArcs(CDrawList(), 0), 1);
    EXPECT_EQ(box.notified, (std::vector<ULONG>{23}));
    CMsgBox::Remove(&box);
  }
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetCurrentURList(), nullptr);
  // Later edits record on their own again.
  const int before = Undos();
  auto* rect = new CDrawRect(CRect(0, 0, 40, -40));
  ASSERT_TRUE(failing.Add(rect));
  EXPECT_EQ(Undos(), before + 1);
  CDiagram::m_nManualRouteMethod = savedMethod;
  CDiagram::m_nRouteWhat = savedWhat;
  doc.ClearUndoStack();
  failing.DeleteContents();
}

TEST_P(CellRouterOnDiagram, ADeclinedMemoryQuestionLeavesNoRouter) {
  const CSize savedPage = CDiagram::m_pageSize;
  CDiagram::m_pageSize = CSize(20000, 20000);
  ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
  ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
  CDiagram::m_autoRouteOption.m_nMinDistance = 2;
  {
    ScriptedMsgBox box({FALSE});
    diagram->SetAutoRouteModeAndMethod(2, 1);
    EXPECT_EQ(box.asked, (std::vector<ULONG>{3}));
    EXPECT_EQ(box.notified, (std::vector<ULONG>{7, 22}));
    EXPECT_EQ(diagram->GetAutoRouteMode(), 0u);
    CMsgBox::Remove(&box);
  }
  CDiagram::m_pageSize = savedPage;
  ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
}

TEST_P(CellRouterOnDiagram, LiveRouterIsKeptForItsMethodAndDynamicFollowsTheMode) {
  TwoBlocksAndAWire();
  diagram->SetAutoRouteModeAndMethod(1, 1);
  EXPECT_EQ(diagram->GetAutoRouteMode(), 1u);
  EXPECT_EQ(diagram->GetAutoRouteMethod(), 1u);
  diagram->SetAutoRouteModeAndMethod(2, 1);
  EXPECT_EQ(diagram->GetAutoRouteMode(), 2u);
  diagram->SetAutoRouteModeAndMethod(0, 0);
  EXPECT_EQ(diagram->GetAutoRouteMode(), 0u);
  EXPECT_EQ(diagram->GetAutoRouteMethod(), 0u);
}

TEST_P(CellRouterOnDiagram, ADynamicRouterReroutesTheWireAMoveDisturbed) {
  CDrawArc* arc = TwoBlocksAndAWire();
  diagram->SetAutoRouteModeAndMethod(2, 1);
  ASSERT_EQ(diagram->GetAutoRouteMode(), 2u);
  CDrawList wires;
  wires += arc;
  ASSERT_EQ(diagram->RouteArcs(wires, 1), 1);
  ASSERT_TRUE(Orthogonal(PointsOf(arc)));
  const int before = Undos();

  ASSERT_TRUE(doc.BeginUndoRecording(u"Move", 255));
  diagram->BeginDynamicRouteChanges();
  right->MoveBy(CPoint(0, Down(0, 150)), TRUE);
  diagram->EndDynamicRouteChanges();
  doc.EndUndoRecording();

  EXPECT_EQ(Undos(), before + 1);
  EXPECT_STREQ(CStringA(doc.GetNextUndoCmdName()).GetString(), "Move");
  std::vector<CPoint> points = PointsOf(arc);
  EXPECT_TRUE(Orthogonal(points));
  EXPECT_EQ(points.back(), PortOf(right, 0)->ConnectionPoint());

  // Undoing it puts the wire's routed shape back without a new pass: the
  // router collects nothing while the document replays.
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_TRUE(Orthogonal(PointsOf(arc)));
  EXPECT_EQ(doc.GetNumberRedosOnStack(), 1);
}

// A point added to a polygon, or taken from it, and what the dynamic router
// lays again around its new outline are one undo step.
TEST_P(CellRouterOnDiagram, APolygonPointAndTheWireItDisturbedAreOneStep) {
  CDrawArc* arc = TwoBlocksAndAWire();
  auto* poly = new CDrawPoly;
  ASSERT_TRUE(diagram->Add(poly));
  for (const CPoint& p : {CPoint(-110, Down(0, 350)), CPoint(-100, Down(0, 350)), CPoint(-100, Down(0, 300))})
    ASSERT_TRUE(poly->InsertPoint(poly->GetHandleCount(), p, nullptr));
  diagram->SetAutoRouteModeAndMethod(2, 1);
  CDrawList wires;
  wires += arc;
  ASSERT_EQ(diagram->RouteArcs(wires, 1), 1);
  const std::vector<BYTE> before = doctest::StoreDocument(doc);
  const int undos = Undos();

  // A wall across the wire's way: the router lays the wire again.
  ASSERT_TRUE(poly->InsertPoint(3, CPoint(-100, Down(0, -60)), nullptr));
  EXPECT_EQ(Undos(), undos + 1);
  const std::vector<BYTE> inserted = doctest::StoreDocument(doc);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), before);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), inserted);

  ASSERT_TRUE(poly->RemovePoint(3, nullptr));
  EXPECT_EQ(Undos(), undos + 2);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(doctest::StoreDocument(doc), inserted);
}

// A cell router that notes every object queued to it and whether it was
// routing then.
class QueueWatchingRouter : public CellArcRouter {
 public:
  using CArcRouter::AddObj;
  using CellArcRouter::CellArcRouter;
  void AddObj(CDrawObj* object) override {
    queued.emplace_back(object, m_bRouting != 0);
    CellArcRouter::AddObj(object);
  }
  std::vector<std::pair<CDrawObj*, bool>> queued;
};

// A diagram whose live cell router is a queue-watching one.
class WatchedDiagram : public CDiagram {
 public:
  CArcRouter* GetNewArcRouter(UINT method) override {
    if (method != 1) return nullptr;
    watching = new QueueWatchingRouter(this, &m_autoRouteOption);
    return watching;
  }
  QueueWatchingRouter* watching = nullptr;
};

TEST_P(CellRouterOnDiagram, ThePassDoesNotQueueTheWiresItRewrites) {
  if (!upward()) GTEST_SKIP() << "one direction is enough";
  WatchedDiagram watched;
  watched.SetDocument(&doc);
  ASSERT_TRUE(watched.SetCanvasSize(2, 2));
  auto place = [&](UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    EXPECT_TRUE(block->InitializeAs(code, at, &view) && block->AddBlockAndComponentsToDiagram(&watched));
    return block;
  };
  CDrawBlock* a = place(1, CPoint(-300, 0));
  CDrawBlock* b = place(100, CPoint(0, -100));
  auto* arc = new CDrawArc;
  ASSERT_TRUE(arc->Initialize(PortOf(a, 0), PortOf(b, 0), TRUE) && watched.Add(arc));
  watched.SetAutoRouteModeAndMethod(2, 1);
  ASSERT_NE(watched.watching, nullptr);
  QueueWatchingRouter& router = *watched.watching;
  CDrawList wires;
  wires += arc;
  ASSERT_EQ(watched.RouteArcs(wires, 1), 1);
  EXPECT_GT(PointsOf(arc).size(), 2u);
  for (const auto& entry : router.queued) EXPECT_FALSE(entry.second);
  EXPECT_TRUE(router.GetAddedObjects().Find(arc));
  // Outside a pass a change of the wire reaches the router.
  router.queued.clear();
  watched.UpdateObject(arc, 1);
  EXPECT_EQ(router.queued, (std::vector<std::pair<CDrawObj*, bool>>{{arc, false}}));
  watched.SetAutoRouteModeAndMethod(0, 0);
  doc.ClearUndoStack();
  watched.DeleteContents();
}

TEST_P(CellRouterOnDiagram, APassOfTenWiresShowsTheProgressDialog) {
  EXPECT_EQ(diagram->GetArcRoutingProgressDlg(9), nullptr);
  std::unique_ptr<CProgressDlg> dialog(diagram->GetArcRoutingProgressDlg(10));
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->GetSafeHwnd() != nullptr);
  dialog->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CellRouterOnDiagram, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Upward") : std::string("Downward");
                         });

}  // namespace
