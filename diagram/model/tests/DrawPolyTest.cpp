// Polygons and polylines: points and handles, inserting and removing points
// with undo, moves, hit tests by rectangle, drawing, pop-up menus, the stream
// with its version gates, and the 16-bit limit of the point count.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawPoly.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/testsupport/ClientPoints.h"
#include "platform/core/Archive.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MemFile.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

extern "C" void _InitScrivel();

namespace {

// A polygon whose kind and raw point array a test may set.
class TestPoly : public CDrawPoly {
 public:
  TestPoly() = default;
  explicit TestPoly(const std::vector<CPoint>& points, bool polyLine = false) {
    m_bPolyLine = polyLine;
    for (const CPoint& p : points) AddPoint(p, nullptr);
  }
  std::vector<CPoint> Points() const { return std::vector<CPoint>(m_points, m_points + m_nPoints); }
  int Capacity() const { return m_nAllocPoints; }
  // `count` points in a capacity of `capacity`, bypassing the insert rules.
  void SetRawPoints(int count, int capacity) {
    DeletePoints(m_points);
    m_points = NewPoints(capacity);
    for (int i = 0; i < count; ++i) m_points[i] = CPoint(i % 256, i / 256);
    m_nPoints = count;
    m_nAllocPoints = capacity;
    RecalcBounds(nullptr, 0);
  }
};

using Points = std::vector<CPoint>;

TEST(DrawPolyTest, PointsAreTheHandlesAndTheBoundsFollowThem) {
  TestPoly poly({CPoint(10, 0), CPoint(-5, 30), CPoint(20, 12)});
  EXPECT_EQ(poly.GetHandleCount(), 3);
  EXPECT_EQ(poly.GetHandle(2), CPoint(-5, 30));
  // Stored as (min x, min y, max x, max y).
  EXPECT_EQ(poly.GetPosition(), CRect(-5, 0, 20, 30));
  for (int handle = 1; handle <= 3; ++handle) {
    EXPECT_EQ(poly.GetHandleCursor(handle), ::LoadCursor(nullptr, IDC_SIZEALL));
  }
  poly.MoveHandleTo(2, CPoint(0, -8), nullptr);
  EXPECT_EQ(poly.Points(), (Points{{10, 0}, {0, -8}, {20, 12}}));
  EXPECT_EQ(poly.GetPosition(), CRect(0, -8, 20, 12));
  EXPECT_TRUE(poly.UserMayAddPoints());
  EXPECT_TRUE(poly.UserMayRemovePoints());
  ASSERT_TRUE(poly.RemovePoint(0, nullptr));
  EXPECT_FALSE(poly.UserMayRemovePoints());  // two points are the least
}

TEST(DrawPolyTest, AddingTheLastPointAgainAddsNothing) {
  TestPoly poly({CPoint(0, 0), CPoint(10, 0)});
  poly.AddPoint(CPoint(10, 0), nullptr);
  EXPECT_EQ(poly.GetHandleCount(), 2);
  poly.AddPoint(CPoint(0, 0), nullptr);  // an earlier point is a new one
  EXPECT_EQ(poly.Points(), (Points{{0, 0}, {10, 0}, {0, 0}}));
}

TEST(DrawPolyTest, InsertAndRemoveOutsideThePointsChangeNothing) {
  TestPoly poly({CPoint(0, 0), CPoint(10, 0)});
  EXPECT_EQ(poly.InsertPoint(3, CPoint(1, 1), nullptr), 0);
  EXPECT_EQ(poly.InsertPoint(-1, CPoint(1, 1), nullptr), 0);
  EXPECT_EQ(poly.RemovePoint(2, nullptr), 0);
  EXPECT_EQ(poly.RemovePoint(-1, nullptr), 0);
  EXPECT_EQ(poly.Points(), (Points{{0, 0}, {10, 0}}));
}

TEST(DrawPolyTest, MovesTranslateThePointsAndNeverScaleThem) {
  TestPoly poly({CPoint(0, 0), CPoint(10, 0), CPoint(10, 20)});
  poly.MoveTo(CRect(5, 5, 100, 100), nullptr);
  EXPECT_EQ(poly.Points(), (Points{{5, 5}, {15, 5}, {15, 25}}));
  EXPECT_EQ(poly.GetPosition(), CRect(5, 5, 100, 100));
  poly.MoveBy(CPoint(1, -2), FALSE);
  EXPECT_EQ(poly.Points(), (Points{{6, 3}, {16, 3}, {16, 23}}));
  EXPECT_EQ(poly.GetPosition(), CRect(6, 3, 101, 98));
  poly.InitializeDrawing(nullptr);
  poly.FlipAndOffset(TRUE, CPoint(100, 3));
  EXPECT_EQ(poly.Points(), (Points{{106, 0}, {116, 0}, {116, -20}}));
  EXPECT_EQ(poly.GetPosition(), CRect(106, 0, 201, -95));
  EXPECT_EQ(poly.GetOldPosition(), CRect(106, 0, 201, -95));
}

TEST(DrawPolyTest, IntersectionByAreaAndBySegments) {
  struct Case {
    const char* what;
    Points points;
    bool polyLine;
    UINT penWidth;
    CRect area;
    BOOL hit;
    int segment;  // IntersectsLineSegment
  };
  const Points triangle = {{0, 0}, {100, 0}, {0, 100}};
  const Case cases[] = {
      {"no points", {}, false, 1, CRect(-10, -10, 10, 10), FALSE, 0},
      {"one point held", {{5, 5}}, false, 1, CRect(0, 0, 10, 10), TRUE, 1},
      {"one point missed", {{5, 5}}, false, 1, CRect(6, 6, 10, 10), FALSE, 0},
      // Three points or more: the filled area of a polygon counts.
      {"inside a triangle", triangle, false, 1, CRect(10, 10, 20, 20), TRUE, 0},
      {"inside an open polyline's corner", triangle, true, 1, CRect(10, 10, 20, 20), FALSE, 0},
      // Two points: only the segment counts, never the box between them.
      {"two points, off the segment", {{0, 0}, {100, 100}}, false, 1, CRect(60, 10, 70, 20), FALSE, 0},
      {"two points, across the segment", {{0, 0}, {100, 100}}, false, 1, CRect(45, 50, 55, 60), TRUE, 1},
      // The closing segment of a polygon, which a polyline does not have.
      {"closing segment", triangle, false, 1, CRect(-2, 40, 2, 60), TRUE, 3},
      {"no closing segment", triangle, true, 1, CRect(-2, 40, 2, 60), FALSE, 0},
      {"second segment", {{0, 0}, {100, 0}, {100, 100}}, true, 1, CRect(98, 50, 102, 52), TRUE, 2},
      // A flat polyline of the thinnest pen: its segments and its box are
      // grown by a unit on either side.
      {"flat polyline met", {{0, 10}, {100, 10}}, true, 0, CRect(40, 10, 50, 20), TRUE, 1},
      {"flat polyline missed", {{0, 10}, {100, 10}}, true, 0, CRect(40, 11, 50, 20), FALSE, 0},
      // A wide pen's band around a diagonal.
      {"wide band met", {{0, 0}, {100, 100}}, true, 10, CRect(52, 48, 54, 50), TRUE, 1},
      {"beyond the wide band", {{0, 0}, {100, 100}}, true, 10, CRect(54, 45, 57, 48), FALSE, 0},
      // The band of a level or upright segment of a pen 4 wide: the rows (or
      // columns) 8 to 11 about the line at 10.
      {"level band, its last row", {{0, 10}, {100, 10}}, true, 4, CRect(40, 11, 50, 12), TRUE, 1},
      {"level band, the row below", {{0, 10}, {100, 10}}, true, 4, CRect(40, 12, 50, 13), FALSE, 0},
      {"level band, the row above", {{0, 10}, {100, 10}}, true, 4, CRect(40, 7, 50, 8), FALSE, 0},
      {"upright band, its last column", {{10, 100}, {10, 0}}, true, 4, CRect(11, 40, 12, 50), TRUE, 1},
      {"upright band, the column after", {{10, 100}, {10, 0}}, true, 4, CRect(12, 40, 13, 50), FALSE, 0},
  };
  for (const Case& test : cases) {
    TestPoly poly(test.points, test.polyLine);
    ASSERT_TRUE(poly.SetPenStyle(PS_SOLID, test.penWidth));
    EXPECT_EQ(poly.Intersects(test.area), test.hit) << test.what;
    EXPECT_EQ(poly.IntersectsLineSegment(test.area), test.segment) << test.what;
  }
}

TEST(DrawPolyTest, DrawsAnOpenPolylineOrAClosedPolygon) {
  for (bool polyLine : {true, false}) {
    TestPoly poly({CPoint(0, 0), CPoint(10, 0), CPoint(10, 20)}, polyLine);
    auto recorder = std::make_shared<platform::DrawingRecorder>();
    CDC dc;
    dc.Attach(platform::CreateRecordingDc(recorder));
    poly.Draw(&dc);
    const std::vector<platform::DrawOp> ops = recorder->Ops();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].call, polyLine ? "Polyline" : "Polygon");
    EXPECT_EQ(ops[0].logical.size(), 3u);
    EXPECT_EQ(CPoint(ops[0].logical[2]), CPoint(10, 20));
    // As made: a solid outline, no fill.
    EXPECT_EQ(ops[0].pen.Kind(), static_cast<UINT>(PS_SOLID));
    EXPECT_TRUE(ops[0].brush.IsNull());
    EXPECT_EQ(ops[0].bkMode, TRANSPARENT);
  }
}

TEST(DrawPolyTest, CloneOwnsItsPoints) {
  TestPoly poly({CPoint(0, 0), CPoint(10, 0)}, true);
  std::unique_ptr<CDrawObj> copy(poly.Clone());
  auto* clone = DYNAMIC_DOWNCAST(CDrawPoly, copy.get());
  ASSERT_NE(clone, nullptr);
  poly.MoveHandleTo(1, CPoint(7, 7), nullptr);
  EXPECT_TRUE(clone->IsPolyLine());
  EXPECT_EQ(clone->GetHandleCount(), 2);
  EXPECT_EQ(clone->GetHandle(1), CPoint(0, 0));
}

// A document that can be told to refuse every recording.
class RefusingDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    return refuse ? FALSE : CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  bool refuse = false;
};

class PolyOnDiagram : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.GetDiagram()->SetDocument(&doc);
    poly = new TestPoly;
    ASSERT_TRUE(doc.GetDiagram()->Add(poly));
    for (const CPoint& p : {CPoint(0, 0), CPoint(10, 0), CPoint(10, 20)}) poly->AddPoint(p, nullptr);
    doc.ClearUndoStack();
  }

  RefusingDoc doc;
  TestPoly* poly = nullptr;
};

TEST_F(PolyOnDiagram, TheFactoryMakesAnEmptyPolygon) {
  CDrawPoly* made = doc.GetDiagram()->MakeDrawPoly();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetHandleCount(), 0);
  EXPECT_FALSE(made->IsPolyLine());
  EXPECT_EQ(made->GetPenStyle(), static_cast<UINT>(PS_SOLID));
  EXPECT_FALSE(made->IsFillEnabled());
  EXPECT_EQ(made->GetPosition(), CRect(0, 0, 0, 0));
  delete made;
}

TEST_F(PolyOnDiagram, InsertedAndRemovedPointsUndoAndRedo) {
  const Points start = {{0, 0}, {10, 0}, {10, 20}};
  ASSERT_EQ(poly->InsertPoint(1, CPoint(-5, 30), nullptr), 1);
  const Points inserted = {{0, 0}, {-5, 30}, {10, 0}, {10, 20}};
  EXPECT_EQ(poly->Points(), inserted);
  EXPECT_EQ(poly->GetPosition(), CRect(-5, 0, 10, 30));
  EXPECT_EQ(poly->GetOldPosition(), poly->GetPosition());
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(poly->Points(), start);
  EXPECT_EQ(poly->GetPosition(), CRect(0, 0, 10, 20));
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(poly->Points(), inserted);

  ASSERT_EQ(poly->RemovePoint(0, nullptr), 1);
  const Points removed = {{-5, 30}, {10, 0}, {10, 20}};
  EXPECT_EQ(poly->Points(), removed);
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(poly->Points(), inserted);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(poly->Points(), removed);
}

TEST_F(PolyOnDiagram, ARefusedRecordingLeavesThePointsAlone) {
  doc.refuse = true;
  EXPECT_EQ(poly->InsertPoint(0, CPoint(5, 5), nullptr), 0);
  EXPECT_EQ(poly->RemovePoint(0, nullptr), 0);
  poly->AddPoint(CPoint(1, 1), nullptr);
  EXPECT_EQ(poly->Points(), (Points{{0, 0}, {10, 0}, {10, 20}}));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);
}

TEST_F(PolyOnDiagram, AMovedPointUndoesThroughItsReshapeRecord) {
  ASSERT_TRUE(poly->InitializeReshaping(3));
  poly->MoveHandleTo(3, CPoint(40, 40), nullptr);
  poly->FinalizeDrawing(poly->GetPosition(), nullptr, 1);
  EXPECT_EQ(poly->GetPosition(), CRect(0, 0, 40, 40));
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(poly->Points(), (Points{{0, 0}, {10, 0}, {10, 20}}));
  EXPECT_EQ(poly->GetPosition(), CRect(0, 0, 10, 20));
}

TEST(DrawPolyLimitTest, APolygonGrowsToTheLimitAndNoFurther) {
  TestPoly poly;
  poly.SetRawPoints(CDrawPoly::kMaxPoints - 5, CDrawPoly::kMaxPoints - 5);
  for (int i = 0; i < 5; ++i) ASSERT_EQ(poly.InsertPoint(0, CPoint(-1, -i), nullptr), 1);
  // The full array grew to the limit, not by its usual ten slots.
  EXPECT_EQ(poly.Capacity(), CDrawPoly::kMaxPoints);
  EXPECT_EQ(poly.GetHandleCount(), CDrawPoly::kMaxPoints);
  EXPECT_EQ(poly.InsertPoint(0, CPoint(-9, -9), nullptr), 0);
  poly.AddPoint(CPoint(-9, -9), nullptr);
  EXPECT_EQ(poly.GetHandleCount(), CDrawPoly::kMaxPoints);
  EXPECT_EQ(poly.GetHandle(1), CPoint(-1, -4));

  // The largest polygon travels whole.
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    poly.Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  TestPoly loaded;
  loaded.Serialize(ar);
  EXPECT_EQ(loaded.Points(), poly.Points());
  EXPECT_EQ(loaded.Capacity(), CDrawPoly::kMaxPoints);
}

TEST(DrawPolyLimitTest, APolygonBeyondSixteenBitsIsNotStored) {
  struct Case {
    const char* what;
    int count;
    int capacity;
  };
  const Case cases[] = {
      {"capacity", 3, CDrawPoly::kMaxPoints + 1},
      {"count", CDrawPoly::kMaxPoints + 1, CDrawPoly::kMaxPoints + 1},
  };
  for (const Case& test : cases) {
    TestPoly poly;
    poly.SetRawPoints(test.count, test.capacity);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_THROW(poly.Serialize(ar), CArchiveException) << test.what;
    ar.Close();
    EXPECT_EQ(file.GetLength(), 0u) << test.what;  // not a byte of the record
  }
}

// The stream of a polygon: the drawing-object fields, the hatch from version
// 14 on, then the polyline flag, count and capacity and the points.
const std::vector<BYTE> kObjectFields = {
    0x00, 0x00, 0x02, 0x00, 0x28, 0x00, 0x14, 0x00,  // position 0, 2, 40, 20
    0x01, 0x00,                                      // pen on
    0x06, 0x00, 0x01, 0x00, 0x01, 0x00,              // pen style inside frame, width (1, 1)
    0xFF, 0x00, 0x00, 0x00,                          // pen colour red
    0x00, 0x00,                                      // fill off
    0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00, 0x00,  // brush solid, grey, hatch 0
};
const std::vector<BYTE> kHatchFields = {0x01, 0x00, 0x00, 0x80, 0x00, 0x00};  // hatch on, green
const std::vector<BYTE> kPolyFields = {
    0x01, 0x00, 0x03, 0x00, 0x0A, 0x00,  // polyline, 3 points, room for 10
    0x00, 0x00, 0x02, 0x00,              // (0, 2)
    0x28, 0x00, 0x14, 0x00,              // (40, 20)
    0x0A, 0x00, 0x05, 0x00,              // (10, 5)
};

std::vector<BYTE> PolyBytes(WORD version) {
  std::vector<BYTE> bytes = kObjectFields;
  if (version >= 14) bytes.insert(bytes.end(), kHatchFields.begin(), kHatchFields.end());
  bytes.insert(bytes.end(), kPolyFields.begin(), kPolyFields.end());
  return bytes;
}

TEST(DrawPolyStreamTest, VersionGates) {
  struct Case {
    WORD version;
    UINT style;
    BOOL hatch;
  };
  // Before version 13 the inside-frame pen becomes solid.
  const Case cases[] = {{12, PS_SOLID, FALSE}, {13, PS_INSIDEFRAME, FALSE}, {18, PS_INSIDEFRAME, TRUE}};
  for (const Case& test : cases) {
    const std::vector<BYTE> bytes = PolyBytes(test.version);
    CDrawDoc doc;
    doc.StartLoad(test.version);
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    TestPoly poly;
    poly.Serialize(ar);
    poly.SetDiagram(nullptr);
    EXPECT_TRUE(poly.IsPolyLine()) << test.version;
    EXPECT_EQ(poly.Points(), (Points{{0, 2}, {40, 20}, {10, 5}})) << test.version;
    EXPECT_EQ(poly.Capacity(), 10) << test.version;
    EXPECT_EQ(poly.GetPosition(), CRect(0, 2, 40, 20)) << test.version;
    EXPECT_EQ(poly.GetPenStyle(), test.style) << test.version;
    EXPECT_EQ(poly.IsHatchEnabled(), test.hatch) << test.version;
    BYTE beyond = 0;
    EXPECT_THROW(ar >> beyond, CArchiveException) << test.version;
  }
}

TEST(DrawPolyStreamTest, StoresTheRecordByteForByte) {
  TestPoly poly({CPoint(0, 2), CPoint(40, 20), CPoint(10, 5)}, true);
  poly.SetPenStyle(PS_INSIDEFRAME, 1);
  poly.SetLineColor(RGB(255, 0, 0));
  poly.EnableHatch(TRUE);
  poly.SetHatchColor(RGB(0, 128, 0));
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    poly.Serialize(ar);
    ar.Close();
  }
  const std::vector<BYTE> expected = PolyBytes(18);
  ASSERT_EQ(file.GetLength(), expected.size());
  std::vector<BYTE> bytes(expected.size());
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  EXPECT_EQ(bytes, expected);
}

TEST(DrawPolyStreamTest, DamagedPointListsAreRefused) {
  struct Case {
    const char* what;
    std::vector<BYTE> tail;
  };
  const Case cases[] = {
      {"capacity below the count", {0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"fewer points than counted", {0x00, 0x00, 0x03, 0x00, 0x03, 0x00, 0, 0, 0, 0}},
      // x = 2^30 (the escape word, then the long): no canvas reaches it.
      {"a point beyond every canvas", {0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x40, 0, 0}},
      {"a point at the lowest long", {0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0, 0, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80}},
  };
  for (const Case& test : cases) {
    std::vector<BYTE> bytes = kObjectFields;
    bytes.insert(bytes.end(), kHatchFields.begin(), kHatchFields.end());
    bytes.insert(bytes.end(), test.tail.begin(), test.tail.end());
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    TestPoly poly({CPoint(1, 1), CPoint(2, 2)});
    EXPECT_THROW(poly.Serialize(ar), CArchiveException) << test.what;
    // The points it had are kept, never half replaced.
    EXPECT_EQ(poly.Points(), (Points{{1, 1}, {2, 2}})) << test.what;
  }
}

TEST(DrawPolyStreamTest, TravelsAsAnObjectOfItsClass) {
  _InitScrivel();
  TestPoly poly({CPoint(0, 0), CPoint(5, 5)});
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(&poly);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
  auto* read = DYNAMIC_DOWNCAST(CDrawPoly, loaded.get());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetHandleCount(), 2);
  EXPECT_EQ(read->GetHandle(2), CPoint(5, 5));
}

// A view that notes which sub-menu of its pop-up menu was asked for.
class MenuView : public CDrawView {
 public:
  CMenu* GetPopupMenu(int index) override {
    asked.push_back(index);
    return nullptr;
  }
  std::vector<int> asked;
};

class ShapeMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    diagram = doc.GetDiagram();
    diagram->SetDocument(&doc);
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    doc.AddView(&view);
    ASSERT_TRUE(view.CreateEx(0, u"AfxWnd", u"view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600),
                              nullptr, 0));
    view.OnInitialUpdate();
  }
  void TearDown() override { view.DestroyWindow(); }
  CPoint ClientPoint(CPoint doc) { return diagramtest::ClientPoint(view, doc); }

  CDrawDoc doc;
  CDiagram* diagram = nullptr;
  MenuView view;
};

TEST_F(ShapeMenuTest, APolygonOffersItsPointMenuOverASegment) {
  auto* poly = new TestPoly({CPoint(-50, 0), CPoint(50, 0), CPoint(50, 50)}, true);
  ASSERT_TRUE(diagram->Add(poly));
  struct Case {
    CPoint at;
    UINT segment;
    int menu;
  };
  const Case cases[] = {{CPoint(0, 0), 1, 2}, {CPoint(50, 25), 2, 2}, {CPoint(0, 40), 0, 0}};
  for (const Case& test : cases) {
    view.asked.clear();
    poly->GetPopupMenu(&view, ClientPoint(test.at));
    EXPECT_EQ(poly->GetPointDownIndex(), test.segment) << test.at.x << "," << test.at.y;
    EXPECT_EQ(view.asked, std::vector<int>{test.menu}) << test.at.x << "," << test.at.y;
  }
}

TEST_F(ShapeMenuTest, ARectangleOffersTheShapeMenu) {
  CDrawRect shape(CRect(0, 20, 40, 0), CDrawRect::ellipse);
  shape.GetPopupMenu(&view, ClientPoint(CPoint(10, 10)));
  EXPECT_EQ(view.asked, std::vector<int>{1});
}

}  // namespace
