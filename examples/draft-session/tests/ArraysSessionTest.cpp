// The shipped arrays session, end to end: a square copied into a 3 x 2
// grid, one copy moved to the thin layer and then that layer to the dashed
// one, and the dashed layer's deletion undone; then an ellipse, an elliptic
// arc, a closed smooth curve and a wave line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "draft/host/CurveEntity.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(ArraysSession, CopiesTheSquareIntoAGridAndMovesOneCopyToTheDashedLayer) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "arrays.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  ASSERT_EQ(view.GetEntityList()->GetCount(), 28);

  // Each cell's square: its lower-left corner and the layers of its lines.
  struct Cell {
    double x, y;
    int layer;
  };
  const Cell cells[] = {{10, 10, 0}, {50, 10, 0}, {90, 10, 0}, {10, 40, 0}, {50, 40, 3}, {90, 40, 0}};
  for (const Cell& cell : cells) {
    int found = 0;
    for (CEntity* e : *view.GetEntityList()) {
      double v[kMaxGeometryValues];
      if (!e->IsLine() || e->GetGeometry(v) != 4) continue;
      const double xmin = std::min(v[0], v[2]), ymin = std::min(v[1], v[3]);
      if (xmin < cell.x - 1e-6 || xmin > cell.x + 20 + 1e-6 || ymin < cell.y - 1e-6 || ymin > cell.y + 20 + 1e-6)
        continue;
      ++found;
      EXPECT_EQ(e->GetEntityLayer(), cell.layer) << cell.x << ", " << cell.y;
    }
    EXPECT_EQ(found, 4) << cell.x << ", " << cell.y;
  }
  // The square, the array, the two layer changes (the deletion undone),
  // the ellipse, the arc and the two curves.
  EXPECT_EQ(view.GetUndoCount(), 8);

  std::vector<std::vector<double>> ellipses;
  std::vector<CCurveEntity*> curves;
  for (CEntity* e : *view.GetEntityList()) {
    double v[kMaxGeometryValues];
    if (e->IsEllipse() && e->GetGeometry(v) == 7) ellipses.push_back(std::vector<double>(v, v + 7));
    if (auto* curve = dynamic_cast<CCurveEntity*>(e)) curves.push_back(curve);
  }
  const std::vector<std::vector<double>> expected = {{40, 110, 25, 15, 0, 0, 360}, {110, 110, 25, 15, 0, 0, 180}};
  ASSERT_EQ(ellipses.size(), 2u);
  for (size_t i = 0; i < 2; ++i)
    for (size_t k = 0; k < 7; ++k) EXPECT_NEAR(ellipses[i][k], expected[i][k], 1e-9) << i << " " << k;
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_TRUE(curves[0]->IsClosed());
  EXPECT_EQ(curves[0]->GetFitPoints().size(), 4u);
  EXPECT_EQ(curves[0]->GetMemberCount(), 4 * 8);
  // Two waves 4 high: three wave points before each clicked point.
  EXPECT_FALSE(curves[1]->IsClosed());
  const std::vector<GPoint> wave = curves[1]->GetFitPoints();
  ASSERT_EQ(wave.size(), 9u);
  const double ys[] = {80, 76, 80, 84, 80, 76, 80, 84, 80};
  for (size_t i = 0; i < wave.size(); ++i) {
    EXPECT_NEAR(wave[i].x, 10 + 15.0 * i, 1e-9) << i;
    EXPECT_NEAR(wave[i].y, ys[i], 1e-9) << i;
  }
  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"阵列参数\"\n", "  dialog \"改变图层\"\n", "  dialog \"输入浪峰高度\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
