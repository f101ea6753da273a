// CRgn: a region of pixels (rectangle, rounded rectangle, ellipse, polygon
// under ALTERNATE or WINDING filling, and their combinations). As on
// Windows, CombineRgn writes into a region that already exists.
#pragma once

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Region.h"

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)

 public:
  static CRgn* FromHandle(HRGN h);
  operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT rect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT rect);
  BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
  BOOL CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons, int fillMode);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
  // Sets this region to a rectangle.
  void SetRectRgn(int x1, int y1, int x2, int y2);
  void SetRectRgn(LPCRECT rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }

  // this = a op b; returns NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
  int CombineRgn(const CRgn* a, const CRgn* b, int mode);
  int CopyRgn(const CRgn* source);
  BOOL EqualRgn(const CRgn* other) const;
  int OffsetRgn(int dx, int dy);
  int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
  int GetRgnBox(LPRECT rect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
  BOOL RectInRegion(LPCRECT rect) const;
  // The region's pixels (empty for a region not created), for the DC.
  platform::Region GetRegion() const;

 private:
  BOOL Create(platform::Region region);
};
