// CRectTracker: the outline a container draws around an item: a solid or
// dotted line, a hatched border band, a hatched interior and resize
// handles, as m_nStyle says. It draws in device units: Draw resets the DC's
// mapping to pixels for the drawing and puts it back.
#pragma once

#include "platform/core/Geometry.h"

class CDC;

class CRectTracker {
 public:
  enum StyleFlags {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4,
    resizeInside = 8,
    resizeOutside = 16,
    hatchInside = 32,
  };

  CRectTracker() = default;
  CRectTracker(LPCRECT rect, UINT style) : m_rect(rect), m_nStyle(style) {}

  CRect m_rect;
  UINT m_nStyle = 0;
  int m_nHandleSize = 4;

  void Draw(CDC* dc) const;
};
