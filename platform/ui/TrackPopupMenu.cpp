// Pop-up menus run through the modal driver.
#include <algorithm>

#include "platform/ui/MenuApi.h"
#include "platform/ui/MenuSystem.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/PopupMenuWindow.h"
#include "platform/ui/WindowApi.h"

namespace platform {

BEGIN_MESSAGE_MAP(PopupMenuWindow, CWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

UINT PopupMenuWindow::OpenTo(UINT id) {
  std::vector<HMENU> path;
  if (!LocateMenuItem(menu_, id, MF_BYCOMMAND, nullptr, &path)) return static_cast<UINT>(-1);
  HMENU parent = menu_;
  for (HMENU sub : path) {
    const bool fresh = std::find(opened_.begin(), opened_.end(), sub) == opened_.end();
    if (fresh) {
      opened_.push_back(sub);
      int index = 0;
      for (int i = 0, n = GetMenuItemCount(parent); i < n; ++i)
        if (GetSubMenu(parent, i) == sub) index = i;
      if (!(flags_ & TPM_NONOTIFY) && IsWindow(owner_))
        SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(index, FALSE));
    }
    parent = sub;
  }
  // The owner's handlers may have changed the menu.
  const MenuEntry* e = LocateMenuItem(menu_, id, MF_BYCOMMAND);
  return e ? GetMenuState(menu_, id, MF_BYCOMMAND) : static_cast<UINT>(-1);
}

bool PopupMenuWindow::Choose(UINT id) {
  if (!ContinueModal()) return false;
  const UINT state = OpenTo(id);
  if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_POPUP))) return false;
  EndModalLoop(static_cast<int>(id));
  return true;
}

void PopupMenuWindow::OnClose() {
  if (ContinueModal()) EndModalLoop(0);
}

}  // namespace platform

int TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!IsMenu(menu) || !IsWindow(owner)) return 0;
  SendMessageW(owner, WM_ENTERMENULOOP, TRUE, 0);
  if (!(flags & TPM_NONOTIFY) && IsWindow(owner) && IsMenu(menu))
    SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE));
  int chosen = 0;
  if (IsMenu(menu) && IsWindow(owner)) {
    platform::PopupMenuWindow window(menu, owner, flags);
    // About 19 pixels an item, 150 wide, placed at the point as asked.
    const int count = std::max(1, GetMenuItemCount(menu));
    const int width = 150, height = count * 19 + 6;
    if (flags & TPM_CENTERALIGN) x -= width / 2;
    if (flags & TPM_RIGHTALIGN) x -= width;
    if (flags & TPM_VCENTERALIGN) y -= height / 2;
    if (flags & TPM_BOTTOMALIGN) y -= height;
    if (window.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"AfxWnd", u"", WS_POPUP | WS_BORDER, x, y, width, height,
                        owner, nullptr)) {
      // A menu shows without taking the activation from its owner.
      window.ShowWindow(SW_SHOWNA);
      chosen = window.RunModalLoop();
      window.DestroyWindow();
    }
  }
  if (IsWindow(owner)) SendMessageW(owner, WM_EXITMENULOOP, TRUE, 0);
  if (flags & TPM_RETURNCMD) return chosen;
  if (chosen && IsWindow(owner)) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  return TRUE;
}
