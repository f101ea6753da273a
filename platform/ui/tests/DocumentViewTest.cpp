// A document's views: attaching, updating all but the sender, and leaving.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ui/Document.h"
#include "platform/ui/View.h"

namespace {

class CountingView : public CView {
 public:
  void OnDraw(CDC*) override {}
  void OnUpdate(CView* sender, LPARAM hint, CObject*) override {
    senders.push_back(sender);
    hints.push_back(hint);
  }
  std::vector<CView*> senders;
  std::vector<LPARAM> hints;
};

TEST(DocumentViewTest, UpdateAllViewsSkipsTheSender) {
  CDocument doc;
  CountingView a;
  CountingView b;
  doc.AddView(&a);
  doc.AddView(&b);
  EXPECT_EQ(a.GetDocument(), &doc);
  doc.UpdateAllViews(&a, 7);
  EXPECT_TRUE(a.hints.empty());
  ASSERT_EQ(b.hints.size(), 1u);
  EXPECT_EQ(b.hints[0], 7);
  EXPECT_EQ(b.senders[0], &a);
  POSITION pos = doc.GetFirstViewPosition();
  EXPECT_EQ(doc.GetNextView(pos), &a);
  EXPECT_EQ(doc.GetNextView(pos), &b);
  EXPECT_EQ(pos, nullptr);
}

TEST(DocumentViewTest, AViewBelongsToOneDocumentAndLeavesItWhenDestroyed) {
  CDocument first;
  CDocument second;
  auto view = std::make_unique<CountingView>();
  first.AddView(view.get());
  second.AddView(view.get());
  EXPECT_EQ(view->GetDocument(), &second);
  EXPECT_EQ(first.GetFirstViewPosition(), nullptr);
  view.reset();
  EXPECT_EQ(second.GetFirstViewPosition(), nullptr);
  second.UpdateAllViews(nullptr);
}

TEST(DocumentViewTest, ADocumentThatGoesFirstDetachesItsViews) {
  CountingView view;
  {
    CDocument doc;
    doc.AddView(&view);
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
  }
  EXPECT_EQ(view.GetDocument(), nullptr);
}

}  // namespace
