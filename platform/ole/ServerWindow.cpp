#include "platform/ole/ServerWindow.h"

#include "platform/ole/EmbeddableKind.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WndClass.h"

namespace platform {

BEGIN_MESSAGE_MAP(ServerWindow, CWnd)
  ON_WM_CLOSE()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

ServerWindow* ServerWindow::Open(ServerSite* site, EmbeddedContent* content, const CStringW& caption, CWnd* parent,
                                 const CRect& rect) {
  auto* window = new ServerWindow(site, content, parent != nullptr);
  LPCWSTR windowClass = AfxRegisterWndClassW(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  BOOL made = FALSE;
  if (parent) {
    made = window->CreateEx(0, windowClass, caption.GetString(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN,
                            rect, parent, 0);
  } else {
    made = window->CreateEx(0, windowClass, caption.GetString(),
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, rect.left, rect.top, rect.Width(),
                            rect.Height(), nullptr, nullptr);
  }
  // A window that failed has deleted its object already.
  if (!made) return nullptr;
  content->CreateEditor(window);
  content->LayOutEditor(window);
  return window;
}

void ServerWindow::OnClose() {
  if (site_) {
    site_->OnServerCloseRequested();
  } else {
    DestroyWindow();
  }
}

void ServerWindow::OnPaint() {
  CPaintDC dc(this);
  if (content_) content_->PaintEditor(this, &dc);
}

void ServerWindow::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (content_) content_->LayOutEditor(this);
}

void ServerWindow::OnLButtonDown(UINT flags, CPoint point) {
  CWnd::OnLButtonDown(flags, point);
  if (content_ && content_->OnEditorClick(this, point)) {
    Invalidate(FALSE);
    if (site_) site_->OnServerEdited();
  }
}

BOOL ServerWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == EN_CHANGE && lParam != 0 && site_) site_->OnServerEdited();
  return CWnd::OnCommand(wParam, lParam);
}

void ServerWindow::PostNcDestroy() {
  ServerSite* site = site_;
  site_ = nullptr;
  if (site) site->OnServerWindowGone();
  delete this;
}

}  // namespace platform
