// CTextTool: the tool that places a text object at a click and opens its
// text dialog at once; the placing is one undo entry ("Add Text"), and none
// remains when the dialog takes the text off the diagram again.
#pragma once

#include "diagram/ui/DrawTool.h"

class CTextTool : public CDrawTool {
 public:
  CTextTool();

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;
};
