#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/routing/SharedPathArcRouter.h"
#include "diagram/routing/tests/WirePoints.h"
#include "diagram/testsupport/BlockDiagramFixture.h"

namespace {

using routingtest::PointsOf;
using routingtest::Orthogonal;
using routingtest::Describe;

using blocktest::BlockDiagram;

class SharedPathRouterOnDiagram : public BlockDiagram {
 protected:
  void SetUp() override {
    BlockDiagram::SetUp();
    savedOptions = CDiagram::m_autoRouteOption;
    CDiagram::m_autoRouteOption = AutoRouteOption();
  }
  void TearDown() override {
    diagram->SetAutoRouteModeAndMethod(0, 0);
    CDiagram::m_autoRouteOption = savedOptions;
    BlockDiagram::TearDown();
  }
  // One source block on the left and three blocks stacked on the right,
  // the source's output wired to each of their inputs by a slanted line.
  void FanOut() {
    source = PlaceBlock(1, CPoint(-400, 0));
    for (int i = 0; i < 3; ++i) {
      sinks[i] = PlaceBlock(100, CPoint(0, Down(0, 150 + 200 * i)));
      wires[i] = Wire(PortOf(source, 0), PortOf(sinks[i], 0));
    }
  }
  void ExpectLaidBetweenItsPorts(CDrawArc* arc) {
    const std::vector<CPoint> points = PointsOf(arc);
    ASSERT_GE(points.size(), 2u);
    EXPECT_TRUE(Orthogonal(points)) << Describe(points);
    EXPECT_EQ(points.front(), arc->GetSrcOutPort()->ConnectionPoint());
    EXPECT_EQ(points.back(), arc->GetDestInPort()->ConnectionPoint());
  }

  AutoRouteOption savedOptions;
  CDrawBlock* source = nullptr;
  CDrawBlock* sinks[3] = {};
  CDrawArc* wires[3] = {};
};

TEST_P(SharedPathRouterOnDiagram, AFanOutIsLaidAsOneTreeSharingItsFirstPoints) {
  FanOut();
  SharedPathArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList list;
  for (CDrawArc* wire : wires) list += wire;
  EXPECT_EQ(router.Route(list), 1);
  EXPECT_EQ(router.LaidCount(), 3);
  std::vector<std::vector<CPoint>> points;
  for (CDrawArc* wire : wires) {
    ExpectLaidBetweenItsPorts(wire);
    EXPECT_TRUE(router.IsLaid(wire));
    EXPECT_TRUE(router.GetAddedObjects().Find(wire));
    points.push_back(PointsOf(wire));
  }
  // The branches leave the first way laid: every wire begins with the same
  // two points, the source end and the end of the shared first leg.
  for (int i = 1; i < 3; ++i) {
    ASSERT_GE(points[i].size(), 3u);
    EXPECT_EQ(points[i][0], points[0][0]);
    EXPECT_EQ(points[i][1], points[0][1]) << Describe(points[0]) << " / " << Describe(points[i]);
  }
  // A wire of the source already laid returns at once without a new way.
  const std::vector<CPoint> before = PointsOf(wires[1]);
  EXPECT_EQ(router.Route(wires[1]), 1);
  EXPECT_EQ(PointsOf(wires[1]), before);
  EXPECT_TRUE(router.SearchFlagsTracked());
}

TEST_P(SharedPathRouterOnDiagram, ASingleWireSourceIsRoutedAsTheCellRouterRoutesIt) {
  std::vector<CPoint> routed[2];
  for (int method = 0; method < 2; ++method) {
    diagram->DeleteContents();
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    doc.ClearUndoStack();
    CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
    CDrawBlock* b = PlaceBlock(100, CPoint(0, Down(0, 150)));
    CDrawArc* arc = Wire(PortOf(a, 0), PortOf(b, 0));
    ASSERT_TRUE(arc);
    std::unique_ptr<CellArcRouter> router(method == 0
                                              ? new CellArcRouter(diagram, &CDiagram::m_autoRouteOption)
                                              : new SharedPathArcRouter(diagram, &CDiagram::m_autoRouteOption));
    ASSERT_EQ(router->Init(diagram->GetObjects()), 1);
    CDrawList list;
    list += arc;
    EXPECT_EQ(router->Route(list), 1);
    routed[method] = PointsOf(arc);
    ExpectLaidBetweenItsPorts(arc);
  }
  EXPECT_GE(routed[0].size(), 3u);
  EXPECT_EQ(routed[1], routed[0]) << Describe(routed[0]) << " / " << Describe(routed[1]);
}

TEST_P(SharedPathRouterOnDiagram, AWireOfTwoCornersBendsOneCellBeforeItsDestination) {
  // The ports lie in one row of cells but 3 units apart: a dog-leg one
  // column before the destination's cell, not at the middle.
  CDrawBlock* a = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* b = PlaceBlock(100, CPoint(0, Down(0, 3)));
  CDrawArc* arc = Wire(PortOf(a, 0), PortOf(b, 0));
  ASSERT_TRUE(arc);
  SharedPathArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  const CPoint src = PortOf(a, 0)->ConnectionPoint();
  const CPoint dst = PortOf(b, 0)->ConnectionPoint();
  ASSERT_EQ(router.DocToCell(src).y, router.DocToCell(dst).y);
  ASSERT_NE(src.y, dst.y);
  CDrawList list;
  list += arc;
  EXPECT_EQ(router.Route(list), 1);
  const CPoint dstCell = router.DocToCell(dst);
  const int x = router.CellToDoc(CPoint(dstCell.x - 1, dstCell.y)).x;
  EXPECT_EQ(PointsOf(arc), (std::vector<CPoint>{src, CPoint(x, src.y), CPoint(x, dst.y), dst}))
      << Describe(PointsOf(arc));
}

TEST_P(SharedPathRouterOnDiagram, RoutingOnlyTheSecondWireOfASourceLaysTheWholeNet) {
  FanOut();
  SharedPathArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList list;
  list += wires[1];
  EXPECT_EQ(router.Route(list), 1);
  for (CDrawArc* wire : wires) {
    EXPECT_TRUE(router.IsLaid(wire));
    EXPECT_GT(PointsOf(wire).size(), 2u);
    ExpectLaidBetweenItsPorts(wire);
  }
}

TEST_P(SharedPathRouterOnDiagram, RoutingANetAgainFromAnyOfItsWiresGivesTheSameNet) {
  FanOut();
  SharedPathArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList all;
  for (CDrawArc* wire : wires) all += wire;
  ASSERT_EQ(router.Route(all), 1);
  std::vector<CPoint> laid[3];
  for (int i = 0; i < 3; ++i) laid[i] = PointsOf(wires[i]);
  for (int i = 0; i < 3; ++i) {
    CDrawList one;
    one += wires[i];
    ASSERT_EQ(router.Route(one), 1);
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(PointsOf(wires[j]), laid[j]) << "routing wire " << i << ": " << Describe(laid[j]) << " / "
                                             << Describe(PointsOf(wires[j]));
    }
  }
  EXPECT_TRUE(router.SearchFlagsTracked());
}

TEST_P(SharedPathRouterOnDiagram, ASourceBeyondTheCanvasLaysNothing) {
  // Its destinations lie on the grid, but no way can start from the source.
  const CRect canvas = diagram->GetRect();
  source = PlaceBlock(1, CPoint(canvas.left - 600, 0));
  CDrawArc* arcs[2] = {};
  for (int i = 0; i < 2; ++i) {
    sinks[i] = PlaceBlock(100, CPoint(0, Down(0, 150 + 200 * i)));
    arcs[i] = Wire(PortOf(source, 0), PortOf(sinks[i], 0));
    ASSERT_TRUE(arcs[i]);
  }
  SharedPathArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  ASSERT_FALSE(router.Contains(router.DocToCell(PortOf(source, 0)->ConnectionPoint())));
  const std::vector<CPoint> before[2] = {PointsOf(arcs[0]), PointsOf(arcs[1])};
  CDrawList list;
  list += arcs[0];
  list += arcs[1];
  EXPECT_EQ(router.Route(list), 1);
  EXPECT_EQ(router.LaidCount(), 0);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(PointsOf(arcs[i]), before[i]) << Describe(PointsOf(arcs[i]));
    EXPECT_TRUE(router.GetAddedObjects().Find(arcs[i]));
  }
}

TEST_P(SharedPathRouterOnDiagram, APassStartsWithNoWireLaidAndARemovedWireLeavesTheList) {
  FanOut();
  SharedPathArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList list;
  list += wires[0];
  ASSERT_EQ(router.Route(list), 1);
  ASSERT_EQ(router.LaidCount(), 3);
  router.RemoveObj(wires[2]);
  EXPECT_FALSE(router.IsLaid(wires[2]));
  EXPECT_EQ(router.LaidCount(), 2);
  // A pass over no wire at all still forgets the wires of the last pass.
  CDrawList blocks;
  blocks += source;
  EXPECT_EQ(router.Route(blocks), 1);
  EXPECT_EQ(router.LaidCount(), 0);
}

TEST_P(SharedPathRouterOnDiagram, TheDiagramMakesItAsMethodThree) {
  if (!upward()) GTEST_SKIP() << "one direction is enough";
  std::unique_ptr<CArcRouter> made(diagram->GetNewArcRouter(3));
  ASSERT_TRUE(made);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(SharedPathArcRouter)));
  made.reset();
  diagram->SetAutoRouteModeAndMethod(1, 3);
  EXPECT_EQ(diagram->GetAutoRouteMethod(), 3u);
  diagram->SetAutoRouteModeAndMethod(1, 1);
  EXPECT_EQ(diagram->GetAutoRouteMethod(), 1u);
  diagram->SetAutoRouteModeAndMethod(0, 0);
  EXPECT_EQ(diagram->GetAutoRouteMethod(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, SharedPathRouterOnDiagram, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Upward") : std::string("Downward");
                         });

}  // namespace
