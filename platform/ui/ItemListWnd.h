// What a list box and a combo box share as wrappers of their list: adding,
// inserting, deleting, finding and selecting item strings, the data of each
// item, the current item, the item height, and owner drawing (WM_DRAWITEM
// and WM_MEASUREITEM reflected to DrawItem and MeasureItem). Each member
// sends the control's own message, named in its message set (LB_* or CB_*);
// the classes derived name the text members as their control does.
#pragma once

#include "platform/ui/Wnd.h"

// The messages of one kind of list control, and its error result.
struct ItemListMessages {
  UINT getCount, addString, insertString, deleteString, resetContent, getText, getTextLen, findString,
      findStringExact, selectString, getItemData, setItemData, getCurSel, setCurSel, getItemHeight, setItemHeight;
  int error;
};

class CItemListWnd : public CWnd {
  DECLARE_DYNAMIC(CItemListWnd)

 public:
  int GetCount() const;
  int AddString(LPCWSTR text);
  int AddString(LPCSTR text);
  int InsertString(int index, LPCWSTR text);
  int InsertString(int index, LPCSTR text);
  int DeleteString(UINT index);
  void ResetContent();
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
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetItemHeight(int index) const;
  int SetItemHeight(int index, UINT height);

  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

 protected:
  explicit CItemListWnd(const ItemListMessages& messages) : m_messages(messages) {}

  // The text of an item, and its length; the error result for no such item.
  int ReadItemText(int index, CStringW& text) const;
  int ReadItemText(int index, CStringA& text) const;
  int ItemTextLength(int index) const;

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  const ItemListMessages& m_messages;
};
