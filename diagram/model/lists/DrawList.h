// CDrawList: an ordered set of drawing objects (the diagram's z-order and
// trash, a view's selection, the operands of a command, the contents of a
// quad-tree node) with the filters that widen or narrow a selection along
// the diagram's structure. It never owns its objects.
#pragma once

#include "diagram/model/lists/DrawListFilter.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/lists/ObSetList.h"

class CDrawDoc;

class CDrawList : public ObSetList {
  DECLARE_SERIAL(CDrawList)

 public:
  // Orders two elements: a positive result puts `a` after `b`.
  using CompareFunc = int (*)(CDrawObj* a, CDrawObj* b, CDrawList* list);

  explicit CDrawList(INT_PTR blockSize = 10) : ObSetList(blockSize) {}
  CDrawList(const CDrawList& other) : ObSetList(other) {}
  CDrawList& operator=(const CDrawList& other);
  CDrawList& operator=(const CObList& other);

  POSITION AddHead(CDrawObj* object) { return ObSetList::AddHead(ToObject(object)); }
  POSITION AddTail(CDrawObj* object) { return ObSetList::AddTail(ToObject(object)); }
  void AddHead(const CObList& other) { ObSetList::AddHead(other); }
  void AddTail(const CObList& other) { ObSetList::AddTail(other); }
  POSITION InsertBefore(POSITION position, CDrawObj* object) {
    return ObSetList::InsertBefore(position, ToObject(object));
  }
  POSITION InsertAfter(POSITION position, CDrawObj* object) {
    return ObSetList::InsertAfter(position, ToObject(object));
  }
  POSITION SetAt(POSITION position, CDrawObj* object) { return ObSetList::SetAt(position, ToObject(object)); }
  CDrawList& operator+=(CDrawObj* object);
  CDrawList& operator-=(CDrawObj* object);
  CDrawList& operator+=(const CObList& other);
  CDrawList& operator-=(const CObList& other);

  CDrawObj* RemoveHead() { return FromObject(ObSetList::RemoveHead()); }
  CDrawObj* RemoveTail() { return FromObject(ObSetList::RemoveTail()); }
  CDrawObj* GetHead() const { return FromObject(CObList::GetHead()); }
  CDrawObj* GetTail() const { return FromObject(CObList::GetTail()); }
  CDrawObj* GetNext(POSITION& position) const { return FromObject(CObList::GetNext(position)); }
  CDrawObj* GetPrev(POSITION& position) const { return FromObject(CObList::GetPrev(position)); }
  CDrawObj* GetAt(POSITION position) const { return FromObject(CObList::GetAt(position)); }

  // Below 1: at the head; an existing index: before it; beyond the end:
  // appended.
  POSITION InsertAtIndex(int index, CDrawObj* object);

  // Stable insertion sort of the whole list, or of `count` elements from
  // `position` on. Elements move between the nodes, so positions stay
  // valid.
  void Sort(CompareFunc compare);
  void Sort(POSITION position, int count, CompareFunc compare);

  // Structure filters.
  void IncludeElementComponents();
  void ExcludeElementComponents();
  void IncludeAttachedArcs();
  void ExcludeDanglingArcs();
  void IncludeContainedArcs();

  // Class and capability filters.
  void Exclude(const CRuntimeClass* cls);
  void ExcludeArcs();
  void ExcludeAllBut(const CRuntimeClass* cls);
  void ExcludeAllBut(IDrawListFilter& filter);
  void ExcludeNonSelectables();
  void ExcludeNonDraggables();
  void ExcludeNonDeleteables();
  void ExcludeNonGroupables();
  void ExcludeNonCopyables();

  // Appends the source's elements of the class (or passing the test) in
  // source order; returns how many source elements passed, counting those
  // already present here.
  int CopyFromFilter(const CDrawList& source, const CRuntimeClass* cls);
  int CopyFromFilter(const CDrawList& source, IDrawListFilter& filter);

  // The element of the class nearest the tail, or null.
  CDrawObj* GetLastSelectedClassType(const CRuntimeClass* cls) const;
  BOOL HasA(const CRuntimeClass* cls) const;
  BOOL HasSomethingOtherThan(const CRuntimeClass* cls) const;

  // Deletes every element, tail first, as one undo command of the document
  // (none without a document); 0 when the recording is refused.
  int DeleteElements(CDrawDoc* document);
  // Undeletes every element, head first.
  void UnDeleteElements();

 private:
  static CObject* ToObject(CDrawObj* object) { return object; }
  static CDrawObj* FromObject(CObject* object) { return static_cast<CDrawObj*>(object); }
  // Removes the elements (and null entries when `dropNull`) for which
  // `remove` is true.
  template <typename Pred>
  void RemoveIf(Pred remove);
  // Whether both ports of the wire are in this list.
  BOOL HoldsBothEndsOf(CDrawObj* arc) const;
};
