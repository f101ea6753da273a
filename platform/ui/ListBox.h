// List boxes, single or multiple selection, sorted or in insertion order,
// with item data. With LBS_NOTIFY a user's selection reaches the parent as
// LBN_SELCHANGE and a double click as LBN_DBLCLK.
#pragma once

#include "platform/ui/Wnd.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCount() const;
  int AddString(LPCWSTR text);
  int AddString(LPCSTR text);
  int InsertString(int index, LPCWSTR text);
  int InsertString(int index, LPCSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetText(int index, CStringW& text) const;
  int GetText(int index, CStringA& text) const;
  int GetTextLen(int index) const;
  int FindString(int startAfter, LPCWSTR prefix) const;
  int FindString(int startAfter, LPCSTR prefix) const;
  int FindStringExact(int startAfter, LPCWSTR text) const;
  int FindStringExact(int startAfter, LPCSTR text) const;
  int SelectString(int startAfter, LPCWSTR prefix);
  int SelectString(int startAfter, LPCSTR prefix);
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
  int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }

  // Single selection.
  int GetCurSel() const;
  int SetCurSel(int index);
  // Multiple selection.
  int GetSel(int index) const;
  int SetSel(int index, BOOL select = TRUE);
  int GetSelCount() const;
  int GetSelItems(int maxItems, LPINT items) const;
  int GetCaretIndex() const;
  int SetCaretIndex(int index, BOOL scroll = TRUE);
  int GetTopIndex() const;
  int SetTopIndex(int index);
  int GetItemHeight(int index) const;
  int SetItemHeight(int index, UINT height);
  int GetItemRect(int index, LPRECT rect) const;

  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
