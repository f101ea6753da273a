// Wires: page crossings, moving a wire as a whole and following a moved
// port while the segments stay orthogonal, new paths with undo, and wires
// in the document's stream.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "diagram/model/blocks/DrawGroup.h"
#include "diagram/model/blocks/DrawInPort.h"
#include "diagram/model/blocks/DrawOutPort.h"
#include "diagram/model/tests/DownDiagram.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/VersionInfo.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawingRecorder.h"

namespace {

// A wire whose points and ends a test sets.
class TestArc : public CDrawArc {
 public:
  void SetPoints(const std::vector<CPoint>& points) {
    DeletePoints(m_points);
    m_points = NewPoints(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i) m_points[i] = points[i];
    m_nPoints = m_nAllocPoints = static_cast<int>(points.size());
    RecalcBounds(nullptr, FALSE);
  }
  void SetEnds(CDrawPort* src, CDrawPort* dst, BOOL complete) {
    m_pSrcPort = src;
    m_pDestPort = dst;
    m_bComplete = complete;
  }
  std::vector<CPoint> Points() const { return std::vector<CPoint>(m_points, m_points + m_nPoints); }
};

std::vector<CPoint> PointsOf(CDrawArc* arc) {
  std::vector<CPoint> points;
  for (int i = 1; i <= arc->GetHandleCount(); ++i) points.push_back(arc->GetHandle(i));
  return points;
}

using diagramtest::DownDiagram;

TEST(DrawArcTest, CrossingsOfPageBoundaries) {
  for (bool upward : {true, false}) {
    struct Case {
      const char* what;
      BYTE across;
      BYTE down;
      // Points in half pages: x right of the canvas's left edge, y down
      // from its top edge.
      std::vector<CPoint> halfPages;
      std::vector<CrossPoint> expected;  // x and y in half pages too
    };
    const Case cases[] = {
        {"one page", 1, 1, {{1, 1}, {1, 1}}, {}},
        {"one page, a long wire", 1, 1, {{0, 1}, {2, 1}}, {}},
        {"two across", 2, 1, {{1, 1}, {3, 1}}, {{1, 2, 1, 2, 1}}},
        {"two across, drawn leftward", 2, 1, {{3, 1}, {1, 1}}, {{1, 2, 1, 2, 1}}},
        {"two down", 1, 2, {{1, 1}, {1, 3}}, {{0, 1, 2, 2, 1}}},
        {"two by two, an L", 2, 2, {{1, 1}, {3, 1}, {3, 3}}, {{1, 2, 1, 2, 1}, {0, 3, 2, 4, 2}}},
        {"bottom row", 2, 2, {{1, 3}, {3, 3}}, {{1, 2, 3, 4, 3}}},
    };
    for (const Case& test : cases) {
      std::unique_ptr<CDiagram> diagram(upward ? new CDiagram : new DownDiagram);
      ASSERT_TRUE(diagram->SetCanvasSize(test.across, test.down));
      const CSize page = diagram->GetPageSize();
      const CRect canvas = diagram->GetRect();
      const int s = upward ? -1 : 1;
      auto at = [&](int hx, int hy) {
        return CPoint(canvas.left + hx * page.cx / 2, canvas.top + s * hy * page.cy / 2);
      };
      TestArc arc;
      arc.SetDiagram(diagram.get());
      std::vector<CPoint> points;
      for (const CPoint& h : test.halfPages) points.push_back(at(h.x, h.y));
      arc.SetPoints(points);
      std::vector<CrossPoint> found(8);
      const int count = arc.GetCrossPoint(found.data(), 8);
      const std::string what = std::string(test.what) + (upward ? " (upward)" : " (downward)");
      ASSERT_EQ(count, static_cast<int>(test.expected.size())) << what;
      EXPECT_EQ(arc.GetCrossPoint(nullptr, 0), count) << what;
      for (int i = 0; i < count; ++i) {
        const CrossPoint& e = test.expected[i];
        const CPoint p = at(e.x, e.y);
        EXPECT_EQ(found[i].nKind, e.nKind) << what << " " << i;
        EXPECT_EQ(CPoint(found[i].x, found[i].y), p) << what << " " << i;
        EXPECT_EQ(found[i].nFirstPage, e.nFirstPage) << what << " " << i;
        EXPECT_EQ(found[i].nSecondPage, e.nSecondPage) << what << " " << i;
      }
      if (count >= 2) {
        CrossPoint one[1];
        EXPECT_EQ(arc.GetCrossPoint(one, 1), -1) << what;
      }
      arc.SetDiagram(nullptr);
    }
  }
}

TEST(DrawArcTest, MovingAWireKeepsItsEndsAndItsSegmentsOrthogonal) {
  struct Case {
    const char* what;
    std::vector<CPoint> before;
    CPoint delta;
    std::vector<CPoint> after;
  };
  const Case cases[] = {
      {"L across then down: the bend stays", {{0, 0}, {100, 0}, {100, 100}}, {10, 7},
       {{0, 0}, {100, 0}, {100, 100}}},
      {"L down then across: the bend stays", {{0, 0}, {0, 100}, {100, 100}}, {10, 7},
       {{0, 0}, {0, 100}, {100, 100}}},
      {"slanted: the bend follows", {{0, 0}, {50, 30}, {100, 100}}, {10, 7}, {{0, 0}, {60, 37}, {100, 100}}},
      {"five points: the end bends slide, the middle moves",
       {{0, 0}, {50, 0}, {50, 100}, {150, 100}, {150, 200}},
       {10, 7},
       {{0, 0}, {60, 0}, {60, 107}, {150, 107}, {150, 200}}},
      {"two points: nothing moves", {{0, 0}, {100, 0}}, {10, 7}, {{0, 0}, {100, 0}}},
  };
  for (const Case& test : cases) {
    TestArc arc;
    arc.SetPoints(test.before);
    arc.MoveBy(test.delta, FALSE);
    EXPECT_EQ(arc.Points(), test.after) << test.what;
  }
}

TEST(DrawArcTest, APrinterOfA16BitSystemGetsLongSegmentsInSteps) {
  struct Case {
    const char* what;
    DWORD platformId;
    bool printing;
    int lines;  // LineTo calls for the horizontal, vertical and slanted segments
  };
  // The clip box is 200 x 100: steps of 100 across and 50 down.
  const Case cases[] = {
      {"16-bit printer", VER_PLATFORM_WIN32_WINDOWS, true, 10 + 4 + 1},
      {"16-bit screen", VER_PLATFORM_WIN32_WINDOWS, false, 3},
      {"NT printer", VER_PLATFORM_WIN32_NT, true, 3},
  };
  for (const Case& test : cases) {
    OSVERSIONINFOEXW version{};
    version.dwMajorVersion = 4;
    version.dwMinorVersion = 10;
    version.dwPlatformId = test.platformId;
    platform::SetOsVersion(version);
    auto recorder = std::make_shared<platform::DrawingRecorder>();
    CDC dc;
    dc.Attach(platform::CreateRecordingDc(recorder));
    dc.m_bPrinting = test.printing;
    dc.IntersectClipRect(0, 0, 200, 100);
    TestArc arc;
    arc.SetPoints({{0, 0}, {1000, 0}, {1000, 200}, {1100, 300}});
    arc.Draw(&dc);
    int lines = 0;
    for (const auto& op : recorder->Ops()) lines += op.call == "LineTo" ? 1 : 0;
    EXPECT_EQ(lines, test.lines) << test.what;
  }
  platform::ResetOsVersion();
}

TEST(DrawArcTest, TheDraggingRectangleHoldsThePointsThatMoveFreely) {
  struct Case {
    const char* what;
    std::vector<CPoint> points;
    CRect expected;
  };
  const Case cases[] = {
      {"two points", {{0, 0}, {100, 50}}, CRect(0, 0, 100, 50)},
      {"an L: nothing moves freely but the bend", {{0, 0}, {100, 0}, {100, 100}}, CRect(100, 0, 100, 0)},
      {"slanted ends", {{0, 0}, {50, 30}, {60, 80}, {100, 100}}, CRect(50, 30, 60, 80)},
      {"five orthogonal points", {{0, 0}, {50, 0}, {50, 100}, {150, 100}, {150, 200}}, CRect(50, 100, 50, 100)},
      {"six orthogonal points", {{0, 0}, {50, 0}, {50, 100}, {80, 100}, {80, 200}, {150, 200}},
       CRect(50, 100, 80, 100)},
  };
  for (const Case& test : cases) {
    TestArc arc;
    arc.SetPoints(test.points);
    EXPECT_EQ(arc.GetDraggingRect(), test.expected) << test.what;
  }
}

TEST(DrawArcTest, AWireFollowsAMovedPort) {
  struct Case {
    const char* what;
    bool atEnd;  // the port holds the last point rather than the first
    std::vector<CPoint> before;
    std::vector<CPoint> after;
  };
  const CPoint d(5, 3);
  const Case cases[] = {
      {"vertical end segment", false, {{10, 0}, {10, 50}, {60, 50}}, {{15, 3}, {15, 50}, {60, 50}}},
      {"horizontal end segment", false, {{10, 0}, {60, 0}, {60, 50}}, {{15, 3}, {60, 3}, {60, 50}}},
      {"degenerate, then across", false, {{10, 0}, {10, 0}, {60, 0}}, {{15, 3}, {15, 0}, {60, 0}}},
      {"degenerate, then down", false, {{10, 0}, {10, 0}, {10, 50}}, {{15, 3}, {10, 3}, {10, 50}}},
      {"slanted end segment", false, {{10, 0}, {40, 30}, {60, 50}}, {{15, 3}, {40, 30}, {60, 50}}},
      {"two points", false, {{10, 0}, {60, 50}}, {{15, 3}, {60, 50}}},
      {"the last point", true, {{60, 50}, {60, 0}, {10, 0}}, {{60, 50}, {60, 3}, {15, 3}}},
      {"neither end", false, {{11, 0}, {60, 0}}, {{11, 0}, {60, 0}}},
  };
  for (const Case& test : cases) {
    CDrawOutPort port(CPoint(0, 0), nullptr, nullptr);  // its wire end is its tip at (10, 0)
    CDrawInPort other(CPoint(200, 200), nullptr, nullptr);
    TestArc arc;
    arc.SetEnds(&port, &other, TRUE);
    arc.SetPoints(test.before);
    port.MoveBy(d, FALSE);
    arc.MovePortConnectionBy(&port, d, nullptr, FALSE);
    EXPECT_EQ(arc.Points(), test.after) << test.what;
    arc.SetEnds(nullptr, nullptr, FALSE);
  }
}

TEST(DrawArcTest, RemovingAnEndOfACompleteWireRemovesTheBendNextToIt) {
  CDrawOutPort out(CPoint(0, 0), nullptr, nullptr);
  CDrawInPort in(CPoint(100, 100), nullptr, nullptr);
  TestArc arc;
  arc.SetEnds(&out, &in, TRUE);
  arc.SetPoints({{0, 0}, {100, 0}, {100, 100}});
  EXPECT_TRUE(arc.RemovePoint(0, nullptr));
  EXPECT_EQ(arc.Points(), (std::vector<CPoint>{{0, 0}, {100, 100}}));
  EXPECT_FALSE(arc.RemovePoint(0, nullptr));
  arc.SetEnds(nullptr, nullptr, FALSE);
}

// A document that refuses every recording opened inside another while
// `refuseNested` is set.
class RefusingNestedDoc : public CDrawDoc {
 public:
  int BeginUndoRecording(LPCWSTR name, UINT sizeHint) override {
    if (refuseNested && GetUndoLevel() > 0) return FALSE;
    return CDrawDoc::BeginUndoRecording(name, sizeHint);
  }
  bool refuseNested = false;
};

TEST(DrawArcTest, AWireWhoseDeleteRecordIsRefusedStaysJoinedAndSaysSo) {
  RefusingNestedDoc doc;
  CDiagram* diagram = doc.GetDiagram();
  diagram->SetDocument(&doc);
  auto* out = new CDrawOutPort(CPoint(0, 0), nullptr, nullptr);
  auto* in = new CDrawInPort(CPoint(100, 0), nullptr, nullptr);
  ASSERT_TRUE(diagram->Add(out));
  ASSERT_TRUE(diagram->Add(in));
  auto* arc = new CDrawArc;
  ASSERT_TRUE(arc->Initialize(out, in, TRUE));
  ASSERT_TRUE(diagram->Add(arc));
  const int undos = doc.GetNumberUndosOnStack();

  doc.refuseNested = true;
  EXPECT_EQ(arc->Delete(), 0);
  doc.refuseNested = false;
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), undos);
  EXPECT_NE(diagram->GetObjects().Find(arc), nullptr);
  for (CDrawPort* port : {static_cast<CDrawPort*>(out), static_cast<CDrawPort*>(in)}) {
    CDrawList arcs;
    port->IncludeArcsInList(&arcs);
    EXPECT_NE(arcs.Find(arc), nullptr);
  }
  // Allowed, the delete goes through.
  EXPECT_EQ(arc->Delete(), 1);
  EXPECT_EQ(diagram->GetObjects().Find(arc), nullptr);
}

class ArcOnDiagram : public blocktest::BlockDiagram {};

TEST_P(ArcOnDiagram, ANewPathJoinsThePortsInEitherDirectionAndUndoes) {
  auto* a = PlaceBlock(1, CPoint(-300, 0));
  auto* b = PlaceBlock(100, CPoint(0, 200));
  ASSERT_TRUE(a && b);
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  ASSERT_NE(wire, nullptr);
  const CPoint src = PortOf(a, 0)->ConnectionPoint();
  const CPoint dst = PortOf(b, 0)->ConnectionPoint();
  const std::vector<CPoint> straight = PointsOf(wire);
  doc.ClearUndoStack();

  const std::vector<CPoint> reversed = {dst, CPoint(src.x, dst.y), src};
  ASSERT_TRUE(wire->ReRoute(reversed.data(), 3));
  EXPECT_EQ(PointsOf(wire), reversed);  // kept in the order given
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);

  const std::vector<CPoint> bad = {src, CPoint(src.x, dst.y), dst + CSize(1, 0)};
  EXPECT_FALSE(wire->ReRoute(bad.data(), 3));
  const std::vector<CPoint> single = {src};
  EXPECT_FALSE(wire->ReRoute(single.data(), 1));
  EXPECT_EQ(PointsOf(wire), reversed);
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 1);

  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(PointsOf(wire), straight);
  ASSERT_TRUE(doc.RedoLast());
  EXPECT_EQ(PointsOf(wire), reversed);
}

TEST_P(ArcOnDiagram, MovingABlockDragsTheWireEnds) {
  auto* a = PlaceBlock(1, CPoint(-300, 0));
  auto* b = PlaceBlock(100, CPoint(0, 200));
  ASSERT_TRUE(a && b);
  CDrawArc* wire = Wire(PortOf(a, 0), PortOf(b, 0));
  ASSERT_NE(wire, nullptr);
  const CPoint start = wire->GetHandle(1);
  b->MoveBy(CPoint(40, 20), TRUE);
  EXPECT_EQ(wire->GetHandle(1), start);
  EXPECT_EQ(wire->GetHandle(2), PortOf(b, 0)->ConnectionPoint());
}

void Load(CDrawDoc& doc, const std::vector<BYTE>& bytes) {
  doctest::LoadArchive in(bytes, &doc);
  doc.Serialize(in.ar());
}

TEST_P(ArcOnDiagram, BlocksAndTheirWiresTravelThroughTheStream) {
  auto* a = PlaceBlock(102, CPoint(-300, 0));
  auto* b = PlaceBlock(200, CPoint(0, 200));
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(Wire(PortOf(a, 1), PortOf(b, 0)));
  ASSERT_TRUE(Wire(PortOf(a, 2), PortOf(b, 1)));
  if (!upward()) GTEST_SKIP() << "the document's own diagram is the upward one";
  const std::vector<BYTE> stored = doctest::StoreDocument(doc);

  CDrawDoc copy;
  Load(copy, stored);
  CDiagram* loaded = copy.GetDiagram();
  int blocks = 0;
  int wires = 0;
  for (POSITION pos = loaded->GetObjects().GetHeadPosition(); pos;) {
    CDrawObj* object = loaded->GetObjects().GetNext(pos);
    if (object->IsKindOf(RUNTIME_CLASS(CDrawBlock))) {
      ++blocks;
      auto* block = static_cast<CDrawBlock*>(object);
      for (POSITION p = block->GetPorts().GetHeadPosition(); p;) {
        auto* port = static_cast<CDrawPort*>(block->GetPorts().GetNext(p));
        EXPECT_EQ(port->GetDrawBlock(), block);
        EXPECT_TRUE(loaded->GetObjects().Find(port));
      }
    } else if (object->IsKindOf(RUNTIME_CLASS(CDrawArc))) {
      ++wires;
      auto* wire = static_cast<CDrawArc*>(object);
      EXPECT_TRUE(wire->IsComplete());
      EXPECT_TRUE(wire->GetSrcOutPort()->IsArcInConnectionList(wire));
      EXPECT_TRUE(wire->GetDestInPort()->IsArcInConnectionList(wire));
      EXPECT_EQ(wire->GetHandle(1), wire->GetSrcOutPort()->ConnectionPoint());
    }
  }
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(wires, 2);
  EXPECT_EQ(loaded->GetObjects().GetCount(), diagram->GetObjects().GetCount());
  EXPECT_EQ(doctest::StoreDocument(copy), stored);
}

// A port read before its block (a group behind the block that holds the
// port) is the block's all the same: the block reads its port list while
// the port is being read.
TEST_P(ArcOnDiagram, APortReadBeforeItsBlockStaysWithIt) {
  if (!upward()) GTEST_SKIP() << "the document's own diagram is the upward one";
  auto* a = PlaceBlock(1, CPoint(-300, 0));
  auto* b = PlaceBlock(100, CPoint(0, 200));
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(Wire(PortOf(a, 0), PortOf(b, 0)));
  auto* other = new CDrawObj(CRect(500, 500, 510, 490));
  ASSERT_TRUE(diagram->Add(other));
  CDrawGroup* group = diagram->MakeDrawGroup();
  ASSERT_TRUE(diagram->Add(group));
  CDrawList members;
  members.AddTail(other);
  ASSERT_TRUE(group->SetMembers(members, FALSE));
  // Grouping leaves a port without its block out; a group read from a
  // stream may hold one, as this one does.
  group->Add(PortOf(a, 0));
  ASSERT_EQ(group->GetMembers().GetCount(), 2);
  ASSERT_TRUE(diagram->MoveToBack(group));
  const INT_PTR count = diagram->GetObjects().GetCount();
  const std::vector<BYTE> stored = doctest::StoreDocument(doc);

  CDrawDoc copy;
  Load(copy, stored);
  EXPECT_FALSE(copy.LoadFailuresDidOccur());
  CDiagram* loaded = copy.GetDiagram();
  EXPECT_EQ(loaded->GetObjects().GetCount(), count);
  int blocks = 0;
  for (POSITION pos = loaded->GetObjects().GetHeadPosition(); pos;) {
    CDrawObj* object = loaded->GetObjects().GetNext(pos);
    if (auto* port = DYNAMIC_DOWNCAST(CDrawPort, object)) {
      ASSERT_NE(port->GetDrawBlock(), nullptr);
      EXPECT_TRUE(port->GetDrawBlock()->GetPorts().Find(port));
      EXPECT_TRUE(port->IsLinked());
    }
    if (object->IsKindOf(RUNTIME_CLASS(CDrawBlock))) ++blocks;
  }
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(doctest::StoreDocument(copy), stored);
  copy.EndLoad(FALSE);
}

TEST_P(ArcOnDiagram, AStoredWireWithoutBothPortsFailsToLoad) {
  if (!upward()) GTEST_SKIP() << "the document's own diagram is the upward one";
  auto* a = PlaceBlock(1, CPoint(-300, 0));
  ASSERT_NE(a, nullptr);
  // A wire still being drawn: only its source is attached.
  auto* half = new TestArc;
  half->SetEnds(PortOf(a, 0), nullptr, FALSE);
  half->SetPoints({PortOf(a, 0)->ConnectionPoint(), CPoint(0, 0)});
  PortOf(a, 0)->AddArc(half, FALSE);
  ASSERT_TRUE(diagram->Add(half));
  const INT_PTR count = diagram->GetObjects().GetCount();
  const std::vector<BYTE> stored = doctest::StoreDocument(doc);

  CDrawDoc copy;
  Load(copy, stored);
  EXPECT_TRUE(copy.LoadFailuresDidOccur());
  CDiagram* loaded = copy.GetDiagram();
  EXPECT_EQ(loaded->GetObjects().GetCount(), count - 1);
  for (POSITION pos = loaded->GetObjects().GetHeadPosition(); pos;) {
    CDrawObj* object = loaded->GetObjects().GetNext(pos);
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CDrawArc)));
    if (object->IsKindOf(RUNTIME_CLASS(CDrawPort))) {
      EXPECT_FALSE(static_cast<CDrawPort*>(object)->IsLinked());
    }
  }
  copy.EndLoad(FALSE);
}

TEST(DrawArcTest, AStoredWireBetweenPortsOfNoBlockGoesToTheLoadFailuresWithThem) {
  LinkDiagramLibrary();
  CDrawDoc doc;
  doc.StartLoad(18);
  doctest::Bytes b;
  b.NewClass("CDrawArc").DrawObjData(18, 0, 0, 100, 0);  // class 1, object 2
  b.Word(1).Word(2).Word(2).Small(0).Small(0).Small(100).Small(0);
  b.NewClass("CDrawOutPort").DrawObjData(18, -10, -5, 0, 5);  // class 3, object 4
  b.PortTriangle(-10).Ref(0).Ref(0).Ref(0).Ref(0);
  b.NewClass("CDrawInPort").DrawObjData(18, 100, -5, 110, 5);  // class 5, object 6
  b.Word(0).Word(4).Word(4);
  for (const CPoint& p : {CPoint(100, 0), CPoint(98, -5), CPoint(108, 0), CPoint(98, 5)}) b.Small(p.x).Small(p.y);
  b.Word(0).Ref(0).Ref(0).Ref(0).Ref(0);
  doctest::LoadArchive in(b.data, &doc);
  auto* arc = static_cast<CDrawArc*>(in.ar().ReadObject(RUNTIME_CLASS(CDrawArc)));
  ASSERT_NE(arc, nullptr);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_FALSE(arc->IsComplete());
  EXPECT_EQ(arc->GetSrcOutPort(), nullptr);
  EXPECT_TRUE(doc.LoadFailuresDidOccur());
  // The document frees the wire and both ports.
  doc.DeleteLoadFailures();
}

TEST(DrawArcTest, APortReadBeforeABlockThatNoListNamesKeepsIt) {
  // A damaged diagram record: the port is an element of its own, and its
  // block, read with it, is named by no list of the diagram. The block,
  // holding the port, is placed all the same.
  LinkDiagramLibrary();
  CDrawDoc doc;
  CDiagram& diagram = *doc.GetDiagram();
  doctest::Bytes b;
  b.Word(0).Word(1).Byte(1).Byte(1).Dword(0).Word(0).Small(850).Small(1100).Word(1).Word(1).Small(9).Small(9);
  b.Word(1).NewClass("CDrawOutPort").DrawObjData(18, 0, -5, 10, 5);  // class 1, object 2
  b.PortTriangle(0).Ref(0).Ref(0).Ref(0);
  b.NewClass("CDrawBlock").DrawObjData(18, -50, 20, 0, -20);  // class 3, object 4
  b.Word(1).Ref(0).Ref(0).Ref(0).Ref(0).Word(1).Ref(2);
  b.Lock(0xFFFFFFFF, 0xFFFFFFFF).Word(1).Ref(2);
  doctest::LoadArchive in(b.data, &doc);
  diagram.Serialize(in.ar());
  EXPECT_TRUE(in.AtEnd());
  ASSERT_EQ(diagram.GetObjects().GetCount(), 2);
  auto* port = DYNAMIC_DOWNCAST(CDrawPort, diagram.GetObjects().GetHead());
  ASSERT_NE(port, nullptr);
  ASSERT_NE(port->GetDrawBlock(), nullptr);
  EXPECT_EQ(diagram.GetObjects().GetTail(), port->GetDrawBlock());
  EXPECT_FALSE(doc.LoadFailuresDidOccur());
}

INSTANTIATE_TEST_SUITE_P(BothDirections, ArcOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Upward" : "Downward");
                         });

}  // namespace
