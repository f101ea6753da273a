#include "diagram/model/undo/URObject.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "diagram/model/canvas/Diagram.h"

IMPLEMENT_DYNAMIC(CURAddToDoc, CUndoRedo)
IMPLEMENT_DYNAMIC(CURDeleteObj, CUndoRedo)
IMPLEMENT_DYNAMIC(CURRepositioning, CUndoRedo)
IMPLEMENT_DYNAMIC(CURReshaping, CUndoRedo)
IMPLEMENT_DYNAMIC(CURChangeZorder, CUndoRedo)

CMapPtrToWord CURDeleteObj::c_mapObjRef(10);

namespace {

// The map keeps the table it was given; once it holds twice as many objects
// as the table has buckets (deleting thousands of objects in one command),
// its entries move to a table four times larger, so that each lookup stays
// short and the moves cost, over all, the number of entries.
void MakeRoomForOneMore(CMapPtrToWord& map) {
  const UINT buckets = map.GetHashTableSize();
  if (static_cast<uint64_t>(map.GetCount()) < uint64_t{buckets} * 2) return;
  std::vector<std::pair<void*, WORD>> entries;
  entries.reserve(static_cast<size_t>(map.GetCount()));
  for (POSITION pos = map.GetStartPosition(); pos;) {
    void* key = nullptr;
    WORD value = 0;
    map.GetNextAssoc(pos, key, value);
    entries.emplace_back(key, value);
  }
  map.RemoveAll();
  map.InitHashTable(buckets * 4 + 1);
  for (const auto& [key, value] : entries) map.SetAt(key, value);
}

}  // namespace

void CURAddToDoc::DoUndo() { m_pObj->Delete(); }

int CURAddToDoc::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURAddToDoc), [object] {
    std::unique_ptr<CURAddToDoc> record(new CURAddToDoc);
    record->m_pObj = object;
    return record;
  });
}

int CURDeleteObj::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURDeleteObj), [object] {
    std::unique_ptr<CURDeleteObj> record(new CURDeleteObj);
    record->m_state = object->GetDrawState();
    record->m_pDiagram = object->GetDiagram();
    WORD count = 0;
    if (!c_mapObjRef.Lookup(object, count)) MakeRoomForOneMore(c_mapObjRef);
    c_mapObjRef.SetAt(object, c_mapObjRef.Lookup(object, count) ? static_cast<WORD>(count + 1) : WORD{1});
    // Only a counted reference is the record's to give back.
    record->m_pObj = object;
    return record;
  });
}

BOOL CURDeleteObj::IsReferenced(const CDrawObj* object) {
  WORD count = 0;
  return c_mapObjRef.Lookup(const_cast<CDrawObj*>(object), count);
}

bool CURDeleteObj::ReleaseReference(CDrawObj* object) {
  WORD count = 1;
  c_mapObjRef.Lookup(object, count);
  if (count > 0) --count;
  if (count == 0) {
    c_mapObjRef.RemoveKey(object);
    return true;
  }
  c_mapObjRef.SetAt(object, count);
  return false;
}

void CURDeleteObj::DoUndo() {
  m_pObj->SetDrawState(m_state);
  // When the object cannot come back, the record keeps it, so that it is
  // freed with the record instead of being lost.
  if (!m_pObj->UnDelete()) return;
  WORD count = 0;
  if (c_mapObjRef.Lookup(m_pObj, count)) ReleaseReference(m_pObj);
  m_pObj = nullptr;
}

CURDeleteObj::~CURDeleteObj() {
  if (!m_pObj) return;
  const bool last = ReleaseReference(m_pObj);
  // A diagram that is gone (the inner diagram of a composite block that
  // went) took the objects of its trash with it.
  if (m_pDiagram && !CDiagram::IsLive(m_pDiagram)) return;
  // An object that is back in use belongs to its diagram again.
  if (m_pDiagram && !m_pDiagram->DoesTrashInclude(m_pObj)) return;
  if (last) delete m_pObj;
}

void CURRepositioning::DoUndo() {
  if (m_pObj->InitializeRepositioning()) m_pObj->FinalizeDrawing(m_position, nullptr, 1);
}

int CURRepositioning::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURRepositioning), [object] {
    std::unique_ptr<CURRepositioning> record(new CURRepositioning);
    record->m_pObj = object;
    record->m_position = object->GetPosition();
    return record;
  });
}

void CURReshaping::DoUndo() {
  // A handle already in place changes nothing, but the command it belongs
  // to still goes to the other stack, so that undo and redo stay pairs.
  if (m_pObj->GetHandle(m_nHandle) == m_point) {
    RecordUndo(m_pObj, m_nHandle);
    return;
  }
  if (!m_pObj->InitializeReshaping(m_nHandle)) return;
  m_pObj->MoveHandleTo(m_nHandle, m_point, nullptr);
  m_pObj->FinalizeDrawing(m_pObj->GetPosition(), nullptr, 1);
}

int CURReshaping::RecordUndo(CDrawObj* object, int handle) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURReshaping), [object, handle] {
    std::unique_ptr<CURReshaping> record(new CURReshaping);
    record->m_pObj = object;
    record->m_nHandle = handle;
    record->m_point = object->GetHandle(handle);
    return record;
  });
}

void CURChangeZorder::DoUndo() {
  if (CDiagram* diagram = m_pObj->GetDiagram()) diagram->ChangeZorder(m_pObj, static_cast<UINT>(m_nPosition));
}

int CURChangeZorder::RecordUndo(CDrawObj* object) {
  return Record(object->GetDocument(), RUNTIME_CLASS(CURChangeZorder), [object] {
    std::unique_ptr<CURChangeZorder> record(new CURChangeZorder);
    record->m_pObj = object;
    record->m_nPosition = object->GetZIndex();
    return record;
  });
}
