// The menu functions of the Win32 user interface. A menu is a list of items,
// each a command (id and text), a separator or a sub-menu, with a state
// (MF_GRAYED, MF_DISABLED, MF_CHECKED, ...). An item is named by its command
// id (MF_BYCOMMAND, searched through the sub-menus too) or by its position
// (MF_BYPOSITION). Destroying a menu destroys its sub-menus.
//
// TrackPopupMenu runs the menu as the user would see it, through the modal
// driver (ModalDriver.h): the owner hears WM_ENTERMENULOOP and
// WM_INITMENUPOPUP (where a frame updates the items through its
// update-command-UI handlers), then the driver chooses an item
// (ModalSession::ChooseMenuItem) or dismisses the menu, and the owner hears
// WM_EXITMENULOOP. A chosen command is posted to the owner as WM_COMMAND,
// or returned with TPM_RETURNCMD (0: dismissed). Without a driver the menu
// is dismissed.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/WinUser.h"

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// A menu resource of `instance` (null: of the application's module), named
// by number (MAKEINTRESOURCE or "#number"); null when there is none.
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);
inline HMENU LoadMenu(HINSTANCE instance, LPCWSTR name) { return LoadMenuW(instance, name); }
inline HMENU LoadMenu(HINSTANCE instance, LPCSTR name) { return LoadMenuA(instance, name); }

HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
// The command id at a position; 0 for a separator, (UINT)-1 for a sub-menu
// or a position that does not exist.
UINT GetMenuItemID(HMENU menu, int position);
// The state flags of an item; for a sub-menu the item count is in the high
// byte. (UINT)-1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags);
// Both give the previous state of the item, or (UINT)-1 without the item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);

// With MF_POPUP, `idOrSubMenu` is the HMENU of the sub-menu, which then
// belongs to this menu.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR text);
// Inserts before the item named by `item` (MF_BYPOSITION: (UINT)-1 appends).
BOOL InsertMenuW(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text);
BOOL ModifyMenuW(HMENU menu, UINT item, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text);
// RemoveMenu keeps a removed sub-menu alive (it is the caller's);
// DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT item, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);

int TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
