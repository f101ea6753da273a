#include "diagram/ui/MultiControlBarSDIFrame.h"

#include "diagram/ui/WindowPlacement.h"
#include "platform/core/Profile.h"
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

const WCHAR* const CMultiControlBarSDIFrame::kSection = u"DrawFrame";

namespace {

CStringW BarKey(CControlBar* bar) {
  CStringW key;
  key.Format(u"Bar%d", bar->GetDlgCtrlID());
  return key;
}

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

CMultiControlBarSDIFrame::CMultiControlBarSDIFrame() : m_strViewType(u"(Graph)") {}

CMultiControlBarSDIFrame::~CMultiControlBarSDIFrame() = default;

BOOL CMultiControlBarSDIFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  return m_wndSplitter.Create(this, 2, 2, CSize(10, 10), context,
                              WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT, AFX_IDW_PANE_FIRST);
}

int CMultiControlBarSDIFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  WINDOWPLACEMENT placement{};
  if (ReadWindowPlacement(&placement, kSection)) {
    // The window shows at its stored place when the application shows it.
    CWinApp* app = AfxGetApp();
    if (app && app->m_nCmdShow == SW_SHOWNORMAL && placement.showCmd == SW_SHOWMAXIMIZED) {
      app->m_nCmdShow = SW_SHOWMAXIMIZED;
    }
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(&placement);
  }
  if (m_nToolBarResource != 0) {
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(m_nToolBarResource)) {
      return -1;
    }
  }
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4)) return -1;
  if (m_wndToolBar.GetSafeHwnd()) {
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  }
  if (!CreateAdditionalControlBars()) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  DockAllControlBars();
  for (CControlBar* bar : GetControlBars()) {
    if (bar->IsDockBar()) continue;
    const CStringW state = platform::GetProfileString(kSection, BarKey(bar), u"");
    m_barStates[bar] = state == CStringW(u"DV") ? barDisabledVisible : state == CStringW(u"D") ? barDisabled
                                                                                                 : barEnabled;
  }
  LoadBarState(kSection);
  return 0;
}

void CMultiControlBarSDIFrame::DockAllControlBars() {
  if (!m_wndToolBar.GetSafeHwnd()) return;
  m_wndToolBar.SetWindowText(u"Standard Tools");
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
}

void CMultiControlBarSDIFrame::OnClose() {
  // The document decides first: a modified one may be saved, or the close
  // cancelled.
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (GetWindowPlacement(&placement)) WriteWindowPlacement(&placement, kSection);
  for (CControlBar* bar : GetControlBars()) {
    if (bar->IsDockBar()) continue;
    switch (GetBarDVState(bar)) {
      case barDisabled:
        platform::WriteProfileString(kSection, BarKey(bar), u"D");
        break;
      case barDisabledVisible:
        platform::WriteProfileString(kSection, BarKey(bar), u"DV");
        break;
      default:
        platform::WriteProfileString(kSection, BarKey(bar), nullptr);
        break;
    }
  }
  SaveBarState(kSection);
  DoAfterBarStateSaveCleanup();
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) ShowWindow(SW_HIDE);
  CFrameWnd::OnClose();
}

CMultiControlBarSDIFrame::BarDVState CMultiControlBarSDIFrame::GetBarDVState(CControlBar* bar) const {
  // A bar the map does not hold counts as enabled.
  const auto it = m_barStates.find(bar);
  return it == m_barStates.end() ? barEnabled : it->second;
}

void CMultiControlBarSDIFrame::SetBarDVState(CControlBar* bar, BarDVState state) { m_barStates[bar] = state; }

void CMultiControlBarSDIFrame::EnableControlBar(CControlBar* bar, BOOL enable) {
  if (!bar) return;
  const BarDVState state = GetBarDVState(bar);
  if (enable) {
    if (state == barEnabled) return;
    SetBarDVState(bar, barEnabled);
    if (state == barDisabledVisible) ShowControlBar(bar, TRUE, TRUE);
    return;
  }
  if (state != barEnabled) return;
  if (bar->IsVisible()) {
    SetBarDVState(bar, barDisabledVisible);
    ShowControlBar(bar, FALSE, TRUE);
  } else {
    SetBarDVState(bar, barDisabled);
  }
}

BOOL CMultiControlBarSDIFrame::EnableControlBar(UINT id, BOOL enable) {
  CControlBar* bar = GetControlBar(id);
  if (!bar) return FALSE;
  EnableControlBar(bar, enable);
  return TRUE;
}

void CMultiControlBarSDIFrame::OnUpdateBarToggle(CCmdUI* cmdUI) {
  CControlBar* bar = GetControlBar(cmdUI->m_nID);
  if (bar && GetBarDVState(bar) != barEnabled) {
    cmdUI->Enable(FALSE);
    return;
  }
  cmdUI->Enable(bar != nullptr);
  OnUpdateControlBarMenu(cmdUI);
}

BOOL CMultiControlBarSDIFrame::CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden) {
  CStringW caption;
  if (!caption.LoadString(resourceId)) caption.Format(u"Toolbar%d", resourceId);
  DWORD style = WS_CHILD | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!hidden) style |= WS_VISIBLE;
  if (!bar.Create(this, style, controlId) || !bar.LoadToolBar(resourceId)) return FALSE;
  bar.SetWindowText(caption);
  bar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

void CMultiControlBarSDIFrame::DockControlBarNextTo(CToolBar* bar, DockingRelativeLocation location,
                                                    CToolBar* neighbour) {
  if (!bar || !neighbour || !neighbour->GetDockBar()) return;
  RecalcLayout();
  CRect rect;
  neighbour->GetWindowRect(rect);
  switch (location) {
    case leftOf: rect.OffsetRect(-(rect.Width() / 2 + 1), 0); break;
    case rightOf: rect.OffsetRect(rect.Width() / 2 + 1, 0); break;
    case above: rect.OffsetRect(0, -(rect.Height() / 2 + 1)); break;
    case below: rect.OffsetRect(0, rect.Height() / 2 + 1); break;
    case downRight: rect.OffsetRect(1, 1); break;
    case upLeft: rect.OffsetRect(-1, -1); break;
  }
  DockControlBar(bar, neighbour->GetDockBar(), rect);
}

void CMultiControlBarSDIFrame::ShowMenu(UINT menuId, int subMenu, CPoint screen) {
  CMenu menu;
  if (!menu.LoadMenu(menuId)) return;
  CMenu* popup = menu.GetSubMenu(subMenu);
  if (!popup) return;
  // Owned by the first ancestor that is not a child window.
  CWnd* owner = this;
  while (owner->GetStyle() & WS_CHILD) {
    CWnd* parent = owner->GetParent();
    if (!parent) break;
    owner = parent;
  }
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}

void CMultiControlBarSDIFrame::ShowPopUpMenu(CPoint& point) {
  ClientToScreen(&point);
  ShowMenu(m_nFrameMenu, m_nFrameSubMenu, point);
}

BOOL CMultiControlBarSDIFrame::PreTranslateMessage(MSG* msg) {
  const bool shiftF10 = (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_F10 &&
                        ::GetKeyState(VK_SHIFT) < 0;
  if (shiftF10 || msg->message == WM_CONTEXTMENU) {
    CRect client;
    GetClientRect(client);
    CPoint centre = client.CenterPoint();
    ShowPopUpMenu(centre);
  } else if (msg->message == WM_RBUTTONDOWN) {
    CPoint point(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
    ::ClientToScreen(msg->hwnd, &point);
    CWnd* target = CWnd::FromHandlePermanent(msg->hwnd);
    if (dynamic_cast<CControlBar*>(target)) {
      ShowMenu(m_nBarMenu, m_nBarSubMenu, point);
    } else if (!target) {
      ShowMenu(m_nFrameMenu, m_nFrameSubMenu, point);
    }
  }
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
