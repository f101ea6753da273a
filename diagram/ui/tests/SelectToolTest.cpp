// The select tool driven with mouse events: clicks, moves within the
// canvas, rubber bands, reshaping, refused recordings and cancelling, each
// gesture one undo entry.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/res/DrawViewMenu.h"
#include "diagram/testsupport/ClientPoints.h"
#include "diagram/ui/ArcTool.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/ui/ModalDriver.h"

namespace {

class SelectToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doctest::LinkLibrary();
    h.Open(1, 1, 100);
    if (h.diagram->IsSnapToGridEnabled()) h.diagram->ToggleSnapToGrid();
    CDrawTool::SetActiveTool(tool);
    origin = h.diagram->GetRect().TopLeft();
    home = Rect(100, 100, 200, 200);
    box = AddBox(home);
  }
  void TearDown() override {
    tool->OnCancel(&h.view);
    h.doc.ClearUndoStack();
  }

  // Document points and rectangles measured right and down from the
  // canvas's top-left corner (y grows upward in the diagram).
  CPoint At(int right, int down) const { return CPoint(origin.x + right, origin.y - down); }
  CRect Rect(int left, int top, int right, int bottom) const {
    return CRect(At(left, top), At(right, bottom));
  }
  CDrawRect* AddBox(const CRect& r) {
    auto* shape = new CDrawRect(r, CDrawRect::rectangle);
    EXPECT_TRUE(h.diagram->Add(shape));
    h.doc.ClearUndoStack();
    return shape;
  }
  CPoint Client(CPoint doc) { return diagramtest::ClientPoint(h.view, doc); }
  CPoint Doc(CPoint client) { return diagramtest::DocPoint(h.view, client); }
  // A press, moves through the points and a release at the last, all
  // client points.
  void Drag(std::initializer_list<CPoint> points, unsigned flags = 0) {
    const CPoint* p = points.begin();
    tool->OnLButtonDown(&h.view, MK_LBUTTON | flags, *p);
    for (++p; p != points.end(); ++p) tool->OnMouseMove(&h.view, MK_LBUTTON | flags, *p);
    tool->OnLButtonUp(&h.view, flags, *(points.end() - 1));
  }

  viewtest::ViewHarness<CDrawView> h;
  CSelectTool* tool = CDrawToolSet::GetSelectTool();
  CPoint origin;
  CRect home;
  CDrawRect* box = nullptr;
};

TEST_F(SelectToolTest, TheSelectToolIsActiveFromTheStart) {
  EXPECT_EQ(CDrawToolSet::GetSelectTool(), &CDrawToolSet::selectTool);
  EXPECT_EQ(CDrawTool::GetActiveTool(), tool);
}

TEST_F(SelectToolTest, AClickWithoutMovementSelectsAndRecordsNothing) {
  const CPoint at = Client(At(150, 150));
  Drag({at, at});
  EXPECT_TRUE(h.view.IsSelected(box));
  EXPECT_EQ(box->GetPosition(), home);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
  EXPECT_EQ(CDrawTool::selectMode, smNone);
  EXPECT_NE(CWnd::GetCapture(), &h.view);
}

TEST_F(SelectToolTest, AControlClickAddsAnObjectAndASecondOneTakesItOut) {
  CDrawRect* other = AddBox(Rect(300, 100, 400, 200));
  h.view.Select(other, FALSE);
  const CPoint at = Client(At(150, 150));
  Drag({at, at}, MK_CONTROL);
  EXPECT_TRUE(h.view.IsSelected(box));
  EXPECT_TRUE(h.view.IsSelected(other));
  Drag({at, at}, MK_CONTROL);
  EXPECT_FALSE(h.view.IsSelected(box));
  EXPECT_TRUE(h.view.IsSelected(other));
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
}

TEST_F(SelectToolTest, AMoveIsOneRepositionEntryThatUndoesAndRedoes) {
  const CPoint from = Client(At(150, 150));
  const CPoint to = from + CSize(60, 30);
  Drag({from, from + CSize(20, 10), to});
  const CSize delta = Doc(to) - Doc(from);
  const CRect moved = home + delta;
  EXPECT_EQ(box->GetPosition(), moved);
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Reposition"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_EQ(box->GetPosition(), home);
  ASSERT_TRUE(h.doc.RedoLast());
  EXPECT_EQ(box->GetPosition(), moved);
}

TEST_F(SelectToolTest, AMoveStopsAtTheCanvasEdge) {
  const CRect canvas = h.diagram->GetRect();
  const CPoint from = Client(At(150, 150));
  // Far to the left of the canvas and above it.
  Drag({from, CPoint(-300, -300)});
  const CRect& r = box->GetPosition();
  EXPECT_EQ(r.left, canvas.left);
  EXPECT_EQ(r.top, canvas.top);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(CSelectTool::c_moveBoundingRect.left, canvas.left);
}

// A canvas read again grows to hold every outline, so an edit keeps them on
// it: a box with a wide outline moved or reshaped past the edge, and an
// outline widened at the edge, each end with the outline on the canvas, in
// one entry whose undo gives back the stream from before.
TEST_F(SelectToolTest, OutlinesStayOnTheCanvas) {
  CRect canvas = h.diagram->GetRect();
  canvas.NormalizeRect();
  CDrawRect* corner = AddBox(Rect(0, 0, 50, 50));
  ASSERT_TRUE(box->SetPenStyle(PS_SOLID, 8));
  h.doc.ClearUndoStack();
  const std::vector<std::pair<const char*, std::function<CDrawObj*()>>> cases = {
      {"move", [&] { Drag({Client(At(150, 150)), CPoint(-300, -300)}); return box; }},
      {"reshape",
       [&] {
         h.view.Select(box, FALSE);
         const CPoint handle = Client(box->GetHandle(1));
         Drag({handle, handle + CSize(5, 5), CPoint(-300, -300)});
         return box;
       }},
      {"wider outline", [&] { EXPECT_TRUE(corner->SetPenSize(10)); return corner; }},
  };
  for (const auto& [what, edit] : cases) {
    SCOPED_TRACE(what);
    const std::vector<BYTE> before = doctest::StoreDocument(h.doc);
    CDrawObj* edited = edit();
    CRect outline = edited->GetBoundingRect();
    outline.NormalizeRect();
    EXPECT_TRUE(outline.left >= canvas.left && outline.top >= canvas.top && outline.right <= canvas.right &&
                outline.bottom <= canvas.bottom);
    EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 1);
    ASSERT_TRUE(h.doc.UndoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), before);
    h.doc.ClearRedoStack();
    h.view.Select(nullptr, FALSE);
  }
}

TEST_F(SelectToolTest, WithSnappingOnAMovedObjectStaysOnTheGrid) {
  h.diagram->ToggleSnapToGrid();
  const CSize grid = h.diagram->GetGridSize();
  ASSERT_GT(grid.cx, 1);
  // A box on the grid, pressed at a point that is not.
  const CRect onGrid(-30 * grid.cx, 40 * grid.cy, -20 * grid.cx, 30 * grid.cy);
  CDrawRect* snapped = AddBox(onGrid);
  CPoint press = onGrid.CenterPoint() + CSize(grid.cx / 2 - 1, grid.cy / 2 - 1);
  const CPoint from = Client(press);
  tool->OnLButtonDown(&h.view, MK_LBUTTON, from);
  for (const CSize by : {CSize(1, 0), CSize(17, -9), CSize(43, 26)}) {
    tool->OnMouseMove(&h.view, MK_LBUTTON, from + by);
    const CRect& r = snapped->GetPosition();
    EXPECT_EQ(r.left % grid.cx, 0) << by.cx;
    EXPECT_EQ(r.top % grid.cy, 0) << by.cx;
  }
  tool->OnLButtonUp(&h.view, 0, from + CSize(43, 26));
  // The box moved as far as the snapped pointer did.
  CPoint to = Doc(from + CSize(43, 26));
  h.diagram->SnapToGrid(to);
  h.diagram->SnapToGrid(press);
  EXPECT_EQ(snapped->GetPosition(), onGrid + (to - press));
  h.diagram->ToggleSnapToGrid();
}

TEST_F(SelectToolTest, ARubberBandWithControlTogglesTheSelection) {
  CDrawRect* other = AddBox(Rect(300, 100, 400, 200));
  h.view.Select(box, FALSE);
  const CPoint from = Client(At(50, 50));
  const CPoint to = Client(At(450, 250));
  Drag({from, from + CSize(5, 5), to}, MK_CONTROL);
  EXPECT_FALSE(h.view.IsSelected(box));
  EXPECT_TRUE(h.view.IsSelected(other));
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
  // Without Control the band selects everything within it.
  Drag({from, from + CSize(5, 5), to});
  EXPECT_TRUE(h.view.IsSelected(box));
  EXPECT_TRUE(h.view.IsSelected(other));
}

TEST_F(SelectToolTest, ARefusedRecordingCancelsTheMove) {
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  doctest::ScriptedMsgBox no;
  const CPoint from = Client(At(150, 150));
  tool->OnLButtonDown(&h.view, MK_LBUTTON, from);
  tool->OnMouseMove(&h.view, MK_LBUTTON, from + CSize(40, 0));
  EXPECT_EQ(CDrawTool::selectMode, smNone);
  EXPECT_NE(CWnd::GetCapture(), &h.view);
  tool->OnMouseMove(&h.view, MK_LBUTTON, from + CSize(80, 0));
  tool->OnLButtonUp(&h.view, 0, from + CSize(80, 0));
  CDrawDoc::SetUndoMemoryProbe(old);
  EXPECT_EQ(box->GetPosition(), home);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
}

TEST_F(SelectToolTest, ARefusedRecordingIgnoresAPressOnAHandle) {
  h.view.Select(box, FALSE);
  const CPoint corner = Client(box->GetHandle(5));
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  {
    doctest::ScriptedMsgBox no;
    tool->OnLButtonDown(&h.view, MK_LBUTTON, corner);
    EXPECT_EQ(CDrawTool::selectMode, smNone);
    EXPECT_EQ(CDrawTool::nDragHandle, 0);
    EXPECT_NE(CWnd::GetCapture(), &h.view);
    tool->OnMouseMove(&h.view, MK_LBUTTON, corner + CSize(30, 20));
    tool->OnLButtonUp(&h.view, 0, corner + CSize(30, 20));
  }
  CDrawDoc::SetUndoMemoryProbe(old);
  EXPECT_EQ(box->GetPosition(), home);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
}

TEST_F(SelectToolTest, AHandleDragIsOneReshapingEntry) {
  h.view.Select(box, FALSE);
  const CPoint corner = Client(box->GetHandle(5));  // bottom right
  const CPoint to = corner + CSize(30, 20);
  Drag({corner, corner + CSize(10, 10), to});
  const CPoint moved = Doc(to);
  EXPECT_EQ(box->GetPosition(), CRect(home.left, home.top, moved.x, moved.y));
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(h.doc.GetNextUndoCmdName()), CStringW(u"Reshaping"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_EQ(box->GetPosition(), home);
  ASSERT_TRUE(h.doc.RedoLast());
  EXPECT_EQ(box->GetPosition(), CRect(home.left, home.top, moved.x, moved.y));
}

// A handle dragged away and back (or snapped back onto its place) changed
// nothing: no entry is left whose undo would have nothing to redo, while
// the entries before it stay as they were.
TEST_F(SelectToolTest, AHandleDragThatEndsWhereItBeganLeavesNoEntry) {
  h.view.Select(box, FALSE);
  const CPoint corner = Client(box->GetHandle(5));
  Drag({corner, corner + CSize(30, 20), corner});
  EXPECT_EQ(box->GetPosition(), home);
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 0);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);

  Drag({corner, corner + CSize(30, 20)});
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  const CPoint moved = Client(box->GetHandle(5));
  Drag({moved, moved + CSize(5, 5), moved});
  EXPECT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_EQ(box->GetPosition(), home);
  EXPECT_EQ(h.doc.GetNumberRedosOnStack(), 1);
}

TEST_F(SelectToolTest, CancelPutsAMoveBackAndKeepsAReshape) {
  const CPoint from = Client(At(150, 150));
  tool->OnLButtonDown(&h.view, MK_LBUTTON, from);
  tool->OnMouseMove(&h.view, MK_LBUTTON, from + CSize(40, 40));
  EXPECT_NE(box->GetPosition(), home);
  tool->OnCancel(&h.view);
  EXPECT_EQ(box->GetPosition(), home);
  EXPECT_EQ(CDrawTool::selectMode, smNone);
  EXPECT_EQ(CDrawTool::GetActiveTool(), tool);

  const CPoint corner = Client(box->GetHandle(5));
  tool->OnLButtonDown(&h.view, MK_LBUTTON, corner);
  tool->OnMouseMove(&h.view, MK_LBUTTON, corner + CSize(30, 20));
  const CRect reshaped = box->GetPosition();
  EXPECT_NE(reshaped, home);
  tool->OnCancel(&h.view);
  EXPECT_EQ(box->GetPosition(), reshaped);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0u);
}

TEST_F(SelectToolTest, ARightClickShowsTheMenuOfWhatItSelectsOrWithShiftItsProperties) {
  CDrawRect* other = AddBox(Rect(300, 100, 400, 200));
  auto sub = [&](int index) { return h.view.GetPopupMenu(index)->GetSafeHmenu(); };
  struct Case {
    const char* what;
    CPoint at;                          // document point of the click
    std::vector<CDrawObj*> before;      // selected before the click
    std::vector<CDrawObj*> after;       // selected after it
    int menu;                           // the sub-menu shown
  };
  const Case cases[] = {
      {"on one of two selected", At(150, 150), {box, other}, {box, other}, kPopupPlural},
      {"on an unselected one", At(350, 150), {box}, {other}, kPopupRect},
      {"on nothing", At(600, 500), {box, other}, {}, kPopupDiagram},
  };
  for (const Case& c : cases) {
    h.view.Select(nullptr, FALSE);
    for (CDrawObj* object : c.before) h.view.Select(object, TRUE);
    HMENU shown = nullptr;
    {
      platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
        shown = s.Menu();
        s.Close();
      });
      tool->OnRButtonDown(&h.view, MK_RBUTTON, Client(c.at));
    }
    EXPECT_EQ(shown, sub(c.menu)) << c.what;
    std::vector<CDrawObj*> selected;
    for (POSITION pos = h.view.GetSelection().GetHeadPosition(); pos;)
      selected.push_back(h.view.GetSelection().GetNext(pos));
    EXPECT_EQ(selected, c.after) << c.what;
  }
  // With Shift the object's properties open instead of a menu.
  h.view.Select(nullptr, FALSE);
  bool menu = false;
  int dialogs = 0;
  {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.Menu()) menu = true;
      ++dialogs;
      s.Close();
    });
    tool->OnRButtonDown(&h.view, MK_RBUTTON | MK_SHIFT, Client(At(150, 150)));
  }
  EXPECT_FALSE(menu);
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(h.view.IsSelected(box));
  EXPECT_EQ(box->GetPosition(), home);
}

TEST_F(SelectToolTest, APressOnAPolylineKeepsTheSegmentUnderThePointer) {
  CDrawPoly* line = h.diagram->MakeDrawPoly();
  ASSERT_TRUE(h.diagram->Add(line));
  for (const CPoint& p : {At(300, 300), At(500, 300), At(500, 500)}) line->AddPoint(p, nullptr);
  const CPoint onSecond = Client(At(500, 400));
  Drag({onSecond, onSecond});
  EXPECT_EQ(line->GetPointDownIndex(), 2u);
}

// A handle drag of a wire made between two ports (as nesting makes them,
// here running right to left) and of the block at its end: the undo gives
// back the stream of before, the redo the stream of after, byte for byte,
// the wire's stored rectangle included.
TEST_F(SelectToolTest, AnUndoneAndRedoneReshapeGivesTheWiresRectangleBack) {
  auto place = [this](UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    EXPECT_TRUE(block->InitializeAs(code, at, &h.view) && block->AddBlockAndComponentsToDiagram(h.diagram));
    return block;
  };
  CDrawBlock* target = place(100, At(80, 250));
  CDrawBlock* source = place(1, At(400, 300));
  auto first = [](CDrawBlock* block) { return static_cast<CDrawPort*>(block->GetPorts().GetHead()); };
  auto* wire = new CDrawArc;
  ASSERT_TRUE(wire->Initialize(first(source), first(target), TRUE));
  ASSERT_TRUE(h.diagram->Add(wire));
  h.doc.ClearUndoStack();
  struct Case {
    const char* name;
    CDrawObj* object;
    int handle;
  };
  const Case cases[] = {{"the wire's end", wire, 1}, {"the block's corner", source, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<BYTE> before = doctest::StoreDocument(h.doc);
    h.view.Select(c.object, FALSE);
    const CPoint handle = Client(c.object->GetHandle(c.handle));
    Drag({handle, handle + CSize(10, 10), handle + CSize(25, 15)});
    ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
    const std::vector<BYTE> after = doctest::StoreDocument(h.doc);
    EXPECT_NE(after, before);
    ASSERT_TRUE(h.doc.UndoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), before);
    ASSERT_TRUE(h.doc.RedoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), after);
    ASSERT_TRUE(h.doc.UndoLast());
    h.doc.ClearRedoStack();
  }
}

// A wire's end pulled off its port with the select tool goes to the wire
// tool, which closes the gesture's route batch; the release must not close
// it again. Were the batch left unbalanced, the live router would re-route
// wires in the middle of a later reshape, between the moves of a block's
// ports, and those paths could not be put back: the undo and redo of the
// reshape give two wires between the same pair of ports their points back
// byte for byte.
TEST_F(SelectToolTest, AWireEndPulledOffItsPortLeavesLaterReshapesExactToUndo) {
  auto place = [this](UINT code, CPoint at) {
    auto* block = new CDrawBlock;
    EXPECT_TRUE(block->InitializeAs(code, at, &h.view) && block->AddBlockAndComponentsToDiagram(h.diagram));
    return block;
  };
  CDrawBlock* block = place(1, At(300, 300));
  CDrawPort* out = static_cast<CDrawPort*>(block->GetPorts().GetHead());
  CDrawPort* in = block->AddNewInPort();
  ASSERT_NE(in, nullptr);
  CDrawArc* wires[3] = {new CDrawArc, new CDrawArc, new CDrawArc};
  for (CDrawArc* wire : wires) {
    ASSERT_TRUE(wire->Initialize(out, in, TRUE));
    ASSERT_TRUE(h.diagram->Add(wire));
  }
  const CPoint from = out->ConnectionPoint();
  const CPoint to = in->ConnectionPoint();
  const CPoint detour[] = {from, CPoint(from.x + 20, from.y), CPoint(from.x + 20, from.y - 60),
                           CPoint(to.x - 20, from.y - 60), CPoint(to.x - 20, to.y), to};
  ASSERT_TRUE(wires[1]->ReRoute(detour, 6));
  h.diagram->SetAutoRouteModeAndMethod(2, 2);
  ASSERT_EQ(h.diagram->GetAutoRouteMode(), 2u);
  h.doc.ClearUndoStack();

  // The third wire's end pulled off the out port while the wire tool keeps
  // the capture, so that the release still reaches the select tool; then
  // the wire is given up.
  const BOOL capture = CDiagram::m_bCaptureArcCreation;
  CDiagram::m_bCaptureArcCreation = TRUE;
  h.view.Select(wires[2], FALSE);
  const int end = wires[2]->GetHandle(1) == from ? 1 : wires[2]->GetHandleCount();
  const CPoint pulled = Client(wires[2]->GetHandle(end));
  Drag({pulled, pulled + CSize(10, 10), pulled + CSize(40, 30)});
  ASSERT_FALSE(wires[2]->IsComplete());
  CDrawToolSet::GetArcTool()->OnCancel(&h.view);
  CDiagram::m_bCaptureArcCreation = capture;
  CDrawTool::SetActiveTool(tool);
  h.doc.ClearUndoStack();

  const std::vector<BYTE> before = doctest::StoreDocument(h.doc);
  h.view.Select(block, FALSE);
  const CPoint corner = Client(block->GetHandle(2));
  Drag({corner, corner + CSize(2, 2), corner + CSize(-20, -120)});
  ASSERT_EQ(h.doc.GetNumberUndosOnStack(), 1);
  const std::vector<BYTE> after = doctest::StoreDocument(h.doc);
  ASSERT_NE(after, before);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(h.doc.UndoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), before);
    ASSERT_TRUE(h.doc.RedoLast());
    EXPECT_EQ(doctest::StoreDocument(h.doc), after);
  }
  h.diagram->SetAutoRouteModeAndMethod(0, 0);
}

}  // namespace
