// ObSetList: a list of object pointers with set semantics. Every operation
// that adds refuses an object that is already present, so the list is a set
// that keeps insertion order. It never owns its objects.
#pragma once

#include "platform/core/ObList.h"
#include "platform/core/Object.h"

class ObSetList : public CObList {
  DECLARE_SERIAL(ObSetList)

 public:
  explicit ObSetList(INT_PTR blockSize = 10);
  // Copies are sets too: duplicates of the source collapse.
  ObSetList(const ObSetList& other);
  ObSetList& operator=(const ObSetList& other);
  ObSetList& operator=(const CObList& other);

  // Null (nothing added) when the object is already present.
  POSITION AddHead(CObject* object);
  POSITION AddTail(CObject* object);
  POSITION InsertBefore(POSITION position, CObject* object);
  POSITION InsertAfter(POSITION position, CObject* object);
  // Refused (null) when the object is anywhere in the list, else replaces
  // the element at `position` and returns it.
  POSITION SetAt(POSITION position, CObject* object);

  // Adds the other list's absent objects at the head, in their order.
  void AddHead(const CObList& other);
  // Appends the other list's absent objects, in their order.
  void AddTail(const CObList& other);

  ObSetList& operator+=(CObject* object);
  ObSetList& operator-=(CObject* object);
  ObSetList& operator+=(const CObList& other);
  ObSetList& operator-=(const CObList& other);

  // The 0-based index of the object, -1 when absent.
  int GetIndex(const CObject* object) const;
};
