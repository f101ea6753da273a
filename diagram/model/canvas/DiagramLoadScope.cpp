#include "diagram/model/canvas/DiagramLoadScope.h"

#include "diagram/model/document/DrawDoc.h"

DiagramLoadScope::DiagramLoadScope(CDrawDoc* document, CDiagram* diagram, CDrawList*& loadingSlot,
                                   CDrawList& elements)
    : document_(document), previous_(document->GetActiveDiagram()), slot_(loadingSlot) {
  document_->SetActiveDiagram(diagram);
  slot_ = &elements;
}

DiagramLoadScope::~DiagramLoadScope() {
  slot_ = nullptr;
  document_->SetActiveDiagram(previous_);
}
