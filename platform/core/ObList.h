// CObList and CPtrList: lists of object and untyped pointers. CObList stores
// and loads its objects: the count (WriteCount), then each object with
// WriteObject / ReadObject. Neither list owns what it points to.
#pragma once

#include "platform/core/List.h"

class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)

 public:
  explicit CObList(INT_PTR blockSize = 10) : CList(blockSize) {}
  using CList::AddHead;
  using CList::AddTail;
  void AddHead(CObList* other) { CList::AddHead(other); }
  void AddTail(CObList* other) { CList::AddTail(other); }
  void Serialize(CArchive& ar) override;
};

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)

 public:
  explicit CPtrList(INT_PTR blockSize = 10) : CList(blockSize) {}
  using CList::AddHead;
  using CList::AddTail;
  void AddHead(CPtrList* other) { CList::AddHead(other); }
  void AddTail(CPtrList* other) { CList::AddTail(other); }
};
