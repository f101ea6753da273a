// The standard controls: the state they keep and the notifications they send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/TabCtrl.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/TreeCtrl.h"
#include "platform/ui/UserInput.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

using uitest::Utf8;

// A parent that writes down every notification it gets, with what the
// control shows at that moment.
class CHost : public CWnd {
 public:
  std::vector<std::string> log;
  LRESULT answer = 0;       // what WM_NOTIFY handlers answer
  UINT refuseCode = 0;      // a WM_NOTIFY code answered with TRUE
  int measuredHeight = 0;   // the row height the host gives owner-drawn lists
  std::vector<UINT> drawn;  // items drawn by the parent (not reflected)

  BOOL CreateTop() { return CreateEx(0, u"AfxWnd", u"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 400), nullptr, 0); }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    CStringW text;
    if (CWnd* c = CWnd::FromHandle(reinterpret_cast<HWND>(lParam))) c->GetWindowText(text);
    log.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)) + " [" + Utf8(text) + "]");
    return TRUE;
  }
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
    log.push_back(std::to_string(nm->idFrom) + ":" + std::to_string(static_cast<int>(nm->code)));
    *result = (refuseCode && nm->code == refuseCode) ? TRUE : answer;
    return TRUE;
  }
  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
    if (measuredHeight) mis->itemHeight = static_cast<UINT>(measuredHeight);
  }
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
    drawn.push_back(dis->itemID);
    CWnd::OnDrawItem(id, dis);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class ControlsTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(host.CreateTop());
  }
  void TearDown() override {
    host.DestroyWindow();
    UiTest::TearDown();
  }
  static std::string Code(int id, int code, const char* text) {
    return std::to_string(id) + ":" + std::to_string(code) + " [" + text + "]";
  }
  CHost host;
};

TEST_F(ControlsTest, EditNotifiesChangesAndKeepsSelectionLimitAndModifiedFlag) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &host, 1));
  edit.SetWindowText(u"12");
  EXPECT_EQ(host.log, (std::vector<std::string>{Code(1, EN_UPDATE, "12"), Code(1, EN_CHANGE, "12")}));
  EXPECT_FALSE(edit.GetModify());  // set by the program, not the user

  // A typed digit after a select-to-end, as a command writes its first key.
  edit.SetWindowText(u"7");
  edit.SetSel(0, -1);
  edit.ReplaceSel(u"8");
  edit.SetSel(-1, -1);  // caret at the end
  int start, end;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 1);
  EXPECT_TRUE(edit.GetModify());

  // Typing at the limit stops with EN_MAXTEXT.
  edit.LimitText(3);
  edit.SetFocus();
  host.log.clear();
  platform::TypeCharacters(u"9ab");
  EXPECT_EQ(Utf8([&] {
              CStringW t;
              edit.GetWindowText(t);
              return t;
            }()),
            "89a");
  EXPECT_EQ(host.log.back(), Code(1, EN_MAXTEXT, "89a"));

  EXPECT_TRUE(edit.CanUndo());
  edit.Undo();
  CStringW text;
  edit.GetWindowText(text);
  EXPECT_EQ(Utf8(text), "89");
}

TEST_F(ControlsTest, EditStylesDecideWhatTheUserMayType) {
  struct Case {
    DWORD style;
    const char16_t* typed;
    const char* shown;
  };
  const Case cases[] = {
      {ES_NUMBER, u"1a2-3", "123"},
      {ES_READONLY, u"abc", ""},
      {ES_UPPERCASE, u"abC", "ABC"},
      {ES_LOWERCASE, u"AbC", "abc"},
      {0, u"a\rb", "ab"},  // Enter in a one-line edit is refused
      {ES_MULTILINE | ES_WANTRETURN, u"a\rb", "a\r\nb"},
  };
  int id = 10;
  for (const Case& c : cases) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | c.style, CRect(0, 0, 100, 20), &host, ++id));
    edit.SetFocus();
    platform::TypeCharacters(c.typed);
    CStringW text;
    edit.GetWindowText(text);
    EXPECT_EQ(Utf8(text), c.shown) << "style " << c.style;
    edit.DestroyWindow();
  }
  // A read-only edit still takes the program's text.
  CEdit readOnly;
  ASSERT_TRUE(readOnly.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(0, 0, 100, 20), &host, 30));
  readOnly.ReplaceSel(u"set");
  CStringW text;
  readOnly.GetWindowText(text);
  EXPECT_EQ(Utf8(text), "set");
  EXPECT_FALSE(platform::EnterText(readOnly.m_hWnd, CStringW(u"x")));
}

TEST_F(ControlsTest, EditLinesInBothTextForms) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 100, 60), &host, 1));
  edit.SetWindowText(u"第一行\r\nsecond\r\n");
  EXPECT_EQ(edit.GetLineCount(), 3);
  EXPECT_EQ(edit.LineIndex(1), 5);
  EXPECT_EQ(edit.LineFromChar(6), 1);
  EXPECT_EQ(edit.LineLength(edit.LineIndex(0)), 3);
  EXPECT_EQ(edit.LineLength(7), 6);
  WCHAR wide[16] = {};
  EXPECT_EQ(edit.GetLine(1, wide, 16), 6);
  EXPECT_EQ(Utf8(CStringW(wide, 6)), "second");
  char gbk[16] = {};
  EXPECT_EQ(edit.GetLine(0, gbk, 16), 6);  // three double-byte characters
  EXPECT_EQ(platform::GbkToUtf8(std::string(gbk, 6)), "第一行");
  EXPECT_EQ(edit.GetLine(0, gbk, 5), 4);  // never half a character
  EXPECT_EQ(edit.GetLine(3, wide, 16), 0);
}

TEST_F(ControlsTest, ButtonsCheckTheirGroupAndRefuseWhenDisabled) {
  CButton a, b, c, check, three, push;
  ASSERT_TRUE(a.Create(u"A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 0, 50, 10), &host, 1));
  ASSERT_TRUE(b.Create(u"B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 10, 50, 20), &host, 2));
  ASSERT_TRUE(c.Create(u"C", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 20, 50, 30), &host, 3));
  ASSERT_TRUE(check.Create(u"D", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTOCHECKBOX, CRect(0, 30, 50, 40), &host, 4));
  ASSERT_TRUE(three.Create(u"E", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(0, 40, 50, 50), &host, 5));
  ASSERT_TRUE(push.Create(u"F", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 50, 50, 60), &host, 6));

  a.SetCheck(BST_CHECKED);  // no notification from the program's change
  EXPECT_TRUE(host.log.empty());
  EXPECT_TRUE(platform::ClickButton(c.m_hWnd));
  EXPECT_EQ(a.GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(c.GetCheck(), BST_CHECKED);
  EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);  // another group
  EXPECT_EQ(host.log, std::vector<std::string>{Code(3, BN_CLICKED, "C")});
  EXPECT_EQ(host.GetCheckedRadioButton(1, 3), 3);

  platform::ClickButton(check.m_hWnd);
  EXPECT_EQ(check.GetCheck(), BST_CHECKED);
  for (int expected : {1, 2, 0}) {
    platform::ClickButton(three.m_hWnd);
    EXPECT_EQ(three.GetCheck(), expected);
  }
  push.SetCheck(BST_CHECKED);
  EXPECT_EQ(push.GetCheck(), BST_UNCHECKED);  // a push button has no check

  push.EnableWindow(FALSE);
  host.log.clear();
  EXPECT_FALSE(platform::ClickButton(push.m_hWnd));
  push.SendMessage(BM_CLICK);
  EXPECT_TRUE(host.log.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsTest, ListBoxSortsFindsAndNotifiesTheUsersChoices) {
  CListBox single, multi;
  ASSERT_TRUE(single.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_NOTIFY, CRect(0, 0, 100, 100), &host, 1));
  ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | LBS_MULTIPLESEL | LBS_NOTIFY, CRect(100, 0, 200, 100), &host, 2));
  for (const char16_t* s : {u"pear", u"Apple", u"banana"}) single.AddString(s);
  CStringA first;
  single.GetText(0, first);
  EXPECT_EQ(std::string(first.GetString()), "Apple");
  EXPECT_EQ(single.FindString(-1, u"BAN"), 1);
  EXPECT_EQ(single.FindStringExact(-1, u"ban"), LB_ERR);
  EXPECT_EQ(single.GetCurSel(), LB_ERR);
  EXPECT_EQ(single.GetSelCount(), LB_ERR);  // a single-selection list has no count

  EXPECT_TRUE(platform::DoubleClickItem(single.m_hWnd, 2));
  EXPECT_EQ(single.GetCurSel(), 2);
  EXPECT_EQ(host.log, (std::vector<std::string>{Code(1, LBN_SELCHANGE, ""), Code(1, LBN_DBLCLK, "")}));

  for (const char* s : {"甲", "乙", "丙", "丁"})
    multi.AddString(CStringW(platform::Utf8ToUtf16(s).c_str()).GetString());
  platform::ChooseItem(multi.m_hWnd, 1);
  platform::ChooseItem(multi.m_hWnd, 3);
  platform::ChooseItem(multi.m_hWnd, 1);  // toggles off again
  EXPECT_EQ(multi.GetSelCount(), 1);
  int items[4] = {};
  EXPECT_EQ(multi.GetSelItems(4, items), 1);
  EXPECT_EQ(items[0], 3);
  EXPECT_EQ(multi.GetCaretIndex(), 1);
  EXPECT_EQ(multi.SetCurSel(0), LB_ERR);
  multi.DeleteString(0);
  EXPECT_EQ(multi.GetSel(2), 1);  // the selection moves with its item
}

class CComboWatcher : public CWnd {
 public:
  std::vector<std::string> seen;
  BOOL CreateTop() { return CreateEx(0, u"AfxWnd", u"w", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0); }

 protected:
  afx_msg void OnSelChange() {
    CComboBox* box = static_cast<CComboBox*>(GetDlgItem(1));
    CStringW shown, item;
    box->GetWindowText(shown);
    box->GetLBText(box->GetCurSel(), item);
    seen.push_back(Utf8(shown) + "|" + Utf8(item));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CComboWatcher, CWnd)
  ON_CBN_SELCHANGE(1, OnSelChange)
END_MESSAGE_MAP()

TEST_F(ControlsTest, ComboBoxChoiceReachesTheHandlerBeforeADropDownShowsIt) {
  for (DWORD kind : {CBS_DROPDOWN, CBS_DROPDOWNLIST}) {
    CComboWatcher watcher;
    ASSERT_TRUE(watcher.CreateTop());
    CComboBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | kind, CRect(0, 0, 100, 100), &watcher, 1));
    box.AddString(u"1:1");
    box.AddString(u"1:2");
    box.SetCurSel(0);
    platform::ChooseItem(box.m_hWnd, 1);
    // The edit of a drop-down still shows the old text in CBN_SELCHANGE.
    EXPECT_EQ(watcher.seen, std::vector<std::string>{kind == CBS_DROPDOWN ? "1:1|1:2" : "1:2|1:2"});
    CStringW shown;
    box.GetWindowText(shown);
    EXPECT_EQ(Utf8(shown), "1:2");
    watcher.DestroyWindow();
  }
}

TEST_F(ControlsTest, ComboBoxSelectsByTextAndTypesIntoItsEdit) {
  CComboBox list, edit;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 100, 100), &host, 1));
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(0, 30, 100, 130), &host, 2));
  for (const char16_t* s : {u"系统图组3", u"A", u"系统图组1"}) list.AddString(s);
  EXPECT_EQ(list.FindString(-1, u"系统图组"), 1);
  EXPECT_EQ(list.SelectString(-1, u"系统"), 1);
  CStringW shown;
  list.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "系统图组1");
  list.SetWindowText(u"other");  // a drop-down list shows only its items
  list.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "系统图组1");
  EXPECT_EQ(list.SetCurSel(7), CB_ERR);
  EXPECT_EQ(list.GetCurSel(), CB_ERR);

  host.log.clear();
  EXPECT_TRUE(platform::EnterText(edit.m_hWnd, CStringW(u"ab")));
  edit.GetWindowText(shown);
  EXPECT_EQ(Utf8(shown), "ab");
  EXPECT_EQ(host.log.back(), Code(2, CBN_EDITCHANGE, "ab"));
}

TEST_F(ControlsTest, SpinAndProgressKeepTheirRangesAndPositions) {
  CSpinButtonCtrl spin;
  CEdit buddy;
  ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &host, 1));
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT, CRect(50, 0, 60, 20), &host, 2));
  int lower, upper;
  spin.GetRange(lower, upper);
  EXPECT_EQ(lower, 100);  // the control starts upside down
  EXPECT_EQ(upper, 0);
  spin.SetRange(0, 20000);
  spin.SetBase(10);
  EXPECT_EQ(spin.GetBuddy(), &buddy);
  spin.SetPos(1234);
  CStringW text;
  buddy.GetWindowText(text);
  EXPECT_EQ(Utf8(text), "1,234");
  buddy.SetWindowText(u"77");
  EXPECT_EQ(spin.GetPos(), 77);  // read back from the buddy
  EXPECT_EQ(spin.SetBase(7), 0);

  CProgressCtrl bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 100, 40), &host, 3));
  bar.SetRange32(0, 20);
  EXPECT_EQ(bar.SetStep(1), 10);
  EXPECT_EQ(bar.StepIt(), 0);  // the previous position
  EXPECT_EQ(bar.GetPos(), 1);
  EXPECT_EQ(bar.SetPos(25), 1);
  EXPECT_EQ(bar.GetPos(), 20);  // held in the range
  bar.SetStep(5);
  bar.StepIt();
  EXPECT_EQ(bar.GetPos(), 5);  // past the end it starts over
  EXPECT_EQ(bar.OffsetPos(-10), 5);
  EXPECT_EQ(bar.GetPos(), 0);
}

TEST_F(ControlsTest, ListViewKeepsRowsAndNotifiesStateChangesAndClicks) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 300, 100), &host, 7));
  list.InsertColumn(0, u"名称", LVCFMT_LEFT, 80);
  list.InsertColumn(1, "Value", LVCFMT_LEFT, 90);
  for (int i = 0; i < 10; ++i) {
    int row = list.InsertItem(i, u" ");
    list.SetItemText(
        row, 1,
        CStringW(std::to_wstring(i).size() ? platform::Utf8ToUtf16(std::to_string(i)).c_str() : u"").GetString());
    list.SetItemData(row, 100 + i);
  }
  EXPECT_EQ(list.GetItemCount(), 10);
  EXPECT_EQ(list.GetColumnWidth(1), 90);
  EXPECT_EQ(Utf8(list.GetItemText(3, 1)), "3");
  char narrow[8];
  list.GetItemText(4, 1, narrow, 8);
  EXPECT_EQ(std::string(narrow), "4");
  EXPECT_EQ(list.GetItemData(9), 109u);

  // 100 pixels less a 20-pixel header, 16-pixel rows: 5 rows per page.
  EXPECT_EQ(list.GetCountPerPage(), 5);
  list.EnsureVisible(8, FALSE);
  EXPECT_EQ(list.GetTopIndex(), 4);
  CRect r;
  list.GetItemRect(8, &r, LVIR_BOUNDS);
  EXPECT_EQ(r, CRect(0, 84, 170, 100));
  EXPECT_EQ(list.HitTest(CPoint(10, 86)), 8);

  host.log.clear();
  platform::ChooseItem(list.m_hWnd, 8);
  platform::ChooseItem(list.m_hWnd, 9);
  EXPECT_EQ(list.GetSelectedCount(), 1u);  // single selection
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 9);
  POSITION pos = list.GetFirstSelectedItemPosition();
  EXPECT_EQ(list.GetNextSelectedItem(pos), 9);
  EXPECT_EQ(pos, nullptr);
  const std::string changed = "7:" + std::to_string(static_cast<int>(LVN_ITEMCHANGED));
  const std::string click = "7:" + std::to_string(static_cast<int>(NM_CLICK));
  EXPECT_EQ(std::count(host.log.begin(), host.log.end(), click), 2);
  EXPECT_GE(std::count(host.log.begin(), host.log.end(), changed), 3);

  // The parent may refuse a change of state.
  host.refuseCode = LVN_ITEMCHANGING;
  EXPECT_FALSE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), 0u);
  host.refuseCode = 0;

  host.log.clear();
  list.SetFocus();
  platform::PressKey(VK_UP);
  EXPECT_EQ(host.log.front(), "7:" + std::to_string(static_cast<int>(LVN_KEYDOWN)));
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 8);

  host.log.clear();
  host.answer = TRUE;  // "no LVN_DELETEITEM for each"
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(host.log, std::vector<std::string>{"7:" + std::to_string(static_cast<int>(LVN_DELETEALLITEMS))});
  EXPECT_EQ(list.GetItemCount(), 0);
}

class COwnerList : public CListCtrl {
 public:
  std::vector<UINT> drawn;
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(dis->itemID); }
};

TEST_F(ControlsTest, OwnerDrawnListRowsAreMeasuredByTheParentAndDrawnByTheControl) {
  host.measuredHeight = 30;
  COwnerList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 200, 110), &host, 8));
  list.InsertColumn(0, u"A", LVCFMT_LEFT, 50);
  for (int i = 0; i < 5; ++i) list.InsertItem(i, u"x");
  EXPECT_EQ(list.GetCountPerPage(), 3);  // 90 pixels of 30-pixel rows
  // A new height is taken when the control hears that it moved.
  host.measuredHeight = 45;
  WINDOWPOS pos{list.m_hWnd, nullptr, 0, 0, 200, 110, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE};
  list.SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  EXPECT_EQ(list.GetCountPerPage(), 2);
  list.UpdateWindow();
  // The parent hears of each row first; its default hands the row back to
  // the list, which draws it.
  EXPECT_EQ(host.drawn, (std::vector<UINT>{0, 1, 2}));
  EXPECT_EQ(list.drawn, (std::vector<UINT>{0, 1, 2}));
}

TEST_F(ControlsTest, TreeViewNavigatesSelectsAndExpands) {
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &host, 9));
  HTREEITEM root = tree.InsertItem(u"技术要求");
  HTREEITEM b = tree.InsertItem(u"b", root);
  HTREEITEM a = tree.InsertItem(u"a", root, TVI_FIRST);
  HTREEITEM c = tree.InsertItem("c", root, b);
  EXPECT_EQ(tree.GetCount(), 4u);
  EXPECT_EQ(tree.GetRootItem(), root);
  EXPECT_EQ(tree.GetChildItem(root), a);
  EXPECT_EQ(tree.GetNextSiblingItem(a), b);
  EXPECT_EQ(tree.GetNextSiblingItem(b), c);
  EXPECT_EQ(tree.GetParentItem(c), root);
  EXPECT_TRUE(tree.ItemHasChildren(root));
  EXPECT_EQ(Utf8(tree.GetItemText(c)), "c");

  // Collapsed: only the root shows; a double click the parent leaves alone
  // opens it.
  EXPECT_FALSE(platform::ChooseItem(tree.m_hWnd, 1));
  host.log.clear();
  EXPECT_TRUE(platform::DoubleClickItem(tree.m_hWnd, 0));
  EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED));
  EXPECT_EQ(tree.GetSelectedItem(), root);
  EXPECT_TRUE(platform::ChooseItem(tree.m_hWnd, 2));
  EXPECT_EQ(tree.GetSelectedItem(), b);
  CRect r;
  EXPECT_TRUE(tree.GetItemRect(b, &r, FALSE));
  EXPECT_EQ(tree.HitTest(r.CenterPoint()), b);

  host.refuseCode = TVN_SELCHANGING;
  EXPECT_FALSE(tree.SelectItem(c));
  EXPECT_EQ(tree.GetSelectedItem(), b);
  host.refuseCode = 0;

  EXPECT_TRUE(tree.DeleteItem(root));
  EXPECT_EQ(tree.GetCount(), 0u);
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST_F(ControlsTest, TabAndToolTip) {
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &host, 11));
  tabs.InsertItem(0, u"Automatic");
  tabs.InsertItem(1, u"Manual");
  EXPECT_EQ(tabs.GetCurSel(), 0);
  host.refuseCode = TCN_SELCHANGING;
  platform::ChooseItem(tabs.m_hWnd, 1);
  EXPECT_EQ(tabs.GetCurSel(), 0);
  host.refuseCode = 0;
  platform::ChooseItem(tabs.m_hWnd, 1);
  EXPECT_EQ(tabs.GetCurSel(), 1);

  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&host));
  tip.Activate(TRUE);
  tip.SetTipBkColor(0);
  tip.SetTipTextColor(RGB(0, 255, 0));
  EXPECT_EQ(tip.SetMaxTipWidth(180), -1);
  tip.AddTool(&tabs, u"双击列表控制中的项目进行在线编辑");
  EXPECT_EQ(tip.GetToolCount(), 1);
  MSG move{tabs.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {0, 0}};
  tip.RelayEvent(&move);
  EXPECT_EQ(tip.GetCurrentTool(), tabs.m_hWnd);
  EXPECT_EQ(Utf8(tip.GetText(&tabs)), "双击列表控制中的项目进行在线编辑");
  EXPECT_EQ(tip.GetTipTextColor(), RGB(0, 255, 0));
  tip.DestroyWindow();
}

}  // namespace
