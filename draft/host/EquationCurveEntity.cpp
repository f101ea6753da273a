#include "draft/host/EquationCurveEntity.h"

#include <memory>

CEquationCurveEntity::CEquationCurveEntity(int layer, CDrawingGroup* group) : CBlockEntity(layer, group) {}

CEquationCurveEntity::CEquationCurveEntity(const CEquationCurveEntity& other)
    : CBlockEntity(other),
      showAxes_(other.showAxes_),
      lineKind_(other.lineKind_),
      axisType_(other.axisType_),
      origin_(other.origin_) {
  SetRecord(other.record_);
}

CEntity* CEquationCurveEntity::Clone(int) const { return new CEquationCurveEntity(*this); }

void CEquationCurveEntity::SetRecord(const CStringArrayA& fields) {
  record_.RemoveAll();
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) record_.Add(fields.GetAt(i));
}

void CEquationCurveEntity::SetAxisType(int type) { axisType_ = ((type % 9) + 9) % 9; }

void CEquationCurveEntity::ClearMembers() {
  while (GetMemberCount() > 0) {
    CEntity* m = GetMember(GetMemberCount() - 1);
    RemoveBlockMember(m);
    delete m;
  }
}

void CEquationCurveEntity::ApplyTransform(const EntityTransform& t) {
  CBlockEntity::ApplyTransform(t);
  origin_ = MapGroupPoint(origin_, t);
}

void CEquationCurveEntity::RebaseGroup(CDrawingGroup* from, CDrawingGroup* to) {
  origin_ = RebasePoint(origin_, from, to);
  CBlockEntity::RebaseGroup(from, to);
}

CEquationCurveEntity* ConstructEquationCurveEntity(int layer, CDrawingGroup* group) {
  return new CEquationCurveEntity(layer, group);
}
