// A menu resource: a tree of items, each a command (text and id), a
// separator, or a pop-up with items of its own. Declared as nested lists:
//
//   Menu(28016, {
//       Popup(u"_VIEW_", {
//           Item(u"&Properties...", 28200),
//           Separator(),
//           Popup(u"&Zoom", {Item(u"100%", 28301, MF_CHECKED), Item(u"200%", 28302)}),
//       }),
//   })
//
// The flags are the MF_ values (MF_GRAYED, MF_CHECKED, MF_MENUBARBREAK, ...);
// Popup adds MF_POPUP and Separator is MF_SEPARATOR.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/core/ResourceText.h"
#include "platform/core/WinConstants.h"

namespace platform {

struct MenuItem {
  std::u16string text;
  UINT id = 0;
  UINT flags = 0;
  std::vector<MenuItem> items;  // the items of a pop-up

  bool IsPopup() const { return (flags & MF_POPUP) != 0; }
  bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
};

struct MenuTemplate {
  UINT id = 0;
  std::vector<MenuItem> items;

  // The pop-up at `position` of the top level, or null when there is none.
  const MenuItem* SubMenu(int position) const;
};

namespace rc {

inline MenuItem Item(ResourceText text, UINT id, UINT flags = 0) { return MenuItem{text.str(), id, flags, {}}; }

inline MenuItem Separator() { return MenuItem{std::u16string(), 0, MF_SEPARATOR, {}}; }

inline MenuItem Popup(ResourceText text, std::initializer_list<MenuItem> items, UINT flags = 0) {
  return MenuItem{text.str(), 0, flags | MF_POPUP, std::vector<MenuItem>(items)};
}

inline MenuTemplate Menu(UINT id, std::initializer_list<MenuItem> items) {
  return MenuTemplate{id, std::vector<MenuItem>(items)};
}

}  // namespace rc
}  // namespace platform
