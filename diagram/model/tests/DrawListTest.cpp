// Set semantics and filters of the object lists.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "diagram/model/lists/DrawList.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/tests/DrawDocTestSupport.h"
#include "diagram/testsupport/BlockDiagramFixture.h"

namespace {

// A few free-standing objects the lists can point at.
struct Objects {
  std::vector<std::unique_ptr<CDrawObj>> owned;
  CDrawObj* Make(const CRect& r = CRect(0, 10, 10, 0)) {
    owned.push_back(std::make_unique<CDrawObj>(r));
    return owned.back().get();
  }
};

std::vector<CDrawObj*> Elements(const CDrawList& list) {
  std::vector<CDrawObj*> v;
  for (POSITION pos = list.GetHeadPosition(); pos;) v.push_back(list.GetNext(pos));
  return v;
}

TEST(ObSetListTest, EveryWayOfAddingRefusesAnObjectAlreadyPresent) {
  Objects o;
  CDrawObj* a = o.Make();
  CDrawObj* b = o.Make();
  CDrawList list;
  ASSERT_NE(list.AddTail(a), nullptr);
  ASSERT_NE(list.AddTail(b), nullptr);
  EXPECT_EQ(list.AddTail(a), nullptr);
  EXPECT_EQ(list.AddHead(b), nullptr);
  EXPECT_EQ(list.InsertBefore(list.GetTailPosition(), a), nullptr);
  EXPECT_EQ(list.InsertAfter(list.GetHeadPosition(), b), nullptr);
  list += a;
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, b}));
}

TEST(ObSetListTest, SetAtRefusesAnObjectThatIsElsewhereInTheList) {
  Objects o;
  CDrawObj* a = o.Make();
  CDrawObj* b = o.Make();
  CDrawObj* c = o.Make();
  CDrawList list;
  list.AddTail(a);
  POSITION second = list.AddTail(b);
  EXPECT_EQ(list.SetAt(second, a), nullptr);
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, b}));
  EXPECT_EQ(list.SetAt(second, c), second);
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, c}));
}

TEST(ObSetListTest, AddHeadOfAListKeepsItsOrderInFront) {
  Objects o;
  CDrawObj* a = o.Make();
  CDrawObj* b = o.Make();
  CDrawObj* c = o.Make();
  CDrawList front;
  front.AddTail(a);
  front.AddTail(b);
  front.AddTail(c);  // already in the target: stays where it is there
  CDrawList list;
  list.AddTail(c);
  list.AddHead(front);
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, b, c}));
}

TEST(ObSetListTest, AssignmentAndCopiesCollapseDuplicatesOfTheSource) {
  Objects o;
  CDrawObj* a = o.Make();
  CDrawObj* b = o.Make();
  // A plain list may hold an object twice.
  CObList plain;
  plain.AddTail(a);
  plain.AddTail(b);
  plain.AddTail(a);
  CDrawList list;
  list.AddTail(o.Make());
  list = plain;
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, b}));
  CDrawList copy(list);
  EXPECT_EQ(Elements(copy), (std::vector<CDrawObj*>{a, b}));
}

TEST(ObSetListTest, AssigningOrSubtractingAListFromItself) {
  Objects o;
  CDrawList list;
  list.AddTail(o.Make());
  list.AddTail(o.Make());
  const std::vector<CDrawObj*> before = Elements(list);
  CDrawList& alias = list;
  list = alias;
  EXPECT_EQ(Elements(list), before);
  list -= static_cast<const CObList&>(alias);
  EXPECT_TRUE(list.IsEmpty());
}

TEST(ObSetListTest, RemovingAndIndexing) {
  Objects o;
  CDrawObj* a = o.Make();
  CDrawObj* b = o.Make();
  CDrawObj* c = o.Make();
  CDrawList list;
  list.AddTail(a);
  list.AddTail(b);
  list.AddTail(c);
  EXPECT_EQ(list.GetIndex(c), 2);
  CDrawList other;
  other.AddTail(a);
  other.AddTail(o.Make());  // not in the list: ignored
  list -= other;
  list -= c;
  list -= c;
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{b}));
  EXPECT_EQ(list.GetIndex(a), -1);
}

TEST(DrawListTest, InsertAtIndex) {
  struct Case {
    int index;
    std::vector<int> expected;  // positions of a, b, c and the new object (3)
  };
  const Case cases[] = {
      {0, {3, 0, 1, 2}}, {-5, {3, 0, 1, 2}}, {1, {0, 3, 1, 2}}, {2, {0, 1, 3, 2}}, {3, {0, 1, 2, 3}}, {99, {0, 1, 2, 3}},
  };
  for (const Case& test : cases) {
    Objects o;
    std::vector<CDrawObj*> objects = {o.Make(), o.Make(), o.Make(), o.Make()};
    CDrawList list;
    for (int i = 0; i < 3; ++i) list.AddTail(objects[i]);
    list.InsertAtIndex(test.index, objects[3]);
    std::vector<CDrawObj*> expected;
    for (int i : test.expected) expected.push_back(objects[i]);
    EXPECT_EQ(Elements(list), expected) << "index " << test.index;
  }
}

// Orders by the left edge of the position only, so that equal keys show
// whether the sort is stable.
int ByLeft(CDrawObj* a, CDrawObj* b, CDrawList*) { return a->GetPosition().left - b->GetPosition().left; }

TEST(DrawListTest, SortIsStableAndKeepsNodes) {
  Objects o;
  CDrawObj* x3 = o.Make(CRect(3, 0, 4, 0));
  CDrawObj* x1a = o.Make(CRect(1, 0, 2, 0));
  CDrawObj* x2 = o.Make(CRect(2, 0, 3, 0));
  CDrawObj* x1b = o.Make(CRect(1, 0, 2, 0));
  CDrawList list;
  const POSITION first = list.AddTail(x3);
  list.AddTail(x1a);
  list.AddTail(x2);
  list.AddTail(x1b);
  list.Sort(ByLeft);
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{x1a, x1b, x2, x3}));
  // The head node is still the head node; it now holds the first element.
  EXPECT_EQ(list.GetHeadPosition(), first);
}

TEST(DrawListTest, SortOfARangeNeverMovesAnElementInFrontOfIt) {
  Objects o;
  CDrawObj* x0 = o.Make(CRect(9, 0, 9, 0));
  CDrawObj* x5 = o.Make(CRect(5, 0, 5, 0));
  CDrawObj* x4 = o.Make(CRect(4, 0, 4, 0));
  CDrawObj* x1 = o.Make(CRect(1, 0, 1, 0));
  CDrawList list;
  list.AddTail(x0);
  POSITION from = list.AddTail(x5);
  list.AddTail(x4);
  list.AddTail(x1);
  list.Sort(from, 2, ByLeft);
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{x0, x4, x5, x1}));
}

class LeftOfZero : public IDrawListFilter {
 public:
  BOOL Passes(CDrawObj* object) override { return object->GetPosition().left < 0; }
};

TEST(DrawListTest, FiltersByTestAndCountsWhatPassed) {
  Objects o;
  CDrawObj* left = o.Make(CRect(-5, 0, 0, 0));
  CDrawObj* right = o.Make(CRect(5, 0, 6, 0));
  CDrawObj* alsoLeft = o.Make(CRect(-1, 0, 0, 0));
  CDrawList source;
  source.AddTail(left);
  source.AddTail(right);
  source.AddTail(alsoLeft);
  LeftOfZero test;
  CDrawList target;
  target.AddTail(alsoLeft);
  // Two pass; the one already in the target counts but is not added again.
  EXPECT_EQ(target.CopyFromFilter(source, test), 2);
  EXPECT_EQ(Elements(target), (std::vector<CDrawObj*>{alsoLeft, left}));
  source.ExcludeAllBut(test);
  EXPECT_EQ(Elements(source), (std::vector<CDrawObj*>{left, alsoLeft}));
}

TEST(DrawListTest, ClassQueriesOnEmptyListsAndNullEntries) {
  Objects o;
  CDrawList list;
  EXPECT_FALSE(list.HasA(RUNTIME_CLASS(CDrawObj)));
  EXPECT_FALSE(list.HasSomethingOtherThan(RUNTIME_CLASS(CDrawObj)));
  CDrawObj* a = o.Make();
  CDrawObj* b = o.Make();
  list.AddTail(a);
  list.AddTail(b);
  EXPECT_TRUE(list.HasA(RUNTIME_CLASS(CDrawObj)));
  EXPECT_FALSE(list.HasSomethingOtherThan(RUNTIME_CLASS(CDrawObj)));
  EXPECT_EQ(list.GetLastSelectedClassType(RUNTIME_CLASS(CDrawObj)), b);
  // A null entry counts as something else, and capability filters drop it.
  list.AddTail(static_cast<CDrawObj*>(nullptr));
  EXPECT_TRUE(list.HasSomethingOtherThan(RUNTIME_CLASS(CDrawObj)));
  list.ExcludeNonSelectables();
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, b}));
}

// Three blocks in a row, a -> b -> c, for the filters that follow the
// diagram's structure.
class ListOnDiagram : public blocktest::BlockDiagram {
 protected:
  void SetUp() override {
    BlockDiagram::SetUp();
    a = PlaceBlock(1, CPoint(-300, 0));
    b = PlaceBlock(101, CPoint(0, 0));
    c = PlaceBlock(100, CPoint(300, 0));
    ab = Wire(PortOf(a, 0), PortOf(b, 0));
    bc = Wire(PortOf(b, 1), PortOf(c, 0));
    ASSERT_TRUE(ab && bc);
    doc.ClearUndoStack();
  }
  CDrawBlock* a = nullptr;
  CDrawBlock* b = nullptr;
  CDrawBlock* c = nullptr;
  CDrawArc* ab = nullptr;
  CDrawArc* bc = nullptr;
};

TEST_P(ListOnDiagram, ContainedArcsAreThoseWithBothEndsInTheList) {
  CDrawList list;
  list += a;
  list += b;
  list.IncludeElementComponents();
  for (CDrawObj* port : {PortOf(a, 0), PortOf(b, 0), PortOf(b, 1)}) EXPECT_TRUE(list.Find(port));
  EXPECT_FALSE(list.Find(PortOf(c, 0)));
  list.IncludeContainedArcs();
  EXPECT_TRUE(list.Find(ab));
  EXPECT_FALSE(list.Find(bc));  // leads to the third block

  // Attached arcs alone bring the wire to the third block too; the
  // dangling ones then go again.
  list.IncludeAttachedArcs();
  EXPECT_TRUE(list.Find(bc));
  list.ExcludeDanglingArcs();
  EXPECT_FALSE(list.Find(bc));
  EXPECT_TRUE(list.Find(ab));

  list.ExcludeElementComponents();
  list.ExcludeArcs();
  EXPECT_EQ(Elements(list), (std::vector<CDrawObj*>{a, b}));
}

TEST_P(ListOnDiagram, DeletingElementsIsOneCommandOrNothing) {
  CDrawList list;
  list += a;
  list += ab;
  {
    // A refused recording deletes nothing.
    CDrawDoc::SetUndoMemoryProbe([](size_t) { return false; });
    doctest::ScriptedMsgBox box({FALSE});
    EXPECT_EQ(list.DeleteElements(&doc), 0);
    CMsgBox::Remove(&box);
    CDrawDoc::SetUndoMemoryProbe(nullptr);
  }
  EXPECT_TRUE(diagram->GetObjects().Find(a));
  EXPECT_TRUE(diagram->GetObjects().Find(ab));
  EXPECT_EQ(doc.GetNumberUndosOnStack(), 0);

  EXPECT_EQ(list.DeleteElements(&doc), 1);
  EXPECT_FALSE(diagram->GetObjects().Find(a));
  EXPECT_FALSE(diagram->GetObjects().Find(ab));
  ASSERT_EQ(doc.GetNumberUndosOnStack(), 1);
  EXPECT_STREQ(CStringA(doc.GetNextUndoCmdName()).GetString(), "Delete Elements");
  ASSERT_TRUE(doc.UndoLast());
  EXPECT_TRUE(diagram->GetObjects().Find(a));
  EXPECT_TRUE(diagram->GetObjects().Find(ab));
}

INSTANTIATE_TEST_SUITE_P(BothDirections, ListOnDiagram, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Upward" : "Downward");
                         });

}  // namespace
