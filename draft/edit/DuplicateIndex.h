// The lines, arcs and circles of a list filed by their carriers, so that
// the entities that may lie on the carrier of one of them are found
// without walking the list: lines by the direction and the distance from
// the origin of their line, arcs and circles by centre and radius. A query
// gives every entity that can pass the duplicate tests of the tidy command
// (parallel within a sine of 1e-6 and an end on the line; centres and radii
// within 1e-6) and some that do not; the caller tests them. Coordinates
// beyond 1e5 are not filed: such entities are offered to every query.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "draft/host/EntityList.h"

class CEntity;

class CDuplicateIndex {
 public:
  void Build(const CEntityList& list);
  // The positions in the list (ascending) of the entities that may be
  // duplicates of `entity`, which is a line (kind 1) or an arc or circle
  // (kind 2).
  void Query(const CEntity* entity, int kind, std::vector<int>& out) const;

 private:
  struct Key {
    int kind;
    std::int64_t a, b, c;
    bool operator==(const Key& o) const { return kind == o.kind && a == o.a && b == o.b && c == o.c; }
  };
  struct KeyHash {
    size_t operator()(const Key& k) const;
  };
  // The filing key of an entity; false for one that is not filed (too far
  // out, or not of the kind).
  bool KeyOf(const CEntity* e, int kind, Key& key, double& rho) const;

  std::unordered_map<Key, std::vector<int>, KeyHash> cells_;
  std::vector<int> unfiled_;
  int count_ = 0;
};
