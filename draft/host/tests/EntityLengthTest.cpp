// The length of each entity kind, in its group's own units.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/CurveEntity.h"
#include "draft/host/DrawingGroup.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/GroupTable.h"
#include "draft/host/LineEntity.h"
#include "draft/host/PointEntity.h"
#include "draft/host/TextAttrib.h"
#include "draft/host/TextEntity.h"
#include "draft/host/TwoPointEntity.h"

TEST(EntityLengthTest, EachKindMeasuresWhatItDraws) {
  CGroupTable groups;
  CDrawingGroup* detail = groups.AddGroup("detail", 2.0, 100, 100);
  struct Case {
    const char* name;
    std::function<CEntity*()> make;
    double length;
  };
  const double pi = M_PI;
  const Case cases[] = {
      {"a line", [] { return ConstructLineEntity(0, nullptr, 1, 2, 4, 6); }, 5},
      {"a circle", [] { return ConstructCircleEntity(0, nullptr, 0, 0, 10); }, 20 * pi},
      {"an arc of a quarter turn", [] { return ConstructArcEntity(0, nullptr, 0, 0, 10, 0, 90); }, 5 * pi},
      {"an arc across 0 degrees", [] { return ConstructArcEntity(0, nullptr, 0, 0, 10, 300, 60); }, 10 * pi / 3 * 2},
      {"an arc with equal angles is a full turn", [] { return ConstructArcEntity(0, nullptr, 0, 0, 1, 30, 30); },
       2 * pi},
      {"a round ellipse", [] { return ConstructEllipseEntity(0, nullptr, 0, 0, 10, 10, 30, 0, 360); }, 20 * pi},
      // The perimeter of the ellipse of semi-axes 2 and 1.
      {"an ellipse", [] { return ConstructEllipseEntity(0, nullptr, 5, 5, 2, 1, 45, 0, 360); }, 9.688448220547675},
      {"half of that ellipse", [] { return ConstructEllipseEntity(0, nullptr, 5, 5, 2, 1, 45, 0, 180); },
       9.688448220547675 / 2},
      {"a straight two-point entity", [] {
         CTwoPointEntity* e = ConstructTwoPointEntity(0, nullptr, 1, 1);
         e->SetEndPoints(0, 0, 0, 7, 1);
         return e;
       },
       7},
      {"a two-point entity drawn as a zigzag", [] {
         CTwoPointEntity* e = ConstructTwoPointEntity(0, nullptr, 1, 1);
         e->SetEndPoints(0, 0, 8, 0, 1);
         e->AddSegment(0, 0, 4, 3);
         e->AddSegment(4, 3, 8, 0);
         return e;
       },
       10},
      {"a block sums its members", [] {
         CBlockEntity* b = ConstructBlockEntity(0, nullptr);
         b->AddMember(ConstructLineEntity(0, nullptr, 0, 0, 3, 0));
         b->AddMember(ConstructCircleEntity(0, nullptr, 0, 0, 1));
         return b;
       },
       3 + 2 * pi},
      {"a compound curve sums its segments", [] {
         CCurveEntity* c = ConstructCurveEntity(0, nullptr, 0);
         c->AddCurveSegment(0, 0, 3, 4, 1);
         c->AddCurveSegment(3, 4, 3, 10, 1);
         return c;
       },
       11},
      {"a point", [] { return ConstructPointEntity(0, nullptr, 3, 3, 1, 2); }, 0},
      {"a text", [] {
         CTextAttrib attr;
         ConstructTextAttribDefault(attr, 5.0, 2, 1);
         return ConstructTextEntity(0, nullptr, "AB", 0, 0, attr);
       },
       0},
      // Shown twice as large, measured as drawn in its group.
      {"a line in a group of scale 2", [detail] { return ConstructLineEntity(0, detail, 100, 100, 120, 100); }, 10},
      {"an ellipse in a group of scale 2",
       [detail] { return ConstructEllipseEntity(0, detail, 100, 100, 20, 20, 0, 0, 360); }, 20 * pi},
      {"an arc in a group of scale 2", [detail] { return ConstructArcEntity(0, detail, 100, 100, 20, 0, 180); },
       10 * pi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<CEntity> e(c.make());
    ASSERT_NE(e, nullptr);
    EXPECT_NEAR(e->GetLength(), c.length, 1e-9);
  }
}
