// The drawing-object base: handles, hit tests, moves, attribute setters with
// their undo steps, delete and undelete through the trash, and the stream.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/canvas/QuadTree.h"
#include "diagram/model/undo/URObject.h"
#include "diagram/model/tests/DownDiagram.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/GdiConstants.h"

namespace {

using diagramtest::DownDiagram;

// A document that can be told to refuse every recording.
class RefusingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    return refuse ? FALSE : CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  bool refuse = false;
};

class ObjectOnDiagram : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.GetDiagram()->SetDocument(&doc);
    object = new CDrawObj(CRect(0, 20, 40, 0));
    ASSERT_TRUE(doc.GetDiagram()->Add(object));
    doc.ClearUndoStack();
  }

  RefusingDoc doc;
  CDrawObj* object = nullptr;
};

TEST(DrawObjTest, HandlesAroundThePosition) {
  CDrawObj object(CRect(0, 21, 41, 1));
  const CPoint expected[] = {{0, 21}, {0, 21}, {20, 21}, {41, 21}, {41, 11}, {41, 1}, {20, 1}, {0, 1}, {0, 11}, {0, 21}};
  // Handle numbers outside 1..8 behave like handle 1.
  EXPECT_EQ(object.GetHandle(0), expected[0]);
  for (int handle = 1; handle <= 8; ++handle) EXPECT_EQ(object.GetHandle(handle), expected[handle]) << handle;
  EXPECT_EQ(object.GetHandle(9), expected[9]);
  EXPECT_EQ(object.GetHandleCount(), 8);
}

TEST(DrawObjTest, MovingAHandleAcrossTheOppositeEdgeInvertsTheObject) {
  struct Case {
    int handle;
    CPoint point;
    CRect expected;
  };
  const Case cases[] = {
      {1, CPoint(-5, 30), CRect(-5, 30, 40, 0)}, {2, CPoint(99, -10), CRect(0, -10, 40, 0)},
      {3, CPoint(50, 25), CRect(0, 25, 50, 0)},  {4, CPoint(-10, 99), CRect(0, 20, -10, 0)},
      {5, CPoint(45, -5), CRect(0, 20, 45, -5)}, {6, CPoint(7, 30), CRect(0, 20, 40, 30)},
      {7, CPoint(3, 4), CRect(3, 20, 40, 4)},    {8, CPoint(60, 0), CRect(60, 20, 40, 0)},
      {12, CPoint(1, 2), CRect(1, 2, 40, 0)},
  };
  for (const Case& test : cases) {
    CDrawObj object(CRect(0, 20, 40, 0));
    object.MoveHandleTo(test.handle, test.point, nullptr);
    EXPECT_EQ(object.GetPosition(), test.expected) << "handle " << test.handle;
  }
}

TEST(DrawObjTest, UnselectedHitTestIncludesEveryEdgeInBothDirections) {
  struct Case {
    CRect position;
    CPoint point;
    int hit;
  };
  const Case cases[] = {
      // y up: top is the larger y.
      {CRect(0, 10, 20, 0), CPoint(0, 0), 1},
      {CRect(0, 10, 20, 0), CPoint(20, 10), 1},
      {CRect(0, 10, 20, 0), CPoint(10, 5), 1},
      {CRect(0, 10, 20, 0), CPoint(21, 5), 0},
      {CRect(0, 10, 20, 0), CPoint(10, 11), 0},
      {CRect(0, 10, 20, 0), CPoint(10, -1), 0},
      // y down.
      {CRect(0, 0, 20, 10), CPoint(0, 0), 1},
      {CRect(0, 0, 20, 10), CPoint(20, 10), 1},
      {CRect(0, 0, 20, 10), CPoint(-1, 5), 0},
      // Turned over in x by a handle drag: still hit on its body.
      {CRect(20, 10, 0, 0), CPoint(10, 5), 1},
      {CRect(20, 10, 0, 0), CPoint(21, 5), 0},
  };
  for (const Case& test : cases) {
    CDrawObj object(test.position);
    EXPECT_EQ(object.HitTest(test.point, nullptr, FALSE), test.hit)
        << test.point.x << "," << test.point.y << " in " << test.position.left << "," << test.position.top;
  }
}

TEST(DrawObjTest, IntersectionAndContainment) {
  CDrawObj box(CRect(0, 10, 20, 0));
  EXPECT_TRUE(box.Intersects(CRect(19, 1, 30, 9)));
  EXPECT_FALSE(box.Intersects(CRect(20, 0, 30, 10)));  // touching edges only
  EXPECT_TRUE(box.BoundedBy(CRect(0, 0, 20, 10)));     // edges included
  EXPECT_TRUE(box.BoundedBy(CRect(-1, 11, 21, -1)));
  EXPECT_FALSE(box.BoundedBy(CRect(1, 0, 20, 10)));
  // A flat object never intersects in the base test...
  CDrawObj flat(CRect(0, 5, 20, 5));
  EXPECT_FALSE(flat.Intersects(CRect(-10, -10, 30, 30)));
  // ...and is bounded only by rectangles that hold it.
  EXPECT_TRUE(flat.BoundedBy(CRect(-10, -10, 30, 30)));
  EXPECT_FALSE(flat.BoundedBy(CRect(100, 100, 200, 200)));
}

TEST(DrawObjTest, BoundingRectangleFollowsTheDiagramsDirection) {
  CDiagram up;
  DownDiagram down;
  CDrawObj a(CRect(20, 0, 0, 10));
  a.SetDiagram(&up);
  EXPECT_EQ(a.GetBoundingRect(), CRect(0, 10, 20, 0));
  a.SetDiagram(&down);
  EXPECT_EQ(a.GetBoundingRect(), CRect(0, 0, 20, 10));
  a.SetDiagram(nullptr);
}

TEST(DrawObjTest, FlipAndOffsetMirrorsAboutTheXAxis) {
  CDrawObj object(CRect(1, 20, 5, 10));
  object.InitializeDrawing(nullptr);
  object.FlipAndOffset(TRUE, CPoint(100, 3));
  EXPECT_EQ(object.GetPosition(), CRect(101, -17, 105, -7));
  EXPECT_EQ(object.GetOldPosition(), CRect(101, -17, 105, -7));
  object.FlipAndOffset(FALSE, CPoint(-1, -1));
  EXPECT_EQ(object.GetPosition(), CRect(100, -18, 104, -8));
}

TEST(DrawObjTest, PenSizeAndStyleSetters) {
  struct Case {
    const char* what;
    std::function<void(CDrawObj&)> start;
    std::function<int(CDrawObj&)> change;
    int result;
    UINT style;  // PS_NULL when the outline is off
    UINT width;
  };
  const Case cases[] = {
      {"a wide pen turns a dash solid", [](CDrawObj& o) { o.SetPenStyle(PS_DASH, 0); },
       [](CDrawObj& o) { return o.SetPenSize(3); }, 1, PS_SOLID, 3},
      {"width 0 keeps the dash", [](CDrawObj& o) { o.SetPenStyle(PS_DASH, 0); },
       [](CDrawObj& o) { return o.SetPenSize(0); }, 1, PS_DASH, 0},
      {"inside frame stays", [](CDrawObj&) {}, [](CDrawObj& o) { return o.SetPenSize(4); }, 1, PS_INSIDEFRAME, 4},
      {"a dotted style forces width 0", [](CDrawObj&) {}, [](CDrawObj& o) { return o.SetPenStyle(PS_DOT, 5); }, 1,
       PS_DOT, 0},
      {"solid keeps the width", [](CDrawObj&) {}, [](CDrawObj& o) { return o.SetPenStyle(PS_SOLID, 5); }, 1,
       PS_SOLID, 5},
      {"inside frame keeps the width", [](CDrawObj&) {}, [](CDrawObj& o) { return o.SetPenStyle(PS_INSIDEFRAME, 2); },
       1, PS_INSIDEFRAME, 2},
      {"null only switches the outline off", [](CDrawObj& o) { o.SetPenStyle(PS_SOLID, 7); },
       [](CDrawObj& o) { return o.SetPenStyle(PS_NULL, 1); }, 1, PS_NULL, 7},
      {"a style after null switches it on", [](CDrawObj& o) { o.SetPenStyle(PS_NULL, 0); },
       [](CDrawObj& o) { return o.SetPenStyle(PS_DASHDOT, 3); }, 1, PS_DASHDOT, 0},
      {"styles above 6 are refused", [](CDrawObj& o) { o.SetPenStyle(PS_SOLID, 2); },
       [](CDrawObj& o) { return o.SetPenStyle(7, 1); }, 0, PS_SOLID, 2},
  };
  for (const Case& test : cases) {
    // Alone and on a diagram the rules are the same.
    for (bool attached : {false, true}) {
      CDrawDoc doc;
      doc.GetDiagram()->SetDocument(&doc);
      auto* object = new CDrawObj(CRect(0, 10, 10, 0));
      if (attached) {
        ASSERT_TRUE(doc.GetDiagram()->Add(object));
      }
      test.start(*object);
      EXPECT_EQ(test.change(*object), test.result) << test.what;
      EXPECT_EQ(object->GetPenStyle(), test.style) << test.what;
      EXPECT_EQ(object->GetPenSize(), test.width) << test.what;
      if (!attached) delete object;
    }
  }
}

// Every attribute setter, with what it changes and how to read it back.
TEST(DrawObjTest, QuadTreeReferencesFollowTheObject) {
  QuadTreeHead tree;
  tree.Initialize(CRect(-100, -100, 100, 100), CDrawList());
  CDrawObj object(CRect(0, 10, 10, 0));
  tree.AddObject(&object);
  ASSERT_TRUE(object.IsInQuadTree());
  EXPECT_TRUE(object.ReAddToAllQuads());
  EXPECT_TRUE(object.IsInQuadTree());
  object.RemoveFromAllQuads();
  EXPECT_FALSE(object.IsInQuadTree());
  CDrawList found;
  tree.GetObjectsInRect(CRect(-100, -100, 100, 100), found, 0);
  EXPECT_TRUE(found.IsEmpty());
}

TEST(DrawObjTest, ADestroyedObjectLeavesEveryNodeOfTheTree) {
  QuadTreeHead tree;
  tree.Initialize(CRect(-100, -100, 100, 100), CDrawList());
  {
    CDrawObj inside(CRect(0, 10, 10, 0));
    CDrawObj outside(CRect(500, 510, 510, 500));
    tree.AddObject(&inside);
    tree.AddObject(&outside);
  }
  CDrawList found;
  tree.GetObjectsInRect(CRect(-1000, -1000, 1000, 1000), found, 0);
  EXPECT_TRUE(found.IsEmpty());
  EXPECT_TRUE(tree.IsEmpty());
}

struct Setter {
  const char* name;
  std::function<int(CDrawObj&)> set;
  std::function<DWORD(const CDrawObj&)> get;
  DWORD changed;
};

std::vector<Setter> Setters() {
  return {
      {"line colour", [](CDrawObj& o) { return o.SetLineColor(RGB(1, 2, 3)); },
       [](const CDrawObj& o) { return o.GetLineColor(); }, RGB(1, 2, 3)},
      {"fill colour", [](CDrawObj& o) { return o.SetFillColor(RGB(4, 5, 6)); },
       [](const CDrawObj& o) { return o.GetFillColor(); }, RGB(4, 5, 6)},
      {"hatch colour", [](CDrawObj& o) { return o.SetHatchColor(RGB(7, 8, 9)); },
       [](const CDrawObj& o) { return o.GetHatchColor(); }, RGB(7, 8, 9)},
      {"hatch style", [](CDrawObj& o) { return o.SetHatchStyle(HS_CROSS); },
       [](const CDrawObj& o) { return static_cast<DWORD>(o.GetHatchStyle()); }, HS_CROSS},
      {"fill", [](CDrawObj& o) { return o.EnableFill(FALSE); },
       [](const CDrawObj& o) { return static_cast<DWORD>(o.IsFillEnabled()); }, 0},
      {"hatch", [](CDrawObj& o) { return o.EnableHatch(TRUE); },
       [](const CDrawObj& o) { return static_cast<DWORD>(o.IsHatchEnabled()); }, 1},
      {"pen size", [](CDrawObj& o) { return o.SetPenSize(6); },
       [](const CDrawObj& o) { return static_cast<DWORD>(o.GetPenSize()); }, 6},
      {"pen style", [](CDrawObj& o) { return o.SetPenStyle(PS_NULL, 0); },
       [](const CDrawObj& o) { return static_cast<DWORD>(o.GetPenStyle()); }, PS_NULL},
  };
}

TEST_F(ObjectOnDiagram, EverySetterRecordsOneUndoStepThatUndoesAndRedoes) {
  for (const Setter& setter : Setters()) {
    const DWORD before = setter.get(*object);
    ASSERT_NE(before, setter.changed) << setter.name;
    doc.SetModifiedFlag(FALSE);
    const int undos = doc.GetNumberUndosOnStack();
    ASSERT_EQ(setter.set(*object), 1) << setter.name;
    EXPECT_EQ(setter.get(*object), setter.changed) << setter.name;
    EXPECT_EQ(doc.GetNumberUndosOnStack(), undos + 1) << setter.name;
    EXPECT_TRUE(doc.IsModified()) << setter.name;
    ASSERT_TRUE(doc.UndoLast()) << setter.name;
    EXPECT_EQ(setter.get(*object), before) << setter.name;
    ASSERT_TRUE(doc.RedoLast()) << setter.name;
    EXPECT_EQ(setter.get(*object), setter.changed) << setter.name;
    ASSERT_TRUE(doc.UndoLast()) << setter.name;
  }
}

TEST_F(ObjectOnDiagram, EverySetterRefusesWhenItsUndoStepCannotBeRecorded) {
  doc.refuse = true;
  for (const Setter& setter : Setters()) {
    const DWORD before = setter.get(*object);
    doc.SetModifiedFlag(FALSE);
    EXPECT_EQ(setter.set(*object), 0) << setter.name;
    EXPECT_EQ(setter.get(*object), before) << setter.name;
    EXPECT_FALSE(doc.IsModified()) << setter.name;
  }
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

TEST_F(ObjectOnDiagram, UndoingAPenChangeOfAnObjectWithoutOutlineRestoresTheNullPen) {
  ASSERT_TRUE(object->SetPenStyle(PS_NULL, 0));
  ASSERT_TRUE(object->SetPenStyle(PS_SOLID, 3));
  EXPECT_EQ(object->GetPenStyle(), static_cast<UINT>(PS_SOLID));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(object->GetPenStyle(), static_cast<UINT>(PS_NULL));
}

// A size change made while the outline is off changes the pen that is off,
// a style change switches it on: undoing either puts the pen that was off
// back, and redoing makes the change again.
TEST_F(ObjectOnDiagram, UndoingAPenChangeUnderANullPenRestoresThePenThatIsOff) {
  struct Case {
    const char* name;
    std::function<int(CDrawObj&)> change;
  };
  const Case cases[] = {
      {"size", [](CDrawObj& o) { return o.SetPenSize(4); }},
      {"style", [](CDrawObj& o) { return o.SetPenStyle(PS_DASH, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(object->SetPenStyle(PS_SOLID, 2));
    ASSERT_TRUE(object->SetPenStyle(PS_NULL, 0));
    ASSERT_TRUE(c.change(*object));
    const UINT shown = object->GetPenStyle();
    const UINT changedStyle = object->GetOutlineStyle();
    const UINT changedWidth = object->GetPenSize();
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(object->GetPenStyle(), static_cast<UINT>(PS_NULL));
    EXPECT_EQ(object->GetOutlineStyle(), static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(object->GetPenSize(), 2u);
    ASSERT_TRUE(doc.RedoLast());
    EXPECT_EQ(object->GetPenStyle(), shown);
    EXPECT_EQ(object->GetOutlineStyle(), changedStyle);
    EXPECT_EQ(object->GetPenSize(), changedWidth);
  }
}

TEST_F(ObjectOnDiagram, DeleteGoesToTheTrashAndUndeleteComesBackToItsPlace) {
  CDiagram& diagram = *doc.GetDiagram();
  auto* front = new CDrawObj(CRect(0, 1, 1, 0));
  ASSERT_TRUE(diagram.Add(front));
  doc.ClearUndoStack();
  ASSERT_EQ(object->Delete(), 1);
  EXPECT_EQ(object->GetDrawState(), drawStateDeleted);
  EXPECT_TRUE(diagram.DoesTrashInclude(object));
  EXPECT_EQ(object->GetZIndex(), 0);
  EXPECT_EQ(front->GetZIndex(), 0);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  // Deleting it again records nothing.
  ASSERT_EQ(object->Delete(), 1);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(object->GetDrawState(), drawStateNormal);
  EXPECT_FALSE(diagram.DoesTrashInclude(object));
  EXPECT_EQ(diagram.GetObjects().GetHead(), object);
  EXPECT_EQ(object->GetZIndex(), 0);
  EXPECT_EQ(front->GetZIndex(), 1);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_TRUE(diagram.DoesTrashInclude(object));
}

TEST_F(ObjectOnDiagram, TheLastDeleteRecordToGoFreesTheObjectOnce) {
  CDiagram& diagram = *doc.GetDiagram();
  ASSERT_EQ(object->Delete(), 1);
  ASSERT_TRUE(doc.UndoLast());  // undeleted: the first record is gone
  ASSERT_EQ(object->Delete(), 1);
  EXPECT_TRUE(CURDeleteObj::IsReferenced(object));
  // Dropping the entry that holds the delete record frees the object; the
  // address sanitizer checks that it is freed exactly once.
  doc.ClearUndoStack();
  doc.ClearRedoStack();
  EXPECT_TRUE(diagram.GetObjects().IsEmpty());
  EXPECT_TRUE(diagram.GetListOfObjects().IsEmpty());
  object = nullptr;
}

TEST_F(ObjectOnDiagram, DroppingAnUndoneDeleteNeverFreesTheObjectInUse) {
  CDiagram& diagram = *doc.GetDiagram();
  ASSERT_EQ(object->Delete(), 1);
  ASSERT_TRUE(doc.UndoLast());
  doc.ClearRedoStack();
  doc.ClearUndoStack();
  EXPECT_EQ(diagram.GetObjects().GetHead(), object);
  EXPECT_TRUE(object->SetLineColor(RGB(9, 9, 9)));
}

TEST_F(ObjectOnDiagram, EditingPropertiesClosesWhatItOpens) {
  object->OnEditProperties(nullptr);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  doc.refuse = true;
  object->OnEditProperties(nullptr);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
}

TEST_F(ObjectOnDiagram, DeleteIsRefusedWithTheRecording) {
  doc.refuse = true;
  EXPECT_EQ(object->Delete(), 0);
  EXPECT_EQ(object->GetDrawState(), drawStateNormal);
  EXPECT_EQ(doc.GetDiagram()->GetObjects().GetHead(), object);
}

TEST_F(ObjectOnDiagram, DeleteWithoutUndoDestroysAtOnce) {
  doc.DisableUndoRecording();
  ASSERT_EQ(doc.BeginUndoRecording(u"Delete", 255), 1);
  ASSERT_EQ(object->Delete(), 1);
  doc.EndUndoRecording();
  EXPECT_TRUE(doc.GetDiagram()->GetObjects().IsEmpty());
  EXPECT_FALSE(doc.GetDiagram()->DoesTrashInclude(object));
  object = nullptr;
}

TEST_F(ObjectOnDiagram, DragProtocolRecordsTheStartAndUndoesTheMove) {
  ASSERT_TRUE(object->InitializeRepositioning());
  EXPECT_EQ(object->GetOldPosition(), CRect(0, 20, 40, 0));
  object->MoveTo(CRect(5, 25, 45, 5), nullptr);
  object->FinalizeDrawing(CRect(10, 30, 50, 10), nullptr, 1);
  EXPECT_EQ(object->GetPosition(), CRect(10, 30, 50, 10));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(object->GetPosition(), CRect(0, 20, 40, 0));
}

TEST_F(ObjectOnDiagram, ReshapeUndoMovesTheHandleBack) {
  ASSERT_TRUE(object->InitializeReshaping(5));
  object->MoveHandleTo(5, CPoint(60, -10), nullptr);
  object->FinalizeDrawing(object->GetPosition(), nullptr, 1);
  EXPECT_EQ(object->GetPosition(), CRect(0, 20, 60, -10));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(object->GetPosition(), CRect(0, 20, 40, 0));
}

TEST_F(ObjectOnDiagram, ReshapeUndoOfAnUnmovedHandleLeavesTheObjectAlone) {
  // A reshape that ended with the handle where it started.
  ASSERT_TRUE(CURReshaping::RecordUndo(object, 5));
  doc.SetModifiedFlag(FALSE);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(object->GetPosition(), CRect(0, 20, 40, 0));
  EXPECT_FALSE(doc.IsModified());
  // The command still goes to the redo stack, and its redo changes nothing
  // either.
  EXPECT_EQ(doc.GetNumberRedosOnStack(), 1);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(object->GetPosition(), CRect(0, 20, 40, 0));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
}

// An object whose handles cannot be read.
class HandlelessObj : public CDrawObj {
 public:
  using CDrawObj::CDrawObj;
  CPoint GetHandle(int) override { throw std::runtime_error("no handle"); }
};

TEST_F(ObjectOnDiagram, ARecordThatCannotCaptureItsStateClosesItsRecording) {
  auto* handleless = new HandlelessObj(CRect(50, 20, 60, 0));
  ASSERT_TRUE(doc.GetDiagram()->Add(handleless));
  doc.ClearUndoStack();
  EXPECT_THROW(CURReshaping::RecordUndo(handleless, 5), std::runtime_error);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
  // The next change is an entry of its own.
  ASSERT_TRUE(object->SetLineColor(RGB(1, 2, 3)));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
}

TEST_F(ObjectOnDiagram, SnapToGridMovesTheReferenceCorner) {
  object->MoveTo(CRect(3, 26, 43, 6), nullptr);
  object->SnapToGrid(nullptr, TRUE);
  // Upward diagram: the corner is (smaller x, larger y) = (3, 26) -> (0, 30).
  EXPECT_EQ(object->GetPosition(), CRect(0, 30, 40, 10));
}

// The bytes of an object as a version-14 (and later) stream holds them, and
// the version-13 prefix without the hatch.
const BYTE kVersion14Bytes[] = {
    0x01, 0x00, 0x14, 0x00, 0x1E, 0x00, 0x02, 0x00,  // position 1, 20, 30, 2
    0x01, 0x00,                                      // pen on
    0x00, 0x00, 0x02, 0x00, 0x02, 0x00,              // pen style 0, width (2, 2)
    0x00, 0x00, 0xFF, 0x00,                          // pen colour
    0x01, 0x00,                                      // fill on
    0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x03, 0x00,  // brush style 0, colour, hatch 3
    0x01, 0x00, 0xFF, 0x00, 0x00, 0x00,              // hatch on, hatch colour
};
constexpr size_t kVersion13Size = sizeof(kVersion14Bytes) - 6;

TEST(DrawObjStreamTest, WritesTheFieldsInTheirCompactEncoding) {
  CDrawDoc doc;
  CDrawObj object(CRect(1, 20, 30, 2));
  object.SetPenStyle(PS_SOLID, 2);
  object.SetLineColor(RGB(0, 0, 255));
  object.SetHatchStyle(3);
  object.EnableHatch(TRUE);
  object.SetHatchColor(RGB(255, 0, 0));
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    object.Serialize(ar);
    ar.Close();
  }
  ASSERT_EQ(file.GetLength(), sizeof(kVersion14Bytes));
  std::vector<BYTE> bytes(sizeof(kVersion14Bytes));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  EXPECT_EQ(std::memcmp(bytes.data(), kVersion14Bytes, bytes.size()), 0);
}

TEST(DrawObjStreamTest, VersionGatesOfTheHatch) {
  struct Case {
    WORD version;
    size_t size;
    BOOL hatch;
    COLORREF hatchColor;
  };
  const Case cases[] = {{13, kVersion13Size, FALSE, 0}, {14, sizeof(kVersion14Bytes), TRUE, RGB(255, 0, 0)}};
  for (const Case& test : cases) {
    CDrawDoc doc;
    doc.StartLoad(test.version);
    CMemFile file(const_cast<BYTE*>(kVersion14Bytes), static_cast<UINT>(test.size));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    CDrawObj object;
    object.Serialize(ar);
    EXPECT_EQ(object.GetPosition(), CRect(1, 20, 30, 2));
    EXPECT_EQ(object.GetPenStyle(), static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(object.GetPenSize(), 2u);
    EXPECT_TRUE(object.IsFillEnabled());
    EXPECT_EQ(object.GetFillColor(), RGB(192, 192, 192));
    EXPECT_EQ(object.GetHatchStyle(), 3);
    EXPECT_EQ(object.IsHatchEnabled(), test.hatch) << "version " << test.version;
    EXPECT_EQ(object.GetHatchColor(), test.hatchColor) << "version " << test.version;
    // The object reads the document's active diagram as its own.
    EXPECT_EQ(object.GetDiagram(), doc.GetActiveDiagram());
    object.SetDiagram(nullptr);
    // Exactly the bytes of that version were read.
    BYTE beyond = 0;
    EXPECT_THROW(ar >> beyond, CArchiveException) << "version " << test.version;
  }
}

TEST(DrawObjStreamTest, APenWiderThanAnyCanvasIsRefused) {
  // The pen width (a compact long after the escape word) of the version-14
  // record replaced: x, then y.
  struct Case {
    const char* what;
    LONG x;
    LONG y;
    bool refused;
  };
  const Case cases[] = {
      {"as wide as a canvas reaches", 0x3FFFFFFF, 0x3FFFFFFF, false},
      {"wider in x", 0x40000000, 2, true},
      {"wider in y", 2, 0x7FFFFFFF, true},
      {"the lowest long", LONG(0x80000000), 2, true},
  };
  for (const Case& test : cases) {
    std::vector<BYTE> bytes(kVersion14Bytes, kVersion14Bytes + 12);
    for (LONG v : {test.x, test.y}) {
      bytes.insert(bytes.end(), {0x00, 0x80});
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<BYTE>(static_cast<DWORD>(v) >> shift));
    }
    bytes.insert(bytes.end(), kVersion14Bytes + 16, kVersion14Bytes + sizeof(kVersion14Bytes));
    CDrawDoc doc;
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    CDrawObj object;
    if (test.refused) {
      EXPECT_THROW(object.Serialize(ar), CArchiveException) << test.what;
    } else {
      object.Serialize(ar);
      EXPECT_EQ(object.GetPenSize(), 0x3FFFFFFFu) << test.what;
    }
    object.SetDiagram(nullptr);
  }
}

}  // namespace
