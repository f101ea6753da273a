// A minimal untyped growable array of equal-sized elements in one heap block,
// with sorted-key lookup and sorting. The element size is passed to every
// operation; D_ARRAY<T> fixes it for a trivially copyable element type.
//
// The block always holds exactly count() elements: every change of size
// reallocates to the exact new size. Elements are copied as raw bytes.
// When memory runs out a CMemoryException is thrown and the array is left as
// it was; an index outside the array, or a count beyond what an int holds,
// throws CInvalidArgException.
#pragma once

#include <cstddef>
#include <type_traits>

// qsort-style comparators for _qsort and _lookup: -1, 0 or 1, ascending.
int cmp_int(const void* a, const void* b);
int cmp_float(const void* a, const void* b);
int cmp_double(const void* a, const void* b);

class __ARRAY__ {
 public:
  using Compare = int (*)(const void*, const void*);

  // n uninitialised elements (no block when n is 0).
  __ARRAY__(int n, int size);
  // Same count, bytes copied.
  __ARRAY__(const __ARRAY__& other, int size);
  ~__ARRAY__();
  __ARRAY__(const __ARRAY__&) = delete;
  __ARRAY__& operator=(const __ARRAY__&) = delete;

  int count() const { return m_nCount; }
  void* data() { return m_pBlock; }
  const void* data() const { return m_pBlock; }

  // Reallocates to n elements (the first min(n, count) keep their bytes).
  void reset(int n, int size);
  // Grows by n uninitialised elements at the end.
  void _append(int n, int size);
  // Shrinks by n elements (at most all of them).
  void _truncate(int n, int size);
  // Grows by n uninitialised elements at index (0..count).
  void _insert(int index, int n, int size);
  // Removes n elements from index, or all from index on when fewer remain;
  // an index outside the array changes nothing.
  void _remove(int index, int n, int size);
  // Moves one element from `from` to `to`, shifting those between by one.
  void _change_position(int from, int to, int size);
  // Swaps contents with another array of the same element size.
  void exchange(__ARRAY__& other);
  // Becomes a byte copy of other.
  void oper_eq(const __ARRAY__& other, int size);

  void _qsort(Compare cmp, int size);
  // Binary search in an array sorted by cmp: 1 and the index of an equal
  // element, or 0 and the index at which key would be inserted.
  int _lookup(const void* key, int* index, Compare cmp, int size) const;
  // The same in little-endian unsigned integer order of the raw bytes.
  int _lookup(const void* key, int* index, int size) const;
  // Inserts a copy of key at its sorted place unless an equal element
  // exists; 1 when inserted.
  int _add_key_once(const void* key, int size);
  // Inserts a copy of key at its sorted place; returns its index.
  int _add_key(const void* key, int size);
  // Removes the equal element when found; 1 when removed.
  int _remove_key(const void* key, int size);
  // In a sorted array, removes every element that cmp finds equal to its
  // predecessor, keeping the first of each run.
  void _remove_equal_elements(Compare cmp, int size);

  // Compares two elements of `size` bytes from the last byte down to the
  // first (unsigned): little-endian unsigned integer order.
  static int _bin_cmp(const void* a, const void* b, int size);

 private:
  // Reallocates the block to n elements; count is not changed.
  void Reallocate(int n, int size);

  int m_nCount = 0;
  unsigned char* m_pBlock = nullptr;
};

template <typename T>
class D_ARRAY : public __ARRAY__ {
  static_assert(std::is_trivially_copyable_v<T>, "elements are copied as raw bytes");

 public:
  explicit D_ARRAY(int n = 0) : __ARRAY__(n, sizeof(T)) {}

  T& operator[](int i) { return static_cast<T*>(data())[i]; }
  const T& operator[](int i) const { return static_cast<const T*>(data())[i]; }

  void append(int n) { _append(n, sizeof(T)); }
  void reset(int n) { __ARRAY__::reset(n, sizeof(T)); }
  void remove(int index, int n) { _remove(index, n, sizeof(T)); }
};
