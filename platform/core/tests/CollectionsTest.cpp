#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Geometry.h"
#include "platform/core/MemFile.h"
#include "platform/core/NumberArrays.h"
#include "platform/core/ObArray.h"
#include "platform/core/ObList.h"
#include "platform/core/PtrMaps.h"
#include "platform/core/StringArray.h"
#include "platform/core/TypedPtr.h"

namespace {

std::vector<int> Values(const CList<int, int>& list) {
  std::vector<int> v;
  for (POSITION pos = list.GetHeadPosition(); pos;) v.push_back(list.GetNext(pos));
  return v;
}

TEST(List, PositionsStayValidWhileOtherElementsGo) {
  CList<int, int> list(10);
  POSITION p[5];
  for (int i = 0; i < 5; ++i) p[i] = list.AddTail(i);
  list.RemoveAt(p[0]);
  list.RemoveAt(p[4]);
  list.RemoveAt(p[1]);
  EXPECT_EQ(list.GetAt(p[2]), 2);
  EXPECT_EQ(list.GetHeadPosition(), p[2]);
  EXPECT_EQ(list.GetTailPosition(), p[3]);
  list.InsertBefore(p[2], 10);
  list.InsertAfter(p[2], 11);
  list.InsertBefore(nullptr, 20);  // null: at the head
  list.InsertAfter(nullptr, 21);   // null: at the tail
  EXPECT_EQ(Values(list), (std::vector<int>{20, 10, 2, 11, 3, 21}));
  list.SetAt(p[3], 30);
  EXPECT_EQ(list.GetTail(), 21);
  EXPECT_EQ(list.GetAt(list.FindIndex(4)), 30);
  EXPECT_EQ(list.FindIndex(6), nullptr);

  // Backwards, and removing the element just passed while iterating.
  std::vector<int> back;
  for (POSITION pos = list.GetTailPosition(); pos;) {
    POSITION here = pos;
    int v = list.GetPrev(pos);
    back.push_back(v);
    if (v % 2 == 0) list.RemoveAt(here);
  }
  EXPECT_EQ(back, (std::vector<int>{21, 30, 11, 2, 10, 20}));
  EXPECT_EQ(Values(list), (std::vector<int>{11, 21}));
  EXPECT_EQ(list.RemoveHead(), 11);
  EXPECT_EQ(list.RemoveTail(), 21);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_THROW(list.GetHead(), CInvalidArgException);
  EXPECT_THROW(list.RemoveTail(), CInvalidArgException);
  POSITION none = nullptr;
  EXPECT_THROW(list.GetNext(none), CInvalidArgException);
}

TEST(List, FindAfterAPositionAndAppendingAList) {
  CPtrList list;
  int a, b;
  list.AddTail(&a);
  list.AddTail(&b);
  list.AddTail(&a);
  POSITION first = list.Find(&a);
  EXPECT_EQ(first, list.GetHeadPosition());
  EXPECT_EQ(list.Find(&a, first), list.GetTailPosition());
  EXPECT_EQ(list.Find(&a, list.GetTailPosition()), nullptr);
  list.AddTail(&list);  // appending itself doubles it
  EXPECT_EQ(list.GetCount(), 6);
  CPtrList front;
  front.AddTail(&b);
  list.AddHead(&front);
  EXPECT_EQ(list.GetHead(), &b);
  EXPECT_EQ(list.GetCount(), 7);
}

// An element that counts the live copies and can be told to fail a copy.
struct Counted {
  static inline int live = 0;
  static inline bool failCopy = false;
  int value;
  explicit Counted(int v = 0) : value(v) { ++live; }
  Counted(const Counted& other) : value(other.value) {
    if (failCopy) throw std::runtime_error("copy refused");
    ++live;
  }
  Counted& operator=(const Counted&) = default;
  ~Counted() { --live; }
  bool operator==(const Counted& other) const { return value == other.value; }
};

TEST(List, NodesInBlocksAreDestroyedOnceAndReusedAcrossEveryBlockSize) {
  for (INT_PTR blockSize : {-1, 0, 1, 3, 10, 1000}) {
    SCOPED_TRACE(blockSize);
    {
      CList<Counted, const Counted&> list(blockSize);
      std::vector<POSITION> p;
      for (int i = 0; i < 25; ++i) p.push_back(list.AddTail(Counted(i)));
      // Every third one goes; new ones take their places at the head.
      for (int i = 0; i < 25; i += 3) list.RemoveAt(p[static_cast<size_t>(i)]);
      for (int i = 0; i < 9; ++i) list.AddHead(Counted(100 + i));
      EXPECT_EQ(list.GetCount(), 25);
      EXPECT_EQ(Counted::live, 25);
      EXPECT_EQ(list.GetAt(p[1]).value, 1);
      EXPECT_EQ(list.GetHead().value, 108);
      EXPECT_EQ(list.GetTail().value, 23);

      // A copy that fails adds nothing and leaves the list whole.
      Counted::failCopy = true;
      const Counted extra(7);
      EXPECT_THROW(list.AddTail(extra), std::runtime_error);
      EXPECT_THROW(list.InsertBefore(p[1], extra), std::runtime_error);
      Counted::failCopy = false;
      EXPECT_EQ(list.GetCount(), 25);
      EXPECT_EQ(list.GetTail().value, 23);
      EXPECT_EQ(list.GetAt(list.GetHeadPosition()).value, 108);

      // Emptied one by one, then filled again.
      while (!list.IsEmpty()) list.RemoveHead();
      EXPECT_EQ(Counted::live, 1);
      list.AddTail(Counted(1));
      list.AddTail(Counted(2));
      EXPECT_EQ(list.GetHead().value, 1);
      list.RemoveAll();
      list.AddHead(Counted(3));
      EXPECT_EQ(list.GetTail().value, 3);
    }
    EXPECT_EQ(Counted::live, 0);
  }
}

TEST(Array, GrowsInStepsSoThatItsDataStayInPlace) {
  CPtrArray crossPoints;
  crossPoints.SetSize(0, 100);
  crossPoints.Add(nullptr);
  void* const* data = crossPoints.GetData();
  for (int i = 1; i < 100; ++i) crossPoints.Add(nullptr);
  EXPECT_EQ(crossPoints.GetData(), data);  // room for 100 from the start
  EXPECT_EQ(crossPoints.GetSize(), 100);
  EXPECT_EQ(crossPoints.GetUpperBound(), 99);
}

TEST(Array, InsertRemoveAppendCopyAndBounds) {
  CArray<int, const int&> a;
  a.SetAtGrow(3, 7);  // grows with zeros
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a[0], 0);
  a.InsertAt(1, 5, 2);
  EXPECT_EQ(std::vector<int>(a.GetData(), a.GetData() + a.GetSize()), (std::vector<int>{0, 5, 5, 0, 0, 7}));
  a.InsertAt(8, 9);  // past the end: grows
  EXPECT_EQ(a.GetSize(), 9);
  EXPECT_EQ(a[7], 0);
  a.RemoveAt(1, 2);
  EXPECT_EQ(a.GetSize(), 7);
  EXPECT_EQ(a[3], 7);
  CArray<int, const int&> b;
  b.Add(1);
  EXPECT_EQ(a.Append(b), 7);
  EXPECT_EQ(a[7], 1);
  a.SetAtGrow(20, a[3]);  // the value lives in the array that grows
  EXPECT_EQ(a[20], 7);
  b.Copy(a);
  EXPECT_EQ(b.GetSize(), 21);
  EXPECT_THROW(a.GetAt(21), CInvalidArgException);
  EXPECT_THROW(a.RemoveAt(20, 2), CInvalidArgException);
  EXPECT_THROW(a.SetAt(-1, 0), CInvalidArgException);
  a.RemoveAll();
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetData(), nullptr);
}

TEST(Collections, ValuesAreStoredAsTheirBytes) {
  CArray<CPoint, CPoint> points;
  points.Add(CPoint(1, -1));
  CList<CPoint, CPoint&> path;  // as the router keeps its paths
  CPoint corner(2, 3);
  path.AddTail(corner);
  EXPECT_EQ(path.Find(corner), path.GetHeadPosition());
  CWordArray words;
  words.Add(0x0102);
  CByteArray bytes;
  bytes.Add(9);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    points.Serialize(ar);
    words.Serialize(ar);
    bytes.Serialize(ar);
    path.Serialize(ar);
  }
  std::vector<BYTE> stored(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(stored.data(), static_cast<UINT>(stored.size()));
  EXPECT_EQ(stored, (std::vector<BYTE>{1, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,  // count, CPoint
                                       1, 0, 2, 1,                             // count, WORD
                                       1, 0, 9,                                // count, BYTE
                                       1, 0, 2, 0, 0, 0, 3, 0, 0, 0}));        // count, CPoint
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CArray<CPoint, CPoint> pointsBack;
  pointsBack.Serialize(ar);
  CWordArray wordsBack;
  CByteArray bytesBack;
  CList<CPoint, CPoint&> pathBack;
  wordsBack.Serialize(ar);
  bytesBack.Serialize(ar);
  pathBack.Serialize(ar);
  ASSERT_EQ(pointsBack.GetSize(), 1);
  EXPECT_EQ(pointsBack[0], CPoint(1, -1));
  EXPECT_EQ(wordsBack[0], 0x0102);
  EXPECT_EQ(bytesBack[0], 9);
  ASSERT_EQ(pathBack.GetCount(), 1);
  EXPECT_EQ(pathBack.GetHead(), corner);
}

TEST(Map, LookupSetRemoveAndIterateWhileRemoving) {
  CMapPtrToWord map(10);
  int objects[40];
  for (int i = 0; i < 40; ++i) map.SetAt(&objects[i], static_cast<WORD>(i));
  map[&objects[0]] = 100;
  EXPECT_EQ(map.GetCount(), 40);
  WORD v = 0;
  EXPECT_TRUE(map.Lookup(&objects[0], v));
  EXPECT_EQ(v, 100);
  EXPECT_TRUE(map.RemoveKey(&objects[1]));
  EXPECT_FALSE(map.RemoveKey(&objects[1]));
  EXPECT_FALSE(map.Lookup(&objects[1], v));

  // Every entry once, also while the entry just returned is removed.
  std::set<void*> seen;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    void* key;
    WORD value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(seen.insert(key).second);
    if (value % 3 == 0) map.RemoveKey(key);
  }
  EXPECT_EQ(seen.size(), 39u);
  EXPECT_EQ(map.GetCount(), 39 - 13);
  map.RemoveAll();
  EXPECT_EQ(map.GetStartPosition(), nullptr);
  EXPECT_EQ(map.GetHashTableSize(), 17u);
}

class CListedShape : public CObject {
 public:
  int sides = 0;
};

TEST(TypedPtr, ListsAndArraysOfAnElementType) {
  CListedShape a, b;
  a.sides = 3;
  b.sides = 4;
  CTypedPtrList<CObList, CListedShape*> list;
  list.AddTail(&a);
  list.AddHead(&b);
  POSITION pos = list.GetHeadPosition();
  EXPECT_EQ(list.GetNext(pos)->sides, 4);
  EXPECT_EQ(list.GetNext(pos)->sides, 3);
  list.GetHead() = &a;  // a reference to the slot
  EXPECT_EQ(list.GetHead(), &a);
  EXPECT_EQ(list.RemoveTail(), &a);

  CTypedPtrArray<CPtrArray, CListedShape*> array;
  array.Add(&a);
  array[0] = &b;
  EXPECT_EQ(array[0]->sides, 4);
  EXPECT_EQ(array.GetAt(0), &b);
}

TEST(StringArray, FlavoursFollowTheIncluder) {
  CStringArrayA a;
  a.Add("x");
  a.Add(CStringA("y"));
  a.InsertAt(0, "w");
  EXPECT_EQ(a.GetSize(), 3);
  EXPECT_EQ(a[0], "w");
  CStringArrayW w;
  w.Add(u"甲");
  EXPECT_EQ(w[0], u"甲");
  // This file is not a UTF-16 build: CStringArray holds bytes.
  static_assert(std::is_same_v<CStringArray, CStringArrayA>);
}

}  // namespace
