#include "diagram/ui/DrawFrame.h"

#include "platform/ui/MessageMap.h"

IMPLEMENT_DYNCREATE(CDrawFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDrawFrame, CMDIChildWnd)
  ON_WM_CREATE()
  ON_COMMAND(CDrawFrame::kToggleToolBarCommand, OnViewDrawToolBar)
  ON_UPDATE_COMMAND_UI(CDrawFrame::kToggleToolBarCommand, OnUpdateViewDrawToolBar)
END_MESSAGE_MAP()

int CDrawFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CMDIChildWnd::OnCreate(cs) == -1) return -1;
  if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, kToolBarId) ||
      !m_wndToolBar.LoadToolBar(kToolBarId)) {
    return -1;
  }
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
  return 0;
}

BOOL CDrawFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  return m_wndSplitter.Create(this, 2, 2, CSize(10, 10), context,
                              WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT, AFX_IDW_PANE_FIRST);
}

void CDrawFrame::OnViewDrawToolBar() {
  ShowControlBar(&m_wndToolBar, !m_wndToolBar.IsVisible(), FALSE);
  RecalcLayout();
}

void CDrawFrame::OnUpdateViewDrawToolBar(CCmdUI* cmdUI) { cmdUI->SetCheck(m_wndToolBar.IsVisible() ? 1 : 0); }
