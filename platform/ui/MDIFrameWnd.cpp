#include "platform/ui/MDIFrameWnd.h"

#include "platform/ui/Document.h"
#include "platform/ui/MDIChildWnd.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  GetWindowText(m_strTitle);
  return 0;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
  // The child frames live in the MDI client; views of the context belong
  // to the children, not to this frame.
  CRect client;
  GetClientRect(&client);
  return m_wndMDIClient.Create(static_cast<LPCWSTR>(nullptr), nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                               client, this, AFX_IDW_PANE_FIRST);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  auto* child = m_hWndActive ? dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(m_hWndActive)) : nullptr;
  if (maximized) *maximized = child && child->IsZoomed();
  return child;
}

int CMDIFrameWnd::GetMDIChildCount() const {
  int count = 0;
  if (!m_wndMDIClient.m_hWnd) return 0;
  for (HWND h = ::GetWindow(m_wndMDIClient.m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(h))) ++count;
  return count;
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
  HWND gaining = child ? child->m_hWnd : nullptr;
  if (gaining && ::GetParent(gaining) != m_wndMDIClient.m_hWnd) return;  // not one of ours
  HWND losing = m_hWndActive;
  if (gaining == losing) return;
  m_hWndActive = gaining;
  const auto wParam = reinterpret_cast<WPARAM>(losing);
  const auto lParam = reinterpret_cast<LPARAM>(gaining);
  if (losing && ::IsWindow(losing)) ::SendMessageW(losing, WM_MDIACTIVATE, wParam, lParam);
  if (gaining) {
    ::SetWindowPos(gaining, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageW(gaining, WM_MDIACTIVATE, wParam, lParam);
  }
  OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWnd::OnChildDestroyed(CMDIChildWnd* child) {
  if (child->m_hWnd != m_hWndActive) return;
  m_hWndActive = nullptr;
  // The next child in the Z order takes over.
  if (m_wndMDIClient.m_hWnd) {
    for (HWND h = ::GetWindow(m_wndMDIClient.m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
      CWnd* other = CWnd::FromHandlePermanent(h);
      if (h != child->m_hWnd && dynamic_cast<CMDIChildWnd*>(other)) {
        MDIActivate(other);
        return;
      }
    }
  }
  OnUpdateFrameTitle(TRUE);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? child->GetActiveDocument() : nullptr;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if (!m_hWnd) return;
  CStringW title = m_strTitle;
  CMDIChildWnd* child = MDIGetActive();
  CDocument* doc = child ? child->GetActiveDocument() : nullptr;
  if (addToTitle && doc) {
    CStringW name = doc->GetTitle();
    if (child->m_nWindow > 0) {
      CStringW number;
      number.Format(u":%d", child->m_nWindow);
      name += number;
    }
    title = title.IsEmpty() ? name : title + CStringW(u" - ") + name;
  }
  SetWindowText(title.GetString());
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CMDIChildWnd* child = MDIGetActive())
    if (child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIFrameWnd::OnClose() {
  CWinApp* app = AfxGetApp();
  if (!app || app->m_pMainWnd != this) {
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(MDIGetActive())) return;
  } else {
    // Every modified document is asked once, the active one included.
    if (!app->SaveAllModified()) return;
    app->HideApplication();
    app->CloseAllDocuments(FALSE);
  }
  CFrameWnd::OnClose();
}
