// List boxes, single or multiple selection, sorted or in insertion order,
// with item data. With LBS_NOTIFY a user's selection reaches the parent as
// LBN_SELCHANGE and a double click as LBN_DBLCLK.
#pragma once

#include "platform/ui/ItemListWnd.h"

class CListBox : public CItemListWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  CListBox();

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetText(int index, CStringW& text) const { return ReadItemText(index, text); }
  int GetText(int index, CStringA& text) const { return ReadItemText(index, text); }
  int GetTextLen(int index) const { return ItemTextLength(index); }

  // GetCurSel and SetCurSel serve single selection; these multiple.
  int GetSel(int index) const;
  int SetSel(int index, BOOL select = TRUE);
  int GetSelCount() const;
  int GetSelItems(int maxItems, LPINT items) const;
  int GetCaretIndex() const;
  int SetCaretIndex(int index, BOOL scroll = TRUE);
  int GetTopIndex() const;
  int SetTopIndex(int index);
  int GetItemRect(int index, LPRECT rect) const;
};
