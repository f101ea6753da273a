// Korrin's equation curve: a compound curve drawn from parametric equations.
// Its members are the curve's segments and, when axes are shown, the axis
// lines and their labels. It keeps the equation's record (the nine text
// fields of the equation table: name, x(t), y(t) or ρ(t), parameter, start,
// end, step, angle unit, coordinate system), whether axes are shown, the
// line-kind code its layer came from, the axis type (0 to 8: the signs and
// exchange of the axes) and the placement origin. A picked member stands for
// the whole curve.
#pragma once

#include "draft/host/BlockEntity.h"
#include "platform/core/StringArray.h"

class CEquationCurveEntity : public CBlockEntity {
 public:
  CEquationCurveEntity(int layer, CDrawingGroup* group);

  CEntity* Clone(int flag = 1) const override;
  BOOL IsCompoundCurve() const override { return TRUE; }
  BOOL IsMeasuredWhole() const override { return TRUE; }
  BOOL IsEquationCurve() const override { return TRUE; }

  const CStringArrayA& GetRecord() const { return record_; }
  void SetRecord(const CStringArrayA& fields);
  int GetShowAxes() const { return showAxes_; }
  void SetShowAxes(int show) { showAxes_ = show ? 1 : 0; }
  BYTE GetLineKind() const { return lineKind_; }
  void SetLineKind(BYTE kind) { lineKind_ = kind; }
  // 0 to 8; a value outside is brought into the range (modulo 9).
  int GetAxisType() const { return axisType_; }
  void SetAxisType(int type);
  // The placement origin in drawing coordinates.
  GPoint GetOrigin() const { return Shown(origin_); }
  void SetOrigin(double x, double y) { origin_ = InGroup({x, y}); }
  // Takes every member out and frees it (the curve is built anew).
  void ClearMembers();

 protected:
  CEquationCurveEntity(const CEquationCurveEntity& other);
  void ApplyTransform(const EntityTransform& t) override;
  void RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) override;

 private:
  CStringArrayA record_;
  int showAxes_ = 0;
  BYTE lineKind_ = 1;
  int axisType_ = 0;
  GPoint origin_;  // group coordinates
};

CEquationCurveEntity* ConstructEquationCurveEntity(int layer, CDrawingGroup* group);
