#include "platform/ui/ScrollView.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/core/Exceptions.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowDC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

// A size in the logical units of a fixed mapping mode, in screen pixels
// (both components positive).
CSize ToDevice(int mapMode, SIZE size) {
  CSize dev(size);
  if (mapMode != MM_TEXT) {
    CClientDC dc(nullptr);
    dc.SetMapMode(mapMode);
    dc.LPtoDP(&dev);
  }
  return CSize(dev.cx < 0 ? -dev.cx : dev.cx, dev.cy < 0 ? -dev.cy : dev.cy);
}

int Clamp(int64_t value, int low, int high) { return static_cast<int>(std::clamp<int64_t>(value, low, high)); }

}  // namespace

void CScrollView::SetScrollSizes(int mapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  if (mapMode <= 0 || mapMode == MM_ISOTROPIC || mapMode == MM_ANISOTROPIC || mapMode > MM_ANISOTROPIC)
    throw CInvalidArgException();
  if (sizeTotal.cx < 0 || sizeTotal.cy < 0) throw CInvalidArgException();
  const int oldMapMode = m_nMapMode;
  m_nMapMode = mapMode;
  m_totalLog = sizeTotal;
  m_totalDev = ToDevice(mapMode, sizeTotal);
  m_pageDev = ToDevice(mapMode, sizePage);
  m_lineDev = ToDevice(mapMode, sizeLine);
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  if (m_hWnd) {
    UpdateBars();
    if (oldMapMode != m_nMapMode) Invalidate(TRUE);
  }
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode > 0 && m_nMapMode != MM_TEXT) {
    CClientDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    dc.DPtoLP(&pt);
  }
  return pt;
}

void CScrollView::GetDeviceScrollSizes(int& mapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  mapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

void CScrollView::ScrollToPosition(POINT pt) {
  CPoint dev(pt);
  if (m_nMapMode > 0 && m_nMapMode != MM_TEXT) {
    CClientDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    dc.LPtoDP(&dev);
  }
  dev.x = std::clamp<int>(dev.x, 0, std::max(0, GetScrollLimit(SB_HORZ)));
  dev.y = std::clamp<int>(dev.y, 0, std::max(0, GetScrollLimit(SB_VERT)));
  ScrollToDevicePosition(dev);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
  const int xOrig = GetScrollPos(SB_HORZ);
  SetScrollPos(SB_HORZ, ptDev.x);
  const int yOrig = GetScrollPos(SB_VERT);
  SetScrollPos(SB_VERT, ptDev.y);
  // The bars clamp what they cannot take; the pixels move as far as the
  // bars did.
  ScrollWindow(xOrig - GetScrollPos(SB_HORZ), yOrig - GetScrollPos(SB_VERT));
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  if (m_nMapMode > 0) dc->SetMapMode(m_nMapMode);
  CPoint origin(0, 0);
  if (!dc->IsPrinting()) origin = -GetDeviceScrollPosition();
  dc->SetViewportOrg(origin);
  CView::OnPrepareDC(dc, info);
}

BOOL CScrollView::GetTrueClientSize(CSize& size, CSize& sizeSb) {
  CRect client;
  GetClientRect(&client);
  size = client.Size();
  sizeSb = CSize(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  const DWORD style = GetStyle();
  if (style & WS_VSCROLL) size.cx += sizeSb.cx;
  if (style & WS_HSCROLL) size.cy += sizeSb.cy;
  return size.cx > sizeSb.cx && size.cy > sizeSb.cy;
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate || m_nMapMode == 0) return;
  // Showing or hiding a bar resizes the window, whose WM_SIZE comes back
  // here: the outer call finishes the work.
  m_bInsideUpdate = TRUE;
  struct Reset {
    BOOL& flag;
    ~Reset() { flag = FALSE; }
  } reset{m_bInsideUpdate};

  CSize size, sizeSb;
  if (!GetTrueClientSize(size, sizeSb)) {
    CRect client;
    GetClientRect(&client);
    if (client.right > 0 && client.bottom > 0) EnableScrollBarCtrl(SB_BOTH, FALSE);
    return;
  }
  // A bar takes room from the other direction, which may then need its bar
  // too.
  bool needH = m_totalDev.cx > size.cx;
  bool needV = m_totalDev.cy > size.cy;
  if (needV && !needH) needH = m_totalDev.cx > size.cx - sizeSb.cx;
  if (needH && !needV) needV = m_totalDev.cy > size.cy - sizeSb.cy;
  const CSize client(size.cx - (needV ? sizeSb.cx : 0), size.cy - (needH ? sizeSb.cy : 0));

  CPoint move = GetDeviceScrollPosition();
  move.x = needH ? std::clamp<int>(move.x, 0, m_totalDev.cx - client.cx) : 0;
  move.y = needV ? std::clamp<int>(move.y, 0, m_totalDev.cy - client.cy) : 0;
  ScrollToDevicePosition(move);

  SCROLLINFO info{};
  info.fMask = SIF_PAGE | SIF_RANGE;
  info.nMin = 0;
  info.nMax = needH ? m_totalDev.cx - 1 : 0;
  info.nPage = needH ? static_cast<UINT>(client.cx) : 0;
  SetScrollInfo(SB_HORZ, &info, TRUE);
  EnableScrollBarCtrl(SB_HORZ, needH);
  info.nMax = needV ? m_totalDev.cy - 1 : 0;
  info.nPage = needV ? static_cast<UINT>(client.cy) : 0;
  SetScrollInfo(SB_VERT, &info, TRUE);
  EnableScrollBarCtrl(SB_VERT, needV);
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  UpdateBars();
}

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar*) { OnScroll(MAKEWORD(code, 0xFF), pos); }

void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar*) { OnScroll(MAKEWORD(0xFF, code), pos); }

namespace {

// The position a scroll-bar code leads to from `current`; `current` itself
// for codes that do not move.
int64_t Target(BYTE code, int current, UINT pos, int page, int line) {
  switch (code) {
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return INT_MAX;
    case SB_LINEUP:
      return int64_t(current) - line;
    case SB_LINEDOWN:
      return int64_t(current) + line;
    case SB_PAGEUP:
      return int64_t(current) - page;
    case SB_PAGEDOWN:
      return int64_t(current) + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return static_cast<int>(pos);
    default:
      return current;
  }
}

}  // namespace

BOOL CScrollView::OnScroll(UINT scrollCode, UINT pos, BOOL doScroll) {
  const int x = GetScrollPos(SB_HORZ);
  const int y = GetScrollPos(SB_VERT);
  const int64_t dx = Target(LOBYTE(scrollCode), x, pos, m_pageDev.cx, m_lineDev.cx) - x;
  const int64_t dy = Target(HIBYTE(scrollCode), y, pos, m_pageDev.cy, m_lineDev.cy) - y;
  const BOOL result = OnScrollBy(CSize(Clamp(dx, INT_MIN, INT_MAX), Clamp(dy, INT_MIN, INT_MAX)), doScroll);
  if (result && doScroll) UpdateWindow();
  return result;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL doScroll) {
  const DWORD style = GetStyle();
  if (!(style & WS_VSCROLL)) sizeScroll.cy = 0;
  if (!(style & WS_HSCROLL)) sizeScroll.cx = 0;
  const int xOrig = GetScrollPos(SB_HORZ);
  const int yOrig = GetScrollPos(SB_VERT);
  const int x = Clamp(int64_t(xOrig) + sizeScroll.cx, 0, std::max(0, GetScrollLimit(SB_HORZ)));
  const int y = Clamp(int64_t(yOrig) + sizeScroll.cy, 0, std::max(0, GetScrollLimit(SB_VERT)));
  if (x == xOrig && y == yOrig) return FALSE;
  if (doScroll) {
    ScrollWindow(xOrig - x, yOrig - y);
    if (x != xOrig) SetScrollPos(SB_HORZ, x);
    if (y != yOrig) SetScrollPos(SB_VERT, y);
  }
  return TRUE;
}
