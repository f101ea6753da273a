// The bird's-eye window's mouse: moving the tracker, clicking beside it,
// the bottom strip as a sizing border, and the cursors over the tracker.
#include <algorithm>

#include "diagram/ui/BirdEyeWnd.h"
#include "diagram/ui/DrawView.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

DrawRectDirection CBirdEyeWnd::GetTrackerDirection(CPoint p) const {
  const CRect& t = m_tracker;
  auto in = [](LONG v, LONG lo, LONG hi) { return v >= lo && v <= hi; };
  const bool left4 = in(p.x, t.left, t.left + 4);
  const bool right4 = in(p.x, t.right - 4, t.right);
  const bool top2 = in(p.y, t.top, t.top + 2);
  const bool bottom2 = in(p.y, t.bottom - 2, t.bottom);
  if (left4 && top2) return drdTopLeft;
  if (left4 && bottom2) return drdBottomLeft;
  if (right4 && top2) return drdTopRight;
  if (right4 && bottom2) return drdBottomRight;
  const bool betweenRows = p.y > t.top + 2 && p.y < t.bottom - 2;
  if (betweenRows && in(p.x, t.left, t.left + 2)) return drdLeft;
  if (betweenRows && in(p.x, t.right - 2, t.right)) return drdRight;
  const bool betweenColumns = p.x > t.left + 2 && p.x < t.right - 2;
  if (betweenColumns && top2) return drdTop;
  if (betweenColumns && bottom2) return drdBottom;
  return drdNone;
}

BOOL CBirdEyeWnd::IsPointOnTrackerLine(CPoint point) const {
  return m_bTrackerResizingEnabled && GetTrackerDirection(point) != drdNone;
}

void CBirdEyeWnd::AdjustTrackerBasedOnDirection(CPoint point) {
  RestrictPointToClientArea(point);
  CRect& t = m_tracker;
  InvalidateTrackerRect(FALSE);
  switch (m_resizeDirection) {
    case drdTop:
      // An edge follows the point and the other dimension changes as much.
      if (point.y >= t.bottom) {
        m_resizeDirection = drdBottom;
        break;
      }
      t.right -= point.y - t.top;
      t.top = point.y;
      break;
    case drdBottom:
      if (point.y <= t.top) {
        m_resizeDirection = drdTop;
        break;
      }
      t.right -= t.bottom - point.y;
      t.bottom = point.y;
      break;
    case drdLeft:
      if (point.x >= t.right) {
        m_resizeDirection = drdRight;
        break;
      }
      t.bottom -= point.x - t.left;
      t.left = point.x;
      break;
    case drdRight:
      if (point.x <= t.left) {
        m_resizeDirection = drdLeft;
        break;
      }
      t.bottom -= t.right - point.x;
      t.right = point.x;
      break;
    case drdTopLeft:
      // A corner follows freely, each coordinate on its own side.
      if (point.x < t.right) t.left = point.x;
      if (point.y < t.bottom) t.top = point.y;
      break;
    case drdTopRight:
      if (point.x > t.left) t.right = point.x;
      if (point.y < t.bottom) t.top = point.y;
      break;
    case drdBottomLeft:
      if (point.x < t.right) t.left = point.x;
      if (point.y > t.top) t.bottom = point.y;
      break;
    case drdBottomRight:
      if (point.x > t.left) t.right = point.x;
      if (point.y > t.top) t.bottom = point.y;
      break;
    case drdNone:
      break;
  }
  m_anchor = point;
  InvalidateTrackerRect(TRUE);
}

LRESULT CBirdEyeWnd::OnNcHitTest(CPoint point) {
  CPoint client = point;
  ScreenToClient(&client);
  CRect rect;
  GetClientRect(rect);
  const CRect area = GetAdjustedClientRect();
  if (rect.PtInRect(client) && client.y >= area.bottom) {
    // The bottom strip is the window's lower sizing border; its right end is
    // the corner.
    if (client.x >= rect.right - ::GetSystemMetrics(SM_CXHSCROLL)) return HTBOTTOMRIGHT;
    return HTBOTTOM;
  }
  return CWnd::OnNcHitTest(point);
}

BOOL CBirdEyeWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (hitTest != HTCLIENT) return CWnd::OnSetCursor(wnd, hitTest, message);
  if (m_nDragMode == 1) {
    ::SetCursor(cursor_inside_tracker);
    return TRUE;
  }
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  if (IsPointOnTrackerLine(point)) {
    LPCWSTR shape = IDC_SIZENS;
    switch (GetTrackerDirection(point)) {
      case drdLeft:
      case drdRight: shape = IDC_SIZEWE; break;
      case drdTopLeft:
      case drdBottomRight: shape = IDC_SIZENWSE; break;
      case drdTopRight:
      case drdBottomLeft: shape = IDC_SIZENESW; break;
      default: break;
    }
    ::SetCursor(::LoadCursorW(nullptr, shape));
    return TRUE;
  }
  if (m_tracker.PtInRect(point)) {
    ::SetCursor(cursor_inside_tracker);
    return TRUE;
  }
  return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CBirdEyeWnd::OnLButtonDown(UINT flags, CPoint point) {
  m_trackerAtPress = m_tracker;
  if (IsPointOnTrackerLine(point)) {
    m_resizeDirection = GetTrackerDirection(point);
    m_anchor = point;
    SetCapture();
    return;
  }
  SetCapture();
  if (!m_tracker.PtInRect(point)) {
    m_nDragMode = 2;
    m_anchor = m_tracker.CenterPoint();
    m_pressPoint = point;
    // The tracker's centre jumps to the press point at once.
    m_nDragMode = 1;
    OnMouseMove(flags, point);
    m_nDragMode = 2;
    return;
  }
  m_nDragMode = 1;
  m_anchor = point;
}

void CBirdEyeWnd::OnMouseMove(UINT flags, CPoint point) {
  if (m_resizeDirection != drdNone) {
    AdjustTrackerBasedOnDirection(point);
    return;
  }
  if (m_nDragMode == 2 && m_bTrackerResizingEnabled) {
    const CSize moved = point - m_pressPoint;
    if (std::abs(moved.cx) >= 6 || std::abs(moved.cy) >= 6) {
      // A new tracker drawn from the press point.
      InvalidateTrackerRect(FALSE);
      m_tracker.SetRect(m_pressPoint, m_pressPoint);
      m_resizeDirection = (moved.cx >= 0 && moved.cy >= 0) ? drdBottomRight : drdTopLeft;
      m_nDragMode = 0;
      AdjustTrackerBasedOnDirection(point);
    }
    return;
  }
  if (m_nDragMode != 1) {
    CWnd::OnMouseMove(flags, point);
    return;
  }
  RestrictPointToClientArea(point);
  const CRect area = GetAdjustedClientRect();
  CSize move(point.x - m_anchor.x, point.y - m_anchor.y);
  // The tracker stays inside the adjusted client rectangle.
  move.cx = std::clamp<LONG>(move.cx, std::min<LONG>(0, area.left - m_tracker.left),
                             std::max<LONG>(0, area.right - m_tracker.right));
  move.cy = std::clamp<LONG>(move.cy, std::min<LONG>(0, area.top - m_tracker.top),
                             std::max<LONG>(0, area.bottom - m_tracker.bottom));
  if (move.cx == 0 && move.cy == 0) return;
  InvalidateTrackerRect(FALSE);
  m_tracker.OffsetRect(move);
  m_anchor = point;
  InvalidateTrackerRect(TRUE);
}

void CBirdEyeWnd::OnLButtonUp(UINT flags, CPoint point) {
  if (GetCapture() == this) ::ReleaseCapture();
  if (m_resizeDirection != drdNone) {
    m_resizeDirection = drdNone;
    if (m_tracker != m_trackerAtPress) ScaleViewAndScroll();
    return;
  }
  if (m_nDragMode == 0) {
    CWnd::OnLButtonUp(flags, point);
    return;
  }
  // The rest of the move, for a drag and for a click beside the tracker.
  m_nDragMode = 1;
  OnMouseMove(flags, point);
  m_nDragMode = 0;
  InvalidateTrackerRect(TRUE);
  ScrollViewToTracker();
}

void CBirdEyeWnd::ScrollViewToTracker() {
  if (!m_pView || !m_pView->GetSafeHwnd()) return;
  const CRect area = GetAdjustedClientRect();
  // Nothing maps while the overview or the canvas is empty.
  if (area.left == area.right || area.top == area.bottom) return;
  const CRect canvas = GetCanvasRect();
  if (canvas.left == canvas.right || canvas.top == canvas.bottom) return;
  CPoint corner = m_tracker.TopLeft() - area.TopLeft();
  ClientToDoc(corner);
  m_pView->DocToClient(corner);
  corner += m_pView->GetDeviceScrollPosition();
  m_pView->OnBirdEyeViewScroll(corner);
  UpdateTracker();
}
