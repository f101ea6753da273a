// Moving objects off page boundaries: the layout along one axis, and the
// diagram's operation with its canvas growth, its choice of objects and its
// one undo step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/canvas/PageBoundaryTable.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/BlockDiagramFixture.h"

namespace {

using Span = PageBoundaryTable::Span;

// Pages 1100 long; 20 kept clear after each boundary and 10 before it, so a
// span of 1070 or more cannot fit between two bands.
TEST(PageBoundaryLayout, SpansLeaveTheBandsAroundEachBoundary) {
  struct Case {
    const char* name;
    std::vector<Span> spans;
    std::vector<int64_t> placed;
  };
  const Case cases[] = {
      {"the first span lies the leading margin inside the edge", {{500, 600}}, {20}},
      {"from negative coordinates too", {{-5000, -4900}}, {20}},
      {"a span across a boundary moves to the next page with those after it",
       {{100, 300}, {1000, 1200}, {1400, 1500}},
       {20, 1120, 1520}},
      {"ending the trailing margin before a boundary stays", {{0, 100}, {880, 1070}}, {20, 900}},
      {"one unit further is across the band", {{0, 100}, {880, 1071}}, {20, 1120}},
      {"starting within the leading margin after a boundary is across the band", {{0, 100}, {1090, 1150}},
       {20, 1120}},
      {"the largest shift moves every crossing span", {{0, 100}, {1000, 1150}, {1050, 1200}}, {20, 1120, 1170}},
      {"a span pushed across the next boundary moves again",
       {{0, 100}, {1000, 1100}, {1090, 2150}},
       {20, 1120, 2220}},
      {"a span that cannot fit between two bands moves once and stays",
       {{0, 100}, {1000, 3000}, {3200, 3300}},
       {20, 1120, 3320}},
      {"spans after a page with nothing near its boundary are still laid out",
       {{0, 100}, {3250, 3400}},
       {20, 3320}},
      {"the input order does not matter", {{1400, 1500}, {1000, 1200}, {100, 300}}, {1520, 1120, 20}},
      {"no spans", {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PageBoundaryTable::LayOut(c.spans, 1100, 20, 10), c.placed) << c.name;
}

// Margins of the diagram tests: top, bottom, left, right.
constexpr int kTop = 20;
constexpr int kBottom = 10;
constexpr int kLeft = 30;
constexpr int kRight = 15;

// A diagram (y upward or downward) of 2 x 2 pages shown in a view, with
// objects placed and found by their distances right and down from the
// canvas's top-left corner.
class PageBoundaryOnDiagram : public blocktest::BlockDiagram {
 protected:
  void SetUp() override {
    BlockDiagram::SetUp();
    if (HasFatalFailure()) return;
    if (diagram->IsSnapToGridEnabled()) diagram->ToggleSnapToGrid();
    page = diagram->GetPageSize();
  }
  // A plain object whose bounding rectangle has its top-left corner `right`
  // and `down` from the canvas's and the given size.
  CDrawObj* Place(int right, int down, CSize size) {
    auto* object = new CDrawObj(CRect(0, 0, size.cx, upward() ? -size.cy : size.cy));
    if (!diagram->Add(object)) {
      delete object;
      ADD_FAILURE() << "object not added";
      return nullptr;
    }
    PutAt(object, right, down);
    if (Where(object) != CPoint(right, down)) ADD_FAILURE() << "object not placed";
    return object;
  }
  // Moves the object so that Where gives (right, down).
  void PutAt(CDrawObj* object, int right, int down) {
    const CPoint move = CPoint(right, down) - Where(object);
    object->MoveBy(CPoint(move.x, upward() ? -move.y : move.y), TRUE);
  }
  // Where the object's bounding rectangle, components included, has its
  // top-left corner: right and down from the canvas's.
  CPoint Where(CDrawObj* object) const {
    CRect r = object->GetBoundingRectIncludingComponents();
    r.NormalizeRect();
    const CRect canvas = diagram->GetRect();
    const int down = upward() ? canvas.top - r.bottom : r.top - canvas.top;
    return CPoint(r.left - canvas.left, down);
  }
  // Whether a query of a small rectangle 10 units inside the corner at
  // (right, down) finds the object: it goes to the quad tree.
  bool FoundNear(CDrawObj* object, int right, int down) {
    const CRect canvas = diagram->GetRect();
    const CPoint corner(canvas.left + right + 10, upward() ? canvas.top - down - 10 : canvas.top + down + 10);
    CDrawList found;
    EXPECT_EQ(diagram->GetObjectsInRect(CRect(corner, CSize(5, 5)), found), 1);
    return found.Find(object) != nullptr;
  }
  int Avoid(int justBlocks = 0) { return diagram->AvoidPageBoundary(kTop, kBottom, kLeft, kRight, justBlocks); }

  CSize page;
};

TEST_P(PageBoundaryOnDiagram, ObjectsAcrossBoundariesMoveToTheNextPageWithThoseAfterThem) {
  const int w = page.cx;
  const int h = page.cy;
  CDrawObj* first = Place(100, 100, CSize(100, 200));
  CDrawObj* down = Place(100, h - 100, CSize(100, 200));      // across the boundary between pages 1 and 3
  CDrawObj* after = Place(100, h + 300, CSize(100, 100));     // below it
  CDrawObj* across = Place(w - 20, 400, CSize(100, 100));     // across the boundary between pages 1 and 2
  ASSERT_TRUE(first && down && after && across);
  doc.ClearUndoStack();

  EXPECT_EQ(Avoid(), 1);
  // The first object lies the margins inside the canvas; the one across
  // the horizontal boundary starts the top margin below it and the one
  // below keeps its distance; the one across the vertical boundary starts
  // the left margin right of it.
  EXPECT_EQ(Where(first), CPoint(kLeft, kTop));
  EXPECT_EQ(Where(down), CPoint(kLeft, h + kTop));
  EXPECT_EQ(Where(after), CPoint(kLeft, h + kTop + 400));
  EXPECT_EQ(Where(across), CPoint(w + kLeft, 320));
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"AvoidPageBoundary"));
  // The quad tree was rebuilt where the objects are now.
  EXPECT_TRUE(FoundNear(down, kLeft, h + kTop));
  EXPECT_FALSE(FoundNear(down, 100, h - 100));
}

TEST_P(PageBoundaryOnDiagram, AnObjectTallerThanAPageLessBothMarginsMovesOnceAndStays) {
  const int h = page.cy;
  CDrawObj* first = Place(100, 100, CSize(100, 100));
  CDrawObj* tall = Place(100, h - 100, CSize(100, 2 * h));
  ASSERT_TRUE(first && tall);
  EXPECT_EQ(Avoid(), 1);
  // Over the next two boundaries it is left where the first move put it,
  // and the canvas grows to its far edge, not just to its top.
  EXPECT_EQ(Where(tall), CPoint(kLeft, h + kTop));
  EXPECT_EQ(diagram->GetCanvasSize().cy, 4);
}

TEST_P(PageBoundaryOnDiagram, OneUndoStepRestoresTheObjectsAndTheCanvas) {
  const int h = page.cy;
  CDrawObj* first = Place(100, 100, CSize(100, 200));
  CDrawObj* crossing = Place(100, h - 100, CSize(100, 200));
  CDrawObj* last = Place(100, 2 * h - 250, CSize(100, 200));  // pushed across the canvas's bottom edge
  ASSERT_TRUE(first && crossing && last);
  const std::vector<CDrawObj*> objects = {first, crossing, last};
  auto positions = [&objects] {
    std::vector<CRect> r;
    for (CDrawObj* object : objects) r.push_back(object->GetPosition());
    return r;
  };
  const std::vector<CRect> before = positions();
  const CRect canvasBefore = diagram->GetRect();
  doc.ClearUndoStack();

  ASSERT_EQ(Avoid(), 1);
  const std::vector<CRect> after = positions();
  EXPECT_EQ(Where(last), CPoint(kLeft, 2 * h + kTop));
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 3));
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(positions(), before);
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
  EXPECT_EQ(diagram->GetRect(), canvasBefore);

  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(positions(), after);
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 3));
}

// A group moves as one with its members, and an undo puts all of them back
// (the stream as it was).
TEST_P(PageBoundaryOnDiagram, AGroupMovesWithItsMembersAndComesBackWithAnUndo) {
  const int h = page.cy;
  CDrawObj* first = Place(100, h - 100, CSize(100, 200));
  CDrawObj* second = Place(300, h - 50, CSize(100, 100));
  ASSERT_TRUE(first && second);
  CDrawGroup* group = diagram->MakeDrawGroup();
  ASSERT_TRUE(diagram->Add(group));
  CDrawList members;
  members.AddTail(first);
  members.AddTail(second);
  ASSERT_TRUE(group->SetMembers(members, FALSE));
  doc.ClearUndoStack();
  const std::vector<BYTE> before = doctest::StoreDocument(doc);
  const CRect groupBefore = group->GetPosition();

  ASSERT_EQ(Avoid(), 1);
  EXPECT_EQ(Where(first), CPoint(kLeft, kTop));
  EXPECT_EQ(Where(second), CPoint(kLeft + 200, kTop + 50));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(group->GetPosition(), groupBefore);
  EXPECT_EQ(Where(first), CPoint(100, h - 100));
  EXPECT_EQ(doctest::StoreDocument(doc), before);
}

TEST_P(PageBoundaryOnDiagram, ABlockMovesWithItsPortsAndItsWireFollows) {
  const int h = page.cy;
  CDrawBlock* source = PlaceBlock(1, diagram->GetRect().TopLeft());
  CDrawBlock* target = PlaceBlock(100, diagram->GetRect().TopLeft());
  ASSERT_TRUE(source && target);
  PutAt(source, 300, kTop);
  PutAt(target, 600, h - 20);  // across the boundary below page 1
  CDrawArc* wire = Wire(PortOf(source, 0), PortOf(target, 0));
  ASSERT_NE(wire, nullptr);
  const CSize portOffset = PortOf(target, 0)->GetPosition().TopLeft() - target->GetPosition().TopLeft();
  doc.ClearUndoStack();

  ASSERT_EQ(Avoid(1), 1);
  EXPECT_EQ(Where(source), CPoint(kLeft, kTop));
  EXPECT_EQ(Where(target), CPoint(kLeft + 300, h + kTop));
  EXPECT_EQ(PortOf(target, 0)->GetPosition().TopLeft() - target->GetPosition().TopLeft(), portOffset);
  EXPECT_EQ(wire->GetHandle(1), PortOf(source, 0)->ConnectionPoint());
  EXPECT_EQ(wire->GetHandle(wire->GetHandleCount()), PortOf(target, 0)->ConnectionPoint());
}

// The canvas grows under a block wired to another, and an undo takes it back
// to its size with everything where it was, byte for byte, whatever the wire
// did on the way: a bend, snapping, or a re-route of each router. A wire made
// between two ports stores the bounds of its points, as its re-route on undo
// gives them.
TEST_P(PageBoundaryOnDiagram, AnUndoShrinksTheCanvasBackUnderWiredBlocks) {
  struct Case {
    const char* name;
    bool bend;
    bool snap;
    UINT routeMethod;  // dynamic re-routing with this router; 0 none
  };
  const Case cases[] = {
      {"a straight wire", false, false, 0}, {"a bent wire", true, false, 0}, {"with snapping", true, true, 0},
      {"re-routed by router 1", true, false, 1}, {"re-routed by router 2", false, false, 2},
      {"re-routed by router 3", true, true, 3},
  };
  const int h = page.cy;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    diagram->DeleteContents();
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    if ((diagram->IsSnapToGridEnabled() != 0) != c.snap) diagram->ToggleSnapToGrid();
    diagram->SetAutoRouteModeAndMethod(c.routeMethod ? 2 : 0, c.routeMethod ? c.routeMethod : 1);
    CDrawBlock* source = PlaceBlock(1, diagram->GetRect().TopLeft());
    CDrawBlock* target = PlaceBlock(100, diagram->GetRect().TopLeft());
    ASSERT_TRUE(source && target);
    PutAt(source, 300, kTop);
    // A shape across the boundary below page 1 pushes the target down
    // across the canvas's lower edge.
    ASSERT_NE(Place(100, h - 100, CSize(100, 200)), nullptr);
    PutAt(target, 600, 2 * h - 60);
    CDrawArc* wire = Wire(PortOf(source, 0), PortOf(target, 0));
    ASSERT_NE(wire, nullptr);
    if (c.bend) {
      const CRect canvas = diagram->GetRect();
      ASSERT_TRUE(wire->InsertPoint(1, CPoint(canvas.left + 900, upward() ? canvas.top - h - 200 : canvas.top + h + 200),
                                    &view));
    }
    doc.ClearUndoStack();
    const std::vector<BYTE> before = doctest::StoreDocument(doc);
    const CRect canvasBefore = diagram->GetRect();

    ASSERT_EQ(Avoid(), 1);
    const CSize grown = diagram->GetCanvasSize();
    EXPECT_EQ(grown.cy, 3);
    const std::vector<BYTE> after = doctest::StoreDocument(doc);
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(diagram->GetCanvasSize(), CSize(2, 2));
    EXPECT_EQ(diagram->GetRect(), canvasBefore);
    if (upward()) {
      EXPECT_EQ(doctest::StoreDocument(doc), before);
    }
    ASSERT_TRUE(doc.RedoLast());
    EXPECT_EQ(diagram->GetCanvasSize(), grown);
    if (upward()) {
      EXPECT_EQ(doctest::StoreDocument(doc), after);
    }
    doc.ClearUndoStack();
    doc.ClearRedoStack();
  }
  diagram->SetAutoRouteModeAndMethod(0, 1);
}

TEST_P(PageBoundaryOnDiagram, JustBlocksLeavesTheOtherObjects) {
  const int h = page.cy;
  CDrawBlock* block = PlaceBlock(1, diagram->GetRect().TopLeft());
  ASSERT_NE(block, nullptr);
  PutAt(block, 300, h - 20);
  CDrawObj* shape = Place(600, h - 50, CSize(100, 100));
  ASSERT_NE(shape, nullptr);

  ASSERT_EQ(Avoid(1), 1);
  EXPECT_EQ(Where(block), CPoint(kLeft, kTop));
  EXPECT_EQ(Where(shape), CPoint(600, h - 50));
  ASSERT_EQ(Avoid(0), 1);
  EXPECT_EQ(Where(shape), CPoint(600, h + kTop));
}

INSTANTIATE_TEST_SUITE_P(BothDirections, PageBoundaryOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Upward" : "Downward");
                         });

// A diagram whose canvas has its origin at a corner, y upward.
class CornerDiagram : public CDiagram {
 public:
  int GetCanvasMode() const override { return 1; }
};

// A document that can be told to refuse every recording.
class RefusingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    return refuse ? FALSE : CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  bool refuse = false;
};

// An upward diagram of 1 x 1 pages in a document without views.
class GrowingCanvas : public ::testing::Test {
 protected:
  void Use(CDiagram* d) {
    diagram = d;
    diagram->SetDocument(&doc);
    if (diagram->IsSnapToGridEnabled()) diagram->ToggleSnapToGrid();
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    page = diagram->GetPageSize();
  }
  // A plain object `down` below the canvas's top edge, 100 right of its
  // left edge, `height` high.
  CDrawObj* Place(int down, int height) {
    const CRect canvas = diagram->GetRect();
    auto* object = new CDrawObj(CRect(canvas.left + 100, canvas.top - down, canvas.left + 200, canvas.top - down - height));
    if (!diagram->Add(object)) {
      delete object;
      return nullptr;
    }
    return object;
  }
  // The y of the object's upper edge.
  static int Top(CDrawObj* object) {
    CRect r = object->GetPosition();
    r.NormalizeRect();
    return r.bottom;
  }

  RefusingDoc doc;
  CDiagram* diagram = nullptr;
  CSize page;
};

// The canvas grows by a page down: a centred canvas grows on both sides and
// its top rises by half a page, a corner canvas with y upward by a whole
// page; the objects keep their distances from the top either way.
TEST_F(GrowingCanvas, TheObjectsKeepTheirPlacesOnTheGrownCanvas) {
  CornerDiagram corner;
  const int h = doc.GetDiagram()->GetPageSize().cy;
  struct Case {
    const char* name;
    CDiagram* kind;
    int grownTop;  // the y of the grown canvas's top edge
  };
  const Case cases[] = {{"centred", doc.GetDiagram(), h}, {"corner", &corner, 2 * h}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc.SetActiveDiagram(c.kind);
    Use(c.kind);
    CDrawObj* first = Place(100, 200);
    CDrawObj* crossing = Place(h - 100, 200);  // across the canvas's bottom edge
    ASSERT_TRUE(first && crossing);
    ASSERT_EQ(diagram->AvoidPageBoundary(kTop, kBottom, kLeft, kRight, 0), 1);
    EXPECT_EQ(diagram->GetCanvasSize(), CSize(1, 2));
    EXPECT_EQ(diagram->GetRect().top, c.grownTop);
    EXPECT_EQ(Top(first), c.grownTop - kTop);
    EXPECT_EQ(Top(crossing), c.grownTop - h - kTop);
    doc.ClearUndoStack();
    diagram->DeleteContents();
  }
  doc.SetActiveDiagram(doc.GetDiagram());
}

TEST_F(GrowingCanvas, NothingToMoveChangesNothing) {
  struct Case {
    const char* name;
    bool withShape;
    int justBlocks;
  };
  const Case cases[] = {{"an empty diagram", false, 0}, {"no blocks with just blocks", true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(doc.GetDiagram());
    CDrawObj* shape = c.withShape ? Place(page.cy - 50, 100) : nullptr;
    const CRect before = shape ? shape->GetPosition() : CRect();
    doc.ClearUndoStack();
    EXPECT_EQ(diagram->AvoidPageBoundary(kTop, kBottom, kLeft, kRight, c.justBlocks), 1);
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
    EXPECT_EQ(diagram->GetCanvasSize(), CSize(1, 1));
    if (shape) {
      EXPECT_EQ(shape->GetPosition(), before);
    }
    diagram->DeleteContents();
  }
}

TEST_F(GrowingCanvas, ARefusedRecordingChangesNothing) {
  Use(doc.GetDiagram());
  CDrawObj* crossing = Place(page.cy - 50, 100);
  ASSERT_NE(crossing, nullptr);
  const CRect before = crossing->GetPosition();
  doc.ClearUndoStack();
  doc.refuse = true;
  EXPECT_EQ(diagram->AvoidPageBoundary(kTop, kBottom, kLeft, kRight, 0), 0);
  doc.refuse = false;
  EXPECT_EQ(crossing->GetPosition(), before);
  EXPECT_EQ(diagram->GetCanvasSize(), CSize(1, 1));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

}  // namespace
