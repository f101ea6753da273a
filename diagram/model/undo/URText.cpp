#include "diagram/model/undo/URText.h"

#include <memory>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawText.h"

IMPLEMENT_DYNAMIC(CURTextChange, CUndoRedo)

CURTextChange::~CURTextChange() = default;

void CURTextChange::DoUndo() {
  // The text about to be replaced is the redo step.
  CURTextChange::RecordUndo(m_pText);
  m_pText->MoveTo(m_position, nullptr);
  m_pText->ChangeTextString(m_text.GetString());
  // The rectangle may have grown or shrunk: the quad tree files the text
  // again, so that it is found and repainted over its whole extent.
  if (CDiagram* diagram = m_pText->GetDiagram()) diagram->UpdateObject(m_pText, 1);
}

int CURTextChange::RecordUndo(CDrawText* text) {
  return Record(text->GetDocument(), RUNTIME_CLASS(CURTextChange), [text] {
    std::unique_ptr<CURTextChange> record(new CURTextChange);
    record->m_pText = text;
    record->m_position = text->GetPosition();
    record->m_text = text->TextString();
    return record;
  });
}
