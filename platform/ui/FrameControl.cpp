// DrawFrameControl: the size grip of a window's bottom-right corner.
#include <algorithm>

#include "platform/gdi/Gdi32.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"

namespace {

// A 1-pixel diagonal from (x0, y1) up to (x1, y0), both ends inside.
void Diagonal(HDC dc, int x0, int y0, int x1, int y1) {
  ::MoveToEx(dc, x0, y1, nullptr);
  ::LineTo(dc, x1 + 1, y0 - 1);
}

BOOL DrawSizeGrip(HDC dc, const RECT& rect) {
  const int size = std::min(rect.right - rect.left, rect.bottom - rect.top);
  if (size <= 0) return TRUE;
  HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
  ::FillRect(dc, &rect, face);
  ::DeleteObject(face);
  HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
  HPEN dark = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
  HGDIOBJ old = ::SelectObject(dc, light);
  const int right = rect.right - 1;
  const int bottom = rect.bottom - 1;
  // Ridges every fourth pixel from the corner: a light line and two dark.
  for (int offset = 3; offset < size; offset += 4) {
    ::SelectObject(dc, light);
    Diagonal(dc, right - offset, bottom - offset, right, bottom);
    ::SelectObject(dc, dark);
    if (offset > 1) Diagonal(dc, right - offset + 1, bottom - offset + 1, right, bottom);
    if (offset > 2) Diagonal(dc, right - offset + 2, bottom - offset + 2, right, bottom);
  }
  ::SelectObject(dc, old);
  ::DeleteObject(light);
  ::DeleteObject(dark);
  return TRUE;
}

}  // namespace

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
  if (!dc || !rect) return FALSE;
  if (type == DFC_SCROLL && (state & 0xFF) == DFCS_SCROLLSIZEGRIP) return DrawSizeGrip(dc, *rect);
  return FALSE;
}
