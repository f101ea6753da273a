// The view's look-ups over the drawing that tables use.
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"

CEntity* CDraftView::GetPartsListTable() const {
  CEntity* best = nullptr;
  unsigned long long bestOrder = 0;
  for (const CEntityList* list : {&entities_, &selection_}) {
    for (POSITION pos = list->GetHeadPosition(); pos;) {
      CEntity* e = list->GetNext(pos);
      if (!e || e->GetTableKind() != 1) continue;
      auto it = order_.find(e->GetHandle());
      const unsigned long long order = it == order_.end() ? ~0ULL : it->second;
      if (!best || order < bestOrder) {
        best = e;
        bestOrder = order;
      }
    }
  }
  return best;
}
