// ObSetList: a list of object pointers with set semantics. Every operation
// that adds refuses an object that is already present, so the list is a set
// that keeps insertion order. It never owns its objects.
//
// Membership is answered in constant time: once the list has grown past a
// few elements and is searched, it keeps, beside the list, an index from
// each object to the position that holds it, so that adding, finding and
// removing an object cost the same whatever the list's length. Every change
// must therefore go through ObSetList's own members (which hide CObList's of
// the same names); CObList's members called through a base-class reference
// would leave the index behind.
#pragma once

#include "platform/core/ObList.h"
#include "platform/core/Object.h"
#include "platform/core/PointerMap.h"

class ObSetList : public CObList {
  DECLARE_SERIAL(ObSetList)

 public:
  explicit ObSetList(INT_PTR blockSize = 10);
  // Copies are sets too: duplicates of the source collapse.
  ObSetList(const ObSetList& other);
  ObSetList& operator=(const ObSetList& other);
  ObSetList& operator=(const CObList& other);
  ~ObSetList() override;

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

  CObject* RemoveHead();
  CObject* RemoveTail();
  void RemoveAt(POSITION position);
  void RemoveAll();

  // The position of the object, or null. Searching after `startAfter`
  // walks the list from there.
  POSITION Find(const CObject* object, POSITION startAfter = nullptr) const;

  ObSetList& operator+=(CObject* object);
  ObSetList& operator-=(CObject* object);
  ObSetList& operator+=(const CObList& other);
  ObSetList& operator-=(const CObList& other);

  // Lets go of the index; the first search that needs it again builds it
  // again. For a caller about to empty a long list from its head, which
  // the list answers without its index: the elements then leave without
  // an index entry to erase each.
  void DropIndex();

  // The 0-based index of the object, -1 when absent.
  int GetIndex(const CObject* object) const;

  // Reads the list as CObList stores it; a repeated object is kept once.
  void Serialize(CArchive& ar) override;

 protected:
  // Puts an object that the list holds elsewhere at `position`, for a
  // reordering that puts every element it moves at its new place (a sort):
  // the index follows the object.
  void PlaceAt(POSITION position, CObject* object);

 private:
  // A list this short is searched by walking it; a longer one builds its
  // index when first searched and keeps it until the list is emptied.
  static constexpr INT_PTR kIndexFrom = 32;

  // For the quad tree, which knows that the object is absent (a node files
  // an object at most once; a query stamps what it has met): adds without
  // the search for a duplicate, and builds no index (one that exists is
  // kept).
  POSITION AddHeadUnsearched(CObject* object);
  POSITION AddTailUnsearched(CObject* object);
  friend class QuadTreeNode;

  // Appends the elements of another set to this empty list.
  void CopySet(const ObSetList& other);
  void Indexed(CObject* object, POSITION position);
  void Unindexed(const CObject* object);
  void BuildIndex() const;

  // Built by a search, which is const.
  mutable platform::PointerMap<POSITION> m_index;
  mutable bool m_bIndexed = false;
};
