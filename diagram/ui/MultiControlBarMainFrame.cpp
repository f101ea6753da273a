#include "diagram/ui/MultiControlBarMainFrame.h"

#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CMultiControlBarMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMultiControlBarMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_UPDATE_COMMAND_UI_RANGE(59398, 59418, OnUpdateBarToggle)
END_MESSAGE_MAP()

CMultiControlBarMainFrame::CMultiControlBarMainFrame() : m_bars(*this) {}

CMultiControlBarMainFrame::~CMultiControlBarMainFrame() = default;

int CMultiControlBarMainFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  m_bars.ApplyStoredPlacement();
  if (!m_bars.CreateStandardBars(m_wndToolBar, m_wndStatusBar, m_nToolBarResource)) return -1;
  if (!CreateAdditionalControlBars()) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  DockAllControlBars();
  m_bars.LoadStates();
  return 0;
}

void CMultiControlBarMainFrame::DockAllControlBars() { m_bars.DockStandardBar(m_wndToolBar); }

void CMultiControlBarMainFrame::OnClose() {
  // The application's checks first: a modified document may be saved, or
  // the close cancelled.
  CWinApp* app = AfxGetApp();
  const bool mainWindow = app && app->m_pMainWnd == this;
  if (mainWindow) {
    if (!app->SaveAllModified()) return;
  } else if (CDocument* doc = GetActiveDocument()) {
    if (!doc->CanCloseFrame(MDIGetActive())) return;
  }
  m_bars.SaveStates();
  DoAfterBarStateSaveCleanup();
  if (mainWindow) {
    app->HideApplication();
    app->CloseAllDocuments(FALSE);
  }
  CFrameWnd::OnClose();
}

CMultiControlBarMainFrame::BarDVState CMultiControlBarMainFrame::GetBarDVState(CControlBar* bar) const {
  return static_cast<BarDVState>(m_bars.Get(bar));
}

void CMultiControlBarMainFrame::SetBarDVState(CControlBar* bar, BarDVState state) {
  m_bars.Set(bar, static_cast<CFrameBarSupport::State>(state));
}

void CMultiControlBarMainFrame::EnableControlBar(CControlBar* bar, BOOL enable) { m_bars.Enable(bar, enable); }

BOOL CMultiControlBarMainFrame::EnableControlBar(UINT id, BOOL enable) { return m_bars.Enable(id, enable); }

void CMultiControlBarMainFrame::OnUpdateBarToggle(CCmdUI* cmdUI) { m_bars.UpdateToggle(cmdUI); }

BOOL CMultiControlBarMainFrame::CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden) {
  return m_bars.CreateDockableToolBar(bar, controlId, resourceId, hidden);
}

void CMultiControlBarMainFrame::DockControlBarNextTo(CToolBar* bar, DockingRelativeLocation location,
                                                     CToolBar* neighbour) {
  m_bars.DockNextTo(bar, location, neighbour);
}

void CMultiControlBarMainFrame::ShowPopUpMenu(CPoint& point) {
  ClientToScreen(&point);
  m_bars.ShowMenu(m_nFrameMenu, m_nFrameSubMenu, point);
}

BOOL CMultiControlBarMainFrame::PreTranslateMessage(MSG* msg) {
  m_bars.PreTranslate(msg, m_nBarMenu, m_nBarSubMenu, m_nFrameMenu, m_nFrameSubMenu);
  return CMDIFrameWnd::PreTranslateMessage(msg);
}
