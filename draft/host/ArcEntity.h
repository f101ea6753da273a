// Korrin's circular arc, counter-clockwise from its start to its end angle
// (degrees). The angles are kept as given; GetGeometry returns them so.
#pragma once

#include "draft/host/Entity.h"

class CArcEntity : public CEntity {
 public:
  CArcEntity(int layer, CDrawingGroup* group, double cx, double cy, double r, double start, double end);

  BOOL IsArc() const override { return TRUE; }
  CEntity* Clone(int flag = 1) const override;
  CEntity* EditInDialog(CLayerTable* layers, CGroupTable* groups) override;
  int GetGeometry(double* values) const override;
  BOOL SetGeometry(const double* values, int count) override;
  EntityKind GetKind() const override { return EntityKind::kArc; }
  void GetPieces(ShapePieces& out) const override;

  GPoint GetCentre() const { return Shown(c_); }
  double GetRadius() const { return ShownLength(r_); }
  double GetStartAngle() const { return start_; }
  double GetEndAngle() const { return end_; }
  GPoint GetStartPoint() const;
  GPoint GetEndPoint() const;

 protected:
  CArcEntity(const CArcEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  GPoint c_;
  double r_;
  double start_;
  double end_;
};

// A new arc; flag 0 makes it temporary (IsTemporary).
CArcEntity* ConstructArcEntity(int layer, CDrawingGroup* group, double cx, double cy, double r, double start,
                               double end, int flag = 1);
