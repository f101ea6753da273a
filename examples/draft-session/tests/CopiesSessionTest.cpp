// The shipped copies session, end to end: three double copies of a centre
// line in length mode, 20, 10 and 16 wide, joined in form 1.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(CopiesSession, JoinsThreeDoubleCopiesIntoAnOutline) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "copies.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  std::vector<std::array<double, 4>> lines;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    ASSERT_TRUE(e->IsLine() && e->GetGeometry(v) == 4);
    lines.push_back({v[0], v[1], v[2], v[3]});
  }
  const std::vector<std::array<double, 4>> expected = {
      {10, 75, 190, 75},                                           // the centre line
      {20, 85, 70, 85},   {20, 65, 70, 65},                        // 20 wide
      {70, 80, 120, 80},  {70, 70, 120, 70},                       // 10 wide
      {120, 83, 170, 83}, {120, 67, 170, 67},                      // 16 wide
      {20, 85, 20, 65},   {70, 85, 70, 65}, {120, 83, 120, 67},    // start cap, the wider caps at the steps
      {170, 83, 170, 67},                                          // end cap
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i)
    for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(lines[i][k], expected[i][k], 1e-9) << "line " << i;
  // The centre line, the three copies and the join.
  EXPECT_EQ(view.GetUndoCount(), 5);
  EXPECT_NE(session.out.str().find("  dialog \"连线形式\"\n"), std::string::npos);
}
