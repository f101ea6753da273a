// Korrin's section symbol: a compound entity that marks where a section
// runs through a drawing. It keeps the section's points in order; its
// members are the lines from each point to the next, on the symbol's layer
// and in its group, so that a click on the path picks a member whose owner
// is the symbol. Editing keeps it whole (IsKeptWhole).
#pragma once

#include <vector>

#include "draft/host/BlockEntity.h"

class CSectionSymbolEntity : public CBlockEntity {
 public:
  // The points in drawing coordinates.
  CSectionSymbolEntity(int layer, CDrawingGroup* group, const std::vector<GPoint>& points);

  BOOL IsSectionSymbol() const override { return TRUE; }
  BOOL IsKeptWhole() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;

  int GetPointCount() const { return static_cast<int>(points_.size()); }
  // Appends the points in order as (x, y) pairs in drawing coordinates;
  // returns the number of points.
  int GetSectionPoints(std::vector<double>& xy) const;

 protected:
  CSectionSymbolEntity(const CSectionSymbolEntity& other) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  std::vector<GPoint> points_;  // group coordinates
};

// A section symbol through the points (x, y pairs, `count` points); null
// for fewer than two points.
CSectionSymbolEntity* ConstructSectionSymbolEntity(int layer, CDrawingGroup* group, const double* xy, int count);
