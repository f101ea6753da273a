#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "diagram/model/canvas/AutoRouteOption.h"
#include "diagram/model/objects/DrawRect.h"
#include "diagram/routing/SegmentArcRouter.h"
#include "diagram/routing/WrapperCDrawArc.h"
#include "diagram/routing/tests/WirePoints.h"
#include "diagram/testsupport/BlockDiagramFixture.h"

namespace {

using routingtest::PointsOf;
using routingtest::Orthogonal;
using routingtest::Describe;

using blocktest::BlockDiagram;

// The router's protected members, for the tests.
class OpenRouter : public SegmentArcRouter {
 public:
  using SegmentArcRouter::AccumArcsSharingHorzSegment;
  using SegmentArcRouter::addBadRect;
  using SegmentArcRouter::addGoodRect;
  using SegmentArcRouter::DoFinalTwoPointAdjustment;
  using SegmentArcRouter::FindSegment;
  using SegmentArcRouter::GlueNextOrPrevious;
  using SegmentArcRouter::GluedSpan;
  using SegmentArcRouter::KeepSearchIndex;
  using SegmentArcRouter::RemoveHorizontalSegment;
  using SegmentArcRouter::RoundUpRectangle;
  using SegmentArcRouter::SegmentArcRouter;
};

// One stretch as (start, end, state).
using Stretch = std::tuple<int, int, int>;

std::vector<Stretch> StretchesOf(const Segment* head) {
  std::vector<Stretch> out;
  for (const Segment* s = head; s; s = s->m_pNext) out.emplace_back(s->m_nStart, s->m_nEnd, s->m_nState);
  return out;
}

// Every stretch of every track: horizontal tracks first.
std::vector<std::vector<Stretch>> AllTracks(const SegmentArcRouter& router) {
  std::vector<std::vector<Stretch>> out;
  for (int k = 0; k < router.GetHorzTrackCount(); ++k) out.push_back(StretchesOf(router.GetHorzTrack(k)));
  for (int k = 0; k < router.GetVertTrackCount(); ++k) out.push_back(StretchesOf(router.GetVertTrack(k)));
  return out;
}

// Whether a stretch of the track covers the coordinate.
bool Covered(const Segment* head, int coordinate) {
  for (const Segment* s = head; s; s = s->m_pNext) {
    if (s->m_nStart <= coordinate && coordinate <= s->m_nEnd) return true;
  }
  return false;
}

class SegmentRouterOnDiagram : public BlockDiagram {
 protected:
  void SetUp() override {
    BlockDiagram::SetUp();
    savedOptions = CDiagram::m_autoRouteOption;
    savedPage = CDiagram::m_pageSize;
    CDiagram::m_autoRouteOption = AutoRouteOption();
  }
  void TearDown() override {
    diagram->SetAutoRouteModeAndMethod(0, 0);
    CDiagram::m_autoRouteOption = savedOptions;
    if (CDiagram::m_pageSize != savedPage) {
      CDiagram::m_pageSize = savedPage;
      diagram->SetCanvasSize(1, 1);
    }
    BlockDiagram::TearDown();
  }
  // A canvas of 2 x 2 pages of the size.
  void UsePages(CSize page) {
    CDiagram::m_pageSize = page;
    ASSERT_TRUE(diagram->SetCanvasSize(1, 1));
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    ASSERT_EQ(diagram->GetSize(), CSize(2 * page.cx, 2 * page.cy));
  }
  // An output at (-244, y) and an input at (-8, y + dy) (downward), the
  // two joined by a straight wire.
  CDrawArc* TwoBlocksAndAWire(int dy) {
    left = PlaceBlock(1, CPoint(-300, 0));
    right = PlaceBlock(100, CPoint(0, Down(0, dy)));
    return Wire(PortOf(left, 0), PortOf(right, 0));
  }
  int Undos() const { return doc.GetNumberUndosOnStack(); }

  AutoRouteOption savedOptions;
  CSize savedPage;
  CDrawBlock* left = nullptr;
  CDrawBlock* right = nullptr;
};

struct MarginCase {
  int left, top, right, bottom, step;
};

TEST_P(SegmentRouterOnDiagram, TracksAreMadeOnlyOutsideThePageMargins) {
  ASSERT_NO_FATAL_FAILURE(UsePages(CSize(800, 1000)));
  const MarginCase cases[] = {{15, 21, 15, 15, 10}, {0, 0, 0, 0, 10}, {40, 100, 60, 200, 7}};
  const CRect canvas = diagram->GetRect();
  for (const MarginCase& c : cases) {
    CDiagram::m_autoRouteOption.m_nLeftMargin = c.left;
    CDiagram::m_autoRouteOption.m_nTopMargin = c.top;
    CDiagram::m_autoRouteOption.m_nRightMargin = c.right;
    CDiagram::m_autoRouteOption.m_nBottomMargin = c.bottom;
    CDiagram::m_autoRouteOption.m_nMinDistance = c.step;
    SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
    ASSERT_EQ(router.Init(CDrawList()), 1);
    ASSERT_EQ(router.GetHorzTrackCount(), (2000 - 1 + c.step) / c.step);
    ASSERT_EQ(router.GetVertTrackCount(), (1600 - 1 + c.step) / c.step);
    for (int k = 0; k < router.GetHorzTrackCount(); ++k) {
      // The track's distance below the top edge of its page, in the
      // document: the top margin is kept below every page's top edge.
      const int y = router.CanvasToDoc(CPoint(0, k * c.step)).y;
      const int m = std::abs(y - canvas.top) % 1000;
      const bool made = c.top < m && c.bottom < 1000 - m;
      ASSERT_EQ(router.GetHorzTrack(k) != nullptr, made) << "track " << k << " at " << m << " step " << c.step;
      if (made) {
        EXPECT_EQ(StretchesOf(router.GetHorzTrack(k)), (std::vector<Stretch>{{0, 1600, 0}}));
      }
    }
    for (int k = 0; k < router.GetVertTrackCount(); ++k) {
      const int m = (k * c.step) % 800;
      const bool made = c.left < m && c.right < 800 - m;
      ASSERT_EQ(router.GetVertTrack(k) != nullptr, made) << "track " << k << " step " << c.step;
      if (made) {
        EXPECT_EQ(StretchesOf(router.GetVertTrack(k)), (std::vector<Stretch>{{0, 2000, 0}}));
      }
    }
  }
}

TEST_P(SegmentRouterOnDiagram, TheTopMarginIsKeptBelowEachPageTopInBothDirections) {
  ASSERT_NO_FATAL_FAILURE(UsePages(CSize(800, 1000)));
  SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(CDrawList()), 1);
  // Page position 21 or less from a page's top, or 15 or less from its
  // bottom, has no track: the nearest tracks lie 30 below and 20 above.
  const CRect canvas = diagram->GetRect();
  const int top = router.GetHorzTrackCount() - 1;
  EXPECT_EQ(router.GetHorzTrack(top), nullptr);
  int highest = top;
  while (!router.GetHorzTrack(highest)) --highest;
  EXPECT_EQ(std::abs(router.CanvasToDoc(CPoint(0, highest * 10)).y - canvas.top), 30);
  int lowest = 0;
  while (!router.GetHorzTrack(lowest)) ++lowest;
  EXPECT_EQ(std::abs(router.CanvasToDoc(CPoint(0, lowest * 10)).y - canvas.bottom), 20);
}

struct RoundCase {
  int step;
  CRect in;
  CRect out;
};

TEST_P(SegmentRouterOnDiagram, RoundsARectangleOntoTracks) {
  if (!upward()) GTEST_SKIP() << "canvas coordinates do not depend on the direction";
  const RoundCase cases[] = {
      // Low edges to the nearer track; a high edge just past a track kept,
      // one more than half a step past it raised to the next.
      {10, CRect(103, 96, 204, 306), CRect(100, 100, 204, 310)},
      {10, CRect(105, 105, 205, 205), CRect(100, 100, 205, 205)},
      {10, CRect(204, 306, 103, 96), CRect(100, 100, 204, 310)},
      // Clamped to the canvas first.
      {10, CRect(-40, -5, 1800, 2300), CRect(0, 0, 1700, 2200)},
      {7, CRect(4, 3, 11, 10), CRect(7, 0, 14, 10)},
  };
  for (const RoundCase& c : cases) {
    CDiagram::m_autoRouteOption.m_nMinDistance = c.step;
    OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
    ASSERT_EQ(router.Init(CDrawList()), 1);
    CRect rect = c.in;
    router.RoundUpRectangle(rect);
    EXPECT_EQ(rect, c.out) << c.in.left << "," << c.in.top << "," << c.in.right << "," << c.in.bottom;
  }
}

TEST_P(SegmentRouterOnDiagram, CuttingAndFreeingStretchesMergesNeighbours) {
  if (!upward()) GTEST_SKIP() << "canvas coordinates do not depend on the direction";
  OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(CDrawList()), 1);
  const int y = 500;
  const int k = y / 10;
  ASSERT_TRUE(router.GetHorzTrack(k));
  struct Step {
    bool cut;
    int low, high;
    std::vector<Stretch> after;
  };
  const Step steps[] = {
      {true, 100, 200, {{0, 100, 0}, {200, 1700, 0}}},
      {true, 300, 400, {{0, 100, 0}, {200, 300, 0}, {400, 1700, 0}}},
      // Limited to the canvas.
      {true, -50, 50, {{50, 100, 0}, {200, 300, 0}, {400, 1700, 0}}},
      {true, 1500, 1900, {{50, 100, 0}, {200, 300, 0}, {400, 1500, 0}}},
      {true, 190, 310, {{50, 100, 0}, {400, 1500, 0}}},
      // A freed span is widened by half a step and merged with the stretches
      // it comes within a step of.
      {false, 100, 200, {{50, 205, 0}, {400, 1500, 0}}},
      {false, 250, 350, {{50, 205, 0}, {245, 355, 0}, {400, 1500, 0}}},
      {false, 200, 250, {{50, 355, 0}, {400, 1500, 0}}},
      {false, 370, 380, {{50, 385, 0}, {400, 1500, 0}}},
      {false, 385, 390, {{50, 1500, 0}}},
  };
  for (const Step& step : steps) {
    if (step.cut) {
      router.RemoveHorizontalSegment(y, step.low, step.high);
    } else {
      router.addGoodRect(CRect(step.low, y - 2, step.high, y + 2));
    }
    EXPECT_EQ(StretchesOf(router.GetHorzTrack(k)), step.after) << step.low << ".." << step.high;
  }
  // Freeing inside a page margin makes no track there.
  ASSERT_EQ(router.GetHorzTrack(110), nullptr);
  router.addGoodRect(CRect(100, 1098, 200, 1102));
  EXPECT_EQ(router.GetHorzTrack(110), nullptr);
  // An obstacle cuts both orientations; freeing it restores them.
  const std::vector<std::vector<Stretch>> before = AllTracks(router);
  router.addBadRect(CRect(603, 696, 804, 906));
  EXPECT_EQ(StretchesOf(router.GetHorzTrack(80)), (std::vector<Stretch>{{0, 600, 0}, {804, 1700, 0}}));
  EXPECT_EQ(StretchesOf(router.GetVertTrack(70)), (std::vector<Stretch>{{0, 700, 0}, {910, 2200, 0}}));
  router.addGoodRect(CRect(603, 696, 804, 906));
  EXPECT_EQ(AllTracks(router), before);
}

struct FindCase {
  int position;
  int coordinate;
  int track;  // -1: none
  int start;
};

TEST(SegmentRouterFindSegment, LooksOnTheNearestTrackThenItsNeighbourWithTwoTolerances) {
  // Track 2: [0, 100] and [200, 300]; track 3: [500, 600]; tracks 0, 1 and
  // 4 have no stretches.
  Segment a(2, 0, 100, nullptr, Segment::kFree);
  Segment b(2, 200, 300, &a, Segment::kFree);
  Segment c(3, 500, 600, nullptr, Segment::kFree);
  Segment* heads[5] = {nullptr, nullptr, &a, &c, nullptr};
  const FindCase cases[] = {
      {20, 50, 2, 0},     {24, 104, 2, 0},   {20, 112, 2, 0},  {20, 190, 2, 200}, {20, 150, -1, 0},
      {26, 550, 3, 500},  {26, 110, 2, 0},   {34, 50, -1, 0},  {24, 550, 3, 500}, {16, 550, -1, 0}, {60, 50, -1, 0},
      {-3, 50, -1, 0},    {20, 316, -1, 0},  {25, 50, 2, 0},
  };
  for (const FindCase& f : cases) {
    const Segment* found = OpenRouter::FindSegment(f.position, 10, 5, heads, f.coordinate);
    if (f.track < 0) {
      EXPECT_EQ(found, nullptr) << f.position << " " << f.coordinate;
    } else {
      ASSERT_NE(found, nullptr) << f.position << " " << f.coordinate;
      EXPECT_EQ(found->m_nTrack, f.track) << f.position << " " << f.coordinate;
      EXPECT_EQ(found->m_nStart, f.start) << f.position << " " << f.coordinate;
    }
  }
}

TEST(SegmentRouterGlue, JoinsTouchingStretchesButNeverAbsorbsAPinOrTheExcepted) {
  struct Case {
    int previousState;
    int stretchState;
    int nextState;
    bool previousExcepted;
    int gap;  // between the previous stretch and this one
    std::vector<Stretch> after;
    OpenRouter::GluedSpan glued;
  };
  const Case cases[] = {
      {0, 0, 0, false, 0, {{0, 300, 0}}, {0, 300}},
      {2, 0, 0, false, 0, {{0, 100, 2}, {100, 300, 0}}, {200, 300}},
      {0, 0, 2, false, 0, {{0, 200, 0}, {200, 300, 2}}, {0, 100}},
      {0, 0, 0, true, 0, {{0, 100, 0}, {100, 300, 0}}, {200, 300}},
      {0, 0, 0, false, 10, {{0, 90, 0}, {100, 300, 0}}, {200, 300}},
      // A pin stretch absorbed by its free neighbour stays a pin stretch.
      {0, 2, 2, false, 0, {{0, 200, 2}, {200, 300, 2}}, {0, 100}},
  };
  for (const Case& c : cases) {
    OpenRouter router(nullptr, nullptr);
    auto* previous = new Segment(1, 0, 100 - c.gap, nullptr, c.previousState);
    auto* stretch = new Segment(1, 100, 200, previous, c.stretchState);
    new Segment(1, 200, 300, stretch, c.nextState);
    Segment* glued = stretch;
    const OpenRouter::GluedSpan span = router.GlueNextOrPrevious(glued, c.previousExcepted ? previous : nullptr);
    EXPECT_EQ(StretchesOf(previous), c.after);
    EXPECT_EQ(span, c.glued);
    EXPECT_TRUE(glued->m_nStart <= 100 && glued->m_nEnd >= 200);
    while (previous->m_pNext) delete previous->m_pNext;
    delete previous;
  }
}

TEST_P(SegmentRouterOnDiagram, PinsOnOneFreeStretchGiveAStraightWireOrAZ) {
  struct Case {
    int dy;
    std::vector<CPoint> points;  // y as distances down from 0
  };
  const Case cases[] = {
      {0, {{-244, 30}, {-8, 30}}},
      {3, {{-244, 30}, {-126, 30}, {-126, 33}, {-8, 33}}},
  };
  for (const Case& c : cases) {
    diagram->DeleteContents();
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    doc.ClearUndoStack();
    CDrawArc* arc = TwoBlocksAndAWire(c.dy);
    SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
    ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
    CDrawList list;
    list += arc;
    EXPECT_EQ(router.Route(list), 1);
    std::vector<CPoint> expected;
    for (const CPoint& p : c.points) expected.emplace_back(p.x, Down(0, p.y));
    EXPECT_EQ(PointsOf(arc), expected) << Describe(PointsOf(arc));
    // The stretch between the two ports held both pins and now holds them
    // for good: no later wire runs along it.
    EXPECT_EQ(StretchesOf(router.GetHorzTrack(107)), (std::vector<Stretch>{{0, 550, 0}, {610, 840, 2}, {900, 1700, 0}}));
  }
}

TEST_P(SegmentRouterOnDiagram, RoutesRoundABlockWithTheFewestBends) {
  left = PlaceBlock(1, CPoint(-300, 0));
  right = PlaceBlock(100, CPoint(0, 0));
  // A block across the straight way between the two ports.
  auto* blocker = new CDrawRect(CRect(-180, Down(0, -20), -80, Down(0, 80)));
  ASSERT_TRUE(diagram->Add(blocker));
  CDrawArc* arc = Wire(PortOf(left, 0), PortOf(right, 0));
  SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList list;
  list += arc;
  EXPECT_EQ(router.Route(list), 1);
  // Four bends, a step clear of the block's edges.
  const std::vector<CPoint> expected = {{-244, Down(0, 30)}, {-190, Down(0, 30)}, {-190, Down(0, 90)},
                                        {-30, Down(0, 90)},  {-30, Down(0, 30)},  {-8, Down(0, 30)}};
  EXPECT_EQ(PointsOf(arc), expected) << Describe(PointsOf(arc));
}

// The stretches as (start, end, pin or not).
std::vector<Stretch> PinsOf(const Segment* head) {
  std::vector<Stretch> out = StretchesOf(head);
  for (Stretch& s : out) std::get<2>(s) = std::get<2>(s) == Segment::kPin ? Segment::kPin : Segment::kFree;
  return out;
}

TEST_P(SegmentRouterOnDiagram, CutsTheWayOutOfTheTracksAndKeepsThePinStretches) {
  CDrawArc* arc = TwoBlocksAndAWire(100);
  SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList list;
  list += arc;
  EXPECT_EQ(router.Route(list), 1);
  const std::vector<CPoint> expected = {
      {-244, Down(0, 30)}, {-30, Down(0, 30)}, {-30, Down(0, 130)}, {-8, Down(0, 130)}};
  EXPECT_EQ(PointsOf(arc), expected) << Describe(PointsOf(arc));
  // The source's track: a pin stretch from the port to the corner and half
  // a step on; the destination's: room before the corner stays free.
  EXPECT_EQ(PinsOf(router.GetHorzTrack(107)), (std::vector<Stretch>{{0, 550, 0}, {610, 825, 2}, {825, 1700, 0}}));
  EXPECT_EQ(PinsOf(router.GetHorzTrack(97)), (std::vector<Stretch>{{0, 815, 0}, {815, 840, 2}, {900, 1700, 0}}));
  // The middle leg's track loses the leg and half a step on each side.
  EXPECT_EQ(PinsOf(router.GetVertTrack(82)), (std::vector<Stretch>{{0, 965, 0}, {1075, 2200, 0}}));
  EXPECT_TRUE(router.GetAddedObjects().Find(arc));
}

TEST_P(SegmentRouterOnDiagram, WiresOfOneOutputShareItsPinStretch) {
  left = PlaceBlock(1, CPoint(-300, 0));
  CDrawBlock* sinks[2] = {PlaceBlock(100, CPoint(0, Down(0, 100))), PlaceBlock(100, CPoint(0, Down(0, 200)))};
  CDrawArc* wires[2] = {Wire(PortOf(left, 0), PortOf(sinks[0], 0)), Wire(PortOf(left, 0), PortOf(sinks[1], 0))};
  SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  CDrawList list;
  list += wires[0];
  list += wires[1];
  EXPECT_EQ(router.Route(list), 1);
  for (CDrawArc* wire : wires) {
    const std::vector<CPoint> points = PointsOf(wire);
    ASSERT_EQ(points.size(), 4u) << Describe(points);
    EXPECT_TRUE(Orthogonal(points)) << Describe(points);
    EXPECT_EQ(points.front(), PortOf(left, 0)->ConnectionPoint());
    EXPECT_EQ(points.back(), wire->GetDestInPort()->ConnectionPoint());
  }
  // The second wire starts on the first one's pin stretch, which stays a
  // pin stretch; their vertical legs take different tracks.
  EXPECT_NE(PointsOf(wires[0])[1].x, PointsOf(wires[1])[1].x);
  const std::vector<Stretch> track = PinsOf(router.GetHorzTrack(107));
  ASSERT_GE(track.size(), 2u);
  EXPECT_EQ(track[1], (Stretch{610, 1700, 2}));
}

TEST_P(SegmentRouterOnDiagram, AWireOfFewerThanFourPointsBlocksNoTrack) {
  CDrawArc* arc = TwoBlocksAndAWire(100);
  const CPoint s = PortOf(left, 0)->ConnectionPoint();
  const CPoint d = PortOf(right, 0)->ConnectionPoint();
  CDrawList withoutWire(diagram->GetObjects());
  withoutWire -= arc;
  SegmentArcRouter bare(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(bare.Init(withoutWire), 1);
  struct Case {
    std::vector<CPoint> points;
    bool blocks;
  };
  const Case cases[] = {
      {{s, d}, false},
      {{s, CPoint(d.x, s.y), d}, false},
      {{s, CPoint(-100, s.y), CPoint(-100, d.y), d}, true},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(arc->ReRoute(c.points.data(), static_cast<int>(c.points.size())));
    SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
    ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
    EXPECT_TRUE(router.GetAddedObjects().Find(arc));
    if (!c.blocks) {
      EXPECT_EQ(AllTracks(router), AllTracks(bare)) << Describe(c.points);
      continue;
    }
    // Only the inner leg, on its vertical track, half a step beyond its ends.
    std::vector<std::vector<Stretch>> expected = AllTracks(bare);
    const int column = router.DocToCanvas(CPoint(-100, 0)).x / 10;
    expected[static_cast<size_t>(router.GetHorzTrackCount() + column)] = {{0, 965, 0}, {1075, 2200, 0}};
    EXPECT_EQ(AllTracks(router), expected);
  }
}

TEST_P(SegmentRouterOnDiagram, AWireMarkedOnAnotherWiresLegMakesThatWireAffected) {
  struct Case {
    int secondX;
    bool affected;
  };
  const Case cases[] = {{-100, true}, {-60, false}};
  for (const Case& c : cases) {
    diagram->DeleteContents();
    ASSERT_TRUE(diagram->SetCanvasSize(2, 2));
    doc.ClearUndoStack();
    left = PlaceBlock(1, CPoint(-300, 0));
    CDrawBlock* sinks[2] = {PlaceBlock(100, CPoint(0, Down(0, 100))), PlaceBlock(100, CPoint(0, Down(0, 200)))};
    const CPoint s = PortOf(left, 0)->ConnectionPoint();
    CDrawArc* wires[2] = {Wire(PortOf(left, 0), PortOf(sinks[0], 0)), Wire(PortOf(left, 0), PortOf(sinks[1], 0))};
    const int xs[2] = {-100, c.secondX};
    for (int i = 0; i < 2; ++i) {
      const CPoint d = wires[i]->GetDestInPort()->ConnectionPoint();
      const CPoint shape[] = {s, CPoint(xs[i], s.y), CPoint(xs[i], d.y), d};
      ASSERT_TRUE(wires[i]->ReRoute(shape, 4));
    }
    CDrawList first(diagram->GetObjects());
    first -= wires[1];
    SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
    ASSERT_EQ(router.Init(first), 1);
    router.SetDynamic(1);
    router.BeginChanges();
    router.AddObj(wires[1], 1);
    EXPECT_EQ(router.GetAffectedArcs().Find(wires[0]) != nullptr, c.affected) << c.secondX;
    EXPECT_FALSE(router.GetAffectedArcs().Find(wires[1]));
    router.SetDynamic(0);
    router.EndChanges();
  }
}

TEST_P(SegmentRouterOnDiagram, AWireWithoutAWayKeepsItsShapeAsAnObstacle) {
  // The input sits 5 units past a page boundary, inside the route margins,
  // where no track is made: its pin has no stretch.
  CDrawArc* arc = TwoBlocksAndAWire(-25);
  const CPoint s = PortOf(left, 0)->ConnectionPoint();
  const CPoint d = PortOf(right, 0)->ConnectionPoint();
  ASSERT_EQ(d.y, Down(0, 5));
  const CPoint shape[] = {s, CPoint(-100, s.y), CPoint(-100, d.y), d};
  ASSERT_TRUE(arc->ReRoute(shape, 4));
  SegmentArcRouter router(diagram, &CDiagram::m_autoRouteOption);
  ASSERT_EQ(router.Init(diagram->GetObjects()), 1);
  const int column = router.DocToCanvas(CPoint(-100, 0)).x / 10;
  const int middle = router.DocToCanvas(CPoint(-100, Down(0, 12))).y;
  ASSERT_FALSE(Covered(router.GetVertTrack(column), middle));
  CDrawList list;
  list += arc;
  EXPECT_EQ(router.Route(list), 1);
  EXPECT_EQ(PointsOf(arc), std::vector<CPoint>(shape, shape + 4));
  // Taken out of the model for the pass, it is put back as an obstacle.
  EXPECT_FALSE(Covered(router.GetVertTrack(column), middle));
  EXPECT_TRUE(router.GetAddedObjects().Find(arc));
  EXPECT_EQ(router.Route(arc), 0);
}

TEST_P(SegmentRouterOnDiagram, TheDiagramRoutesWithMethodTwoAsOneUndoStep) {
  CDrawArc* arc = TwoBlocksAndAWire(100);
  const std::vector<CPoint> routed = {
      {-244, Down(0, 30)}, {-30, Down(0, 30)}, {-30, Down(0, 130)}, {-8, Down(0, 130)}};
  {
    std::unique_ptr<CArcRouter> made(diagram->GetNewArcRouter(2));
    ASSERT_TRUE(made && made->IsKindOf(RUNTIME_CLASS(SegmentArcRouter)));
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "SegmentArcRouter");
  }
  // A live router of method 2.
  diagram->SetAutoRouteModeAndMethod(1, 2);
  ASSERT_EQ(diagram->GetAutoRouteMode(), 1u);
  ASSERT_EQ(diagram->GetAutoRouteMethod(), 2u);
  CDrawList wires;
  wires += arc;
  int before = Undos();
  EXPECT_EQ(diagram->RouteArcs(wires, 1), 1);
  EXPECT_EQ(PointsOf(arc), routed) << Describe(PointsOf(arc));
  EXPECT_EQ(Undos(), before + 1);
  EXPECT_STREQ(CStringA(doc.GetNextUndoCmdName()).GetString(), "Routing Arcs");
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_EQ(PointsOf(arc).size(), 2u);

  // A one-off run with the manual method 2 and no live router.
  diagram->SetAutoRouteModeAndMethod(0, 0);
  const UINT savedMethod = CDiagram::m_nManualRouteMethod;
  const int savedWhat = CDiagram::m_nRouteWhat;
  CDiagram::m_nManualRouteMethod = 2;
  CDiagram::m_nRouteWhat = 0;
  before = Undos();
  EXPECT_EQ(diagram->RouteArcs(CDrawList(), 0), 1);
  EXPECT_EQ(PointsOf(arc), routed) << Describe(PointsOf(arc));
  EXPECT_EQ(Undos(), before + 1);
  EXPECT_EQ(doc.GetUndoLevel(), 0u);
  CDiagram::m_nManualRouteMethod = savedMethod;
  CDiagram::m_nRouteWhat = savedWhat;

  // Dynamic: moving the input's block routes the wire again.
  diagram->SetAutoRouteModeAndMethod(2, 2);
  ASSERT_EQ(diagram->GetAutoRouteMode(), 2u);
  before = Undos();
  ASSERT_TRUE(doc.BeginUndoRecording(u"Move", 255));
  diagram->BeginDynamicRouteChanges();
  right->MoveBy(CPoint(0, Down(0, 150)), TRUE);
  diagram->EndDynamicRouteChanges();
  doc.EndUndoRecording();
  EXPECT_EQ(Undos(), before + 1);
  const std::vector<CPoint> moved = PointsOf(arc);
  EXPECT_TRUE(Orthogonal(moved)) << Describe(moved);
  EXPECT_EQ(moved.front(), PortOf(left, 0)->ConnectionPoint());
  EXPECT_EQ(moved.back(), PortOf(right, 0)->ConnectionPoint());
  EXPECT_EQ(moved.back().y, Down(0, 280));
}

struct AdjustCase {
  CPoint s, d;
  int sourceVertical, destinationVertical;
  std::vector<CPoint> points;
};

TEST_P(SegmentRouterOnDiagram, KeepingTheTrackIndexBetweenWiresLaysEveryWireAlike) {
  // Blocks in a grid with random wires between them, routed twice in a row
  // (the second pass re-lays every wire over the tracks the first one cut),
  // by a router that keeps its index of the unchanged tracks and by one that
  // makes it for each wire.
  std::mt19937 random(2024);
  std::vector<CDrawBlock*> blocks;
  for (int i = 0; i < 12; ++i) {
    const CPoint at(-600 + (i % 4) * 300 + static_cast<int>(random() % 40), Down(300 - (i / 4) * 250, 0));
    blocks.push_back(PlaceBlock(404, at));
    ASSERT_TRUE(blocks.back());
  }
  std::vector<CDrawArc*> wires;
  for (int w = 0; w < 24; ++w) {
    CDrawBlock* from = blocks[random() % blocks.size()];
    CDrawBlock* to = blocks[random() % blocks.size()];
    if (from == to) continue;
    CDrawArc* arc = Wire(PortOf(from, 4 + static_cast<int>(random() % 4)), PortOf(to, static_cast<int>(random() % 4)));
    if (arc) wires.push_back(arc);
  }
  std::vector<std::vector<CPoint>> straight;
  for (CDrawArc* arc : wires) straight.push_back(PointsOf(arc));
  CDrawList list;
  for (CDrawArc* arc : wires) list += arc;
  std::vector<std::vector<std::vector<CPoint>>> laid;
  for (const bool keep : {true, false}) {
    for (size_t i = 0; i < wires.size(); ++i)
      wires[i]->ReRoute(straight[i].data(), static_cast<int>(straight[i].size()));
    OpenRouter router(diagram, &CDiagram::m_autoRouteOption);
    router.KeepSearchIndex(keep);
    CDrawList obstacles(diagram->GetObjects());
    obstacles -= list;
    ASSERT_EQ(router.Init(obstacles), 1);
    std::vector<std::vector<CPoint>> points;
    for (int pass = 0; pass < 2; ++pass) {
      ASSERT_EQ(router.Route(list), 1);
      for (CDrawArc* arc : wires) points.push_back(PointsOf(arc));
    }
    laid.push_back(points);
  }
  EXPECT_EQ(laid[0], laid[1]);
  // The wires were laid, not left as they were.
  size_t changed = 0;
  for (size_t i = 0; i < wires.size(); ++i) changed += laid[0][i] != straight[i] ? 1 : 0;
  EXPECT_GT(changed, wires.size() / 2);
}

TEST(SegmentRouterTwoPoints, StraightZOrLByThePortsDirections) {
  const AdjustCase cases[] = {
      {{0, 0}, {100, 0}, 0, 0, {{0, 0}, {100, 0}}},
      {{0, 0}, {0, 100}, 1, 0, {{0, 0}, {0, 100}}},
      {{0, 0}, {100, 30}, 0, 0, {{0, 0}, {50, 0}, {50, 30}, {100, 30}}},
      {{0, 0}, {100, 30}, 1, 1, {{0, 0}, {0, 15}, {100, 15}, {100, 30}}},
      {{0, 0}, {100, 30}, 0, 1, {{0, 0}, {100, 0}, {100, 30}}},
      {{0, 0}, {100, 30}, 1, 0, {{0, 0}, {0, 30}, {100, 30}}},
      // The middle is truncated toward zero.
      {{-5, 0}, {-10, 7}, 0, 0, {{-5, 0}, {-7, 0}, {-7, 7}, {-10, 7}}},
      {{0, -3}, {10, -8}, 1, 1, {{0, -3}, {0, -5}, {10, -5}, {10, -8}}},
  };
  for (const AdjustCase& c : cases) {
    WrapperCDrawArc wrapper(nullptr);
    wrapper.AddPoint(c.s);
    wrapper.AddPoint(c.d);
    OpenRouter::DoFinalTwoPointAdjustment(&wrapper, c.sourceVertical, c.destinationVertical);
    std::vector<CPoint> points(static_cast<size_t>(wrapper.GetNumberOfPoints()));
    wrapper.GetArrayOfPoints(points.data());
    EXPECT_EQ(points, c.points) << Describe(c.points);
  }
}

INSTANTIATE_TEST_SUITE_P(BothDirections, SegmentRouterOnDiagram, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Upward") : std::string("Downward");
                         });

}  // namespace
