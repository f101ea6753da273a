#include "platform/ui/FrameWnd.h"

#include "platform/core/Exceptions.h"
#include <algorithm>

#include "platform/ui/ControlBar.h"
#include "platform/ui/Document.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_INITMENUPOPUP()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_COMMAND_EX_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_FIRST + 31, OnBarCheck)
  ON_UPDATE_COMMAND_UI_RANGE(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_FIRST + 31, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
    CWnd* wnd = CWnd::FromHandlePermanent(h);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
  }
  return nullptr;
}

BOOL CFrameWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCWSTR menuName, DWORD exStyle, CCreateContext* context) {
  if (menuName) throw CNotSupportedException();  // frames have no menu bar
  const bool useDefault = rect.left == CW_USEDEFAULT;
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                  useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                  useDefault ? CW_USEDEFAULT : rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, nullptr,
                  context);
}

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR menuName, DWORD exStyle, CCreateContext* context) {
  if (menuName) throw CNotSupportedException();
  CStringW cls(className ? className : "AfxWnd");
  CStringW name(windowName ? windowName : "");
  return Create(cls.GetString(), name.GetString(), style, rect, parent, nullptr, exStyle, context);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (!OnCreateClient(cs, context)) return -1;
  // The status bar's first pane says "Ready" once the frame is running.
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (!context || !context->m_pNewViewClass) return TRUE;
  return CreateView(context) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  if (!context || !context->m_pNewViewClass) return nullptr;
  CObject* object = context->m_pNewViewClass->CreateObject();
  CView* view = object ? dynamic_cast<CView*>(object) : nullptr;
  if (!view) {
    delete object;
    return nullptr;
  }
  view->m_deleteWithWindow = true;
  CRect client;
  GetClientRect(&client);
  context->m_pCurrentFrame = this;
  // A failed creation deletes the view (PostNcDestroy).
  if (!view->Create(static_cast<LPCWSTR>(nullptr), nullptr, WS_CHILD | WS_VISIBLE, client, this, id, context))
    return nullptr;
  context->m_pLastView = view;
  return view;
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

namespace {

// The views among a window's descendants, in Z order, depth first.
void CollectViews(HWND parent, std::vector<CView*>& views) {
  for (HWND h = ::GetWindow(parent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (auto* view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(h))) views.push_back(view);
    CollectViews(h, views);
  }
}

}  // namespace

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible) {
  CView* view = m_pViewActive;
  if (!view) {
    // The first pane: the view itself, or the first pane of a splitter.
    CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
    view = pane ? dynamic_cast<CView*>(CWnd::FromHandlePermanent(pane->m_hWnd)) : nullptr;
    if (!view && pane) {
      CWnd* inner = pane->GetDlgItem(AFX_IDW_PANE_FIRST);
      view = inner ? dynamic_cast<CView*>(CWnd::FromHandlePermanent(inner->m_hWnd)) : nullptr;
    }
    if (view) SetActiveView(view);
  }
  // Every view of the frame hears its first update.
  std::vector<CView*> views;
  CollectViews(m_hWnd, views);
  for (CView* each : views) each->OnInitialUpdate();
  m_bInitialUpdateDone = true;
  if (makeVisible && m_hWnd) ShowWindow(SW_SHOW);
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (view == old) return;
  // No view is active while the old one hears that it lost the activation.
  m_pViewActive = nullptr;
  if (notify && old) old->OnActivateView(FALSE, view, old);
  m_pViewActive = view;
  if (notify && view) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::RecalcLayout(BOOL) {
  CRect client;
  GetClientRect(&client);
  // The bars that are the frame's own children (dock bars, and bars such as
  // the status bar that are not docked) take their edges in turn.
  for (CControlBar* bar : m_listControlBars) {
    if (!bar->GetSafeHwnd() || ::GetParent(bar->GetSafeHwnd()) != m_hWnd) continue;
    if (!bar->IsDockBar() && !bar->IsVisible()) continue;
    const DWORD align = bar->GetBarStyle() & CBRS_ALIGN_ANY;
    const bool horz = (align & CBRS_ORIENT_HORZ) != 0;
    const CSize size = bar->CalcFixedLayout(TRUE, horz);
    CRect place = client;
    if (align & CBRS_ALIGN_TOP) {
      place.bottom = std::min(client.bottom, client.top + size.cy);
      client.top = place.bottom;
    } else if (align & CBRS_ALIGN_BOTTOM) {
      place.top = std::max(client.top, client.bottom - size.cy);
      client.bottom = place.top;
    } else if (align & CBRS_ALIGN_LEFT) {
      place.right = std::min(client.right, client.left + size.cx);
      client.left = place.right;
    } else if (align & CBRS_ALIGN_RIGHT) {
      place.left = std::max(client.left, client.right - size.cx);
      client.right = place.left;
    } else {
      continue;
    }
    bar->MoveWindow(&place);
    if (bar->IsDockBar()) static_cast<CDockBar*>(bar)->Arrange();
  }
  CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
  if (pane) pane->MoveWindow(&client);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd) {
  if (m_pViewActive && m_pViewActive->m_hWnd) {
    m_pViewActive->SetFocus();
    return;
  }
  CWnd::OnSetFocus(oldWnd);
}

void CFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  CWnd::OnActivate(state, other, minimized);
  if (state == WA_INACTIVE || minimized || !m_hWnd) return;
  if (m_pViewActive && m_pViewActive->m_hWnd)
    m_pViewActive->SetFocus();
  else
    SetFocus();
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
  CWnd::OnInitMenuPopup(popup, index, sysMenu);
  if (sysMenu || !popup) return;
  CCmdUI state;
  state.m_pMenu = popup;
  state.m_nIndexMax = popup->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
    // Separators and sub-menus are left alone (a sub-menu is updated when it
    // opens).
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
    state.m_pSubMenu = nullptr;
    // System commands (0xF000 and up) are never disabled for want of a
    // handler.
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    // A handler may have removed or added items: stay on the same item.
    const UINT count = popup->GetMenuItemCount();
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= (state.m_nIndexMax - count);
      while (state.m_nIndex < count && popup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = count;
  }
}

void CFrameWnd::PostNcDestroy() { delete this; }
