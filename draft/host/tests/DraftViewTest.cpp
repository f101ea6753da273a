#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TextEntity.h"
#include "draft/host/UndoRecord.h"
#include "draft/testsupport/EntityValues.h"

namespace {
using drafttest::Items;

class ViewTest : public ::testing::Test {
 protected:
  CLineEntity* Line(double x1, double y1, double x2, double y2) {
    auto* e = ConstructLineEntity(0, nullptr, x1, y1, x2, y2);
    view.AddEntityToView(e);
    return e;
  }
  CDraftView view;
};
}  // namespace

// Each record kind, made the way the commands make it, then undone and
// redone: the entity list comes back exactly, in drawing order.
TEST_F(ViewTest, UndoAndRedoRestoreTheEntityListForEveryRecordKind) {
  struct Case {
    const char* name;
    // Changes the drawing and returns the record to push.
    CUndoRecord* (*apply)(CDraftView&, CEntity* a, CEntity* b);
  };
  const Case cases[] = {
      {"add one", [](CDraftView& v, CEntity*, CEntity*) {
         CEntity* n = ConstructLineEntity(0, nullptr, 5, 5, 6, 6);
         CUndoRecord* r = ConstructUndoAddEntity(n);
         v.AddEntityToView(n);
         return r;
       }},
      {"add list", [](CDraftView& v, CEntity*, CEntity*) {
         CUndoRecord* r = ConstructUndoAddEntities();
         v.AddEntityToView(ConstructCircleEntity(0, nullptr, 0, 0, 1), r);
         v.AddEntityToView(ConstructCircleEntity(0, nullptr, 0, 0, 2), r);
         return r;
       }},
      {"delete one", [](CDraftView& v, CEntity* a, CEntity*) {
         CUndoRecord* r = ConstructUndoDeleteEntity(a);
         v.RemoveEntity(a);
         return r;
       }},
      {"delete list", [](CDraftView& v, CEntity* a, CEntity* b) {
         CEntityList gone;
         gone.AddTail(a);
         gone.AddTail(b);
         CUndoRecord* r = ConstructUndoDeleteEntities();
         r->AddOldList(gone);
         v.RemoveEntities(gone);
         return r;
       }},
      {"replace one", [](CDraftView& v, CEntity* a, CEntity*) {
         CEntity* n = a->Transform(1, 1, 0, 0, 1, 0, 1);
         CUndoRecord* r = ConstructUndoReplaceEntity(a, n);
         v.RemoveEntity(a);
         v.AddEntityToView(n);
         return r;
       }},
      {"replace list", [](CDraftView& v, CEntity* a, CEntity* b) {
         CEntityList oldList, newList;
         oldList.AddTail(a);
         oldList.AddTail(b);
         newList.AddTail(a->Clone());
         CUndoRecord* r = ConstructUndoReplaceEntities();
         r->SetLists(oldList, newList);
         v.RemoveEntities(oldList);
         v.AddEntities(newList);
         return r;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView v;
    CEntity* a = ConstructLineEntity(0, nullptr, 0, 0, 1, 0);
    CEntity* mid = ConstructLineEntity(0, nullptr, 0, 1, 1, 1);
    CEntity* b = ConstructLineEntity(0, nullptr, 0, 2, 1, 2);
    v.AddEntityToView(a);
    v.AddEntityToView(mid);
    v.AddEntityToView(b);
    const std::vector<CEntity*> before = Items(*v.GetEntityList());
    v.PushUndoRecord(c.apply(v, a, b));
    const std::vector<CEntity*> after = Items(*v.GetEntityList());
    ASSERT_NE(after, before);
    ASSERT_TRUE(v.Undo());
    EXPECT_EQ(Items(*v.GetEntityList()), before);
    ASSERT_TRUE(v.Redo());
    EXPECT_EQ(Items(*v.GetEntityList()), after);
    ASSERT_TRUE(v.Undo());
    EXPECT_FALSE(v.Undo());
  }
}

TEST_F(ViewTest, ANewRecordCutsTheRedoHistoryAndFreesWhatOnlyItHeld) {
  // Checked by the sanitizer's leak and use-after-free detection.
  CEntity* e = ConstructLineEntity(0, nullptr, 0, 0, 1, 1);
  view.PushUndoRecord(ConstructUndoAddEntity(e));
  view.AddEntityToView(e);
  view.Undo();  // e is out of the drawing, held by the redo record
  CEntity* f = ConstructLineEntity(0, nullptr, 2, 2, 3, 3);
  view.AddEntityToView(f);
  view.PushUndoRecord(ConstructUndoAddEntity(f));
  EXPECT_EQ(view.GetRedoCount(), 0);
  EXPECT_EQ(Items(*view.GetEntityList()), std::vector<CEntity*>{f});
}

TEST_F(ViewTest, ANewRecordKeepsWhatItNamesThatOnlyTheCutRedoHistoryHeldBefore) {
  // Checked by the sanitizer's use-after-free detection: a is named by the
  // undone step and then by the new one, which cuts the undone step off.
  CEntity* a = Line(0, 0, 1, 0);
  CEntity* b = ConstructLineEntity(0, nullptr, 0, 0, 2, 0);
  view.RemoveEntity(a);
  view.AddEntityToView(b);
  CUndoRecord* first = ConstructUndoReplaceEntities();
  first->AddOld(a);
  first->AddNew(b);
  view.PushUndoRecord(first);
  ASSERT_TRUE(view.Undo());  // a back in the drawing, b held by the redo record
  CEntity* c = ConstructLineEntity(0, nullptr, 0, 0, 3, 0);
  view.RemoveEntity(a);
  view.AddEntityToView(c);
  CUndoRecord* second = ConstructUndoReplaceEntities();
  second->AddOld(a);
  second->AddNew(c);
  view.PushUndoRecord(second);
  EXPECT_EQ(view.GetRedoCount(), 0);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Items(*view.GetEntityList()), std::vector<CEntity*>{a});
}

// An entity a command took out while a record named it stays the view's
// while the command holds it, even when the undo limit drops that record;
// the command puts it back, names it in a record, or discards it, and the
// view frees it only when nothing holds it any more. Checked by the
// sanitizer's leak, double-free and use-after-free detection.
TEST_F(ViewTest, AnEntityTakenOutWhileARecordNamesItOutlivesTheRecordWhileItIsHeld) {
  struct Case {
    const char* name;
    // What the command does with the entity it holds; true when it is back
    // in the drawing.
    bool (*end)(CDraftView&, CEntity*);
  };
  const Case cases[] = {
      {"put back", [](CDraftView& v, CEntity* e) { return v.AddEntityToView(e) != FALSE; }},
      {"discarded", [](CDraftView& v, CEntity* e) {
         v.DiscardEntity(e);
         return false;
       }},
      {"named in a record", [](CDraftView& v, CEntity* e) {
         CUndoRecord* r = ConstructUndoDeleteEntities();
         r->AddOld(e);
         v.PushUndoRecord(r);
         return false;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView v;
    v.SetUndoLimit(1);
    CEntity* held = ConstructLineEntity(0, nullptr, 0, 0, 1, 0);
    v.AddEntityToView(held);
    v.PushUndoRecord(ConstructUndoAddEntity(held));
    EXPECT_TRUE(v.RemoveEntity(held));  // a command holds it
    // Another step pushed meanwhile drops the record that named it.
    CEntity* other = ConstructLineEntity(0, nullptr, 0, 1, 1, 1);
    v.AddEntityToView(other);
    v.PushUndoRecord(ConstructUndoAddEntity(other));
    ASSERT_EQ(v.GetUndoCount(), 1);
    EXPECT_EQ(drafttest::Geometry(held), (std::vector<double>{0, 0, 1, 0}));  // not freed
    if (c.end(v, held)) {
      EXPECT_TRUE(v.IsInDrawing(held));
    }
  }
}

// Discarding frees at once what no record names, and leaves to the records
// what one names: undo and redo still find it.
TEST_F(ViewTest, DiscardingLeavesAnEntityThatARecordNamesToTheRecord) {
  CEntity* named = Line(0, 0, 1, 0);
  view.PushUndoRecord(ConstructUndoAddEntity(named));
  view.DiscardEntity(named);
  EXPECT_FALSE(view.IsInDrawing(named));
  CEntity* loose = Line(0, 1, 1, 1);
  view.DiscardEntity(loose);  // freed now: the leak check sees it go
  ASSERT_TRUE(view.Undo());
  ASSERT_TRUE(view.Redo());
  EXPECT_EQ(Items(*view.GetEntityList()), std::vector<CEntity*>{named});
}

TEST_F(ViewTest, SelectionMovesEntitiesBetweenTheListsAndRemovalTakesThemFromEither) {
  CEntity* a = Line(0, 0, 1, 0);
  CEntity* b = Line(0, 1, 1, 1);
  view.SelectEntity(a);
  view.SelectEntity(b);
  EXPECT_TRUE(view.GetEntityList()->IsEmpty());  // everything selected
  EXPECT_EQ(view.GetSelectionCount(), 2);

  view.RemoveEntity(a);  // from the selection list
  EXPECT_FALSE(view.IsInDrawing(a));
  view.ClearSelection();
  EXPECT_EQ(Items(*view.GetEntityList()), std::vector<CEntity*>{b});
  delete a;  // no record names it: it is ours again
}

// Many entities going back at once (the whole selection cleared, a step
// undone) stand where each would stand put back one by one: before the
// first entity that comes after it in drawing order. That holds also when
// a command put an entity into the entity list by hand, out of order.
TEST_F(ViewTest, EntitiesPutBackTogetherStandWhereEachWouldStandPutBackAlone) {
  std::vector<CEntity*> lines;
  for (int i = 0; i < 30; ++i) lines.push_back(Line(i, 0, i, 1));
  CEntityList picked;
  for (int i = 29; i >= 0; i -= 3) picked.AddTail(lines[i]);  // against drawing order
  view.SelectEntities(picked);
  view.ClearSelection();
  EXPECT_EQ(Items(*view.GetEntityList()), lines);

  view.SelectEntities(picked);
  view.DeselectEntities(picked);
  EXPECT_EQ(Items(*view.GetEntityList()), lines);

  CUndoRecord* record = ConstructUndoDeleteEntities();
  for (CEntity* e : picked) record->AddOld(e);
  view.RemoveEntities(picked);
  view.PushUndoRecord(record);
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Items(*view.GetEntityList()), lines);
  ASSERT_TRUE(view.Redo());
  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(Items(*view.GetEntityList()), lines);

  // By hand: line 28 moved to the head of the entity list. Each of the
  // selection (29, 26, ..., 2) goes before the first entity after it, which
  // for all but 29 is now line 28 at the head.
  view.SelectEntities(picked);
  view.GetEntityList()->RemoveTail();
  view.GetEntityList()->AddHead(lines[28]);
  view.ClearSelection();
  std::vector<CEntity*> expected;
  for (int i = 2; i < 28; i += 3) expected.push_back(lines[i]);
  expected.push_back(lines[28]);
  for (int i = 0; i < 28; ++i)
    if (i % 3 != 2) expected.push_back(lines[i]);
  expected.push_back(lines[29]);
  EXPECT_EQ(Items(*view.GetEntityList()), expected);
}

// An entity the caller took back keeps its place for when it comes back,
// but a new entity that the allocator puts at the address of one the caller
// freed is new to the drawing: it goes last, not into the freed one's place.
TEST_F(ViewTest, ANewEntityAtAFreedEntitysAddressIsAddedLast) {
  alignas(CLineEntity) unsigned char storage[sizeof(CLineEntity)];
  auto* first = new (storage) CLineEntity(0, nullptr, 0, 0, 1, 0);
  view.AddEntityToView(first);
  CEntity* second = Line(0, 1, 1, 1);
  view.RemoveEntity(first);  // no record names it: the caller's again
  view.AddEntityToView(first);
  EXPECT_EQ(Items(*view.GetEntityList()), (std::vector<CEntity*>{first, second}));  // back in its place

  view.RemoveEntity(first);
  first->~CLineEntity();  // freed; the allocator hands the address out again
  auto* reused = new (storage) CLineEntity(0, nullptr, 0, 2, 1, 2);
  view.AddEntityToView(reused);
  EXPECT_EQ(Items(*view.GetEntityList()), (std::vector<CEntity*>{second, reused}));
  view.RemoveEntity(reused);
  reused->~CLineEntity();
}

// A line drawn on the layer of a standard line kind is drawn in that kind's
// style: what a command puts on the centre-line kind's layer is what
// another finds by the layer record's line kind 2.
TEST_F(ViewTest, TheLayerOfEachLineKindDrawsInThatKindsStyle) {
  const struct {
    int kind;
    int style;
  } cases[] = {{1, kLineStyleThick}, {2, kLineStyleThin}, {5, kLineStyleDashed}, {6, kLineStyleCenter},
               {8, kLineStylePhantom}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    CEntity* line = ConstructLineEntity(GetLineKindLayer(c.kind), nullptr, 0, 0, 1, 0);
    view.AddEntityToView(line);
    const CLayerRecord* record = view.GetEntityLayerInfo(line);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetLineKind(), c.style);
  }
}

TEST_F(ViewTest, PicksByKindMaskNearestFirst) {
  CEntity* line = Line(0, 0, 10, 0);
  auto* circle = ConstructCircleEntity(0, nullptr, 5, 3, 2.5);  // passes 0.5 above the line
  view.AddEntityToView(circle);
  CTextAttrib attr;
  auto* text = ConstructTextEntity(0, nullptr, "AB", 5, 0.5, attr);
  view.AddEntityToView(text);

  struct Case { DWORD mask; std::vector<CEntity*> found; } cases[] = {
      {kPickLine, {line}},
      {kPickCircle, {circle}},
      {kPickLine | kPickCircle, {circle, line}},  // nearest first: 0.0 vs 0.5 from (5, 0.5)
      {kPickOrdinary, {circle, text, line}},  // ties keep drawing order
      {kPickArc, {}},
  };
  for (const auto& c : cases) {
    CEntityList out;
    const BOOL found = view.PickEntitiesAtPoint(5, 0.5, out, 0, 1, 0, 0, c.mask, -1);
    EXPECT_EQ(found, c.found.empty() ? FALSE : TRUE) << std::hex << c.mask;
    EXPECT_EQ(Items(out), c.found) << std::hex << c.mask;
  }
}

TEST_F(ViewTest, WindowCornerOrderChoosesWindowOrCrossing) {
  CEntity* inside = Line(1, 1, 2, 2);
  Line(1, 1, 20, 1);  // crosses the box
  CEntityList window, crossing;
  view.PickEntitiesInWindow(0, 0, 5, 5, window, 0, 1, 0, 0, kPickEverything, -1);
  view.PickEntitiesInWindow(5, 5, 0, 0, crossing, 0, 1, 0, 0, kPickEverything, -1);
  EXPECT_EQ(Items(window), std::vector<CEntity*>{inside});
  EXPECT_EQ(crossing.GetCount(), 2);
}

TEST_F(ViewTest, SnapsToTheNearestEndPointWithinTheAperture) {
  CEntity* line = Line(0, 0, 100, 0);
  PointRec cursor{0, 0, 101.5, 2.0, 1, 1};  // aperture 4 units at zoom 1
  DWORD wx = 9, wy = 9, state = 0;
  ASSERT_EQ(view.SnapCursorPoint(SnapOptions{}, 0, {}, cursor, 1, wx, wy, 0, &state), 1);
  EXPECT_EQ(cursor.x, 100);
  EXPECT_EQ(cursor.y, 0);
  EXPECT_EQ(cursor.flagA, kPointSnapped);
  EXPECT_EQ(cursor.word0, line->GetHandle());
  EXPECT_EQ(cursor.word0, cursor.word1);
  EXPECT_EQ(state, kSnapEnd);
  EXPECT_EQ(wx, 0u);

  PointRec far{0, 0, 50, 30, 1, 1};
  EXPECT_EQ(view.SnapCursorPoint(SnapOptions{}, 0, {}, far, 1, wx, wy, 0, &state), 0);
  EXPECT_EQ(far.x, 50);
  EXPECT_EQ(state, 0u);

  SnapOptions midOnly;
  midOnly.word[1] = kSnapMid;  // the command asks for mid points only
  PointRec nearEnd{0, 0, 99, 1, 1, 1};
  EXPECT_EQ(view.SnapCursorPoint(midOnly, 0, {}, nearEnd, 1, wx, wy, 0, &state), 0);
  EXPECT_EQ(view.SnapOnHomeKey(midOnly, 0, {}, nearEnd, 1, wx, wy, 0, &state), 1);  // the key looks everywhere
  EXPECT_EQ(nearEnd.x, 50);
}

TEST_F(ViewTest, SnapsToIntersectionsAndCentres) {
  Line(0, 0, 30, 30);
  Line(0, 20, 40, -20);  // crosses the first at (10, 10), away from any mid point
  auto* circle = ConstructCircleEntity(0, nullptr, 50, 50, 10);
  view.AddEntityToView(circle);
  DWORD wx, wy, state;
  PointRec c1{0, 0, 11, 9.5, 1, 1};
  ASSERT_EQ(view.SnapCursorPoint(SnapOptions{}, 0, {}, c1, 1, wx, wy, 0, &state), 1);
  EXPECT_NEAR(c1.x, 10, 1e-9);
  EXPECT_EQ(state, kSnapIntersection);
  PointRec c2{0, 0, 51, 49, 1, 1};
  ASSERT_EQ(view.SnapCursorPoint(SnapOptions{}, 0, {}, c2, 1, wx, wy, 0, &state), 1);
  EXPECT_EQ(c2.x, 50);
  EXPECT_EQ(state, kSnapCentre);
}

TEST_F(ViewTest, DeviceAndDrawingCoordinatesFollowZoomAndPan) {
  view.SetClientSize(800, 600);
  view.SetZoom(2.0);
  view.SetPan(10, 20);
  double x = 0, y = 0;
  view.ClientToDrawing(x, y, CPoint(100, 500), 1);
  EXPECT_DOUBLE_EQ(x, 60);  // 10 + 100/2
  EXPECT_DOUBLE_EQ(y, 70);  // 20 + (600 − 500)/2
  view.ClientToDrawing(x, y, CPoint(), 0);
  EXPECT_EQ(view.GetCursorPos(), CPoint(100, 500));
  view.ZoomInAt(60, 70);
  EXPECT_EQ(view.DrawingToClient(60, 70), CPoint(100, 500));  // the point stays put
}

TEST_F(ViewTest, FindsTheCellOfATableAsFourLines) {
  // A 2 × 1 table: outer box with one divider; the cell right of it.
  Line(0, 0, 20, 0);
  Line(20, 0, 20, 10);
  Line(20, 10, 0, 10);
  Line(0, 10, 0, 0);
  Line(8, -5, 8, 15);  // the divider overshoots the box
  CEntityList boundary, second;
  ASSERT_TRUE(view.FindClosedBoundary(*view.GetEntityList(), boundary, second, 15, 5, 1, 0));
  ASSERT_EQ(boundary.GetCount(), 4);
  double xmin = 1e9, xmax = -1e9;
  for (CEntity* e : boundary) {
    double v[kMaxGeometryValues];
    e->GetGeometry(v);
    xmin = std::min({xmin, v[0], v[2]});
    xmax = std::max({xmax, v[0], v[2]});
    delete e;  // new entities, the caller's
  }
  EXPECT_DOUBLE_EQ(xmin, 8);
  EXPECT_DOUBLE_EQ(xmax, 20);
  CEntityList none, second2;
  EXPECT_FALSE(view.FindClosedBoundary(*view.GetEntityList(), none, second2, 30, 5, 1, 0));
}
