// The creation tools driven by mouse messages: shapes dragged out, polygons
// and polylines drawn point by point, texts and blocks placed, the monitor
// toggled and the view zoomed to a dragged rectangle. Every creation is one
// undo entry, and a gesture given up leaves none.
#include <gtest/gtest.h>

#include <deque>

#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/model/objects/DrawText.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/ClientPoints.h"
#include "diagram/ui/DrawToolSet.h"
#include "diagram/ui/MonitorTool.h"
#include "diagram/ui/PlacerTool.h"
#include "diagram/ui/PolyTool.h"
#include "diagram/ui/RectTool.h"
#include "diagram/ui/SelectTool.h"
#include "diagram/ui/TextTool.h"
#include "diagram/ui/ZoomTool.h"
#include "diagram/ui/tests/ViewTestSupport.h"
#include "platform/core/ResourceModule.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowApi.h"

namespace {

class CreationToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.Open(1, 1, 100);
    if (h.diagram->IsSnapToGridEnabled()) h.diagram->ToggleSnapToGrid();
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    origin = h.diagram->GetRect().TopLeft();
    h.doc.ClearUndoStack();
  }
  void TearDown() override {
    if (CDrawTool* tool = CDrawTool::GetActiveTool()) tool->OnCancel(&h.view);
    CDrawTool::SetActiveTool(CDrawToolSet::GetSelectTool());
    CDrawTool::selectMode = smNone;
    CDrawTool::nDragHandle = 0;
  }

  CPoint At(int right, int down) const { return CPoint(origin.x + right, origin.y - down); }
  CPoint Client(CPoint doc) { return diagramtest::ClientPoint(h.view, doc); }
  // Mouse messages at document points, as the view hands them to `tool`.
  void Down(CDrawTool* tool, CPoint doc, unsigned flags = MK_LBUTTON) {
    CDrawTool::SetActiveTool(tool);
    tool->OnLButtonDown(&h.view, flags, Client(doc));
  }
  void Move(CDrawTool* tool, CPoint doc, unsigned flags = 0) { tool->OnMouseMove(&h.view, flags, Client(doc)); }
  void Up(CDrawTool* tool, CPoint doc) { tool->OnLButtonUp(&h.view, 0, Client(doc)); }
  void Click(CDrawTool* tool, CPoint doc) {
    Down(tool, doc);
    Up(tool, doc);
  }
  CStringW LastEntry() { return CStringW(h.doc.GetNextUndoCmdName()); }
  int Entries() const { return h.doc.GetNumberUndosOnStack(); }
  INT_PTR Objects() const { return h.diagram->GetObjects().GetCount(); }
  static std::vector<CPoint> PointsOf(CDrawPoly* poly) {
    std::vector<CPoint> points;
    for (int i = 1; i <= poly->GetHandleCount(); ++i) points.push_back(poly->GetHandle(i));
    return points;
  }

  viewtest::ViewHarness<CDrawView> h;
  CPoint origin;
};

TEST_F(CreationToolTest, TheToolSetHandsOutEachToolByItsShape) {
  struct Case {
    DrawShape shape;
    CDrawTool* rect;
    CDrawTool* poly;
  };
  const Case cases[] = {
      {dsSelection, nullptr, nullptr},
      {dsLine, &CDrawToolSet::lineTool, nullptr},
      {dsRect, &CDrawToolSet::rectTool, nullptr},
      {dsRoundRect, &CDrawToolSet::roundRectTool, nullptr},
      {dsEllipse, &CDrawToolSet::ellipseTool, nullptr},
      {dsPolygon, nullptr, &CDrawToolSet::polygonTool},
      {dsPolyline, nullptr, &CDrawToolSet::polylineTool},
      {dsText, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CDrawToolSet::GetRectTool(c.shape), c.rect) << c.shape;
    EXPECT_EQ(CDrawToolSet::GetPolyTool(c.shape), c.poly) << c.shape;
    if (c.rect) {
      EXPECT_EQ(c.rect->GetDrawShape(), c.shape);
    }
    if (c.poly) {
      EXPECT_EQ(c.poly->GetDrawShape(), c.shape);
    }
  }
  EXPECT_EQ(CDrawToolSet::GetTextTool()->GetDrawShape(), dsText);
  EXPECT_EQ(CDrawToolSet::GetBlockTool()->GetDrawShape(), dsPlacer);
  EXPECT_EQ(CDrawToolSet::GetBlockTool()->GetBlockType(), -1);
  EXPECT_EQ(CDrawToolSet::GetMonitorTool()->GetDrawShape(), dsMonitor);
  EXPECT_EQ(CDrawToolSet::GetZoomTool()->GetDrawShape(), dsZoom);
}

TEST_F(CreationToolTest, ADragMakesTheShapeOfTheToolAsOneEntry) {
  struct Case {
    DrawShape tool;
    CDrawRect::Shape shape;
    const char16_t* entry;
  };
  const Case cases[] = {
      {dsLine, CDrawRect::line, u"Add Line"},
      {dsRect, CDrawRect::rectangle, u"Add Rectangle"},
      {dsRoundRect, CDrawRect::roundRectangle, u"Add RoundRect"},
      {dsEllipse, CDrawRect::ellipse, u"Add Ellipse"},
  };
  for (const Case& c : cases) {
    CRectTool* tool = CDrawToolSet::GetRectTool(c.tool);
    const INT_PTR before = Objects();
    const int entries = Entries();
    Down(tool, At(100, 100));
    Move(tool, At(160, 140), MK_LBUTTON);
    Up(tool, At(160, 140));
    ASSERT_EQ(Objects(), before + 1) << c.tool;
    auto* made = static_cast<CDrawRect*>(h.diagram->GetObjects().GetTail());
    EXPECT_EQ(made->GetShape(), c.shape) << c.tool;
    EXPECT_EQ(made->GetPenStyle(), CDrawRect(CRect(), c.shape).GetPenStyle()) << c.tool;
    // The press placed both corners; the drag moved the first one.
    EXPECT_EQ(made->GetPosition(), CRect(At(160, 140), At(100, 100))) << c.tool;
    EXPECT_EQ(Entries(), entries + 1) << c.tool;
    EXPECT_EQ(LastEntry(), CStringW(c.entry));
    EXPECT_TRUE(h.view.IsSelected(made));
    ASSERT_TRUE(h.doc.UndoLast());
    EXPECT_EQ(Objects(), before) << c.tool;
  }
}

// A shape dragged from one corner of the canvas to the other keeps the
// outline its pen draws on the canvas too (a load grows the canvas for an
// outline past its edge): the corners stop short of the edges by it.
TEST_F(CreationToolTest, AShapeDrawnFromEdgeToEdgeKeepsItsOutlineOnTheCanvas) {
  CRect canvas = h.diagram->GetRect();
  canvas.NormalizeRect();
  for (DrawShape shape : {dsLine, dsRect, dsEllipse}) {
    CRectTool* tool = CDrawToolSet::GetRectTool(shape);
    ASSERT_NE(tool, nullptr);
    Down(tool, CPoint(canvas.left - 40, canvas.bottom + 40));
    Move(tool, CPoint(canvas.right + 40, canvas.top - 40), MK_LBUTTON);
    Up(tool, CPoint(canvas.right + 40, canvas.top - 40));
    ASSERT_EQ(Objects(), 1);
    CDrawObj* object = h.diagram->GetObjects().GetHead();
    CRect outline = object->GetBoundingRect();
    outline.NormalizeRect();
    EXPECT_TRUE(canvas.left <= outline.left && outline.right <= canvas.right && canvas.top <= outline.top &&
                outline.bottom <= canvas.bottom)
        << shape;
    CRect position = object->GetPosition();
    position.NormalizeRect();
    EXPECT_GT(position.Width(), canvas.Width() - 10) << shape;
    h.doc.DeleteContents();
    ASSERT_TRUE(h.diagram->SetCanvasSize(1, 1));
  }
  // A polyline through three corners, its last point the rubber point.
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolyline);
  const CPoint corners[] = {CPoint(canvas.left - 40, canvas.bottom + 40), CPoint(canvas.right + 40, canvas.top - 40),
                            CPoint(canvas.right + 40, canvas.bottom + 40)};
  Click(tool, corners[0]);
  Move(tool, corners[1]);
  Click(tool, corners[1]);
  Move(tool, corners[2]);
  Click(tool, corners[2]);
  tool->OnLButtonDblClk(&h.view, MK_LBUTTON, Client(corners[2]));
  Up(tool, corners[2]);
  ASSERT_EQ(Objects(), 1);
  CRect outline = h.diagram->GetObjects().GetHead()->GetBoundingRect();
  outline.NormalizeRect();
  EXPECT_TRUE(canvas.left <= outline.left && outline.right <= canvas.right && canvas.top <= outline.top &&
              outline.bottom <= canvas.bottom);
}

TEST_F(CreationToolTest, AClickWithoutADragMakesNothingAndRecordsNothing) {
  const DrawShape shapes[] = {dsLine, dsRect, dsRoundRect, dsEllipse};
  for (DrawShape shape : shapes) {
    CRectTool* tool = CDrawToolSet::GetRectTool(shape);
    Click(tool, At(100, 100));
    EXPECT_EQ(Objects(), 0) << shape;
    EXPECT_EQ(Entries(), 0) << shape;
    EXPECT_EQ(h.doc.GetUndoLevel(), 0) << shape;
    EXPECT_TRUE(h.view.GetSelection().IsEmpty());
    EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());
  }
  // A rectangle dragged flat along one axis has no area either; a line
  // does.
  Down(&CDrawToolSet::rectTool, At(100, 100));
  Move(&CDrawToolSet::rectTool, At(200, 100), MK_LBUTTON);
  Up(&CDrawToolSet::rectTool, At(200, 100));
  EXPECT_EQ(Objects(), 0);
  Down(&CDrawToolSet::lineTool, At(100, 100));
  Move(&CDrawToolSet::lineTool, At(200, 100), MK_LBUTTON);
  Up(&CDrawToolSet::lineTool, At(200, 100));
  EXPECT_EQ(Objects(), 1);
}

TEST_F(CreationToolTest, APolygonIsClosedByAClickOnItsFirstPoint) {
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolygon);
  const CPoint corners[] = {At(100, 100), At(300, 100), At(200, 250)};
  for (const CPoint& corner : corners) {
    Move(tool, corner);
    Down(tool, corner);
    Up(tool, corner);
  }
  CDrawPoly* poly = tool->GetPolyInProgress();
  ASSERT_NE(poly, nullptr);
  EXPECT_FALSE(poly->IsPolyLine());
  Move(tool, corners[0]);
  Down(tool, corners[0]);
  EXPECT_EQ(tool->GetPolyInProgress(), nullptr);
  EXPECT_EQ(PointsOf(poly), std::vector<CPoint>(std::begin(corners), std::end(corners)));
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(LastEntry(), CStringW(u"Add Polygon"));
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(CreationToolTest, APolylineEndsAtADoubleClick) {
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolyline);
  Click(tool, At(100, 100));
  Move(tool, At(200, 150));
  Click(tool, At(200, 150));
  Move(tool, At(300, 100));
  // A double click: press, release, double click, release.
  Click(tool, At(300, 100));
  tool->OnLButtonDblClk(&h.view, MK_LBUTTON, Client(At(300, 100)));
  Up(tool, At(300, 100));
  ASSERT_EQ(Objects(), 1);
  auto* poly = static_cast<CDrawPoly*>(h.diagram->GetObjects().GetHead());
  EXPECT_TRUE(poly->IsPolyLine());
  EXPECT_EQ(PointsOf(poly), (std::vector<CPoint>{At(100, 100), At(200, 150), At(300, 100)}));
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(LastEntry(), CStringW(u"Add PolyLine"));
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_EQ(Objects(), 0);
}

TEST_F(CreationToolTest, ARightClickRemovesTheLastFixedPointButKeepsTwo) {
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolyline);
  doctest::ScriptedMsgBox box;
  Click(tool, At(100, 100));
  CDrawPoly* poly = tool->GetPolyInProgress();
  ASSERT_NE(poly, nullptr);
  Move(tool, At(200, 100));
  const std::vector<CPoint> two = PointsOf(poly);
  ASSERT_EQ(two.size(), 2u);
  tool->OnRButtonDown(&h.view, 0, Client(At(200, 100)));
  EXPECT_EQ(box.notified, std::vector<ULONG>{28});
  EXPECT_EQ(PointsOf(poly), two);

  Click(tool, At(200, 100));
  Move(tool, At(250, 200));
  ASSERT_EQ(poly->GetHandleCount(), 3);
  tool->OnRButtonDown(&h.view, 0, Client(At(250, 200)));
  EXPECT_EQ(PointsOf(poly), (std::vector<CPoint>{At(100, 100), At(250, 200)}));
  EXPECT_EQ(CDrawTool::nDragHandle, 2);
}

TEST_F(CreationToolTest, ADrawingGivenUpLeavesNoObjectAndNoEntry) {
  const DrawShape shapes[] = {dsPolygon, dsPolyline};
  for (DrawShape shape : shapes) {
    CPolyTool* tool = CDrawToolSet::GetPolyTool(shape);
    Click(tool, At(100, 100));
    Move(tool, At(200, 100));
    Click(tool, At(200, 100));
    tool->OnCancel(&h.view);
    EXPECT_EQ(tool->GetPolyInProgress(), nullptr);
    EXPECT_EQ(Objects(), 0) << shape;
    EXPECT_EQ(Entries(), 0) << shape;
    EXPECT_EQ(h.doc.GetUndoLevel(), 0) << shape;
    EXPECT_TRUE(h.view.GetSelection().IsEmpty());
  }
  // A double click on the first point leaves a single point: no polyline.
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolyline);
  Click(tool, At(100, 100));
  tool->OnLButtonDblClk(&h.view, MK_LBUTTON, Client(At(100, 100)));
  EXPECT_EQ(Objects(), 0);
  EXPECT_EQ(Entries(), 0);
}

TEST_F(CreationToolTest, ADrawingWhoseObjectIsDestroyedLeavesTheToolIdle) {
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolyline);
  Click(tool, At(100, 100));
  ASSERT_NE(tool->GetPolyInProgress(), nullptr);
  h.view.Select(nullptr, FALSE);
  h.doc.DeleteContents();
  EXPECT_EQ(tool->GetPolyInProgress(), nullptr);
  // Its recording is closed by the next press, which starts a drawing of
  // its own: one entry, as any other.
  Click(tool, At(100, 100));
  Move(tool, At(200, 150));
  Click(tool, At(200, 150));
  tool->OnLButtonDblClk(&h.view, MK_LBUTTON, Client(At(200, 150)));
  EXPECT_EQ(h.doc.GetUndoLevel(), 0);
  EXPECT_EQ(Objects(), 1);
  EXPECT_EQ(Entries(), 1);
  // Or by a cancel.
  Click(tool, At(300, 300));
  h.view.Select(nullptr, FALSE);
  h.doc.DeleteContents();
  tool->OnCancel(&h.view);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0);
}

TEST_F(CreationToolTest, AShapeTakenAwayWhileDraggedIsNeverTouchedAgain) {
  CRectTool* tool = &CDrawToolSet::rectTool;
  Down(tool, At(100, 100));
  Move(tool, At(150, 150), MK_LBUTTON);
  ASSERT_EQ(Objects(), 1);
  h.doc.DeleteContents();
  Move(tool, At(160, 160), MK_LBUTTON);
  Up(tool, At(160, 160));
  EXPECT_EQ(Objects(), 0);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  // The next drawing, on the canvas of a new diagram, starts afresh as one
  // entry.
  ASSERT_TRUE(h.diagram->SetCanvasSize(1, 1));
  h.doc.ClearUndoStack();
  Down(tool, At(100, 100));
  Move(tool, At(150, 150), MK_LBUTTON);
  Up(tool, At(150, 150));
  EXPECT_EQ(Objects(), 1);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(CreationToolTest, DraggingWithTheButtonHeldDrawsFreehand) {
  CPolyTool* tool = CDrawToolSet::GetPolyTool(dsPolyline);
  Down(tool, At(100, 100));
  CDrawPoly* poly = tool->GetPolyInProgress();
  ASSERT_NE(poly, nullptr);
  Move(tool, At(120, 110), MK_LBUTTON);
  Move(tool, At(140, 130), MK_LBUTTON);
  EXPECT_EQ(poly->GetHandleCount(), 4);
  EXPECT_EQ(poly->GetHandle(4), At(140, 130));
  EXPECT_EQ(CDrawTool::nDragHandle, 4);
  EXPECT_EQ(::GetCursor(), tool->GetPencilCursor());
  EXPECT_EQ(tool->GetPencilCursor(), ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(CPolyTool::kPencilCursor),
                                                                         RT_GROUP_CURSOR),
                                                  MAKEINTRESOURCE(CPolyTool::kPencilCursor)));
  EXPECT_TRUE(tool->LoadCursorForToolInPencilMode(0, FALSE));
  EXPECT_FALSE(tool->LoadCursorForToolInPencilMode(1, FALSE));
  EXPECT_NE(tool->GetPencilCursor(), nullptr);
}

TEST_F(CreationToolTest, ATextIsPlacedAndOpenedAtOnce) {
  CTextTool* tool = CDrawToolSet::GetTextTool();
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      EXPECT_EQ(s.Text(28094), CStringW(u"text"));
      s.EnterText(28094, CStringW(u"Speed"));
      s.Click(IDOK);
    });
    Click(tool, At(100, 100));
  }
  ASSERT_EQ(Objects(), 1);
  auto* text = static_cast<CDrawText*>(h.diagram->GetObjects().GetHead());
  EXPECT_EQ(text->TextString(), CStringW(u"Speed"));
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(LastEntry(), CStringW(u"Add Text"));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  ASSERT_TRUE(h.doc.UndoLast());
  EXPECT_EQ(Objects(), 0);

  // A text emptied in its dialog goes again, leaving no entry.
  {
    platform::ScopedModalDriver driver([](platform::ModalSession& s) {
      s.EnterText(28094, CStringW(u""));
      s.Click(IDOK);
    });
    Click(tool, At(100, 100));
  }
  EXPECT_EQ(Objects(), 0);
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0);
}

TEST_F(CreationToolTest, ATextAtTheCanvasEdgeIsKeptOnTheCanvas) {
  platform::ScopedModalDriver driver([](platform::ModalSession& s) { s.Click(IDOK); });
  const CRect canvas = h.diagram->GetRect();
  Click(CDrawToolSet::GetTextTool(), CPoint(canvas.right - 1, canvas.bottom + 1));
  ASSERT_EQ(Objects(), 1);
  CRect position = h.diagram->GetObjects().GetHead()->GetPosition();
  position.NormalizeRect();
  CRect bounds = canvas;
  bounds.NormalizeRect();
  EXPECT_LE(position.right, bounds.right);
  EXPECT_GE(position.top, bounds.top);
}

TEST_F(CreationToolTest, ThePlacerMakesABlockAndTheSamePressDragsIt) {
  CPlacerTool* tool = CDrawToolSet::GetBlockTool();
  Click(tool, At(100, 100));
  EXPECT_EQ(Objects(), 0) << "an unarmed placer ignores presses";

  tool->StartPlacing(&h.view, 203);
  Down(tool, At(100, 100));
  CDrawBlock* block = tool->GetBlockPlaced();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetNumberOfInputPorts(), 2);
  EXPECT_EQ(block->GetNumberOfOutputPorts(), 3);
  EXPECT_TRUE(h.diagram->GetObjects().Find(block));
  EXPECT_TRUE(h.view.IsSelected(block));
  EXPECT_EQ(LastEntry(), CStringW(u"Add Block"));
  CSelectTool* select = CDrawToolSet::GetSelectTool();
  EXPECT_EQ(CDrawTool::GetActiveTool(), select);
  EXPECT_EQ(CDrawTool::selectMode, smMove);
  EXPECT_EQ(CWnd::GetCapture(), &h.view);

  const CRect placed = block->GetPosition();
  select->OnMouseMove(&h.view, MK_LBUTTON, Client(At(150, 130)));
  select->OnLButtonUp(&h.view, 0, Client(At(150, 130)));
  EXPECT_EQ(block->GetPosition(), placed + CSize(50, -30));
  EXPECT_EQ(LastEntry(), CStringW(u"Reposition"));
  EXPECT_EQ(Entries(), 2);
}

TEST_F(CreationToolTest, ABlockPlacedAtACanvasCornerLiesOnTheCanvasWithItsPorts) {
  CPlacerTool* tool = CDrawToolSet::GetBlockTool();
  const CRect canvas = h.diagram->GetRect();
  CRect bounds = canvas;
  bounds.NormalizeRect();
  const CPoint corners[] = {CPoint(canvas.right - 1, canvas.bottom + 1), CPoint(canvas.left + 1, canvas.top - 1),
                            CPoint(canvas.right - 1, canvas.top - 1)};
  for (const CPoint& corner : corners) {
    tool->StartPlacing(&h.view, 305);
    Down(tool, corner);
    CDrawBlock* block = tool->GetBlockPlaced();
    ASSERT_NE(block, nullptr);
    CDrawToolSet::GetSelectTool()->OnLButtonUp(&h.view, 0, Client(corner));
    CRect r = block->GetBoundingRectIncludingComponents();
    r.NormalizeRect();
    EXPECT_TRUE(bounds.left <= r.left && r.right <= bounds.right && bounds.top <= r.top && r.bottom <= bounds.bottom)
        << corner.x << "," << corner.y;
  }
  tool->ResetBlockType();
}

TEST_F(CreationToolTest, ABlockThatCannotBeMadeIsReportedAndLeavesNoEntry) {
  CPlacerTool placer(CPlacerTool::kPlacerCursor, RUNTIME_CLASS(CDrawText));
  doctest::ScriptedMsgBox box;
  placer.StartPlacing(&h.view, 101);
  Down(&placer, At(100, 100));
  EXPECT_EQ(box.notified, std::vector<ULONG>{32});
  EXPECT_EQ(Objects(), 0);
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(h.doc.GetUndoLevel(), 0);
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());
}

TEST_F(CreationToolTest, ARefusedRecordingEndsTheGestureUnchanged) {
  // A selected rectangle is not the rectangle tool's object.
  auto* other = new CDrawRect(CRect(At(400, 300), At(500, 200)));
  ASSERT_TRUE(h.diagram->Add(other));
  h.doc.ClearUndoStack();
  CDrawDoc::MemoryProbe old = CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  doctest::ScriptedMsgBox no;
  CDrawToolSet::GetBlockTool()->StartPlacing(&h.view, 101);
  CDrawTool* const tools[] = {&CDrawToolSet::rectTool, &CDrawToolSet::polygonTool, &CDrawToolSet::polylineTool,
                              CDrawToolSet::GetTextTool(), CDrawToolSet::GetBlockTool()};
  for (CDrawTool* tool : tools) {
    h.view.Select(other, FALSE);
    Down(tool, At(100, 100));
    Move(tool, At(200, 200), MK_LBUTTON);
    Up(tool, At(200, 200));
    EXPECT_EQ(Objects(), 1) << tool->GetDrawShape();
    EXPECT_EQ(other->GetPosition(), CRect(At(400, 300), At(500, 200))) << tool->GetDrawShape();
    EXPECT_EQ(h.doc.GetUndoLevel(), 0) << tool->GetDrawShape();
    EXPECT_NE(CWnd::GetCapture(), &h.view) << tool->GetDrawShape();
  }
  CDrawDoc::SetUndoMemoryProbe(old);
  CDrawToolSet::GetBlockTool()->ResetBlockType();
  EXPECT_EQ(Entries(), 0);
}

TEST_F(CreationToolTest, TheMonitorToolTogglesABlockAndAPort) {
  auto* block = new CDrawBlock;
  ASSERT_TRUE(block->InitializeAs(101, At(200, 200), &h.view));
  ASSERT_TRUE(block->AddBlockAndComponentsToDiagram(h.diagram));
  h.doc.ClearUndoStack();
  auto* port = static_cast<CDrawPort*>(block->GetPorts().GetHead());
  CMonitorTool* tool = CDrawToolSet::GetMonitorTool();
  const CPoint inBlock = block->GetPosition().CenterPoint();
  Click(tool, inBlock);
  EXPECT_TRUE(block->Monitor(3));
  Click(tool, inBlock);
  EXPECT_FALSE(block->Monitor(3));
  Click(tool, port->GetPosition().CenterPoint());
  EXPECT_TRUE(port->Monitor(3));
  EXPECT_FALSE(block->Monitor(3));
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(CreationToolTest, TheZoomToolZoomsTheViewToTheDraggedRectangle) {
  CZoomTool* tool = CDrawToolSet::GetZoomTool();
  const CSize before = h.view.GetScaleSize();
  Click(tool, At(100, 100));
  EXPECT_EQ(h.view.GetScaleSize(), before) << "a click zooms nothing";

  Down(tool, At(100, 100));
  Move(tool, At(300, 250), MK_LBUTTON);
  Up(tool, At(300, 250));
  EXPECT_GT(h.view.GetScaleSize().cx, before.cx);
  EXPECT_EQ(CDrawTool::GetActiveTool(), CDrawToolSet::GetSelectTool());
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  // The middle of the rectangle is in the middle of the window.
  CPoint middle = CRect(At(100, 100), At(300, 250)).CenterPoint();
  h.view.DocToClient(middle);
  const CSize client = h.Client();
  EXPECT_NEAR(middle.x, client.cx / 2, 2);
  EXPECT_NEAR(middle.y, client.cy / 2, 2);
}

TEST_F(CreationToolTest, ToolCursorsAreLoadedOnFirstUse) {
  struct Case {
    CDrawTool* tool;
    unsigned id;
  };
  const Case cases[] = {
      {CDrawToolSet::GetBlockTool(), CPlacerTool::kPlacerCursor},
      {CDrawToolSet::GetMonitorTool(), CMonitorTool::kMonitorCursor},
      {CDrawToolSet::GetZoomTool(), CZoomTool::kZoomCursor},
  };
  for (const Case& c : cases) {
    Move(c.tool, At(10, 10));
    HCURSOR expected =
        ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(c.id), RT_GROUP_CURSOR), MAKEINTRESOURCE(c.id));
    EXPECT_NE(expected, nullptr) << c.id;
    EXPECT_EQ(c.tool->GetToolCursor(), expected) << c.id;
  }
  EXPECT_EQ(CDrawToolSet::rectTool.GetToolCursor(), ::LoadCursor(nullptr, IDC_CROSS));
  EXPECT_EQ(CDrawToolSet::GetTextTool()->GetToolCursor(), ::LoadCursor(nullptr, IDC_IBEAM));
}

}  // namespace
