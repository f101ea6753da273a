#include "draft/construct/LayerChange.h"

#include "draft/construct/ChangeLayerDlg.h"
#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

BOOL RunChangeLayerDialog(CDraftView* view, BYTE layer, BYTE& chosen) {
  CModalDialogScope scope(view);
  CChangeLayerDlg dlg(layer, view ? view->GetLayerTable() : nullptr, nullptr);
  if (dlg.DoModal() != IDOK) return FALSE;
  chosen = dlg.GetLayer();
  return TRUE;
}

int MoveToLayerByCopies(CDraftView* view, const CEntityList& sources, int oldLayer, int newLayer) {
  if (!view) return 0;
  CEntityList moved, copies;
  for (CEntity* e : sources) {
    CEntity* copy = e ? e->Clone(1) : nullptr;
    if (!copy) continue;  // not copied: it stays where it is
    copy->ReplaceLayer(oldLayer, newLayer);
    moved.AddTail(e);
    copies.AddTail(copy);
  }
  if (moved.IsEmpty()) return 0;
  view->RemoveEntities(moved);
  view->AddEntities(copies);
  CUndoRecord* record = ConstructUndoReplaceEntities();
  record->SetLists(moved, copies);
  view->PushUndoRecord(record);
  return moved.GetCount();
}
