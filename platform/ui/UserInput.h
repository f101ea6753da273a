// What a user does to the headless windows, for a modal driver, a host or a
// test: each action is the input a user's hand would make (mouse and key
// messages through the message loop, or the control's own selection by the
// user), followed by running the messages it caused. An action on a control
// the user could not reach (hidden, disabled, or inside a disabled window)
// does nothing and returns false.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

namespace platform {

// True when the user can reach the window: visible and enabled, and so are
// all its parents.
bool CanUserReach(HWND hwnd);

// A left click in the middle of a window (a button's BN_CLICKED, a check
// box toggling, a radio button taking the check in its group).
bool ClickButton(HWND hwnd);
// Selects the whole text of an edit (or combo box with an edit) and types
// `text` over it, one character at a time, as the keyboard does.
bool EnterText(HWND hwnd, const CStringW& text);
bool EnterText(HWND hwnd, const CStringA& text);
// Types characters into the window that has the focus.
bool TypeCharacters(const CStringW& text);
// A key press (down and up) to the focus window, through the message loop.
bool PressKey(int virtualKey);
// Chooses item `index` of a list box, combo box, list view, tree view (the
// index counts items in display order) or tab control as the user does,
// with the notifications that follow. In a multiple-selection list the
// item's selection is toggled.
bool ChooseItem(HWND hwnd, int index);
// Double-clicks item `index` (list box, list view, tree view, combo box).
bool DoubleClickItem(HWND hwnd, int index);
// Clicks the header of column `column` of a list view (LVN_COLUMNCLICK).
bool ClickListColumn(HWND list, int column);
// Moves a spin control by `steps` (positive: up), as its arrows do.
bool SpinBy(HWND hwnd, int steps);
// A click on an arrow of a window's own scroll bar (SB_HORZ, SB_VERT) or on
// the track beside its thumb: WM_HSCROLL/WM_VSCROLL with `code` (SB_LINEUP,
// SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN), then SB_ENDSCROLL. False when the
// window shows no such bar or its arrows are disabled.
bool ClickScrollBar(HWND hwnd, int bar, UINT code);
// Drags the thumb of a window's own scroll bar to `pos` (clamped to the
// bar's limits): SB_THUMBTRACK while the thumb is held there (the bar's
// tracking position, which GetScrollInfo gives with SIF_TRACKPOS, is `pos`;
// the message carries its low 16 bits as the system's does), SB_THUMBPOSITION
// where it is let go, then SB_ENDSCROLL.
bool DragScrollThumb(HWND hwnd, int bar, int pos);
// The close box of a top-level window.
bool CloseWindowByUser(HWND hwnd);

}  // namespace platform
