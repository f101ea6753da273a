// Velmish's undo record: one user operation as the entities it took out of
// the drawing (old) and the entities it put in (new). Undoing takes the new
// ones out and puts the old ones back; redoing does the opposite. A record
// never owns entities; once pushed (CDraftView::PushUndoRecord) the view
// owns the record and the entities named in it.
#pragma once

#include <vector>

#include "platform/core/WinTypes.h"

class CEntity;
class CEntityList;

enum class UndoKind { kAddOne, kAddList, kDeleteOne, kDeleteList, kReplaceOne, kReplaceList };

class CUndoRecord {
 public:
  explicit CUndoRecord(UndoKind kind) : kind_(kind) {}
  CUndoRecord(const CUndoRecord&) = delete;
  CUndoRecord& operator=(const CUndoRecord&) = delete;

  UndoKind GetKind() const { return kind_; }

  // One entry: an entity taken out (or null) and one put in (or null).
  void AddEntry(CEntity* oldEntity, CEntity* newEntity);
  void AddOld(CEntity* e) { AddEntry(e, nullptr); }
  void AddNew(CEntity* e) { AddEntry(nullptr, e); }
  void AddOldList(const CEntityList& list);
  void AddNewList(const CEntityList& list);
  // Adds (old list, new list).
  void SetLists(const CEntityList& oldList, const CEntityList& newList);
  // Whether the record holds anything.
  BOOL IsEmpty() const { return old_.empty() && new_.empty(); }

  const std::vector<CEntity*>& GetOldEntities() const { return old_; }
  const std::vector<CEntity*>& GetNewEntities() const { return new_; }

 private:
  UndoKind kind_;
  std::vector<CEntity*> old_;
  std::vector<CEntity*> new_;
};

// The six record makers. The list makers start empty; the caller fills them.
CUndoRecord* ConstructUndoAddEntity(CEntity* entity);
CUndoRecord* ConstructUndoAddEntities();
CUndoRecord* ConstructUndoDeleteEntity(CEntity* entity);
CUndoRecord* ConstructUndoDeleteEntities();
CUndoRecord* ConstructUndoReplaceEntity(CEntity* oldEntity, CEntity* newEntity);
CUndoRecord* ConstructUndoReplaceEntities();
