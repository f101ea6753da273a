// The open-addressing index of set lists against a plain map: adding,
// moving, finding and removing keys, null included, through growth and
// through removals that must close the gaps they leave.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "diagram/model/PointerIndex.h"

namespace {

const CObject* Key(uintptr_t n) { return reinterpret_cast<const CObject*>(n); }
POSITION Pos(uintptr_t n) { return reinterpret_cast<POSITION>(n); }

TEST(PointerIndexTest, AnswersAsAMapThroughGrowthAndRemovals) {
  // Keys as allocations give them (multiples of 16, many in one run) and a
  // few near each other, so that probe runs form and wrap.
  std::vector<const CObject*> keys{nullptr};
  for (uintptr_t i = 1; i <= 600; ++i) keys.push_back(Key(0x10000 + i * 16));
  for (uintptr_t i = 1; i <= 50; ++i) keys.push_back(Key(0x7fff0000 + i * 4096));
  PointerIndex index;
  std::map<const CObject*, POSITION> model;
  uint32_t state = 99;
  auto next = [&state](uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  };
  for (int step = 0; step < 40000; ++step) {
    const CObject* key = keys[next(static_cast<uint32_t>(keys.size()))];
    switch (next(5)) {
      case 0:
      case 1: {
        const POSITION pos = Pos(8 + next(1000) * 8);
        index.Set(key, pos);
        model[key] = pos;
        break;
      }
      case 2:
        index.Erase(key);
        model.erase(key);
        break;
      default: {
        auto it = model.find(key);
        ASSERT_EQ(index.Find(key), it == model.end() ? nullptr : it->second) << "step " << step;
      }
    }
    if (step % 10000 == 9999) {
      // Every key answers right, then the index starts again empty.
      for (const CObject* k : keys) {
        auto it = model.find(k);
        ASSERT_EQ(index.Find(k), it == model.end() ? nullptr : it->second);
      }
      ASSERT_EQ(index.GetCount(), model.size());
      index.Clear();
      model.clear();
    }
  }
}

}  // namespace
