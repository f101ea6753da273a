// Korrin's ellipse and elliptic arc: centre, semi-axes a (along the
// rotation direction) and b, rotation in degrees, and the parametric start
// and end angles in degrees (0 and 360 for the whole ellipse). The point of
// parameter t is c + R(rotation)·(a cos t, b sin t).
#pragma once

#include "draft/host/Entity.h"

class CEllipseEntity : public CEntity {
 public:
  CEllipseEntity(int layer, CDrawingGroup* group, double cx, double cy, double a, double b, double rotation,
                 double start, double end);

  CEntity* Clone(int flag = 1) const override;
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;
  int GetGeometry(double* values) const override;
  BOOL SetGeometry(const double* values, int count) override;
  EntityKind GetKind() const override { return EntityKind::kEllipse; }
  BOOL IsEllipse() const override { return TRUE; }
  void GetPieces(ShapePieces& out) const override;
  double GetLength() const override;

  bool IsFullEllipse() const;
  // The drawing point of parameter t (degrees).
  GPoint PointAt(double t) const;

 protected:
  CEllipseEntity(const CEllipseEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  GPoint c_;
  double a_, b_, rotation_, start_, end_;
};

CEllipseEntity* ConstructEllipseEntity(int layer, CDrawingGroup* group, double cx, double cy, double a, double b,
                                       double rotation, double start, double end, int flag = 1);
