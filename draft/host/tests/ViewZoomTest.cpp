// Zoom and pan of the drafting view, and its display object that holds or
// does the repaints they ask for.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "draft/host/DraftView.h"
#include "draft/host/ViewDisplay.h"

namespace {
struct Transform {
  double zoom, panX, panY;
};

void ExpectTransform(const CDraftView& view, const Transform& want) {
  const DeviceMapping m = view.GetDeviceMapping();
  EXPECT_NEAR(m.zoom, want.zoom, 1e-12);
  EXPECT_NEAR(m.panX, want.panX, 1e-9);
  EXPECT_NEAR(m.panY, want.panY, 1e-9);
}

// The unrounded device place of a drawing point.
GPoint DevicePlace(const CDraftView& view, double x, double y) {
  GPoint place;
  view.GetDeviceMapping().ToDevice({x, y}, place.x, place.y);
  return place;
}
}  // namespace

// An 800 × 600 view at zoom 1 over the origin, changed by one operation.
TEST(ViewZoomTest, EachOperationSetsTheTransformAndRepaintsOnce) {
  struct Case {
    const char* name;
    std::function<void(CDraftView&)> apply;
    Transform want;
    int repaints;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      // (100, 200) shows at device (100, 400) before and after.
      {"zoom in", [](CDraftView& v) { v.ZoomInAt(100, 200); }, {2, 50, 100}, 1},
      {"zoom out", [](CDraftView& v) { v.ZoomOutAt(100, 200); }, {0.5, -100, -200}, 1},
      // 200 × 150 fills the view at 4 pixels a unit, centred on (200, 175).
      {"zoom window", [](CDraftView& v) { v.ZoomWindow(100, 100, 300, 250); }, {4, 100, 100}, 1},
      {"zoom window given right to left", [](CDraftView& v) { v.ZoomWindow(300, 250, 100, 100); }, {4, 100, 100}, 1},
      // A tall window: its height decides, and it is shown whole.
      {"zoom window taller than the view", [](CDraftView& v) { v.ZoomWindow(0, 0, 10, 300); }, {2, -195, 0}, 1},
      {"pan", [](CDraftView& v) { v.PanView(100, 100, 150, 120, 0, 0); }, {1, -50, -20}, 1},
      {"a window without extent", [](CDraftView& v) { v.ZoomWindow(5, 5, 5, 5); }, {1, 0, 0}, 0},
      {"a window with a value that is not finite", [nan](CDraftView& v) { v.ZoomWindow(0, 0, nan, 10); },
       {1, 0, 0}, 0},
      {"a pan with a value that is not finite", [nan](CDraftView& v) { v.PanView(0, 0, 1, nan); }, {1, 0, 0}, 0},
      {"a zoom about a point that is not finite", [nan](CDraftView& v) { v.ZoomInAt(nan, 0); }, {1, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView view;
    view.SetClientSize(800, 600);
    c.apply(view);
    ExpectTransform(view, c.want);
    EXPECT_EQ(view.GetRefreshCount(), c.repaints);
  }
}

// The point zoomed about keeps its exact device place, also where it lies
// between pixels (a rounded place would drift with every zoom).
TEST(ViewZoomTest, ZoomingKeepsThePointWhereItShowsBetweenPixels) {
  CDraftView view;
  view.SetClientSize(800, 600);
  view.SetZoom(1.5);
  view.SetPan(0.3, 0.7);
  const GPoint before = DevicePlace(view, 10.1, 20.2);
  for (int i = 0; i < 5; ++i) view.ZoomInAt(10.1, 20.2);
  for (int i = 0; i < 3; ++i) view.ZoomOutAt(10.1, 20.2);
  const GPoint after = DevicePlace(view, 10.1, 20.2);
  EXPECT_NEAR(view.GetZoom(), 6.0, 1e-12);
  EXPECT_NEAR(after.x, before.x, 1e-9);
  EXPECT_NEAR(after.y, before.y, 1e-9);
}

TEST(ViewZoomTest, TheDisplayHoldsRepaintsInModeOneAndDoesTheOwedOneOnLeavingIt) {
  CDraftView view;
  CViewDisplay* display = view.GetDisplay();
  EXPECT_EQ(display->GetDisplayMode(), 0);
  ASSERT_TRUE(display->SetDisplayMode(1));
  view.ZoomInAt(0, 0);
  view.PanView(0, 0, 10, 10);
  view.RefreshView();
  EXPECT_EQ(view.GetRefreshCount(), 0);
  EXPECT_TRUE(display->IsRepaintOwed());
  EXPECT_NEAR(view.GetZoom(), 2.0, 1e-12);  // the view changed all the same
  ASSERT_TRUE(display->SetDisplayMode(0));
  EXPECT_EQ(view.GetRefreshCount(), 1);  // one repaint for the three held
  EXPECT_FALSE(display->IsRepaintOwed());
  ASSERT_TRUE(display->SetDisplayMode(0));
  EXPECT_EQ(view.GetRefreshCount(), 1);  // nothing owed: nothing painted

  // Mode 2 paints at once; leaving mode 1 for it pays what is owed.
  ASSERT_TRUE(display->SetDisplayMode(1));
  view.RefreshView();
  ASSERT_TRUE(display->SetDisplayMode(2));
  EXPECT_EQ(view.GetRefreshCount(), 2);
  view.ZoomWindow(0, 0, 10, 10);
  EXPECT_EQ(view.GetRefreshCount(), 3);

  // Other modes are refused.
  EXPECT_FALSE(display->SetDisplayMode(3));
  EXPECT_FALSE(display->SetDisplayMode(-1));
  EXPECT_EQ(display->GetDisplayMode(), 2);
}
