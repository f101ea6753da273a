#include "platform/ui/RectTracker.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Pen.h"

void CRectTracker::Draw(CDC* dc) const {
  if (!dc) return;
  const int saved = dc->SaveDC();
  dc->SetMapMode(MM_TEXT);
  dc->SetViewportOrg(0, 0);
  dc->SetWindowOrg(0, 0);
  CRect rect(m_rect);
  rect.NormalizeRect();
  dc->SetBkMode(TRANSPARENT);
  dc->SelectStockObject(NULL_BRUSH);
  if (m_nStyle & (solidLine | dottedLine)) {
    CPen pen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old = dc->SelectObject(&pen);
    dc->Rectangle(&rect);
    dc->SelectObject(old);
  }
  CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
  if (m_nStyle & hatchInside) {
    CBrush* old = dc->SelectObject(&hatch);
    dc->SelectStockObject(NULL_PEN);
    dc->Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    dc->SelectObject(old);
  }
  if (m_nStyle & hatchedBorder) {
    // A band of the handle size outside the rectangle.
    const int band = m_nHandleSize;
    const CRect bands[4] = {CRect(rect.left - band, rect.top - band, rect.right + band, rect.top),
                            CRect(rect.left - band, rect.bottom, rect.right + band, rect.bottom + band),
                            CRect(rect.left - band, rect.top, rect.left, rect.bottom),
                            CRect(rect.right, rect.top, rect.right + band, rect.bottom)};
    for (const CRect& part : bands) dc->FillRect(&part, &hatch);
  }
  if (m_nStyle & (resizeInside | resizeOutside)) {
    const int size = m_nHandleSize;
    const int shift = (m_nStyle & resizeOutside) ? size : 0;
    const int xs[3] = {rect.left - shift, (rect.left + rect.right - size) / 2, rect.right - size + shift};
    const int ys[3] = {rect.top - shift, (rect.top + rect.bottom - size) / 2, rect.bottom - size + shift};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        if (i == 1 && j == 1) continue;
        dc->FillSolidRect(xs[i], ys[j], size, size, RGB(0, 0, 0));
      }
    }
  }
  dc->RestoreDC(saved);
}
