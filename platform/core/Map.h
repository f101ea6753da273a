// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: the framework's hash map. Keys are
// hashed with HashKey (pointers and integers by their value shifted right by
// 4, as the framework does; other keys with std::hash) into a table of 17
// buckets unless InitHashTable chose another size. A POSITION from
// GetStartPosition/GetNextAssoc stays valid while other entries are removed.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/core/SerializeElements.h"

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key) {
  using K = std::decay_t<ARG_KEY>;
  if constexpr (std::is_pointer_v<K>) {
    return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
  } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
    return static_cast<UINT>(static_cast<uint64_t>(key) >> 4);
  } else {
    return static_cast<UINT>(std::hash<K>()(key));
  }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  struct CPair {
    const KEY key;
    VALUE value;
  };

 protected:
  struct CAssoc : CPair {
    CAssoc(const KEY& k, UINT hash) : CPair{k, VALUE()}, pNext(nullptr), nHashValue(hash) {}
    CAssoc* pNext;
    UINT nHashValue;
  };

 public:
  explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& value) const {
    const CAssoc* a = Find(key);
    if (!a) return FALSE;
    value = a->value;
    return TRUE;
  }
  CPair* PLookup(ARG_KEY key) { return Find(key); }
  const CPair* PLookup(ARG_KEY key) const { return Find(key); }
  // The value of `key`, added with a default value when missing.
  VALUE& operator[](ARG_KEY key) {
    if (CAssoc* a = Find(key)) return a->value;
    if (m_buckets.empty()) InitHashTable(m_nHashTableSize);
    UINT hash = HashKey<ARG_KEY>(key);
    auto* a = new CAssoc(KEY(key), hash);
    CAssoc*& head = m_buckets[hash % m_buckets.size()];
    a->pNext = head;
    head = a;
    ++m_nCount;
    return a->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_buckets.empty()) return FALSE;
    UINT hash = HashKey<ARG_KEY>(key);
    for (CAssoc** p = &m_buckets[hash % m_buckets.size()]; *p; p = &(*p)->pNext) {
      if ((*p)->key == key) {
        CAssoc* dead = *p;
        *p = dead->pNext;
        delete dead;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (CAssoc*& head : m_buckets) {
      for (CAssoc* a = head; a;) {
        CAssoc* next = a->pNext;
        delete a;
        a = next;
      }
      head = nullptr;
    }
    m_buckets.clear();
    m_nCount = 0;
  }

  // Iteration in bucket order: null when the map is empty.
  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : FirstFrom(0); }
  void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const {
    if (!position) AfxThrowInvalidArgException();
    auto* a = static_cast<CAssoc*>(position);
    key = a->key;
    value = a->value;
    position = a->pNext ? a->pNext : FirstFrom(a->nHashValue % m_buckets.size() + 1);
  }

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets; only while the map is empty.
  void InitHashTable(UINT hashSize, BOOL allocNow = TRUE) {
    if (m_nCount != 0 || hashSize == 0) AfxThrowInvalidArgException();
    m_nHashTableSize = hashSize;
    m_buckets.clear();
    if (allocNow) m_buckets.assign(hashSize, nullptr);
  }

  // The count, then each key and value (see SerializeElements.h).
  void Serialize(CArchive& ar) override {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
      for (POSITION pos = GetStartPosition(); pos;) {
        auto* a = static_cast<CAssoc*>(pos);
        KEY key = a->key;
        SerializeElements<KEY>(ar, &key, 1);
        SerializeElements<VALUE>(ar, &a->value, 1);
        pos = a->pNext ? a->pNext : FirstFrom(a->nHashValue % m_buckets.size() + 1);
      }
    } else {
      for (DWORD_PTR count = ar.ReadCount(); count > 0; --count) {
        KEY key{};
        VALUE value{};
        SerializeElements<KEY>(ar, &key, 1);
        SerializeElements<VALUE>(ar, &value, 1);
        SetAt(key, value);
      }
    }
  }

 protected:
  CAssoc* Find(ARG_KEY key) const {
    if (m_buckets.empty()) return nullptr;
    for (CAssoc* a = m_buckets[HashKey<ARG_KEY>(key) % m_buckets.size()]; a; a = a->pNext)
      if (a->key == key) return a;
    return nullptr;
  }
  CAssoc* FirstFrom(size_t bucket) const {
    for (; bucket < m_buckets.size(); ++bucket)
      if (m_buckets[bucket]) return m_buckets[bucket];
    return nullptr;
  }

  std::vector<CAssoc*> m_buckets;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
};
