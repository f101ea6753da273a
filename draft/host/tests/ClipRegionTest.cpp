#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/ClipRegion.h"
#include "draft/host/DraftView.h"
#include "draft/host/EllipseEntity.h"
#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"

namespace {

// An entity's kind and geometry rounded, as one text.
std::string ClipShape(const CEntity* e) {
  std::string s = e->IsBlock() ? "block" : e->IsLine() ? "line" : e->IsArc() ? "arc" : e->IsEllipse() ? "ellipse" : "circle";
  if (e->IsBlock()) {
    const auto* b = static_cast<const CBlockEntity*>(e);
    for (int i = 0; i < b->GetMemberCount(); ++i) s += " [" + ClipShape(b->GetMember(i)) + "]";
    return s;
  }
  double v[kMaxGeometryValues];
  const int n = e->GetGeometry(v);
  for (int i = 0; i < n; ++i) s += " " + std::to_string(static_cast<long>(std::lround(v[i] * 100))) ;
  return s;
}

struct ClipCoreCase {
  const char* name;
  std::function<CEntity*()> make;
  bool rect;  // the rectangle (-10,-10)-(10,10), else the circle of radius 10 about the origin
  int state;
  ClipOutcome outcome;
  std::vector<std::string> pieces;
};

TEST(ClipCoreTest, EachKindCutAndKept) {
  const ClipCoreCase cases[] = {
      {"line through, cut", [] { return ConstructLineEntity(0, nullptr, -20, 0, 20, 0); }, false, 0,
       ClipOutcome::kCut, {"line -2000 0 -1000 0", "line 1000 0 2000 0"}},
      {"line through, keep", [] { return ConstructLineEntity(0, nullptr, -20, 0, 20, 0); }, false, 1,
       ClipOutcome::kCut, {"line -1000 0 1000 0"}},
      {"line through rectangle, keep", [] { return ConstructLineEntity(0, nullptr, -20, 5, 20, 5); }, true, 1,
       ClipOutcome::kCut, {"line -1000 500 1000 500"}},
      {"line inside, cut", [] { return ConstructLineEntity(0, nullptr, -2, 0, 2, 0); }, false, 0,
       ClipOutcome::kRemoved, {}},
      {"line inside, keep", [] { return ConstructLineEntity(0, nullptr, -2, 0, 2, 0); }, false, 1,
       ClipOutcome::kUnchanged, {}},
      {"line outside, cut", [] { return ConstructLineEntity(0, nullptr, 20, -5, 20, 5); }, true, 0,
       ClipOutcome::kUnchanged, {}},
      {"line touching, cut", [] { return ConstructLineEntity(0, nullptr, -20, 10, 20, 10); }, false, 0,
       ClipOutcome::kUnchanged, {}},
      {"arc across, cut", [] { return ConstructArcEntity(0, nullptr, 0, 0, 12, 0, 90); }, true, 0,
       ClipOutcome::kCut, {"arc 0 0 1200 0 3356", "arc 0 0 1200 5644 9000"}},
      {"circle becomes arcs, keep", [] { return ConstructCircleEntity(0, nullptr, 10, 0, 10); }, true, 1,
       ClipOutcome::kCut, {"arc 1000 0 1000 9000 27000"}},
      {"circle becomes arcs, cut", [] { return ConstructCircleEntity(0, nullptr, 10, 0, 10); }, false, 0,
       ClipOutcome::kCut, {"arc 1000 0 1000 24000 12000"}},
      {"ellipse, cut", [] { return ConstructEllipseEntity(0, nullptr, 0, 0, 20, 5, 0, 0, 360); }, true, 0,
       ClipOutcome::kCut, {"ellipse 0 0 2000 500 0 12000 24000", "ellipse 0 0 2000 500 0 30000 42000"}},
      {"block member by member, keep",
       [] {
         CBlockEntity* b = ConstructBlockEntity(0, nullptr);
         b->AddMember(ConstructLineEntity(0, nullptr, -20, 0, 20, 0));
         b->AddMember(ConstructLineEntity(0, nullptr, -2, 1, 2, 1));
         b->AddMember(ConstructLineEntity(0, nullptr, 30, 0, 40, 0));
         return b;
       },
       false, 1, ClipOutcome::kCut, {"block [line -1000 0 1000 0] [line -200 100 200 100]"}},
      {"block wholly outside, keep",
       [] {
         CBlockEntity* b = ConstructBlockEntity(0, nullptr);
         b->AddMember(ConstructLineEntity(0, nullptr, 30, 0, 40, 0));
         return b;
       },
       false, 1, ClipOutcome::kRemoved, {}},
  };
  for (const ClipCoreCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<CEntity> e(c.make());
    std::unique_ptr<CClipRegion> region;
    if (c.rect)
      region = std::make_unique<CRectClipRegion>(GPoint{10, -10}, GPoint{-10, 10});
    else
      region = std::make_unique<CCircleClipRegion>(GPoint{0, 0}, 10.0);
    std::vector<CEntity*> pieces;
    EXPECT_EQ(ClipEntity(*e, *region, c.state == 1, pieces), c.outcome);
    std::vector<std::string> shapes;
    for (CEntity* p : pieces) {
      shapes.push_back(ClipShape(p));
      delete p;
    }
    EXPECT_EQ(shapes, c.pieces);
  }
}

TEST(ClipCoreTest, ViewLeavesTheDrawingAndReturnsBothLists) {
  CDraftView view;
  CEntity* through = ConstructLineEntity(0, nullptr, -20, 0, 20, 0);
  CEntity* outside = ConstructLineEntity(0, nullptr, 30, 0, 40, 0);
  CEntityList start;
  start.AddTail(through);
  start.AddTail(outside);
  view.AddEntities(start);
  CEntityList made, replaced;
  EXPECT_TRUE(view.ClipByCircle(made, replaced, 0, 0, 0, 10, 0));
  EXPECT_EQ(made.GetCount(), 2);
  ASSERT_EQ(replaced.GetCount(), 1);
  EXPECT_EQ(replaced.GetHead(), through);
  EXPECT_EQ(view.GetEntityList()->GetCount(), 2);
  for (CEntity* e : made) delete e;

  // The copies form returns what lies inside.
  CEntityList copies, none;
  EXPECT_TRUE(view.ClipByCircle(copies, none, 1, 25, 0, 10, 1));
  EXPECT_TRUE(none.IsEmpty());
  ASSERT_EQ(copies.GetCount(), 2);
  EXPECT_EQ(ClipShape(copies.GetHead()), "line 1500 0 2000 0");
  EXPECT_EQ(ClipShape(copies.GetTail()), "line 3000 0 3500 0");
  for (CEntity* e : copies) delete e;

  CEntityList made2, replaced2;
  EXPECT_FALSE(view.ClipByRectangle(made2, replaced2, 0, 50, 50, 60, 60));
  EXPECT_TRUE(made2.IsEmpty());
}

TEST(ClipCoreTest, ClipRectStoredInOrder) {
  CDraftView view;
  view.SetClipRect(30, 40, 10, 5);
  const double* r = view.GetClipRect();
  EXPECT_DOUBLE_EQ(r[0], 10);
  EXPECT_DOUBLE_EQ(r[1], 5);
  EXPECT_DOUBLE_EQ(r[2], 30);
  EXPECT_DOUBLE_EQ(r[3], 40);
}

}  // namespace
