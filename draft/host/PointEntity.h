// Korrin's point entity: a position with a marker type and size.
#pragma once

#include "draft/host/Entity.h"

class CPointEntity : public CEntity {
 public:
  CPointEntity(int layer, CDrawingGroup* group, double x, double y, int type, double size);

  CEntity* Clone(int flag = 1) const override;
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;
  int GetGeometry(double* values) const override;
  BOOL SetGeometry(const double* values, int count) override;
  EntityKind GetKind() const override { return EntityKind::kPoint; }
  BOOL IsPoint() const override { return TRUE; }
  void GetPieces(ShapePieces& out) const override;

  int GetPointType() const { return type_; }
  double GetPointSize() const { return size_; }

 protected:
  CPointEntity(const CPointEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  GPoint p_;
  int type_;
  double size_;
};

CPointEntity* ConstructPointEntity(int layer, CDrawingGroup* group, double x, double y, int type, double size,
                                   int flag = 1);
