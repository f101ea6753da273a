#include "draft/edit/SelectionCopies.h"

#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/Messages.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"

bool AskKeepSources(CDraftView* view) {
  int& flag = view->ModalDialogFlag();
  flag = 1;
  const int answer = ShowMessage("保留原图？", MB_YESNO | MB_ICONQUESTION);
  flag = 0;
  return answer == IDYES;
}

std::unique_ptr<CUndoRecord> ReplaceSelectionByCopies(CDraftView* view, bool keep,
                                                      const std::function<CEntity*(CEntity*)>& transform) {
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList& selection = *view->GetSelectionList();
  CEntityList sources, made, rejected;
  try {
    while (!selection.IsEmpty()) {
      CEntity* source = selection.GetHead();
      std::unique_ptr<CEntity> copy(transform(source));
      selection.RemoveHead();
      if (!copy) {
        rejected.AddTail(source);
        continue;
      }
      sources.AddTail(source);
      made.AddTail(copy.release());
    }
  } catch (...) {
    for (CEntity* e : made) delete e;
    view->SelectEntities(sources, 1, 0, 0, 0);
    view->SelectEntities(rejected, 1, 0, 0, 0);
    throw;
  }
  if (!rejected.IsEmpty()) view->SelectEntities(rejected, 1, 0, 0, 0);
  if (!keep) {
    record->SetLists(sources, made);
    view->RemoveEntities(sources);
  } else {
    selection.AddTail(sources);
    record->SetLists(CEntityList(), made);
  }
  view->ClearSelection(nullptr);
  view->AddEntities(made);
  return record;
}
