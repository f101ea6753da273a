#include "platform/ole/DragDrop.h"

#include <memory>

#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/Wnd.h"

namespace {

platform::DragDriver& Driver() {
  static auto* driver = new platform::DragDriver;  // outlives static destructors
  return *driver;
}

int& RunningDrags() {
  static int running = 0;
  return running;
}

// The registered target under a screen point: the window there or its
// nearest registered parent.
HWND TargetWindowAt(POINT screen) {
  for (HWND w = WindowFromPoint(screen); w; w = GetParent(w)) {
    if (COleDropTarget::FromHandle(w) && IsWindowEnabled(w)) return w;
  }
  return nullptr;
}

CPoint ClientPoint(HWND window, POINT screen) {
  POINT p = screen;
  ScreenToClient(window, &p);
  return CPoint(p.x, p.y);
}

// The drag as the targets see it: the window under the mouse, the effect
// its target answered last.
class DragSession {
 public:
  DragSession(LPDATAOBJECT data, DWORD allowed) : allowed_(allowed) { data_.Attach(data, FALSE); }

  void MoveTo(POINT screen, DWORD keys) {
    screen_ = screen;
    keys_ = keys;
    HWND under = TargetWindowAt(screen);
    if (under != window_) {
      // Entering a window is its target's first word; later moves over it
      // are drag-overs.
      Leave();
      window_ = under;
      if (window_) effect_ = Filter(Target()->OnDragEnter(Wnd(), &data_, keys_, ClientPoint(window_, screen_)));
      return;
    }
    if (window_ && Target()) effect_ = Filter(Target()->OnDragOver(Wnd(), &data_, keys_, ClientPoint(window_, screen_)));
  }

  void Leave() {
    if (window_ && Target()) Target()->OnDragLeave(Wnd());
    window_ = nullptr;
    effect_ = DROPEFFECT_NONE;
  }

  // The button is released: a target that answered an effect last gets
  // the drop, any other only hears that the drag left.
  DROPEFFECT Drop() {
    if (!window_ || !Target() || !(effect_ & ~DROPEFFECT_SCROLL)) {
      Leave();
      return DROPEFFECT_NONE;
    }
    const DROPEFFECT effect = effect_ & ~DROPEFFECT_SCROLL;
    COleDropTarget* target = Target();
    CWnd* wnd = Wnd();
    const CPoint point = ClientPoint(window_, screen_);
    window_ = nullptr;
    effect_ = DROPEFFECT_NONE;
    DROPEFFECT result = target->OnDropEx(wnd, &data_, effect, allowed_, point);
    if (result == static_cast<DROPEFFECT>(-1)) result = target->OnDrop(wnd, &data_, effect, point) ? effect : DROPEFFECT_NONE;
    return result & allowed_;
  }

  DWORD Keys() const { return keys_; }
  POINT Screen() const { return screen_; }

 private:
  COleDropTarget* Target() const { return COleDropTarget::FromHandle(window_); }
  CWnd* Wnd() const { return CWnd::FromHandle(window_); }
  // An effect the source does not allow is none.
  DROPEFFECT Filter(DROPEFFECT effect) const {
    const DROPEFFECT scroll = effect & DROPEFFECT_SCROLL;
    const DROPEFFECT kept = effect & allowed_ & ~DROPEFFECT_SCROLL;
    return kept ? (kept | scroll) : DROPEFFECT_NONE;
  }

  COleDataObject data_;
  DWORD allowed_;
  HWND window_ = nullptr;
  POINT screen_{0, 0};
  DWORD keys_ = MK_LBUTTON;
  DROPEFFECT effect_ = DROPEFFECT_NONE;
};

class RunningScope {
 public:
  RunningScope() { ++RunningDrags(); }
  ~RunningScope() { --RunningDrags(); }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;
};

}  // namespace

namespace platform {

DragStep DragStep::MoveTo(HWND window, POINT client, DWORD keys) {
  POINT screen = client;
  ClientToScreen(window, &screen);
  return MoveToScreen(screen, keys);
}

DragStep DragStep::MoveToScreen(POINT screen, DWORD keys) {
  DragStep step;
  step.kind = kMove;
  step.screen = screen;
  step.keyState = keys;
  return step;
}

DragStep DragStep::Keys(DWORD keys) {
  DragStep step;
  step.kind = kKeys;
  step.keyState = keys;
  return step;
}

DragStep DragStep::Drop() {
  DragStep step;
  step.kind = kDrop;
  return step;
}

DragStep DragStep::Cancel() { return DragStep{}; }

DragDriver SetDragDriver(DragDriver driver) {
  DragDriver previous = std::move(Driver());
  Driver() = std::move(driver);
  return previous;
}

DragDriver ScriptedDrag(std::vector<DragStep> steps) {
  auto shared = std::make_shared<std::vector<DragStep>>(std::move(steps));
  auto next = std::make_shared<size_t>(0);
  return [shared, next](DragStep& step) {
    if (*next >= shared->size()) return false;
    step = (*shared)[(*next)++];
    return true;
  };
}

bool IsDragRunning() { return RunningDrags() > 0; }

HRESULT RunDragDrop(LPDATAOBJECT data, DWORD allowed, LPCRECT startDrag, DWORD* effect) {
  if (effect) *effect = DROPEFFECT_NONE;
  if (!data) return E_INVALIDARG;
  RunningScope running;
  // The data object lives as long as the drag.
  data->AddRef();
  struct Releaser {
    LPDATAOBJECT data;
    ~Releaser() { data->Release(); }
  } releaser{data};
  DragSession session(data, allowed);
  bool started = startDrag == nullptr;
  for (;;) {
    DragStep step;
    // The driver is copied: a step may install another one.
    DragDriver driver = Driver();
    if (!driver || !driver(step)) step = DragStep::Cancel();
    switch (step.kind) {
      case DragStep::kMove:
        if (!started) {
          if (PtInRect(startDrag, step.screen)) continue;
          started = true;
        }
        session.MoveTo(step.screen, step.keyState);
        break;
      case DragStep::kKeys:
        if (started) session.MoveTo(session.Screen(), step.keyState);
        break;
      case DragStep::kDrop: {
        const DROPEFFECT dropped = started ? session.Drop() : DROPEFFECT_NONE;
        if (effect) *effect = dropped;
        return dropped ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
      }
      case DragStep::kCancel:
        session.Leave();
        return DRAGDROP_S_CANCEL;
    }
  }
}

}  // namespace platform

HRESULT DoDragDrop(LPDATAOBJECT data, DWORD allowed, DWORD* effect) {
  return platform::RunDragDrop(data, allowed, nullptr, effect);
}
