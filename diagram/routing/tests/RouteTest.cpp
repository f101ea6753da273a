#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/routing/Route.h"

namespace {

// A grid drawn in text: '#' is a blocked cell, anything else free. The
// outermost ring becomes the border whatever it shows.
void Load(ROUTE& grid, const std::vector<std::string>& rows) {
  ASSERT_EQ(grid.Init(static_cast<int>(rows[0].size()), static_cast<int>(rows.size())), 1);
  for (int y = 0; y < grid.Rows(); ++y) {
    for (int x = 0; x < grid.Columns(); ++x) {
      if (rows[y][x] == '#') grid.addBadPoint(CPoint(x, y));
    }
  }
}

struct Pin {
  CPoint cell;
  PreferredDirection direction;
};

// Runs one search and returns the corner lists it appended (owned here).
struct Search {
  CPtrList paths;
  int found = 0;
  ~Search() {
    while (!paths.IsEmpty()) delete static_cast<CPointList*>(paths.RemoveHead());
  }
  void Run(ROUTE& grid, const std::vector<Pin>& pins) {
    D_ARRAY<CPoint> cells(static_cast<int>(pins.size()));
    D_ARRAY<PreferredDirection> directions(static_cast<int>(pins.size()));
    for (size_t i = 0; i < pins.size(); ++i) {
      cells[static_cast<int>(i)] = pins[i].cell;
      directions[static_cast<int>(i)] = pins[i].direction;
    }
    found = grid.addWire(cells, directions, &paths);
  }
  std::vector<std::pair<int, int>> Corners(int index) const {
    std::vector<std::pair<int, int>> corners;
    auto* path = static_cast<CPointList*>(paths.GetAt(paths.FindIndex(index)));
    for (POSITION pos = path->GetHeadPosition(); pos;) {
      const CPoint& p = path->GetNext(pos);
      corners.emplace_back(p.x, p.y);
    }
    return corners;
  }
};

using Corners = std::vector<std::pair<int, int>>;

const std::vector<std::string> kOpen = {
    "............", "............", "............", "............",
    "............", "............", "............", "............",
};

TEST(RouteGridTest, InitMarksTheBorderRingAndOpensTheInside) {
  ROUTE grid;
  ASSERT_EQ(grid.Init(4, 3), 1);
  EXPECT_EQ(grid(0, 0).bits, CELL::kBorder);
  EXPECT_EQ(grid(3, 1).bits, CELL::kBorder);
  EXPECT_EQ(grid(1, 1).bits, CELL::kPassages);
  EXPECT_EQ(grid(2, 1).bits, CELL::kPassages);
  // Freeing never opens the border; marking outside the grid does nothing.
  grid.addGoodRect(-5, -5, 10, 10);
  EXPECT_EQ(grid(0, 0).bits, CELL::kBorder);
  grid.addBadRect(10, 10, 20, 20);
  EXPECT_EQ(grid(2, 1).bits, CELL::kPassages);
  grid.addBadHLine(1, 2, 1);
  EXPECT_EQ(grid(1, 1).bits, CELL::kVert);
  EXPECT_EQ(grid(2, 1).bits, CELL::kVert);
  grid.addGoodHLine(1, 1, 2);
  EXPECT_EQ(grid(1, 1).bits, CELL::kPassages);
}

TEST(RouteGridTest, AGridTooLargeToIndexIsRefused) {
  ROUTE grid;
  EXPECT_EQ(grid.Init(70000, 70000), 0);
  EXPECT_EQ(grid.Columns(), 0);
  EXPECT_EQ(grid.Rows(), 0);
  EXPECT_EQ(grid.Init(0, 5), 0);
}

TEST(RouteGridTest, PreferredDirSteps) {
  EXPECT_EQ(ROUTE::PreferredDir(kPrefLeft), CPoint(-1, 0));
  EXPECT_EQ(ROUTE::PreferredDir(kPrefRight), CPoint(1, 0));
  EXPECT_EQ(ROUTE::PreferredDir(kPrefUp), CPoint(0, -1));
  EXPECT_EQ(ROUTE::PreferredDir(kPrefDown), CPoint(0, 1));
  EXPECT_EQ(ROUTE::PreferredDir(7), CPoint(0, 0));
}

struct WireCase {
  const char* name;
  std::vector<std::string> grid;
  std::vector<Pin> pins;
  int found;
  Corners corners;  // of the first path, target first
};

class RouteWireTest : public ::testing::TestWithParam<WireCase> {};

TEST_P(RouteWireTest, FindsTheExpectedCorners) {
  const WireCase& c = GetParam();
  ROUTE grid;
  Load(grid, c.grid);
  Search search;
  search.Run(grid, c.pins);
  EXPECT_TRUE(grid.SearchFlagsTracked());
  ASSERT_EQ(search.found, c.found);
  if (c.found > 0) {
    EXPECT_EQ(search.Corners(0), c.corners);
  }
  // The pins of a search are obstacles for the wires after this one.
  if (c.found > 0) {
    for (const Pin& pin : c.pins) {
      if (grid.Contains(pin.cell)) {
        EXPECT_FALSE(grid(pin.cell.x, pin.cell.y).Has(CELL::kPassages));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, RouteWireTest,
    ::testing::Values(
        WireCase{"Straight", kOpen, {{CPoint(2, 3), kPrefRight}, {CPoint(8, 3), kPrefLeft}}, 1, {{8, 3}, {2, 3}}},
        WireCase{"LShape", kOpen, {{CPoint(2, 1), kPrefRight}, {CPoint(7, 5), kPrefUp}}, 1, {{7, 5}, {7, 1}, {2, 1}}},
        WireCase{"AroundAWall",
                 {
                     "............",
                     "......#.....",
                     "......#.....",
                     "......#.....",
                     "......#.....",
                     "............",
                     "............",
                     "............",
                 },
                 {{CPoint(2, 3), kPrefRight}, {CPoint(9, 3), kPrefLeft}},
                 1,
                 {{9, 3}, {7, 3}, {7, 5}, {2, 5}, {2, 3}}},
        WireCase{"BoxedInSourceLeavesThroughItsCorridor",
                 {
                     "............",
                     ".#####......",
                     ".#####......",
                     ".#####......",
                     ".#####......",
                     "............",
                     "............",
                     "............",
                 },
                 {{CPoint(3, 3), kPrefRight}, {CPoint(9, 3), kPrefLeft}},
                 1,
                 {{9, 3}, {3, 3}}},
        WireCase{"WalledOffTargetIsNotReached",
                 {
                     "............",
                     "..........#.",
                     ".........#..",
                     ".........#..",
                     ".........#..",
                     "..........#.",
                     "............",
                     "............",
                 },
                 // Both pins face away, so no tunnel runs through the wall.
                 {{CPoint(2, 3), kPrefLeft}, {CPoint(10, 3), kPrefRight}},
                 0,
                 {}},
        // The waves die out inside the ring: the source steps through the
        // wall in its direction and the search goes on from beyond it.
        WireCase{"SourceTunnelsOutOfItsRing",
                 {
                     "............",
                     "............",
                     "..#####.....",
                     "..#...#.....",
                     "..#...#.....",
                     "..#...#.....",
                     "..#####.....",
                     "............",
                 },
                 {{CPoint(4, 4), kPrefRight}, {CPoint(9, 4), kPrefLeft}},
                 1,
                 {{9, 4}, {4, 4}}},
        // The source faces the border, so its tunnel ends there; the target
        // then steps out of its ring to the expanded cells.
        WireCase{"TargetTunnelsOutOfItsRingWhenTheSourceCannot",
                 {
                     "..............",
                     "..............",
                     ".......#####..",
                     ".......#...#..",
                     ".......#...#..",
                     ".......#...#..",
                     ".......#####..",
                     "..............",
                 },
                 {{CPoint(3, 4), kPrefLeft}, {CPoint(9, 4), kPrefLeft}},
                 1,
                 {{9, 4}, {3, 4}}},
        WireCase{"PinLeftOfTheGridIsDropped", kOpen, {{CPoint(-1, 3), kPrefRight}, {CPoint(8, 3), kPrefLeft}}, 0, {}},
        // Without its source a search has nowhere to start from, however
        // many targets lie on the grid.
        WireCase{"SourceOffTheGridFindsNothing",
                 kOpen,
                 {{CPoint(-1, 3), kPrefRight}, {CPoint(5, 3), kPrefLeft}, {CPoint(8, 5), kPrefLeft}},
                 0,
                 {}},
        WireCase{"PinAboveTheGridIsDropped", kOpen, {{CPoint(2, 3), kPrefRight}, {CPoint(8, -2), kPrefDown}}, 0, {}}),
    [](const ::testing::TestParamInfo<WireCase>& info) { return std::string(info.param.name); });

TEST(RouteWireTest, ASecondWireCrossesTheFirstAtARightAngle) {
  ROUTE grid;
  Load(grid, kOpen);
  Search first;
  first.Run(grid, {{CPoint(1, 3), kPrefRight}, {CPoint(10, 3), kPrefLeft}});
  ASSERT_EQ(first.found, 1);
  Search second;
  second.Run(grid, {{CPoint(5, 1), kPrefDown}, {CPoint(5, 6), kPrefUp}});
  ASSERT_EQ(second.found, 1);
  EXPECT_EQ(second.Corners(0), (Corners{{5, 6}, {5, 1}}));
}

TEST(RouteWireTest, ASecondWireMayNotRunAlongTheFirst) {
  // One free row only: the second wire would have to share it. Its pins face
  // the border, so no tunnel opens a way either.
  const std::vector<std::string> corridor = {
      "............",
      "............",
      "............",
  };
  ROUTE grid;
  Load(grid, corridor);
  Search first;
  first.Run(grid, {{CPoint(3, 1), kPrefRight}, {CPoint(6, 1), kPrefLeft}});
  ASSERT_EQ(first.found, 1);
  Search second;
  second.Run(grid, {{CPoint(1, 1), kPrefDown}, {CPoint(10, 1), kPrefDown}});
  EXPECT_EQ(second.found, 0);
}

TEST(RouteWireTest, SharedPathModeReachesAnEarlierPath) {
  ROUTE grid;
  grid.m_bOneWave = 0;
  Load(grid, kOpen);
  Search search;
  search.Run(grid, {{CPoint(2, 5), kPrefRight}, {CPoint(9, 5), kPrefLeft}});
  ASSERT_EQ(search.found, 1);
  EXPECT_EQ(search.Corners(0), (Corners{{9, 5}, {2, 5}}));
  // The next target joins the first way at the nearest of its cells and
  // follows it back to the source.
  D_ARRAY<CPoint> cells(2);
  D_ARRAY<PreferredDirection> directions(2);
  cells[0] = CPoint(2, 5);
  directions[0] = kPrefRight;
  cells[1] = CPoint(7, 2);
  directions[1] = kPrefDown;
  ASSERT_EQ(grid.addWire(cells, directions, &search.paths), 1);
  EXPECT_TRUE(grid.SearchFlagsTracked());
  EXPECT_EQ(search.Corners(1), (Corners{{7, 2}, {7, 5}, {2, 5}}));
}

TEST(RouteWireTest, MarkSourcePathTurnsAStretchIntoSources) {
  ROUTE grid;
  Load(grid, kOpen);
  CPointList path(10);
  CPoint a(8, 2);
  CPoint b(3, 2);
  path.AddTail(a);  // target end
  path.AddTail(b);  // source end
  CPointList sources(10);
  grid.markSourcePath(&path, sources);
  EXPECT_EQ(sources.GetCount(), 5);
  for (int x = 4; x <= 8; ++x) {
    const CELL& cell = grid(x, 2);
    EXPECT_TRUE(cell.Has(CELL::kSourceSet));
    EXPECT_TRUE(cell.Has(CELL::kFromLeft)) << x;
    EXPECT_FALSE(cell.Has(CELL::kHorz));
    EXPECT_TRUE(cell.Has(CELL::kVert));
  }
  EXPECT_FALSE(grid(3, 2).Has(CELL::kSourceSet));
}

}  // namespace
