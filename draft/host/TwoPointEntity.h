// Korrin's two-point entity: a line-like entity defined by two end points
// and drawn as a polyline of segments between them (a break line, a wave),
// with two size values. Without segments it is drawn straight.
#pragma once

#include <vector>

#include "draft/host/Entity.h"

class CTwoPointEntity : public CEntity {
 public:
  CTwoPointEntity(int layer, CDrawingGroup* group, double size1, double size2);

  BOOL SetEndPoints(double x1, double y1, double x2, double y2, int flag) override;
  CEntity* Clone(int flag = 1) const override;
  // x1, y1, x2, y2 of the end points.
  int GetGeometry(double* values) const override;
  EntityKind GetKind() const override { return EntityKind::kTwoPoint; }
  BOOL IsTwoPointEntity() const override { return TRUE; }
  void GetPieces(ShapePieces& out) const override;

  void AddSegment(double x1, double y1, double x2, double y2, int flag = 1);
  void ClearSegments() { segments_.clear(); }
  int GetSegmentCount() const { return static_cast<int>(segments_.size()); }
  // The ends of segment i in drawing coordinates.
  void GetSegmentEnds(int i, GPoint& a, GPoint& b) const;
  double GetSize1() const { return size1_; }
  double GetSize2() const { return size2_; }

 protected:
  CTwoPointEntity(const CTwoPointEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  struct Segment {
    GPoint a, b;
  };
  GPoint p1_, p2_;
  double size1_, size2_;
  std::vector<Segment> segments_;
};

CTwoPointEntity* ConstructTwoPointEntity(int layer, CDrawingGroup* group, double size1, double size2);
