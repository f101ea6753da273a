#include "diagram/model/canvas/QuadTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "diagram/model/objects/DrawObj.h"

namespace {

// Objects are unattached drawing objects: their bounding rectangle is their
// position, normalised.
class QuadTreeTest : public ::testing::Test {
 protected:
  CDrawObj* Make(int l, int t, int r, int b) {
    objects_.push_back(std::make_unique<CDrawObj>(CRect(l, t, r, b)));
    return objects_.back().get();
  }

  // Every node of the tree, root first.
  std::vector<const QuadTreeNode*> Nodes() const {
    std::vector<const QuadTreeNode*> nodes;
    std::function<void(const QuadTreeNode*)> walk = [&](const QuadTreeNode* node) {
      nodes.push_back(node);
      if (!node->IsLeaf()) {
        for (int i = 0; i < 4; ++i) walk(node->GetChild(i));
      }
    };
    walk(&tree_);
    return nodes;
  }

  // The nodes (outside list included, as the head) that list the object.
  std::vector<const QuadTreeNode*> Holders(CDrawObj* object) const {
    std::vector<const QuadTreeNode*> holders;
    for (const QuadTreeNode* node : Nodes()) {
      if (node->GetObjects().GetIndex(object) >= 0) holders.push_back(node);
    }
    if (tree_.GetOutsideObjects().GetIndex(object) >= 0) holders.push_back(&tree_);
    return holders;
  }

  int TotalEntries() const {
    int total = tree_.GetOutsideObjects().GetCount();
    for (const QuadTreeNode* node : Nodes()) total += static_cast<int>(node->GetObjects().GetCount());
    return total;
  }

  std::vector<CDrawObj*> Query(const CRect& rect, int bounded) {
    CDrawList out;
    tree_.GetObjectsInRect(rect, out, bounded);
    std::vector<CDrawObj*> found;
    for (POSITION pos = out.GetHeadPosition(); pos;) found.push_back(out.GetNext(pos));
    return found;
  }

  // Declared before the tree, so that the tree lets go of them first.
  std::vector<std::unique_ptr<CDrawObj>> objects_;
  QuadTreeHead tree_;
};

TEST_F(QuadTreeTest, LeafSplitsAtTheSixtyFirstObject) {
  tree_.Initialize(CRect(0, 0, 1000, 1000), CDrawList());
  // 59 small objects spread over the four quarters, one across the vertical
  // middle line of the upper half.
  for (int i = 0; i < 59; ++i) {
    int x = (i % 2) ? 600 : 100, y = (i % 4 < 2) ? 100 : 600;
    Make(x + i, y + i, x + i + 10, y + i + 10);
  }
  CDrawObj* across = Make(495, 300, 505, 310);
  for (auto& o : objects_) tree_.AddObject(o.get());
  ASSERT_TRUE(tree_.IsLeaf());
  EXPECT_EQ(tree_.GetObjects().GetCount(), 60);

  CDrawObj* centre = Make(495, 495, 505, 505);  // meets all four quarters
  tree_.AddObject(centre);
  ASSERT_FALSE(tree_.IsLeaf());

  const QuadTreeNode* quarter[4];
  for (int i = 0; i < 4; ++i) quarter[i] = tree_.GetChild(i);
  EXPECT_EQ(quarter[0]->GetRect(), CRect(0, 0, 500, 500));
  EXPECT_EQ(quarter[1]->GetRect(), CRect(500, 0, 1000, 500));
  EXPECT_EQ(quarter[2]->GetRect(), CRect(0, 500, 500, 1000));
  EXPECT_EQ(quarter[3]->GetRect(), CRect(500, 500, 1000, 1000));

  // Every object lands in the quarters it overlaps; the one that meets all
  // four stays in the split node.
  EXPECT_EQ(Holders(across), (std::vector<const QuadTreeNode*>{quarter[0], quarter[1]}));
  EXPECT_EQ(Holders(centre), (std::vector<const QuadTreeNode*>{&tree_}));
  for (int i = 0; i < 59; ++i) {
    const CRect& p = objects_[static_cast<size_t>(i)]->GetPosition();
    int q = (p.left >= 500 ? 1 : 0) + (p.top >= 500 ? 2 : 0);
    EXPECT_EQ(Holders(objects_[static_cast<size_t>(i)].get()), (std::vector<const QuadTreeNode*>{quarter[q]})) << i;
  }
  EXPECT_EQ(TotalEntries(), 62);

  // The two middle objects are found from every quarter, once each.
  for (const CRect& q : {CRect(490, 295, 499, 305), CRect(501, 301, 520, 320)}) {
    auto found = Query(q, FALSE);
    EXPECT_EQ(found, (std::vector<CDrawObj*>{across})) << q.left;
  }
  for (const CRect& q : {CRect(480, 480, 499, 499), CRect(501, 480, 520, 499), CRect(480, 501, 499, 520),
                         CRect(501, 501, 520, 520), CRect(0, 0, 1000, 1000)}) {
    auto found = Query(q, FALSE);
    EXPECT_EQ(std::count(found.begin(), found.end(), centre), 1) << q.left << "," << q.top;
  }
}

TEST_F(QuadTreeTest, NarrowLeafNeverSplits) {
  tree_.Initialize(CRect(0, 0, 9, 4000), CDrawList());
  for (int i = 0; i < 200; ++i) tree_.AddObject(Make(0, i * 20, 9, i * 20 + 10));
  EXPECT_TRUE(tree_.IsLeaf());
  EXPECT_EQ(tree_.GetObjects().GetCount(), 200);
}

TEST_F(QuadTreeTest, OutsideObjectsBoundedQueriesAndRemoval) {
  tree_.SetSize(CSize(500, 500), CDrawList());
  EXPECT_EQ(tree_.GetRect(), CRect(-500, -500, 500, 500));
  CDrawObj* outside = Make(900, 900, 950, 950);
  CDrawObj* sticking = Make(450, 0, 700, 20);  // half out of the root
  CDrawObj* inside = Make(10, 10, 30, 30);
  // Stored unnormalised, as in a diagram whose y axis points up.
  CDrawObj* upward = Make(100, 60, 140, 40);
  for (auto& o : objects_) tree_.AddObject(o.get());
  EXPECT_EQ(Holders(outside), (std::vector<const QuadTreeNode*>{&tree_}));
  EXPECT_EQ(tree_.GetOutsideObjects().GetIndex(outside), 0);

  EXPECT_EQ(Query(CRect(920, 920, 1000, 1000), FALSE), (std::vector<CDrawObj*>{outside}));
  // Beyond the root's edge, the part of an object that sticks out is found.
  EXPECT_EQ(Query(CRect(600, 5, 650, 10), FALSE), (std::vector<CDrawObj*>{sticking}));
  EXPECT_EQ(Query(CRect(120, 45, 130, 55), FALSE), (std::vector<CDrawObj*>{upward}));
  // An unnormalised query is normalised first.
  EXPECT_EQ(Query(CRect(130, 55, 120, 45), FALSE), (std::vector<CDrawObj*>{upward}));

  // Bounded: edges included; crossing the edge is not enough.
  EXPECT_EQ(Query(CRect(10, 10, 30, 30), TRUE), (std::vector<CDrawObj*>{inside}));
  EXPECT_TRUE(Query(CRect(15, 0, 40, 40), TRUE).empty());
  EXPECT_EQ(Query(CRect(15, 0, 40, 40), FALSE), (std::vector<CDrawObj*>{inside}));

  // A result list that already holds an object does not get it twice.
  CDrawList out;
  out.AddTail(inside);
  tree_.GetObjectsInRect(CRect(0, 0, 200, 200), out, FALSE);
  EXPECT_EQ(out.GetCount(), 2);
  EXPECT_EQ(out.GetHead(), inside);

  for (CDrawObj* o : {outside, sticking, inside, upward}) {
    tree_.RemoveObject(o);
    EXPECT_FALSE(o->IsInQuadTree());
    EXPECT_TRUE(Holders(o).empty());
  }
  EXPECT_TRUE(tree_.IsEmpty());
}

TEST_F(QuadTreeTest, RemovalLeavesNoReferenceInAnySplitNode) {
  tree_.Initialize(CRect(0, 0, 1000, 1000), CDrawList());
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pos(0, 980);
  for (int i = 0; i < 300; ++i) {
    int x = pos(rng), y = pos(rng);
    tree_.AddObject(Make(x, y, x + 20, y + 20));
  }
  CDrawObj* wide = Make(100, 400, 900, 410);  // in many leaves
  tree_.AddObject(wide);
  ASSERT_GT(Holders(wide).size(), 2u);
  tree_.RemoveObject(wide);
  EXPECT_TRUE(Holders(wide).empty());
  EXPECT_FALSE(wide->IsInQuadTree());

  // Clearing lets go of every object.
  tree_.ClearTree();
  EXPECT_TRUE(tree_.IsEmpty());
  for (auto& o : objects_) EXPECT_FALSE(o->IsInQuadTree());
}

TEST_F(QuadTreeTest, AddingAFiledObjectFilesItAfresh) {
  tree_.Initialize(CRect(0, 0, 1000, 1000), CDrawList());
  for (int i = 0; i < 100; ++i) tree_.AddObject(Make(i * 9, i * 9, i * 9 + 8, i * 9 + 8));
  CDrawObj* moved = objects_[10].get();
  moved->MoveBy(CPoint(500, -50), FALSE);
  tree_.AddObject(moved);
  EXPECT_EQ(Holders(moved).size(), 1u);
  EXPECT_TRUE(Query(CRect(90, 90, 98, 98), FALSE).empty());
  EXPECT_EQ(Query(CRect(590, 40, 598, 48), FALSE), (std::vector<CDrawObj*>{moved}));
  tree_.AddObject(moved);
  EXPECT_EQ(TotalEntries(), 100);
}

TEST_F(QuadTreeTest, LargeObjectsOverOneAreaDoNotMultiplyLeaves) {
  // A canvas of 20 x 20 letter pages, with 100 rectangles each covering
  // most of it, then thin bands across the whole width at one height.
  tree_.Initialize(CRect(0, 0, 17000, 22000), CDrawList());
  for (int i = 0; i < 100; ++i) tree_.AddObject(Make(100 + i, 100 + i, 16000 - i, 21000 - i));
  EXPECT_EQ(TotalEntries(), 100);
  for (int i = 0; i < 100; ++i) tree_.AddObject(Make(0, 3000 + i, 17000, 3010 + i));
  EXPECT_LE(Nodes().size(), 5u);
  EXPECT_EQ(TotalEntries(), 200);
  EXPECT_EQ(Query(CRect(50, 50, 60, 60), FALSE).size(), 0u);
  EXPECT_EQ(Query(CRect(8000, 3050, 8001, 3051), FALSE).size(), 100u + 10u);
}

TEST_F(QuadTreeTest, ObjectsGatheredInOneQuarterStillSplitTheTree) {
  // A canvas of 2 x 2 pages on which only one page is used: every object
  // lies in one quarter of the root.
  tree_.Initialize(CRect(0, 0, 4000, 4000), CDrawList());
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> pos(0, 1950);
  for (int i = 0; i < 2000; ++i) {
    int x = pos(rng), y = pos(rng);
    tree_.AddObject(Make(x, y, x + 20, y + 20));
  }
  ASSERT_FALSE(tree_.IsLeaf());
  for (const QuadTreeNode* node : Nodes()) EXPECT_LE(node->GetObjects().GetCount(), QuadTreeNode::kSplitCount);
  EXPECT_LT(TotalEntries(), 2 * 2000);
  // A small query meets only the objects near it.
  const CRect q(1000, 1000, 1010, 1010);
  size_t near = 0;
  for (auto& o : objects_) near += o->Intersects(q) ? 1 : 0;
  EXPECT_EQ(Query(q, FALSE).size(), near);
}

TEST_F(QuadTreeTest, RandomQueriesMatchALinearScan) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> coord(-1500, 11500);  // root is 0..10000, some objects beyond
  std::uniform_int_distribution<int> small(0, 150);
  std::uniform_int_distribution<int> kind(0, 19);
  auto randomRect = [&]() {
    int x = coord(rng), y = coord(rng);
    switch (kind(rng)) {
      case 0:  // large
        return CRect(x, y, x + small(rng) * 40, y + small(rng) * 40);
      case 1:  // a line: no area
        return CRect(x, y, x + small(rng), y);
      case 2:  // stored upside down
        return CRect(x, y + small(rng) + 1, x + small(rng) + 1, y);
      default:
        return CRect(x, y, x + small(rng) + 1, y + small(rng) + 1);
    }
  };
  tree_.Initialize(CRect(0, 0, 10000, 10000), CDrawList());
  for (int i = 0; i < 3000; ++i) {
    CRect r = randomRect();
    tree_.AddObject(Make(r.left, r.top, r.right, r.bottom));
  }
  // Move a third of them, as an edit would, and tell the tree.
  std::uniform_int_distribution<int> delta(-400, 400);
  for (size_t i = 1; i < objects_.size(); i += 3) {
    objects_[i]->MoveBy(CPoint(delta(rng), delta(rng)), FALSE);
    tree_.UpdateObject(objects_[i].get());
  }
  // Remove a tenth, as a diagram deletes objects.
  for (size_t i = 0; i < objects_.size(); i += 10) tree_.RemoveObject(objects_[i].get());

  std::uniform_int_distribution<int> querySize(0, 3000);
  for (int round = 0; round < 400; ++round) {
    int x = coord(rng), y = coord(rng);
    CRect q(x, y, x + querySize(rng) / (round % 4 + 1), y + querySize(rng) / (round % 4 + 1));
    for (int bounded : {FALSE, TRUE}) {
      std::vector<CDrawObj*> found = Query(q, bounded);
      std::multiset<CDrawObj*> got(found.begin(), found.end());
      std::multiset<CDrawObj*> want;
      for (size_t i = 0; i < objects_.size(); ++i) {
        CDrawObj* o = objects_[i].get();
        if (i % 10 == 0) continue;
        if (bounded ? o->BoundedBy(q) : o->Intersects(q)) want.insert(o);
      }
      ASSERT_EQ(got, want) << "round " << round << " bounded " << bounded;
    }
  }
}

}  // namespace

namespace {

// The node list an object keeps: the first places in the object, the rest
// beside it; taking one out keeps the others' order wherever they lie.
TEST(QuadRefsTest, ErasingKeepsTheOrderAcrossEveryPlace) {
  // Node addresses are only compared, never followed.
  std::vector<QuadTreeNode*> nodes;
  for (uintptr_t i = 1; i <= 5; ++i) nodes.push_back(reinterpret_cast<QuadTreeNode*>(i * 64));
  const auto* absent = reinterpret_cast<const QuadTreeNode*>(uintptr_t{6 * 64});
  for (size_t count = 1; count <= nodes.size(); ++count) {
    for (size_t gone = 0; gone < count; ++gone) {
      SCOPED_TRACE(testing::Message() << count << " nodes, taking out #" << gone);
      QuadRefs refs;
      for (size_t i = 0; i < count; ++i) refs.push_back(nodes[i]);
      EXPECT_FALSE(refs.erase(absent));
      ASSERT_TRUE(refs.erase(nodes[gone]));
      std::vector<QuadTreeNode*> expected(nodes.begin(), nodes.begin() + static_cast<std::ptrdiff_t>(count));
      expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(gone));
      EXPECT_EQ(refs.ToVector(), expected);
      EXPECT_EQ(refs.empty(), expected.empty());
      refs.push_back(nodes[gone]);  // back in, at the end
      expected.push_back(nodes[gone]);
      EXPECT_EQ(refs.ToVector(), expected);
      EXPECT_EQ(refs.front(), expected.front());
      refs.clear();
      EXPECT_TRUE(refs.empty());
    }
  }
}

}  // namespace
