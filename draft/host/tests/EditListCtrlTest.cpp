// Halcyte's editable list: cells edited in place by their column's kind.
#include <gtest/gtest.h>

#include <string>

#include "draft/host/EditListCtrl.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

class EditListTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(host.CreateEx(0, u"AfxWnd", u"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 300, 200), &host, 1021));
    list.AddEditColumn("属性名", 80, CEditListCtrl::kCellText);
    list.AddEditColumn("单位", 80, CEditListCtrl::kCellList, {"mm", "cm", "m"});
    list.AddEditColumn("属性值", 80, CEditListCtrl::kCellTextOrList, {"钢", "铁"});
    list.InsertColumn(3, "备注", LVCFMT_LEFT, 60);
    for (const char* name : {"图号", "材料", "重量"}) {
      int row = list.InsertItem(list.GetItemCount(), name);
      list.SetItemText(row, 1, "mm");
      list.SetItemText(row, 2, "钢");
    }
  }
  void TearDown() override {
    host.DestroyWindow();
    UiTest::TearDown();
  }
  // A double click in the middle of a cell, as the mouse gives it.
  void DoubleClickCell(int item, int column) {
    CRect r;
    ASSERT_TRUE(list.GetSubItemRect(item, column, LVIR_LABEL, r));
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
  }
  // The cell's text in GBK, as the literals of this file.
  std::string Cell(int item, int column) { return CStringA(list.GetItemText(item, column)).GetString(); }

  CWnd host;
  CEditListCtrl list;
};

TEST_F(EditListTest, ADoubleClickEditsTheCellOnlyWhenEditingIsOn) {
  DoubleClickCell(1, 0);
  EXPECT_FALSE(list.IsEditingCell());
  list.EnableCellEdit(TRUE);
  DoubleClickCell(1, 3);  // a column that is not edited
  EXPECT_FALSE(list.IsEditingCell());
  EXPECT_FALSE(list.EditCell(7, 0));
  EXPECT_FALSE(list.EditCell(-1, 0));
  DoubleClickCell(1, 0);
  ASSERT_TRUE(list.IsEditingCell());
  EXPECT_EQ(list.GetEditItem(), 1);
  EXPECT_EQ(list.GetEditColumn(), 0);
  CWnd* editor = list.GetCellEditor();
  ASSERT_NE(dynamic_cast<CEdit*>(editor), nullptr);
  EXPECT_EQ(::GetFocus(), editor->m_hWnd);
  CStringW shown;
  editor->GetWindowText(shown);
  EXPECT_EQ(CStringA(shown), CStringA("材料"));
  // The editor takes Enter and Escape itself, also inside a dialog.
  EXPECT_NE(editor->SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0u);
}

TEST_F(EditListTest, EnterKeepsEscapeDropsAndLeavingKeepsTheText) {
  list.EnableCellEdit(TRUE);
  struct Case {
    const char* what;
    int key;  // 0: the focus moves away
    const char* typed;
    const char* cell;
    bool modified;
  };
  const Case cases[] = {
      {"enter", VK_RETURN, "钢材", "钢材", true},
      {"escape", VK_ESCAPE, "丢弃", "钢材", false},
      {"leaving", 0, "铜", "铜", true},
      {"same text", VK_RETURN, "铜", "铜", false},
  };
  for (const Case& c : cases) {
    list.ResetListModified();
    ASSERT_TRUE(list.EditCell(1, 0)) << c.what;
    HWND editor = list.GetCellEditor()->m_hWnd;
    ASSERT_TRUE(platform::EnterText(editor, CStringA(c.typed))) << c.what;
    if (c.key) {
      platform::PressKey(c.key);
    } else {
      host.SetFocus();
    }
    EXPECT_FALSE(list.IsEditingCell()) << c.what;
    EXPECT_FALSE(::IsWindow(editor)) << c.what;
    EXPECT_EQ(Cell(1, 0), c.cell) << c.what;
    EXPECT_EQ(list.IsListModified() != FALSE, c.modified) << c.what;
  }
  EXPECT_EQ(Cell(0, 0), "图号");
  EXPECT_EQ(Cell(2, 0), "重量");
}

TEST_F(EditListTest, ListCellsChooseAndEditableListCellsTakeEitherAChoiceOrAText) {
  list.EnableCellEdit(TRUE);
  DoubleClickCell(2, 1);
  auto* combo = dynamic_cast<CComboBox*>(list.GetCellEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->GetStyle() & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
  EXPECT_EQ(combo->GetCount(), 3);
  EXPECT_EQ(combo->GetCurSel(), 0);  // the cell's own text
  ASSERT_TRUE(platform::ChooseItem(combo->m_hWnd, 2));
  platform::PressKey(VK_RETURN);
  EXPECT_EQ(Cell(2, 1), "m");
  EXPECT_TRUE(list.IsListModified());

  DoubleClickCell(0, 2);
  combo = dynamic_cast<CComboBox*>(list.GetCellEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->GetStyle() & 3, static_cast<DWORD>(CBS_DROPDOWN));
  ASSERT_TRUE(platform::ChooseItem(combo->m_hWnd, 1));
  platform::PressKey(VK_RETURN);
  EXPECT_EQ(Cell(0, 2), "铁");
  ASSERT_TRUE(list.EditCell(0, 2));
  ASSERT_TRUE(platform::EnterText(list.GetCellEditor()->m_hWnd, CStringA("铝合金")));
  platform::PressKey(VK_RETURN);
  EXPECT_EQ(Cell(0, 2), "铝合金");
}

TEST_F(EditListTest, DisablingOrAnotherCellEndsTheOpenEditKeepingItsText) {
  list.EnableCellEdit(TRUE);
  ASSERT_TRUE(list.EditCell(0, 0));
  platform::EnterText(list.GetCellEditor()->m_hWnd, CStringA("A"));
  ASSERT_TRUE(list.EditCell(2, 0));  // the first edit ends, kept
  EXPECT_EQ(Cell(0, 0), "A");
  EXPECT_EQ(list.GetEditItem(), 2);
  platform::EnterText(list.GetCellEditor()->m_hWnd, CStringA("B"));
  list.EnableCellEdit(FALSE);
  EXPECT_FALSE(list.IsEditingCell());
  EXPECT_EQ(Cell(2, 0), "B");
  EXPECT_FALSE(list.EndCellEdit(TRUE));  // nothing open
}

}  // namespace
