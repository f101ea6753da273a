// The shipped arrays session, end to end: a square copied into a 3 x 2
// grid, one copy moved to the thin layer and then that layer to the dashed
// one, and the dashed layer's deletion undone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "examples/draft-session/tests/PlayedSession.h"

using namespace draftsession;

TEST(ArraysSession, CopiesTheSquareIntoAGridAndMovesOneCopyToTheDashedLayer) {
  PlayedSession session;
  ASSERT_TRUE(session.Play(std::filesystem::path(SCRIVEL_SESSION_FOLDER) / "arrays.session"));
  CDraftView& view = session.player.View();
  EXPECT_TRUE(session.player.Stack().IsEmpty());
  ASSERT_EQ(view.GetEntityList()->GetCount(), 24);

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
  // The array, the two layer changes and the deletion (undone).
  EXPECT_EQ(view.GetUndoCount(), 4);
  const std::string shown = session.out.str();
  for (const char* part : {"  dialog \"阵列参数\"\n", "  dialog \"改变图层\"\n"})
    EXPECT_NE(shown.find(part), std::string::npos) << part;
}
