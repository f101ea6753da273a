// The cell and shared-path routers never lay a wire through another block:
// a source boxed in by an obstacle whose only way out runs through the
// neighbouring block fails like any wire without a way, while a way out
// through an obstacle that is not a block stays.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "diagram/model/objects/DrawRect.h"
#include "diagram/testsupport/BlockDiagramFixture.h"
#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/routing/CellArcRouter.h"
#include "diagram/routing/SharedPathArcRouter.h"
#include "diagram/routing/tests/WirePoints.h"

namespace {

using routingtest::Describe;
using routingtest::Orthogonal;
using routingtest::PointsOf;

using blocktest::BlockDiagram;

class TunnelThroughBlock : public BlockDiagram {
 protected:
  void SetUp() override {
    BlockDiagram::SetUp();
    savedOptions = CDiagram::m_autoRouteOption;
    CDiagram::m_autoRouteOption = AutoRouteOption();
  }
  void TearDown() override {
    CDiagram::m_autoRouteOption = savedOptions;
    BlockDiagram::TearDown();
  }
  static std::unique_ptr<CellArcRouter> MakeRouter(CDiagram* diagram, bool shared) {
    if (shared) return std::make_unique<SharedPathArcRouter>(diagram, &CDiagram::m_autoRouteOption);
    return std::make_unique<CellArcRouter>(diagram, &CDiagram::m_autoRouteOption);
  }
  static CRect Rect(CDrawObj* object) {
    CRect r = object->GetPosition();
    r.NormalizeRect();
    return r;
  }

  enum class Neighbour { kBlock, kRectangle };
  // A source block whose output faces a neighbour 30 units (three cells)
  // away and a block beyond the neighbour with its input on the output's
  // row, wired from that output. With `boxed`, an obstacle (a plain
  // rectangle) covers the source block and the gap up to the neighbour, so
  // that the only way out runs through the neighbour. The neighbour is a
  // block, or a plain rectangle of a block's size.
  CDrawArc* Fixture(Neighbour kind, bool boxed) {
    CDrawBlock* source = PlaceBlock(1, CPoint(-300, 0));
    if (!source) return nullptr;
    const CPoint src = PortOf(source, 0)->ConnectionPoint();
    const CPoint corner(src.x + 30, Down(src.y, -30));
    if (kind == Neighbour::kBlock) {
      CDrawBlock* block = PlaceBlock(300, corner);
      if (!block) return nullptr;
      neighbour = Rect(block);
    } else {
      // A block's size, far below, and a rectangle of that size in its place.
      CDrawBlock* probe = PlaceBlock(300, CPoint(corner.x, Down(corner.y, 2000)));
      if (!probe) return nullptr;
      neighbour = Rect(probe);
      neighbour.OffsetRect(0, upward() ? 2000 : -2000);
      if (!diagram->Add(new CDrawRect(neighbour))) ADD_FAILURE() << "rectangle not added";
    }
    CDrawBlock* target = PlaceBlock(100, CPoint(neighbour.right + 100, Down(src.y, -20)));
    if (!target) return nullptr;
    target->MoveBy(CPoint(0, src.y - PortOf(target, 0)->ConnectionPoint().y), TRUE);
    if (boxed) {
      const CRect own = Rect(source);
      if (!diagram->Add(new CDrawRect(CRect(own.left - 20, src.y - 60, neighbour.left + 5, src.y + 60))))
        ADD_FAILURE() << "box not added";
    }
    return Wire(PortOf(source, 0), PortOf(target, 0));
  }
  // Routes the wire alone with the rest of the diagram as obstacles.
  int RouteAlone(CellArcRouter& router, CDrawArc* arc) {
    CDrawList obstacles(diagram->GetObjects());
    obstacles -= arc;
    if (router.Init(obstacles) != 1) ADD_FAILURE() << "router not initialised";
    return router.Route(arc);
  }
  // Whether a leg of the points runs through the inside of the rectangle.
  static bool Crosses(const std::vector<CPoint>& points, const CRect& r) {
    for (size_t i = 1; i < points.size(); ++i) {
      const CPoint a = points[i - 1];
      const CPoint b = points[i];
      const int lowX = std::min(a.x, b.x), highX = std::max(a.x, b.x);
      const int lowY = std::min(a.y, b.y), highY = std::max(a.y, b.y);
      if (highX > r.left && lowX < r.right && highY > r.top && lowY < r.bottom) return true;
    }
    return false;
  }

  AutoRouteOption savedOptions;
  CRect neighbour;
};

TEST_P(TunnelThroughBlock, AWireWhoseOnlyWayOutCrossesABlockFailsAndKeepsItsShape) {
  CDrawArc* arc = Fixture(Neighbour::kBlock, true);
  ASSERT_TRUE(arc);
  const std::vector<CPoint> before = PointsOf(arc);
  for (bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared-path router" : "cell router");
    std::unique_ptr<CellArcRouter> router = MakeRouter(diagram, shared);
    EXPECT_EQ(RouteAlone(*router, arc), 0);
    EXPECT_EQ(PointsOf(arc), before) << Describe(PointsOf(arc));
    // A failed wire becomes an obstacle in its present shape.
    EXPECT_TRUE(router->GetAddedObjects().Find(arc));
    EXPECT_TRUE(router->SearchFlagsTracked());
  }
}

TEST_P(TunnelThroughBlock, AWayOutThroughAnObstacleThatIsNoBlockStays) {
  CDrawArc* arc = Fixture(Neighbour::kRectangle, true);
  ASSERT_TRUE(arc);
  for (bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared-path router" : "cell router");
    const std::vector<CPoint> before = PointsOf(arc);
    std::unique_ptr<CellArcRouter> router = MakeRouter(diagram, shared);
    EXPECT_EQ(RouteAlone(*router, arc), 1);
    const std::vector<CPoint> points = PointsOf(arc);
    EXPECT_TRUE(Orthogonal(points)) << Describe(points);
    EXPECT_EQ(points.front(), arc->GetSrcOutPort()->ConnectionPoint());
    EXPECT_EQ(points.back(), arc->GetDestInPort()->ConnectionPoint());
    // It leaves through the rectangle in the output's direction.
    EXPECT_TRUE(Crosses(points, neighbour)) << Describe(points);
    // The next router starts from the straight wire again.
    arc->ReRoute(before.data(), static_cast<int>(before.size()));
  }
}

TEST_P(TunnelThroughBlock, AFreeWayRoundTheNeighbourIsTaken) {
  // Not boxed in, the output reaches open space at once.
  CDrawArc* arc = Fixture(Neighbour::kBlock, false);
  ASSERT_TRUE(arc);
  for (bool shared : {false, true}) {
    SCOPED_TRACE(shared ? "shared-path router" : "cell router");
    const std::vector<CPoint> before = PointsOf(arc);
    std::unique_ptr<CellArcRouter> router = MakeRouter(diagram, shared);
    EXPECT_EQ(RouteAlone(*router, arc), 1);
    const std::vector<CPoint> points = PointsOf(arc);
    EXPECT_TRUE(Orthogonal(points)) << Describe(points);
    EXPECT_FALSE(Crosses(points, neighbour)) << Describe(points);
    arc->ReRoute(before.data(), static_cast<int>(before.size()));
  }
}

INSTANTIATE_TEST_SUITE_P(BothDirections, TunnelThroughBlock, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Upward" : "Downward");
                         });

}  // namespace
