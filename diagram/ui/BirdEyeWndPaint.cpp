// The bird's-eye window's mapping, coordinate conversions, painting and
// tracker.
#include <algorithm>
#include <cmath>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/ui/BirdEyeWnd.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SysInfo.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace {

// Document to client along one axis: trunc((v - k0) / ((k1 - k0) / (a1 - a0))) + a0.
LONG ToClient(LONG v, LONG k0, LONG k1, LONG a0, LONG a1) {
  const double unitsPerPixel = static_cast<double>(k1 - k0) / static_cast<double>(a1 - a0);
  return static_cast<LONG>(std::trunc((v - k0) / unitsPerPixel)) + a0;
}

// Client to document: trunc((k1 - k0) / (a1 - a0) * v) + k0.
LONG ToDoc(LONG v, LONG k0, LONG k1, LONG a0, LONG a1) {
  const double unitsPerPixel = static_cast<double>(k1 - k0) / static_cast<double>(a1 - a0);
  return static_cast<LONG>(std::trunc(unitsPerPixel * v)) + k0;
}

bool Degenerate(const CRect& r) { return r.left == r.right || r.top == r.bottom; }

}  // namespace

CRect CBirdEyeWnd::GetAdjustedClientRect() {
  CRect client;
  GetClientRect(client);
  client.bottom = std::max(client.top, client.bottom - ::GetSystemMetrics(SM_CYHSCROLL));
  return client;
}

void CBirdEyeWnd::OnPrepareDC(CDC* dc) {
  const CRect source = GetSourceRect();
  const CRect target = GetAdjustedClientRect();
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowOrg(source.left, source.top);
  dc->SetViewportOrg(target.left, target.top);
  // A 16-bit graphics system keeps to half extents.
  const int half = CSysInfo::IsGdi16Bit() ? 2 : 1;
  dc->SetWindowExt(source.Width() / half, source.Height() / half);
  dc->SetViewportExt(target.Width() / half, target.Height() / half);
}

void CBirdEyeWnd::DocToClient(CPoint& point) {
  const CRect k = GetCanvasRect();
  const CRect a = GetAdjustedClientRect();
  if (Degenerate(k) || Degenerate(a)) return;
  point.x = ToClient(point.x, k.left, k.right, a.left, a.right);
  point.y = ToClient(point.y, k.top, k.bottom, a.top, a.bottom);
}

void CBirdEyeWnd::ClientToDoc(CPoint& point) {
  const CRect k = GetCanvasRect();
  const CRect a = GetAdjustedClientRect();
  if (Degenerate(k) || Degenerate(a)) return;
  point.x = ToDoc(point.x, k.left, k.right, a.left, a.right);
  point.y = ToDoc(point.y, k.top, k.bottom, a.top, a.bottom);
}

void CBirdEyeWnd::DocToClient(CRect& rect) {
  CPoint a = rect.TopLeft();
  CPoint b = rect.BottomRight();
  DocToClient(a);
  DocToClient(b);
  rect.SetRect(a.x, a.y, b.x, b.y);
  rect.NormalizeRect();
}

void CBirdEyeWnd::ClientToDoc(CRect& rect) {
  CPoint a = rect.TopLeft();
  CPoint b = rect.BottomRight();
  ClientToDoc(a);
  ClientToDoc(b);
  rect.SetRect(a.x, a.y, b.x, b.y);
  rect.NormalizeRect();
}

void CBirdEyeWnd::RestrictPointToClientArea(CPoint& point) {
  const CRect area = GetAdjustedClientRect();
  point.x = std::clamp(point.x, area.left, std::max(area.left, area.right));
  point.y = std::clamp(point.y, area.top, std::max(area.top, area.bottom));
}

void CBirdEyeWnd::UpdateTracker(CDC*) {
  if (!m_pView || !m_pView->GetSafeHwnd() || !GetSafeHwnd()) return;
  const CRect area = GetAdjustedClientRect();
  // With nothing to map to, the tracker stays as it is.
  if (Degenerate(area) || Degenerate(GetCanvasRect())) return;
  CRect shown;
  m_pView->GetClientRect(shown);
  m_pView->ClientToDoc(shown);
  DocToClient(shown);
  if (m_bViewLargerThanCanvas) {
    shown.right = area.right;
    shown.bottom = area.bottom;
  }
  m_tracker = shown;
  InvalidateTrackerRect(FALSE);
}

void CBirdEyeWnd::UpdateTrackerAndInvalidateOld(CDC* dc) {
  InvalidateTrackerRect(FALSE);
  UpdateTracker(dc);
}

void CBirdEyeWnd::InvalidateTrackerRect(BOOL update) {
  if (!GetSafeHwnd()) return;
  CRect r = m_tracker;
  r.left -= 2;
  r.top -= 2;
  r.right += 6;
  r.bottom += 6;
  InvalidateRect(&r, FALSE);
  if (update) UpdateWindow();
}

void CBirdEyeWnd::DrawTracker(CDC* dc) {
  if (m_bInvertFocusRect) {
    dc->InvertRect(&m_tracker);
    return;
  }
  if (m_nDragMode == 1) {
    // A shadow along the right and bottom edges while the tracker moves.
    CBrush shadow(::GetSysColor(COLOR_3DDKSHADOW));
    const CRect right(m_tracker.right, m_tracker.top + 4, m_tracker.right + 4, m_tracker.bottom + 4);
    const CRect bottom(m_tracker.left + 4, m_tracker.bottom, m_tracker.right, m_tracker.bottom + 4);
    dc->FillRect(&right, &shadow);
    dc->FillRect(&bottom, &shadow);
  }
  CPen red(PS_SOLID, 1, RGB(255, 0, 0));
  CPen* oldPen = dc->SelectObject(&red);
  CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
  dc->Rectangle(&m_tracker);
  CRect inner = m_tracker;
  inner.DeflateRect(1, 1);
  dc->Rectangle(&inner);
  dc->SelectObject(oldPen);
  if (oldBrush) dc->SelectObject(oldBrush);
}

CFont* CBirdEyeWnd::GetDrawFont() {
  HFONT font = m_pView ? m_pView->GetFontHandle() : nullptr;
  return font ? CFont::FromHandle(font) : nullptr;
}

void CBirdEyeWnd::DrawView(CDC& dc) {
  if (!m_pView) return;
  // The view's grid setting is put back however the painting ends.
  struct RestoreShowGrid {
    BOOL& flag;
    const BOOL saved;
    ~RestoreShowGrid() { flag = saved; }
  } restore{m_pView->m_bShowGrid, m_pView->m_bShowGrid};
  if (m_bDisableGridLines) m_pView->m_bShowGrid = FALSE;
  // The canvas as the diagram orders it (top above bottom when y grows upward).
  m_pView->Draw(&dc, GetSourceRect());
}

void CBirdEyeWnd::DrawBirdeyeView(CDC& dc) {
  CRect client;
  GetClientRect(client);
  const CRect area = GetAdjustedClientRect();
  CRect strip(client.left, area.bottom, client.right, client.bottom);
  CBrush face(::GetSysColor(COLOR_3DFACE));
  dc.FillRect(&strip, &face);
  CRect grip(strip.right - ::GetSystemMetrics(SM_CXHSCROLL), strip.bottom - ::GetSystemMetrics(SM_CYVSCROLL),
             strip.right, strip.bottom);
  ::DrawFrameControl(dc.GetSafeHdc(), &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  CString format;
  if (!m_pView || !format.LoadString(kZoomTextId)) return;
  CString text;
  text.FormatMessage(format, m_pView->GetScaleSize().cx * 10 / m_pView->GetScaleIncrementSize());
  CFont* font = GetDrawFont();
  CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
  CRect textRect(area.left, strip.top, area.right, strip.top + ::GetSystemMetrics(SM_CYHSCROLL));
  dc.SetBkMode(TRANSPARENT);
  dc.DrawText(text, text.GetLength(), &textRect, DT_VCENTER | DT_NOCLIP);
  if (oldFont) dc.SelectObject(oldFont);
}

BOOL CBirdEyeWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CBirdEyeWnd::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(client);
  if (!m_memDC.GetSafeHdc() || !m_memBitmap.GetSafeHandle()) return;
  CBitmap* oldBitmap = m_memDC.SelectObject(&m_memBitmap);
  m_memDC.SetMapMode(MM_TEXT);
  m_memDC.SetWindowOrg(0, 0);
  m_memDC.SetViewportOrg(0, 0);
  CBrush window(::GetSysColor(COLOR_WINDOW));
  const CRect area = GetAdjustedClientRect();
  if (m_bViewLargerThanCanvas) m_memDC.FillRect(&client, &window);
  // An empty overview or an empty canvas maps to nothing: no diagram then.
  if (!Degenerate(area) && !Degenerate(GetSourceRect())) {
    const int saved = m_memDC.SaveDC();
    OnPrepareDC(&m_memDC);
    DrawView(m_memDC);
    m_memDC.RestoreDC(saved);
    DrawTracker(&m_memDC);
  } else {
    m_memDC.FillRect(&area, &window);
  }
  DrawBirdeyeView(m_memDC);
  CRect box;
  paint.GetClipBox(&box);
  paint.BitBlt(box.left, box.top, box.Width(), box.Height(), &m_memDC, box.left, box.top, SRCCOPY);
  m_memDC.SelectObject(oldBitmap);
}
