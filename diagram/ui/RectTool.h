// CRectTool: the tools that draw a line, a rectangle, a rounded rectangle or
// an ellipse by dragging from one corner to the other. Each drawing is one
// undo entry named after the shape; a click without a drag makes nothing.
#pragma once

#include "diagram/ui/DrawTool.h"

class CRectTool : public CDrawTool {
 public:
  // `shape` is dsLine, dsRect, dsRoundRect or dsEllipse.
  explicit CRectTool(DrawShape shape);

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnCancel(CDrawView* view) override;
};
