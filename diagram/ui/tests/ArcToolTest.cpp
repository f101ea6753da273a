// The arc tool: wires started by the host's press at a port and finished at
// another, the rules that refuse a finish, squaring the last segment, single
// use, and a wire end pulled off its port through the select tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawConstInPort.h"
#include "diagram/model/blocks/DrawInPort.h"
#include "diagram/model/blocks/DrawOutPort.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/ClientPoints.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/ResourceModule.h"
#include "platform/core/String.h"
#include "platform/ui/WindowApi.h"

namespace {

// The tool options of the diagram class a test may change.
struct SavedArcOptions {
  int flags = CDiagram::m_nArcFlags4OrthogonalLines;
  BOOL singleUse = CDiagram::m_bArcToolSingleUse;
  BOOL capture = CDiagram::m_bCaptureArcCreation;
  BOOL pencil = CDiagram::m_bAllowArcPencilMode;
  ~SavedArcOptions() {
    CDiagram::m_nArcFlags4OrthogonalLines = flags;
    CDiagram::m_bArcToolSingleUse = singleUse;
    CDiagram::m_bCaptureArcCreation = capture;
    CDiagram::m_bAllowArcPencilMode = pencil;
  }
};

// A document that refuses the recordings of one name.
class RefusingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    if (refused && CStringW(name) == CStringW(refused)) return FALSE;
    return CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  LPCWSTR refused = nullptr;
};

class ArcToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doctest::LinkLibrary();
    h.Open(1, 1, 100);
    if (h.diagram->IsSnapToGridEnabled()) h.diagram->ToggleSnapToGrid();
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    origin = h.diagram->GetRect().TopLeft();
    source = PlaceBlock(2, At(50, 50));      // two outputs
    target = PlaceBlock(200, At(400, 250));  // two inputs
    ASSERT_TRUE(source && target);
    h.doc.ClearUndoStack();
  }
  void TearDown() override {
    if (arcTool->GetArcInProgress()) arcTool->OnCancel(&h.view);
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    CDrawTool::selectMode = smNone;
    h.doc.ClearUndoStack();
    h.doc.ClearRedoStack();
  }

  CPoint At(int right, int down) const { return CPoint(origin.x + right, origin.y - down); }
  CPoint Client(CPoint doc) { return diagramtest::ClientPoint(h.view, doc); }
  CDrawBlock* PlaceBlock(UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    if (!block->InitializeAs(code, at, &h.view) || !block->AddBlockAndComponentsToDiagram(h.diagram)) {
      delete block;
      return nullptr;
    }
    return block;
  }
  static CDrawPort* PortOf(CDrawBlock* block, int index) {
    return static_cast<CDrawPort*>(block->GetPorts().GetAt(block->GetPorts().FindIndex(index)));
  }
  // The host's press on the port's connection point.
  void StartAt(CDrawPort* port, unsigned flags = 0) {
    arcTool->OnLButtonDown(&h.view, MK_LBUTTON | flags, Client(port->ConnectionPoint()), RUNTIME_CLASS(CDrawArc));
  }
  void PressAt(CPoint doc, unsigned flags = 0) {
    arcTool->OnLButtonDown(&h.view, MK_LBUTTON | flags, Client(doc), RUNTIME_CLASS(CDrawArc));
  }
  static std::vector<CPoint> PointsOf(CDrawArc* arc) {
    std::vector<CPoint> points;
    for (int i = 1; i <= arc->GetHandleCount(); ++i) points.push_back(arc->GetHandle(i));
    return points;
  }

  SavedArcOptions savedArc;
  viewtest::ViewHarness<CDrawView, RefusingDoc> h;
  CArcTool* arcTool = CDrawToolSet::GetArcTool();
  CPoint origin;
  CDrawBlock* source = nullptr;
  CDrawBlock* target = nullptr;
};

TEST_F(ArcToolTest, AWireRunsFromThePressedPortToThePortItIsFinishedAt) {
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 1);
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  EXPECT_EQ(arc->GetSrcOutPort(), out);
  EXPECT_EQ(arc->GetDestInPort(), nullptr);
  EXPECT_EQ(arc->GetHandleCount(), 2);
  EXPECT_EQ(arc->GetHandle(1), out->ConnectionPoint());
  EXPECT_NE(arc->GetHandle(2), out->ConnectionPoint());
  EXPECT_TRUE(h.diagram->GetObjects().Find(arc));
  EXPECT_EQ(CDrawTool::selectMode, smSize);

  StartAt(in);
  EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
  EXPECT_TRUE(arc->IsComplete());
  EXPECT_EQ(arc->GetDestInPort(), in);
  EXPECT_EQ(arc->GetHandle(arc->GetHandleCount()), in->ConnectionPoint());
  EXPECT_TRUE(in->IsArcInConnectionList(arc));
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Finish Arc"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_FALSE(arc->IsComplete());
  EXPECT_FALSE(in->IsLinked());
  EXPECT_EQ(arcTool->GetArcInProgress(), arc);
}

TEST_F(ArcToolTest, FinishingIsRefusedWhereTheWireCannotEnd) {
  CDrawPort* out = PortOf(source, 0);
  auto* constant = new CDrawConstInPort(At(300, 400), nullptr, &h.view);
  ASSERT_TRUE(h.diagram->Add(constant));
  CDrawInPort elsewhere(CPoint(0, 0), nullptr, nullptr);  // on no diagram
  EXPECT_FALSE(arcTool->FinishArc(PortOf(target, 0))) << "no wire in progress";
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  struct Case {
    const char* what;
    CDrawPort* port;
  };
  const Case refused[] = {
      {"no port", nullptr},
      {"the port it starts at", out},
      {"another output", PortOf(source, 1)},
      {"a constant input", constant},
      {"a port of another diagram", &elsewhere},
  };
  const int entries = h.doc.GetNumberUndosOnStack();
  for (const Case& test : refused) {
    EXPECT_FALSE(arcTool->FinishArc(test.port)) << test.what;
    EXPECT_EQ(arcTool->GetArcInProgress(), arc) << test.what;
    EXPECT_FALSE(arc->IsComplete()) << test.what;
  }
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), entries);
  EXPECT_TRUE(arcTool->FinishArc(PortOf(target, 0)));
  EXPECT_FALSE(arcTool->FinishArc(PortOf(target, 1))) << "a complete wire";
}

TEST_F(ArcToolTest, ARefusedRecordingStartsAndFinishesNothing) {
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 0);
  const INT_PTR objects = h.diagram->GetObjects().GetCount();
  CDrawTool::SetActiveTool(arcTool);
  for (BOOL capture : {FALSE, TRUE}) {
    SCOPED_TRACE(capture ? "capture mode" : "plain");
    CDiagram::m_bCaptureArcCreation = capture;
    CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
    {
      doctest::ScriptedMsgBox no;
      StartAt(out);
    }
    CDrawDoc::SetUndoMemoryProbe(old);
    EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
    EXPECT_EQ(h.diagram->GetObjects().GetCount(), objects);
    EXPECT_FALSE(out->IsLinked());
    EXPECT_NE(CWnd::GetCapture(), &h.view);
    EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
    EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
  }
  // A finish that cannot be recorded leaves the wire in progress.
  CDiagram::m_bCaptureArcCreation = FALSE;
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  h.doc.ClearUndoStack();
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  {
    doctest::ScriptedMsgBox no;
    EXPECT_FALSE(arcTool->FinishArc(in));
  }
  CDrawDoc::SetUndoMemoryProbe(old);
  EXPECT_EQ(arcTool->GetArcInProgress(), arc);
  EXPECT_FALSE(arc->IsComplete());
  EXPECT_FALSE(in->IsLinked());
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
}

// A wire the diagram refuses to take is given up: the port is left as it
// was and no recording or capture stays open.
TEST_F(ArcToolTest, AWireTheDiagramRefusesIsGivenUp) {
  CDrawPort* out = PortOf(source, 0);
  const INT_PTR objects = h.diagram->GetObjects().GetCount();
  CDrawTool::SetActiveTool(arcTool);
  for (BOOL capture : {FALSE, TRUE}) {
    SCOPED_TRACE(capture ? "capture mode" : "plain");
    CDiagram::m_bCaptureArcCreation = capture;
    h.doc.refused = u"Add Obj to Diagram";
    StartAt(out);
    h.doc.refused = nullptr;
    EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
    EXPECT_EQ(h.diagram->GetObjects().GetCount(), objects);
    EXPECT_FALSE(out->IsLinked());
    EXPECT_NE(CWnd::GetCapture(), &h.view);
    EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
    EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
  }
  // The next press starts a wire as usual.
  CDiagram::m_bCaptureArcCreation = FALSE;
  StartAt(out);
  EXPECT_NE(arcTool->GetArcInProgress(), nullptr);
  EXPECT_TRUE(out->IsLinked());
}

// A wire in progress whose delete record is refused is still the tool's,
// on the canvas and on its port.
TEST_F(ArcToolTest, AWireInProgressWhoseDeleteIsRefusedStaysTheTools) {
  CDrawPort* out = PortOf(source, 0);
  CDrawTool::SetActiveTool(arcTool);
  CDiagram::m_bCaptureArcCreation = FALSE;
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  h.doc.refused = u"";  // the records made inside the wire's own recording
  EXPECT_EQ(arc->Delete(), 0);
  h.doc.refused = nullptr;
  EXPECT_EQ(arcTool->GetArcInProgress(), arc);
  EXPECT_NE(h.diagram->GetObjects().Find(arc), nullptr);
  EXPECT_TRUE(out->IsLinked());
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
}

TEST_F(ArcToolTest, ShiftSquaresTheLastSegmentWhenTheFlagsAskForIt) {
  CDiagram::m_nArcFlags4OrthogonalLines = MK_SHIFT;
  for (bool shift : {true, false}) {
    SCOPED_TRACE(shift ? "with Shift" : "without");
    CDrawPort* out = PortOf(source, shift ? 0 : 1);
    CDrawPort* in = PortOf(target, shift ? 0 : 1);
    StartAt(out);
    CDrawArc* arc = arcTool->GetArcInProgress();
    ASSERT_NE(arc, nullptr);
    const CPoint start = out->ConnectionPoint();
    // With Shift held the rubber segment stays horizontal.
    const CPoint bendClient = Client(start + CSize(120, 37));
    arcTool->OnMouseMove(&h.view, MK_SHIFT, bendClient);
    const CPoint bend = arc->GetHandle(2);
    EXPECT_EQ(bend.y, start.y);
    arcTool->OnLButtonDown(&h.view, MK_LBUTTON | MK_SHIFT, bendClient, RUNTIME_CLASS(CDrawArc));
    EXPECT_EQ(arc->GetHandleCount(), 3);
    arcTool->OnMouseMove(&h.view, 0, Client(in->ConnectionPoint()));
    StartAt(in, shift ? MK_SHIFT : 0);
    ASSERT_TRUE(arc->IsComplete());
    const CPoint end = in->ConnectionPoint();
    const std::vector<CPoint> expected =
        shift ? std::vector<CPoint>{start, CPoint(end.x, start.y), end} : std::vector<CPoint>{start, bend, end};
    EXPECT_EQ(PointsOf(arc), expected);
  }
}

// Squaring the last segment belongs to the finish: undoing the finish puts
// the bend back where it was drawn, and redoing squares it again.
TEST_F(ArcToolTest, TheSquaredLastSegmentIsUndoneWithTheFinish) {
  CDiagram::m_nArcFlags4OrthogonalLines = MK_SHIFT;
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 0);
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  // A level first segment, whose bend squaring moves under the end.
  const CPoint bendClient = Client(out->ConnectionPoint() + CSize(120, 0));
  arcTool->OnMouseMove(&h.view, 0, bendClient);
  arcTool->OnLButtonDown(&h.view, MK_LBUTTON, bendClient, RUNTIME_CLASS(CDrawArc));
  arcTool->OnMouseMove(&h.view, 0, Client(in->ConnectionPoint()));
  // As drawn: the rubber end where the pointer left it, near the port.
  const std::vector<CPoint> drawn = PointsOf(arc);
  StartAt(in, MK_SHIFT);
  ASSERT_TRUE(arc->IsComplete());
  const std::vector<CPoint> squared = PointsOf(arc);
  ASSERT_NE(squared, drawn);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Finish Arc"));

  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_FALSE(arc->IsComplete());
  EXPECT_EQ(PointsOf(arc), drawn);
  ASSERT_TRUE(h.doc.RedoLast());
  EXPECT_TRUE(arc->IsComplete());
  EXPECT_EQ(PointsOf(arc), squared);
}

// Undoing two drawn wires and redoing them finishes each wire again, in its
// own point order, although the second undo took the tool from the first.
TEST_F(ArcToolTest, RedoFinishesEveryUndoneWireInItsPointOrder) {
  for (BOOL capture : {FALSE, TRUE}) {
    SCOPED_TRACE(capture ? "capture" : "point by point");
    CDiagram::m_bCaptureArcCreation = capture;
    std::vector<CDrawArc*> arcs;
    std::vector<std::vector<CPoint>> points;
    for (int i = 0; i < 2; ++i) {
      // The second wire starts at its destination.
      CDrawPort* first = i == 0 ? PortOf(source, 0) : PortOf(target, 1);
      CDrawPort* last = i == 0 ? PortOf(target, 0) : PortOf(source, 1);
      StartAt(first);
      arcs.push_back(arcTool->GetArcInProgress());
      ASSERT_NE(arcs.back(), nullptr);
      const CPoint bend = Client(first->ConnectionPoint() + CSize(i == 0 ? 60 : -60, -30));
      arcTool->OnMouseMove(&h.view, 0, bend);
      arcTool->OnLButtonDown(&h.view, MK_LBUTTON, bend, RUNTIME_CLASS(CDrawArc));
      StartAt(last);
      ASSERT_TRUE(arcs.back()->IsComplete());
      points.push_back(PointsOf(arcs.back()));
    }
    const int entries = h.doc.GetNumberUndosOnStack();
    for (int i = 0; i < entries; ++i) ASSERT_TRUE(h.doc.UndoLast());
    for (int i = 0; i < entries; ++i) ASSERT_TRUE(h.doc.RedoLast());
    for (size_t i = 0; i < arcs.size(); ++i) {
      EXPECT_TRUE(arcs[i]->IsComplete()) << i;
      EXPECT_EQ(PointsOf(arcs[i]), points[i]) << i;
    }
    EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
    for (CDrawArc* arc : arcs) arc->Delete();
    h.doc.ClearUndoStack();
    h.doc.ClearRedoStack();
  }
}

TEST_F(ArcToolTest, ASingleUseToolReturnsToTheSelectTool) {
  CDiagram::m_bArcToolSingleUse = TRUE;
  CDrawTool::SetActiveTool(arcTool);
  StartAt(PortOf(source, 0));
  arcTool->OnLButtonUp(&h.view, 0, Client(PortOf(source, 0)->ConnectionPoint()));
  EXPECT_EQ(CDrawTool::GetActiveTool(), arcTool) << "a wire is in progress";
  StartAt(PortOf(target, 0));
  arcTool->OnLButtonUp(&h.view, 0, Client(PortOf(target, 0)->ConnectionPoint()));
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());

  // A press through the view that starts nothing ends it too.
  CDrawTool::SetActiveTool(arcTool);
  const CPoint empty = Client(At(300, 500));
  arcTool->OnLButtonDown(&h.view, MK_LBUTTON, empty);
  arcTool->OnLButtonUp(&h.view, 0, empty);
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());
}

TEST_F(ArcToolTest, CancelDeletesTheWireInProgress) {
  CDrawTool::SetActiveTool(arcTool);
  StartAt(PortOf(source, 0));
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  arcTool->OnCancel(&h.view);
  EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
  EXPECT_FALSE(h.diagram->GetObjects().Find(arc));
  EXPECT_FALSE(PortOf(source, 0)->IsLinked());
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());
  // Undoing the delete makes the wire the one in progress again.
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Delete Arc"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_EQ(arcTool->GetArcInProgress(), arc);
  EXPECT_TRUE(PortOf(source, 0)->IsArcInConnectionList(arc));
}

TEST_F(ArcToolTest, InCaptureModeAWireIsOneEntryFromStartToFinish) {
  CDiagram::m_bCaptureArcCreation = TRUE;
  CDrawTool::SetActiveTool(arcTool);
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 0);
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  EXPECT_EQ(CWnd::GetCapture(), &h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 1u);  // the outer recording stays open
  arcTool->OnLButtonUp(&h.view, 0, Client(out->ConnectionPoint()));
  EXPECT_EQ(CWnd::GetCapture(), &h.view);
  PressAt(At(300, 80));
  StartAt(in);
  EXPECT_NE(CWnd::GetCapture(), &h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Add Arc/Link"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_FALSE(h.diagram->GetObjects().Find(arc));
  EXPECT_FALSE(out->IsLinked());
  EXPECT_FALSE(in->IsLinked());
  ASSERT_TRUE(h.doc.RedoLast());
  EXPECT_TRUE(h.diagram->GetObjects().Find(arc));
  EXPECT_TRUE(arc->IsComplete());
  EXPECT_TRUE(in->IsArcInConnectionList(arc));
  // Finished again by undo, the wire may run the other way round.
  const std::vector<CPoint> ends = {arc->GetHandle(1), arc->GetHandle(arc->GetHandleCount())};
  EXPECT_TRUE((ends == std::vector<CPoint>{out->ConnectionPoint(), in->ConnectionPoint()}) ||
              (ends == std::vector<CPoint>{in->ConnectionPoint(), out->ConnectionPoint()}));
}

TEST_F(ArcToolTest, InCaptureModeACancelledWireLeavesNoEntry) {
  CDiagram::m_bCaptureArcCreation = TRUE;
  CDrawTool::SetActiveTool(arcTool);
  StartAt(PortOf(source, 0));
  ASSERT_NE(arcTool->GetArcInProgress(), nullptr);
  arcTool->OnCancel(&h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
  EXPECT_FALSE(PortOf(source, 0)->IsLinked());
}

TEST_F(ArcToolTest, InCaptureModeAWireThatLeavesTheToolStillHasItsRecordingClosed) {
  CDiagram::m_bCaptureArcCreation = TRUE;
  CDrawTool::SetActiveTool(arcTool);
  // Deleted while drawn: the next start closes the recording, as one entry
  // that keeps the deletion.
  StartAt(PortOf(source, 0));
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  ASSERT_TRUE(arc->Delete());
  EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
  StartAt(PortOf(source, 1));
  ASSERT_NE(arcTool->GetArcInProgress(), nullptr);
  EXPECT_EQ(h.doc.GetUndoLevel(), 1u) << "only the new wire's recording is open";
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  arcTool->OnCancel(&h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 1);

  // The document emptied while a wire is drawn: a cancel closes the
  // recording, and what follows is recorded again.
  CDrawTool::SetActiveTool(arcTool);
  StartAt(PortOf(source, 0));
  ASSERT_NE(arcTool->GetArcInProgress(), nullptr);
  h.view.Select(nullptr, FALSE);
  h.doc.DeleteContents();
  EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
  arcTool->OnCancel(&h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  EXPECT_NE(CWnd::GetCapture(), &h.view);
  source = PlaceBlock(2, At(50, 50));
  target = PlaceBlock(200, At(400, 250));
  ASSERT_TRUE(source && target);
  h.doc.ClearUndoStack();
  CDrawTool::SetActiveTool(arcTool);
  StartAt(PortOf(source, 0));
  StartAt(PortOf(target, 0));
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Add Arc/Link"));
}

TEST_F(ArcToolTest, AMarkAgainstPencilDrawingLastsOneClickAndKeepsTheRecordsOfACancel) {
  CDiagram::m_bAllowArcPencilMode = TRUE;
  CDrawTool::SetActiveTool(arcTool);
  CDrawPort* out = PortOf(source, 0);
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  arcTool->SetNoPencilForArcInProgress(TRUE);
  arcTool->OnMouseMove(&h.view, MK_LBUTTON, Client(At(200, 80)));
  EXPECT_EQ(arc->GetHandleCount(), 2) << "marked: the rubber point follows the held button";
  arcTool->OnLButtonUp(&h.view, 0, Client(At(200, 80)));
  PressAt(At(200, 80));
  ASSERT_EQ(arc->GetHandleCount(), 3);
  arcTool->OnMouseMove(&h.view, MK_LBUTTON, Client(At(220, 120)));
  EXPECT_EQ(arc->GetHandleCount(), 4) << "the next click draws in pencil mode again";
  arcTool->OnCancel(&h.view);

  // A new wire starts unmarked.
  arcTool->SetNoPencilForArcInProgress(TRUE);
  CDrawTool::SetActiveTool(arcTool);
  StartAt(out);
  arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  arcTool->OnMouseMove(&h.view, MK_LBUTTON, Client(At(200, 80)));
  EXPECT_EQ(arc->GetHandleCount(), 3);
  arcTool->OnCancel(&h.view);
  h.doc.ClearUndoStack();

  // In capture mode a wire marked at the release keeps its records when it
  // is cancelled: one entry that undoes to nothing.
  CDiagram::m_bCaptureArcCreation = TRUE;
  CDrawTool::SetActiveTool(arcTool);
  StartAt(out);
  arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  arcTool->OnLButtonUp(&h.view, 0, Client(out->ConnectionPoint()));
  PressAt(At(200, 80));
  arcTool->SetNoPencilForArcInProgress(TRUE);
  arcTool->OnLButtonUp(&h.view, 0, Client(At(200, 80)));
  arcTool->OnCancel(&h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  EXPECT_FALSE(h.diagram->GetObjects().Find(arc));
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Add Arc/Link"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_FALSE(h.diagram->GetObjects().Find(arc));
  EXPECT_FALSE(out->IsLinked());
  EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
}

TEST_F(ArcToolTest, AnEndPulledOffItsPortGoesToTheArcToolAndUndoReattachesIt) {
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 0);
  auto* wire = new CDrawArc;
  ASSERT_TRUE(wire->Initialize(out, in, TRUE));
  ASSERT_TRUE(h.diagram->Add(wire));
  h.doc.ClearUndoStack();
  h.view.Select(wire, FALSE);
  CSelectTool* select = CDrawToolSet::GetSelectTool();
  const CPoint end = Client(in->ConnectionPoint());
  select->OnLButtonDown(&h.view, MK_LBUTTON, end);
  ASSERT_EQ(CDrawTool::selectMode, smSize);
  select->OnMouseMove(&h.view, MK_LBUTTON, end + CSize(-40, 25));

  EXPECT_EQ(CDrawTool::GetActiveTool(), arcTool);
  EXPECT_EQ(arcTool->GetArcInProgress(), wire);
  EXPECT_FALSE(wire->IsComplete());
  EXPECT_FALSE(in->IsLinked());
  EXPECT_EQ(wire->GetHandle(1), out->ConnectionPoint());  // the loose end is the last point
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Reshaping"));

  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_TRUE(wire->IsComplete());
  EXPECT_EQ(wire->GetDestInPort(), in);
  EXPECT_TRUE(in->IsArcInConnectionList(wire));
  EXPECT_EQ(arcTool->GetArcInProgress(), nullptr);
  const std::vector<CPoint> ends = {wire->GetHandle(1), wire->GetHandle(wire->GetHandleCount())};
  EXPECT_TRUE((ends == std::vector<CPoint>{out->ConnectionPoint(), in->ConnectionPoint()}) ||
              (ends == std::vector<CPoint>{in->ConnectionPoint(), out->ConnectionPoint()}));
}

// The loose end of a wire pulled off its port stays where the user left it;
// undo attaches it again and redo detaches it to that same place, so the
// wire comes back with its points and its bounds as they were.
TEST_F(ArcToolTest, RedoOfAnEndPulledOffItsPortPutsTheLooseEndWhereItWasLeft) {
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 0);
  auto* wire = new CDrawArc;
  ASSERT_TRUE(wire->Initialize(out, in, TRUE));
  ASSERT_TRUE(h.diagram->Add(wire));
  h.doc.ClearUndoStack();
  h.view.Select(wire, FALSE);
  CSelectTool* select = CDrawToolSet::GetSelectTool();
  const CPoint end = Client(in->ConnectionPoint());
  select->OnLButtonDown(&h.view, MK_LBUTTON, end);
  select->OnMouseMove(&h.view, MK_LBUTTON, end + CSize(2, 2));
  arcTool->OnMouseMove(&h.view, MK_LBUTTON, end + CSize(-60, 30));
  arcTool->OnLButtonUp(&h.view, 0, end + CSize(-60, 30));
  ASSERT_EQ(arcTool->GetArcInProgress(), wire);
  const std::vector<CPoint> left = PointsOf(wire);
  const CRect leftBounds = wire->GetPosition();
  ASSERT_NE(left.back(), in->ConnectionPoint());

  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_TRUE(wire->IsComplete());
  ASSERT_TRUE(h.doc.RedoLast());
  EXPECT_FALSE(wire->IsComplete());
  EXPECT_EQ(arcTool->GetArcInProgress(), wire);
  EXPECT_EQ(PointsOf(wire), left);
  EXPECT_EQ(wire->GetPosition(), leftBounds);
}

TEST_F(ArcToolTest, OnlyWireClassesMayBeMade) {
  EXPECT_FALSE(arcTool->SetKindOfArcToCreate(RUNTIME_CLASS(CDrawBlock)));
  EXPECT_FALSE(arcTool->SetKindOfArcToCreate(nullptr));
  EXPECT_TRUE(arcTool->SetKindOfArcToCreate(RUNTIME_CLASS(CDrawArc)));
  EXPECT_EQ(arcTool->GetKindOfArcToCreate(), RUNTIME_CLASS(CDrawArc));
}

TEST_F(ArcToolTest, TheToolsCursorsAreLoadedOnFirstUse) {
  arcTool->OnMouseMove(&h.view, 0, Client(At(300, 500)));
  EXPECT_EQ(arcTool->GetToolCursor(), ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(28107), RT_GROUP_CURSOR),
                                                   MAKEINTRESOURCE(28107)));
  EXPECT_NE(arcTool->GetOverPortCursor(), nullptr);
  EXPECT_TRUE(arcTool->LoadCursorForToolWhenOverPort(0, FALSE));
  EXPECT_FALSE(arcTool->LoadCursorForToolInPencilMode(1, FALSE));
}

TEST_F(ArcToolTest, WithAutomaticRoutingOnAFinishedWireIsRouted) {
  h.diagram->SetAutoRouteModeAndMethod(1, 1);
  ASSERT_EQ(h.diagram->GetAutoRouteMode(), 1u);
  CDrawPort* out = PortOf(source, 0);
  CDrawPort* in = PortOf(target, 1);
  StartAt(out);
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  StartAt(in);
  ASSERT_TRUE(arc->IsComplete());
  const std::vector<CPoint> points = PointsOf(arc);
  ASSERT_GE(points.size(), 3u);
  for (size_t i = 1; i < points.size(); ++i) {
    EXPECT_TRUE(points[i].x == points[i - 1].x || points[i].y == points[i - 1].y) << i;
  }
  EXPECT_EQ(points.front(), out->ConnectionPoint());
  EXPECT_EQ(points.back(), in->ConnectionPoint());
  // Finishing and routing are one undo step.
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Finish Arc"));
  h.diagram->SetAutoRouteModeAndMethod(0, 0);
}

// A wire whose routing pass is refused keeps the finish, with bounds that
// hold its points as they are now.
TEST_F(ArcToolTest, AFinishedWireThatIsNotRoutedHasTheBoundsOfItsPoints) {
  h.diagram->SetAutoRouteModeAndMethod(1, 1);
  ASSERT_EQ(h.diagram->GetAutoRouteMode(), 1u);
  h.doc.refused = u"Routing Arcs";
  StartAt(PortOf(source, 0));
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  StartAt(PortOf(target, 1));
  ASSERT_TRUE(arc->IsComplete());
  CRect bounds(arc->GetHandle(1), arc->GetHandle(1));
  for (const CPoint& p : PointsOf(arc)) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x);
    bounds.bottom = std::max(bounds.bottom, p.y);
  }
  EXPECT_EQ(arc->GetPosition(), bounds);
  h.doc.refused = nullptr;
  h.diagram->SetAutoRouteModeAndMethod(0, 0);
}

// A bend pressed at the canvas edge stops far enough in that the wire's
// outline stays on the canvas (a canvas read again grows to hold it).
TEST_F(ArcToolTest, ABendAtTheCanvasEdgeKeepsTheWiresOutlineOnTheCanvas) {
  StartAt(PortOf(source, 0));
  CDrawArc* arc = arcTool->GetArcInProgress();
  ASSERT_NE(arc, nullptr);
  CRect canvas = h.diagram->GetRect();
  canvas.NormalizeRect();
  const int points = arc->GetHandleCount();
  PressAt(CPoint(canvas.right, At(0, 300).y));
  ASSERT_EQ(arc->GetHandleCount(), points + 1);
  CRect outline = arc->GetBoundingRect();
  outline.NormalizeRect();
  EXPECT_LE(outline.right, canvas.right);
  EXPECT_EQ(arc->GetHandle(points + 1).x, canvas.right - 1);
}

}  // namespace
