// The window of a pop-up menu while TrackPopupMenu runs it (internal to the
// user-interface room): a modal session whose driver chooses an item or
// dismisses the menu (ModalSession's menu members).
#pragma once

#include <vector>

#include "platform/ui/Wnd.h"

namespace platform {

class PopupMenuWindow : public CWnd {
 public:
  PopupMenuWindow(HMENU menu, HWND owner, UINT flags) : menu_(menu), owner_(owner), flags_(flags) {}

  HMENU Menu() const { return menu_; }
  // Opens the sub-menus on the way to the item with command `id` (their
  // owner hears WM_INITMENUPOPUP once each); the item's state, or (UINT)-1.
  UINT OpenTo(UINT id);
  // Ends the menu with the item: false when it is missing, grayed,
  // disabled, a separator or a sub-menu.
  bool Choose(UINT id);

 protected:
  // The close box, or the driver leaving the menu open: dismissed.
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()

 private:
  HMENU menu_;
  HWND owner_;
  UINT flags_;
  std::vector<HMENU> opened_;
};

}  // namespace platform
