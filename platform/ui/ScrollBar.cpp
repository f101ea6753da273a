// Scroll-bar controls, as dialog templates may hold them: a range, a page
// and a position with the limits of the window's own bars.
#include "platform/ui/ControlBase.h"
#include "platform/ui/ScrollBarState.h"

namespace platform {
namespace {

class ScrollBarControl : public ControlImpl {
 public:
  ScrollBarControl() { state_.max = 100; }

  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case SBM_SETRANGE:
      case SBM_SETRANGEREDRAW: {
        const int old = state_.pos;
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, static_cast<int>(wParam), static_cast<int>(lParam), 0, 0, 0};
        state_.Set(info);
        return old;
      }
      case SBM_GETRANGE:
        if (wParam) *reinterpret_cast<int*>(wParam) = state_.min;
        if (lParam) *reinterpret_cast<int*>(lParam) = state_.max;
        return 0;
      case SBM_SETPOS: {
        const int old = state_.pos;
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, static_cast<int>(wParam), 0};
        state_.Set(info);
        return old;
      }
      case SBM_GETPOS:
        return state_.pos;
      case SBM_SETSCROLLINFO:
        return lParam ? state_.Set(*reinterpret_cast<const SCROLLINFO*>(lParam)) : state_.pos;
      case SBM_GETSCROLLINFO:
        if (!lParam) return FALSE;
        state_.Get(*reinterpret_cast<SCROLLINFO*>(lParam));
        return TRUE;
      case SBM_ENABLE_ARROWS:
        state_.arrows = static_cast<UINT>(wParam);
        return TRUE;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

 private:
  ScrollBarState state_;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<ScrollBarControl>(); }
const bool registered = (RegisterPredefinedClass(u"ScrollBar", &Make), true);

}  // namespace
}  // namespace platform
