#include "draft/edit/ExplodeCmd.h"

#include <memory>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/Entity.h"
#include "draft/host/EntityList.h"
#include "draft/host/ExplodeDlg.h"
#include "draft/host/Settings.h"
#include "draft/host/UndoRecord.h"
#include "platform/core/WinConstants.h"
#include "platform/ui/WinApp.h"

namespace {
constexpr const char* kSection = "Explode";
constexpr const char* kKey = "Explode Type";
}  // namespace

CExplodeCmd::CExplodeCmd(int id, CDraftView* view, int selectAnew, int deselectMode)
    : CSelectCmdBase(id, view, selectAnew, deselectMode, 0x22000, 0) {}

int CExplodeCmd::ProcessSelection(CDraftView* view) {
  if (!view) return 0;
  CEntityList& selection = *view->GetSelectionList();
  BOOL options1 = FALSE, options2 = FALSE;
  for (CEntity* e : selection) {
    if (e->HasExplodeOptions1()) options1 = TRUE;
    if (e->HasExplodeOptions2()) options2 = TRUE;
  }
  int type = GetProfileIntSetting(kSection, kKey, 80);
  if (options1 || options2) {
    CModalDialogScope scope(view, "Nobrack.DLL");
    ExplodeDlgRecord record;
    record.type = type;
    std::unique_ptr<CExplodeDlg> dlg(ConstructExplodeDlg(&record, options1, options2, AfxGetMainWnd()));
    if (dlg->DoModal() == IDOK) {
      type = record.type;
      WriteProfileIntSetting(kSection, kKey, type & 0xFF);
    }
  }
  CEntityList sources, parts;
  try {
    for (CEntity* e : selection)
      if (e->ExplodeByType(parts, type)) sources.AddTail(e);
  } catch (...) {
    for (CEntity* e : parts) delete e;
    throw;
  }
  view->ClearSelection(nullptr);
  if (!parts.IsEmpty()) {
    std::unique_ptr<CUndoRecord> record(ConstructUndoReplaceEntities());
    record->SetLists(sources, parts);
    view->RemoveEntities(sources);
    view->AddEntities(parts);
    view->PushUndoRecord(record.release());
  }
  return 0;
}
