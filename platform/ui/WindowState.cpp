// Visibility, enabled state, geometry and invalidation of windows.
#include <algorithm>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowRegistry.h"

using platform::FindWindowRecord;
using platform::R;
using platform::WindowRecord;

// --- Visibility and state ----------------------------------------------------

BOOL ShowWindow(HWND hwnd, int cmd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE;
  DWORD sizeState = w->style & (WS_MINIMIZE | WS_MAXIMIZE);
  DWORD newState = sizeState;
  switch (cmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      newState = WS_MINIMIZE;
      break;
    case SW_SHOWMAXIMIZED:
      newState = WS_MAXIMIZE;
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      newState = 0;
      break;
    default:
      break;
  }
  if (newState != sizeState) {
    if (sizeState == 0) w->normalRect = w->rect;
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | newState;
    if (newState == WS_MAXIMIZE) {
      RECT area{0, 0, R().screenWidth, R().screenHeight};
      if (w->parent) GetClientRect(w->parent, &area);
      w->rect = area;
    } else {
      w->rect = w->normalRect;
    }
    platform::ResizeSurface(*w);
    platform::SendSizeAndMove(*w);
    if (!(w = FindWindowRecord(hwnd))) return wasVisible;
  }
  if (show != static_cast<bool>(wasVisible)) {
    SendMessageW(hwnd, WM_SHOWWINDOW, show, 0);
    if (!(w = FindWindowRecord(hwnd))) return wasVisible;
    if (show) {
      w->style |= WS_VISIBLE;
      platform::AddUpdate(*w, nullptr, true);
    } else {
      w->style &= ~WS_VISIBLE;
      if (w->parent) InvalidateRect(w->parent, &w->rect, TRUE);
    }
  }
  if (show && !(w->style & WS_CHILD) && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE)
    SetActiveWindow(hwnd);
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  while (w) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!(w->style & WS_CHILD) || !w->parent) return TRUE;
    w = FindWindowRecord(w->parent);
  }
  return FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (static_cast<bool>(enable) == !wasDisabled) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    if (R().focus && platform::IsDescendantOf(R().focus, hwnd)) SetFocus(nullptr);
    if (R().capture && platform::IsDescendantOf(R().capture, hwnd)) ReleaseCapture();
  }
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return w && (w->style & WS_MAXIMIZE);
}

// --- Geometry ----------------------------------------------------------------

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  if (hwnd == platform::kDesktop) {
    *rect = RECT{0, 0, R().screenWidth, R().screenHeight};
    return TRUE;
  }
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  *rect = platform::ScreenRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  if (hwnd == platform::kDesktop) {
    *rect = RECT{0, 0, R().screenWidth, R().screenHeight};
    return TRUE;
  }
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  RECT c = platform::ClientAreaInWindow(*w);
  *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

namespace platform {
namespace {
// The screen position of a window's client origin.
bool ClientOrigin(HWND hwnd, POINT& origin) {
  if (hwnd == kDesktop || !hwnd) {
    origin = POINT{0, 0};
    return true;
  }
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return false;
  RECT screen = ScreenRect(*w);
  RECT client = ClientAreaInWindow(*w);
  origin = POINT{screen.left + client.left, screen.top + client.top};
  return true;
}
}  // namespace
}  // namespace platform

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  POINT origin;
  if (!point || !platform::ClientOrigin(hwnd, origin)) return FALSE;
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  POINT origin;
  if (!point || !platform::ClientOrigin(hwnd, origin)) return FALSE;
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a, b;
  if (!platform::ClientOrigin(from, a) || !platform::ClientOrigin(to, b)) return 0;
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) pos.x = w->rect.left, pos.y = w->rect.top;
  if (flags & SWP_NOSIZE) pos.cx = w->rect.right - w->rect.left, pos.cy = w->rect.bottom - w->rect.top;
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = FindWindowRecord(hwnd))) return FALSE;
  }
  RECT old = w->rect;
  RECT now{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized = (now.right - now.left) != (old.right - old.left) || (now.bottom - now.top) != (old.bottom - old.top);
  if (!moved) pos.flags |= SWP_NOMOVE;
  if (!sized) pos.flags |= SWP_NOSIZE;
  w->rect = now;
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = now;
  if (!(flags & SWP_NOZORDER)) {
    std::vector<HWND>& siblings = platform::SiblingList(*w);
    platform::RemoveFrom(siblings, hwnd);
    if (insertAfter == HWND_BOTTOM) {
      siblings.push_back(hwnd);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
      siblings.insert(siblings.begin(), hwnd);
    } else {
      auto it = std::find(siblings.begin(), siblings.end(), insertAfter);
      siblings.insert(it == siblings.end() ? siblings.begin() : it + 1, hwnd);
    }
  }
  if (sized) platform::ResizeSurface(*w);
  if (sized && !(flags & SWP_NOREDRAW)) platform::AddUpdate(*w, nullptr, true);
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  if (moved || sized || !(flags & SWP_NOZORDER))
    if (IsWindow(hwnd)) SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (!(flags & SWP_NOACTIVATE) && IsWindow(hwnd) && !(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) &&
      IsWindowVisible(hwnd))
    SetActiveWindow(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !placement) return FALSE;
  placement->flags = 0;
  placement->showCmd = !(w->style & WS_VISIBLE)   ? SW_HIDE
                       : (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                  : SW_SHOWNORMAL;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !placement) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
    w->normalRect = r;
  } else {
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(hwnd, static_cast<int>(placement->showCmd));
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
  if (!rect) return FALSE;
  int border = platform::NonClientBorder(style, exStyle);
  rect->left -= border;
  rect->right += border;
  rect->top -= border + platform::CaptionHeight(style, exStyle);
  rect->bottom += border;
  return TRUE;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  WindowRecord* w = FindWindowRecord(parent);
  if (!w) return nullptr;
  RECT client;
  GetClientRect(parent, &client);
  if (!PtInRect(&client, point)) return nullptr;
  for (HWND c : w->children) {
    WindowRecord* child = FindWindowRecord(c);
    if (child && PtInRect(&child->rect, point)) return c;
  }
  return parent;
}

HWND WindowFromPoint(POINT point) {
  for (HWND top : R().topLevel) {
    WindowRecord* w = FindWindowRecord(top);
    if (!w || !(w->style & WS_VISIBLE) || !PtInRect(&w->rect, point)) continue;
    HWND found = top;
    for (;;) {
      POINT local = point;
      ScreenToClient(found, &local);
      WindowRecord* f = FindWindowRecord(found);
      HWND next = nullptr;
      for (HWND c : f->children) {
        WindowRecord* child = FindWindowRecord(c);
        if (child && (child->style & WS_VISIBLE) && PtInRect(&child->rect, local)) {
          next = c;
          break;
        }
      }
      if (!next) return found;
      found = next;
    }
  }
  return nullptr;
}

// --- Painting ----------------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase) {
  if (!hwnd) return FALSE;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  platform::AddUpdate(*w, rect, erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, LPCRECT rect) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    w->update = platform::Region();
    w->updateErase = false;
    w->internalPaint = false;
    return TRUE;
  }
  w->update = platform::Region::Combine(w->update, platform::Region::FromRect(*rect), RGN_DIFF);
  if (w->update.IsEmpty()) w->updateErase = false;
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  const RECT bounds = w->update.Bounds();
  if (rect) *rect = bounds;
  return !IsRectEmpty(&bounds);
}

BOOL UpdateWindow(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  if (!w->update.IsEmpty() && IsWindowVisible(hwnd)) SendMessageW(hwnd, WM_PAINT, 0, 0);
  if ((w = FindWindowRecord(hwnd)))
    for (HWND c : std::vector<HWND>(w->children)) UpdateWindow(c);
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN, UINT flags) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  if (flags & RDW_INVALIDATE) platform::AddUpdate(*w, rect, (flags & RDW_ERASE) != 0);
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) ValidateRect(hwnd, rect);
  if (flags & RDW_ALLCHILDREN)
    for (HWND c : std::vector<HWND>(w->children)) RedrawWindow(c, nullptr, nullptr, flags & ~RDW_UPDATENOW);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(hwnd);
  return TRUE;
}
