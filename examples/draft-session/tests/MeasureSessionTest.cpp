// The shipped session of zoom, pan, measuring and a break, end to end.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(ExampleSession, MeasureZoomsAndPansOverALineMeasuresAndBreaksTheCircle) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "measure.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_EQ(view.GetSelectionCount(), 0);

  // The line begun before the view commands ends where it was clicked after
  // them: from the rectangle's corner to (70, 25).
  ASSERT_EQ(view.GetEntityList()->GetCount(), 6);
  bool found = false;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (!e->IsLine() || e->GetGeometry(v) != 4) continue;
    found = found || (std::fabs(v[0] - 50) < 1e-9 && std::fabs(v[1] - 40) < 1e-9 && std::fabs(v[2] - 70) < 1e-9 &&
                      std::fabs(v[3] - 25) < 1e-9);
  }
  EXPECT_TRUE(found);
  // The break took the circle's left half, from its top to its bottom
  // counter-clockwise: the right half stays as an arc.
  const CEntity* last = view.GetEntityList()->GetTail();
  ASSERT_TRUE(last->IsArc());
  double arc[kMaxGeometryValues];
  ASSERT_EQ(last->GetGeometry(arc), 5);
  const double expected[] = {80, 25, 10, 270, 450};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(arc[i], expected[i], 1e-9) << i;
  EXPECT_EQ(view.GetUndoCount(), 4);  // rectangle, circle, line, break
  // Two zooms out about (60, 15) from 15 pixels a unit.
  const DeviceMapping m = view.GetDeviceMapping();
  EXPECT_NEAR(m.zoom, 3.75, 1e-12);
  EXPECT_NEAR(m.panX, -20, 1e-9);
  EXPECT_NEAR(m.panY, -45, 1e-9);

  const std::string shown = session.out.str();
  for (const char* row : {"    3101 row 0: 周长 | 132.83\n", "    3101 row 0: 两直线距离=  | 30.00\n",
                          "    3101 row 0: 点到圆心距离      =  | 33.54\n", "    3101 row 2: 点与圆心Y坐标差 =  | 15.00\n",
                          "    3101 row 3: 图组比例= | 1.00\n"})
    EXPECT_NE(shown.find(row), std::string::npos) << row;
}
