#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"
#include "draft/host/TangentGeometry.h"
#include "draft/host/UndoRecord.h"

namespace {
void ExpectPoint(const GPoint& p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-9);
  EXPECT_NEAR(p.y, y, 1e-9);
}
}  // namespace

// Two circles of radius 10 and 5 at (0,0) and (30,0): the picks choose the
// outer tangent above or below, or an inner one.
TEST(TangentGeometry, CommonTangentTakesTheOneNearestThePicks) {
  const GPoint c1{0, 0}, c2{30, 0};
  struct Case {
    GPoint pick1, pick2;
    bool outer;
    double side;  // +1 above on the first circle, -1 below
  } cases[] = {
      {{0, 10}, {30, 5}, true, 1},
      {{0, -10}, {30, -5}, true, -1},
      {{0, 10}, {30, -5}, false, 1},
      {{0, -10}, {30, 5}, false, -1},
  };
  for (const Case& c : cases) {
    GPoint t1, t2;
    ASSERT_TRUE(CommonTangentLine(c.pick1, c.pick2, c1, 10, c2, 5, t1, t2));
    EXPECT_NEAR(GetPointDistance(t1.x, t1.y, 0, 0), 10, 1e-9);
    EXPECT_NEAR(GetPointDistance(t2.x, t2.y, 30, 0), 5, 1e-9);
    // Tangent at both points: each radius square to the line.
    EXPECT_NEAR(t1.x * (t2.x - t1.x) + t1.y * (t2.y - t1.y), 0, 1e-9);
    EXPECT_NEAR((t2.x - 30) * (t2.x - t1.x) + t2.y * (t2.y - t1.y), 0, 1e-9);
    EXPECT_EQ(t1.y > 0 ? 1.0 : -1.0, c.side);
    EXPECT_EQ(t1.y * t2.y > 0, c.outer);  // an inner tangent crosses between the circles
  }
  GPoint t1{1, 1}, t2{2, 2};
  EXPECT_FALSE(CommonTangentLine({0, 0}, {0, 0}, c1, 10, {1, 0}, 2, t1, t2));  // one inside the other
  EXPECT_FALSE(CommonTangentLine({0, 0}, {0, 0}, c1, 10, c1, 5, t1, t2));      // concentric
  ExpectPoint(t1, 1, 1);
}

TEST(TangentGeometry, CircleCrossingsAcceptPointsAndTouching) {
  GPoint p[2];
  ASSERT_EQ(IntersectCirclesEx({0, 0}, 0, {5, 0}, 5, p), 1);  // a point on the circle
  ExpectPoint(p[0], 0, 0);
  EXPECT_EQ(IntersectCirclesEx({0, 0}, 0, {5, 0}, 4, p), 0);
  ASSERT_EQ(IntersectCirclesEx({0, 0}, 10, {15, 0}, 5, p), 1);  // outside
  ExpectPoint(p[0], 10, 0);
  ASSERT_EQ(IntersectCirclesEx({0, 0}, 10, {5, 0}, 5, p), 1);  // inside
  ExpectPoint(p[0], 10, 0);
  ASSERT_EQ(IntersectCirclesEx({0, 0}, 5, {5, 0}, 10, p), 1);
  ExpectPoint(p[0], -5, 0);
  EXPECT_EQ(IntersectCirclesEx({0, 0}, 5, {6, 0}, 5, p), 2);
  EXPECT_EQ(IntersectCirclesEx({0, 0}, 5, {0, 0}, 5, p), 0);
}

TEST(TangentGeometry, AnglePairsAndPoints) {
  double a = 370, b = 20;
  OrderAnglePair(a, b, 1);
  EXPECT_DOUBLE_EQ(a, 10);
  EXPECT_DOUBLE_EQ(b, 20);
  a = 300, b = -90;
  OrderAnglePair(a, b, 1);
  EXPECT_DOUBLE_EQ(a, 270);
  EXPECT_DOUBLE_EQ(b, 300);
  OrderAnglePair(a, b, 0);
  EXPECT_DOUBLE_EQ(a, 300);
  ExpectPoint(PointAlongLine({1, 1}, {1, 11}, 4), 1, 5);
  ExpectPoint(PointAlongLine({1, 1}, {1, 11}, -4), 1, -3);
  ExpectPoint(GetPolarPoint({1, 1}, tressil::kPi / 2, 3), 1, 4);
}

// The centre on a line at the radius from a circle, outside and inside;
// the flip takes the other candidate; a line as the connected entity.
TEST(TangentGeometry, ArcCentreOnEntity) {
  CDraftView view;
  std::unique_ptr<CEntity> circle(ConstructCircleEntity(0, nullptr, 0, 0, 10));
  std::unique_ptr<CEntity> axis(ConstructLineEntity(0, nullptr, -50, 0, 50, 0));
  std::unique_ptr<CEntity> floor(ConstructLineEntity(0, nullptr, -50, -20, 50, -20));
  struct Case {
    const CEntity* connected;
    int tangency, flip;
    double pickX;
    GPoint centre, touch;
  } cases[] = {
      {circle.get(), 1, 0, 20, {15, 0}, {10, 0}},
      {circle.get(), 1, 1, 20, {-15, 0}, {-10, 0}},
      {circle.get(), 0, 0, 20, {5, 0}, {10, 0}},     // inside a larger circle
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    double cx = 0, cy = 0, angle = 0, tx = 0, ty = 0;
    ASSERT_TRUE(view.SolveArcCentreOnEntity(c.connected, axis.get(), 0, 0, c.pickX, 1, 5, c.tangency, c.flip, cx, cy,
                                            angle, tx, ty))
        << i;
    ExpectPoint({cx, cy}, c.centre.x, c.centre.y);
    ExpectPoint({tx, ty}, c.touch.x, c.touch.y);
    EXPECT_NEAR(angle, GetLineAngle(cx, cy, tx, ty), 1e-9);
  }
  // A radius 15 arc inside the radius 10 circle: round it, touching on the far side.
  double cx = 0, cy = 0, angle = 0, tx = 0, ty = 0;
  ASSERT_TRUE(view.SolveArcCentreOnEntity(circle.get(), axis.get(), 0, 0, 20, 1, 15, 0, 0, cx, cy, angle, tx, ty));
  ExpectPoint({cx, cy}, 5, 0);
  ExpectPoint({tx, ty}, -10, 0);
  // A line as the connected entity: the centre on a crossing line, on either side.
  std::unique_ptr<CEntity> upright(ConstructLineEntity(0, nullptr, 7, -50, 7, 50));
  ASSERT_TRUE(view.SolveArcCentreOnEntity(floor.get(), upright.get(), 0, 0, 7, -10, 5, 1, 0, cx, cy, angle, tx, ty));
  ExpectPoint({cx, cy}, 7, -15);
  ExpectPoint({tx, ty}, 7, -20);
  ASSERT_TRUE(view.SolveArcCentreOnEntity(floor.get(), upright.get(), 0, 0, 7, -10, 5, 1, 1, cx, cy, angle, tx, ty));
  ExpectPoint({cx, cy}, 7, -25);
  // Radius equal to the circle's, inside: the centre would be the circle's own.
  EXPECT_FALSE(view.SolveArcCentreOnEntity(circle.get(), axis.get(), 0, 0, 20, 1, 10, 0, 0, cx, cy, angle, tx, ty));
  // Parallel: no centre.
  EXPECT_FALSE(view.SolveArcCentreOnEntity(floor.get(), axis.get(), 0, 0, 0, 0, 5, 1, 0, cx, cy, angle, tx, ty));
}

// The piece of a line or arc from a point on it in a direction, and the
// trim that replaces the entity by it in one record.
TEST(TangentGeometry, DerivedPiecesAndTrims) {
  CDraftView view;
  CEntity* line = ConstructLineEntity(0, nullptr, 0, 0, 100, 0);
  std::unique_ptr<CEntity> right(view.DeriveLineEntity(line, 0, 30, 0));
  std::unique_ptr<CEntity> left(view.DeriveLineEntity(line, 180, 30, 0));
  std::unique_ptr<CEntity> beyond(view.DeriveLineEntity(line, 0, 120, 0));
  double v[kMaxGeometryValues];
  right->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 100);
  EXPECT_DOUBLE_EQ(v[2], 30);
  EXPECT_TRUE(right->IsTemporary());
  left->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[0], 0);
  EXPECT_DOUBLE_EQ(v[2], 30);
  beyond->GetGeometry(v);  // nothing ahead: the whole line
  EXPECT_DOUBLE_EQ(v[0], 0);
  EXPECT_DOUBLE_EQ(v[2], 100);

  std::unique_ptr<CEntity> arc(ConstructArcEntity(0, nullptr, 0, 0, 10, 0, 90));
  struct ArcCase {
    double at, direction, start, end;
  } arcCases[] = {
      {45, 135, 45, 90},    // counter-clockwise on from 45
      {45, 315, 0, 45},     // clockwise back to the start
      {120, 45, 0, 120},    // beyond the end, kept clockwise: grows to the point
      {-30, 60, 330, 450},  // before the start, kept counter-clockwise: grows
  };
  for (const ArcCase& c : arcCases) {
    const double a = DegreeToRadian(c.at);
    std::unique_ptr<CEntity> piece(view.DeriveArcEntity(arc.get(), c.direction, 10 * std::cos(a), 10 * std::sin(a)));
    ASSERT_TRUE(piece) << c.at;
    piece->GetGeometry(v);
    double s = v[3], e = v[4];
    MakeAngleRangeAscending(s, e);
    double es = c.start, ee = c.end;
    MakeAngleRangeAscending(es, ee);
    EXPECT_NEAR(NormalizeAngle(s), NormalizeAngle(es), 1e-9) << c.at;
    EXPECT_NEAR(e - s, ee - es, 1e-9) << c.at;
  }

  view.AddEntityToView(line);
  view.RemoveEntity(line, 1, 0);
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  ASSERT_TRUE(view.TrimLineAtPoint(line, 0, 30, 0, record.get()));
  EXPECT_FALSE(view.TrimArcAtPoint(line, 0, 30, 0, record.get()));
  view.PushUndoRecord(record.release());
  ASSERT_EQ(view.GetEntityList()->GetCount(), 1);
  view.GetEntityList()->GetHead()->GetGeometry(v);
  EXPECT_DOUBLE_EQ(v[2], 30);
  EXPECT_FALSE(view.GetEntityList()->GetHead()->IsTemporary());
  view.Undo();
  ASSERT_EQ(view.GetEntityList()->GetCount(), 1);
  EXPECT_EQ(view.GetEntityList()->GetHead(), line);
}
