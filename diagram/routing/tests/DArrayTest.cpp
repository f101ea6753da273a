#include "diagram/routing/DArray.h"

#include <gtest/gtest.h>

#include <climits>

#include <cstdint>
#include <vector>

#include "platform/core/Exceptions.h"

namespace {

template <typename T>
std::vector<T> Contents(const D_ARRAY<T>& a) {
  std::vector<T> v;
  for (int i = 0; i < a.count(); ++i) v.push_back(a[i]);
  return v;
}

template <typename T>
void Fill(D_ARRAY<T>& a, const std::vector<T>& values) {
  a.reset(static_cast<int>(values.size()));
  for (int i = 0; i < a.count(); ++i) a[i] = values[static_cast<size_t>(i)];
}

TEST(DArray, LookupInEmptyArrayGivesInsertionIndexZero) {
  D_ARRAY<int> a;
  int key = 5, index = -1;
  EXPECT_EQ(a._lookup(&key, &index, sizeof(int)), 0);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(a._lookup(&key, &index, cmp_int, sizeof(int)), 0);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(a.data(), nullptr);
}

TEST(DArray, ByteOrderKeysSortAsLittleEndianUnsigned) {
  // 256 after 255, and a "negative" int after every positive one.
  D_ARRAY<uint32_t> a;
  for (uint32_t k : {256u, 255u, 0xFFFFFFFFu, 1u, 65536u, 255u}) a._add_key(&k, sizeof(uint32_t));
  EXPECT_EQ(Contents(a), (std::vector<uint32_t>{1, 255, 255, 256, 65536, 0xFFFFFFFFu}));

  uint32_t k = 255;
  EXPECT_EQ(a._add_key_once(&k, sizeof(k)), 0);
  k = 257;
  EXPECT_EQ(a._add_key_once(&k, sizeof(k)), 1);
  EXPECT_EQ(Contents(a), (std::vector<uint32_t>{1, 255, 255, 256, 257, 65536, 0xFFFFFFFFu}));

  int index = -1;
  k = 300;
  EXPECT_EQ(a._lookup(&k, &index, sizeof(k)), 0);
  EXPECT_EQ(index, 5);  // between 257 and 65536

  k = 255;
  EXPECT_EQ(a._remove_key(&k, sizeof(k)), 1);
  EXPECT_EQ(a._remove_key(&k, sizeof(k)), 1);
  EXPECT_EQ(a._remove_key(&k, sizeof(k)), 0);
  EXPECT_EQ(Contents(a), (std::vector<uint32_t>{1, 256, 257, 65536, 0xFFFFFFFFu}));
}

TEST(DArray, AddKeyOfAnElementOfTheSameArray) {
  // The key lives in the block that the insertion reallocates.
  D_ARRAY<uint32_t> a;
  Fill<uint32_t>(a, {1, 2, 3});
  a._add_key(&a[1], sizeof(uint32_t));
  EXPECT_EQ(Contents(a), (std::vector<uint32_t>{1, 2, 2, 3}));
}

TEST(DArray, LookupWithComparator) {
  D_ARRAY<int> a;
  Fill(a, {-5, -1, 0, 7, 42});
  struct Case {
    int key, found, index;
  } cases[] = {{-10, 0, 0}, {-5, 1, 0}, {-3, 0, 1}, {0, 1, 2}, {8, 0, 4}, {42, 1, 4}, {99, 0, 5}};
  for (const Case& c : cases) {
    int index = -1;
    EXPECT_EQ(a._lookup(&c.key, &index, cmp_int, sizeof(int)), c.found) << c.key;
    EXPECT_EQ(index, c.index) << c.key;
  }
}

TEST(DArray, RemoveEqualElementsKeepsFirstOfEachRun) {
  struct Case {
    std::vector<int> in, out;
  } cases[] = {
      {{1, 1, 2, 2, 2, 3}, {1, 2, 3}},
      {{4, 4, 4}, {4}},
      {{1, 2, 3}, {1, 2, 3}},
      {{7}, {7}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    D_ARRAY<int> a;
    Fill(a, c.in);
    a._remove_equal_elements(cmp_int, sizeof(int));
    EXPECT_EQ(Contents(a), c.out);
  }
}

TEST(DArray, SortWithComparators) {
  D_ARRAY<double> d;
  Fill(d, {3.5, -1.0, 2.25, -1.0});
  d._qsort(cmp_double, sizeof(double));
  EXPECT_EQ(Contents(d), (std::vector<double>{-1.0, -1.0, 2.25, 3.5}));

  D_ARRAY<float> f;
  Fill(f, {0.5f, -0.25f});
  f._qsort(cmp_float, sizeof(float));
  EXPECT_EQ(Contents(f), (std::vector<float>{-0.25f, 0.5f}));

  D_ARRAY<int> empty;
  empty._qsort(cmp_int, sizeof(int));
  EXPECT_EQ(empty.count(), 0);
}

TEST(DArray, RemoveInsertTruncateAndMove) {
  D_ARRAY<int> a;
  Fill(a, {0, 1, 2, 3, 4});

  a.remove(5, 1);  // at the end: nothing
  a.remove(9, 1);
  a.remove(-1, 1);
  EXPECT_EQ(Contents(a), (std::vector<int>{0, 1, 2, 3, 4}));
  a.remove(3, 10);  // fewer remain: removes to the end
  EXPECT_EQ(Contents(a), (std::vector<int>{0, 1, 2}));

  a._insert(1, 2, sizeof(int));
  a[1] = 10, a[2] = 11;
  EXPECT_EQ(Contents(a), (std::vector<int>{0, 10, 11, 1, 2}));
  a._insert(5, 1, sizeof(int));  // at the end
  a[5] = 12;
  EXPECT_EQ(Contents(a), (std::vector<int>{0, 10, 11, 1, 2, 12}));
  EXPECT_THROW(a._insert(7, 1, sizeof(int)), CInvalidArgException);

  a._change_position(0, 3, sizeof(int));
  EXPECT_EQ(Contents(a), (std::vector<int>{10, 11, 1, 0, 2, 12}));
  a._change_position(5, 1, sizeof(int));
  EXPECT_EQ(Contents(a), (std::vector<int>{10, 12, 11, 1, 0, 2}));
  EXPECT_THROW(a._change_position(0, 6, sizeof(int)), CInvalidArgException);

  a._truncate(2, sizeof(int));
  EXPECT_EQ(Contents(a), (std::vector<int>{10, 12, 11, 1}));
  a._truncate(99, sizeof(int));
  EXPECT_EQ(a.count(), 0);
  EXPECT_EQ(a.data(), nullptr);
}

TEST(DArray, GrowingBeyondTheLargestCountIsRefusedAndChangesNothing) {
  D_ARRAY<char> a;
  a.append(2);
  a[0] = 'a', a[1] = 'b';
  EXPECT_THROW(a.append(INT_MAX), CInvalidArgException);
  EXPECT_THROW(a._insert(1, INT_MAX - 1, sizeof(char)), CInvalidArgException);
  ASSERT_EQ(a.count(), 2);
  EXPECT_EQ(a[0], 'a');
  EXPECT_EQ(a[1], 'b');
}

TEST(DArray, CopyAssignAndExchange) {
  D_ARRAY<int> a, b;
  Fill(a, {1, 2, 3});
  Fill(b, {9});
  __ARRAY__ copy(a, sizeof(int));
  EXPECT_EQ(copy.count(), 3);
  EXPECT_EQ(static_cast<const int*>(copy.data())[2], 3);

  b.oper_eq(a, sizeof(int));
  a[0] = 100;
  EXPECT_EQ(Contents(b), (std::vector<int>{1, 2, 3}));
  b.oper_eq(b, sizeof(int));
  EXPECT_EQ(Contents(b), (std::vector<int>{1, 2, 3}));

  D_ARRAY<int> c;
  c.exchange(a);
  EXPECT_EQ(Contents(c), (std::vector<int>{100, 2, 3}));
  EXPECT_EQ(a.count(), 0);
}

}  // namespace
