#include "diagram/routing/DArray.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/core/Exceptions.h"

namespace {

template <typename T>
int Compare3(const void* a, const void* b) {
  const T& x = *static_cast<const T*>(a);
  const T& y = *static_cast<const T*>(b);
  return x < y ? -1 : (y < x ? 1 : 0);
}

size_t Bytes(int n, int size) {
  if (n < 0 || size <= 0) AfxThrowInvalidArgException();
  return static_cast<size_t>(n) * static_cast<size_t>(size);
}

// The count after growing by n (n > 0); a count beyond what an int holds
// cannot be kept.
int Grown(int count, int n) {
  if (n > INT_MAX - count) AfxThrowInvalidArgException();
  return count + n;
}

}  // namespace

int cmp_int(const void* a, const void* b) { return Compare3<int>(a, b); }
int cmp_float(const void* a, const void* b) { return Compare3<float>(a, b); }
int cmp_double(const void* a, const void* b) { return Compare3<double>(a, b); }

__ARRAY__::__ARRAY__(int n, int size) {
  Reallocate(n, size);
  m_nCount = n;
}

__ARRAY__::__ARRAY__(const __ARRAY__& other, int size) {
  Reallocate(other.m_nCount, size);
  m_nCount = other.m_nCount;
  if (m_nCount) std::memcpy(m_pBlock, other.m_pBlock, Bytes(m_nCount, size));
}

__ARRAY__::~__ARRAY__() { std::free(m_pBlock); }

void __ARRAY__::Reallocate(int n, int size) {
  size_t bytes = Bytes(n, size);
  if (bytes == 0) {
    std::free(m_pBlock);
    m_pBlock = nullptr;
    return;
  }
  void* p = std::realloc(m_pBlock, bytes);
  if (!p) AfxThrowMemoryException();
  m_pBlock = static_cast<unsigned char*>(p);
}

void __ARRAY__::reset(int n, int size) {
  Reallocate(n, size);
  m_nCount = n;
}

void __ARRAY__::_append(int n, int size) {
  if (n <= 0) return;
  reset(Grown(m_nCount, n), size);
}

void __ARRAY__::_truncate(int n, int size) {
  if (n <= 0) return;
  reset(n >= m_nCount ? 0 : m_nCount - n, size);
}

void __ARRAY__::_insert(int index, int n, int size) {
  if (index < 0 || index > m_nCount) AfxThrowInvalidArgException();
  if (n <= 0) return;
  int old = m_nCount;
  reset(Grown(m_nCount, n), size);
  if (index < old) {
    std::memmove(m_pBlock + Bytes(index + n, size), m_pBlock + Bytes(index, size), Bytes(old - index, size));
  }
}

void __ARRAY__::_remove(int index, int n, int size) {
  if (index < 0 || index >= m_nCount || n <= 0) return;
  if (n > m_nCount - index) n = m_nCount - index;
  int tail = m_nCount - index - n;
  if (tail) std::memmove(m_pBlock + Bytes(index, size), m_pBlock + Bytes(index + n, size), Bytes(tail, size));
  reset(m_nCount - n, size);
}

void __ARRAY__::_change_position(int from, int to, int size) {
  if (from < 0 || from >= m_nCount || to < 0 || to >= m_nCount) AfxThrowInvalidArgException();
  if (from == to) return;
  std::vector<unsigned char> moving(m_pBlock + Bytes(from, size), m_pBlock + Bytes(from + 1, size));
  if (from < to) {
    std::memmove(m_pBlock + Bytes(from, size), m_pBlock + Bytes(from + 1, size), Bytes(to - from, size));
  } else {
    std::memmove(m_pBlock + Bytes(to + 1, size), m_pBlock + Bytes(to, size), Bytes(from - to, size));
  }
  std::memcpy(m_pBlock + Bytes(to, size), moving.data(), moving.size());
}

void __ARRAY__::exchange(__ARRAY__& other) {
  std::swap(m_nCount, other.m_nCount);
  std::swap(m_pBlock, other.m_pBlock);
}

void __ARRAY__::oper_eq(const __ARRAY__& other, int size) {
  if (&other == this) return;
  Reallocate(other.m_nCount, size);
  m_nCount = other.m_nCount;
  if (m_nCount) std::memcpy(m_pBlock, other.m_pBlock, Bytes(m_nCount, size));
}

void __ARRAY__::_qsort(Compare cmp, int size) {
  if (m_nCount > 0) std::qsort(m_pBlock, static_cast<size_t>(m_nCount), static_cast<size_t>(size), cmp);
}

int __ARRAY__::_bin_cmp(const void* a, const void* b, int size) {
  const unsigned char* x = static_cast<const unsigned char*>(a);
  const unsigned char* y = static_cast<const unsigned char*>(b);
  for (int i = size - 1; i >= 0; --i) {
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  }
  return 0;
}

int __ARRAY__::_lookup(const void* key, int* index, Compare cmp, int size) const {
  int lo = 0, hi = m_nCount;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    int c = cmp(key, m_pBlock + Bytes(mid, size));
    if (c == 0) {
      *index = mid;
      return 1;
    }
    if (c < 0) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  *index = lo;
  return 0;
}

int __ARRAY__::_lookup(const void* key, int* index, int size) const {
  int lo = 0, hi = m_nCount;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    int c = _bin_cmp(key, m_pBlock + Bytes(mid, size), size);
    if (c == 0) {
      *index = mid;
      return 1;
    }
    if (c < 0) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  *index = lo;
  return 0;
}

int __ARRAY__::_add_key(const void* key, int size) {
  // The key may lie inside this array's block, which the insertion moves.
  std::vector<unsigned char> copy(static_cast<const unsigned char*>(key),
                                  static_cast<const unsigned char*>(key) + Bytes(1, size));
  int index = 0;
  _lookup(copy.data(), &index, size);
  _insert(index, 1, size);
  std::memcpy(m_pBlock + Bytes(index, size), copy.data(), copy.size());
  return index;
}

int __ARRAY__::_add_key_once(const void* key, int size) {
  int index = 0;
  if (_lookup(key, &index, size)) return 0;
  _add_key(key, size);
  return 1;
}

int __ARRAY__::_remove_key(const void* key, int size) {
  int index = 0;
  if (!_lookup(key, &index, size)) return 0;
  _remove(index, 1, size);
  return 1;
}

void __ARRAY__::_remove_equal_elements(Compare cmp, int size) {
  if (m_nCount <= 1) return;
  // Each element is compared with its original predecessor, which is still
  // in place when its turn comes: elements only ever move down.
  int last = 0;
  for (int i = 1; i < m_nCount; ++i) {
    if (cmp(m_pBlock + Bytes(i, size), m_pBlock + Bytes(i - 1, size)) != 0) {
      ++last;
      if (last != i) std::memcpy(m_pBlock + Bytes(last, size), m_pBlock + Bytes(i, size), Bytes(1, size));
    }
  }
  reset(last + 1, size);
}
