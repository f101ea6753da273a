// The child frame of the diagram document template: a tool bar (child id
// 28001, from tool-bar resource 28001, docked at the top) with the drawing
// tools, styles, order, grouping, grid and zoom commands, and a client that
// is a dynamic splitter of up to 2 x 2 views (minimum pane 10 x 10, first
// pane AFX_IDW_PANE_FIRST, scroll bars on). Command 57059 shows or hides
// the tool bar; its item is checked while the bar is visible.
#pragma once

#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/ToolBar.h"

class CDrawFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CDrawFrame)

 public:
  static constexpr UINT kToolBarId = 28001;
  static constexpr UINT kToggleToolBarCommand = 57059;

  CToolBar m_wndToolBar;
  CSplitterWnd m_wndSplitter;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  afx_msg int OnCreate(LPCREATESTRUCT cs);
  afx_msg void OnViewDrawToolBar();
  afx_msg void OnUpdateViewDrawToolBar(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()
};
