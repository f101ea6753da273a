#include "draft/host/UndoRecord.h"

#include "draft/host/EntityList.h"

void CUndoRecord::AddEntry(CEntity* oldEntity, CEntity* newEntity) {
  if (oldEntity) old_.push_back(oldEntity);
  if (newEntity) new_.push_back(newEntity);
}

void CUndoRecord::AddOldList(const CEntityList& list) {
  for (CEntity* e : list) AddOld(e);
}

void CUndoRecord::AddNewList(const CEntityList& list) {
  for (CEntity* e : list) AddNew(e);
}

void CUndoRecord::SetLists(const CEntityList& oldList, const CEntityList& newList) {
  AddOldList(oldList);
  AddNewList(newList);
}

CUndoRecord* ConstructUndoAddEntity(CEntity* entity) {
  auto* r = new CUndoRecord(UndoKind::kAddOne);
  r->AddNew(entity);
  return r;
}

CUndoRecord* ConstructUndoAddEntities() { return new CUndoRecord(UndoKind::kAddList); }

CUndoRecord* ConstructUndoDeleteEntity(CEntity* entity) {
  auto* r = new CUndoRecord(UndoKind::kDeleteOne);
  r->AddOld(entity);
  return r;
}

CUndoRecord* ConstructUndoDeleteEntities() { return new CUndoRecord(UndoKind::kDeleteList); }

CUndoRecord* ConstructUndoReplaceEntity(CEntity* oldEntity, CEntity* newEntity) {
  auto* r = new CUndoRecord(UndoKind::kReplaceOne);
  r->AddEntry(oldEntity, newEntity);
  return r;
}

CUndoRecord* ConstructUndoReplaceEntities() { return new CUndoRecord(UndoKind::kReplaceList); }
