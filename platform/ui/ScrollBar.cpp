// Scroll-bar controls, as dialog templates may hold them: a range and a
// position.
#include <algorithm>

#include "platform/ui/ControlBase.h"

#define SBM_SETPOS 0x00E0
#define SBM_GETPOS 0x00E1
#define SBM_SETRANGE 0x00E2
#define SBM_GETRANGE 0x00E3

namespace platform {
namespace {

class ScrollBarControl : public ControlImpl {
 public:
  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case SBM_SETRANGE:
        min_ = static_cast<int>(wParam);
        max_ = static_cast<int>(lParam);
        pos_ = std::clamp(pos_, std::min(min_, max_), std::max(min_, max_));
        return TRUE;
      case SBM_GETRANGE:
        if (wParam) *reinterpret_cast<int*>(wParam) = min_;
        if (lParam) *reinterpret_cast<int*>(lParam) = max_;
        return 0;
      case SBM_SETPOS: {
        int old = pos_;
        pos_ = std::clamp(static_cast<int>(wParam), std::min(min_, max_), std::max(min_, max_));
        return old;
      }
      case SBM_GETPOS:
        return pos_;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

 private:
  int min_ = 0;
  int max_ = 100;
  int pos_ = 0;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<ScrollBarControl>(); }
const bool registered = (RegisterPredefinedClass(u"ScrollBar", &Make), true);

}  // namespace
}  // namespace platform
