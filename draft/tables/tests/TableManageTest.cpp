// The drawing-register list view: made by its class name, its nine columns.
#include <gtest/gtest.h>

#include <memory>

#include "draft/tables/TableManage.h"
#include "platform/ui/ListCtrl.h"

TEST(TableManageTest, MadeByItsClassNameWithTheNineColumns) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, u"AfxWnd", u"register", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 300), nullptr, 0));
  std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CTableManage"));
  auto* view = dynamic_cast<CTableManage*>(made.get());
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->Create(nullptr, "", LVS_REPORT, CRect(0, 0, 580, 280), &parent, 1));
  EXPECT_EQ(CStringA(view->GetRuntimeClass()->m_lpszClassName), CStringA("CTableManage"));
  EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CListView)));
  const LONG style = ::GetWindowLongW(view->GetSafeHwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), static_cast<LONG>(WS_CHILD | WS_VISIBLE | WS_BORDER));
  view->OnInitialUpdate();
  CListCtrl& list = view->GetListCtrl();
  ASSERT_EQ(list.GetColumnCount(), CTableManage::kColumnCount);
  for (int i = 0; i < CTableManage::kColumnCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(list.GetColumnWidth(i), CTableManage::kColumns[i].width);
    LVCOLUMNW column{};
    char16_t text[32] = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = text;
    column.cchTextMax = 32;
    ASSERT_TRUE(list.GetColumn(i, &column));
    EXPECT_EQ(CStringA(CStringW(text)), CStringA(CTableManage::kColumns[i].title));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  EXPECT_TRUE(view->IsSelected(nullptr));
  view->DestroyWindow();
  parent.DestroyWindow();
}
