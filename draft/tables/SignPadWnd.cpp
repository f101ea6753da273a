#include "draft/tables/SignPadWnd.h"

#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

BEGIN_MESSAGE_MAP(CSignPadWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

void CSignPadWnd::Clear() {
  strokes_.clear();
  current_ = -1;
  Invalidate();
  UpdateWindow();
}

void CSignPadWnd::OnLButtonDown(UINT, CPoint) {
  current_ = -1;
  SetCapture();
}

void CSignPadWnd::OnLButtonUp(UINT, CPoint) {
  current_ = -1;
  if (GetCapture() == this) ::ReleaseCapture();
}

void CSignPadWnd::OnMouseMove(UINT flags, CPoint point) {
  if (!(flags & MK_LBUTTON)) return;
  if (current_ < 0) {
    strokes_.emplace_back();
    current_ = static_cast<int>(strokes_.size()) - 1;
  }
  Stroke& stroke = strokes_[static_cast<size_t>(current_)];
  if (!stroke.empty()) {
    CClientDC dc(this);
    dc.MoveTo(stroke.back());
    dc.LineTo(point);
  }
  stroke.push_back(point);
}

BOOL CSignPadWnd::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, RGB(255, 255, 255));
  return TRUE;
}

void CSignPadWnd::OnPaint() {
  CPaintDC dc(this);
  for (const Stroke& stroke : strokes_) {
    if (stroke.size() == 1)
      dc.SetPixel(stroke.front(), RGB(0, 0, 0));
    else if (!stroke.empty())
      dc.Polyline(stroke.data(), static_cast<int>(stroke.size()));
  }
}

void CSignPadWnd::OnDestroy() {
  strokes_.clear();
  current_ = -1;
  CWnd::OnDestroy();
}
