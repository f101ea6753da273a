// The goal-directed search of the cell grid against the plain waves: on
// random grids with random obstacles and pins, a run of wires (one target
// each, and nets of several targets in shared-path mode) gives the same ways
// and leaves the same passages whichever search lays them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "diagram/routing/Route.h"

namespace {

using Path = std::vector<CPoint>;

struct Pin {
  CPoint cell;
  PreferredDirection direction;
};

// Lays one wire (or net) and returns its paths, target end first.
std::vector<Path> Lay(ROUTE& grid, const std::vector<Pin>& pins, const std::vector<Path>& laid) {
  D_ARRAY<CPoint> cells(static_cast<int>(pins.size()));
  D_ARRAY<PreferredDirection> directions(static_cast<int>(pins.size()));
  for (size_t i = 0; i < pins.size(); ++i) {
    cells[static_cast<int>(i)] = pins[i].cell;
    directions[static_cast<int>(i)] = pins[i].direction;
  }
  CPtrList paths(10);
  for (const Path& path : laid) {
    auto* list = new CPointList(10);
    for (CPoint cell : path) list->AddTail(cell);
    paths.AddTail(list);
  }
  grid.addWire(cells, directions, &paths);
  std::vector<Path> found;
  while (!paths.IsEmpty()) {
    auto* list = static_cast<CPointList*>(paths.RemoveHead());
    Path path;
    for (POSITION pos = list->GetHeadPosition(); pos;) path.push_back(list->GetNext(pos));
    found.push_back(path);
    delete list;
  }
  return found;
}

std::string Text(const std::vector<Path>& paths) {
  std::string out;
  for (const Path& path : paths) {
    out += "[";
    for (const CPoint& p : path) out += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    out += "]";
  }
  return out;
}

// The same random grid built twice, one searched goal-directed and one with
// plain waves, then the same wires laid on both.
void CompareOnRandomGrid(uint32_t seed, bool shared) {
  std::mt19937 rng(seed);
  auto draw = [&rng](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
  const int columns = 8 + draw(50);
  const int rows = 8 + draw(40);
  ROUTE fast;
  ROUTE plain;
  ASSERT_EQ(fast.Init(columns, rows), 1);
  ASSERT_EQ(plain.Init(columns, rows), 1);
  plain.SetGoalDirected(false);
  fast.m_bOneWave = shared ? 0 : 1;
  plain.m_bOneWave = fast.m_bOneWave;
  // Blocks, lines and holes, the same on both grids.
  const int obstacles = draw(12);
  for (int i = 0; i < obstacles; ++i) {
    const int kind = draw(4);
    const int x = draw(columns), y = draw(rows), w = 1 + draw(columns / 3 + 1), h = 1 + draw(rows / 3 + 1);
    for (ROUTE* grid : {&fast, &plain}) {
      if (kind == 0 || kind == 3) grid->addBadRect(x, y, x + w, y + h);
      if (kind == 1) grid->addBadHLine(y, x, x + w);
      if (kind == 2) grid->addBadVLine(x, y, y + h);
      if (kind == 3) grid->addGoodRect(x + 1, y + 1, x + w / 2, y + h / 2);
    }
  }
  auto pin = [&]() {
    return Pin{CPoint(1 + draw(columns - 2), 1 + draw(rows - 2)), static_cast<PreferredDirection>(1 + draw(4))};
  };
  const int wires = 1 + draw(8);
  Pin lastSource = pin();
  std::vector<Path> lastPaths;
  for (int w = 0; w < wires; ++w) {
    // In shared-path mode a net may add wires to the source of the one
    // before, starting from the ways laid for it.
    const bool again = shared && w > 0 && draw(2) == 0;
    std::vector<Pin> pins{again ? lastSource : pin()};
    const int targets = shared ? 1 + draw(4) : 1;
    for (int t = 0; t < targets; ++t) pins.push_back(pin());
    const std::vector<Path> laid = again ? lastPaths : std::vector<Path>();
    const std::vector<Path> a = Lay(fast, pins, laid);
    const std::vector<Path> b = Lay(plain, pins, laid);
    ASSERT_EQ(Text(a), Text(b)) << "seed " << seed << " wire " << w;
    lastSource = pins.front();
    lastPaths = a;
    ASSERT_TRUE(fast.SearchFlagsTracked()) << "seed " << seed;
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < columns; ++x) {
        ASSERT_EQ(fast(x, y).bits & (CELL::kPassages | CELL::kBorder),
                  plain(x, y).bits & (CELL::kPassages | CELL::kBorder))
            << "seed " << seed << " wire " << w << " cell " << x << "," << y;
      }
    }
  }
}

TEST(RouteGoalDirectedTest, OneTargetGetsTheWayOfThePlainWaves) {
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    CompareOnRandomGrid(seed, false);
    if (HasFatalFailure()) return;
  }
}

TEST(RouteGoalDirectedTest, SharedPathNetsGetTheWaysOfThePlainWaves) {
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    CompareOnRandomGrid(seed, true);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
