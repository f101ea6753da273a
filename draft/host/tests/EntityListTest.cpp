#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draft/host/EntityList.h"
#include "draft/host/LineEntity.h"
#include "draft/testsupport/EntityValues.h"

namespace {
using drafttest::Items;
}  // namespace

// A long list is searched through its index; an entity held twice must
// still be found first where it stands first, and each removal, replacement
// and move keeps the answers right.
TEST(EntityList, ALongListFindsAndRemovesEntitiesHeldTwiceInListOrder) {
  std::vector<std::unique_ptr<CLineEntity>> lines;
  CEntityList list;
  for (int i = 0; i < 40; ++i) {
    lines.push_back(std::make_unique<CLineEntity>(0, nullptr, i, 0, i + 1, 0));
    list.AddTail(lines.back().get());
  }
  CEntity* twice = lines[30].get();
  CEntity* other = lines[5].get();
  const POSITION first = list.InsertAfter(list.FindIndex(2), twice);  // now also at index 3

  EXPECT_EQ(list.Find(twice), first);
  EXPECT_EQ(list.GetAt(list.Find(twice, first)), twice);  // the one further on
  EXPECT_EQ(list.Find(twice, list.Find(twice, first)), nullptr);

  ASSERT_TRUE(list.Remove(twice));  // the first one
  EXPECT_EQ(list.GetAt(list.FindIndex(3)), lines[3].get());
  EXPECT_EQ(list.Find(twice), list.FindIndex(30));  // the one left
  ASSERT_TRUE(list.Remove(twice));
  EXPECT_FALSE(list.Contains(twice));
  EXPECT_FALSE(list.Remove(twice));

  list.SetAt(list.Find(other), twice);
  EXPECT_FALSE(list.Contains(other));
  EXPECT_EQ(list.Find(twice), list.FindIndex(5));

  CEntityList moved(std::move(list));
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_FALSE(list.Contains(twice));
  EXPECT_EQ(moved.Find(twice), moved.FindIndex(5));
  moved.RemoveAll();
  EXPECT_FALSE(moved.Contains(twice));
  moved.AddTail(other);
  EXPECT_EQ(Items(moved), std::vector<CEntity*>{other});
}
