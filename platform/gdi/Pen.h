// CPen: a pen of a style (PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT,
// PS_NULL, PS_INSIDEFRAME), a width in logical units (0: one pixel) and a
// colour.
#pragma once

#include "platform/gdi/GdiObject.h"

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)

 public:
  CPen() = default;
  // Creates the pen at once.
  CPen(int style, int width, COLORREF color);

  static CPen* FromHandle(HPEN h);
  operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }

  BOOL CreatePen(int style, int width, COLORREF color);
  BOOL CreatePenIndirect(const LOGPEN* logPen);
  int GetLogPen(LOGPEN* logPen) const;
};
