// Combo boxes: a drop-down (an edit with a list), a drop-down list (choice
// only) or simple. The list is kept as a list box's; the shown text is the
// window text. A user's choice reaches the parent as CBN_SELCHANGE (for a
// drop-down, before the edit shows the new text, as on Windows), typing in
// the edit as CBN_EDITUPDATE then CBN_EDITCHANGE.
#pragma once

#include "platform/ui/Wnd.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCount() const;
  int AddString(LPCWSTR text);
  int AddString(LPCSTR text);
  int InsertString(int index, LPCWSTR text);
  int InsertString(int index, LPCSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetLBText(int index, CStringW& text) const;
  int GetLBText(int index, CStringA& text) const;
  int GetLBTextLen(int index) const;
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
  DWORD GetEditSel() const;
  BOOL SetEditSel(int start, int end);
  BOOL LimitText(int maxChars);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  int GetItemHeight(int index) const;
  int SetItemHeight(int index, UINT height);

  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
