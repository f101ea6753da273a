// The view's mapping, zoom and scrolling. A scale is a CSize with 5000 for
// 100 % on each axis; at 100 % a document unit is a hundredth of an inch.
// Products of coordinates and scroll sizes are taken in 64 bits: a large
// canvas at a high zoom exceeds 32 bits.
#include <algorithm>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/ui/DrawView.h"
#include "diagram/ui/SysInfo.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace {

constexpr int kFullScale = 5000;

int MulDiv64(long long a, long long b, long long c) {
  if (c == 0) return 0;
  const long long product = a * b;
  // Rounds half away from zero, as MulDiv does.
  const long long half = (c < 0 ? -c : c) / 2;
  const long long rounded = ((product < 0) != (c < 0)) ? (product - half) / c : (product + half) / c;
  return static_cast<int>(std::clamp<long long>(rounded, INT_MIN, INT_MAX));
}

}  // namespace

void CDrawView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  CScrollView::OnPrepareDC(dc, info);
  const BOOL upward = m_pDiagram ? m_pDiagram->IsUpwardPositive() : TRUE;
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(100, upward ? -100 : 100);
  int x = dc->GetDeviceCaps(LOGPIXELSX);
  int y = dc->GetDeviceCaps(LOGPIXELSY);
  if (!dc->IsPrinting()) {
    x = MulDiv64(x, m_scaleSize.cx, kFullScale);
    y = MulDiv64(y, m_scaleSize.cy, kFullScale);
  }
  dc->SetViewportExt(x, y);
  if (!m_pDiagram) return;
  const CRect canvas = m_pDiagram->GetRect();
  if (!dc->IsPrinting()) {
    dc->OffsetWindowOrg(canvas.left, canvas.top);
    return;
  }
  if (!info) return;
  // Page n shows the n-th page of the canvas, row by row.
  const int across = std::max<int>(1, m_pDiagram->GetCanvasSize().cx);
  const int index = static_cast<int>(info->m_nCurPage) - 1;
  const int column = index % across;
  const int row = index / across;
  const CSize page = m_pDiagram->GetPageSize();
  const long long originX = canvas.left + static_cast<long long>(column) * page.cx;
  const long long originY = upward ? canvas.top - static_cast<long long>(row) * page.cy
                                   : canvas.top + static_cast<long long>(row) * page.cy;
  dc->SetWindowOrg(static_cast<int>(originX), static_cast<int>(originY));
}

CSize CDrawView::GetScreenPixelsPerInch() {
  CClientDC dc(GetSafeHwnd() ? this : nullptr);
  return CSize(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
}

CSize CDrawView::NormalizeScaleBy(CSize requested, CSize& limits) {
  const CRect canvas = GetDiagramRect();
  const CSize ppi = GetScreenPixelsPerInch();
  const long long px = static_cast<long long>(canvas.Width()) * ppi.cx / 100;
  const long long py = static_cast<long long>(canvas.Height()) * ppi.cy / 100;
  // The largest device coordinate the system draws with.
  const long long limit = CSysInfo::IsGdi16Bit() ? 32767 : 134217727;
  const long long limitX = px < kFullScale ? limit : limit * kFullScale / px;
  const long long limitY = py < kFullScale ? limit : limit * kFullScale / py;
  limits = CSize(static_cast<int>(std::min<long long>(limitX, INT_MAX)),
                 static_cast<int>(std::min<long long>(limitY, INT_MAX)));
  const int low = GetScaleMinSize();
  const int high = GetScaleMaxSize();
  const int cx = std::min(std::clamp(static_cast<int>(requested.cx), low, std::max(low, high)), int(limits.cx));
  const int cy = std::min(std::clamp(static_cast<int>(requested.cy), low, std::max(low, high)), int(limits.cy));
  const int scale = std::min(cx, cy);
  return CSize(scale, scale);
}

CSize CDrawView::SetScaleAndGetScrollSize(CSize scale) {
  m_scaleSize = NormalizeScaleBy(scale, m_canvasScaleLimits);
  if (m_pDiagram) m_scrolledCanvas = m_pDiagram->GetRect();
  const CRect canvas = GetDiagramRect();
  const CSize ppi = GetScreenPixelsPerInch();
  const int cx = MulDiv64(canvas.Width(), MulDiv64(ppi.cx, m_scaleSize.cx, kFullScale), 100);
  const int cy = MulDiv64(canvas.Height(), MulDiv64(ppi.cy, m_scaleSize.cy, kFullScale), 100);
  return CSize(cx, cy);
}

void CDrawView::ScaleAndScroll(CSize scale, CPoint point) {
  const CSize oldSize = GetTotalSize();
  const CPoint oldPosition = GetDeviceScrollPosition();
  CRect client;
  GetClientRect(client);
  m_visibleDocRect = client;
  ClientToDoc(m_visibleDocRect);

  const CSize newSize = SetScaleAndGetScrollSize(scale);
  SetWindowRedraw(false);
  SetScrollSizes(MM_TEXT, newSize);
  // The document point under `point` goes to the middle of the window; a
  // view without a scroll size yet starts at the origin.
  auto position = [](long long at, long long oldTotal, long long newTotal, long long clientExtent) -> int {
    if (newTotal <= clientExtent || oldTotal <= 0) return 0;
    const long long wanted = at * newTotal / oldTotal - clientExtent / 2;
    return static_cast<int>(std::clamp<long long>(wanted, 0, newTotal));
  };
  const CPoint newPosition(position(static_cast<long long>(point.x) + oldPosition.x, oldSize.cx, newSize.cx,
                                    client.Width()),
                           position(static_cast<long long>(point.y) + oldPosition.y, oldSize.cy, newSize.cy,
                                    client.Height()));
  ScrollToPosition(newPosition);
  SetWindowRedraw(true);
  UpdateBirdEyeAfterZoom();
}

void CDrawView::Scale(CSize scale) {
  CRect client;
  GetClientRect(client);
  ScaleAndScroll(scale, client.CenterPoint());
  UpdateBirdEyeTracker();
}

void CDrawView::SetPageSize() {
  if (!m_pDiagram) return;
  CRect client;
  GetClientRect(client);
  const CSize ppi = GetScreenPixelsPerInch();
  const bool upward = m_pDiagram->IsUpwardPositive() != FALSE;
  // The document point in the middle of the window, from the canvas the
  // scroll position was set for (the canvas may have changed since).
  const CPoint scroll = GetDeviceScrollPosition();
  const int oldPerInchX = std::max(1, MulDiv64(ppi.cx, m_scaleSize.cx, kFullScale));
  const int oldPerInchY = std::max(1, MulDiv64(ppi.cy, m_scaleSize.cy, kFullScale));
  const long long acrossOld = MulDiv64(static_cast<long long>(scroll.x) + client.Width() / 2, 100, oldPerInchX);
  const long long downOld = MulDiv64(static_cast<long long>(scroll.y) + client.Height() / 2, 100, oldPerInchY);
  const CRect previous = m_scrolledCanvas;
  const long long centreX = previous.left + acrossOld;
  const long long centreY = upward ? previous.top - downOld : previous.top + downOld;

  const CSize size = SetScaleAndGetScrollSize(m_scaleSize);
  SetScrollSizes(MM_TEXT, size);
  if (!m_bInitialized || previous.IsRectNull()) return;
  const CRect canvas = m_pDiagram->GetRect();
  // The same document point back in the middle of the window.
  const int perInchX = MulDiv64(ppi.cx, m_scaleSize.cx, kFullScale);
  const int perInchY = MulDiv64(ppi.cy, m_scaleSize.cy, kFullScale);
  const long long fromLeft = centreX - canvas.left;
  const long long fromTop = upward ? canvas.top - centreY : centreY - canvas.top;
  const int x = MulDiv64(fromLeft, perInchX, 100) - client.Width() / 2;
  const int y = MulDiv64(fromTop, perInchY, 100) - client.Height() / 2;
  ScrollToPosition(CPoint(std::max(0, x), std::max(0, y)));
}

CSize CDrawView::GetScaleToFit(const CRect& rect) {
  const CRect canvas = GetDiagramRect();
  if (canvas.Width() <= 0 || canvas.Height() <= 0) return m_scaleSize;
  const CSize ppi = GetScreenPixelsPerInch();
  const long long sx = static_cast<long long>(rect.right) * 100 / canvas.Width() * kFullScale / ppi.cx;
  const long long sy = static_cast<long long>(rect.bottom) * 100 / canvas.Height() * kFullScale / ppi.cy;
  const int s = static_cast<int>(std::min(sx, sy));
  return CSize(s, s);
}

CSize CDrawView::GetScaleToFit() {
  CRect client;
  GetClientRect(client);
  return GetScaleToFit(client);
}

CSize CDrawView::GetScaleToWidth() {
  const CRect canvas = GetDiagramRect();
  if (canvas.Width() <= 0) return m_scaleSize;
  CRect client;
  GetClientRect(client);
  const CSize ppi = GetScreenPixelsPerInch();
  const int s = static_cast<int>(static_cast<long long>(client.Width()) * 100 / canvas.Width() * kFullScale / ppi.cx);
  return CSize(s, s);
}

void CDrawView::OnViewScaleToFit() {
  CRect client;
  GetClientRect(client);
  m_visibleDocRect = client;
  ClientToDoc(m_visibleDocRect);
  const CSize size = SetScaleAndGetScrollSize(GetScaleToFit());
  ScrollToPosition(CPoint(0, 0));
  SetScrollSizes(MM_TEXT, size);
  Invalidate(TRUE);
  UpdateBirdEyeAfterZoom();
}

void CDrawView::OnViewScaleToWidth() {
  CRect client;
  GetClientRect(client);
  m_visibleDocRect = client;
  ClientToDoc(m_visibleDocRect);
  const CSize size = SetScaleAndGetScrollSize(GetScaleToWidth());
  ScrollToPosition(CPoint(0, 0));
  SetScrollSizes(MM_TEXT, size);
  Invalidate(TRUE);
  UpdateBirdEyeAfterZoom();
}

void CDrawView::PanZoomTo(CRect rect) {
  CPoint centre = rect.CenterPoint();
  DocToClient(centre);
  rect.NormalizeRect();
  const CSize ppi = GetScreenPixelsPerInch();
  const long long width = static_cast<long long>(rect.Width()) * ppi.cx / 100;
  const long long height = static_cast<long long>(rect.Height()) * ppi.cy / 100;
  CRect client;
  GetClientRect(client);
  CSize scale(GetScaleMaxSize(), GetScaleMaxSize());
  if (width > 0 && height > 0) {
    scale.cx = static_cast<int>(std::min<long long>(kFullScale * static_cast<long long>(client.Width()) / width, INT_MAX));
    scale.cy =
        static_cast<int>(std::min<long long>(kFullScale * static_cast<long long>(client.Height()) / height, INT_MAX));
  }
  ScaleAndScroll(scale, centre);
}

void CDrawView::OnViewLastZoom() { PanZoomTo(m_visibleDocRect); }

CSize CDrawView::AutoScroll(CPoint point) {
  CRect zone;
  GetClientRect(zone);
  zone.DeflateRect(11, 11);
  constexpr int kLeast = 11;
  int dx = 0;
  if (point.x < zone.left) {
    dx = std::min(point.x - zone.left, -kLeast);
  } else if (point.x > zone.right) {
    dx = std::max(point.x - zone.right, kLeast);
  }
  // Near the scroll limit the view moves less than asked: the result is
  // what it moved.
  if (dx != 0) {
    const int before = GetDeviceScrollPosition().x;
    dx = OnScrollBy(CSize(dx, 0), TRUE) ? GetDeviceScrollPosition().x - before : 0;
  }
  int dy = 0;
  if (point.y < zone.top) {
    dy = std::min(point.y - zone.top, -kLeast);
  } else if (point.y > zone.bottom) {
    dy = std::max(point.y - zone.bottom, kLeast);
  }
  if (dy != 0) {
    const int before = GetDeviceScrollPosition().y;
    dy = OnScrollBy(CSize(0, dy), TRUE) ? GetDeviceScrollPosition().y - before : 0;
  }
  if (dx != 0 || dy != 0) m_bScrolling = TRUE;
  return CSize(dx, dy);
}

BOOL CDrawView::OnScroll(UINT scrollCode, UINT pos, BOOL doScroll) {
  // The message carries only 16 bits of the thumb position, both while the
  // thumb is dragged and where it is let go; the bar has all of it.
  auto thumb = [](BYTE code) { return code == SB_THUMBTRACK || code == SB_THUMBPOSITION; };
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  if (thumb(LOBYTE(scrollCode)) && GetScrollInfo(SB_HORZ, &info, SIF_TRACKPOS)) {
    pos = static_cast<UINT>(info.nTrackPos);
  } else if (thumb(HIBYTE(scrollCode)) && GetScrollInfo(SB_VERT, &info, SIF_TRACKPOS)) {
    pos = static_cast<UINT>(info.nTrackPos);
  }
  const BOOL scrolled = CScrollView::OnScroll(scrollCode, pos, doScroll);
  if (doScroll) UpdateBirdEyeTracker();
  return scrolled;
}

BOOL CDrawView::OnScrollBy(CSize sizeScroll, BOOL doScroll) {
  const BOOL scrolled = CScrollView::OnScrollBy(sizeScroll, doScroll);
  if (scrolled && doScroll) {
    UpdateActiveItem();
    UpdateBirdEyeTracker();
  }
  return scrolled;
}

void CDrawView::OnBirdEyeViewScroll(POINT point) { ScrollToPosition(point); }
