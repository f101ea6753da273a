// The list view: a view whose window is a list control, made through its
// run-time class.
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/ListView.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {
class ListViewTest : public uitest::UiTest {};
}  // namespace

TEST_F(ListViewTest, TheViewsWindowIsAListControl) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, u"AfxWnd", u"parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  std::unique_ptr<CObject> made(RUNTIME_CLASS(CListView)->CreateObject());
  auto* view = dynamic_cast<CListView*>(made.get());
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->Create(nullptr, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 280, 180), &parent, 7));
  char16_t name[64] = {};
  ::GetClassNameW(view->GetSafeHwnd(), name, 64);
  EXPECT_EQ(CStringW(name), CStringW(u"SysListView32"));
  view->OnInitialUpdate();
  CListCtrl& list = view->GetListCtrl();
  EXPECT_EQ(list.GetSafeHwnd(), view->GetSafeHwnd());
  EXPECT_EQ(list.InsertColumn(0, u"a", LVCFMT_LEFT, 60), 0);
  EXPECT_EQ(list.InsertItem(0, u"row"), 0);
  EXPECT_EQ(list.GetColumnCount(), 1);
  EXPECT_EQ(list.GetItemCount(), 1);
  // The handle belongs to the view: the list control object leaves it be.
  EXPECT_EQ(CWnd::FromHandlePermanent(view->GetSafeHwnd()), view);
  view->DestroyWindow();
  EXPECT_EQ(view->GetListCtrl().GetSafeHwnd(), nullptr);
  parent.DestroyWindow();
}
