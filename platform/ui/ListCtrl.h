// List views in report form: columns, rows of items with sub-item texts,
// item state (selected, focused), item data, the top row and rows per page,
// and owner-drawn rows (LVS_OWNERDRAWFIXED: the parent measures the row
// height, and is asked again on WM_WINDOWPOSCHANGED; rows are drawn through
// DrawItem). Changes reach the parent as LVN_* notifications, clicks as
// NM_CLICK / NM_DBLCLK, keys as LVN_KEYDOWN.
#pragma once

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Wnd.h"

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Columns.
  int InsertColumn(int column, const LVCOLUMNW* info);
  int InsertColumn(int column, const LVCOLUMNA* info);
  int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL SetColumn(int column, const LVCOLUMNW* info);
  BOOL SetColumn(int column, const LVCOLUMNA* info);
  BOOL GetColumn(int column, LVCOLUMNW* info) const;
  BOOL DeleteColumn(int column);
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);
  int GetColumnCount() const;

  // Items.
  int InsertItem(int item, LPCWSTR text);
  int InsertItem(int item, LPCSTR text);
  int InsertItem(const LVITEMW* item);
  int InsertItem(const LVITEMA* item);
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  BOOL SetItemText(int item, int subItem, LPCWSTR text);
  BOOL SetItemText(int item, int subItem, LPCSTR text);
  CStringW GetItemText(int item, int subItem) const;
  int GetItemText(int item, int subItem, LPWSTR buffer, int length) const;
  int GetItemText(int item, int subItem, LPSTR buffer, int length) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  BOOL GetItem(LVITEMW* item) const;
  BOOL SetItem(const LVITEMW* item);
  int GetNextItem(int item, int flags) const;
  UINT GetSelectedCount() const;
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  int GetSelectionMark() const;
  int SetSelectionMark(int item);

  // Layout.
  DWORD GetExtendedStyle() const;
  DWORD SetExtendedStyle(DWORD exStyle);
  BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
  BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect) const;
  int GetTopIndex() const;
  int GetCountPerPage() const;
  BOOL EnsureVisible(int item, BOOL partialOK);
  BOOL RedrawItems(int first, int last);
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int HitTest(LVHITTESTINFO* info) const;
  int SubItemHitTest(LVHITTESTINFO* info) const;

  // Owner-drawn rows draw themselves here.
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
