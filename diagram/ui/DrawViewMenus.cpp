// The view's pop-up menus: one sub-menu of menu 28016 for each kind of
// thing right-clicked, loaded from the resources on first use and tracked
// for the application's main window.
#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/objects/DrawObj.h"
#include "diagram/res/DrawViewMenu.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinApp.h"

CMenu* CDrawView::GetPopupMenu(int index) {
  if (!m_popupMenu.GetSafeHmenu() && !m_popupMenu.LoadMenu(m_nPopupMenuId)) return nullptr;
  return m_popupMenu.GetSubMenu(index);
}

CMenu* CDrawView::GetPopupMenuForMultipleSelections(const CPoint&) { return GetPopupMenu(kPopupPlural); }

void CDrawView::ShowPopUpMenu(const CPoint& point) {
  CMenu* menu = nullptr;
  const INT_PTR count = m_selection.GetCount();
  if (count == 1) {
    menu = m_selection.GetHead()->GetPopupMenu(this, point);
  } else if (count > 1) {
    menu = GetPopupMenuForMultipleSelections(point);
  } else if (m_pDiagram) {
    menu = m_pDiagram->GetPopupMenu(this, point);
  }
  if (!menu) return;
  CPoint screen = point;
  ClientToScreen(&screen);
  // The main window routes the chosen command to the active view; a host
  // without one has the view own the menu.
  CWnd* owner = AfxGetMainWnd();
  menu->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, owner ? owner : this);
}

void CDrawView::OnKeyboardPopUpMenu() {
  CWnd* main = AfxGetMainWnd();
  if (main && main->IsIconic()) return;
  CRect client;
  GetClientRect(client);
  CPoint point(client.left + 5, client.top + 5);
  if (m_selection.GetCount() == 1) {
    CDrawObj* object = m_selection.GetHead();
    // The middle of the object's top edge.
    auto topMiddle = [&]() {
      const CRect position = object->GetPosition();
      CPoint at((position.left + position.right) / 2, position.top);
      DocToClient(at);
      return at;
    };
    point = topMiddle();
    if (!client.PtInRect(point)) {
      ScaleAndScroll(m_scaleSize, point);
      point = topMiddle();
    }
  }
  ShowPopUpMenu(point);
}
