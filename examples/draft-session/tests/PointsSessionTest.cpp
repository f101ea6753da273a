// The shipped points session, end to end: a chain of two lines and a
// tangent arc, a line's end and a circle's radius modified, the line
// divided into four by points, a point at the circle's centre and the
// origin moved to the chain's start.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/testsupport/EntityValues.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(PointsSession, DrawsTheChainModifiesEndsDividesAndMovesTheOrigin) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "points.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  const std::vector<std::vector<double>> expected = {
      {10, 10, 40, 10}, {40, 20, 10, 270, 360}, {50, 20, 50, 40}, {70, 10, 110, 25}, {85, 60, 12},
      {80, 13.75},      {90, 17.5},             {100, 21.25},     {85, 60}};
  std::vector<CEntity*> entities = drafttest::Items(*view.GetEntityList());
  ASSERT_EQ(entities.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const std::vector<double> v = drafttest::Geometry(entities[i]);
    ASSERT_EQ(v.size(), expected[i].size()) << i;
    for (size_t k = 0; k < v.size(); ++k) EXPECT_NEAR(v[k], expected[i][k], 1e-9) << i << " " << k;
  }
  // Three chain segments, line, circle, two ends, the division, the point.
  EXPECT_EQ(view.GetUndoCount(), 9);
  EXPECT_EQ(view.GetOriginX(), 10.0);
  EXPECT_EQ(view.GetOriginY(), 10.0);
  EXPECT_EQ(view.GetMarkState(), 0);
  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"输入等分数\"\n", "  dialog \"半径输入\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
