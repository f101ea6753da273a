// Korrin's straight line between two points.
#pragma once

#include "draft/host/Entity.h"

class CLineEntity : public CEntity {
 public:
  // The ends in drawing coordinates; they go into the group's coordinates.
  CLineEntity(int layer, CDrawingGroup* group, double x1, double y1, double x2, double y2);

  BOOL IsLine() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;
  int GetGeometry(double* values) const override;
  BOOL SetGeometry(const double* values, int count) override;
  BOOL SetEndPoints(double x1, double y1, double x2, double y2, int flag) override;
  EntityKind GetKind() const override { return EntityKind::kLine; }
  void GetPieces(ShapePieces& out) const override;

  GPoint GetStart() const { return Shown(p1_); }
  GPoint GetEnd() const { return Shown(p2_); }

 protected:
  CLineEntity(const CLineEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  GPoint p1_, p2_;  // group coordinates
};

// A new line; flag 0 makes it temporary (IsTemporary).
CLineEntity* ConstructLineEntity(int layer, CDrawingGroup* group, double x1, double y1, double x2, double y2,
                                 int flag = 1);
