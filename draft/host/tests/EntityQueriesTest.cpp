#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/LineEntity.h"

// Intersections with an arc given by centre, radius and angles: the option
// word chooses the pieces as they are (1) or their carriers (0).
TEST(EntityQueriesTest, GetIntersectionsWithAnArc) {
  struct Row {
    const char* name;
    std::unique_ptr<CEntity> entity;
    double cx, cy, r, start, end;
    int option;
    int count;
  };
  Row rows[] = {
      {"a line through a circle", std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, -20, 0, 20, 0)), 0, 0, 10, 0, 360, 1, 2},
      {"a line ending inside", std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, 0, 0, 20, 0)), 0, 0, 10, 0, 360, 1, 1},
      {"extended, it meets twice", std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, 0, 0, 20, 0)), 0, 0, 10, 0, 360, 0, 2},
      {"the upper half only", std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, -20, 5, 20, 5)), 0, 0, 10, 0, 180, 1, 2},
      {"the lower half misses", std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, -20, 5, 20, 5)), 0, 0, 10, 180, 360, 1, 0},
      {"a touching line", std::unique_ptr<CEntity>(ConstructLineEntity(0, nullptr, -20, 10, 20, 10)), 0, 0, 10, 0, 360, 0, 1},
      {"an arc short of the circle", std::unique_ptr<CEntity>(ConstructArcEntity(0, nullptr, 15, 0, 10, 270, 90)), 0, 0, 10, 0, 360, 1, 0},
      {"its whole circle meets it", std::unique_ptr<CEntity>(ConstructArcEntity(0, nullptr, 15, 0, 10, 270, 90)), 0, 0, 10, 0, 360, 0, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    double xs[kMaxArcIntersections], ys[kMaxArcIntersections];
    const int n = r.entity->GetIntersections(r.cx, r.cy, r.r, r.start, r.end, xs, ys, r.option);
    EXPECT_EQ(n, r.count);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(std::hypot(xs[i] - r.cx, ys[i] - r.cy), r.r, 1e-9);
  }
}

TEST(EntityQueriesTest, GroupGeometryIsInTheGroupsOwnCoordinates) {
  CDrawingGroup group("detail", 2.0, 10, 10);
  std::unique_ptr<CEntity> arc(ConstructArcEntity(0, &group, 30, 10, 4, 0, 90));  // shown values
  double shown[kMaxGeometryValues], own[kMaxGeometryValues];
  arc->GetGeometry(shown);
  ASSERT_EQ(arc->GetGroupGeometry(own), 5);
  EXPECT_DOUBLE_EQ(shown[0], 30);
  EXPECT_DOUBLE_EQ(own[0], 20);  // 10 + (30 − 10) / 2
  EXPECT_DOUBLE_EQ(own[1], 10);
  EXPECT_DOUBLE_EQ(own[2], 2);
  EXPECT_DOUBLE_EQ(own[3], 0);
  std::unique_ptr<CEntity> plain(ConstructLineEntity(0, nullptr, 1, 2, 3, 4));
  plain->GetGroupGeometry(own);
  EXPECT_DOUBLE_EQ(own[3], 4);
}

TEST(EntityQueriesTest, KindTests) {
  std::unique_ptr<CEntity> a(ConstructLineEntity(0, nullptr, 0, 0, 10, 0));
  std::unique_ptr<CEntity> b(ConstructLineEntity(0, nullptr, 5, 5, -5, 5.000001));
  std::unique_ptr<CEntity> c(ConstructLineEntity(0, nullptr, 0, 0, 10, 1));
  std::unique_ptr<CEntity> circle(ConstructCircleEntity(0, nullptr, 0, 0, 1));
  EXPECT_TRUE(a->IsParallelTo(*b));  // opposite senses count
  EXPECT_FALSE(a->IsParallelTo(*c));
  EXPECT_FALSE(a->IsParallelTo(*circle));
  std::unique_ptr<CEntity> piece(ConstructArcEntity(0, nullptr, 0, 0, 1, 0, 90, 0));
  EXPECT_TRUE(piece->IsTemporary());
  EXPECT_FALSE(a->IsTemporary());
  std::unique_ptr<CBlockEntity> block(ConstructBlockEntity(0, nullptr));
  for (const CEntity* e : {static_cast<const CEntity*>(block.get()), static_cast<const CEntity*>(a.get()),
                           static_cast<const CEntity*>(circle.get())}) {
    EXPECT_FALSE(e->IsCompoundCurve());
    EXPECT_FALSE(e->IsKeptWhole());
    EXPECT_FALSE(e->IsMeasuredWhole());
    EXPECT_FALSE(e->IsRegisteredObject());
    EXPECT_FALSE(e->IsEquationCurve());
  }
}
