// The lines and arcs of a pick list filed by their end points, for chaining
// picks end to end: FindFirstAt gives the first unmarked one in list order
// that has an end on a point (IsSamePoint) without walking the list, so that
// a chain of n picks is built in time proportional to n. The chaining marks
// are read when asked, so that a pick marked after the index was made is
// passed over. The index is made for one state of its list: it is not told
// of picks added or removed afterwards.
#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

#include "draft/host/Geometry2D.h"

class CEntity;
class CEntityList;

class CChainEndIndex {
 public:
  // Reads an entity's first and second end point.
  using EndPointReader = std::function<void(CEntity*, double&, double&, double&, double&)>;

  CChainEndIndex(const CEntityList& source, const EndPointReader& readEnds);

  const CEntityList* GetSource() const { return source_; }
  // The first unmarked line or arc of the list with an end point on `p`,
  // null when there is none.
  CEntity* FindFirstAt(const GPoint& p);

 private:
  struct Entry {
    CEntity* entity;
    GPoint first, second;
  };
  // The entries filed in one cell, in list order; those before `head` are
  // marked and no longer looked at.
  struct Cell {
    std::vector<size_t> entries;
    size_t head = 0;
  };
  struct CellKey {
    double column, row;
    bool operator==(const CellKey& other) const { return column == other.column && row == other.row; }
  };
  struct CellKeyHash {
    size_t operator()(const CellKey& k) const;
  };

  static CellKey KeyOf(const GPoint& p);
  void File(const GPoint& p, size_t entry);

  const CEntityList* source_;
  std::vector<Entry> entries_;
  std::unordered_map<CellKey, Cell, CellKeyHash> cells_;
};
