// The diagram's side of a routing run: which wires a run hands to which
// router, the recording it opens, and what happens when a router cannot be
// made ready. The routers here only note what they are given.
#include <gtest/gtest.h>

#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/ArcRouter.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/document/MsgBox.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/DocumentView.h"
#include "platform/core/Exceptions.h"

namespace {

// How a router answers Init.
enum class Ready { yes, no, throws };

// A router that notes every pass: the wires, and the state of the live
// router beside it while the pass runs.
class NotingRouter : public CArcRouter {
 public:
  NotingRouter(CDiagram* diagram, UINT method, Ready ready)
      : CArcRouter(diagram, &CDiagram::m_autoRouteOption), method(method), ready(ready) {}
  int Init(const CDrawList& objects) override {
    ++inits;
    obstacles = objects;
    if (ready == Ready::throws) AfxThrowMemoryException();
    return ready == Ready::yes ? 1 : 0;
  }
  void Clear() override { ++clears; }
  int Route(const CDrawList& objects) override;
  using CArcRouter::AddObj;
  void AddObj(CDrawObj* object) override {
    if (addsFail) AfxThrowMemoryException();
    CArcRouter::AddObj(object);
  }

  UINT method;
  Ready ready;
  // A pass that fails with an error other than memory.
  bool failsInPass = false;
  // Hearing of a new object runs out of memory.
  bool addsFail = false;
  int inits = 0;
  int clears = 0;
  CDrawList obstacles;
};

// A diagram whose routers are noting routers; the method of the live one
// is the method it was made for.
class NotingDiagram : public CDiagram {
 public:
  CArcRouter* GetNewArcRouter(UINT method) override {
    if (method < 1 || method > 3) return nullptr;
    ++made;
    auto* router = new NotingRouter(this, method, readiness);
    router->failsInPass = passesFail;
    return router;
  }
  UINT GetAutoRouteMethod() const override {
    const auto* live = static_cast<const NotingRouter*>(m_pRouter);
    return live ? live->method : 0;
  }
  NotingRouter* Live() const { return static_cast<NotingRouter*>(m_pRouter); }

  Ready readiness = Ready::yes;
  bool passesFail = false;
  int made = 0;
  // Each pass: the router that ran it, its wires, and whether the live
  // router was dynamic and inside a change batch while it ran.
  struct Pass {
    NotingRouter* router;
    std::vector<CDrawObj*> wires;
    bool liveDynamic;
    bool liveInBatch;
  };
  std::vector<Pass> passes;
};

int NotingRouter::Route(const CDrawList& objects) {
  auto* diagram = static_cast<NotingDiagram*>(GetDiagram());
  NotingDiagram::Pass pass{this, {}, false, false};
  for (POSITION pos = objects.GetHeadPosition(); pos;) pass.wires.push_back(objects.GetNext(pos));
  if (NotingRouter* live = diagram->Live()) {
    pass.liveDynamic = live->IsDynamic() != 0;
    pass.liveInBatch = live->IsDoingDynamicRouteChanges() != 0;
  }
  diagram->passes.push_back(pass);
  if (failsInPass) AfxThrowInvalidArgException();
  return 1;
}

// A document that notes the names of the recordings it opens at depth 0.
class NamingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    if (GetUndoLevel() == 0) opened.push_back(CStringW(name));
    return CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  std::vector<CStringW> opened;
};

// The class-wide routing choices, restored after each test.
struct SavedRoutingChoices {
  UINT manual = CDiagram::m_nManualRouteMethod;
  int what = CDiagram::m_nRouteWhat;
  BOOL arcs = CDiagram::m_bSelectedArcs;
  BOOL nodes = CDiagram::m_bSelectedNodes;
  BOOL blocks = CDiagram::m_bSelectedBlocks;
  ~SavedRoutingChoices() {
    CDiagram::m_nManualRouteMethod = manual;
    CDiagram::m_nRouteWhat = what;
    CDiagram::m_bSelectedArcs = arcs;
    CDiagram::m_bSelectedNodes = nodes;
    CDiagram::m_bSelectedBlocks = blocks;
  }
};

// Three blocks: a -> b by `ab`, b -> c by `bc`.
class RoutingDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkDiagramLibrary();
    doc.SetActiveDiagram(&diagram);
    ASSERT_NO_FATAL_FAILURE(ShowDiagram(doc, &diagram, view, 2));
    a = Place(1, CPoint(-300, 0));
    b = Place(101, CPoint(0, 0));
    c = Place(100, CPoint(300, 0));
    ab = Join(PortOf(a, 0), PortOf(b, 0));
    bc = Join(PortOf(b, 1), PortOf(c, 0));
    doc.ClearUndoStack();
    doc.opened.clear();
  }
  void TearDown() override {
    diagram.SetAutoRouteModeAndMethod(0, 0);
    doc.ClearUndoStack();
    doc.ClearRedoStack();
    view.DestroyWindow();
    diagram.DeleteContents();
    doc.SetActiveDiagram(doc.GetDiagram());
  }
  CDrawBlock* Place(UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    if (!block->InitializeAs(code, at, &view) || !block->AddBlockAndComponentsToDiagram(&diagram)) {
      ADD_FAILURE() << "block not placed";
      delete block;
      return nullptr;
    }
    return block;
  }
  static CDrawPort* PortOf(CDrawBlock* block, int index) {
    POSITION pos = block ? block->GetPorts().FindIndex(index) : nullptr;
    return pos ? static_cast<CDrawPort*>(block->GetPorts().GetAt(pos)) : nullptr;
  }
  CDrawArc* Join(CDrawPort* src, CDrawPort* dst) {
    auto* arc = new CDrawArc;
    if (!src || !dst || !arc->Initialize(src, dst, TRUE) || !diagram.Add(arc)) {
      ADD_FAILURE() << "wire not made";
      delete arc;
      return nullptr;
    }
    return arc;
  }

  SavedRoutingChoices saved;
  NamingDoc doc;
  NotingDiagram diagram;
  CDrawView view;
  CDrawBlock* a = nullptr;
  CDrawBlock* b = nullptr;
  CDrawBlock* c = nullptr;
  CDrawArc* ab = nullptr;
  CDrawArc* bc = nullptr;
};

TEST_F(RoutingDriver, TheWiresOfARunFollowRouteWhatAndTheSelection) {
  ASSERT_TRUE(ab && bc);
  struct Case {
    int what;
    BOOL arcs, nodes, blocks;
    std::vector<CDrawObj*> selection;
    std::vector<CDrawObj*> routed;
  };
  const std::vector<Case> cases = {
      {0, FALSE, FALSE, FALSE, {}, {ab, bc}},
      // Nothing chosen: an empty pass, still one recording.
      {1, TRUE, TRUE, TRUE, {}, {}},
      {1, TRUE, FALSE, FALSE, {bc, a}, {bc}},
      // A selected block brings the wires at its ports.
      {1, FALSE, FALSE, TRUE, {a}, {ab}},
      {1, FALSE, FALSE, TRUE, {b}, {ab, bc}},
      {1, FALSE, TRUE, FALSE, {PortOf(c, 0)}, {bc}},
      {2, TRUE, FALSE, FALSE, {ab}, {bc}},
      {2, TRUE, FALSE, FALSE, {ab, bc}, {}},
  };
  CDiagram::m_nManualRouteMethod = 1;
  for (const Case& k : cases) {
    const int line = static_cast<int>(&k - cases.data());
    diagram.passes.clear();
    doc.opened.clear();
    CDiagram::m_nRouteWhat = k.what;
    CDiagram::m_bSelectedArcs = k.arcs;
    CDiagram::m_bSelectedNodes = k.nodes;
    CDiagram::m_bSelectedBlocks = k.blocks;
    CDrawList selection;
    for (CDrawObj* object : k.selection) selection += object;
    EXPECT_EQ(diagram.RouteArcs(selection, 0), 1) << "case " << line;
    ASSERT_EQ(diagram.passes.size(), 1u) << "case " << line;
    EXPECT_EQ(diagram.passes[0].wires, k.routed) << "case " << line;
    EXPECT_EQ(doc.opened, std::vector<CStringW>{CStringW(u"Arc Routing")}) << "case " << line;
    EXPECT_EQ(doc.GetUndoLevel(), 0u) << "case " << line;
  }
  // Any other choice routes nothing and records nothing.
  diagram.passes.clear();
  doc.opened.clear();
  CDiagram::m_nRouteWhat = 3;
  EXPECT_EQ(diagram.RouteArcs(CDrawList(), 0), 1);
  EXPECT_TRUE(diagram.passes.empty());
  EXPECT_TRUE(doc.opened.empty());
}

TEST_F(RoutingDriver, ATemporaryRouterRunsWithTheLiveOneHeldStill) {
  diagram.SetAutoRouteModeAndMethod(2, 2);
  NotingRouter* live = diagram.Live();
  ASSERT_NE(live, nullptr);
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  ASSERT_EQ(diagram.RouteArcs(CDrawList(), 0), 1);
  ASSERT_EQ(diagram.passes.size(), 1u);
  EXPECT_NE(diagram.passes[0].router, live);
  EXPECT_FALSE(diagram.passes[0].liveDynamic);
  EXPECT_TRUE(diagram.passes[0].liveInBatch);
  // Afterwards the live router is as it was.
  EXPECT_EQ(diagram.Live(), live);
  EXPECT_TRUE(live->IsDynamic());
  EXPECT_FALSE(live->IsDoingDynamicRouteChanges());
}

TEST_F(RoutingDriver, TheLiveRouterRoutingEverythingIsBuiltAgainWithoutTheWires) {
  diagram.SetAutoRouteModeAndMethod(1, 1);
  NotingRouter* live = diagram.Live();
  ASSERT_NE(live, nullptr);
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  ASSERT_EQ(diagram.RouteArcs(CDrawList(), 0), 1);
  ASSERT_EQ(diagram.passes.size(), 1u);
  EXPECT_EQ(diagram.passes[0].router, live);
  EXPECT_EQ(live->clears, 1);
  EXPECT_EQ(live->inits, 2);
  EXPECT_FALSE(live->obstacles.Find(ab));
  EXPECT_FALSE(live->obstacles.Find(bc));
  EXPECT_TRUE(live->obstacles.Find(a));
}

TEST_F(RoutingDriver, ChoosingTheSameMethodAgainKeepsTheLiveRouter) {
  diagram.SetAutoRouteModeAndMethod(1, 3);
  NotingRouter* live = diagram.Live();
  ASSERT_NE(live, nullptr);
  diagram.SetAutoRouteModeAndMethod(2, 3);
  EXPECT_EQ(diagram.Live(), live);
  EXPECT_EQ(diagram.GetAutoRouteMode(), 2u);
  EXPECT_EQ(diagram.made, 1);
}

// A router that cannot be made ready, whether it says so or throws, is
// dropped: the run tells the user there is no router and ends as usual.
TEST_F(RoutingDriver, ARouterThatCannotBeMadeReadyEndsTheRunWithNotify22) {
  struct Case {
    Ready ready;
    bool live;  // the live router does the work (else a temporary one)
  };
  const Case cases[] = {{Ready::no, false}, {Ready::throws, false}, {Ready::no, true}, {Ready::throws, true}};
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  for (const Case& k : cases) {
    const int line = static_cast<int>(&k - cases);
    diagram.readiness = Ready::yes;
    diagram.SetAutoRouteModeAndMethod(1, k.live ? 1 : 2);
    ASSERT_NE(diagram.Live(), nullptr) << "case " << line;
    diagram.readiness = k.ready;
    diagram.Live()->ready = k.ready;
    diagram.passes.clear();
    doctest::ScriptedMsgBox box;
    int result = -1;
    EXPECT_NO_THROW(result = diagram.RouteArcs(CDrawList(), 0)) << "case " << line;
    CMsgBox::Remove(&box);
    EXPECT_EQ(result, 1) << "case " << line;
    EXPECT_EQ(box.notified, std::vector<ULONG>{22}) << "case " << line;
    EXPECT_TRUE(diagram.passes.empty()) << "case " << line;
    EXPECT_EQ(doc.GetUndoLevel(), 0u) << "case " << line;
    // A live router that could not be built again is gone; one beside a
    // temporary router stays.
    EXPECT_EQ(diagram.Live() != nullptr, !k.live) << "case " << line;
    diagram.SetAutoRouteModeAndMethod(0, 0);
  }
}

TEST_F(RoutingDriver, StartingARouterThatThrowsLeavesNoneAndTellsTheUser) {
  diagram.readiness = Ready::throws;
  doctest::ScriptedMsgBox box;
  EXPECT_NO_THROW(diagram.SetAutoRouteModeAndMethod(2, 1));
  CMsgBox::Remove(&box);
  EXPECT_EQ(box.notified, std::vector<ULONG>{22});
  EXPECT_EQ(diagram.Live(), nullptr);
  EXPECT_EQ(diagram.GetAutoRouteMode(), 0u);
}

// A pass that fails with another error passes it on, with the run's
// recording closed and the live router as it was, so that later commands
// record on their own.
TEST_F(RoutingDriver, APassThatFailsOtherwiseClosesWhatTheRunOpened) {
  diagram.SetAutoRouteModeAndMethod(2, 2);
  NotingRouter* live = diagram.Live();
  ASSERT_NE(live, nullptr);
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  diagram.passesFail = true;
  EXPECT_THROW(diagram.RouteArcs(CDrawList(), 0), CInvalidArgException);
  ASSERT_EQ(diagram.passes.size(), 1u);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetCurrentURList(), nullptr);
  EXPECT_EQ(diagram.Live(), live);
  EXPECT_TRUE(live->IsDynamic());
  EXPECT_FALSE(live->IsDoingDynamicRouteChanges());

  // The live router's own pass fails the same way.
  live->failsInPass = true;
  CDiagram::m_nManualRouteMethod = 2;
  CDiagram::m_nRouteWhat = 1;
  CDrawList wires;
  wires += ab;
  EXPECT_THROW(diagram.RouteArcs(wires, 0), CInvalidArgException);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);

  const int before = doc.GetNumberUndosOnStack();
  ASSERT_TRUE(a->SetLineColor(RGB(1, 2, 3)));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), before + 1);
}

// An add that fails after its recording opened closes the recording, so
// that the next command is undone on its own.
TEST_F(RoutingDriver, AnAddThatTheRouterCannotTakeClosesItsRecording) {
  diagram.SetAutoRouteModeAndMethod(1, 1);
  ASSERT_NE(diagram.Live(), nullptr);
  diagram.Live()->addsFail = true;
  auto* box = new CDrawObj(CRect(0, 400, 40, 360));
  EXPECT_THROW(diagram.Add(box), CMemoryException);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetCurrentURList(), nullptr);
  // The object is on the canvas, and undoing the add takes it off.
  ASSERT_TRUE(diagram.GetObjects().Find(box));
  diagram.Live()->addsFail = false;
  const int before = doc.GetNumberUndosOnStack();
  ASSERT_TRUE(a->SetLineColor(RGB(1, 2, 3)));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), before + 1);
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_FALSE(diagram.GetObjects().Find(box));
}

TEST_F(RoutingDriver, ARefusedRecordingEndsTheRunBeforeAnything) {
  CDiagram::m_nManualRouteMethod = 1;
  CDiagram::m_nRouteWhat = 0;
  CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  doctest::ScriptedMsgBox box;
  EXPECT_EQ(diagram.RouteArcs(CDrawList(), 0), 0);
  CMsgBox::Remove(&box);
  CDrawDoc::SetUndoMemoryProbe(nullptr);
  EXPECT_EQ(box.asked, std::vector<ULONG>{4});
  EXPECT_TRUE(diagram.passes.empty());
  EXPECT_EQ(diagram.made, 0);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
}

}  // namespace
