#include "draft/regions/ChainEndIndex.h"

#include <cmath>

#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"

namespace {
// Cells ten times the point tolerance wide: two points that count as one lie
// in the same cell or in neighbouring ones.
constexpr double kCellSize = 10 * tressil::kGeomTolerance;
}  // namespace

size_t CChainEndIndex::CellKeyHash::operator()(const CellKey& k) const {
  const size_t a = std::hash<double>()(k.column), b = std::hash<double>()(k.row);
  return a ^ (b + 0x9e3779b97f4a7c15ULL + (a << 6) + (a >> 2));
}

CChainEndIndex::CellKey CChainEndIndex::KeyOf(const GPoint& p) {
  return {std::floor(p.x / kCellSize), std::floor(p.y / kCellSize)};
}

CChainEndIndex::CChainEndIndex(const CEntityList& source, const EndPointReader& readEnds) : source_(&source) {
  for (CEntity* e : source) {
    if (!e || !(e->IsLine() || e->IsArc())) continue;
    Entry entry{e, {}, {}};
    readEnds(e, entry.first.x, entry.first.y, entry.second.x, entry.second.y);
    entries_.push_back(entry);
    const size_t index = entries_.size() - 1;
    File(entry.first, index);
    if (!(KeyOf(entry.second) == KeyOf(entry.first))) File(entry.second, index);
  }
}

void CChainEndIndex::File(const GPoint& p, size_t entry) { cells_[KeyOf(p)].entries.push_back(entry); }

CEntity* CChainEndIndex::FindFirstAt(const GPoint& p) {
  const CellKey centre = KeyOf(p);
  CellKey seen[9];
  int seenCount = 0;
  size_t best = entries_.size();
  for (int dc = -1; dc <= 1; ++dc) {
    for (int dr = -1; dr <= 1; ++dr) {
      // Far from the origin a neighbour's key can equal this one's.
      const CellKey key{centre.column + dc, centre.row + dr};
      bool again = false;
      for (int i = 0; i < seenCount; ++i) again = again || seen[i] == key;
      if (again) continue;
      seen[seenCount++] = key;
      auto found = cells_.find(key);
      if (found == cells_.end()) continue;
      Cell& cell = found->second;
      while (cell.head < cell.entries.size() && entries_[cell.entries[cell.head]].entity->GetChainMark()) ++cell.head;
      for (size_t i = cell.head; i < cell.entries.size() && cell.entries[i] < best; ++i) {
        const Entry& entry = entries_[cell.entries[i]];
        if (entry.entity->GetChainMark()) continue;
        if (IsSamePoint(entry.first, p) || IsSamePoint(entry.second, p)) {
          best = cell.entries[i];
          break;
        }
      }
    }
  }
  return best < entries_.size() ? entries_[best].entity : nullptr;
}
