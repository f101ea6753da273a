#include "diagram/model/undo/URPoly.h"

#include <memory>

#include "diagram/model/objects/DrawPoly.h"

IMPLEMENT_DYNAMIC(CURAddPolyPoint, CUndoRedo)
IMPLEMENT_DYNAMIC(CURRemovePolyPoint, CUndoRedo)

CURAddPolyPoint::~CURAddPolyPoint() = default;

void CURAddPolyPoint::DoUndo() { m_pPoly->RemovePoint(m_nIndex, nullptr); }

int CURAddPolyPoint::RecordUndo(CDrawPoly* poly, int index) {
  return Record(poly->GetDocument(), RUNTIME_CLASS(CURAddPolyPoint), [poly, index] {
    std::unique_ptr<CURAddPolyPoint> record(new CURAddPolyPoint);
    record->m_pPoly = poly;
    record->m_nIndex = index;
    return record;
  });
}

CURRemovePolyPoint::~CURRemovePolyPoint() = default;

void CURRemovePolyPoint::DoUndo() { m_pPoly->InsertPoint(m_nIndex, m_point, nullptr); }

int CURRemovePolyPoint::RecordUndo(CDrawPoly* poly, int index) {
  return Record(poly->GetDocument(), RUNTIME_CLASS(CURRemovePolyPoint), [poly, index] {
    std::unique_ptr<CURRemovePolyPoint> record(new CURRemovePolyPoint);
    record->m_pPoly = poly;
    record->m_nIndex = index;
    // The point's handle is the point itself.
    record->m_point = poly->GetHandle(index + 1);
    return record;
  });
}
