#include "diagram/model/lists/ObSetList.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(ObSetList, CObList, 0)

ObSetList::ObSetList(INT_PTR blockSize) : CObList(blockSize) {}

ObSetList::ObSetList(const ObSetList& other) : CObList(10) { AddTail(other); }

void ObSetList::CopySet(const ObSetList& other) {
  // A set has no duplicates to refuse: its elements are appended as they
  // are, and indexed when a search first asks. An index kept while this
  // list was emptied element by element is let go first, or those searches
  // would trust it and miss the new elements.
  DropIndex();
  for (const CNode* n = other.m_pNodeHead; n; n = n->pNext) CObList::AddTail(n->data);
}

ObSetList::~ObSetList() = default;

ObSetList& ObSetList::operator=(const ObSetList& other) { return *this = static_cast<const CObList&>(other); }

ObSetList& ObSetList::operator=(const CObList& other) {
  // Assigning a list to itself keeps it as it is.
  if (&other == this) return *this;
  RemoveAll();
  AddTail(other);
  return *this;
}

void ObSetList::BuildIndex() const {
  m_index.Reserve(static_cast<size_t>(m_nCount));
  for (CNode* n = m_pNodeHead; n; n = n->pNext) m_index.Set(n->data, n);
  m_bIndexed = true;
}

void ObSetList::DropIndex() {
  m_index.Clear();
  m_bIndexed = false;
}

void ObSetList::Indexed(CObject* object, POSITION position) {
  if (m_bIndexed) m_index.Set(object, position);
}

void ObSetList::Unindexed(const CObject* object) {
  if (m_bIndexed) m_index.Erase(object);
}

POSITION ObSetList::Find(const CObject* object, POSITION startAfter) const {
  if (startAfter) return CObList::Find(const_cast<CObject*>(object), startAfter);
  if (!m_pNodeHead) return nullptr;
  // The ends first: a list emptied from the front, or grown at the back,
  // asks about its ends, and those nodes are at hand where the index's
  // entry is not.
  if (m_pNodeHead->data == object) return m_pNodeHead;
  if (m_pNodeTail->data == object) return m_pNodeTail;
  if (!m_bIndexed) {
    if (m_nCount < kIndexFrom) return CObList::Find(const_cast<CObject*>(object));
    BuildIndex();
  }
  const POSITION* position = m_index.Find(object);
  return position ? *position : nullptr;
}

POSITION ObSetList::AddHead(CObject* object) {
  if (Find(object)) return nullptr;
  POSITION position = CObList::AddHead(object);
  Indexed(object, position);
  return position;
}

POSITION ObSetList::AddHeadUnsearched(CObject* object) {
  POSITION position = CObList::AddHead(object);
  if (m_bIndexed) m_index.Set(object, position);
  return position;
}

POSITION ObSetList::AddTailUnsearched(CObject* object) {
  POSITION position = CObList::AddTail(object);
  if (m_bIndexed) m_index.Set(object, position);
  return position;
}

POSITION ObSetList::AddTail(CObject* object) {
  if (Find(object)) return nullptr;
  POSITION position = CObList::AddTail(object);
  Indexed(object, position);
  return position;
}

POSITION ObSetList::InsertBefore(POSITION position, CObject* object) {
  if (Find(object)) return nullptr;
  POSITION inserted = CObList::InsertBefore(position, object);
  Indexed(object, inserted);
  return inserted;
}

POSITION ObSetList::InsertAfter(POSITION position, CObject* object) {
  if (Find(object)) return nullptr;
  POSITION inserted = CObList::InsertAfter(position, object);
  Indexed(object, inserted);
  return inserted;
}

POSITION ObSetList::SetAt(POSITION position, CObject* object) {
  if (Find(object)) return nullptr;
  Unindexed(CObList::GetAt(position));
  CObList::SetAt(position, object);
  if (m_bIndexed) m_index.Set(object, position);
  return position;
}

void ObSetList::PlaceAt(POSITION position, CObject* object) {
  CObList::SetAt(position, object);
  if (m_bIndexed) m_index.Set(object, position);
}

void ObSetList::AddHead(const CObList& other) {
  // Walking the other list from its tail and adding each absent object at
  // the head keeps the other list's order in front of ours.
  for (POSITION pos = other.GetTailPosition(); pos;) AddHead(other.GetPrev(pos));
}

void ObSetList::AddTail(const CObList& other) {
  if (IsEmpty() && &other != this && other.IsKindOf(RUNTIME_CLASS(ObSetList))) {
    CopySet(static_cast<const ObSetList&>(other));
    return;
  }
  for (POSITION pos = other.GetHeadPosition(); pos;) AddTail(other.GetNext(pos));
}

CObject* ObSetList::RemoveHead() {
  CObject* object = CObList::RemoveHead();
  Unindexed(object);
  return object;
}

CObject* ObSetList::RemoveTail() {
  CObject* object = CObList::RemoveTail();
  Unindexed(object);
  return object;
}

void ObSetList::RemoveAt(POSITION position) {
  Unindexed(CObList::GetAt(position));
  CObList::RemoveAt(position);
}

void ObSetList::RemoveAll() {
  CObList::RemoveAll();
  m_index.Clear();
  m_bIndexed = false;
}

ObSetList& ObSetList::operator+=(CObject* object) {
  AddTail(object);
  return *this;
}

ObSetList& ObSetList::operator-=(CObject* object) {
  if (POSITION pos = Find(object)) RemoveAt(pos);
  return *this;
}

ObSetList& ObSetList::operator+=(const CObList& other) {
  AddTail(other);
  return *this;
}

ObSetList& ObSetList::operator-=(const CObList& other) {
  if (&other == this) {
    RemoveAll();
    return *this;
  }
  for (POSITION pos = other.GetHeadPosition(); pos;) *this -= other.GetNext(pos);
  return *this;
}

int ObSetList::GetIndex(const CObject* object) const {
  int index = 0;
  for (POSITION pos = GetHeadPosition(); pos; ++index) {
    if (GetNext(pos) == object) return index;
  }
  return -1;
}

void ObSetList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    CObList::Serialize(ar);
    return;
  }
  // Read as CObList reads, through the set's own AddTail, so that the
  // index follows and a repeated object is kept once.
  CObject::Serialize(ar);
  for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
    CObject* object;
    ar >> object;
    AddTail(object);
  }
}
