// Queries into a result that holds objects already: those stay where they
// are and are not added again, whether the tree lists them in one node or
// several, and asking again adds nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "diagram/model/objects/DrawObj.h"
#include "diagram/model/canvas/QuadTree.h"

namespace {

std::vector<CDrawObj*> Elements(const CDrawList& list) {
  std::vector<CDrawObj*> v;
  for (POSITION pos = list.GetHeadPosition(); pos;) v.push_back(list.GetNext(pos));
  return v;
}

TEST(QuadTreeQueryTest, ObjectsTheResultHoldsStayOnceInTheirPlaces) {
  std::vector<std::unique_ptr<CDrawObj>> objects;
  auto make = [&objects](const CRect& r) {
    objects.push_back(std::make_unique<CDrawObj>(r));
    return objects.back().get();
  };
  // Enough small objects to split the root, one across the middle (filed
  // in all four quarters' nodes or kept in the root), one outside the root.
  std::vector<CDrawObj*> grid;
  for (int i = 0; i < 100; ++i) {
    const int x = i % 10 * 100;
    const int y = i / 10 * 100;
    grid.push_back(make(CRect(x, y, x + 50, y + 50)));
  }
  CDrawObj* middle = make(CRect(480, 480, 520, 520));
  CDrawObj* outside = make(CRect(2000, 2000, 2050, 2050));
  CDrawObj* elsewhere = make(CRect(0, 0, 1, 1));  // in the result, not in the tree
  CDrawList all;
  for (const auto& object : objects) {
    if (object.get() != elsewhere) all.AddTail(object.get());
  }
  QuadTreeHead tree;
  tree.Initialize(CRect(0, 0, 1000, 1000), all);
  ASSERT_FALSE(tree.IsLeaf());

  const CRect query(390, 390, 2100, 2100);
  CDrawList out;
  out.AddTail(middle);
  out.AddTail(elsewhere);
  out.AddTail(grid[44]);
  tree.GetObjectsInRect(query, out, FALSE);
  std::vector<CDrawObj*> got = Elements(out);
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(std::vector<CDrawObj*>(got.begin(), got.begin() + 3),
            (std::vector<CDrawObj*>{middle, elsewhere, grid[44]}));
  std::vector<CDrawObj*> expected{middle, elsewhere, grid[44]};
  for (const auto& object : objects) {
    CDrawObj* o = object.get();
    if (o == middle || o == elsewhere || o == grid[44]) continue;
    if (o->Intersects(query)) expected.push_back(o);
  }
  std::vector<CDrawObj*> sortedGot = got, sortedExpected = expected;
  std::sort(sortedGot.begin(), sortedGot.end());
  std::sort(sortedExpected.begin(), sortedExpected.end());
  EXPECT_EQ(sortedGot, sortedExpected);
  EXPECT_NE(std::find(got.begin(), got.end(), outside), got.end());

  // The same query again finds nothing new.
  tree.GetObjectsInRect(query, out, FALSE);
  EXPECT_EQ(Elements(out), got);
}

// An object whose shape test asks the tree a question of its own (one
// level deep: the inner question's tests ask nothing).
class CuriousObj : public CDrawObj {
 public:
  CuriousObj(const CRect& r, QuadTreeHead& tree) : CDrawObj(r), tree_(tree) {}
  BOOL Intersects(const CRect& rect) override {
    static bool asking = false;
    if (!asking) {
      asking = true;
      CDrawList around;
      tree_.GetObjectsInRect(CRect(0, 0, 1000, 1000), around, FALSE);
      asking = false;
    }
    return CDrawObj::Intersects(rect);
  }

 private:
  QuadTreeHead& tree_;
};

TEST(QuadTreeQueryTest, AQueryInsideAShapeTestLeavesTheOuterResultASet) {
  QuadTreeHead tree;
  std::vector<std::unique_ptr<CDrawObj>> objects;
  tree.Initialize(CRect(0, 0, 1000, 1000), CDrawList());
  // Long bars across the whole width, each filed in many leaves, and enough
  // small curious objects to split the tree under them.
  for (int i = 0; i < 200; ++i) {
    const int x = i % 20 * 50;
    const int y = i / 20 * 100;
    objects.push_back(std::make_unique<CuriousObj>(CRect(x, y, x + 20, y + 20), tree));
    tree.AddObject(objects.back().get());
  }
  for (int i = 0; i < 5; ++i) {
    objects.push_back(std::make_unique<CDrawObj>(CRect(0, 30 + i * 100, 1000, 40 + i * 100)));
    tree.AddObject(objects.back().get());
  }
  const CRect query(0, 0, 1000, 600);
  CDrawList out;
  tree.GetObjectsInRect(query, out, FALSE);
  std::vector<CDrawObj*> got = Elements(out);
  std::sort(got.begin(), got.end());
  EXPECT_EQ(std::adjacent_find(got.begin(), got.end()), got.end());
  std::vector<CDrawObj*> expected;
  for (const auto& object : objects) {
    if (object->CDrawObj::Intersects(query)) expected.push_back(object.get());
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(got, expected);
}

}  // namespace
