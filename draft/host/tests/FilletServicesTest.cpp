#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"
#include "draft/host/LineServices.h"
#include "draft/host/UndoRecord.h"

namespace {

// An entity as text, rounded to hundredths: "L" with its ends in order,
// "A" centre, radius and angles in [0, 360), "C" centre and radius.
std::string FilletShape(const CEntity* e) {
  double v[kMaxGeometryValues];
  e->GetGeometry(v);
  const auto r = [](double d) { return std::round(d * 100) / 100 + 0.0; };
  char text[160];
  if (e->IsLine()) {
    double a[4] = {r(v[0]), r(v[1]), r(v[2]), r(v[3])};
    if (std::make_pair(a[2], a[3]) < std::make_pair(a[0], a[1])) {
      std::swap(a[0], a[2]);
      std::swap(a[1], a[3]);
    }
    std::snprintf(text, sizeof text, "L %.2f %.2f %.2f %.2f", a[0], a[1], a[2], a[3]);
  } else if (e->IsArc()) {
    std::snprintf(text, sizeof text, "A %.2f %.2f %.2f %.2f %.2f", r(v[0]), r(v[1]), r(v[2]),
                  r(NormalizeAngle(v[3])) == 360 ? 0.0 : r(NormalizeAngle(v[3])),
                  r(NormalizeAngle(v[4])) == 360 ? 0.0 : r(NormalizeAngle(v[4])));
  } else {
    std::snprintf(text, sizeof text, "C %.2f %.2f %.2f", r(v[0]), r(v[1]), r(v[2]));
  }
  return text;
}

std::vector<std::string> FilletDrawing(CDraftView& view) {
  std::vector<std::string> out;
  for (CEntity* e : *view.GetEntityList()) out.push_back(FilletShape(e));
  std::sort(out.begin(), out.end());
  return out;
}

struct FilletCase {
  const char* what;
  std::vector<CEntity*> (*edges)();
  GPoint pick1, pick2;
  double radius;
  int mode;
  bool made;
  std::vector<std::string> drawing;  // afterwards, sorted
};

std::vector<CEntity*> Corner() {
  return {ConstructLineEntity(0, nullptr, 0, 0, 100, 0), ConstructLineEntity(0, nullptr, 0, 0, 0, 100)};
}
std::vector<CEntity*> Crossing() {
  return {ConstructLineEntity(0, nullptr, 0, 0, 100, 0), ConstructLineEntity(0, nullptr, 50, -20, 50, 100)};
}
std::vector<CEntity*> LineAndCircle() {
  return {ConstructLineEntity(0, nullptr, 0, 0, 100, 0), ConstructCircleEntity(0, nullptr, 50, 20, 10)};
}
std::vector<CEntity*> FarCircle() {
  return {ConstructLineEntity(0, nullptr, 0, 0, 100, 0), ConstructCircleEntity(0, nullptr, 50, 100, 10)};
}
std::vector<CEntity*> TwoCircles() {
  return {ConstructCircleEntity(0, nullptr, 0, 0, 10), ConstructCircleEntity(0, nullptr, 30, 0, 10)};
}
std::vector<CEntity*> ArcAndLine() {
  return {ConstructArcEntity(0, nullptr, 0, 0, 10, 0, 90), ConstructLineEntity(0, nullptr, 18, -50, 18, 50)};
}
std::vector<CEntity*> Parallel() {
  return {ConstructLineEntity(0, nullptr, 0, 0, 100, 0), ConstructLineEntity(0, nullptr, 0, 20, 100, 20)};
}

}  // namespace

TEST(FilletServices, MakeFilletByKindsAndModes) {
  const std::vector<std::string> corner = {"L 0.00 0.00 0.00 100.00", "L 0.00 0.00 100.00 0.00"};
  const FilletCase cases[] = {
      {"corner, mode 1", Corner, {50, 0}, {0, 50}, 10, 1, true,
       {"A 10.00 10.00 10.00 180.00 270.00", "L 0.00 10.00 0.00 100.00", "L 10.00 0.00 100.00 0.00"}},
      {"corner, mode 2", Corner, {50, 0}, {0, 50}, 10, 2, true,
       {"A 10.00 10.00 10.00 180.00 270.00", "L 0.00 0.00 0.00 100.00", "L 10.00 0.00 100.00 0.00"}},
      {"corner, mode 3", Corner, {50, 0}, {0, 50}, 10, 3, true,
       {"A 10.00 10.00 10.00 180.00 270.00", "L 0.00 0.00 100.00 0.00", "L 0.00 10.00 0.00 100.00"}},
      {"corner, mode 0", Corner, {50, 0}, {0, 50}, 10, 0, true,
       {"A 10.00 10.00 10.00 180.00 270.00", corner[0], corner[1]}},
      {"corner, mode 4", Corner, {50, 0}, {0, 50}, 10, 4, true,
       {"A 10.00 10.00 10.00 180.00 270.00", corner[0], corner[1]}},
      {"crossing, the picks' quadrant", Crossing, {20, 0}, {50, 60}, 10, 1, true,
       {"A 40.00 10.00 10.00 270.00 0.00", "L 0.00 0.00 40.00 0.00", "L 50.00 10.00 50.00 100.00"}},
      {"crossing, sharp", Crossing, {20, 0}, {50, 60}, 0, 1, true,
       {"L 0.00 0.00 50.00 0.00", "L 50.00 0.00 50.00 100.00"}},
      {"sharp outside mode 1", Crossing, {20, 0}, {50, 60}, 0, 2, false, {}},
      {"line and circle", LineAndCircle, {20, 0}, {40, 20}, 10, 1, true,
       {"A 32.68 10.00 10.00 270.00 30.00", "C 50.00 20.00 10.00", "L 0.00 0.00 32.68 0.00"}},
      {"line and a circle out of reach", FarCircle, {20, 0}, {40, 100}, 5, 1, false, {}},
      {"two circles", TwoCircles, {0, 10}, {30, 10}, 10, 1, true,
       {"A 15.00 13.23 10.00 221.41 318.59", "C 0.00 0.00 10.00", "C 30.00 0.00 10.00"}},
      {"arc and line", ArcAndLine, {7.07, 7.07}, {18, 20}, 5, 1, true,
       {"A 0.00 0.00 10.00 29.93 90.00", "A 13.00 7.48 5.00 209.93 0.00", "L 18.00 7.48 18.00 50.00"}},
      {"parallel lines", Parallel, {50, 0}, {50, 20}, 10, 1, false, {}},
  };
  for (const FilletCase& c : cases) {
    SCOPED_TRACE(c.what);
    CDraftView view;
    const std::vector<CEntity*> edges = c.edges();
    for (CEntity* e : edges) view.AddEntityToView(e);
    std::vector<std::string> before = FilletDrawing(view);
    // The edges the mode cuts are out of the drawing before the call (never
    // a circle).
    const bool cutFirst = c.mode == 1 || c.mode == 2, cutSecond = c.mode == 1 || c.mode == 3;
    if (cutFirst && !edges[0]->IsCircle()) view.RemoveEntity(edges[0]);
    if (cutSecond && !edges[1]->IsCircle()) view.RemoveEntity(edges[1]);
    std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
    CEntity* made = view.MakeFillet(c.mode, edges[0], edges[1], c.pick1.x, c.pick1.y, c.pick2.x, c.pick2.y, c.radius,
                                    FALSE, 3, nullptr, record.get());
    ASSERT_EQ(made != nullptr, c.made);
    if (!made) {
      EXPECT_TRUE(record->IsEmpty());
      if (cutFirst && !edges[0]->IsCircle()) view.AddEntityToView(edges[0]);
      if (cutSecond && !edges[1]->IsCircle()) view.AddEntityToView(edges[1]);
      EXPECT_EQ(FilletDrawing(view), before);
      continue;
    }
    EXPECT_EQ(FilletDrawing(view), c.drawing);
    if (c.radius > 0) {
      EXPECT_EQ(made->GetEntityLayer(), 3);
    }
    // The record undoes it all.
    view.PushUndoRecord(record.release());
    ASSERT_TRUE(view.Undo());
    EXPECT_EQ(FilletDrawing(view), before);
  }
}

TEST(FilletServices, OffsetLineMovesToTheLeftOfItsDirection) {
  CLineEntity* line = ConstructLineEntity(0, nullptr, 0, 0, 10, 0);
  GPoint a, b;
  ASSERT_TRUE(OffsetLine(line, 3, a, b));
  EXPECT_NEAR(a.y, 3, 1e-12);
  EXPECT_NEAR(b.x, 10, 1e-12);
  ASSERT_TRUE(OffsetLine(line, -2, a, b));
  EXPECT_NEAR(b.y, -2, 1e-12);
  delete line;
  CCircleEntity* circle = ConstructCircleEntity(0, nullptr, 0, 0, 1);
  EXPECT_FALSE(OffsetLine(circle, 1, a, b));
  delete circle;
}

TEST(FilletServices, SetGeometryTakesTheGroupsOwnValues) {
  CDrawingGroup group("G", 2.0);
  CLineEntity* line = ConstructLineEntity(0, &group, 0, 0, 1, 1);
  const double lv[4] = {1, 2, 3, 4};
  ASSERT_TRUE(line->SetGeometry(lv, 4));
  double g[kMaxGeometryValues];
  line->GetGroupGeometry(g);
  EXPECT_EQ(std::vector<double>(g, g + 4), std::vector<double>(lv, lv + 4));
  EXPECT_FALSE(line->SetGeometry(lv, 5));
  CArcEntity* arc = ConstructArcEntity(0, &group, 0, 0, 1, 0, 90);
  const double av[5] = {1, 1, 3, 10, 20};
  ASSERT_TRUE(arc->SetGeometry(av, 5));
  arc->GetGeometry(g);
  EXPECT_NEAR(g[2], 6, 1e-12);  // shown at the group's scale
  const double bad[5] = {1, 1, 0, 10, 20};
  EXPECT_FALSE(arc->SetGeometry(bad, 5));
  delete line;
  delete arc;
}

TEST(FilletServices, TheProgressDisplayShowsEachStep) {
  CDraftView view;
  std::unique_ptr<CProgressInfo> info = view.ConstructProgressInfo();
  view.StepProgress(info.get(), 1, 2, "x");  // not begun: nothing shown
  EXPECT_EQ(view.GetProgress().steps, 0);
  view.BeginProgress(info.get(), 2);
  EXPECT_TRUE(view.GetProgress().running);
  view.StepProgress(info.get(), 1, 2, "a");
  view.StepProgress(info.get(), 2, 2, "b");
  view.EndProgress(info.get());
  const ViewProgressState& p = view.GetProgress();
  EXPECT_FALSE(p.running);
  EXPECT_EQ(p.begun, 1);
  EXPECT_EQ(p.ended, 1);
  EXPECT_EQ(p.steps, 2);
  EXPECT_EQ(p.index, 2);
  EXPECT_EQ(p.message, "b");
}
