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

void CopySelection(CDraftView* view, const std::function<CEntity*(CEntity*)>& transform,
                   const std::function<void(CEntity*, CEntityList&)>& more, CEntityList& sources,
                   CEntityList& made) {
  CEntityList& selection = *view->GetSelectionList();
  CEntityList rejected;
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
      if (more) more(source, made);
    }
  } catch (...) {
    // Nothing changes: the copies go and the entities taken are selected again.
    for (CEntity* e : made) delete e;
    view->SelectEntities(sources, 1, 0, 0, 0);
    view->SelectEntities(rejected, 1, 0, 0, 0);
    throw;
  }
  if (!rejected.IsEmpty()) view->SelectEntities(rejected, 1, 0, 0, 0);
}

void RecordReplacement(CDraftView* view, bool keep, CUndoRecord& record, CEntityList& sources,
                       const CEntityList& made) {
  if (!keep) {
    record.SetLists(sources, made);
    view->RemoveEntities(sources);
  } else {
    view->GetSelectionList()->AddTail(sources);
    record.SetLists(CEntityList(), made);
  }
}

std::unique_ptr<CUndoRecord> ReplaceSelectionByCopies(CDraftView* view, bool keep,
                                                      const std::function<CEntity*(CEntity*)>& transform) {
  std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
  CEntityList sources, made;
  CopySelection(view, transform, nullptr, sources, made);
  RecordReplacement(view, keep, *record, sources, made);
  view->ClearSelection(nullptr);
  view->AddEntities(made);
  return record;
}
