#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/UndoRecord.h"

namespace {

using Seg = std::array<double, 4>;

// The lines of the drawing, each with its ends ordered, sorted.
std::vector<Seg> SortedLines(CDraftView& view) {
  std::vector<Seg> out;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    Seg s{v[0], v[1], v[2], v[3]};
    if (std::make_pair(s[2], s[3]) < std::make_pair(s[0], s[1])) s = {s[2], s[3], s[0], s[1]};
    for (double& d : s) d = std::round(d * 1e6) / 1e6 + 0.0;
    out.push_back(s);
  }
  std::sort(out.begin(), out.end());
  return out;
}

struct ChamferCase {
  int trimType;
  double len1, len2;
  bool made;
  std::vector<Seg> drawing;  // afterwards, sorted
  Seg returned;
};

// A right-angle corner: the first edge (0,0)-(100,0), the second (0,50)-(0,0),
// picked at their middles; the edges a trim type cuts are taken out first, as
// the chamfer command does.
TEST(MakeChamferTest, RightAngleCornerUnderEachTrimType) {
  const Seg first{0, 0, 100, 0}, second{0, 0, 0, 50};
  const ChamferCase cases[] = {
      {0, 10, 5, true, {{0, 0, 0, 50}, {0, 0, 100, 0}, {0, 5, 10, 0}}, {10, 0, 0, 5}},
      {1, 10, 5, true, {{0, 5, 0, 50}, {0, 5, 10, 0}, {10, 0, 100, 0}}, {10, 0, 0, 5}},
      {2, 10, 5, true, {{0, 0, 0, 50}, {0, 5, 10, 0}, {10, 0, 100, 0}}, {10, 0, 0, 5}},
      {3, 10, 5, true, {{0, 0, 100, 0}, {0, 5, 0, 50}, {0, 5, 10, 0}}, {10, 0, 0, 5}},
      {4, 10, 5, true, {{0, 0, 0, 50}, {0, 0, 100, 0}, {0, 5, 10, 0}}, {10, 0, 0, 5}},
      {5, 10, 5, true, {{0, 0, 0, 50}, {0, 0, 100, 0}}, {100, 0, 0, 0}},
      {1, 101, 5, false, {{0, 0, 0, 50}, {0, 0, 100, 0}}, {}},  // longer than its edge
      {1, 10, 0, false, {{0, 0, 0, 50}, {0, 0, 100, 0}}, {}},   // a zero length
      {1, -2, 5, false, {{0, 0, 0, 50}, {0, 0, 100, 0}}, {}},
  };
  for (const ChamferCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.trimType << " lengths " << c.len1 << ", " << c.len2);
    CDraftView view;
    CEntity* a = ConstructLineEntity(0, nullptr, first[0], first[1], first[2], first[3]);
    CEntity* b = ConstructLineEntity(0, nullptr, second[2], second[3], second[0], second[1]);
    view.AddEntityToView(a);
    view.AddEntityToView(b);
    const bool outA = c.trimType == 1 || c.trimType == 2 || c.trimType == 5;
    const bool outB = c.trimType == 1 || c.trimType == 3 || c.trimType == 5;
    if (outA) view.RemoveEntity(a);
    if (outB) view.RemoveEntity(b);
    std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
    CEntity* made = view.MakeChamfer(c.trimType, a, b, 50, 0, 0, 25, c.len1, c.len2, FALSE, 3, nullptr, record.get());
    ASSERT_EQ(made != nullptr, c.made);
    if (!made) {
      EXPECT_TRUE(record->IsEmpty());
      if (outA) view.AddEntityToView(a);
      if (outB) view.AddEntityToView(b);
      EXPECT_EQ(SortedLines(view), c.drawing);
      continue;
    }
    double v[kMaxGeometryValues];
    made->GetGeometry(v);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(v[i], c.returned[i], 1e-9) << "end value " << i;
    if (c.trimType != 5) {
      EXPECT_EQ(made->GetEntityLayer(), 3);
    }
    EXPECT_EQ(SortedLines(view), c.drawing);
    view.PushUndoRecord(record.release());
    ASSERT_TRUE(view.Undo());
    EXPECT_EQ(SortedLines(view), (std::vector<Seg>{{0, 0, 0, 50}, {0, 0, 100, 0}}));
  }
}

TEST(MakeChamferTest, ParallelEdgesAndNonLinesAreRefused) {
  CDraftView view;
  CEntity* a = ConstructLineEntity(0, nullptr, 0, 0, 100, 0);
  CEntity* b = ConstructLineEntity(0, nullptr, 0, 10, 100, 10);
  view.AddEntityToView(a);
  view.AddEntityToView(b);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  EXPECT_EQ(view.MakeChamfer(4, a, b, 50, 0, 50, 10, 5, 5, FALSE, 0, nullptr, record.get()), nullptr);
  EXPECT_EQ(view.MakeChamfer(4, a, a, 50, 0, 50, 0, 5, 5, FALSE, 0, nullptr, record.get()), nullptr);
  EXPECT_TRUE(record->IsEmpty());
  EXPECT_EQ(view.GetEntityList()->GetCount(), 2);
}

TEST(MakeChamferTest, CrossingEdgesKeepThePickedSides) {
  // Two lines crossing at (50, 50); the picks keep the lower-left quarter.
  CDraftView view;
  CEntity* a = ConstructLineEntity(0, nullptr, 0, 50, 100, 50);
  CEntity* b = ConstructLineEntity(0, nullptr, 50, 0, 50, 100);
  view.AddEntityToView(a);
  view.AddEntityToView(b);
  view.RemoveEntity(a);
  view.RemoveEntity(b);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntity* made = view.MakeChamfer(1, a, b, 20, 50, 50, 10, 10, 10, FALSE, 0, nullptr, record.get());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(SortedLines(view), (std::vector<Seg>{{0, 50, 40, 50}, {40, 50, 50, 40}, {50, 0, 50, 40}}));
  view.PushUndoRecord(record.release());
}

TEST(LineServicesTest, IntersectLinesExModes) {
  struct Case {
    int mode;
    GPoint a1, a2, b1, b2;
    bool found;
  };
  // The crossing (15, 0) lies beyond a1-a2 and within b1-b2 in the first
  // three rows, beyond both in the last three.
  const Case cases[] = {
      {0, {0, 0}, {10, 0}, {15, -5}, {15, 5}, true},   {1, {0, 0}, {10, 0}, {15, -5}, {15, 5}, true},
      {2, {0, 0}, {10, 0}, {15, -5}, {15, 5}, false},  {0, {0, 0}, {10, 0}, {15, 1}, {15, 5}, true},
      {1, {0, 0}, {10, 0}, {15, 1}, {15, 5}, false},   {2, {0, 0}, {10, 0}, {15, 1}, {15, 5}, false},
      {2, {0, 0}, {20, 0}, {15, 0}, {15, 5}, true},    {0, {0, 0}, {10, 0}, {0, 1}, {10, 1}, false},
  };
  for (const Case& c : cases) {
    GPoint out{-1, -1};
    EXPECT_EQ(IntersectLinesEx(c.mode, c.a1, c.a2, c.b1, c.b2, out, 0) != 0, c.found) << "mode " << c.mode;
    if (c.found) {
      EXPECT_NEAR(out.x, 15, 1e-9);
      EXPECT_NEAR(out.y, 0, 1e-9);
    } else {
      EXPECT_EQ(out.x, -1);  // untouched
    }
  }
}

TEST(LineServicesTest, ProjectionEndChoiceAndPolyline) {
  GPoint q{-1, -1};
  EXPECT_TRUE(ProjectPointToLine(0, {0, 0}, {10, 0}, {20, 5}, q));
  EXPECT_NEAR(q.x, 20, 1e-12);
  EXPECT_FALSE(ProjectPointToLine(1, {0, 0}, {10, 0}, {20, 5}, q));
  EXPECT_FALSE(ProjectPointToLine(0, {3, 3}, {3, 3}, {20, 5}, q));
  const GPoint near = SelectEndPoint({0, 0}, {5, 0}, {1, 0}, 1);
  const GPoint far = SelectEndPoint({0, 0}, {5, 0}, {1, 0}, 2);
  EXPECT_EQ(near.x, 1);
  EXPECT_EQ(far.x, 5);
  std::vector<GPoint> poly;
  BuildPolylineBetween(0, 0, 100, 0, poly, 1.0, 0.25);
  ASSERT_EQ(poly.size(), 6u);
  const double expected[6][2] = {{0, 0}, {37.5, 0}, {45.833333333, 1}, {54.166666667, -1}, {62.5, 0}, {100, 0}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(poly[i].x, expected[i][0], 1e-6);
    EXPECT_NEAR(poly[i].y, expected[i][1], 1e-6);
  }
  BuildPolylineBetween(4, 4, 4, 4, poly, 1.0, 0.25);
  EXPECT_EQ(poly.size(), 1u);
}

}  // namespace

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/GroupTable.h"

namespace {

TEST(CurveServicesTest, ACarriersCrossingsWithACompoundsMembers) {
  CDraftView view;
  CBlockEntity* block = ConstructBlockEntity(0, nullptr);
  block->AddMember(ConstructLineEntity(0, nullptr, 50, -10, 50, 10));
  block->AddMember(ConstructArcEntity(0, nullptr, 100, 0, 10, 90, 270));
  CLineEntity held(0, nullptr, 0, 0, 10, 0);
  double xs[3], ys[3];
  // Option 0: the held line carried on meets the line and the arc.
  ASSERT_EQ(view.IntersectWithCompound(&held, block, xs, ys, 3, 0), 2);
  EXPECT_NEAR(xs[0], 50, 1e-9);
  EXPECT_NEAR(xs[1], 90, 1e-9);
  // Option 1: the line as it is meets nothing; a count limit holds.
  EXPECT_EQ(view.IntersectWithCompound(&held, block, xs, ys, 3, 1), 0);
  EXPECT_EQ(view.IntersectWithCompound(&held, block, xs, ys, 1, 0), 1);
  delete block;
}

TEST(CurveServicesTest, OverlappingLines) {
  struct Case {
    Seg other;
    bool overlaps;
  };
  const Case cases[] = {{{5, 0, 20, 0}, true},   {{10, 0, 20, 0}, true},  {{20, 0, 11, 0}, false},
                        {{5, 1, 20, 1}, false},  {{5, 0, 5, 9}, false}};
  CLineEntity line(0, nullptr, 0, 0, 10, 0);
  for (const Case& c : cases) {
    CLineEntity other(0, nullptr, c.other[0], c.other[1], c.other[2], c.other[3]);
    EXPECT_EQ(OverlapsLine(&line, &other) != 0, c.overlaps) << c.other[0] << " " << c.other[1];
  }
}

TEST(GroupTableTest, AddGroupWithItsFlagAndPlace) {
  CGroupTable table;
  CDrawingGroup* a = table.AddGroup("A", 1.0);
  table.AddGroup("C", 1.0);
  CDrawingGroup* b = table.AddGroup("B", 2.0, 1, 5, 6, a);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->IsGroupPickedWhole());
  EXPECT_EQ(b->GetOriginX(), 5);
  EXPECT_EQ(table.GetGroupList()[1], b);  // behind A
  EXPECT_EQ(table.AddGroup("B", 3.0, 0, 0, 0, nullptr), b);  // a known name: that group, unchanged
  EXPECT_EQ(b->GetGroupScale(), 2.0);
  EXPECT_EQ(table.GetCount(), 3);
}

}  // namespace
