#include "platform/core/Geometry.h"

#include <algorithm>
#include <cstdint>

BOOL SetRect(LPRECT r, int left, int top, int right, int bottom) {
  if (!r) return FALSE;
  *r = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT dst, LPCRECT src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL IsRectEmpty(LPCRECT r) { return !r || r->left >= r->right || r->top >= r->bottom; }

BOOL EqualRect(LPCRECT a, LPCRECT b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(LPCRECT r, POINT pt) {
  return r && pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
  return TRUE;
}

BOOL InflateRect(LPRECT r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a || !b) return FALSE;
  if (IsRectEmpty(a) || IsRectEmpty(b)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(dst);
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a || !b) return FALSE;
  bool aEmpty = IsRectEmpty(a), bEmpty = IsRectEmpty(b);
  if (aEmpty && bEmpty) {
    SetRectEmpty(dst);
    return FALSE;
  }
  if (aEmpty) {
    *dst = *b;
    return TRUE;
  }
  if (bEmpty) {
    *dst = *a;
    return TRUE;
  }
  *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
              std::max(a->bottom, b->bottom)};
  return TRUE;
}

BOOL SubtractRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a || !b) return FALSE;
  RECT r = *a;
  RECT cut;
  if (IntersectRect(&cut, a, b)) {
    bool fullWidth = cut.left == a->left && cut.right == a->right;
    bool fullHeight = cut.top == a->top && cut.bottom == a->bottom;
    if (fullWidth && fullHeight) {
      SetRectEmpty(dst);
      return FALSE;
    }
    if (fullWidth) {
      if (cut.top == a->top)
        r.top = cut.bottom;
      else if (cut.bottom == a->bottom)
        r.bottom = cut.top;
    } else if (fullHeight) {
      if (cut.left == a->left)
        r.left = cut.right;
      else if (cut.right == a->right)
        r.right = cut.left;
    }
  }
  *dst = r;
  return !IsRectEmpty(dst);
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t num = static_cast<int64_t>(a) * b;
  int64_t den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Round half away from zero.
  int64_t q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int>(q);
}

void CRect::NormalizeRect() {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}
