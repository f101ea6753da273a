// The shipped undercut session, end to end: the tangent line of two
// circles, an arc connecting to the small circle through a point, and an
// oblique undercut in the corner of two lines.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(UndercutSession, DrawsTheTangentLineTheConnectingArcAndTheSlot) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "undercut.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  std::vector<std::vector<double>> circles, arcs, lines;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    const int n = e->GetGeometry(v);
    std::vector<double> values(v, v + n);
    if (e->IsCircle()) circles.push_back(values);
    if (e->IsArc()) arcs.push_back(values);
    if (e->IsLine()) lines.push_back(values);
  }
  ASSERT_EQ(circles.size(), 2u);
  ASSERT_EQ(arcs.size(), 1u);
  ASSERT_EQ(lines.size(), 6u);
  // The tangent line touches both circles above their centres.
  const std::vector<double>& t = lines[0];
  EXPECT_NEAR(std::hypot(t[0] - 30, t[1] - 110), 15, 1e-9);
  EXPECT_NEAR(std::hypot(t[2] - 90, t[3] - 110), 8, 1e-9);
  EXPECT_GT(t[1], 110);
  EXPECT_GT(t[3], 110);
  // The quarter arc of radius 10 about (108, 110) from the top to the small circle.
  const std::vector<double> arc = {108, 110, 10, 90, 180};
  for (size_t k = 0; k < arc.size(); ++k) EXPECT_NEAR(arcs[0][k], arc[k], 1e-9) << k;
  // The slot: 8 wide where it meets the lines, 6 deep along the corner's bisector.
  const double rho = 8 / std::sqrt(2.0), depth = 6 / std::sqrt(2.0);
  const std::vector<std::vector<double>> slot = {
      {20 + rho, 20, 20 + rho - depth, 20 - depth},
      {20 + rho - depth, 20 - depth, 20 - depth, 20 + rho - depth},
      {20 - depth, 20 + rho - depth, 20, 20 + rho},
      {20 + rho, 20, 110, 20},
      {20, 20 + rho, 20, 75},
  };
  for (size_t i = 0; i < slot.size(); ++i)
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(lines[i + 1][k], slot[i][k], 1e-9) << i << " " << k;
  // Two circles, the tangent, the arc, two lines and the slot.
  EXPECT_EQ(view.GetUndoCount(), 7);
  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"过渡圆弧\"\n", "  dialog \"斜向退刀槽参数\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
