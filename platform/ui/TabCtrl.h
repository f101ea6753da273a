// Tab controls: tabs with texts and data, and the chosen tab. A user's
// choice reaches the parent as TCN_SELCHANGING (which may refuse it) and
// TCN_SELCHANGE.
#pragma once

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Wnd.h"

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  LONG InsertItem(int item, LPCWSTR text);
  LONG InsertItem(int item, LPCSTR text);
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  CStringW GetItemText(int item) const;
  BOOL SetItemData(int item, LPARAM data);
  LPARAM GetItemData(int item) const;
  int GetCurSel() const;
  int SetCurSel(int item);
};
