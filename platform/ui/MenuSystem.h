// The menu records behind the menu functions (internal to the
// user-interface room): each menu's items and the CMenu objects attached to
// it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/ui/WinUser.h"

class CMenu;

namespace platform {

struct MenuEntry {
  UINT id = 0;
  UINT flags = 0;  // type and state (MF_SEPARATOR, MF_POPUP, MF_GRAYED, MF_CHECKED, ...)
  std::u16string text;
  HMENU sub = nullptr;  // the sub-menu of an MF_POPUP item, owned by this menu
};

struct MenuRecord {
  std::vector<MenuEntry> items;
  bool popup = false;
  CMenu* permanent = nullptr;           // the CMenu attached to it
  std::unique_ptr<CMenu> temporary;     // the wrapper CMenu::FromHandle made
};

MenuRecord* FindMenuRecord(HMENU menu);

// A menu resource name as a number: MAKEINTRESOURCE or "#number".
bool MenuNumber(LPCWSTR name, UINT* id);

// The entry an item names: by position in `menu`, or by command id searched
// depth first through the sub-menus. `owner` receives the menu that holds it
// and `path` (when given) the sub-menus passed on the way, outermost first.
MenuEntry* LocateMenuItem(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr,
                          std::vector<HMENU>* path = nullptr);

}  // namespace platform
