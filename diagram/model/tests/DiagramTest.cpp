// The diagram: its object list and z-order, queries, grid, snapping and
// clamping, canvas and pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/objects/DrawOleObj.h"
#include "diagram/model/canvas/PrinterSetupInfo.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/model/tests/DownDiagram.h"
#include "platform/core/GlobalMemory.h"
#include "platform/ui/PrintDialog.h"

namespace {

using diagramtest::DownDiagram;

// A diagram whose origin is the canvas's corner.
class CornerDiagram : public CDiagram {
 public:
  int GetCanvasMode() const override { return 1; }
};

std::vector<CDrawObj*> Order(const CDiagram& diagram) {
  std::vector<CDrawObj*> v;
  for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) v.push_back(diagram.GetObjects().GetNext(pos));
  return v;
}

// Every object's z-index is its place in the list.
void ExpectZIndexesArePositions(const CDiagram& diagram) {
  int i = 0;
  for (CDrawObj* object : Order(diagram)) {
    ASSERT_EQ(object->GetZIndex(), i) << "at place " << i;
    ++i;
  }
}

class DiagramWithDocument : public ::testing::Test {
 protected:
  void SetUp() override { diagram.SetDocument(&doc); }
  CDrawObj* AddBox(const CRect& r) {
    auto* object = new CDrawObj(r);
    EXPECT_TRUE(diagram.Add(object));
    return object;
  }

  CDrawDoc doc;
  CDiagram& diagram = *doc.GetDiagram();
};

// The clipboard and drag and drop with nothing to do change nothing; an OLE
// object is made empty.
TEST(DiagramTest, ClipboardMembersWithNothingToDoChangeNothingAndOleObjectsAreMadeEmpty) {
  CDiagram diagram;
  CDrawList objects;
  diagram.EditCopy(objects, CDiagram::m_cfDraw, CPoint(0, 0), nullptr);
  EXPECT_FALSE(diagram.IsHostInDrag(nullptr));
  diagram.DragAndDrop(objects, nullptr);
  EXPECT_FALSE(diagram.IsInDrag());
  // An OLE object is made at the point, empty, without an item.
  std::unique_ptr<CDrawOleObj> ole(diagram.MakeDrawOleObj(CPoint(3, 4)));
  ASSERT_NE(ole, nullptr);
  EXPECT_EQ(ole->GetPosition(), CRect(3, 4, 3, 4));
  EXPECT_EQ(ole->GetItem(), nullptr);
  EXPECT_TRUE(diagram.GetObjects().IsEmpty());
}

TEST(DiagramGridTest, SnappingRoundsHalvesTowardPlusInfinity) {
  struct Case {
    int step, value, expected;
  };
  const Case cases[] = {
      {10, 14, 10}, {10, 15, 20}, {10, -15, -10}, {10, -16, -20}, {10, 5, 10}, {10, -5, 0},
      {10, -4, 0},  {10, 0, 0},   {7, 3, 0},      {7, 4, 7},      {7, -3, 0},  {7, -4, -7},
  };
  for (const Case& test : cases) {
    CDiagram diagram;
    ASSERT_TRUE(diagram.SetGrid(CSize(test.step, test.step), CSize(10, 10)));
    CPoint point(test.value, -test.value);
    diagram.SnapToGrid(point);
    EXPECT_EQ(point.x, test.expected) << "step " << test.step << " value " << test.value;
    // The same rule for y, and snapping works whether or not it is on.
    diagram.ToggleSnapToGrid();
    CPoint mirrored(0, test.value);
    diagram.SnapToGrid(mirrored);
    EXPECT_EQ(mirrored.y, test.expected);
  }
}

TEST(DiagramGridTest, ForcingAPointOntoTheCanvas) {
  // One page of 850 x 1100 centred on the origin, y up: x -425..425,
  // y -550..550.
  struct Case {
    bool snapping;
    CPoint in, out;
  };
  const Case cases[] = {
      {false, CPoint(-1000, 0), CPoint(-425, 0)},     {false, CPoint(1000, 2000), CPoint(425, 550)},
      {false, CPoint(17, -23), CPoint(17, -23)},      {true, CPoint(17, -23), CPoint(17, -23)},
      // Low edge: low + (10 - 1) / 2 = -421, snapped to -420.
      {true, CPoint(-1000, 0), CPoint(-420, 0)},      // High edge: 425 - 5 = 420.
      {true, CPoint(1000, -3000), CPoint(420, -550)},  // y: -550 + 4 = -546, snapped to -550.
      // x is inside but snaps to 430, past the edge between grid lines: one
      // step back in.
      {true, CPoint(425, -3000), CPoint(420, -550)},
  };
  for (const Case& test : cases) {
    CDiagram diagram;
    ASSERT_TRUE(diagram.SetCanvasSize(1, 1));
    if (!test.snapping) diagram.ToggleSnapToGrid();
    CPoint point = test.in;
    diagram.ForcePointOnDiagram(point);
    EXPECT_EQ(point, test.out) << test.in.x << "," << test.in.y << " snapping " << test.snapping;
  }
}

TEST(DiagramGridTest, ForcingARectangleWithinBounds) {
  CDiagram diagram;
  diagram.ToggleSnapToGrid();
  const CRect bounds(0, 0, 100, 50);
  struct Case {
    CRect in, out;
  };
  const Case cases[] = {
      {CRect(10, 10, 20, 20), CRect(10, 10, 20, 20)},
      {CRect(90, 40, 120, 60), CRect(70, 30, 100, 50)},  // pushed back from the far corner
      {CRect(-30, -5, -10, 5), CRect(0, 0, 20, 10)},     // pushed in at the near corner
      {CRect(20, 60, -10, 40), CRect(0, 30, 30, 50)},    // unnormalised input
      // Wider and taller than the bounds: the left and top edges win.
      {CRect(-50, -50, 250, 150), CRect(0, 0, 300, 200)},
  };
  for (const Case& test : cases) {
    CRect r = test.in;
    diagram.ForceRectWithinBounds(r, bounds);
    EXPECT_EQ(r, test.out) << test.in.left << "," << test.in.top << "," << test.in.right << "," << test.in.bottom;
  }
  // With snapping, the near corner pushed in at the left snaps its y from
  // 46 up to 50, which would take the bottom past the bounds: the rectangle
  // goes a grid step back up.
  diagram.ToggleSnapToGrid();
  ASSERT_EQ(diagram.GetGridSize(), CSize(10, 10));
  CRect r(-5, 46, 15, 50);
  diagram.ForceRectWithinBounds(r, bounds);
  EXPECT_EQ(r, CRect(0, 40, 20, 44));
}

TEST(DiagramCanvasTest, CanvasRectangleByModeAndDirection) {
  CDiagram up;
  DownDiagram down;
  CornerDiagram corner;
  for (CDiagram* d : std::vector<CDiagram*>{&up, &down, &corner}) ASSERT_TRUE(d->SetCanvasSize(1, 1));
  EXPECT_EQ(up.GetSize(), CSize(850, 1100));
  EXPECT_EQ(up.GetRect(), CRect(-425, 550, 425, -550));
  EXPECT_EQ(down.GetRect(), CRect(-425, -550, 425, 550));
  EXPECT_EQ(corner.GetRect(), CRect(0, 1100, 850, 0));
  EXPECT_EQ(up.GetOffsetDelta(), CSize(10, -10));
  EXPECT_EQ(down.GetOffsetDelta(), CSize(10, 10));
}

TEST(DiagramCanvasTest, PagesNeededToCoverAnExtent) {
  struct Case {
    int mode;
    CRect extent;  // y up: top is the larger y
    int across, down;
  };
  const Case cases[] = {
      {0, CRect(-425, 550, 425, -550), 1, 1},  {0, CRect(0, 10, 430, 0), 2, 1},  // beyond half a page right
      {0, CRect(-426, 10, 0, 0), 2, 1},        {0, CRect(0, 551, 10, 0), 1, 2},
      {0, CRect(0, 0, 10, -551), 1, 2},        {0, CRect(-2000, 0, 0, 0), 5, 1},  // 4000 units: 5 pages
      {1, CRect(0, 1100, 850, 0), 1, 1},       {1, CRect(0, 1101, 851, 0), 2, 2},
      {2, CRect(0, 9999, 9999, 0), 1, 1},  // unknown modes cover nothing
  };
  CDiagram diagram;
  for (const Case& test : cases) {
    int across = 0;
    int down = 0;
    diagram.GetMinPagesToCover(test.extent, test.mode, TRUE, across, down);
    EXPECT_EQ(across, test.across) << "mode " << test.mode << " right " << test.extent.right;
    EXPECT_EQ(down, test.down) << "mode " << test.mode << " top " << test.extent.top;
  }
}

TEST(DiagramCanvasTest, GrowingAnExtentKeepsItsDirection) {
  struct Case {
    CRect extent, rect, expected;
  };
  const Case cases[] = {
      {CRect(0, 0, 0, 0), CRect(5, 9, 7, 3), CRect(5, 9, 7, 3)},        // all-zero: replaced
      {CRect(0, 10, 10, 0), CRect(5, 20, 15, 5), CRect(0, 20, 15, 0)},  // upward
      {CRect(0, 0, 10, 10), CRect(5, 5, 15, 20), CRect(0, 0, 15, 20)},  // downward
      {CRect(0, 0, 10, 10), CRect(-5, 30, 1, -2), CRect(-5, -2, 10, 30)},
      {CRect(0, 4, 10, 4), CRect(0, 9, 1, 1), CRect(0, 9, 10, 1)},  // flat: direction of the rectangle
      {CRect(0, 4, 10, 4), CRect(0, 1, 1, 9), CRect(0, 1, 10, 9)},
  };
  for (const Case& test : cases) {
    CRect extent = test.extent;
    GrowExtentToBoundRect(extent, test.rect);
    EXPECT_EQ(extent, test.expected);
  }
}

TEST(DiagramCanvasTest, CanvasGrowsToItsObjectsButNotPastTheMaximum) {
  CDiagram diagram;
  auto* object = new CDrawObj(CRect(0, 10, 1000, 0));
  ASSERT_TRUE(diagram.Add(object));
  diagram.ComputePageSize();
  EXPECT_EQ(diagram.GetCanvasSize(), CSize(3, 1));
  // A smaller request is raised to cover the objects again.
  ASSERT_TRUE(diagram.SetCanvasSize(1, 1));
  EXPECT_EQ(diagram.GetCanvasSize(), CSize(3, 1));
  ASSERT_TRUE(diagram.SetCanvasSize(255, 255));
  EXPECT_EQ(diagram.GetCanvasSize(), CSize(255, 255));
  EXPECT_EQ(diagram.GetSize(), CSize(255 * 850, 255 * 1100));
}

TEST(DiagramCanvasTest, NewBlocksArePlacedOneStepApartAndWrapAtTheCanvasEdge) {
  CDiagram diagram;
  ASSERT_TRUE(diagram.SetCanvasSize(1, 1));  // x -425..425, y -550..550, y up
  diagram.ToggleSnapToGrid();
  diagram.SetLastClickPoint(CPoint(100, 100));
  EXPECT_EQ(diagram.NewBlockPlacementPoint(), CPoint(100, 100));
  EXPECT_EQ(diagram.NewBlockPlacementPoint(), CPoint(110, 90));
  EXPECT_EQ(diagram.NewBlockPlacementPoint(), CPoint(120, 80));
  // A click starts again from the click.
  diagram.SetLastClickPoint(CPoint(420, -540));
  EXPECT_EQ(diagram.NewBlockPlacementPoint(), CPoint(420, -540));
  // Beyond the right edge x comes back by a canvas width; at the bottom y
  // goes back up by a canvas height.
  EXPECT_EQ(diagram.NewBlockPlacementPoint(), CPoint(430 - 850, -550 + 1100));
  // A click off the canvas is brought onto it first.
  diagram.SetLastClickPoint(CPoint(900, 0));
  EXPECT_EQ(diagram.NewBlockPlacementPoint(), CPoint(425, 0));
}

TEST(DiagramPrinterTest, PageSizeOrientationAndPaperComeFromThePrinter) {
  CPrintDialog printer(TRUE);
  ASSERT_TRUE(printer.GetDefaults());  // the platform's A4 printer
  struct Case {
    short orientation;
    CSize page;
  };
  // The printable area of 210 x 297 mm paper, 197 x 284 mm inside the
  // printer's margins, in hundredths of an inch.
  for (const Case& test : {Case{DMORIENT_PORTRAIT, CSize(775, 1118)}, Case{DMORIENT_LANDSCAPE, CSize(1118, 775)}}) {
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(printer.m_pd.hDevMode));
    mode->dmOrientation = test.orientation;
    mode->dmFields |= DM_ORIENTATION;
    GlobalUnlock(printer.m_pd.hDevMode);
    CDiagram::UpdatePrinterPageSize(&printer);
    EXPECT_EQ(CDiagram::m_pageSize, test.page);
    EXPECT_EQ(CDiagram::m_shDefaultOrientation, test.orientation);
    EXPECT_EQ(CDiagram::m_shDefaultPaperSize, DMPAPER_A4);
    EXPECT_EQ(CDiagram::m_hMaxPages, 255);
    EXPECT_EQ(CDiagram::m_vMaxPages, 255);
  }
  GlobalFree(printer.m_pd.hDevMode);
  GlobalFree(printer.m_pd.hDevNames);
  printer.m_pd.hDevMode = nullptr;
  printer.m_pd.hDevNames = nullptr;
  // No application, so no application printer: the letter-size default.
  EXPECT_TRUE(CDiagram::UpdatePrinterPageSize(nullptr));
  EXPECT_EQ(CDiagram::m_pageSize, CSize(850, 1100));
  EXPECT_EQ(CDiagram::m_shDefaultOrientation, 1);
  EXPECT_EQ(CDiagram::m_shDefaultPaperSize, 1);
}

TEST_F(DiagramWithDocument, OwnPrinterSetupChangesThePageAndUndoes) {
  const BOOL usedDefaults = CDrawDoc::m_bUsePrinterDefaults;
  CDrawDoc::m_bUsePrinterDefaults = FALSE;
  ASSERT_TRUE(diagram.SetCanvasSize(1, 1));
  doc.ClearUndoStack();
  const CPrinterSetupInfo landscape(2, 9, CSize(1100, 850), CSize(100, 100));
  ASSERT_TRUE(diagram.SetPrinterSetupInfo(landscape));
  EXPECT_EQ(diagram.GetSavedOrientation(), 2);
  EXPECT_EQ(diagram.GetSavedPaperSize(), 9);
  EXPECT_EQ(diagram.GetPageSize(), CSize(1100, 850));
  EXPECT_EQ(diagram.GetMaxCanvasSize(), CSize(100, 100));
  EXPECT_EQ(diagram.GetSize(), CSize(1100, 850));
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"Change Printer Setup"));
  // The same set-up again changes nothing and records nothing.
  ASSERT_TRUE(diagram.SetPrinterSetupInfo(landscape));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(diagram.GetPageSize(), CSize(850, 1100));
  EXPECT_EQ(diagram.GetSize(), CSize(850, 1100));
  CDrawDoc::m_bUsePrinterDefaults = usedDefaults;
}

// A host's page set-up that no canvas can hold is refused before anything
// changes: a page of 1 to 0x7FFFFFFF / 255 units each way (so that 255 pages
// still fit a coordinate) and 1 to 255 pages each way at most.
TEST_F(DiagramWithDocument, APrinterSetupNoCanvasCanHoldIsRefusedAndChangesNothing) {
  const BOOL usedDefaults = CDrawDoc::m_bUsePrinterDefaults;
  CDrawDoc::m_bUsePrinterDefaults = FALSE;
  ASSERT_TRUE(diagram.SetCanvasSize(2, 2));
  doc.ClearUndoStack();
  doc.SetModifiedFlag(FALSE);
  const CSize size = diagram.GetSize();
  const CSize page = diagram.GetPageSize();
  const CSize most = diagram.GetMaxCanvasSize();
  const LONG longest = 0x7FFFFFFF / 255;
  const CPrinterSetupInfo refused[] = {
      {2, 9, CSize(0x7FFFFFFF, 0x7FFFFFFF), CSize(255, 255)},
      {2, 9, CSize(longest + 1, 1100), CSize(100, 100)},
      {2, 9, CSize(850, longest + 1), CSize(100, 100)},
      {2, 9, CSize(0, 1100), CSize(100, 100)},
      {2, 9, CSize(850, -1), CSize(100, 100)},
      {2, 9, CSize(850, 1100), CSize(0, 100)},
      {2, 9, CSize(850, 1100), CSize(100, 256)},
      {2, 9, CSize(850, 1100), CSize(-1, 100)},
  };
  for (const CPrinterSetupInfo& info : refused) {
    SCOPED_TRACE(testing::Message() << info.m_pageSize.cx << " x " << info.m_pageSize.cy << ", "
                                    << info.m_maxPages.cx << " x " << info.m_maxPages.cy << " pages");
    EXPECT_THROW(diagram.SetPrinterSetupInfo(info), CInvalidArgException);
    EXPECT_EQ(diagram.GetPageSize(), page);
    EXPECT_EQ(diagram.GetMaxCanvasSize(), most);
    EXPECT_EQ(diagram.GetSize(), size);
    EXPECT_NE(diagram.GetSavedOrientation(), 2);
    EXPECT_EQ(doc.GetUndoLevel(), 0u);
    EXPECT_EQ(doc.GetCurrentURList(), nullptr);
    EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
    EXPECT_FALSE(doc.IsModified());
  }
  // The largest page of all still fits its 255 pages.
  ASSERT_TRUE(diagram.SetPrinterSetupInfo(CPrinterSetupInfo(2, 9, CSize(longest, longest), CSize(255, 255))));
  EXPECT_EQ(diagram.GetSize(), CSize(2 * longest, 2 * longest));
  CDrawDoc::m_bUsePrinterDefaults = usedDefaults;
}

// A set-up change that fails part way closes its recording, so that later
// commands are undone on their own.
TEST_F(DiagramWithDocument, APrinterSetupChangeThatThrowsClosesItsRecording) {
  class FailingDiagram : public CDiagram {
   public:
    int HandleObjectsBeyondCanvas(int, int) override { AfxThrowMemoryException(); }
  };
  const BOOL usedDefaults = CDrawDoc::m_bUsePrinterDefaults;
  CDrawDoc::m_bUsePrinterDefaults = FALSE;
  FailingDiagram failing;
  failing.SetDocument(&doc);
  ASSERT_TRUE(failing.SetCanvasSize(1, 1));
  auto* object = new CDrawObj(CRect(300, 10, 400, 0));
  ASSERT_TRUE(failing.Add(object));
  doc.ClearUndoStack();
  // A page of 500 x 500 and a canvas of one page leave the object beyond it.
  EXPECT_THROW(failing.SetPrinterSetupInfo(CPrinterSetupInfo(1, 1, CSize(500, 500), CSize(1, 1))),
               CMemoryException);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetCurrentURList(), nullptr);
  const int before = doc.GetNumberUndosOnStack();
  ASSERT_TRUE(object->SetLineColor(RGB(1, 2, 3)));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), before + 1);
  // The closed entry takes the set-up back.
  ASSERT_TRUE(doc.UndoLast());
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(failing.GetPageSize(), CSize(850, 1100));
  EXPECT_EQ(failing.GetMaxCanvasSize(), CSize(CDiagram::m_hMaxPages, CDiagram::m_vMaxPages));
  doc.ClearUndoStack();
  doc.ClearRedoStack();
  CDrawDoc::m_bUsePrinterDefaults = usedDefaults;
}

TEST_F(DiagramWithDocument, InsertingAtAZIndexMovesTheObjectsInFrontUpOne) {
  std::vector<CDrawObj*> objects;
  for (int i = 0; i < 5; ++i) objects.push_back(AddBox(CRect(i, 1, i + 1, 0)));
  auto* third = new CDrawObj(CRect(0, 1, 1, 0));
  third->SetZIndex(2);
  ASSERT_TRUE(diagram.Add(third));
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{objects[0], objects[1], third, objects[2], objects[3], objects[4]}));
  ExpectZIndexesArePositions(diagram);
  // "No index" appends.
  auto* last = new CDrawObj(CRect(0, 1, 1, 0));
  last->SetZIndex(-1);
  ASSERT_TRUE(diagram.Add(last));
  EXPECT_EQ(Order(diagram).back(), last);
  EXPECT_EQ(last->GetZIndex(), 6);
}

TEST_F(DiagramWithDocument, MoveToFrontOfTheFrontObjectStillRecordsAndModifies) {
  AddBox(CRect(0, 10, 10, 0));
  CDrawObj* front = AddBox(CRect(0, 10, 10, 0));
  doc.ClearUndoStack();
  doc.SetModifiedFlag(FALSE);
  ASSERT_TRUE(diagram.MoveToFront(front));
  EXPECT_EQ(Order(diagram).back(), front);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_TRUE(doc.IsModified());
  // Undo puts it back where the record found it: the front.
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Order(diagram).back(), front);
  ExpectZIndexesArePositions(diagram);
}

TEST_F(DiagramWithDocument, ZOrderChangeUndoesAndRedoes) {
  CDrawObj* a = AddBox(CRect(0, 10, 10, 0));
  CDrawObj* b = AddBox(CRect(0, 10, 10, 0));
  CDrawObj* c = AddBox(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram.MoveToBack(c));
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{c, a, b}));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{a, b, c}));
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{c, a, b}));
  ExpectZIndexesArePositions(diagram);
}

TEST_F(DiagramWithDocument, MoveForwardAndBackStepPastTheNearestOverlappingObject) {
  CDrawObj* target = AddBox(CRect(0, 10, 10, 0));
  CDrawObj* apart = AddBox(CRect(100, 110, 110, 100));  // does not overlap
  CDrawObj* over1 = AddBox(CRect(5, 15, 15, 5));
  CDrawObj* over2 = AddBox(CRect(5, 15, 15, 5));
  ASSERT_TRUE(diagram.MoveFoward(target, 0));
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{apart, over1, target, over2}));
  ASSERT_TRUE(diagram.MoveBack(target, 0));
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{apart, target, over1, over2}));
  ExpectZIndexesArePositions(diagram);
  // Nothing overlapping behind: no move.
  ASSERT_TRUE(diagram.MoveToBack(target));
  EXPECT_FALSE(diagram.MoveBack(target, 0));
}

// With the document refusing to record (no memory, and the user keeps the
// history), every edit that records undo changes nothing and answers 0;
// only the paper colour changes without its record.
TEST_F(DiagramWithDocument, EditsChangeNothingWhenTheirRecordingIsRefused) {
  ASSERT_TRUE(diagram.SetCanvasSize(1, 1));
  CDrawObj* back = AddBox(CRect(0, 10, 10, 0));
  CDrawObj* front = AddBox(CRect(5, 15, 15, 5));
  doc.ClearUndoStack();
  const std::vector<CDrawObj*> order = Order(diagram);
  const CSize grid = diagram.GetGridSize();
  CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
  doctest::ScriptedMsgBox box;
  auto* refused = new CDrawObj(CRect(0, 1, 1, 0));
  EXPECT_EQ(diagram.Add(refused), 0);
  EXPECT_EQ(refused->GetDiagram(), nullptr);
  delete refused;
  EXPECT_EQ(diagram.ChangeZorder(front, 0), 0);
  EXPECT_EQ(diagram.MoveToBack(front), 0);
  EXPECT_EQ(diagram.MoveFoward(back, 0), 0);
  EXPECT_EQ(diagram.MoveFoward(back, 1), 0);
  EXPECT_EQ(diagram.MoveBack(front, 1), 0);
  EXPECT_EQ(diagram.SetGrid(CSize(5, 5), CSize(4, 4)), 0);
  EXPECT_EQ(diagram.SetCanvasSize(3, 2), 0);
  EXPECT_EQ(Order(diagram), order);
  ExpectZIndexesArePositions(diagram);
  EXPECT_EQ(diagram.GetGridSize(), grid);
  EXPECT_EQ(diagram.GetCanvasSize(), CSize(1, 1));
  const COLORREF paper = diagram.GetPaperColor();
  EXPECT_EQ(diagram.SetPaperColor(RGB(1, 2, 3)), 0);
  EXPECT_EQ(diagram.GetPaperColor(), paper);
  CMsgBox::Remove(&box);
  CDrawDoc::SetUndoMemoryProbe(nullptr);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

// An object with parts, as a block has its ports and texts: the parts are
// objects of the diagram of their own.
class PartsOwner : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  void IncludeComponentsInList(CDrawList* list) const override {
    for (CDrawObj* part : parts) list->AddTail(part);
  }
  void ExcludeComponentsFromList(CDrawList* list) const override {
    for (CDrawObj* part : parts) *list -= part;
  }
  std::vector<CDrawObj*> parts;
};

// With its components, an object and its parts pass the nearest
// overlapping object together, in their own order, as one command.
TEST_F(DiagramWithDocument, MovingWithComponentsTakesThePartsAlongAsOneCommand) {
  auto* owner = new PartsOwner(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram.Add(owner));
  CDrawObj* first = AddBox(CRect(1, 9, 4, 6));
  CDrawObj* other = AddBox(CRect(5, 15, 15, 5));
  CDrawObj* second = AddBox(CRect(6, 4, 9, 1));
  owner->parts = {first, second};
  doc.ClearUndoStack();

  ASSERT_EQ(diagram.MoveFoward(owner, 1), 1);
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{other, owner, first, second}));
  ExpectZIndexesArePositions(diagram);
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"MoveToFront"));

  ASSERT_EQ(diagram.MoveBack(owner, 1), 1);
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{owner, first, second, other}));
  ExpectZIndexesArePositions(diagram);
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 2);
  EXPECT_EQ(CStringW(doc.GetNextUndoCmdName()), CStringW(u"MoveToBack"));

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{other, owner, first, second}));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(Order(diagram), (std::vector<CDrawObj*>{owner, first, other, second}));
  ExpectZIndexesArePositions(diagram);

  // Nothing overlapping behind: no move, still a result of 1, nothing kept.
  ASSERT_TRUE(diagram.MoveToFront(other));
  doc.ClearUndoStack();
  ASSERT_EQ(diagram.MoveBack(owner, 1), 1);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

// A random run of adds (some at a chosen place), removals, deletions into
// the trash and back, and z-order changes, checked against a plain vector.
TEST(DiagramZOrderTest, RandomEditsKeepEveryZIndexEqualToItsPlace) {
  std::mt19937 rng(20240611);
  CDiagram diagram;
  std::vector<CDrawObj*> model;    // the expected z-order
  std::vector<CDrawObj*> trashed;  // deleted into the trash
  std::vector<CDrawObj*> removed;  // taken off the canvas, owned here
  auto pick = [&](const std::vector<CDrawObj*>& v) { return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(rng)]; };
  for (int step = 0; step < 3000; ++step) {
    const int op = std::uniform_int_distribution<int>(0, 9)(rng);
    if (op <= 2 || model.empty()) {
      auto* object = new CDrawObj(CRect(0, 10, 10, 0));
      const int place = std::uniform_int_distribution<int>(-1, static_cast<int>(model.size()) + 2)(rng);
      object->SetZIndex(place);
      ASSERT_TRUE(diagram.Add(object));
      if (place >= 0 && place < static_cast<int>(model.size())) {
        model.insert(model.begin() + place, object);
      } else {
        model.push_back(object);
      }
    } else if (op == 3) {
      CDrawObj* object = pick(model);
      const int index = static_cast<int>(std::find(model.begin(), model.end(), object) - model.begin());
      ASSERT_EQ(diagram.Remove(object), index);
      model.erase(model.begin() + index);
      removed.push_back(object);
    } else if (op == 4) {
      CDrawObj* object = pick(model);
      const int index = static_cast<int>(std::find(model.begin(), model.end(), object) - model.begin());
      ASSERT_EQ(diagram.DelObj(object), index);
      object->SetZIndex(index);
      model.erase(model.begin() + index);
      trashed.push_back(object);
    } else if (op == 5 && !trashed.empty()) {
      CDrawObj* object = pick(trashed);
      const int place = object->GetZIndex();
      ASSERT_TRUE(diagram.UnDelObj(object));
      EXPECT_FALSE(diagram.DoesTrashInclude(object));
      if (place >= 0 && place < static_cast<int>(model.size())) {
        model.insert(model.begin() + place, object);
      } else {
        model.push_back(object);
      }
      trashed.erase(std::find(trashed.begin(), trashed.end(), object));
    } else {
      CDrawObj* object = pick(model);
      UINT index;
      const int kind = std::uniform_int_distribution<int>(0, 3)(rng);
      if (kind == 0) {
        index = 0xFFFFFFFFu;
      } else if (kind == 1) {
        index = 0;
      } else {
        index = static_cast<UINT>(std::uniform_int_distribution<int>(0, static_cast<int>(model.size()) + 1)(rng));
      }
      ASSERT_TRUE(diagram.ChangeZorder(object, index));
      model.erase(std::find(model.begin(), model.end(), object));
      if (index >= model.size()) {
        model.push_back(object);
      } else {
        model.insert(model.begin() + index, object);
      }
    }
    ASSERT_EQ(Order(diagram), model) << "after step " << step;
    ExpectZIndexesArePositions(diagram);
  }
  for (CDrawObj* object : removed) delete object;
}

TEST(DiagramQueryTest, SmallAreasComeFromTheTreeLargeOnesFromTheScan) {
  CDiagram diagram;
  ASSERT_TRUE(diagram.SetCanvasSize(2, 2));  // 1700 x 2200, centred
  auto* a = new CDrawObj(CRect(-100, 100, -50, 50));
  auto* b = new CDrawObj(CRect(40, 60, 80, 20));
  auto* far = new CDrawObj(CRect(600, 900, 700, 800));
  for (CDrawObj* o : {a, b, far}) ASSERT_TRUE(diagram.Add(o));

  CDrawList found;
  EXPECT_EQ(diagram.GetObjectsInRect(CRect(-200, 200, 200, 0), found), 1);
  diagram.SortInDrawOrder(found);
  std::vector<CDrawObj*> got;
  for (POSITION pos = found.GetHeadPosition(); pos;) got.push_back(found.GetNext(pos));
  EXPECT_EQ(got, (std::vector<CDrawObj*>{a, b}));

  // Half the canvas or more: the scan answers, in z-order.
  found.RemoveAll();
  EXPECT_EQ(diagram.GetObjectsInRect(CRect(-850, 1100, 850, -1100), found), 0);
  EXPECT_EQ(found.GetCount(), 3);
  EXPECT_EQ(found.GetTail(), far);

  // An empty rectangle finds nothing.
  found.RemoveAll();
  EXPECT_EQ(diagram.GetObjectsInRect(CRect(0, 0, 0, 100), found), 0);
  EXPECT_TRUE(found.IsEmpty());
}

TEST(DiagramQueryTest, TreeAnswersMatchTheScanOnRandomQueries) {
  std::mt19937 rng(7);
  CDiagram diagram;
  ASSERT_TRUE(diagram.SetCanvasSize(4, 4));
  std::uniform_int_distribution<int> x(-1700, 1700);
  std::uniform_int_distribution<int> y(-2200, 2200);
  std::uniform_int_distribution<int> size(0, 300);
  for (int i = 0; i < 400; ++i) {
    const int l = x(rng);
    const int b = y(rng);
    ASSERT_TRUE(diagram.Add(new CDrawObj(CRect(l, b + size(rng), l + size(rng), b))));
  }
  for (int q = 0; q < 200; ++q) {
    const int l = x(rng);
    const int b = y(rng);
    const CRect query(l, b + 1 + size(rng), l + 1 + size(rng), b);
    CDrawList fromTree;
    ASSERT_EQ(diagram.GetObjectsInRect(query, fromTree), 1);
    diagram.SortInDrawOrder(fromTree);
    std::vector<CDrawObj*> expected;
    for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) {
      CDrawObj* o = diagram.GetObjects().GetNext(pos);
      CRect normal = query;
      normal.NormalizeRect();
      if (o->Intersects(normal)) expected.push_back(o);
    }
    std::vector<CDrawObj*> got;
    for (POSITION pos = fromTree.GetHeadPosition(); pos;) got.push_back(fromTree.GetNext(pos));
    ASSERT_EQ(got, expected) << "query " << q;
  }
}

TEST(DiagramQueryTest, SortingDropsObjectsNotOnTheCanvasAndClearsEveryMark) {
  CDiagram diagram;
  auto* on = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram.Add(on));
  CDrawObj off(CRect(0, 10, 10, 0));
  CDrawList list;
  list.AddTail(&off);
  list.AddTail(on);
  diagram.SortInDrawOrder(list);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetHead(), on);
  EXPECT_EQ(off.GetMark(), 0);
  EXPECT_EQ(on->GetMark(), 0);
}

TEST(DiagramQueryTest, AnObjectInTheTrashIsNotFiledByAMove) {
  CDiagram diagram;
  ASSERT_TRUE(diagram.SetCanvasSize(1, 1));
  auto* object = new CDrawObj(CRect(0, 10, 10, 0));
  ASSERT_TRUE(diagram.Add(object));
  ASSERT_EQ(diagram.DelObj(object), 0);
  EXPECT_FALSE(object->IsInQuadTree());
  object->MoveBy(CPoint(5, 5), TRUE);
  EXPECT_FALSE(object->IsInQuadTree());
  CDrawList found;
  diagram.GetObjectsInRect(CRect(0, 20, 20, 0), found);
  EXPECT_TRUE(found.IsEmpty());
}

}  // namespace
