// The scroll bars of windows: the state of a window's own horizontal and
// vertical bars, shown or hidden with what they can scroll, and the
// scroll-bar controls reached through their messages.
#include "platform/core/Geometry.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowRegistry.h"

using platform::FindWindowRecord;
using platform::ScrollBarState;
using platform::WindowRecord;

namespace {

ScrollBarState* BarOf(HWND hwnd, int bar) {
  if (bar != SB_HORZ && bar != SB_VERT) return nullptr;
  WindowRecord* w = FindWindowRecord(hwnd);
  return w ? &w->scrollBars[bar] : nullptr;
}

// Adds or removes WS_HSCROLL / WS_VSCROLL. The client area changes: a strip
// the bar leaves free is invalidated, and the window hears its new size.
void SetBarVisible(HWND hwnd, int bar, bool show) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return;
  const DWORD bit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  if (((w->style & bit) != 0) == show) return;
  const RECT before = platform::ClientAreaInWindow(*w);
  w->style ^= bit;
  const RECT after = platform::ClientAreaInWindow(*w);
  platform::ResizeSurface(*w);
  const int oldWidth = before.right - before.left, oldHeight = before.bottom - before.top;
  const int width = after.right - after.left, height = after.bottom - after.top;
  if (width > oldWidth) {
    RECT strip{oldWidth, 0, width, height};
    platform::AddUpdate(*w, &strip, true);
  }
  if (height > oldHeight) {
    RECT strip{0, oldHeight, width, height};
    platform::AddUpdate(*w, &strip, true);
  }
  if (width != oldWidth || height != oldHeight) platform::SendSizeAndMove(*w);
}

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL) {
  if (!info) return 0;
  if (bar == SB_CTL)
    return static_cast<int>(SendMessageW(hwnd, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(info)));
  ScrollBarState* state = BarOf(hwnd, bar);
  if (!state) return 0;
  const int pos = state->Set(*info);
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    const bool canScroll = state->CanScroll();
    if (info->fMask & SIF_DISABLENOSCROLL) {
      state->arrows = canScroll ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
      SetBarVisible(hwnd, bar, true);
    } else {
      SetBarVisible(hwnd, bar, canScroll);
    }
  }
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  if (!info || !(info->fMask & SIF_ALL)) return FALSE;
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessageW(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
  const ScrollBarState* state = BarOf(hwnd, bar);
  if (!state) return FALSE;
  state->Get(*info);
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(hwnd, bar, &info)) return 0;
  const int old = info.nPos;
  info.nPos = pos;
  SetScrollInfo(hwnd, bar, &info, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  if (bar == SB_CTL) {
    if (!IsWindow(hwnd)) return FALSE;
    SendMessageW(hwnd, SBM_SETRANGE, static_cast<WPARAM>(minPos), static_cast<LPARAM>(maxPos));
    return TRUE;
  }
  if (!BarOf(hwnd, bar)) return FALSE;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetScrollInfo(hwnd, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(hwnd, bar, &info)) return FALSE;
  if (minPos) *minPos = info.nMin;
  if (maxPos) *maxPos = info.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!FindWindowRecord(hwnd)) return FALSE;
  if (bar == SB_CTL) {
    ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
    return TRUE;
  }
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) return FALSE;
  if (bar != SB_VERT) SetBarVisible(hwnd, SB_HORZ, show != FALSE);
  if (bar != SB_HORZ) SetBarVisible(hwnd, SB_VERT, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessageW(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || bar > SB_BOTH) return FALSE;
  if (bar != SB_VERT) w->scrollBars[SB_HORZ].arrows = arrows;
  if (bar != SB_HORZ) w->scrollBars[SB_VERT].arrows = arrows;
  return TRUE;
}
