// CScrollView: a view larger than its window. SetScrollSizes gives the
// size of what the view shows (in the units of a fixed mapping mode), and
// the steps of a page and a line; the window's scroll bars appear when the
// total does not fit the client area, and their positions are the view's
// scroll position in device pixels. Scrolling moves the window's pixels and
// invalidates what comes into view; OnPrepareDC moves the viewport origin
// by the scroll position, so OnDraw draws in the view's own coordinates.
#pragma once

#include "platform/core/Geometry.h"
#include "platform/ui/View.h"

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)

 public:
  // The page and line sizes that SetScrollSizes computes: a tenth of the
  // total and a tenth of the page.
  static const SIZE sizeDefault;

  // `mapMode` is a fixed mapping mode (MM_TEXT, MM_LOMETRIC, ...); the
  // sizes are in its logical units. Updates the bars, keeping the position
  // inside the new limits.
  void SetScrollSizes(int mapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);

  // The scroll position in logical units and in device pixels.
  CPoint GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const;
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& mapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  // Scrolls so that logical `pt` is at the top-left corner, within the limits.
  void ScrollToPosition(POINT pt);

  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  // The scroll-bar codes: SB_LINEUP/DOWN by the line size, SB_PAGEUP/DOWN by
  // the page size, SB_TOP/BOTTOM to the ends, SB_THUMBTRACK and
  // SB_THUMBPOSITION to `pos`; others do nothing. Repaints after scrolling.
  BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE) override;
  // Scrolls by a distance in device pixels, clamped to the bars' limits; an
  // axis without a bar does not scroll. False when nothing would move.
  BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE) override;

 protected:
  CScrollView() = default;

  // Scrolls to a device position (already within the limits).
  void ScrollToDevicePosition(POINT ptDev);
  // Shows the bars the total needs in the client area and sets their range
  // and page; the position is first brought within the new limits.
  void UpdateBars();
  // The client size without the window's bars, and the bars' sizes; false
  // when the bars would not fit.
  BOOL GetTrueClientSize(CSize& size, CSize& sizeSb);

  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

  int m_nMapMode = 0;  // 0 until SetScrollSizes
  CSize m_totalLog{0, 0};
  CSize m_totalDev{0, 0};
  CSize m_pageDev{0, 0};
  CSize m_lineDev{0, 0};
  BOOL m_bInsideUpdate = FALSE;

  DECLARE_MESSAGE_MAP()
};
