#include "diagram/ui/MultiControlBarSDIFrame.h"

#include "platform/ui/Document.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

IMPLEMENT_DYNCREATE(CMultiControlBarSDIFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMultiControlBarSDIFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_UPDATE_COMMAND_UI_RANGE(59398, 59418, OnUpdateBarToggle)
END_MESSAGE_MAP()

const WCHAR* const CMultiControlBarSDIFrame::kSection = CFrameBarSupport::kSection;

CMultiControlBarSDIFrame::CMultiControlBarSDIFrame() : m_strViewType(u"(Graph)"), m_bars(*this) {}

CMultiControlBarSDIFrame::~CMultiControlBarSDIFrame() = default;

BOOL CMultiControlBarSDIFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  return m_wndSplitter.Create(this, 2, 2, CSize(10, 10), context,
                              WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT, AFX_IDW_PANE_FIRST);
}

int CMultiControlBarSDIFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  m_bars.ApplyStoredPlacement();
  if (!m_bars.CreateStandardBars(m_wndToolBar, m_wndStatusBar, m_nToolBarResource)) return -1;
  if (!CreateAdditionalControlBars()) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  DockAllControlBars();
  m_bars.LoadStates();
  return 0;
}

void CMultiControlBarSDIFrame::DockAllControlBars() { m_bars.DockStandardBar(m_wndToolBar); }

void CMultiControlBarSDIFrame::OnClose() {
  // The document decides first: a modified one may be saved, or the close
  // cancelled.
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  m_bars.SaveStates();
  DoAfterBarStateSaveCleanup();
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) ShowWindow(SW_HIDE);
  CFrameWnd::OnClose();
}

CMultiControlBarSDIFrame::BarDVState CMultiControlBarSDIFrame::GetBarDVState(CControlBar* bar) const {
  return static_cast<BarDVState>(m_bars.Get(bar));
}

void CMultiControlBarSDIFrame::SetBarDVState(CControlBar* bar, BarDVState state) {
  m_bars.Set(bar, static_cast<CFrameBarSupport::State>(state));
}

void CMultiControlBarSDIFrame::EnableControlBar(CControlBar* bar, BOOL enable) { m_bars.Enable(bar, enable); }

BOOL CMultiControlBarSDIFrame::EnableControlBar(UINT id, BOOL enable) { return m_bars.Enable(id, enable); }

void CMultiControlBarSDIFrame::OnUpdateBarToggle(CCmdUI* cmdUI) { m_bars.UpdateToggle(cmdUI); }

BOOL CMultiControlBarSDIFrame::CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden) {
  return m_bars.CreateDockableToolBar(bar, controlId, resourceId, hidden);
}

void CMultiControlBarSDIFrame::DockControlBarNextTo(CToolBar* bar, DockingRelativeLocation location,
                                                    CToolBar* neighbour) {
  m_bars.DockNextTo(bar, location, neighbour);
}

void CMultiControlBarSDIFrame::ShowMenu(UINT menuId, int subMenu, CPoint screen) {
  m_bars.ShowMenu(menuId, subMenu, screen);
}

void CMultiControlBarSDIFrame::ShowPopUpMenu(CPoint& point) {
  ClientToScreen(&point);
  ShowMenu(m_nFrameMenu, m_nFrameSubMenu, point);
}

BOOL CMultiControlBarSDIFrame::PreTranslateMessage(MSG* msg) {
  m_bars.PreTranslate(msg, m_nBarMenu, m_nBarSubMenu, m_nFrameMenu, m_nFrameSubMenu);
  return CFrameWnd::PreTranslateMessage(msg);
}

void CMultiControlBarSDIFrame::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* doc = GetActiveDocument();
  if (!addToTitle || !doc) return;
  CStringW title = doc->GetTitle();
  if (!m_strViewType.IsEmpty()) title += u" " + m_strViewType;
  if (!m_strHostName.IsEmpty()) title += u":" + m_strHostName;
  SetWindowText(title);
}
