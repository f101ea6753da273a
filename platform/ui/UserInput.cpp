#include "platform/ui/UserInput.h"

#include <algorithm>

#include "platform/ui/MessageApi.h"
#include "platform/ui/MessagePump.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {

bool CanUserReach(HWND hwnd) {
  if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return false;
  for (HWND h = hwnd; h; h = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
    if (!IsWindowEnabled(h)) return false;
  return true;
}

bool ClickButton(HWND hwnd) {
  if (!CanUserReach(hwnd)) return false;
  RECT client;
  GetClientRect(hwnd, &client);
  POINT center{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  POINT screen = center;
  ClientToScreen(hwnd, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(center.x, center.y));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(center.x, center.y));
  PumpPendingMessages();
  return true;
}

bool TypeCharacters(const CStringW& text) {
  HWND focus = GetFocus();
  if (!focus || !CanUserReach(focus)) return false;
  for (int i = 0; i < text.GetLength(); ++i) PostMessageW(focus, WM_CHAR, text[i], 1);
  PumpPendingMessages();
  return true;
}

bool EnterText(HWND hwnd, const CStringW& text) {
  if (!CanUserReach(hwnd)) return false;
  if (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) {
    WCHAR cls[32];
    GetClassNameW(hwnd, cls, 32);
    if (CStringW(cls).CompareNoCase(u"Edit") == 0) return false;
  }
  SetFocus(hwnd);
  PumpPendingMessages();
  if (GetFocus() != hwnd) return false;
  WCHAR cls[32];
  GetClassNameW(hwnd, cls, 32);
  bool combo = CStringW(cls).CompareNoCase(u"ComboBox") == 0;
  SendMessageW(hwnd, combo ? CB_SETEDITSEL : EM_SETSEL, 0, combo ? MAKELPARAM(0, -1) : -1);
  if (text.IsEmpty()) {
    PostMessageW(hwnd, WM_CHAR, VK_BACK, 1);
    PumpPendingMessages();
    return true;
  }
  return TypeCharacters(text);
}

bool EnterText(HWND hwnd, const CStringA& text) { return EnterText(hwnd, CStringW(text)); }

bool PressKey(int vk) {
  HWND focus = GetFocus();
  if (focus && !CanUserReach(focus)) return false;
  if (focus) {
    PostMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageW(focus, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
  } else {
    PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
  }
  PumpPendingMessages();
  return true;
}

bool ChooseItem(HWND hwnd, int index) {
  if (!CanUserReach(hwnd)) return false;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !w->control) return false;
  bool done = w->control->UserChoose(hwnd, index);
  PumpPendingMessages();
  return done;
}

bool DoubleClickItem(HWND hwnd, int index) {
  if (!CanUserReach(hwnd)) return false;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !w->control) return false;
  bool done = w->control->UserDoubleClick(hwnd, index);
  PumpPendingMessages();
  return done;
}

bool SpinBy(HWND hwnd, int steps) {
  if (!CanUserReach(hwnd)) return false;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !w->control) return false;
  bool done = w->control->UserSpin(hwnd, steps);
  PumpPendingMessages();
  return done;
}

namespace {

// The window's own bar that a user can use: shown, with enabled arrows.
ScrollBarState* UsableBar(HWND hwnd, int bar) {
  if ((bar != SB_HORZ && bar != SB_VERT) || !CanUserReach(hwnd)) return nullptr;
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !(w->style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL))) return nullptr;
  ScrollBarState& state = w->scrollBars[bar];
  return state.arrows == ESB_DISABLE_BOTH ? nullptr : &state;
}

void SendScroll(HWND hwnd, int bar, UINT code, int pos) {
  SendMessageW(hwnd, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

}  // namespace

bool ClickScrollBar(HWND hwnd, int bar, UINT code) {
  if (code > SB_PAGEDOWN || !UsableBar(hwnd, bar)) return false;
  SendScroll(hwnd, bar, code, 0);
  if (IsWindow(hwnd)) SendScroll(hwnd, bar, SB_ENDSCROLL, 0);
  PumpPendingMessages();
  return true;
}

bool DragScrollThumb(HWND hwnd, int bar, int pos) {
  ScrollBarState* state = UsableBar(hwnd, bar);
  if (!state) return false;
  pos = std::clamp(pos, state->min, state->Limit());
  state->tracking = true;
  state->trackPos = pos;
  SendScroll(hwnd, bar, SB_THUMBTRACK, pos);
  // The window may have gone, or changed its bars, while it scrolled.
  if ((state = UsableBar(hwnd, bar))) state->trackPos = pos;
  if (IsWindow(hwnd)) SendScroll(hwnd, bar, SB_THUMBPOSITION, pos);
  if (WindowRecord* w = FindWindowRecord(hwnd)) w->scrollBars[bar].tracking = false;
  if (IsWindow(hwnd)) SendScroll(hwnd, bar, SB_ENDSCROLL, pos);
  PumpPendingMessages();
  return true;
}

bool CloseWindowByUser(HWND hwnd) {
  if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return false;
  PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpPendingMessages();
  return true;
}

}  // namespace platform
