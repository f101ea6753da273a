#include "diagram/ui/FrameBarSupport.h"

#include "diagram/ui/WindowPlacement.h"
#include "platform/core/Profile.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/Menu.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

const WCHAR* const CFrameBarSupport::kSection = u"DrawFrame";

namespace {

CStringW BarKey(CControlBar* bar) {
  CStringW key;
  key.Format(u"Bar%d", bar->GetDlgCtrlID());
  return key;
}

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

void CFrameBarSupport::ApplyStoredPlacement() {
  WINDOWPLACEMENT placement{};
  if (!ReadWindowPlacement(&placement, kSection)) return;
  CWinApp* app = AfxGetApp();
  if (app && app->m_nCmdShow == SW_SHOWNORMAL && placement.showCmd == SW_SHOWMAXIMIZED)
    app->m_nCmdShow = SW_SHOWMAXIMIZED;
  placement.showCmd = SW_HIDE;
  m_frame.SetWindowPlacement(&placement);
}

BOOL CFrameBarSupport::CreateStandardBars(CToolBar& toolBar, CStatusBar& statusBar, UINT toolBarResource) {
  if (toolBarResource != 0) {
    if (!toolBar.Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !toolBar.LoadToolBar(toolBarResource)) {
      return FALSE;
    }
  }
  if (!statusBar.Create(&m_frame) || !statusBar.SetIndicators(kIndicators, 4)) return FALSE;
  if (toolBar.GetSafeHwnd())
    toolBar.SetBarStyle(toolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  return TRUE;
}

void CFrameBarSupport::DockStandardBar(CToolBar& toolBar) {
  if (!toolBar.GetSafeHwnd()) return;
  toolBar.SetWindowText(u"Standard Tools");
  toolBar.EnableDocking(CBRS_ALIGN_ANY);
  m_frame.DockControlBar(&toolBar, AFX_IDW_DOCKBAR_TOP);
}

void CFrameBarSupport::LoadStates() {
  for (CControlBar* bar : m_frame.GetControlBars()) {
    if (bar->IsDockBar()) continue;
    const CStringW state = platform::GetProfileString(kSection, BarKey(bar), u"");
    m_states[bar] = state == CStringW(u"DV") ? disabledVisible : state == CStringW(u"D") ? disabled : enabled;
  }
  m_frame.LoadBarState(kSection);
}

void CFrameBarSupport::SaveStates() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (m_frame.GetWindowPlacement(&placement)) WriteWindowPlacement(&placement, kSection);
  for (CControlBar* bar : m_frame.GetControlBars()) {
    if (bar->IsDockBar()) continue;
    const State state = Get(bar);
    platform::WriteProfileString(kSection, BarKey(bar),
                                 state == disabled ? u"D" : state == disabledVisible ? u"DV" : nullptr);
  }
  m_frame.SaveBarState(kSection);
}

CFrameBarSupport::State CFrameBarSupport::Get(CControlBar* bar) const {
  // A bar the map does not hold counts as enabled.
  const auto it = m_states.find(bar);
  return it == m_states.end() ? enabled : it->second;
}

void CFrameBarSupport::Enable(CControlBar* bar, BOOL enable) {
  if (!bar) return;
  const State state = Get(bar);
  if (enable) {
    if (state == enabled) return;
    Set(bar, enabled);
    if (state == disabledVisible) m_frame.ShowControlBar(bar, TRUE, TRUE);
    return;
  }
  if (state != enabled) return;
  if (bar->IsVisible()) {
    Set(bar, disabledVisible);
    m_frame.ShowControlBar(bar, FALSE, TRUE);
  } else {
    Set(bar, disabled);
  }
}

BOOL CFrameBarSupport::Enable(UINT id, BOOL enable) {
  CControlBar* bar = m_frame.GetControlBar(id);
  if (!bar) return FALSE;
  Enable(bar, enable);
  return TRUE;
}

void CFrameBarSupport::UpdateToggle(CCmdUI* cmdUI) {
  CControlBar* bar = m_frame.GetControlBar(cmdUI->m_nID);
  if (bar && Get(bar) != enabled) {
    cmdUI->Enable(FALSE);
    return;
  }
  cmdUI->Enable(bar != nullptr);
  m_frame.OnUpdateControlBarMenu(cmdUI);
}

BOOL CFrameBarSupport::CreateDockableToolBar(CToolBar& bar, UINT controlId, UINT resourceId, BOOL hidden) {
  CStringW caption;
  if (!caption.LoadString(resourceId)) caption.Format(u"Toolbar%d", resourceId);
  DWORD style = WS_CHILD | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!hidden) style |= WS_VISIBLE;
  if (!bar.Create(&m_frame, style, controlId) || !bar.LoadToolBar(resourceId)) return FALSE;
  bar.SetWindowText(caption);
  bar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

void CFrameBarSupport::DockNextTo(CToolBar* bar, int location, CToolBar* neighbour) {
  if (!bar || !neighbour || !neighbour->GetDockBar()) return;
  m_frame.RecalcLayout();
  CRect rect;
  neighbour->GetWindowRect(rect);
  switch (location) {
    case 0: rect.OffsetRect(-(rect.Width() / 2 + 1), 0); break;
    case 1: rect.OffsetRect(rect.Width() / 2 + 1, 0); break;
    case 2: rect.OffsetRect(0, -(rect.Height() / 2 + 1)); break;
    case 3: rect.OffsetRect(0, rect.Height() / 2 + 1); break;
    case 4: rect.OffsetRect(1, 1); break;
    case 5: rect.OffsetRect(-1, -1); break;
    default: break;
  }
  m_frame.DockControlBar(bar, neighbour->GetDockBar(), rect);
}

void CFrameBarSupport::ShowMenu(UINT menuId, int subMenu, CPoint screen) {
  CMenu menu;
  if (!menu.LoadMenu(menuId)) return;
  CMenu* popup = menu.GetSubMenu(subMenu);
  if (!popup) return;
  CWnd* owner = &m_frame;
  while (owner->GetStyle() & WS_CHILD) {
    CWnd* parent = owner->GetParent();
    if (!parent) break;
    owner = parent;
  }
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}

void CFrameBarSupport::PreTranslate(const MSG* msg, UINT barMenu, int barSubMenu, UINT frameMenu, int frameSubMenu) {
  const bool shiftF10 = (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_F10 &&
                        ::GetKeyState(VK_SHIFT) < 0;
  if (shiftF10 || msg->message == WM_CONTEXTMENU) {
    CRect client;
    m_frame.GetClientRect(client);
    CPoint centre = client.CenterPoint();
    m_frame.ClientToScreen(&centre);
    ShowMenu(frameMenu, frameSubMenu, centre);
  } else if (msg->message == WM_RBUTTONDOWN) {
    CPoint point(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
    ::ClientToScreen(msg->hwnd, &point);
    CWnd* target = CWnd::FromHandlePermanent(msg->hwnd);
    if (dynamic_cast<CControlBar*>(target)) {
      ShowMenu(barMenu, barSubMenu, point);
    } else if (!target) {
      ShowMenu(frameMenu, frameSubMenu, point);
    }
  }
}
