// The MDI main frame a host shows diagram documents in: the standard tool
// bar (28022) and a status bar, further dockable tool bars the host adds, a
// disabled state per bar that the profile keeps ("Bar%d" of "DrawFrame"),
// pop-up menus on the frame (sub-menu 9 of 28016) and on its bars (sub-menu
// 0 of 28025), and its placement ("WindowPos"). Closing it saves these after
// the application's close checks and closes every document.
#pragma once

#include "diagram/ui/FrameBarSupport.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"

class CMultiControlBarMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMultiControlBarMainFrame)

 public:
  // 0 enabled; 1 disabled (and hidden); 2 disabled while it was visible,
  // shown again when enabled.
  enum BarDVState { barEnabled = 0, barDisabled = 1, barDisabledVisible = 2 };
  // Where DockControlBarNextTo puts a bar beside its neighbour.
  enum DockingRelativeLocation { leftOf = 0, rightOf = 1, above = 2, below = 3, downRight = 4, upLeft = 5 };

  CMultiControlBarMainFrame();
  ~CMultiControlBarMainFrame() override;

  // Hooks: more bars made at creation (FALSE fails it), their docking, and
  // the work after the bar state was saved at closing.
  virtual BOOL CreateAdditionalControlBars() { return TRUE; }
  virtual void DockAllControlBars();
  virtual void DoAfterBarStateSaveCleanup() {}

  BarDVState GetBarDVState(CControlBar* bar) const;
  void SetBarDVState(CControlBar* bar, BarDVState state);
  void EnableControlBar(CControlBar* bar, BOOL enable);
  BOOL EnableControlBar(UINT id, BOOL enable);
  void DockControlBarNextTo(CToolBar* bar, DockingRelativeLocation location, CToolBar* neighbour);
  void ShowPopUpMenu(CPoint& point);

  BOOL PreTranslateMessage(MSG* msg) override;

  CStatusBar m_wndStatusBar;
  CToolBar m_wndToolBar;

 protected:
  BOOL CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden);

  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnClose();
  afx_msg void OnUpdateBarToggle(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()

  UINT m_nToolBarResource = 28022;
  UINT m_nBarMenu = 28025;
  int m_nBarSubMenu = 0;
  UINT m_nFrameMenu = 28016;
  int m_nFrameSubMenu = 9;
  CFrameBarSupport m_bars;
};
