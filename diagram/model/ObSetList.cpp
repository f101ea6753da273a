#include "diagram/model/ObSetList.h"

IMPLEMENT_SERIAL(ObSetList, CObList, 0)

ObSetList::ObSetList(INT_PTR blockSize) : CObList(blockSize) {}

ObSetList::ObSetList(const ObSetList& other) : CObList(10) { AddTail(other); }

ObSetList& ObSetList::operator=(const ObSetList& other) { return *this = static_cast<const CObList&>(other); }

ObSetList& ObSetList::operator=(const CObList& other) {
  // Assigning a list to itself keeps it as it is.
  if (&other == this) return *this;
  RemoveAll();
  AddTail(other);
  return *this;
}

POSITION ObSetList::AddHead(CObject* object) {
  if (Find(object)) return nullptr;
  return CObList::AddHead(object);
}

POSITION ObSetList::AddTail(CObject* object) {
  if (Find(object)) return nullptr;
  return CObList::AddTail(object);
}

POSITION ObSetList::InsertBefore(POSITION position, CObject* object) {
  if (Find(object)) return nullptr;
  return CObList::InsertBefore(position, object);
}

POSITION ObSetList::InsertAfter(POSITION position, CObject* object) {
  if (Find(object)) return nullptr;
  return CObList::InsertAfter(position, object);
}

POSITION ObSetList::SetAt(POSITION position, CObject* object) {
  if (Find(object)) return nullptr;
  CObList::SetAt(position, object);
  return position;
}

void ObSetList::AddHead(const CObList& other) {
  // Walking the other list from its tail and adding each absent object at
  // the head keeps the other list's order in front of ours.
  for (POSITION pos = other.GetTailPosition(); pos;) AddHead(other.GetPrev(pos));
}

void ObSetList::AddTail(const CObList& other) {
  for (POSITION pos = other.GetHeadPosition(); pos;) AddTail(other.GetNext(pos));
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
