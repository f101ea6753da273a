// The SDI frame a host shows diagram views in: a 2 x 2 dynamic splitter of
// views, the standard tool bar (28022) and a status bar, further dockable
// tool bars the host adds, a disabled state per bar that the profile keeps
// ("Bar%d" of "DrawFrame"), pop-up menus on the frame (sub-menu 9 of 28016)
// and on its bars (sub-menu 0 of 28025), and its placement ("WindowPos").
#pragma once

#include "diagram/ui/FrameBarSupport.h"
#include "platform/core/String.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"

class CMultiControlBarSDIFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMultiControlBarSDIFrame)

 public:
  // 0 enabled; 1 disabled (and hidden); 2 disabled while it was visible,
  // shown again when enabled.
  enum BarDVState { barEnabled = 0, barDisabled = 1, barDisabledVisible = 2 };
  // Where DockControlBarNextTo puts a bar beside its neighbour.
  enum DockingRelativeLocation { leftOf = 0, rightOf = 1, above = 2, below = 3, downRight = 4, upLeft = 5 };

  // The profile section of the frame's settings.
  static const WCHAR* const kSection;

  CMultiControlBarSDIFrame();
  ~CMultiControlBarSDIFrame() override;

  virtual CStringW GetNameOfHostCFB() const { return m_strHostName; }
  virtual CStringW GetTypeOfView() const { return m_strViewType; }
  virtual void SetNameOfHostCFB(const WCHAR* name) { m_strHostName = name ? name : u""; }
  virtual void SetTypeOfView(const WCHAR* type) { m_strViewType = type ? type : u""; }
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
  // The title: the document's, then the view type, then ":" and the host.
  virtual void OnUpdateFrameTitle(BOOL addToTitle);

  BOOL PreTranslateMessage(MSG* msg) override;

  CSplitterWnd m_wndSplitter;
  CStatusBar m_wndStatusBar;
  CToolBar m_wndToolBar;

 protected:
  BOOL CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden);
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  void ShowMenu(UINT menuId, int subMenu, CPoint screen);

  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnClose();
  afx_msg void OnUpdateBarToggle(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()

  CStringW m_strHostName;
  CStringW m_strViewType;
  UINT m_nToolBarResource = 28022;
  UINT m_nBarMenu = 28025;
  int m_nBarSubMenu = 0;
  UINT m_nFrameMenu = 28016;
  int m_nFrameSubMenu = 9;
  CFrameBarSupport m_bars;
};
