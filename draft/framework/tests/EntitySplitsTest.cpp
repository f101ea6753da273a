#include <gtest/gtest.h>

#include <vector>

#include "draft/framework/CmdBase.h"
#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"

namespace {
std::vector<double> GeometryOf(const CEntity* e) {
  double v[kMaxGeometryValues];
  const int n = e->GetGeometry(v);
  return std::vector<double>(v, v + n);
}
}  // namespace

TEST(ApplyEntitySplits, ABlockSplitsItsMembersAlongTwoPieceRecords) {
  CDrawingGroup group("零件", 2.0);
  CBlockEntity block(0, &group);
  CLineEntity* line = ConstructLineEntity(1, &group, 0, 0, 10, 0);
  CArcEntity* arc = ConstructArcEntity(2, &group, 0, 0, 5, 0, 180);
  CLineEntity* kept = ConstructLineEntity(3, &group, 0, 5, 1, 5);
  for (CEntity* m : {static_cast<CEntity*>(line), static_cast<CEntity*>(arc), static_cast<CEntity*>(kept)})
    block.AddMember(m);
  // The line loses 3..5; the arc keeps 45..90 degrees on layer 5 and its
  // other pieces go to layer 7.
  block.AddPieceRecord({static_cast<double>(line->GetHandle()), 5, 1, 3, -1, -1, -1});
  block.AddPieceRecord({static_cast<double>(arc->GetHandle()), 0, 5, 3.5355339059327378, 3.5355339059327378, 5, 7});
  CCmdBase::ApplyEntitySplits(&block);

  ASSERT_EQ(block.GetMemberCount(), 6);
  EXPECT_EQ(block.GetMember(0), kept);
  const struct {
    int layer;
    std::vector<double> geometry;
  } expected[] = {
      {1, {0, 0, 3, 0}},          {1, {5, 0, 10, 0}},          {7, {0, 0, 5, 0, 45}},
      {5, {0, 0, 5, 45, 90}},     {7, {0, 0, 5, 90, 180}},
  };
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const CEntity* m = block.GetMember(i + 1);
    EXPECT_EQ(m->GetEntityOwner(), &block);
    EXPECT_EQ(m->GetEntityGroup(), &group);
    EXPECT_EQ(m->GetEntityLayer(), expected[i].layer);
    const std::vector<double> g = GeometryOf(m);
    ASSERT_EQ(g.size(), expected[i].geometry.size());
    for (size_t k = 0; k < g.size(); ++k) EXPECT_NEAR(g[k], expected[i].geometry[k], 1e-9);
  }
  // The records named members that are gone: applying them again changes nothing.
  CCmdBase::ApplyEntitySplits(&block);
  EXPECT_EQ(block.GetMemberCount(), 6);
}
