// Typed pointer collections over CObList/CPtrList and CObArray/CPtrArray:
// the same lists and arrays, with the element type in their signatures.
//
// References to elements are the base collection's pointer slots seen as
// TYPE; every pointer type has the same representation, and the compilers
// used treat pointer types as aliasing one another.
#pragma once

#include "platform/core/ObArray.h"
#include "platform/core/ObList.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
  static_assert(std::is_pointer_v<TYPE>);

 public:
  explicit CTypedPtrList(INT_PTR blockSize = 10) : BASE_CLASS(blockSize) {}

  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  TYPE& GetNext(POSITION& position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(position)); }
  TYPE GetNext(POSITION& position) const { return static_cast<TYPE>(BASE_CLASS::GetNext(position)); }
  TYPE& GetPrev(POSITION& position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(position)); }
  TYPE GetPrev(POSITION& position) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(position)); }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION position, TYPE value) { BASE_CLASS::SetAt(position, value); }

  POSITION AddHead(TYPE value) { return BASE_CLASS::AddHead(value); }
  POSITION AddTail(TYPE value) { return BASE_CLASS::AddTail(value); }
  void AddHead(CTypedPtrList* other) { BASE_CLASS::AddHead(other); }
  void AddTail(CTypedPtrList* other) { BASE_CLASS::AddTail(other); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
  static_assert(std::is_pointer_v<TYPE>);

 public:
  TYPE GetAt(INT_PTR i) const { return static_cast<TYPE>(BASE_CLASS::GetAt(i)); }
  TYPE& ElementAt(INT_PTR i) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(i)); }
  void SetAt(INT_PTR i, TYPE value) { BASE_CLASS::SetAt(i, value); }
  void SetAtGrow(INT_PTR i, TYPE value) { BASE_CLASS::SetAtGrow(i, value); }
  INT_PTR Add(TYPE value) { return BASE_CLASS::Add(value); }
  void InsertAt(INT_PTR i, TYPE value, INT_PTR count = 1) { BASE_CLASS::InsertAt(i, value, count); }
  void InsertAt(INT_PTR start, CTypedPtrArray* other) { BASE_CLASS::InsertAt(start, other); }
  INT_PTR Append(const CTypedPtrArray& other) { return BASE_CLASS::Append(other); }
  void Copy(const CTypedPtrArray& other) { BASE_CLASS::Copy(other); }
  TYPE operator[](INT_PTR i) const { return GetAt(i); }
  TYPE& operator[](INT_PTR i) { return ElementAt(i); }
};
