// The shipped session of zoom, pan, measuring, a break, a fillet and a tidy, end to end.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(ExampleSession, MeasureZoomsAndPansOverALineMeasuresBreaksFilletsAndTidies) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "measure.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  EXPECT_EQ(view.GetSelectionCount(), 0);

  // The line begun before the view commands ends where it was clicked after
  // them: from the rectangle's corner to (70, 25).
  // Then the circle is broken from its top to its bottom counter-clockwise
  // (its right half stays as an arc), the rectangle's lower left corner is
  // rounded (its two sides cut where the arc of radius 5 meets them) and the
  // centre line through the circle is tidied to reach 3 beyond it.
  ASSERT_EQ(view.GetEntityList()->GetCount(), 8);
  const auto has = [&view](bool centreLayer, std::vector<double> want) {
    for (CEntity* e : *view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (e->GetGeometry(v) != static_cast<int>(want.size()) || (e->GetEntityLayer() == 2) != centreLayer) continue;
      bool same = true;
      for (size_t i = 0; i < want.size(); ++i) same = same && std::fabs(v[i] - want[i]) < 1e-9;
      if (same) return true;
    }
    return false;
  };
  EXPECT_TRUE(has(false, {50, 40, 70, 25}));
  EXPECT_TRUE(has(false, {80, 25, 10, 270, 450}));
  EXPECT_TRUE(has(false, {50, 10, 15, 10}));
  EXPECT_TRUE(has(false, {10, 40, 10, 15}));
  EXPECT_TRUE(has(false, {15, 15, 5, 180, 270}));
  EXPECT_TRUE(has(true, {80, 12, 80, 38}));
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
