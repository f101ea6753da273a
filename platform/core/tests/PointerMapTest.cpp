// The open-addressing pointer map against a plain map: adding, changing,
// finding and removing keys, null included, through growth and through
// removals that must close the gaps they leave.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "platform/core/PointerMap.h"

namespace {

const void* Key(uintptr_t n) { return reinterpret_cast<const void*>(n); }

TEST(PointerMapTest, AnswersAsAMapThroughGrowthAndRemovals) {
  // Keys as allocations give them (multiples of 16, many in one run) and a
  // few near each other, so that probe runs form and wrap.
  std::vector<const void*> keys{nullptr};
  for (uintptr_t i = 1; i <= 600; ++i) keys.push_back(Key(0x10000 + i * 16));
  for (uintptr_t i = 1; i <= 50; ++i) keys.push_back(Key(0x7fff0000 + i * 4096));
  platform::PointerMap<uint32_t> map;
  std::map<const void*, uint32_t> model;
  uint32_t state = 99;
  auto next = [&state](uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  };
  for (int step = 0; step < 40000; ++step) {
    const void* key = keys[next(static_cast<uint32_t>(keys.size()))];
    switch (next(5)) {
      case 0:
      case 1: {
        const uint32_t value = next(1000);
        map.Set(key, value);
        model[key] = value;
        break;
      }
      case 2:
        map.Erase(key);
        model.erase(key);
        break;
      default: {
        auto it = model.find(key);
        const uint32_t* found = map.Find(key);
        ASSERT_EQ(found != nullptr, it != model.end()) << "step " << step;
        if (found) {
          ASSERT_EQ(*found, it->second) << "step " << step;
        }
      }
    }
    if (step % 10000 == 9999) {
      // Every key answers right, then the map starts again empty.
      for (const void* k : keys) {
        auto it = model.find(k);
        const uint32_t* found = map.Find(k);
        ASSERT_EQ(found != nullptr, it != model.end());
        if (found) {
          ASSERT_EQ(*found, it->second);
        }
      }
      ASSERT_EQ(map.GetCount(), model.size());
      map.Clear();
      model.clear();
    }
  }
}

}  // namespace
