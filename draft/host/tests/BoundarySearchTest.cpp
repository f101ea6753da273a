#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "draft/host/ArcEntity.h"
#include "draft/host/BlockEntity.h"
#include "draft/host/BoundarySearch.h"
#include "draft/host/CircleEntity.h"
#include "draft/host/DraftView.h"
#include "draft/host/LineEntity.h"

namespace {
// A drawing as a few calls on the view.
using Builder = std::function<void(CDraftView&)>;

void Box(CDraftView& v, double x0, double y0, double x1, double y1, int layer = 0) {
  v.AddEntityToView(ConstructLineEntity(layer, nullptr, x0, y0, x1, y0));
  v.AddEntityToView(ConstructLineEntity(layer, nullptr, x1, y0, x1, y1));
  v.AddEntityToView(ConstructLineEntity(layer, nullptr, x1, y1, x0, y1));
  v.AddEntityToView(ConstructLineEntity(layer, nullptr, x0, y1, x0, y0));
}
void Line(CDraftView& v, double x0, double y0, double x1, double y1, int layer = 0) {
  v.AddEntityToView(ConstructLineEntity(layer, nullptr, x0, y0, x1, y1));
}
void Circle(CDraftView& v, double cx, double cy, double r) {
  v.AddEntityToView(ConstructCircleEntity(0, nullptr, cx, cy, r));
}
void Arc(CDraftView& v, double cx, double cy, double r, double a, double b) {
  v.AddEntityToView(ConstructArcEntity(0, nullptr, cx, cy, r, a, b));
}

// The two ends of a side (a circle has none).
bool Ends(const CEntity* e, GPoint& a, GPoint& b) {
  double v[kMaxGeometryValues];
  e->GetGeometry(v);
  if (e->IsLine()) {
    a = {v[0], v[1]};
    b = {v[2], v[3]};
    return true;
  }
  if (e->IsArc()) {
    a = static_cast<const CArcEntity*>(e)->GetStartPoint();
    b = static_cast<const CArcEntity*>(e)->GetEndPoint();
    return true;
  }
  return false;
}

bool Touch(const GPoint& p, const GPoint& a, const GPoint& b) { return IsSamePoint(p, a) || IsSamePoint(p, b); }

// "L" for a line, "A" for an arc, "C" for a circle, in boundary order.
std::string Kinds(const CEntityList& list) {
  std::string s;
  for (const CEntity* e : list) s += e->IsLine() ? 'L' : e->IsArc() ? 'A' : e->IsCircle() ? 'C' : '?';
  return s;
}

// The area the sides enclose (lines and arcs walked in order).
double EnclosedArea(const CEntityList& list) {
  std::vector<const CEntity*> sides;
  for (const CEntity* e : list) sides.push_back(e);
  GPoint at;
  GPoint a, b;
  if (!Ends(sides.front(), a, b)) return 0;
  GPoint c, d;
  Ends(sides.back(), c, d);
  at = Touch(a, c, d) ? a : b;  // the first side starts where the last ends
  double area = 0;
  for (const CEntity* e : sides) {
    Ends(e, a, b);
    const bool forward = IsSamePoint(a, at);
    const GPoint from = forward ? a : b, to = forward ? b : a;
    if (e->IsArc()) {
      double v[kMaxGeometryValues];
      e->GetGeometry(v);
      double s = v[3], t = v[4];
      MakeAngleRangeAscending(s, t, true);
      const double sweep = DegreeToRadian(t - s) * (forward ? 1 : -1);
      area += (v[0] * (to.y - from.y) - v[1] * (to.x - from.x) + v[2] * v[2] * sweep) / 2;
    } else {
      area += (from.x * to.y - to.x * from.y) / 2;
    }
    at = to;
  }
  return std::fabs(area);
}
}  // namespace

// Each drawing, a point, and what the search must give: the kinds of the
// sides in order (empty: nothing found) and the area they enclose.
TEST(BoundarySearchTest, FindsTheTightestLoopRoundThePoint) {
  struct Case {
    const char* name;
    Builder build;
    GPoint at;
    int hideCentre;
    const char* kinds;
    double area;
  };
  const Case cases[] = {
      {"nested rectangles give the inner one", [](CDraftView& v) { Box(v, 0, 0, 100, 100); Box(v, 20, 20, 80, 80); },
       {50, 50}, 1, "LLLL", 3600},
      {"between nested rectangles: the outer one", [](CDraftView& v) { Box(v, 0, 0, 100, 100); Box(v, 20, 20, 80, 80); },
       {10, 10}, 1, "LLLL", 10000},
      {"a T-junction cuts the box", [](CDraftView& v) { Box(v, 0, 0, 20, 10); Line(v, 10, 10, 10, 0); },
       {15, 5}, 1, "LLLL", 100},
      {"dangling lines are pruned", [](CDraftView& v) { Box(v, 0, 0, 10, 10); Line(v, 5, 5, 8, 8); Line(v, 10, 5, 15, 5); },
       {2, 2}, 1, "LLLL", 100},
      {"a gap is never closed",
       [](CDraftView& v) {
         Line(v, 0, 0, 10, 0); Line(v, 10, 0, 10, 10); Line(v, 10, 10, 0, 10); Line(v, 0, 10, 0, 0.01);
       },
       {5, 5}, 1, "", 0},
      {"a point outside everything", [](CDraftView& v) { Box(v, 0, 0, 10, 10); }, {20, 20}, 1, "", 0},
      {"an ignored centre line", [](CDraftView& v) { Box(v, 0, 0, 10, 10); Line(v, 5, -2, 5, 12, 2); },
       {2, 5}, 1, "LLLL", 100},
      {"a centre line taken when not ignored", [](CDraftView& v) { Box(v, 0, 0, 10, 10); Line(v, 5, -2, 5, 12, 2); },
       {2, 5}, 0, "LLLL", 50},
      {"a circle cut by a line", [](CDraftView& v) { Circle(v, 0, 0, 10); Line(v, -20, 0, 20, 0); },
       {0, 5}, 1, "AL", 50 * tressil::kPi},
      {"a lone circle", [](CDraftView& v) { Circle(v, 0, 0, 10); Line(v, 30, 0, 40, 0); },
       {1, 1}, 1, "C", 100 * tressil::kPi},
      {"the ring of two nested circles", [](CDraftView& v) { Circle(v, 0, 0, 5); Circle(v, 0, 0, 10); },
       {7, 0}, 1, "CC", 75 * tressil::kPi},
      {"inside the inner circle of a ring", [](CDraftView& v) { Circle(v, 0, 0, 5); Circle(v, 0, 0, 10); },
       {1, 0}, 1, "C", 25 * tressil::kPi},
      {"a filleted rectangle",
       [](CDraftView& v) {
         Line(v, 2, 0, 18, 0); Arc(v, 18, 2, 2, 270, 0); Line(v, 20, 2, 20, 8); Arc(v, 18, 8, 2, 0, 90);
         Line(v, 18, 10, 2, 10); Arc(v, 2, 8, 2, 90, 180); Line(v, 0, 8, 0, 2); Arc(v, 2, 2, 2, 180, 270);
       },
       {10, 5}, 1, "LALALALA", 200 - 16 + 4 * tressil::kPi},
      {"a square with a half circle bulging inward",
       [](CDraftView& v) { Line(v, 0, 0, 10, 0); Line(v, 10, 0, 10, 10); Line(v, 0, 10, 0, 0); Arc(v, 5, 10, 5, 180, 360); },
       {1, 1}, 1, "LLLA", 100 - 12.5 * tressil::kPi},
      {"a side drawn twice", [](CDraftView& v) { Box(v, 0, 0, 10, 10); Box(v, 10, 0, 20, 10); },
       {5, 5}, 1, "LLLL", 100},
      {"sides overlapping in part", [](CDraftView& v) { Box(v, 0, 0, 10, 10); Box(v, 10, 5, 20, 15); },
       {5, 5}, 1, "LLLL", 100},
      {"the members of a block",
       [](CDraftView& v) {
         CBlockEntity* block = ConstructBlockEntity(0, nullptr);
         for (int k = 0; k < 6; ++k) {
           const double a = DegreeToRadian(60.0 * k), b = DegreeToRadian(60.0 * (k + 1));
           block->AddMember(ConstructLineEntity(0, nullptr, 10 * std::cos(a), 10 * std::sin(a), 10 * std::cos(b),
                                                10 * std::sin(b)));
         }
         v.AddEntityToView(block);
       },
       {0, 0}, 1, "LLLLLL", 150 * std::sqrt(3.0)},
      {"a square hung in a circle by a line",
       [](CDraftView& v) { Circle(v, 0, 0, 20); Box(v, -5, -5, 5, 5); Line(v, 0, 5, 0, 20); },
       {10, 0}, 1, "LLLLLLLAA", 400 * tressil::kPi - 100},
      {"tangent circles: the smaller one", [](CDraftView& v) { Circle(v, 0, 0, 10); Circle(v, 5, 0, 5); },
       {5, 1}, 1, "C", 25 * tressil::kPi},
      {"tangent circles: the crescent", [](CDraftView& v) { Circle(v, 0, 0, 10); Circle(v, 5, 0, 5); },
       {-5, 0}, 1, "CC", 75 * tressil::kPi},
      // The point lies on the chord of both arcs (each of 120 degrees).
      {"overlapping circles: the lens, the point on its chord",
       [](CDraftView& v) { Circle(v, 300, 300, 10); Circle(v, 310, 300, 10); },
       {305, 300}, 1, "AA", 200 * tressil::kPi / 3 - 50 * std::sqrt(3.0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDraftView view;
    c.build(view);
    CEntityList boundary, second;
    const BOOL found = view.FindClosedBoundary(*view.GetEntityList(), boundary, second, c.at.x, c.at.y, c.hideCentre, 0);
    EXPECT_EQ(found != FALSE, c.kinds[0] != '\0');
    // The loop may start at any corner.
    const std::string kinds = Kinds(boundary);
    EXPECT_EQ(kinds.size(), std::string(c.kinds).size());
    EXPECT_NE((kinds + kinds).find(c.kinds), std::string::npos) << kinds;
    if (!boundary.IsEmpty() && !boundary.GetHead()->IsCircle()) {
      // Each side touches the next, the last the first.
      std::vector<const CEntity*> sides;
      for (const CEntity* e : boundary) sides.push_back(e);
      for (size_t i = 0; i < sides.size(); ++i) {
        GPoint a, b, p, q;
        ASSERT_TRUE(Ends(sides[i], a, b));
        ASSERT_TRUE(Ends(sides[(i + 1) % sides.size()], p, q));
        EXPECT_TRUE(Touch(a, p, q) || Touch(b, p, q)) << "side " << i;
      }
      EXPECT_NEAR(EnclosedArea(boundary), c.area, 1e-6);
    }
    if (std::string(c.kinds) == "C") {
      double v[kMaxGeometryValues];
      boundary.GetHead()->GetGeometry(v);
      EXPECT_NEAR(tressil::kPi * v[2] * v[2], c.area, 1e-6);
    }
    if (std::string(c.kinds) == "CC") {  // the area between the two
      double v1[kMaxGeometryValues], v2[kMaxGeometryValues];
      boundary.GetHead()->GetGeometry(v1);
      boundary.GetTail()->GetGeometry(v2);
      EXPECT_NEAR(std::fabs(v1[2] * v1[2] - v2[2] * v2[2]) * tressil::kPi, c.area, 1e-6);
    }
    for (CEntity* e : boundary) {
      EXPECT_FALSE(view.IsInDrawing(e));  // new entities, the caller's
      delete e;
    }
  }
}

TEST(BoundarySearchTest, SidesRunInOrderAndKeepTheirSourcesLayer) {
  CDraftView view;
  Box(view, 0, 0, 10, 10, 3);
  CEntityList boundary, second;
  ASSERT_TRUE(view.FindClosedBoundary(*view.GetEntityList(), boundary, second, 5, 5, 1, 0));
  // Counter-clockwise, each line from where the previous ended.
  GPoint last;
  bool first = true;
  for (CEntity* e : boundary) {
    GPoint a, b;
    Ends(e, a, b);
    if (!first) {
      EXPECT_TRUE(IsSamePoint(a, last));
    }
    first = false;
    last = b;
    EXPECT_EQ(e->GetEntityLayer(), 3);
    delete e;
  }
  EXPECT_EQ(second.GetCount(), 4);  // the entities the sides lie on
}

// A grid of 100 × 100 cells: the search from one cell builds its graph
// from the curves near the point only.
TEST(BoundarySearchTest, WorkStaysNearThePoint) {
  std::vector<velmish::BoundaryCurve> curves;
  for (int i = 0; i <= 100; ++i) {
    curves.push_back(velmish::BoundaryCurve::Line({0, i * 10.0}, {1000, i * 10.0}, nullptr));
    curves.push_back(velmish::BoundaryCurve::Line({i * 10.0, 0}, {i * 10.0, 1000}, nullptr));
  }
  for (int i = 0; i < 2000; ++i)
    curves.push_back(velmish::BoundaryCurve::Circle({5 + (i % 100) * 10.0, 5 + (i / 100) * 10.0}, 2, nullptr));
  const velmish::BoundarySearch search(curves);
  std::vector<velmish::BoundarySide> sides;
  ASSERT_TRUE(search.Find({501, 701}, sides));
  EXPECT_EQ(sides.size(), 4u);
  EXPECT_LT(search.GetLastWorkSize(), 300u);
}

// Coordinates far beyond any cell number (a huge circle crossing the box, a
// line reaching 1e300) are searched without an overflow, and the box is
// still found.
TEST(BoundarySearchTest, HugeCoordinatesBesideTheBoxAreSearchedSafely) {
  CDraftView view;
  Box(view, 0, 0, 10, 10);
  Circle(view, 2e14, 5, 2e14 - 15);
  Line(view, 20, 20, 1e300, 20);
  CEntityList boundary, second;
  ASSERT_TRUE(view.FindClosedBoundary(*view.GetEntityList(), boundary, second, 5, 5, 1, 0));
  EXPECT_EQ(Kinds(boundary), "LLLL");
  for (CEntity* e : boundary) delete e;
}
