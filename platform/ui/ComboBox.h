// Combo boxes: a drop-down (an edit with a list), a drop-down list (choice
// only) or simple. The list is kept as a list box's; the shown text is the
// window text. A user's choice reaches the parent as CBN_SELCHANGE (for a
// drop-down, before the edit shows the new text, as on Windows), typing in
// the edit as CBN_EDITUPDATE then CBN_EDITCHANGE.
#pragma once

#include "platform/ui/ItemListWnd.h"

class CComboBox : public CItemListWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  CComboBox();

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetLBText(int index, CStringW& text) const { return ReadItemText(index, text); }
  int GetLBText(int index, CStringA& text) const { return ReadItemText(index, text); }
  int GetLBTextLen(int index) const { return ItemTextLength(index); }
  DWORD GetEditSel() const;
  BOOL SetEditSel(int start, int end);
  BOOL LimitText(int maxChars);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
};
