// The entities of a list filed by their extents in a uniform grid, so that
// those whose extents meet a rectangle are found without walking the list.
// A centre line meets only entities whose extents meet its own, so the tidy
// command asks the index for a line's partners instead of walking every
// candidate; the partners come in list order, as the walk finds them.
#pragma once

#include <vector>

#include "draft/host/EntityList.h"

class CEntity;

class CPartnerIndex {
 public:
  // Files the entities of `list` (an entity without extents is filed as
  // meeting everything).
  void Build(const CEntityList& list);
  // The filed entities whose extents, widened by a small slack, meet the
  // rectangle, appended to `out` in list order.
  void Query(double xmin, double ymin, double xmax, double ymax, CEntityList& out) const;
  // The same for the extents of an entity (every filed entity for one
  // without extents).
  void QueryNear(const CEntity* entity, CEntityList& out) const;

 private:
  struct Box {
    double xmin, ymin, xmax, ymax;
  };
  int CellX(double x) const;
  int CellY(double y) const;

  std::vector<CEntity*> entities_;
  std::vector<Box> boxes_;
  // Entities spanning many cells, and those without extents: met always.
  std::vector<int> wide_;
  std::vector<std::vector<int>> cells_;
  int columns_ = 0, rows_ = 0;
  double x0_ = 0.0, y0_ = 0.0, cell_ = 1.0;
  mutable std::vector<unsigned> seen_;
  mutable unsigned stamp_ = 0;
};
