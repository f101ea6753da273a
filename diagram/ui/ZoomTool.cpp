#include "diagram/ui/ZoomTool.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/DC.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

CPoint CZoomTool::c_start;

CZoomTool::CZoomTool() : CDrawTool(dsZoom) {}

void CZoomTool::LoadCursorOnFirstUse() {
  if (m_bCursorLoaded) return;
  m_bCursorLoaded = TRUE;
  LoadCursorForTool(kZoomCursor, FALSE);
}

void CZoomTool::DrawZoomRect(CDrawView* view, const CPoint& to) {
  CPoint from = c_start;
  view->DocToClient(from);
  CRect rect(from, to);
  rect.NormalizeRect();
  CClientDC dc(view);
  dc.DrawFocusRect(&rect);
}

void CZoomTool::OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) {
  LoadCursorOnFirstUse();
  CPoint docPoint = point;
  view->ClientToDoc(docPoint);
  if (CDiagram* diagram = view->GetDiagram()) diagram->SetLastClickPoint(docPoint);
  c_start = docPoint;
  CDrawTool::OnLButtonDown(view, flags, point);
  DrawZoomRect(view, point);
}

void CZoomTool::OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) {
  LoadCursorOnFirstUse();
  if (CWnd::GetCapture() != view) {
    CDrawTool::OnMouseMove(view, flags, point);
    return;
  }
  DrawZoomRect(view, c_last);
  // A scroll moves the start point in client pixels; DrawZoomRect converts
  // it again from document units.
  const CSize scrolled = view->AutoScroll(point);
  if (scrolled.cx != 0 || scrolled.cy != 0) view->UpdateWindow();
  CDrawTool::OnMouseMove(view, flags, point);
  DrawZoomRect(view, c_last);
}

void CZoomTool::OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) {
  if (CWnd::GetCapture() != view) return;
  DrawZoomRect(view, c_last);
  CPoint from = c_start;
  view->DocToClient(from);
  CRect rect(from, c_last);
  rect.NormalizeRect();
  CDrawTool::OnLButtonUp(view, flags, point);
  CDrawTool::OnCancel(view);
  if (rect.IsRectEmpty()) return;
  view->ClientToDoc(rect);
  view->PanZoomTo(rect);
}

void CZoomTool::OnCancel(CDrawView* view) {
  if (view && CWnd::GetCapture() == view) {
    DrawZoomRect(view, c_last);
    view->ReleaseCapture();
  }
  CDrawTool::OnCancel(view);
}
