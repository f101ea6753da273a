// Korrin's full circle.
#pragma once

#include "draft/host/Entity.h"

class CCircleEntity : public CEntity {
 public:
  // Centre and radius in drawing coordinates and units.
  CCircleEntity(int layer, CDrawingGroup* group, double cx, double cy, double r);

  BOOL IsCircle() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;
  int GetGeometry(double* values) const override;
  BOOL SetGeometry(const double* values, int count) override;
  EntityKind GetKind() const override { return EntityKind::kCircle; }
  void GetPieces(ShapePieces& out) const override;

  GPoint GetCentre() const { return Shown(c_); }
  double GetRadius() const { return ShownLength(r_); }

 protected:
  CCircleEntity(const CCircleEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  GPoint c_;
  double r_;
};

// A new circle; flag 0 makes it temporary (IsTemporary).
CCircleEntity* ConstructCircleEntity(int layer, CDrawingGroup* group, double cx, double cy, double r, int flag = 1);
