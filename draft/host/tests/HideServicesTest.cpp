// Hidden lines on the clipping core: a region of loops cuts what it hides,
// the view's HideByRegion in both modes, the drawing service's pass over
// the selection, and selection tracking.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingIO.h"
#include "draft/host/DrawingService.h"
#include "draft/host/LayerTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LoopClipRegion.h"
#include "draft/host/UndoRecord.h"

namespace {
using HideLine = std::array<double, 4>;

std::vector<HideLine> LinesOf(const CEntityList& list) {
  std::vector<HideLine> out;
  for (CEntity* e : list) {
    double v[kMaxGeometryValues];
    if (e->IsLine() && e->GetGeometry(v) == 4) {
      HideLine l{v[0], v[1], v[2], v[3]};
      if (std::make_pair(l[0], l[1]) > std::make_pair(l[2], l[3])) l = {l[2], l[3], l[0], l[1]};
      out.push_back(l);
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

void ExpectHideLines(const std::vector<HideLine>& actual, const std::vector<HideLine>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(actual[i][k], expected[i][k], 1e-6) << "line " << i;
}

void FreeAll(CEntityList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}

// The rectangle 0..100 × 0..60 as four lines.
std::vector<CEntity*> Rectangle(CDraftView& view) {
  std::vector<CEntity*> sides = {ConstructLineEntity(0, nullptr, 0, 0, 100, 0),
                                 ConstructLineEntity(0, nullptr, 100, 0, 100, 60),
                                 ConstructLineEntity(0, nullptr, 100, 60, 0, 60),
                                 ConstructLineEntity(0, nullptr, 0, 60, 0, 0)};
  for (CEntity* e : sides) view.AddEntityToView(e);
  return sides;
}
}  // namespace

TEST(LoopClipRegionTest, InsideOddTimesAndTheSidesOutside) {
  CEntityList loops;
  loops.AddTail(ConstructCircleEntity(0, nullptr, 0, 0, 50));
  loops.AddTail(ConstructCircleEntity(0, nullptr, 0, 0, 20));
  loops.AddTail(ConstructArcEntity(0, nullptr, 200, 0, 30, 0, 180));
  loops.AddTail(ConstructLineEntity(0, nullptr, 170, 0, 230, 0));
  const CLoopClipRegion region(loops);
  struct Case {
    GPoint p;
    bool inside;
  };
  const Case cases[] = {{{30, 0}, true},    {{10, 0}, false},   {{60, 0}, false},  {{50, 0}, false},
                        {{200, 10}, true},  {{200, -10}, false}, {{200, 30}, false}, {{200, 0}, false},
                        {{0, 35}, true},    {{229, 1}, true}};
  for (const Case& c : cases) EXPECT_EQ(region.Contains(c.p), c.inside) << c.p.x << "," << c.p.y;
  FreeAll(loops);
}

TEST(HideByRegionTest, DrawingModeCutsWhatTheRegionHidesAndFillsTheRecord) {
  CDraftView view;
  Rectangle(view);
  CEntity* centre = ConstructLineEntity(2, nullptr, 100, 70, 100, 10);  // a centre line crossing the region
  view.AddEntityToView(centre);
  CEntityList region;
  region.AddTail(ConstructCircleEntity(0, nullptr, 100, 60, 30));
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList replaced, made, kept;
  ASSERT_TRUE(view.HideByRegion(*view.GetEntityList(), region, 1, 0, nullptr, record.get(), 1, replaced, made,
                                kept));
  // The two sides meeting at the circle's centre lose what lies inside it;
  // the centre line stays whole, and the drawing is not changed.
  EXPECT_EQ(replaced.GetCount(), 2);
  ExpectHideLines(LinesOf(made), {{0, 60, 70, 60}, {100, 0, 100, 30}});
  EXPECT_TRUE(kept.IsEmpty());
  EXPECT_EQ(record->GetOldEntities().size(), 2u);
  EXPECT_EQ(record->GetNewEntities().size(), 2u);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 5);

  // Without ignoring centre lines the centre line is cut too.
  CEntityList replaced2, made2, kept2;
  view.HideByRegion(*view.GetEntityList(), region, 0, 0, nullptr, nullptr, 1, replaced2, made2, kept2);
  EXPECT_EQ(replaced2.GetCount(), 3);
  FreeAll(made);
  FreeAll(made2);
  FreeAll(region);
}

TEST(HideByRegionTest, CopyModeGivesPiecesAndClonesOfWhatStaysWhole) {
  CDraftView view;
  CEntityList copy;
  copy.AddTail(ConstructLineEntity(0, nullptr, -50, 0, 50, 0));
  copy.AddTail(ConstructLineEntity(0, nullptr, 100, 100, 200, 100));
  CEntityList region;
  region.AddTail(ConstructCircleEntity(0, nullptr, 0, 0, 10));
  CEntityList replaced, made, kept;
  EXPECT_TRUE(view.HideByRegion(copy, region, 1, 0, nullptr, nullptr, 0, replaced, made, kept));
  EXPECT_EQ(replaced.GetCount(), 1);
  EXPECT_EQ(replaced.GetHead(), copy.GetHead());
  ExpectHideLines(LinesOf(made), {{-50, 0, -10, 0}, {10, 0, 50, 0}});
  ExpectHideLines(LinesOf(kept), {{100, 100, 200, 100}});
  EXPECT_NE(kept.GetHead(), copy.GetTail());
  FreeAll(made);
  FreeAll(kept);
  FreeAll(copy);
  FreeAll(region);
}

// The pass: the rectangle selected, a circle of the drawing in front of it.
// Each click inside the circle gives copies of the rectangle without what
// the circle hides; EndHide hands them to the drawing in one undo step.
TEST(DrawingServiceTest, APassCopiesTheSelectionHiddenByTheClickedRegion) {
  CDraftView view;
  CEntityList rect;
  for (CEntity* e : Rectangle(view)) rect.AddTail(e);
  view.AddEntityToView(ConstructCircleEntity(0, nullptr, 100, 60, 30));
  view.SelectEntities(rect);
  // No base point: no pass.
  EXPECT_FALSE(theDrawingService.HideEntities(&view, nullptr, nullptr, nullptr));
  theDrawingService.SetHideRange(300, 300);
  ASSERT_TRUE(theDrawingService.HideEntities(&view, nullptr, nullptr, nullptr));
  EXPECT_EQ(GetDrawingIOFlag(), 1);
  EXPECT_EQ(CanReadDrawingFile(), 0);

  CEntityList copies, sources;
  ASSERT_TRUE(view.FindClosedBoundary(*view.GetEntityList(), copies, sources, 110, 70, 1, 0, 0, 1));
  ExpectHideLines(LinesOf(copies), {{0, 0, 0, 60}, {0, 0, 100, 0}, {0, 60, 70, 60}, {100, 0, 100, 30}});
  // Registering the copies twice keeps one entry each.
  view.RegisterInsertedEntities(copies);
  view.RegisterInsertedEntities(copies);
  EXPECT_EQ(view.GetSecondList()->GetCount(), 4);
  // A second click in the same region cuts nothing more.
  ASSERT_TRUE(view.FindClosedBoundary(*view.GetEntityList(), copies, sources, 95, 50, 1, 0, 0, 1));
  EXPECT_EQ(copies.GetCount(), 4);

  const int undo = view.GetUndoCount();
  theDrawingService.EndHide(copies);
  EXPECT_TRUE(copies.IsEmpty());
  EXPECT_EQ(view.GetUndoCount(), undo + 1);
  EXPECT_TRUE(view.GetSecondList()->IsEmpty());
  EXPECT_EQ(view.GetEntityList()->GetCount() + view.GetSelectionCount(), 9);
  // The pass is over: a search is a plain one again.
  EXPECT_FALSE(theDrawingService.IsHiding(&view));
  SetDrawingIOFlag(0);
  EXPECT_EQ(CanReadDrawingFile(), 1);
}

TEST(DrawingServiceTest, AViewThatGoesEndsItsPass) {
  {
    CDraftView view;
    CEntity* line = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
    view.AddEntityToView(line);
    view.SelectEntity(line);
    theDrawingService.SetHideRange(0, 0);
    ASSERT_TRUE(theDrawingService.HideEntities(&view, nullptr, nullptr, nullptr));
  }
  CDraftView other;
  EXPECT_FALSE(theDrawingService.IsHiding(&other));
  CEntityList none;
  theDrawingService.EndHide(none);  // nothing to hand over, nothing touched
  SetDrawingIOFlag(0);
}

TEST(SelectionTrackingTest, OffTheSelectionListIsTheCommandsOwn) {
  CDraftView view;
  CEntity* drawn = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  view.AddEntityToView(drawn);
  view.SelectEntity(drawn);
  EXPECT_FALSE(view.EnableSelectionTracking(0));  // the selection must be empty first
  view.ClearSelection(nullptr);
  ASSERT_TRUE(view.EnableSelectionTracking(0));
  std::unique_ptr<CEntity> dragged(ConstructLineEntity(0, nullptr, 5, 5, 6, 6));
  view.GetSelectionList()->AddTail(dragged.get());
  EXPECT_EQ(view.GetSelectionCount(), 1);
  EXPECT_FALSE(view.IsInDrawing(dragged.get()));
  CEntityList picked;
  EXPECT_FALSE(view.PickEntitiesAtPoint(5.5, 5.5, picked, 1, 1, 0, 0, 0x2000, -1));
  view.DrawSelectionTransformed(nullptr, 10, 0, 0, 0, 1.0, 0.0, 0, 1);
  EXPECT_EQ(view.GetDrawLog().back().flag, 1);
  view.ResetViewDrag(1);
  EXPECT_EQ(view.GetDrawLog().back().kind, ViewDrawKind::kSelectionTransformed);
  view.ClearSelection(nullptr);  // emptied, not freed
  EXPECT_EQ(view.GetSelectionCount(), 0);
  view.GetSelectionList()->AddTail(dragged.get());
  ASSERT_TRUE(view.EnableSelectionTracking(1));
  EXPECT_EQ(view.GetSelectionCount(), 0);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 1);
}
