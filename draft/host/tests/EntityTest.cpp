#include <gtest/gtest.h>

#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"

TEST(DrawingGroup, MapsPointsBothWaysAndTreatsZeroScaleAsOne) {
  CDrawingGroup g("detail", 2.0, 10.0, 20.0);
  const GPoint shown = g.ToShown({15, 25});
  EXPECT_DOUBLE_EQ(shown.x, 20);  // 10 + 2·(15 − 10)
  EXPECT_DOUBLE_EQ(shown.y, 30);
  const GPoint back = g.ToGroup(shown);
  EXPECT_DOUBLE_EQ(back.x, 15);
  EXPECT_DOUBLE_EQ(back.y, 25);

  g.SetGroupScale(5e-7);
  EXPECT_EQ(g.GetGroupScale(), 1.0);
  EXPECT_EQ(GetGroupScale(nullptr), 1.0);
}

TEST(DrawingGroup, EntitiesShowThroughTheirGroupAndFollowItsScale) {
  CDrawingGroup g("g", 2.0, 0.0, 0.0);
  std::unique_ptr<CCircleEntity> c(ConstructCircleEntity(1, &g, 10, 10, 4));
  double v[kMaxGeometryValues];
  ASSERT_EQ(c->GetGeometry(v), 3);
  EXPECT_DOUBLE_EQ(v[0], 10);  // given and read in drawing coordinates
  EXPECT_DOUBLE_EQ(v[2], 4);
  g.SetGroupScale(4.0);  // the group grows: so does what it shows
  c->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 20);
  EXPECT_DOUBLE_EQ(v[2], 8);
  EXPECT_DOUBLE_EQ(c->GetEntityScale(), 4.0);
}

TEST(Entity, TransformScalesAndTurnsAboutTheBaseThenMoves) {
  std::unique_ptr<CLineEntity> line(ConstructLineEntity(0, nullptr, 1, 0, 2, 0));
  std::unique_ptr<CEntity> copy(line->Transform(10, 0, 0, 0, 2.0, 90.0, 1));
  double v[kMaxGeometryValues];
  copy->GetGeometry(v);
  EXPECT_NEAR(v[0], 10, 1e-12);
  EXPECT_NEAR(v[1], 2, 1e-12);
  EXPECT_NEAR(v[2], 10, 1e-12);
  EXPECT_NEAR(v[3], 4, 1e-12);
  line->GetGeometry(v);
  EXPECT_EQ(v[0], 1);  // the source is untouched by a copy

  std::unique_ptr<CArcEntity> arc(ConstructArcEntity(0, nullptr, 0, 0, 5, 0, 90));
  std::unique_ptr<CEntity> mirrored(arc->MirrorCopy(0, 0, 0, 1));  // about the y axis
  mirrored->GetGeometry(v);
  EXPECT_NEAR(v[3], 90, 1e-9);  // a mirror turns the sense round: 90..180
  EXPECT_NEAR(v[4], 180, 1e-9);
}

TEST(Entity, IntersectsLinesCirclesAndArcs) {
  std::unique_ptr<CLineEntity> line(ConstructLineEntity(0, nullptr, -10, 0, 10, 0));
  std::unique_ptr<CCircleEntity> circle(ConstructCircleEntity(0, nullptr, 0, 0, 5));
  std::unique_ptr<CArcEntity> upper(ConstructArcEntity(0, nullptr, 0, 0, 5, 10, 170));
  GPoint pts[4];
  EXPECT_EQ(line->Intersect(*circle, pts, 4), 2);
  EXPECT_EQ(line->Intersect(*upper, pts, 4), 0);  // the arc stays above the line
  EXPECT_EQ(circle->Intersect(*line, pts, 1), 1);  // no more than asked for
}

TEST(BlockEntity, OwnsMembersAndListsThemDepthFirst) {
  auto* outer = ConstructBlockEntity(0, nullptr);
  std::unique_ptr<CEntity> guard(outer);
  auto* inner = ConstructBlockEntity(0, nullptr);
  CEntity* a = ConstructLineEntity(0, nullptr, 0, 0, 1, 0);
  CEntity* b = ConstructLineEntity(0, nullptr, 0, 1, 1, 1);
  ASSERT_TRUE(inner->AddMember(a));
  ASSERT_TRUE(outer->AddMember(inner));
  ASSERT_TRUE(outer->AddMember(b));
  EXPECT_FALSE(outer->AddMember(a));  // already owned by another block
  EXPECT_EQ(a->GetEntityOwner(), inner);

  CEntityList listed;
  outer->ListInto(listed);
  ASSERT_EQ(listed.GetCount(), 4);
  POSITION p = listed.GetHeadPosition();
  EXPECT_EQ(listed.GetNext(p), outer);
  EXPECT_EQ(listed.GetNext(p), inner);
  EXPECT_EQ(listed.GetNext(p), a);
  EXPECT_EQ(listed.GetNext(p), b);

  ASSERT_TRUE(outer->RemoveBlockMember(b));
  EXPECT_EQ(b->GetEntityOwner(), nullptr);
  delete b;  // handed back to us
}

TEST(Entity, TurnedAndMovedCopiesAndTheCircleRecord) {
  CDrawingGroup g("g", 2.0, 0.0, 0.0);
  std::unique_ptr<CArcEntity> arc(ConstructArcEntity(1, &g, 10, 0, 4, 0, 90));
  std::unique_ptr<CEntity> turned(arc->RotateCopy(0, 0, 90, 1));
  std::unique_ptr<CEntity> moved(arc->TranslateCopy(5, -5, 1));
  ASSERT_TRUE(turned && moved);
  double v[kMaxGeometryValues];
  turned->GetGeometry(v);
  EXPECT_NEAR(v[0], 0, 1e-9);
  EXPECT_NEAR(v[1], 10, 1e-9);
  EXPECT_NEAR(v[3], 90, 1e-9);
  EXPECT_EQ(turned->GetEntityGroup(), &g);
  moved->GetGeometry(v);
  EXPECT_NEAR(v[0], 15, 1e-9);
  EXPECT_NEAR(v[1], -5, 1e-9);
  EXPECT_EQ(arc->RotateCopy(0, 0, 30, 0), arc.get());  // in place

  struct Case {
    CEntity* entity;
    BOOL answers;
  };
  std::unique_ptr<CEntity> circle(ConstructCircleEntity(0, nullptr, 1, 2, 3));
  std::unique_ptr<CEntity> line(ConstructLineEntity(0, nullptr, 0, 0, 1, 1));
  for (const Case& c : {Case{arc.get(), TRUE}, Case{circle.get(), TRUE}, Case{line.get(), FALSE}}) {
    void* raw = reinterpret_cast<void*>(1);
    EXPECT_EQ(c.entity->QueryRecord(&raw, kQueryCircle), c.answers);
    std::unique_ptr<CircleRecord> rec(static_cast<CircleRecord*>(raw));
    ASSERT_EQ(rec != nullptr, c.answers != FALSE);
    if (rec) {
      c.entity->GetGeometry(v);
      EXPECT_DOUBLE_EQ(rec->cx, v[0]);
      EXPECT_DOUBLE_EQ(rec->r, v[2]);
    }
    EXPECT_FALSE(c.entity->QueryRecord(&raw, 4));
    EXPECT_EQ(raw, nullptr);
  }
}
