#include "platform/ui/ProgressCtrl.h"

#include <algorithm>

#include "platform/ui/CommCtrl.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

namespace platform {
namespace {

class ProgressControl : public ControlImpl {
 public:
  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case PBM_SETRANGE: {
        LRESULT old = MAKELONG(static_cast<WORD>(low_), static_cast<WORD>(high_));
        SetRange(hwnd, static_cast<int>(LOWORD(lParam)), static_cast<int>(HIWORD(lParam)));
        return old;
      }
      case PBM_SETRANGE32: {
        LRESULT old = MAKELONG(static_cast<WORD>(low_), static_cast<WORD>(high_));
        SetRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam));
        return old;
      }
      case PBM_GETRANGE:
        if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{low_, high_};
        return wParam ? low_ : high_;
      case PBM_SETPOS:
        return Move(hwnd, static_cast<int>(wParam));
      case PBM_DELTAPOS:
        return Move(hwnd, pos_ + static_cast<int>(wParam));
      case PBM_SETSTEP: {
        int old = step_;
        step_ = static_cast<int>(wParam);
        return old;
      }
      case PBM_STEPIT: {
        int next = pos_ + step_;
        if (high_ > low_ && next > high_) next = low_ + (next - high_);  // starts over
        if (high_ > low_ && next < low_) next = high_ - (low_ - next);
        return Move(hwnd, next);
      }
      case PBM_GETPOS:
        return pos_;
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

 private:
  void SetRange(HWND hwnd, int low, int high) {
    low_ = low;
    high_ = high;
    pos_ = std::clamp(pos_, std::min(low_, high_), std::max(low_, high_));
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  LRESULT Move(HWND hwnd, int pos) {
    int old = pos_;
    pos_ = std::clamp(pos, std::min(low_, high_), std::max(low_, high_));
    if (pos_ != old) InvalidateRect(hwnd, nullptr, FALSE);
    return old;
  }

  int low_ = 0;
  int high_ = 100;
  int pos_ = 0;
  int step_ = 10;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<ProgressControl>(); }
const bool registered =
    (RegisterPredefinedClass(PROGRESS_CLASSW, &Make),
     SetWrapperFactory(PROGRESS_CLASSW, [] { return static_cast<CWnd*>(new CProgressCtrl); }), true);

}  // namespace
}  // namespace platform

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(PROGRESS_CLASSW, nullptr, style, rect, parent, id);
}
void CProgressCtrl::SetRange(short lower, short upper) {
  SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}
void CProgressCtrl::SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
void CProgressCtrl::GetRange(int& lower, int& upper) const {
  PBRANGE r{};
  SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
  lower = r.iLow;
  upper = r.iHigh;
}
int CProgressCtrl::GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
int CProgressCtrl::SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
int CProgressCtrl::OffsetPos(int delta) {
  return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta)));
}
int CProgressCtrl::SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
int CProgressCtrl::StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
