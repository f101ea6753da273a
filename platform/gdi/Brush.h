// CBrush: solid, hatched (HS_ styles, drawn from the DC's brush origin),
// pattern (a copy of a bitmap, tiled from the brush origin) and null brushes.
#pragma once

#include "platform/gdi/GdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)

 public:
  CBrush() = default;
  explicit CBrush(COLORREF color);
  CBrush(int hatchIndex, COLORREF color);
  explicit CBrush(CBitmap* bitmap);

  static CBrush* FromHandle(HBRUSH h);
  operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }

  BOOL CreateSolidBrush(COLORREF color);
  BOOL CreateHatchBrush(int index, COLORREF color);
  BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
  // The brush copies the bitmap's pixels: the bitmap may be deleted after.
  BOOL CreatePatternBrush(CBitmap* bitmap);
  int GetLogBrush(LOGBRUSH* logBrush) const;
};
