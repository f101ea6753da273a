#include "diagram/routing/Route.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace {

// The orientation a move along an offset uses.
uint16_t PassageOf(const CPoint& step) { return step.x != 0 ? CELL::kHorz : CELL::kVert; }

uint16_t PassageOfDirection(int direction) {
  return (direction == kPrefLeft || direction == kPrefRight) ? CELL::kHorz : CELL::kVert;
}

// The back pointer a cell gets when it is reached from the neighbour at
// offset `from` (relative to the cell).
uint16_t BackPointerFrom(const CPoint& from) {
  if (from.x < 0) return CELL::kFromLeft;
  if (from.x > 0) return CELL::kFromRight;
  if (from.y < 0) return CELL::kFromAbove;
  return CELL::kFromBelow;
}

// The offset to the neighbour a back pointer names.
CPoint OffsetOf(uint16_t backPointer) {
  switch (backPointer) {
    case CELL::kFromLeft:
      return CPoint(-1, 0);
    case CELL::kFromAbove:
      return CPoint(0, -1);
    case CELL::kFromRight:
      return CPoint(1, 0);
    default:
      return CPoint(0, 1);
  }
}

const CPoint kNeighbours[4] = {CPoint(-1, 0), CPoint(1, 0), CPoint(0, -1), CPoint(0, 1)};

}  // namespace

ROUTE::~ROUTE() { Reset(); }

void ROUTE::Reset() {
  m_touched.clear();
  std::vector<uint8_t>().swap(m_monotone);
  delete[] m_slots;
  delete[] m_rowStarts;
  m_slots = nullptr;
  m_rowStarts = nullptr;
  m_nColumns = 0;
  m_nRows = 0;
}

int ROUTE::Init(int columns, int rows) {
  Reset();
  if (columns <= 0 || rows <= 0) return 0;
  const int64_t count = static_cast<int64_t>(columns) * rows;
  // Row starts are 32-bit indexes.
  if (count > INT_MAX) return 0;
  Slot* slots = new (std::nothrow) Slot[static_cast<size_t>(count)];
  int* starts = new (std::nothrow) int[static_cast<size_t>(rows)];
  if (!slots || !starts) {
    delete[] slots;
    delete[] starts;
    return 0;
  }
  m_slots = slots;
  m_rowStarts = starts;
  m_nColumns = columns;
  m_nRows = rows;
  for (int y = 0; y < rows; ++y) m_rowStarts[y] = y * columns;
  for (int64_t i = 0; i < count; ++i) m_slots[i] = Slot{CELL{CELL::kPassages}, kNoDistance};
  for (int x = 0; x < columns; ++x) {
    (*this)(x, 0).bits = CELL::kBorder;
    (*this)(x, rows - 1).bits = CELL::kBorder;
  }
  for (int y = 0; y < rows; ++y) {
    (*this)(0, y).bits = CELL::kBorder;
    (*this)(columns - 1, y).bits = CELL::kBorder;
  }
  return 1;
}

void ROUTE::ClearTouched(uint16_t mask, bool keepSourceSet) {
  size_t kept = 0;
  for (int index : m_touched) {
    // Every cell with a distance is on the list: the distances of a search
    // go with its flags.
    m_slots[index].distance = kNoDistance;
    CELL& cell = m_slots[index].cell;
    if (!(keepSourceSet && cell.Has(CELL::kSourceSet))) cell.Clear(mask);
    if (cell.Has(CELL::kScratch)) m_touched[kept++] = index;
  }
  m_touched.resize(kept);
}

bool ROUTE::SearchFlagsTracked() const {
  std::vector<bool> listed(static_cast<size_t>(m_nColumns) * static_cast<size_t>(m_nRows), false);
  for (int index : m_touched) listed[static_cast<size_t>(index)] = true;
  for (size_t i = 0; i < listed.size(); ++i) {
    if (!listed[i] && m_slots[i].cell.Has(CELL::kScratch)) return false;
  }
  return true;
}

CPoint ROUTE::PreferredDir(int direction) {
  switch (direction) {
    case kPrefLeft:
      return CPoint(-1, 0);
    case kPrefRight:
      return CPoint(1, 0);
    case kPrefUp:
      return CPoint(0, -1);
    case kPrefDown:
      return CPoint(0, 1);
    default:
      return CPoint(0, 0);
  }
}

bool ROUTE::ClipRect(int& x1, int& y1, int& x2, int& y2) const {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 < 0 || y2 < 0 || x1 >= m_nColumns || y1 >= m_nRows) return false;
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, m_nColumns - 1);
  y2 = std::min(y2, m_nRows - 1);
  return true;
}

void ROUTE::SetRect(int x1, int y1, int x2, int y2, uint16_t mask, bool good) {
  if (!ClipRect(x1, y1, x2, y2)) return;
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) {
      CELL& cell = (*this)(x, y);
      if (!good) {
        cell.Clear(mask);
      } else if (!cell.Has(CELL::kBorder)) {
        cell.Set(mask);
      }
    }
  }
}

void ROUTE::addBadPoint(CPoint cell) { SetRect(cell.x, cell.y, cell.x, cell.y, CELL::kPassages, false); }
void ROUTE::addGoodPoint(CPoint cell) { SetRect(cell.x, cell.y, cell.x, cell.y, CELL::kPassages, true); }
void ROUTE::addBadRect(int x1, int y1, int x2, int y2) { SetRect(x1, y1, x2, y2, CELL::kPassages, false); }
void ROUTE::addGoodRect(int x1, int y1, int x2, int y2) { SetRect(x1, y1, x2, y2, CELL::kPassages, true); }
void ROUTE::addBadHLine(int row, int x1, int x2) { SetRect(x1, row, x2, row, CELL::kHorz, false); }
void ROUTE::addBadVLine(int column, int y1, int y2) { SetRect(column, y1, column, y2, CELL::kVert, false); }
void ROUTE::addGoodHLine(int row, int x1, int x2) { SetRect(x1, row, x2, row, CELL::kHorz, true); }
void ROUTE::addGoodVLine(int column, int y1, int y2) { SetRect(column, y1, column, y2, CELL::kVert, true); }

bool ROUTE::MayTunnelThrough(const CPoint&, const CPoint&) { return true; }

// A pin inside a blocked area gets a corridor in its own direction out to
// the first passable cell. A corridor that would run into the border, or
// through a cell the router refuses, is not opened.
void ROUTE::OpenExitCorridor(CPoint pin, int direction, uint16_t pinFlag) {
  const CPoint step = PreferredDir(direction);
  if (step.x == 0 && step.y == 0) return;
  const uint16_t passage = PassageOfDirection(direction);
  CPoint p(pin.x + step.x, pin.y + step.y);
  while (true) {
    if (!Contains(p)) return;
    const CELL& cell = (*this)(p.x, p.y);
    if (cell.Has(CELL::kBorder)) return;
    if (cell.Has(CELL::kPassages)) break;
    if (!MayTunnelThrough(p, pin)) return;
    p.Offset(step.x, step.y);
  }
  while (!(*this)(p.x, p.y).Has(pinFlag)) {
    (*this)(p.x, p.y).Set(passage);
    p.Offset(-step.x, -step.y);
  }
}

void ROUTE::Seed(CPointList& sources, Wave& wave) {
  for (POSITION pos = sources.GetHeadPosition(); pos;) {
    const CPoint s = sources.GetNext(pos);
    Touch(s.x, s.y);
    CELL& cell = (*this)(s.x, s.y);
    cell.Set(CELL::kExpanded | CELL::kSourceSet);
    cell.Clear(CELL::kTarget);
    for (const CPoint& d : kNeighbours) {
      CPoint n(s.x + d.x, s.y + d.y);
      if (!Contains(n)) continue;
      CELL& next = (*this)(n.x, n.y);
      if (!next.Has(PassageOf(d)) || next.Has(CELL::kSourceSet)) continue;
      Touch(n.x, n.y);
      next.Set(BackPointerFrom(CPoint(-d.x, -d.y)));
      if (!next.Has(CELL::kQueued)) {
        wave.push_back(n);
        next.Set(CELL::kExpanded | CELL::kQueued);
      }
    }
  }
}

void ROUTE::Expand(const Wave& wave, Wave& next) {
  next.clear();
  for (const CPoint& c : wave) {
    const CELL& cell = (*this)(c.x, c.y);
    for (const CPoint& d : kNeighbours) {
      const uint16_t passage = PassageOf(d);
      if (!cell.Has(passage)) continue;
      CPoint n(c.x + d.x, c.y + d.y);
      if (!Contains(n)) continue;
      CELL& neighbour = (*this)(n.x, n.y);
      if (!neighbour.Has(passage) || neighbour.Has(CELL::kExpanded)) continue;
      Touch(n.x, n.y);
      neighbour.Set(BackPointerFrom(CPoint(-d.x, -d.y)));
      if (!neighbour.Has(CELL::kQueued)) {
        next.push_back(n);
        neighbour.Set(CELL::kQueued);
      }
    }
  }
}

// Steps from the source pin in its direction past the cells already
// expanded or blocked; the first open cell joins the wave, linked back to
// the pin through the blocked cells. False when the border, or a blocked
// cell the router refuses, is reached first.
bool ROUTE::TunnelFromSource(CPoint source, int direction, Wave& wave) {
  const CPoint step = PreferredDir(direction);
  if (step.x == 0 && step.y == 0) return false;
  CPoint p(source.x + step.x, source.y + step.y);
  while (true) {
    if (!Contains(p)) return false;
    const CELL& cell = (*this)(p.x, p.y);
    if (cell.Has(CELL::kBorder)) return false;
    if (!cell.Has(CELL::kExpanded) && cell.Has(CELL::kPassages)) break;
    if (!cell.Has(CELL::kPassages) && !MayTunnelThrough(p, source)) return false;
    p.Offset(step.x, step.y);
  }
  const uint16_t towardPin = BackPointerFrom(CPoint(-step.x, -step.y));
  Touch(p.x, p.y);
  CELL& found = (*this)(p.x, p.y);
  found.Set(CELL::kExpanded | CELL::kQueued | towardPin);
  wave.push_back(p);
  for (CPoint q(p.x - step.x, p.y - step.y); Contains(q) && !(*this)(q.x, q.y).Has(CELL::kPassages);
       q.Offset(-step.x, -step.y)) {
    Touch(q.x, q.y);
    (*this)(q.x, q.y).Set(towardPin);
  }
  return true;
}

// Links an unreached target to the expanded area straight along its
// direction, when that area lies in that direction before the border and
// before any blocked cell the router refuses.
void ROUTE::TunnelFromTarget(CPoint target, int direction) {
  const CPoint step = PreferredDir(direction);
  if (step.x == 0 && step.y == 0) return;
  CPoint p(target.x + step.x, target.y + step.y);
  while (true) {
    if (!Contains(p)) return;
    const CELL& cell = (*this)(p.x, p.y);
    if (cell.Has(CELL::kBorder)) return;
    if (cell.Has(CELL::kExpanded) && cell.Has(CELL::kPassages)) break;
    if (!cell.Has(CELL::kPassages) && !MayTunnelThrough(p, target)) return;
    p.Offset(step.x, step.y);
  }
  if ((*this)(p.x, p.y).Has(CELL::kTarget)) return;
  const uint16_t awayFromTarget = BackPointerFrom(step);
  for (CPoint q(p.x - step.x, p.y - step.y);; q.Offset(-step.x, -step.y)) {
    Touch(q.x, q.y);
    (*this)(q.x, q.y).Set(awayFromTarget);
    if (q.x == target.x && q.y == target.y) break;
  }
}

int ROUTE::addWire(D_ARRAY<CPoint>& pins, D_ARRAY<PreferredDirection>& directions, CPtrList* paths) {
  // Every way starts at the source: without it there is nothing to search
  // (a target must not stand in for it).
  if (pins.count() < 1 || !Contains(pins[0])) return 0;
  for (int i = pins.count() - 1; i >= 1; --i) {
    if (!Contains(pins[i])) {
      pins.remove(i, 1);
      if (i < directions.count()) directions.remove(i, 1);
    }
  }
  if (pins.count() < 2 || directions.count() < pins.count()) return 0;
  const int before = static_cast<int>(paths->GetCount());

  // Every flag of the last search goes: the first phase then starts on a
  // clean grid, the pins and sources set up below being all it sees.
  ClearTouched(CELL::kScratch, false);

  const CPoint source = pins[0];
  const int sourceDir = directions[0];
  Touch(source.x, source.y);
  CELL& sourceCell = (*this)(source.x, source.y);
  sourceCell.Clear(CELL::kBackPointers | CELL::kExpanded | CELL::kQueued);
  sourceCell.Set(PassageOfDirection(sourceDir) | CELL::kSourcePin | CELL::kSourceSet);
  CPointList sources(10);
  sources.AddTail(const_cast<CPoint&>(source));
  const bool hadPaths = !paths->IsEmpty();
  if (!m_bOneWave) {
    for (POSITION pos = paths->GetHeadPosition(); pos;)
      markSourcePath(static_cast<CPointList*>(paths->GetNext(pos)), sources);
  }

  const int targets = pins.count() - 1;
  for (int t = 1; t <= targets; ++t) {
    Touch(pins[t].x, pins[t].y);
    (*this)(pins[t].x, pins[t].y).Set(CELL::kTarget | PassageOfDirection(directions[t]));
  }

  if (m_bOneWave || !hadPaths) OpenExitCorridor(source, sourceDir, CELL::kSourcePin);
  for (int t = 1; t <= targets; ++t) OpenExitCorridor(pins[t], directions[t], CELL::kTarget);

  std::vector<bool> reached(static_cast<size_t>(targets) + 1, false);
  int left = targets;
  auto reach = [&](const CPoint& c) -> bool {
    // A path from the first unreached target lying on this cell.
    for (int t = 1; t <= targets; ++t) {
      if (reached[t] || pins[t].x != c.x || pins[t].y != c.y) continue;
      reached[t] = true;
      --left;
      if (CPointList* path = produce_path(sources, directions[t], c)) paths->AddTail(path);
      return true;
    }
    return false;
  };

  const int phases = m_bOneWave ? 1 : targets;
  // A phase that ends at the first target it reaches can run goal-directed;
  // one that must reach several targets in one wave cannot (each target
  // reached changes the grid for the rest of the wave).
  const bool goalDirected = m_bGoalDirected && (!m_bOneWave || targets == 1);
  bool borderReached = false;
  for (int phase = 0; phase < phases && left > 0 && !borderReached; ++phase) {
    const int goal = m_bOneWave ? 0 : left - 1;
    if (phase > 0) ClearTouched(CELL::kBackPointers | CELL::kExpanded | CELL::kQueued, true);
    Wave waveA;
    Wave waveB;
    bool seeded = false;
    if (goalDirected) {
      std::vector<CPoint> goals;
      for (int t = 1; t <= targets; ++t) {
        if (!reached[t]) goals.push_back(pins[t]);
      }
      CPoint hit = goals.empty() ? CPoint(0, 0) : goals.front();
      int hitDirection = 0;
      for (int t = 1; t <= targets && !hitDirection; ++t) {
        if (!reached[t]) hitDirection = directions[t];
      }
      const PhaseEnd end = goals.size() == 1 && sources.GetCount() == 1 && MonotoneWay(source, hit, hitDirection)
                               ? PhaseEnd::kReached
                               : NearestTargetPhase(sources, goals, hit);
      if (end == PhaseEnd::kReached && reach(hit) && left <= goal) continue;
      // Died out: every cell it can reach is expanded, as the waves leave
      // them, and the tunnel from the source comes next. Undecided: the
      // phase runs again as plain waves.
      seeded = end == PhaseEnd::kDiedOut;
      if (!seeded) ClearTouched(CELL::kBackPointers | CELL::kExpanded | CELL::kQueued, true);
    }
    if (!seeded) Seed(sources, waveA);
    Wave* current = &waveA;
    Wave* other = &waveB;
    bool phaseDone = false;
    while (!phaseDone) {
      while (!current->empty() && !phaseDone) {
        for (size_t i = 0; i < current->size() && !phaseDone; ++i) {
          const CPoint c = (*current)[i];
          CELL& cell = (*this)(c.x, c.y);
          cell.Set(CELL::kExpanded);
          if (cell.Has(CELL::kTarget) && reach(c) && left <= goal) phaseDone = true;
        }
        if (phaseDone) break;
        Expand(*current, *other);
        std::swap(current, other);
      }
      if (phaseDone) break;
      current->clear();
      if (!TunnelFromSource(source, sourceDir, *current)) {
        borderReached = true;
        break;
      }
      // The expansion resumes from the tunnel's end; a target found there is
      // reached at once by the next round.
    }
  }

  for (int t = 1; t <= targets; ++t) {
    if (reached[t] || (*this)(pins[t].x, pins[t].y).Has(CELL::kExpanded)) continue;
    TunnelFromTarget(pins[t], directions[t]);
    const CELL& cell = (*this)(pins[t].x, pins[t].y);
    if (cell.Has(CELL::kBackPointers)) {
      reached[t] = true;
      if (CPointList* path = produce_path(sources, directions[t], pins[t])) paths->AddTail(path);
    }
  }

  for (int i = 0; i < pins.count(); ++i) addBadPoint(pins[i]);
  return static_cast<int>(paths->GetCount()) - before;
}

// A phase from the source pin alone to one goal whose way may take every
// step toward the goal: no way is shorter than the plain distance, so the
// cells on shortest ways are those of the rectangle between the two that
// such steps reach from the source (`m_monotone`, filled row by row away
// from the source), each at its plain distance from the source, and a cell's
// neighbours one nearer are its neighbours toward the source that such steps
// reach. The walk from the goal reads only such cells; each gets exactly the
// back pointers the waves would give it. False, with nothing changed, when
// no such way reaches the goal.
bool ROUTE::MonotoneWay(CPoint source, CPoint goal, int direction) {
  const int stepX = goal.x > source.x ? 1 : (goal.x < source.x ? -1 : 0);
  const int stepY = goal.y > source.y ? 1 : (goal.y < source.y ? -1 : 0);
  const int width = std::abs(goal.x - source.x) + 1;
  const int height = std::abs(goal.y - source.y) + 1;
  if (width + height <= 2 || static_cast<int64_t>(width) * height > (int64_t{1} << 26)) return false;
  // Such a way leaves the source by a step toward the goal and enters the
  // goal by one: without either there is no need to sweep.
  auto open = [this](int x, int y, uint16_t passage) { return (*this)(x, y).Has(passage); };
  const bool leaves = (stepX != 0 && open(source.x + stepX, source.y, CELL::kHorz)) ||
                      (stepY != 0 && open(source.x, source.y + stepY, CELL::kVert));
  const bool enters = (stepX != 0 && open(goal.x, goal.y, CELL::kHorz) &&
                       (width + height == 3 || open(goal.x - stepX, goal.y, CELL::kHorz))) ||
                      (stepY != 0 && open(goal.x, goal.y, CELL::kVert) &&
                       (width + height == 3 || open(goal.x, goal.y - stepY, CELL::kVert)));
  if (!leaves || !enters) return false;
  try {
    if (m_monotone.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
      m_monotone.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Reached cells by (column, row) counted from the source.
  auto reachedAt = [&](int i, int j) -> uint8_t& { return m_monotone[static_cast<size_t>(j) * width + i]; };
  for (int j = 0; j < height; ++j) {
    const int y = source.y + stepY * j;
    bool any = false;
    for (int i = 0; i < width; ++i) {
      const int x = source.x + stepX * i;
      uint8_t reached = 0;
      if (i == 0 && j == 0) {
        reached = 1;
      } else {
        const CELL& cell = (*this)(x, y);
        // The source enters its neighbours whatever its own passages.
        if (i > 0 && reachedAt(i - 1, j) && cell.Has(CELL::kHorz) &&
            ((i == 1 && j == 0) || (*this)(x - stepX, y).Has(CELL::kHorz)))
          reached = 1;
        if (!reached && j > 0 && reachedAt(i, j - 1) && cell.Has(CELL::kVert) &&
            ((i == 0 && j == 1) || (*this)(x, y - stepY).Has(CELL::kVert)))
          reached = 1;
        if (cell.Has(CELL::kSourceSet)) reached = 0;
      }
      reachedAt(i, j) = reached;
      any = any || reached;
    }
    // Nothing in this row: nothing beyond it either.
    if (!any) return false;
  }
  if (!reachedAt(width - 1, height - 1)) return false;

  const uint16_t fromX = stepX > 0 ? CELL::kFromLeft : CELL::kFromRight;
  const uint16_t fromY = stepY > 0 ? CELL::kFromAbove : CELL::kFromBelow;
  const uint16_t own = OwnBackPointer(direction);
  CPoint at = goal;
  CPoint previous(0, 0);
  bool first = true;
  while (!(*this)(at.x, at.y).Has(CELL::kSourcePin)) {
    const int i = std::abs(at.x - source.x);
    const int j = std::abs(at.y - source.y);
    CELL& cell = (*this)(at.x, at.y);
    uint16_t back = 0;
    if (stepX != 0 && i > 0 && reachedAt(i - 1, j) && cell.Has(CELL::kHorz) &&
        ((i == 1 && j == 0) || (*this)(at.x - stepX, at.y).Has(CELL::kHorz)))
      back = static_cast<uint16_t>(back | fromX);
    if (stepY != 0 && j > 0 && reachedAt(i, j - 1) && cell.Has(CELL::kVert) &&
        ((i == 0 && j == 1) || (*this)(at.x, at.y - stepY).Has(CELL::kVert)))
      back = static_cast<uint16_t>(back | fromY);
    Touch(at.x, at.y);
    cell.Clear(CELL::kBackPointers);
    cell.Set(back);
    const uint16_t chosen = ChooseBackPointer(cell.bits, first, own, previous);
    if (!chosen) break;
    previous = OffsetOf(chosen);
    first = false;
    at.Offset(previous.x, previous.y);
  }
  return true;
}

// The plain waves give every cell its distance from the sources (the wave
// it joins) and, as back pointers, every neighbour one closer that it may be
// entered from; the way is then walked back from the first target of the
// nearest wave. The walk reads only the back pointers of cells on shortest
// ways to that target, and every such cell c and every neighbour m one
// closer lie on shortest ways, so distance(m) + (distance from m to the
// target) equals the target's distance. The search here expands cells in
// the order of their distance plus the plain distance still to go to the
// nearest goal (which never overestimates and changes by at most one per
// step), so it expands every cell whose sum is at most the target's
// distance with its exact distance, and gives each the back pointers of
// all expanded neighbours one closer: the walk finds the same pointers as
// after the plain waves while the cells beyond that bound are never
// touched. When two goals in different cells lie at the same distance, the
// plain waves take the one their order reaches first, which this order does
// not know: the phase is then left undecided. When nothing is left to
// expand and no goal was reached, every cell the sources reach is expanded
// with its back pointers and queued, as after the plain waves.
ROUTE::PhaseEnd ROUTE::NearestTargetPhase(CPointList& sources, const std::vector<CPoint>& goals, CPoint& reachedCell) {
  // Queued cells keep their coordinates in 16 bits.
  if (m_nColumns > INT16_MAX || m_nRows > INT16_MAX) return PhaseEnd::kUndecided;
  Wave first;
  Seed(sources, first);
  if (first.empty() || goals.empty()) return PhaseEnd::kDiedOut;
  // The plain distance still to go, to the nearest goal.
  if (goals.size() == 1) {
    const CPoint goal = goals.front();
    return NearestTargetWaves(first, goals, reachedCell,
                              [goal](int x, int y) { return std::abs(x - goal.x) + std::abs(y - goal.y); });
  }
  return NearestTargetWaves(first, goals, reachedCell, [&goals](int x, int y) {
    int best = INT_MAX;
    for (const CPoint& g : goals) best = std::min(best, std::abs(x - g.x) + std::abs(y - g.y));
    return best;
  });
}

template <typename ToGo>
ROUTE::PhaseEnd ROUTE::NearestTargetWaves(const Wave& first, const std::vector<CPoint>& goals, CPoint& reachedCell,
                                          ToGo toGo) {
  int base = INT_MAX;
  for (const CPoint& c : first) base = std::min(base, 1 + toGo(c.x, c.y));
  size_t pending = 0;
  // A cell is queued in the bucket of its distance plus the distance still
  // to go; an entry whose cell got a shorter distance since is stale.
  auto push = [&](int index, int x, int y, int distance) {
    const auto bucket = static_cast<size_t>(distance + toGo(x, y) - base);
    if (bucket >= m_buckets.size()) m_buckets.resize(bucket + 1);
    m_buckets[bucket].push_back({index, static_cast<int16_t>(x), static_cast<int16_t>(y)});
    ++pending;
  };
  auto setDistance = [this](int index, int distance) { m_slots[index].distance = static_cast<uint16_t>(distance); };
  for (const CPoint& c : first) {
    const int index = m_rowStarts[c.y] + c.x;
    setDistance(index, 1);
    push(index, c.x, c.y, 1);
  }

  // The four moves: offset, index step, the passage the move uses and the
  // back pointer the cell entered gets.
  struct Move {
    int dx;
    int dy;
    int step;
    uint16_t passage;
    uint16_t back;
  };
  const Move moves[4] = {{-1, 0, -1, CELL::kHorz, CELL::kFromRight},
                         {1, 0, 1, CELL::kHorz, CELL::kFromLeft},
                         {0, -1, -m_nColumns, CELL::kVert, CELL::kFromBelow},
                         {0, 1, m_nColumns, CELL::kVert, CELL::kFromAbove}};
  int goalDistance = -1;
  for (size_t b = 0; pending > 0 && b < m_buckets.size(); ++b) {
    if (goalDistance >= 0 && base + static_cast<int>(b) > goalDistance) break;
    // Each bucket first in, first out: a cell then mostly gets its
    // distance when it is first queued.
    const int sum = base + static_cast<int>(b);
    for (size_t i = 0; i < m_buckets[b].size(); ++i) {
      const Queued q = m_buckets[b][i];
      --pending;
      const int known = m_slots[q.index].distance;
      if (known + toGo(q.x, q.y) != sum) continue;
      CELL& cell = m_slots[q.index].cell;
      cell.Set(CELL::kExpanded);
      if (goalDistance < 0 && cell.Has(CELL::kTarget) &&
          std::find(goals.begin(), goals.end(), CPoint(q.x, q.y)) != goals.end()) {
        goalDistance = known;
        reachedCell = CPoint(q.x, q.y);
      }
      // Only a cell of the outermost ring has a neighbour outside the grid.
      const bool edge = cell.Has(CELL::kBorder);
      const int distance = known + 1;
      // Distances past the 16 bits: the phase runs as plain waves.
      if (distance >= kNoDistance) {
        for (std::vector<Queued>& bucket : m_buckets) bucket.clear();
        return PhaseEnd::kUndecided;
      }
      for (const Move& move : moves) {
        if (!cell.Has(move.passage)) continue;
        const int nx = q.x + move.dx;
        const int ny = q.y + move.dy;
        if (edge && (nx < 0 || ny < 0 || nx >= m_nColumns || ny >= m_nRows)) continue;
        const int n = q.index + move.step;
        // A neighbour already nearer gets nothing: its cell is not read.
        const int reached = m_slots[n].distance;
        if (distance > reached) continue;
        CELL& next = m_slots[n].cell;
        if (!next.Has(move.passage) || next.Has(CELL::kSourceSet)) continue;
        if (distance < reached) {
          if (!next.Has(CELL::kScratch)) m_touched.push_back(n);
          next.Clear(CELL::kBackPointers);
          next.Set(move.back | CELL::kQueued);
          setDistance(n, distance);
          push(n, nx, ny, distance);
        } else if (distance == reached) {
          next.Set(move.back);
        }
      }
    }
    m_buckets[b].clear();
  }
  for (std::vector<Queued>& bucket : m_buckets) bucket.clear();
  if (goalDistance < 0) return PhaseEnd::kDiedOut;
  for (const CPoint& g : goals) {
    if (g != reachedCell && m_slots[m_rowStarts[g.y] + g.x].distance == goalDistance) return PhaseEnd::kUndecided;
  }
  return PhaseEnd::kReached;
}

CPointList* ROUTE::produce_path(CPointList& sources, PreferredDirection direction, CPoint target) {
  auto* path = new CPointList(10);
  sources.AddTail(target);
  Touch(target.x, target.y);
  (*this)(target.x, target.y).Set(CELL::kSourceSet);

  const uint16_t own = OwnBackPointer(direction);
  CPoint at = target;
  CPoint previous(0, 0);
  bool first = true;
  const int64_t limit = static_cast<int64_t>(m_nColumns) * m_nRows;
  for (int64_t steps = 0;; ++steps) {
    const CELL& cell = (*this)(at.x, at.y);
    if (cell.Has(CELL::kSourcePin) || steps > limit) break;
    const uint16_t chosen = ChooseBackPointer(cell.bits, first, own, previous);
    const CPoint move = chosen ? OffsetOf(chosen) : CPoint(0, 0);
    const CPoint next(at.x + move.x, at.y + move.y);
    if (!chosen || !Contains(next)) {
      // The back pointers lead nowhere: no way for this target.
      delete path;
      return nullptr;
    }
    if (first || move.x != previous.x || move.y != previous.y) path->AddTail(at);
    const uint16_t passage = PassageOf(move);
    (*this)(at.x, at.y).Clear(passage);
    CELL& entered = (*this)(next.x, next.y);
    entered.Clear(passage);
    previous = move;
    first = false;
    at = next;
    if (entered.Has(CELL::kSourcePin)) break;
    if (!entered.Has(CELL::kSourceSet)) {
      Touch(next.x, next.y);
      entered.Set(CELL::kSourceSet);
      sources.AddTail(at);
    }
  }
  if (!(*this)(at.x, at.y).Has(CELL::kSourcePin)) {
    delete path;
    return nullptr;
  }
  path->AddTail(at);
  if (!m_bOneWave) markSourcePath(path, sources);
  return path;
}

uint16_t ROUTE::OwnBackPointer(int direction) {
  switch (direction) {
    case kPrefDown:
      return CELL::kFromBelow;
    case kPrefUp:
      return CELL::kFromAbove;
    case kPrefRight:
      return CELL::kFromRight;
    default:
      return CELL::kFromLeft;
  }
}

uint16_t ROUTE::ChooseBackPointer(uint16_t b, bool first, uint16_t own, CPoint previous) {
  uint16_t order[5] = {0, 0, 0, 0, 0};
  if (first) {
    order[0] = own;
    order[1] = CELL::kFromBelow;
    order[2] = CELL::kFromAbove;
    order[3] = CELL::kFromLeft;
    order[4] = CELL::kFromRight;
  } else if (previous.x > 0) {
    order[0] = CELL::kFromRight;
    order[1] = CELL::kFromAbove;
    order[2] = CELL::kFromBelow;
    order[3] = CELL::kFromLeft;
  } else if (previous.y > 0) {
    order[0] = CELL::kFromBelow;
    order[1] = CELL::kFromRight;
    order[2] = (b & CELL::kFromLeft) ? CELL::kFromLeft : CELL::kFromAbove;
  } else if (previous.x < 0) {
    order[0] = CELL::kFromLeft;
    order[1] = CELL::kFromBelow;
    order[2] = CELL::kFromAbove;
    order[3] = CELL::kFromRight;
  } else {
    order[0] = CELL::kFromAbove;
    if (b & CELL::kFromLeft) {
      order[1] = CELL::kFromLeft;
    } else {
      order[1] = CELL::kFromRight;
      order[2] = CELL::kFromBelow;
    }
  }
  for (uint16_t candidate : order) {
    if (candidate && (b & candidate)) return candidate;
  }
  return 0;
}

void ROUTE::markSourcePath(CPointList* path, CPointList& sources) {
  if (!path || path->GetCount() < 2) return;
  POSITION pos = path->GetTailPosition();
  CPoint nearer = path->GetPrev(pos);
  while (pos) {
    const CPoint farther = path->GetPrev(pos);
    if (nearer.x != farther.x && nearer.y != farther.y) return;
    const CPoint step(farther.x > nearer.x ? 1 : (farther.x < nearer.x ? -1 : 0),
                      farther.y > nearer.y ? 1 : (farther.y < nearer.y ? -1 : 0));
    if (step.x != 0 || step.y != 0) {
      const uint16_t back = BackPointerFrom(CPoint(-step.x, -step.y));
      const uint16_t along = PassageOf(step);
      CPoint c = nearer;
      do {
        c.Offset(step.x, step.y);
        if (!Contains(c)) return;
        Touch(c.x, c.y);
        CELL& cell = (*this)(c.x, c.y);
        cell.Clear(CELL::kBackPointers | along);
        cell.Set(back | CELL::kExpanded | CELL::kQueued);
        if (!cell.Has(CELL::kSourceSet)) {
          cell.Set(CELL::kSourceSet);
          sources.AddTail(c);
        }
      } while (c.x != farther.x || c.y != farther.y);
    }
    nearer = farther;
  }
}
