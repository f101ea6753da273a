// Every move of every object of a short z-order to every place, and beyond
// the end: the list ends as taking the object out and putting it in at the
// place (the end when beyond it) would leave it, with every z-index its
// place, and undo puts it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/DrawObj.h"

namespace {

std::vector<CDrawObj*> Order(const CDiagram& diagram) {
  std::vector<CDrawObj*> v;
  for (POSITION pos = diagram.GetObjects().GetHeadPosition(); pos;) v.push_back(diagram.GetObjects().GetNext(pos));
  return v;
}

TEST(DiagramZOrderTest, EveryMoveLandsWhereTakingOutAndPuttingInWould) {
  constexpr int kCount = 7;
  for (int from = 0; from < kCount; ++from) {
    for (UINT to : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 40u, 0xFFFFFFFFu}) {
      SCOPED_TRACE(testing::Message() << "from " << from << " to " << to);
      CDrawDoc doc;
      CDiagram& diagram = *doc.GetDiagram();
      diagram.SetDocument(&doc);
      for (int i = 0; i < kCount; ++i) ASSERT_TRUE(diagram.Add(new CDrawObj(CRect(i, 10, i + 10, 0))));
      std::vector<CDrawObj*> expected = Order(diagram);
      const std::vector<CDrawObj*> before = expected;
      CDrawObj* moved = expected[static_cast<size_t>(from)];
      expected.erase(expected.begin() + from);
      expected.insert(expected.begin() + static_cast<long>(std::min<size_t>(to, expected.size())), moved);

      ASSERT_TRUE(diagram.ChangeZorder(moved, to));
      EXPECT_EQ(Order(diagram), expected);
      for (int i = 0; i < kCount; ++i) ASSERT_EQ(Order(diagram)[static_cast<size_t>(i)]->GetZIndex(), i);
      ASSERT_TRUE(doc.UndoLast());
      EXPECT_EQ(Order(diagram), before);
      for (int i = 0; i < kCount; ++i) ASSERT_EQ(Order(diagram)[static_cast<size_t>(i)]->GetZIndex(), i);
    }
  }
}

}  // namespace
