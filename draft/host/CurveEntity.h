// Korrin's compound curve: a chain of straight segments (its line members,
// added with AddCurveSegment) that stands for one curve, with the points the
// curve was fitted through and whether it closes. A picked segment stands
// for the whole curve; transforms move the segments and the fit points
// together.
#pragma once

#include <vector>

#include "draft/host/BlockEntity.h"

class CCurveEntity : public CBlockEntity {
 public:
  CCurveEntity(int layer, CDrawingGroup* group, int closed);

  CEntity* Clone(int flag = 1) const override;
  BOOL IsCompoundCurve() const override { return TRUE; }
  BOOL IsMeasuredWhole() const override { return TRUE; }

  BOOL IsClosed() const { return closed_ ? TRUE : FALSE; }
  void SetClosed(int closed) { closed_ = closed != 0; }
  // The fit points in the coordinates of the curve's group.
  const std::vector<GPoint>& GetFitPoints() const { return fitPoints_; }
  // A fit point given in drawing coordinates.
  void AddFitPoint(double x, double y) { fitPoints_.push_back(InGroup({x, y})); }
  // The fit points in drawing coordinates.
  std::vector<GPoint> GetShownFitPoints() const;

 protected:
  CCurveEntity(const CCurveEntity&) = default;
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  std::vector<GPoint> fitPoints_;
  bool closed_;
};

CCurveEntity* ConstructCurveEntity(int layer, CDrawingGroup* group, int closed);
