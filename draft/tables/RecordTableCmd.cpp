#include "draft/tables/RecordTableCmd.h"

#include <unordered_set>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/DraftView.h"
#include "draft/host/TableEntity.h"
#include "draft/tables/RecordInfoDlg.h"

CRecordTableCmd::CRecordTableCmd(int first, int last, int mode, int extra, const CEntityList* entities,
                                 const char* path, int id, CEntityList* oldEntities, CEntityList* newEntities)
    : CPlaceTableCmd(nullptr, id, 1, nullptr, oldEntities, newEntities),
      last_(last), first_(first), mode_(mode), path_(path ? path : ""), extra_(extra), numeric_(1) {
  if (entities)
    for (CEntity* e : *entities)
      if (e) entities_.AddTail(e);
}

CRecordTableCmd::CRecordTableCmd(const CStringArray& values, int mode, const CEntityList* entities,
                                 const char* path, int id, CEntityList* oldEntities, CEntityList* newEntities)
    : CPlaceTableCmd(nullptr, id, 1, nullptr, oldEntities, newEntities),
      mode_(mode), path_(path ? path : ""), numeric_(0) {
  values_.Copy(values);
  if (entities)
    for (CEntity* e : *entities)
      if (e) entities_.AddTail(e);
  pointCount_ = 1;
}

CRecordTableCmd::~CRecordTableCmd() { entities_.RemoveAll(); }

int CRecordTableCmd::TakeTable(CDraftView* view, CTableEntity* table, bool byLayout) {
  if (!table) return 0;
  CPlaceTableCmd::TakeTable(table);
  // A parts list (layout kind 1) is laid out in the drawing's attribute
  // group, which becomes the placement group; another table is placed in
  // the current group that Begin bound.
  CDrawingGroup* current = group_;
  const int armed = ArmPlacement(view);
  if (armed && byLayout && table->GetTableKind() != 1 && current) {
    group_ = current;
    table->SetEntityGroup(current);
  }
  return armed;
}

void CRecordTableCmd::KeepDrawingEntities(CDraftView* view) {
  std::unordered_set<const CEntity*> listed;
  for (const CEntity* e : *view->GetEntityList()) listed.insert(e);
  for (const CEntity* e : *view->GetSelectionList())
    if (!view->IsRegistered(e)) listed.insert(e);
  CEntityList kept;
  for (CEntity* e : entities_)
    if (listed.count(e)) kept.AddTail(e);
  entities_.RemoveAll();
  for (CEntity* e : kept) entities_.AddTail(e);
}

int CRecordTableCmd::Begin(CDraftView* view) {
  if (!numeric_) return BeginWithValues(view);
  if (!CCmdBase::Begin(view) || !view) return 0;
  KeepDrawingEntities(view);
  CTableEntity* table = nullptr;
  {
    CModalDialogScope scope(view);
    CRecordInfoDlg dlg(first_, last_, mode_, extra_, &entities_, path_, view, &OldEntities(), &NewEntities(),
                       nullptr);
    if (dlg.DoModal() != IDOK) return 0;
    table = dlg.TakeResultTable();
  }
  return TakeTable(view, table, true);
}

int CRecordTableCmd::BeginWithValues(CDraftView* view) {
  if (!CCmdBase::Begin(view) || !view) return 0;
  KeepDrawingEntities(view);
  CTableEntity* table = nullptr;
  {
    CModalDialogScope scope(view);
    CRecordInfoDlg dlg(values_, mode_, &entities_, path_, view, &OldEntities(), &NewEntities(), nullptr);
    if (dlg.DoModal() != IDOK) return 0;
    table = dlg.TakeResultTable();
  }
  return TakeTable(view, table, false);
}
