// platform::PointerMap<V>: a map from pointers to small values, kept in one
// array (open addressing with linear probing), so that looking up, adding
// and removing a pointer touch one or two cache lines and allocate nothing
// except when the array grows. A null pointer is a key like any other.
// The archive's object map and the diagram's set lists index by it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

template <class V>
class PointerMap {
 public:
  // The value of the key, or null when the key is absent.
  const V* Find(const void* key) const {
    if (!key) return m_bHasNull ? &m_nullValue : nullptr;
    if (m_slots.empty()) return nullptr;
    for (size_t i = Home(key);; i = (i + 1) & m_mask) {
      const Slot& slot = m_slots[i];
      if (slot.key == key) return &slot.value;
      if (slot.key == Empty()) return nullptr;
    }
  }

  // Sets the key's value, adding the key when it is absent.
  void Set(const void* key, const V& value) {
    if (!key) {
      if (!m_bHasNull) ++m_count;
      m_bHasNull = true;
      m_nullValue = value;
      return;
    }
    if ((m_count + 1) * 2 > m_slots.size()) Grow((m_count + 1) * 2);
    for (size_t i = Home(key);; i = (i + 1) & m_mask) {
      Slot& slot = m_slots[i];
      if (slot.key == key) {
        slot.value = value;
        return;
      }
      if (slot.key == Empty()) {
        slot.key = key;
        slot.value = value;
        ++m_count;
        return;
      }
    }
  }

  void Erase(const void* key) {
    if (!key) {
      if (m_bHasNull) --m_count;
      m_bHasNull = false;
      return;
    }
    if (m_slots.empty()) return;
    size_t i = Home(key);
    for (;; i = (i + 1) & m_mask) {
      if (m_slots[i].key == key) break;
      if (m_slots[i].key == Empty()) return;
    }
    // Moves back every later key of the run that may sit in the freed slot,
    // so that no search stops early at a hole.
    for (size_t j = (i + 1) & m_mask;; j = (j + 1) & m_mask) {
      if (m_slots[j].key == Empty()) break;
      const size_t home = Home(m_slots[j].key);
      // The key at j stays when its home lies cyclically within (i, j].
      const bool stays = i < j ? (i < home && home <= j) : (i < home || home <= j);
      if (stays) continue;
      m_slots[i] = m_slots[j];
      i = j;
    }
    m_slots[i] = Slot{};
    --m_count;
  }

  // Makes room for `count` keys without growing again.
  void Reserve(size_t count) {
    if (count * 2 > m_slots.size()) Grow(count * 2);
  }

  void Clear() {
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_mask = 0;
    m_shift = 63;
    m_count = 0;
    m_bHasNull = false;
  }

  size_t GetCount() const { return m_count; }

 private:
  struct Slot {
    const void* key = Empty();
    V value{};
  };

  // Nothing lives at address 1: it marks a free slot.
  static const void* Empty() { return reinterpret_cast<const void*>(uintptr_t{1}); }

  size_t Home(const void* key) const {
    // Fibonacci hashing of the address, whose low bits are alignment.
    const uint64_t h = (reinterpret_cast<uintptr_t>(key) >> 3) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h >> m_shift);
  }

  // To at least `slots` slots, a power of two.
  void Grow(size_t slots) {
    size_t size = 16;
    int bits = 4;
    while (size < slots) {
      size *= 2;
      ++bits;
    }
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(size, Slot{});
    m_mask = size - 1;
    m_shift = 64 - bits;
    for (const Slot& slot : old) {
      if (slot.key == Empty()) continue;
      for (size_t i = Home(slot.key);; i = (i + 1) & m_mask) {
        if (m_slots[i].key == Empty()) {
          m_slots[i] = slot;
          break;
        }
      }
    }
  }

  std::vector<Slot> m_slots;
  size_t m_mask = 0;
  int m_shift = 63;
  size_t m_count = 0;
  bool m_bHasNull = false;
  V m_nullValue{};
};

}  // namespace platform
