// ROUTE: the cell grid of the cell router and its maze search. Each cell is
// one 16-bit word (CELL) recording whether a wire may still pass it
// horizontally and vertically, plus the scratch flags of one search. A wire
// laid along a row blocks later wires from running along that row but lets
// them cross it.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/routing/DArray.h"
#include "platform/core/Geometry.h"
#include "platform/core/List.h"
#include "platform/core/ObList.h"

// The direction in which a wire leaves or enters a pin. Row 0 is the row of
// the grid origin, so "down" is a growing row index.
enum PreferredDirection : int32_t {
  kPrefLeft = 1,
  kPrefRight = 2,
  kPrefUp = 3,
  kPrefDown = 4,
};

struct CELL {
  enum : uint16_t {
    kHorz = 0x0001,       // a wire may enter or leave sideways
    kVert = 0x0002,       // a wire may enter or leave upward or downward
    kFromLeft = 0x0004,   // reached from column - 1
    kFromAbove = 0x0008,  // reached from row - 1
    kFromRight = 0x0010,  // reached from column + 1
    kFromBelow = 0x0020,  // reached from row + 1
    kExpanded = 0x0040,   // expanded by the current wave
    kQueued = 0x0080,     // queued for the next wave
    kSourceSet = 0x0100,  // in the source set of the current wire
    kTarget = 0x0200,     // a target pin of the current wire
    kBorder = 0x0400,     // border cell: never freed
    kSourcePin = 0x0800,  // the source pin of the current wire
    kPassages = kHorz | kVert,
    kBackPointers = kFromLeft | kFromAbove | kFromRight | kFromBelow,
    // The flags of one search.
    kScratch = kBackPointers | kExpanded | kQueued | kSourceSet | kTarget | kSourcePin,
  };

  uint16_t bits = 0;

  bool Has(uint16_t mask) const { return (bits & mask) != 0; }
  void Set(uint16_t mask) { bits = static_cast<uint16_t>(bits | mask); }
  void Clear(uint16_t mask) { bits = static_cast<uint16_t>(bits & ~mask); }
};
static_assert(sizeof(CELL) == 2, "a cell is one 16-bit word");

using CPointList = CList<CPoint, CPoint&>;

class ROUTE {
 public:
  ROUTE() = default;
  ROUTE(const ROUTE&) = delete;
  ROUTE& operator=(const ROUTE&) = delete;
  virtual ~ROUTE();

  // Frees the grid; zero sizes.
  void Reset();
  // A grid of columns x rows cells: every cell passable in both directions
  // except the outermost ring, which is the border. 0 when the grid cannot
  // be allocated (or cannot be indexed), leaving an empty grid.
  int Init(int columns, int rows);

  int Columns() const { return m_nColumns; }
  int Rows() const { return m_nRows; }
  bool Contains(const CPoint& cell) const {
    return cell.x >= 0 && cell.y >= 0 && cell.x < m_nColumns && cell.y < m_nRows;
  }
  CELL& operator()(int x, int y) { return m_slots[m_rowStarts[y] + x].cell; }
  const CELL& operator()(int x, int y) const { return m_slots[m_rowStarts[y] + x].cell; }

  static CPoint PreferredDir(int direction);

  // Marking, clipped to the grid. Bad clears passages, good sets them again
  // except in border cells. Rectangles take the low corner first; lines take
  // their ends in either order.
  void addBadPoint(CPoint cell);
  void addGoodPoint(CPoint cell);
  void addBadRect(int x1, int y1, int x2, int y2);
  void addGoodRect(int x1, int y1, int x2, int y2);
  void addBadHLine(int row, int x1, int x2);
  void addBadVLine(int column, int y1, int y2);
  void addGoodHLine(int row, int x1, int x2);
  void addGoodVLine(int column, int y1, int y2);

  // Searches ways from pins[0] to the other pins. Appends one new path (a
  // CPointList of corner cells from the target to the source, owned by the
  // caller) per reached target to paths and returns how many it appended.
  // Targets outside the grid are dropped; a source outside it finds nothing.
  int addWire(D_ARRAY<CPoint>& pins, D_ARRAY<PreferredDirection>& directions, CPtrList* paths);
  // Walks back from a reached target along the back pointers; a new path,
  // or null when the back pointers lead nowhere.
  CPointList* produce_path(CPointList& sources, PreferredDirection direction, CPoint target);
  // Turns the cells of a path into sources of the search.
  void markSourcePath(CPointList* path, CPointList& sources);

  // Whether every cell that carries search flags is on the list through
  // which the next search clears them (a consistency check: clearing the
  // list then equals sweeping the grid).
  bool SearchFlagsTracked() const;

  // Whether a phase that ends at the first target reached runs goal-directed
  // (the default) or as plain waves over everything nearer than the target.
  // Both give every wire the same way; the plain search is kept to check
  // that.
  void SetGoalDirected(bool on) { m_bGoalDirected = on; }

  // 1: one wave must reach every target; 0: shared-path mode, one phase per
  // target that may start from every path found before.
  int m_bOneWave = 1;

 protected:
  // Whether the exit corridor or tunnel of the pin in cell `pin` may cross
  // the blocked cell `cell`. The grid itself knows no objects and lets every
  // tunnel through; a router refuses the cells its wires must not cross.
  virtual bool MayTunnelThrough(const CPoint& cell, const CPoint& pin);

 private:
  void SetRect(int x1, int y1, int x2, int y2, uint16_t mask, bool good);
  bool ClipRect(int& x1, int& y1, int& x2, int& y2) const;
  void OpenExitCorridor(CPoint pin, int direction, uint16_t pinFlag);
  // A wave of cells; a plain array, as a wave may hold most of the grid.
  using Wave = std::vector<CPoint>;
  void Seed(CPointList& sources, Wave& wave);
  void Expand(const Wave& wave, Wave& next);
  bool TunnelFromSource(CPoint source, int direction, Wave& wave);
  // The goal-directed form of a phase that ends at the first target reached.
  enum class PhaseEnd { kReached, kDiedOut, kUndecided };
  PhaseEnd NearestTargetPhase(CPointList& sources, const std::vector<CPoint>& goals, CPoint& reachedCell);
  template <typename ToGo>
  PhaseEnd NearestTargetWaves(const Wave& first, const std::vector<CPoint>& goals, CPoint& reachedCell, ToGo toGo);
  // Lays the back pointers of the walk from `goal` (entered in `direction`)
  // when a way from the source pin that steps toward the goal all along
  // reaches it; false, leaving the grid as it was, when none does.
  bool MonotoneWay(CPoint source, CPoint goal, int direction);
  // Which back pointer the walk from a target takes out of a cell with
  // these bits, on its first step or after the move `previous`.
  static uint16_t ChooseBackPointer(uint16_t bits, bool first, uint16_t own, CPoint previous);
  static uint16_t OwnBackPointer(int direction);
  void TunnelFromTarget(CPoint target, int direction);

  // Notes a cell about to get search flags. A search touches only the cells
  // its waves reach, so the flags of the last search are cleared through
  // this list instead of a sweep of the whole grid; it holds exactly the
  // cells that carry search flags.
  void Touch(int x, int y) {
    if (!(*this)(x, y).Has(CELL::kScratch)) m_touched.push_back(m_rowStarts[y] + x);
  }
  // Clears `mask` in the touched cells (keeping source-set cells whole when
  // asked), forgets their distances (a cell given one is touched) and
  // forgets the cells left without search flags.
  void ClearTouched(uint16_t mask, bool keepSourceSet);

  // Each cell with the distance a goal-directed phase gave it (kNoDistance:
  // none), side by side so that a step of the search reads one place.
  static constexpr uint16_t kNoDistance = UINT16_MAX;
  struct Slot {
    CELL cell;
    uint16_t distance;
  };
  Slot* m_slots = nullptr;
  std::vector<int> m_touched;
  bool m_bGoalDirected = true;
  // The goal-directed phase's queue: the cells to expand, one bucket per
  // value of their distance plus the distance still to go.
  struct Queued {
    int index;
    int16_t x;
    int16_t y;
  };
  // The cells of the rectangle between source and goal that steps toward
  // the goal reach (MonotoneWay).
  std::vector<uint8_t> m_monotone;
  std::vector<std::vector<Queued>> m_buckets;
  int m_nColumns = 0;
  int m_nRows = 0;
  int* m_rowStarts = nullptr;
};
