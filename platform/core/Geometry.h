// Points, sizes and rectangles with the framework's semantics: rectangles may
// be unnormalised, a rectangle with no positive width or height is empty, and
// PtInRect is half-open (the right and bottom edges are outside).
#pragma once

#include "platform/core/WinTypes.h"

// The Win32 rectangle functions.
BOOL SetRect(LPRECT r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT r);
BOOL CopyRect(LPRECT dst, LPCRECT src);
BOOL IsRectEmpty(LPCRECT r);
BOOL EqualRect(LPCRECT a, LPCRECT b);
BOOL PtInRect(LPCRECT r, POINT pt);
BOOL OffsetRect(LPRECT r, int dx, int dy);
BOOL InflateRect(LPRECT r, int dx, int dy);
// The intersection; when it is empty, or either rectangle is empty, the
// result is (0,0,0,0) and the return is FALSE.
BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b);
// The smallest rectangle holding both; an empty rectangle is ignored, and the
// result is (0,0,0,0) with FALSE when both are empty.
BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b);
// `a` less `b` where `b` covers a whole side of `a`; otherwise `a` itself.
BOOL SubtractRect(LPRECT dst, LPCRECT a, LPCRECT b);
// a * b / c rounded to the nearest integer (halves away from zero), computed
// in 64 bits; -1 when c is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

class CSize;
class CPoint;
class CRect;

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int x, int y) : SIZE{x, y} {}
  CSize(SIZE s) : SIZE(s) {}
  explicit CSize(POINT p) : SIZE{p.x, p.y} {}

  BOOL operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  BOOL operator!=(SIZE s) const { return !(*this == s); }
  void operator+=(SIZE s) { cx += s.cx; cy += s.cy; }
  void operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; }
  void SetSize(int x, int y) { cx = x; cy = y; }

  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  CPoint operator+(POINT p) const;
  CPoint operator-(POINT p) const;
  CRect operator+(LPCRECT r) const;
  CRect operator-(LPCRECT r) const;
};

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int x, int y) : POINT{x, y} {}
  CPoint(POINT p) : POINT(p) {}
  CPoint(SIZE s) : POINT{s.cx, s.cy} {}
  // A point packed in a message parameter: x in the low word, y in the high.
  explicit CPoint(DWORD packed) : POINT{(SHORT)LOWORD(packed), (SHORT)HIWORD(packed)} {}

  void Offset(int dx, int dy) { x += dx; y += dy; }
  void Offset(POINT p) { Offset(p.x, p.y); }
  void Offset(SIZE s) { Offset(s.cx, s.cy); }
  void SetPoint(int nx, int ny) { x = nx; y = ny; }

  BOOL operator==(POINT p) const { return x == p.x && y == p.y; }
  BOOL operator!=(POINT p) const { return !(*this == p); }
  void operator+=(SIZE s) { Offset(s); }
  void operator-=(SIZE s) { Offset(-s.cx, -s.cy); }
  void operator+=(POINT p) { Offset(p); }
  void operator-=(POINT p) { Offset(-p.x, -p.y); }

  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
  CRect operator+(LPCRECT r) const;
  CRect operator-(LPCRECT r) const;
};

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}
  CRect(LPCRECT r) : RECT(*r) {}
  CRect(POINT p, SIZE s) : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
  CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
  CPoint& BottomRight() { return *(reinterpret_cast<CPoint*>(this) + 1); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
  const CPoint& BottomRight() const { return *(reinterpret_cast<const CPoint*>(this) + 1); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }
  BOOL EqualRect(LPCRECT r) const { return ::EqualRect(this, r); }

  void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
  void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() { ::SetRectEmpty(this); }
  void CopyRect(LPCRECT r) { ::CopyRect(this, r); }

  void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
  void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
  void InflateRect(LPCRECT r) { left -= r->left; top -= r->top; right += r->right; bottom += r->bottom; }
  void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int x, int y) { InflateRect(-x, -y); }
  void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
  void DeflateRect(LPCRECT r) { left += r->left; top += r->top; right -= r->right; bottom -= r->bottom; }
  void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }

  void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
  void MoveToX(int x) { right = Width() + x; left = x; }
  void MoveToY(int y) { bottom = Height() + y; top = y; }
  void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
  void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }
  // Swaps the edges so that left <= right and top <= bottom.
  void NormalizeRect();

  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(LPCRECT a, LPCRECT b) { return ::SubtractRect(this, a, b); }

  void operator=(const RECT& r) { ::CopyRect(this, &r); }
  BOOL operator==(const RECT& r) const { return ::EqualRect(this, &r); }
  BOOL operator!=(const RECT& r) const { return !::EqualRect(this, &r); }
  void operator+=(POINT p) { OffsetRect(p); }
  void operator+=(SIZE s) { OffsetRect(s); }
  void operator+=(LPCRECT r) { InflateRect(r); }
  void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
  void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
  void operator-=(LPCRECT r) { DeflateRect(r); }
  void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
  void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }

  CRect operator+(POINT p) const { CRect r(*this); r.OffsetRect(p); return r; }
  CRect operator-(POINT p) const { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
  CRect operator+(SIZE s) const { CRect r(*this); r.OffsetRect(s); return r; }
  CRect operator-(SIZE s) const { CRect r(*this); r.OffsetRect(-s.cx, -s.cy); return r; }
  CRect operator+(LPCRECT o) const { CRect r(*this); r.InflateRect(o); return r; }
  CRect operator-(LPCRECT o) const { CRect r(*this); r.DeflateRect(o); return r; }
  CRect operator&(const RECT& o) const { CRect r; ::IntersectRect(&r, this, &o); return r; }
  CRect operator|(const RECT& o) const { CRect r; ::UnionRect(&r, this, &o); return r; }
  CRect MulDiv(int mul, int div) const {
    return CRect(::MulDiv(left, mul, div), ::MulDiv(top, mul, div), ::MulDiv(right, mul, div),
                 ::MulDiv(bottom, mul, div));
  }
};

inline CPoint CSize::operator+(POINT p) const { return CPoint(cx + p.x, cy + p.y); }
inline CPoint CSize::operator-(POINT p) const { return CPoint(cx - p.x, cy - p.y); }
inline CRect CSize::operator+(LPCRECT r) const { return CRect(r) + *this; }
inline CRect CSize::operator-(LPCRECT r) const { return CRect(r) - *this; }
inline CRect CPoint::operator+(LPCRECT r) const { return CRect(r) + *this; }
inline CRect CPoint::operator-(LPCRECT r) const { return CRect(r) - *this; }
