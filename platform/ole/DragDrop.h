// The drag-and-drop loop. A drag runs headless: when it starts, the drag
// driver that the host or a test installed acts as the user, step by step:
// it moves the mouse (screen coordinates) with the keys held, changes the
// keys, drops (releases the button) or cancels (Escape). The loop finds the
// registered drop target (COleDropTarget) under the mouse, or under one of
// the window's parents, and tells it when the drag enters, moves over,
// leaves or drops on its window. An effect a target answers that the
// source does not allow counts as none. Without a driver, or when the
// driver has no more steps, the drag is cancelled.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/core/WinConstants.h"
#include "platform/ole/DataTransfer.h"
#include "platform/ole/DropEffect.h"

// The Alt key in a drag's key state (the mouse flags are MK_*).
#ifndef MK_ALT
#define MK_ALT 0x20
#endif

// Runs a drag of `data` allowing `allowed` effects; the effect of the drop
// goes to `effect` (DROPEFFECT_NONE when cancelled or refused).
// DRAGDROP_S_DROP when the data were dropped on a target that took them,
// DRAGDROP_S_CANCEL otherwise.
HRESULT DoDragDrop(LPDATAOBJECT data, DWORD allowed, DWORD* effect);

namespace platform {

struct DragStep {
  enum Kind { kMove, kKeys, kDrop, kCancel };
  Kind kind = kCancel;
  POINT screen{0, 0};
  DWORD keyState = MK_LBUTTON;

  // The mouse moves to client point `client` of `window` with `keys` held.
  static DragStep MoveTo(HWND window, POINT client, DWORD keys = MK_LBUTTON);
  static DragStep MoveToScreen(POINT screen, DWORD keys = MK_LBUTTON);
  // The keys change where the mouse is.
  static DragStep Keys(DWORD keys);
  // The button is released where the mouse is.
  static DragStep Drop();
  static DragStep Cancel();
};

// Gives the next step; false when it has none (the drag is cancelled).
using DragDriver = std::function<bool(DragStep& step)>;

// Installs the driver and returns the one it replaces.
DragDriver SetDragDriver(DragDriver driver);

// A driver that plays the steps in order.
DragDriver ScriptedDrag(std::vector<DragStep> steps);

class ScopedDragDriver {
 public:
  explicit ScopedDragDriver(DragDriver driver) : previous_(SetDragDriver(std::move(driver))) {}
  explicit ScopedDragDriver(std::initializer_list<DragStep> steps)
      : previous_(SetDragDriver(ScriptedDrag(std::vector<DragStep>(steps)))) {}
  ~ScopedDragDriver() { SetDragDriver(std::move(previous_)); }
  ScopedDragDriver(const ScopedDragDriver&) = delete;
  ScopedDragDriver& operator=(const ScopedDragDriver&) = delete;

 private:
  DragDriver previous_;
};

// The loop behind COleDataSource::DoDragDrop and ::DoDragDrop; with
// `startDrag` (screen coordinates) nothing is dragged until the mouse
// leaves that rectangle.
HRESULT RunDragDrop(LPDATAOBJECT data, DWORD allowed, LPCRECT startDrag, DWORD* effect);

// Whether a drag loop is running.
bool IsDragRunning();

}  // namespace platform
