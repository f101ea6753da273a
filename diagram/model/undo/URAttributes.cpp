#include "diagram/model/undo/URAttributes.h"

#include <memory>

IMPLEMENT_DYNAMIC(CURLineColor, CUndoRedo)
IMPLEMENT_DYNAMIC(CURFillColor, CUndoRedo)
IMPLEMENT_DYNAMIC(CURHatchColor, CUndoRedo)
IMPLEMENT_DYNAMIC(CURHatchStyle, CUndoRedo)
IMPLEMENT_DYNAMIC(CURPenSizeStyle, CUndoRedo)
IMPLEMENT_DYNAMIC(CUREnableFill, CUndoRedo)
IMPLEMENT_DYNAMIC(CUREnableHatch, CUndoRedo)

void CURLineColor::DoUndo() { m_pObj->SetLineColor(m_color); }

int CURLineColor::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURLineColor), [object] {
    std::unique_ptr<CURLineColor> record(new CURLineColor);
    record->m_pObj = object;
    record->m_color = object->GetLineColor();
    return record;
  });
}

void CURFillColor::DoUndo() { m_pObj->SetFillColor(m_color); }

int CURFillColor::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURFillColor), [object] {
    std::unique_ptr<CURFillColor> record(new CURFillColor);
    record->m_pObj = object;
    record->m_color = object->GetFillColor();
    return record;
  });
}

void CURHatchColor::DoUndo() { m_pObj->SetHatchColor(m_color); }

int CURHatchColor::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURHatchColor), [object] {
    std::unique_ptr<CURHatchColor> record(new CURHatchColor);
    record->m_pObj = object;
    record->m_color = object->GetHatchColor();
    return record;
  });
}

void CURHatchStyle::DoUndo() { m_pObj->SetHatchStyle(m_style); }

int CURHatchStyle::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURHatchStyle), [object] {
    std::unique_ptr<CURHatchStyle> record(new CURHatchStyle);
    record->m_pObj = object;
    record->m_style = object->GetHatchStyle();
    return record;
  });
}

void CURPenSizeStyle::DoUndo() { m_pObj->SetPenStyle(m_nStyle, m_nWidth); }

int CURPenSizeStyle::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURPenSizeStyle), [object] {
    std::unique_ptr<CURPenSizeStyle> record(new CURPenSizeStyle);
    record->m_pObj = object;
    record->m_nStyle = object->GetPenStyle();
    record->m_nWidth = object->GetPenSize();
    return record;
  });
}

void CUREnableFill::DoUndo() { m_pObj->EnableFill(m_bEnable); }

int CUREnableFill::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CUREnableFill), [object] {
    std::unique_ptr<CUREnableFill> record(new CUREnableFill);
    record->m_pObj = object;
    record->m_bEnable = object->IsFillEnabled();
    return record;
  });
}

void CUREnableHatch::DoUndo() { m_pObj->EnableHatch(m_bEnable); }

int CUREnableHatch::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CUREnableHatch), [object] {
    std::unique_ptr<CUREnableHatch> record(new CUREnableHatch);
    record->m_pObj = object;
    record->m_bEnable = object->IsHatchEnabled();
    return record;
  });
}
