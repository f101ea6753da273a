// CMonitorTool: a click on a block or a port toggles whether it monitors
// its value. No capture, no undo entry.
#pragma once

#include "diagram/ui/DrawTool.h"

class CMonitorTool : public CDrawTool {
 public:
  CMonitorTool();

  void OnLButtonDown(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnLButtonUp(CDrawView* view, unsigned flags, const CPoint& point) override;
  void OnMouseMove(CDrawView* view, unsigned flags, const CPoint& point) override;

  // The tool's cursor, loaded on first use.
  static constexpr unsigned kMonitorCursor = 28135;

 protected:
  BOOL m_bCursorLoaded = FALSE;
};
