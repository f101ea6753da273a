// Tree views: items under items, inserted first, last, sorted or after a
// sibling, with texts, data, expanded and selected state. A user's choice
// reaches the parent as TVN_SELCHANGING (which may refuse it) and
// TVN_SELCHANGED; clicks as NM_CLICK and NM_DBLCLK (a double click that the
// parent does not take expands or collapses the item).
#pragma once

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Wnd.h"

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  HTREEITEM InsertItem(LPCWSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  BOOL DeleteItem(HTREEITEM item);
  BOOL DeleteAllItems();
  UINT GetCount() const;

  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
  HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
  HTREEITEM GetSelectedItem() const;
  BOOL ItemHasChildren(HTREEITEM item) const;

  CStringW GetItemText(HTREEITEM item) const;
  BOOL SetItemText(HTREEITEM item, LPCWSTR text);
  BOOL SetItemText(HTREEITEM item, LPCSTR text);
  DWORD_PTR GetItemData(HTREEITEM item) const;
  BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
  UINT GetItemState(HTREEITEM item, UINT mask) const;

  BOOL Expand(HTREEITEM item, UINT code);
  BOOL SelectItem(HTREEITEM item);
  BOOL EnsureVisible(HTREEITEM item);
  BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;
  HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
  HTREEITEM HitTest(TVHITTESTINFO* info) const;
};
