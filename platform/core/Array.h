// CArray<TYPE, ARG_TYPE>: the framework's growable array. Capacity grows by
// the grow-by step set with SetSize, or by default by an eighth of the size
// (at least 4, at most 1024 elements); new elements are value-initialised
// (zero for plain data). An index out of range throws CInvalidArgException.
#pragma once

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/core/SerializeElements.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
  static_assert(!std::is_same_v<TYPE, bool>, "use BYTE or BOOL elements");

 public:
  CArray() = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }

  // Sets the number of elements; a grow-by of -1 keeps the current step.
  void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
    if (newSize < 0) AfxThrowInvalidArgException();
    if (growBy >= 0) m_nGrowBy = growBy;
    Reserve(static_cast<size_t>(newSize));
    Guard([&] { m_data.resize(static_cast<size_t>(newSize)); });
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); m_data.shrink_to_fit(); }

  const TYPE& GetAt(INT_PTR i) const { return m_data[Index(i)]; }
  TYPE& GetAt(INT_PTR i) { return m_data[Index(i)]; }
  void SetAt(INT_PTR i, ARG_TYPE value) { m_data[Index(i)] = value; }
  const TYPE& ElementAt(INT_PTR i) const { return GetAt(i); }
  TYPE& ElementAt(INT_PTR i) { return GetAt(i); }
  const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
  TYPE& operator[](INT_PTR i) { return GetAt(i); }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

  // Sets element i, growing the array to reach it.
  void SetAtGrow(INT_PTR i, ARG_TYPE value) {
    if (i < 0) AfxThrowInvalidArgException();
    TYPE copy(value);  // `value` may live in this array
    if (i >= GetSize()) SetSize(i + 1);
    m_data[static_cast<size_t>(i)] = std::move(copy);
  }
  INT_PTR Add(ARG_TYPE value) {
    INT_PTR index = GetSize();
    SetAtGrow(index, value);
    return index;
  }
  // Appends the other array's elements; returns the index of the first.
  INT_PTR Append(const CArray& other) {
    INT_PTR old = GetSize();
    std::vector<TYPE> copy(other.m_data);
    Reserve(m_data.size() + copy.size());
    Guard([&] { m_data.insert(m_data.end(), copy.begin(), copy.end()); });
    return old;
  }
  void Copy(const CArray& other) {
    if (this != &other) Guard([&] { m_data = other.m_data; });
  }

  // Inserts `count` copies at `index`, growing the array when `index` is at
  // or past the end.
  void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1) {
    if (index < 0 || count < 0) AfxThrowInvalidArgException();
    if (count == 0) return;
    TYPE copy(value);
    if (index >= GetSize()) {
      SetSize(index + count);
      std::fill_n(m_data.begin() + index, count, copy);
      return;
    }
    Reserve(m_data.size() + static_cast<size_t>(count));
    Guard([&] { m_data.insert(m_data.begin() + index, static_cast<size_t>(count), copy); });
  }
  void InsertAt(INT_PTR startIndex, const CArray* other) {
    if (!other || startIndex < 0) AfxThrowInvalidArgException();
    if (other->IsEmpty()) return;
    std::vector<TYPE> copy(other->m_data);
    if (startIndex > GetSize()) SetSize(startIndex);
    Reserve(m_data.size() + copy.size());
    Guard([&] { m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end()); });
  }
  void RemoveAt(INT_PTR index, INT_PTR count = 1) {
    if (index < 0 || count < 0 || index + count > GetSize()) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
  }

  // The count (WriteCount), then the elements (see SerializeElements.h).
  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    } else {
      DWORD_PTR count = ar.ReadCount();
      if (count > static_cast<DWORD_PTR>(INT32_MAX)) AfxThrowMemoryException();
      SetSize(static_cast<INT_PTR>(count));
    }
    SerializeElements<TYPE>(ar, GetData(), GetSize());
  }

 protected:
  size_t Index(INT_PTR i) const {
    if (i < 0 || i >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<size_t>(i);
  }
  // Grows the capacity in the framework's steps.
  void Reserve(size_t needed) {
    if (needed <= m_data.capacity()) return;
    size_t step = m_nGrowBy > 0 ? static_cast<size_t>(m_nGrowBy)
                                : std::clamp<size_t>(m_data.size() / 8, 4, 1024);
    size_t capacity = std::max(needed, m_data.capacity() + step);
    Guard([&] { m_data.reserve(capacity); });
  }
  // Turns an allocation failure into the framework's memory exception.
  template <class F>
  static void Guard(F&& f) {
    try {
      f();
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    } catch (const std::length_error&) {
      AfxThrowMemoryException();
    }
  }

  std::vector<TYPE> m_data;
  INT_PTR m_nGrowBy = 0;
};
