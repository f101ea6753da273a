// The index beside a set list: through every way of changing the list, long
// and short, membership answers what a walk of the list answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "DrawDocTestSupport.h"
#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"

namespace {

std::vector<CDrawObj*> Elements(const CDrawList& list) {
  std::vector<CDrawObj*> v;
  for (POSITION pos = list.GetHeadPosition(); pos;) v.push_back(list.GetNext(pos));
  return v;
}

// The list holds exactly the model's objects in the model's order, and
// Find gives, for every object of the pool, the node that holds it or null.
void ExpectMatches(const CDrawList& list, const std::vector<CDrawObj*>& model, const std::vector<CDrawObj*>& pool) {
  ASSERT_EQ(Elements(list), model);
  for (CDrawObj* object : pool) {
    POSITION pos = list.Find(object);
    const bool held = std::find(model.begin(), model.end(), object) != model.end();
    ASSERT_EQ(pos != nullptr, held);
    if (pos) {
      ASSERT_EQ(list.GetAt(pos), object);
    }
  }
}

// Positions of the model's elements, in order.
POSITION PositionAt(const CDrawList& list, size_t index) { return list.FindIndex(static_cast<INT_PTR>(index)); }

int ByPosition(CDrawObj* a, CDrawObj* b, CDrawList*) {
  return a->GetPosition().left - b->GetPosition().left;
}

TEST(ObSetListIndexTest, EveryChangeKeepsMembershipRightAcrossLengths) {
  LinkDiagramLibrary();
  std::vector<std::unique_ptr<CDrawObj>> owned;
  std::vector<CDrawObj*> pool;
  for (int i = 0; i < 80; ++i) {
    owned.push_back(std::make_unique<CDrawObj>(CRect((i * 37) % 80, 10, (i * 37) % 80 + 5, 0)));
    pool.push_back(owned.back().get());
  }
  uint32_t state = 12345;
  auto next = [&state](uint32_t n) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % n;
  };
  CDrawList list;
  std::vector<CDrawObj*> model;
  auto holds = [&model](CDrawObj* o) { return std::find(model.begin(), model.end(), o) != model.end(); };
  for (int step = 0; step < 6000; ++step) {
    SCOPED_TRACE(step);
    CDrawObj* object = pool[next(static_cast<uint32_t>(pool.size()))];
    // Grow more often than shrink until the list is long, so that lists on
    // both sides of the indexing length are exercised.
    const uint32_t op = next(model.size() < 40 ? 9 : 14);
    switch (op) {
      case 0:
      case 1:
        if (list.AddTail(object)) model.push_back(object);
        break;
      case 2:
        if (list.AddHead(object)) model.insert(model.begin(), object);
        break;
      case 3:
        if (!model.empty()) {
          const size_t at = next(static_cast<uint32_t>(model.size()));
          if (list.InsertBefore(PositionAt(list, at), object)) {
            model.insert(model.begin() + static_cast<long>(at), object);
          }
        }
        break;
      case 4:
        if (!model.empty()) {
          const size_t at = next(static_cast<uint32_t>(model.size()));
          if (list.InsertAfter(PositionAt(list, at), object)) {
            model.insert(model.begin() + static_cast<long>(at) + 1, object);
          }
        }
        break;
      case 5:
        if (!model.empty()) {
          const size_t at = next(static_cast<uint32_t>(model.size()));
          const bool present = holds(object);
          ASSERT_EQ(list.SetAt(PositionAt(list, at), object) != nullptr, !present);
          if (!present) model[at] = object;
        }
        break;
      case 6: {
        // A copy and an assignment are sets of their own.
        CDrawList copy(list);
        ExpectMatches(copy, model, pool);
        CDrawList assigned;
        assigned.AddTail(object);
        assigned = list;
        ExpectMatches(assigned, model, pool);
        break;
      }
      case 7:
        list.Sort(ByPosition);
        std::stable_sort(model.begin(), model.end(),
                         [](CDrawObj* a, CDrawObj* b) { return a->GetPosition().left < b->GetPosition().left; });
        break;
      case 8:
        if (step % 5 == 0) {
          // Stored and read back, the list is the same set.
          CMemFile file;
          {
            CArchive ar(&file, CArchive::store);
            list.Serialize(ar);
          }
          file.SeekToBegin();
          CArchive ar(&file, CArchive::load);
          CDrawList read;
          read.Serialize(ar);
          ASSERT_EQ(read.GetCount(), list.GetCount());
          for (CDrawObj* copy : Elements(read)) delete copy;
        }
        break;
      case 9:
      case 10:
        list -= object;
        model.erase(std::remove(model.begin(), model.end(), object), model.end());
        break;
      case 11:
        if (!model.empty()) {
          ASSERT_EQ(list.RemoveHead(), model.front());
          model.erase(model.begin());
        }
        break;
      case 12:
        if (!model.empty()) {
          ASSERT_EQ(list.RemoveTail(), model.back());
          model.pop_back();
        }
        break;
      default:
        if (!model.empty()) {
          const size_t at = next(static_cast<uint32_t>(model.size()));
          list.RemoveAt(PositionAt(list, at));
          model.erase(model.begin() + static_cast<long>(at));
        }
        if (step % 400 == 0) {
          list.RemoveAll();
          model.clear();
        } else if (step % 7 == 0) {
          // Without its index the list answers the same; the next search
          // that needs one builds it.
          list.DropIndex();
        }
        break;
    }
    ExpectMatches(list, model, pool);
  }
}

TEST(ObSetListIndexTest, ReadingARepeatedObjectKeepsItOnce) {
  LinkDiagramLibrary();
  CDrawObj a(CRect(0, 10, 10, 0));
  CObList withRepeats;
  for (int i = 0; i < 20; ++i) withRepeats.AddTail(&a);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    withRepeats.Serialize(ar);
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CDrawList read;
  read.Serialize(ar);
  ASSERT_EQ(read.GetCount(), 1);
  std::unique_ptr<CDrawObj> copy(read.GetHead());
  read -= copy.get();
  EXPECT_TRUE(read.IsEmpty());
  EXPECT_EQ(read.Find(copy.get()), nullptr);
}

// A long list that was searched (and so indexed) and then emptied one
// element at a time, in each way that empties it, takes a whole set again:
// every element of that set is found, and none is added twice.
TEST(ObSetListIndexTest, AListEmptiedOneByOneTakesASetAgain) {
  LinkDiagramLibrary();
  std::vector<std::unique_ptr<CDrawObj>> owned;
  std::vector<CDrawObj*> pool;
  for (int i = 0; i < 60; ++i) {
    owned.push_back(std::make_unique<CDrawObj>(CRect(i, 10, i + 5, 0)));
    pool.push_back(owned.back().get());
  }
  CDrawList source;
  for (CDrawObj* object : pool) source.AddTail(object);
  enum Emptying { fromHead, fromTail, byValue, byPosition };
  for (Emptying way : {fromHead, fromTail, byValue, byPosition}) {
    SCOPED_TRACE(static_cast<int>(way));
    CDrawList list;
    list.AddTail(source);
    ASSERT_NE(list.Find(pool[30]), nullptr);  // a search in the middle
    while (!list.IsEmpty()) {
      switch (way) {
        case fromHead: list.RemoveHead(); break;
        case fromTail: list.RemoveTail(); break;
        case byValue: list -= list.GetHead(); break;
        case byPosition: list.RemoveAt(list.GetHeadPosition()); break;
      }
    }
    list.AddTail(source);
    ExpectMatches(list, pool, pool);
    list.AddTail(pool[30]);
    list.AddHead(source);
    ExpectMatches(list, pool, pool);
    list -= pool[30];
    std::vector<CDrawObj*> without(pool);
    without.erase(without.begin() + 30);
    ExpectMatches(list, without, pool);
  }
}

}  // namespace
