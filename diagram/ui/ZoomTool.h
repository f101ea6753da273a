// CZoomTool: the tool that zooms the view to a rectangle dragged with the
// mouse (shown as a focus rectangle while dragging).
#pragma once

#include "diagram/ui/DrawTool.h"

class CZoomTool : public CDrawTool {
 public:
  CZoomTool();

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnCancel(CDrawView* view) override;

  // The magnifying-glass cursor of the framework, loaded on first use.
  static constexpr unsigned kZoomCursor = 30978;

 protected:
  // Draws (XOR) the rectangle from the start point to the client point.
  static void DrawZoomRect(CDrawView* view, const CPoint& to);
  void LoadCursorOnFirstUse();

  BOOL m_bCursorLoaded = FALSE;
  // The document point the rectangle started from.
  static CPoint c_start;
};
