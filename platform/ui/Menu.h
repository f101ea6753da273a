// CMenu: a C++ object attached to a menu (MenuApi.h). LoadMenu finds the
// menu resource along the resource chain; GetSubMenu gives a wrapper of a
// sub-menu that lives as long as that menu. The destructor destroys the
// attached menu (Detach first to keep it).
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/MenuApi.h"

class CWnd;

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)

 public:
  HMENU m_hMenu = nullptr;

  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }
  BOOL operator==(const CMenu& other) const { return m_hMenu == other.m_hMenu; }

  // The object attached to the menu, or a wrapper kept with the menu; null
  // for a handle that is no menu.
  static CMenu* FromHandle(HMENU menu);
  BOOL Attach(HMENU menu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // The menu resource, along the resource chain.
  BOOL LoadMenu(UINT id);
  BOOL LoadMenu(LPCSTR name);
  BOOL LoadMenu(LPCWSTR name);
  BOOL DestroyMenu();

  CMenu* GetSubMenu(int position) const;
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  UINT GetMenuState(UINT item, UINT flags) const;
  int GetMenuString(UINT item, LPWSTR buffer, int maxCount, UINT flags) const;
  int GetMenuString(UINT item, LPSTR buffer, int maxCount, UINT flags) const;
  int GetMenuString(UINT item, CStringW& text, UINT flags) const;
  int GetMenuString(UINT item, CStringA& text, UINT flags) const;
  UINT EnableMenuItem(UINT item, UINT enable);
  UINT CheckMenuItem(UINT item, UINT check);

  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, LPCWSTR text = nullptr);
  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCSTR text);
  BOOL InsertMenu(UINT item, UINT flags, UINT_PTR idOrSubMenu = 0, LPCWSTR text = nullptr);
  BOOL ModifyMenu(UINT item, UINT flags, UINT_PTR idOrSubMenu = 0, LPCWSTR text = nullptr);
  BOOL RemoveMenu(UINT item, UINT flags);
  BOOL DeleteMenu(UINT item, UINT flags);

  // Tracks the menu as a pop-up owned by `owner` (MenuApi.h). Without
  // TPM_RETURNCMD: nonzero unless the menu or owner is bad (a chosen command
  // reaches the owner as a posted WM_COMMAND); with it: the chosen id, 0
  // when dismissed.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};

namespace platform {
// CMenu::FromHandle, for code that sees CMenu only declared (message maps).
CMenu* MenuFromHandle(HMENU menu);
}  // namespace platform
