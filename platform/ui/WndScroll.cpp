// CWnd's scroll-bar and scrolling members, over the window functions.
#include "platform/gdi/Rgn.h"
#include "platform/ui/Wnd.h"

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) {
  ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const {
  ::GetScrollRange(m_hWnd, bar, minPos, maxPos);
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  if (!info || !::IsWindow(m_hWnd)) return FALSE;
  info->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, bar, info, redraw);
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) {
  if (!info) return FALSE;
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::GetScrollLimit(int bar) {
  SCROLLINFO info{};
  if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  const long long limit = static_cast<long long>(info.nMax) - (info.nPage > 1 ? info.nPage - 1 : 0);
  return static_cast<int>(limit < info.nMin ? info.nMin : limit);
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }

BOOL CWnd::EnableScrollBar(int bar, UINT arrows) { return ::EnableScrollBar(m_hWnd, static_cast<UINT>(bar), arrows); }

void CWnd::EnableScrollBarCtrl(int bar, BOOL enable) { ::ShowScrollBar(m_hWnd, bar, enable); }

void CWnd::ScrollWindow(int dx, int dy, LPCRECT scroll, LPCRECT clip) { ::ScrollWindow(m_hWnd, dx, dy, scroll, clip); }

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update, LPRECT updateRect,
                         UINT flags) {
  return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip, update ? static_cast<HRGN>(*update) : nullptr, updateRect,
                          flags);
}
