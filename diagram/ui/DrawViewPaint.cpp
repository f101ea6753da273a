// How the view paints: through the off-screen bitmap on screen, straight
// onto the printer's context on paper. Only the invalid area is drawn and
// copied, and the grid is walked only where the area lies.
#include <algorithm>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/ui/DrawView.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/WindowApi.h"

namespace {

int Mod8(int value) { return ((value % 8) + 8) % 8; }

// The first multiple of `step` at or after `from`, counting from `base`
// (itself a multiple).
int FirstAtOrAfter(int base, int step, int from) {
  if (from <= base) return base;
  const long long steps = (static_cast<long long>(from) - base + step - 1) / step;
  return static_cast<int>(base + steps * step);
}

// The first multiple of `step` at or below `from`, counting down from
// `base`.
int FirstAtOrBelow(int base, int step, int from) {
  if (from >= base) return base;
  const long long steps = (static_cast<long long>(base) - from + step - 1) / step;
  return static_cast<int>(base - steps * step);
}

// Selects a pen into a device context for a scope and puts the old one back.
class PenScope {
 public:
  PenScope(CDC* dc, int style, int width, COLORREF color) : dc_(dc), pen_(style, width, color) {
    old_ = dc_->SelectObject(&pen_);
  }
  ~PenScope() { dc_->SelectObject(old_); }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

 private:
  CDC* dc_;
  CPen pen_;
  CPen* old_;
};

}  // namespace

void CDrawView::OnDraw(CDC* dc) {
  if (!m_pDiagram) return;
  CRect clip;
  const int region = dc->GetClipBox(clip);
  if (region == NULLREGION || region == ERROR) return;
  if (dc->IsPrinting() || !m_memDC.GetSafeHdc() || !m_memBitmap.GetSafeHandle()) {
    Draw(dc, clip);
    return;
  }

  // The device area to refresh.
  CRect area = clip;
  dc->LPtoDP(area);
  area.NormalizeRect();
  area.InflateRect(1, 1);
  CRect client;
  GetClientRect(client);
  if (!area.IntersectRect(area, client)) return;

  const int saved = m_memDC.SaveDC();
  OnPrepareDC(&m_memDC, nullptr);
  m_memDC.OffsetViewportOrg(-area.left, -area.top);
  // Hatches keep their phase relative to the canvas whatever part is drawn.
  const CPoint scroll = GetDeviceScrollPosition();
  m_memDC.SetBrushOrg(Mod8(-(area.left + scroll.x)), Mod8(-(area.top + scroll.y)));

  // The whole area is copied, so the whole of it is drawn: its rectangle in
  // document units, one unit more on every side (outward in the diagram's
  // y direction) so that rounding leaves no pixel out.
  CRect rect(0, 0, area.Width(), area.Height());
  m_memDC.DPtoLP(rect);
  const bool upward = m_pDiagram->IsUpwardPositive() != FALSE;
  rect.InflateRect(1, 0);
  if (upward) {
    rect.top += 1;
    rect.bottom -= 1;
  } else {
    rect.top -= 1;
    rect.bottom += 1;
  }
  m_memDC.IntersectClipRect(rect);
  Draw(&m_memDC, rect);

  m_memDC.RestoreDC(saved);
  dc->SetViewportOrg(0, 0);
  dc->SetWindowOrg(0, 0);
  dc->SetMapMode(MM_TEXT);
  dc->BitBlt(area.left, area.top, area.Width(), area.Height(), &m_memDC, 0, 0, SRCCOPY);
}

void CDrawView::Draw(CDC* dc, const CRect& rect) {
  if (!m_pDiagram) return;
  const CRect canvas = m_pDiagram->GetRect();
  const bool upward = m_pDiagram->IsUpwardPositive() != FALSE;
  // Cut at the canvas's right edge and its lower edge.
  CRect cut = rect;
  cut.right = std::min(cut.right, canvas.right);
  cut.bottom = upward ? std::max(cut.bottom, canvas.bottom) : std::min(cut.bottom, canvas.bottom);
  if (cut != rect) DrawWindowBackground(dc, rect);
  // Nothing of the canvas in the area: its background has nothing to fill.
  const bool onCanvas = cut.left < cut.right && (upward ? cut.bottom < cut.top : cut.top < cut.bottom);
  if (onCanvas) DrawDiagramBackground(dc, cut);
  if (!dc->IsPrinting()) DrawGridAndPageBoundaries(dc);
  m_pDiagram->Draw(dc, rect, this);
}

void CDrawView::DrawWindowBackground(CDC* dc, const CRect& rect) {
  CBrush brush(::GetSysColor(COLOR_WINDOW));
  dc->FillRect(rect, &brush);
}

void CDrawView::DrawDiagramBackground(CDC* dc, const CRect& rect) {
  const COLORREF paper = m_pDiagram ? m_pDiagram->GetPaperColor() : RGB(255, 255, 255);
  if (!m_bHatchedBackground) {
    CBrush brush(paper);
    dc->FillRect(rect, &brush);
    return;
  }
  CBrush brush(HS_BDIAGONAL, m_crGridColor);
  const COLORREF oldColor = dc->SetBkColor(paper);
  const int oldMode = dc->SetBkMode(OPAQUE);
  dc->FillRect(rect, &brush);
  dc->SetBkMode(oldMode);
  dc->SetBkColor(oldColor);
}

void CDrawView::DrawGridAndPageBoundaries(CDC* dc) {
  if (!m_pDiagram) return;
  const CRect canvas = m_pDiagram->GetRect();
  const bool upward = m_pDiagram->IsUpwardPositive() != FALSE;
  const bool centred = m_pDiagram->GetCanvasMode() == 0;
  const CPoint centre((canvas.left + canvas.right) / 2, (canvas.top + canvas.bottom) / 2);
  const COLORREF oldBk = dc->SetBkColor(m_pDiagram->GetPaperColor());

  // The part of the canvas the context can draw on; lines elsewhere would
  // be clipped away.
  CRect visible;
  if (dc->GetClipBox(visible) == NULLREGION) visible = canvas;
  visible.NormalizeRect();

  if (m_bShowGrid && centred) {
    PenScope pen(dc, PS_DASH, 1, m_crGridColor);
    dc->MoveTo(centre.x, canvas.top);
    dc->LineTo(centre.x, canvas.bottom);
    dc->MoveTo(canvas.left, centre.y);
    dc->LineTo(canvas.right, centre.y);
  }

  if (m_bShowGrid) {
    const CSize grid = m_pDiagram->GetGridSize();
    const CSize interval = m_pDiagram->GetGridLineInterval();
    const long long across = static_cast<long long>(grid.cx) * interval.cx;
    const long long down = static_cast<long long>(grid.cy) * interval.cy;
    // A spacing of zero would never advance.
    if (across > 0 && down > 0 && across <= INT_MAX && down <= INT_MAX) {
      PenScope pen(dc, PS_DOT, 1, m_crGridColor);
      const int dx = static_cast<int>(across);
      const int dy = static_cast<int>(down);
      // Vertical lines from the multiple at or toward zero from the left
      // edge.
      const int firstX = canvas.left / dx * dx;
      for (int x = FirstAtOrAfter(firstX, dx, visible.left); x < canvas.right && x <= visible.right; x += dx) {
        if (centred && x == centre.x) continue;
        dc->MoveTo(x, canvas.top);
        dc->LineTo(x, canvas.bottom);
      }
      // Horizontal lines from the multiple nearest the larger-y edge,
      // stepping toward the other edge.
      const int high = upward ? canvas.top : canvas.bottom;
      const int low = upward ? canvas.bottom : canvas.top;
      const int firstY = high / dy * dy;
      for (int y = FirstAtOrBelow(firstY, dy, visible.bottom); y > low && y >= visible.top; y -= dy) {
        if (centred && y == centre.y) continue;
        dc->MoveTo(canvas.left, y);
        dc->LineTo(canvas.right, y);
      }
    }
  }

  if (m_bShowPageBoundaries) {
    PenScope pen(dc, PS_SOLID, 2, m_crGridColor);
    const CSize page = m_pDiagram->GetPageSize();
    if (page.cx > 0) {
      for (long long x = canvas.left; x <= canvas.right; x += page.cx) {
        dc->MoveTo(static_cast<int>(x), canvas.top);
        dc->LineTo(static_cast<int>(x), canvas.bottom);
      }
    }
    if (page.cy > 0) {
      for (long long y = canvas.top; upward ? y >= canvas.bottom : y <= canvas.bottom; y += upward ? -page.cy : page.cy) {
        dc->MoveTo(canvas.left, static_cast<int>(y));
        dc->LineTo(canvas.right, static_cast<int>(y));
      }
    }
    dc->MoveTo(canvas.left, canvas.top);
    dc->LineTo(canvas.right, canvas.top);
    dc->LineTo(canvas.right, canvas.bottom);
    dc->LineTo(canvas.left, canvas.bottom);
    dc->LineTo(canvas.left, canvas.top);
  }
  dc->SetBkColor(oldBk);
}
