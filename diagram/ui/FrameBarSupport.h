// What the diagram's main frame and SDI frame share: their placement and
// bar settings in the profile section "DrawFrame" ("WindowPos", "Bar%d" with
// "D" or "DV", the bar state), the standard tool bar and status bar, the
// disabled state of each bar (0 enabled, 1 disabled, 2 disabled while it
// was visible), dockable tool bars captioned from their resource string,
// docking beside a neighbour and the pop-up menus of the frame and its bars.
// Each frame holds one and forwards to it.
#pragma once

#include <map>

#include "platform/core/Geometry.h"
#include "platform/ui/FrameWnd.h"

class CCmdUI;
class CStatusBar;
class CToolBar;

class CFrameBarSupport {
 public:
  enum State { enabled = 0, disabled = 1, disabledVisible = 2 };

  static const WCHAR* const kSection;

  explicit CFrameBarSupport(CFrameWnd& frame) : m_frame(frame) {}

  // Applies a stored "WindowPos" hidden (the application shows the window;
  // a stored maximised state makes it show maximised when it would show it
  // normally).
  void ApplyStoredPlacement();
  // The standard tool bar (from `toolBarResource`, none for 0) and the
  // status bar with the lock indicators; FALSE when one cannot be made.
  BOOL CreateStandardBars(CToolBar& toolBar, CStatusBar& statusBar, UINT toolBarResource);
  // The standard bar titled "Standard Tools", docked at the top.
  void DockStandardBar(CToolBar& toolBar);
  // Each bar's disabled state from "Bar%d", then the bar state.
  void LoadStates();
  // The placement, each bar's "Bar%d" (removed for an enabled bar) and the
  // bar state.
  void SaveStates();

  State Get(CControlBar* bar) const;
  void Set(CControlBar* bar, State state) { m_states[bar] = state; }
  void Enable(CControlBar* bar, BOOL enable);
  // The frame's bar of that id; FALSE when it has none.
  BOOL Enable(UINT id, BOOL enable);
  // The bar-toggle commands: disabled for disabled bars.
  void UpdateToggle(CCmdUI* cmdUI);

  BOOL CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden);
  // location: 0 left of, 1 right of, 2 above, 3 below, 4 down-right, 5 up-left.
  void DockNextTo(CToolBar* bar, int location, CToolBar* neighbour);

  // Sub-menu `subMenu` of menu `menuId` at a screen point, owned by the
  // frame's first ancestor that is not a child window.
  void ShowMenu(UINT menuId, int subMenu, CPoint screen);
  // Shift+F10 and WM_CONTEXTMENU: the frame menu at the client centre; a
  // right press on a bar: the bar menu; on a window the framework does not
  // know: the frame menu at the point.
  void PreTranslate(const MSG* msg, UINT barMenu, int barSubMenu, UINT frameMenu, int frameSubMenu);

 private:
  CFrameWnd& m_frame;
  std::map<CControlBar*, State> m_states;
};
