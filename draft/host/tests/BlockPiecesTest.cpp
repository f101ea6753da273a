#include <gtest/gtest.h>

#include <vector>

#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"

namespace {
std::vector<std::vector<double>> Pieces(const CEntityList& list) {
  std::vector<std::vector<double>> out;
  for (const CEntity* e : list) {
    double v[kMaxGeometryValues];
    const int n = e->GetGeometry(v);
    std::vector<double> g(v, v + n);
    g.insert(g.begin(), e->GetEntityLayer());
    out.push_back(g);
  }
  return out;
}
}  // namespace

TEST(BlockPieces, ARecordSplitsItsMemberOrNothing) {
  CBlockEntity block(0, nullptr);
  CLineEntity* line = ConstructLineEntity(1, nullptr, 0, 0, 10, 0);
  CCircleEntity* circle = ConstructCircleEntity(2, nullptr, 0, 0, 1);
  CEntity* point = ConstructPointEntity(0, nullptr, 3, 3, 0, 1);
  block.AddMember(line);
  block.AddMember(circle);
  block.AddMember(point);
  const double l = line->GetHandle(), c = circle->GetHandle();
  const struct {
    const char* what;
    PieceRecord record;
    bool splits;
    std::vector<std::vector<double>> pieces;  // layer, then geometry
  } cases[] = {
      {"a line broken at a point", {l, 4, 9, 4, -9, -1, -1}, true, {{1, 0, 0, 4, 0}, {1, 4, 0, 10, 0}}},
      {"a stretch beyond the ends is taken to them", {l, -5, 0, 2, 0, 6, -1}, true, {{6, 0, 0, 2, 0}, {1, 2, 0, 10, 0}}},
      {"the whole line dropped", {l, 10, 0, 0, 0, -1, -1}, true, {}},
      {"a point at the end leaves it whole", {l, 10, 0, 12, 0, -1, -1}, false, {}},
      {"the stretch kept on the member's own layer", {l, 0, 0, 10, 0, 1, -1}, false, {}},
      {"a circle's stretch runs counter-clockwise", {c, 0, 1, -1, 0, 4, -1}, true, {{4, 0, 0, 1, 90, 180}, {2, 0, 0, 1, 180, 90}}},
      {"a circle's stretch of no length", {c, 0, 1, 0, 2, -1, -1}, false, {}},
      {"a point does not split", {static_cast<double>(point->GetHandle()), 0, 0, 1, 1, -1, -1}, false, {}},
      {"no such member", {0, 0, 0, 1, 1, -1, -1}, false, {}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.what);
    CEntityList removed, added;
    EXPECT_EQ(block.SplitByPieceRecord(t.record, removed, added), t.splits ? TRUE : FALSE);
    EXPECT_EQ(removed.GetCount(), t.splits ? 1 : 0);
    const auto pieces = Pieces(added);
    ASSERT_EQ(pieces.size(), t.pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
      ASSERT_EQ(pieces[i].size(), t.pieces[i].size());
      for (size_t k = 0; k < pieces[i].size(); ++k) EXPECT_NEAR(pieces[i][k], t.pieces[i][k], 1e-9);
    }
    while (!added.IsEmpty()) delete added.RemoveHead();
  }
  EXPECT_EQ(block.GetMemberCount(), 3);  // the split operation leaves the block as it was
}
