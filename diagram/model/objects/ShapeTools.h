// ShapeTools: the pen, brush and background with which a rectangle or a
// polygon paints itself. The constructor makes and selects them, the
// destructor puts the device context back as it was.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"

class CDC;
class CGdiObject;

// What a shape paints with: its pen, whether the outline is drawn, and its
// fill and hatch.
struct ShapeStyle {
  LOGPEN pen;
  BOOL penOn;
  BOOL fillOn;
  COLORREF fillColor;
  BOOL hatchOn;
  LONG hatchStyle;
  COLORREF hatchColor;
};

class ShapeTools {
 public:
  // The brush is the hatch when the hatch is on, else the fill colour; it is
  // selected when the fill or the hatch is on, else the null brush. The
  // background is the fill colour, opaque only when the fill is on, so a
  // hatch without fill shows only its lines. The pen is selected when the
  // outline is on, else the null pen.
  ShapeTools(CDC* dc, const ShapeStyle& style);
  ShapeTools(const ShapeTools&) = delete;
  ShapeTools& operator=(const ShapeTools&) = delete;
  ~ShapeTools();

  // False when the pen or the brush could not be made: nothing may be drawn.
  bool Ready() const { return m_ready; }

 private:
  CDC* m_dc;
  CPen m_pen;
  CBrush m_brush;
  bool m_ready = false;
  CGdiObject* m_oldPen = nullptr;
  CGdiObject* m_oldBrush = nullptr;
  int m_oldBkMode = 0;
  COLORREF m_oldBkColor = 0;
};
