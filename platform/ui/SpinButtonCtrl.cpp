#include "platform/ui/SpinButtonCtrl.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/core/Charset.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

namespace platform {
namespace {

class UpDownControl : public ControlImpl {
 public:
  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE:
        if (StyleOf(hwnd) & UDS_AUTOBUDDY) buddy_ = GetWindow(hwnd, GW_HWNDPREV);
        return 0;
      case UDM_SETRANGE:
        upper_ = static_cast<SHORT>(LOWORD(lParam));
        lower_ = static_cast<SHORT>(HIWORD(lParam));
        return 0;
      case UDM_SETRANGE32:
        lower_ = static_cast<int>(wParam);
        upper_ = static_cast<int>(lParam);
        return 0;
      case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(upper_), static_cast<WORD>(lower_));
      case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = lower_;
        if (lParam) *reinterpret_cast<int*>(lParam) = upper_;
        return 0;
      case UDM_SETPOS:
        return SetPosition(hwnd, static_cast<SHORT>(LOWORD(lParam)));
      case UDM_SETPOS32:
        return SetPosition(hwnd, static_cast<int>(lParam));
      case UDM_GETPOS: {
        bool error = false;
        int pos = ReadPosition(error);
        return MAKELONG(static_cast<WORD>(pos), error ? 1 : 0);
      }
      case UDM_GETPOS32: {
        bool error = false;
        int pos = ReadPosition(error);
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = error;
        return pos;
      }
      case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16) return 0;
        int old = base_;
        base_ = static_cast<int>(wParam);
        return old;
      }
      case UDM_GETBASE:
        return base_;
      case UDM_SETBUDDY: {
        HWND old = buddy_;
        buddy_ = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
      }
      case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(IsWindow(buddy_) ? buddy_ : nullptr);
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

  bool UserSpin(HWND hwnd, int steps) override {
    bool error = false;
    int pos = ReadPosition(error);
    // "Up" moves toward the upper end, which may lie below the lower one.
    int delta = (upper_ >= lower_) ? steps : -steps;
    NMUPDOWN nm{};
    nm.iPos = pos;
    nm.iDelta = delta;
    if (NotifyParent(hwnd, nm.hdr, UDN_DELTAPOS)) return true;  // refused
    delta = nm.iDelta;
    int lo = std::min(lower_, upper_), hi = std::max(lower_, upper_);
    long long next = static_cast<long long>(pos) + delta;
    if (next < lo || next > hi) {
      if (StyleOf(hwnd) & UDS_WRAP)
        next = next < lo ? hi : lo;
      else
        next = std::clamp<long long>(next, lo, hi);
    }
    SetPosition(hwnd, static_cast<int>(next));
    HWND parent = GetParent(hwnd);
    UINT scroll = (StyleOf(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    if (parent) {
      SendMessageW(parent, scroll, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(pos_)),
                   reinterpret_cast<LPARAM>(hwnd));
      SendMessageW(parent, scroll, MAKEWPARAM(SB_ENDSCROLL, static_cast<WORD>(pos_)), reinterpret_cast<LPARAM>(hwnd));
    }
    return true;
  }

 private:
  // Clamps to the range, shows the position in the buddy; the previous
  // position is the result.
  LRESULT SetPosition(HWND hwnd, int pos) {
    int old = pos_;
    int lo = std::min(lower_, upper_), hi = std::max(lower_, upper_);
    pos_ = std::clamp(pos, lo, hi);
    if ((StyleOf(hwnd) & UDS_SETBUDDYINT) && IsWindow(buddy_)) SetWindowTextW(buddy_, Format(hwnd, pos_).c_str());
    return old;
  }

  std::u16string Format(HWND hwnd, int pos) const {
    char buffer[32];
    if (base_ == 16) {
      std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(pos) & 0xFFFFu);
      return Utf8ToUtf16(buffer);
    }
    std::snprintf(buffer, sizeof buffer, "%d", pos);
    std::string digits = buffer;
    if (!(StyleOf(hwnd) & UDS_NOTHOUSANDS)) {
      // Thousands separators, as the control shows them.
      size_t first = digits[0] == '-' ? 1 : 0;
      for (size_t at = digits.size(); at > first + 3; at -= 3) digits.insert(at - 3, ",");
    }
    return Utf8ToUtf16(digits);
  }

  // The position: the buddy's text when it shows it.
  int ReadPosition(bool& error) {
    error = false;
    if (!IsWindow(buddy_)) return pos_;
    WCHAR cls[16];
    GetClassNameW(buddy_, cls, 16);
    if (CStringW(cls).CompareNoCase(u"Edit") != 0 && CStringW(cls).CompareNoCase(u"Static") != 0) return pos_;
    std::string text = Utf16ToUtf8(TextOf(buddy_));
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, base_);
    int lo = std::min(lower_, upper_), hi = std::max(lower_, upper_);
    if (text.empty() || *end != '\0' || value < lo || value > hi) {
      error = true;
      return pos_;
    }
    pos_ = static_cast<int>(value);
    return pos_;
  }

  int lower_ = 100;  // the control's initial range runs from 100 down to 0
  int upper_ = 0;
  int pos_ = 0;
  int base_ = 10;
  HWND buddy_ = nullptr;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<UpDownControl>(); }
const bool registered =
    (RegisterPredefinedClass(UPDOWN_CLASSW, &Make),
     SetWrapperFactory(UPDOWN_CLASSW, [] { return static_cast<CWnd*>(new CSpinButtonCtrl); }), true);

}  // namespace
}  // namespace platform

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(UPDOWN_CLASSW, nullptr, style, rect, parent, id);
}
void CSpinButtonCtrl::SetRange(short lower, short upper) {
  SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}
void CSpinButtonCtrl::SetRange32(int lower, int upper) {
  SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}
DWORD CSpinButtonCtrl::GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  DWORD r = GetRange();
  lower = static_cast<SHORT>(HIWORD(r));
  upper = static_cast<SHORT>(LOWORD(r));
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
int CSpinButtonCtrl::SetPos(int pos) {
  return static_cast<SHORT>(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(pos), 0))));
}
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(static_cast<DWORD>(SendMessage(UDM_GETPOS))); }
int CSpinButtonCtrl::SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
int CSpinButtonCtrl::GetPos32(LPBOOL error) const {
  return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}
int CSpinButtonCtrl::SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base))); }
UINT CSpinButtonCtrl::GetBase() const { return static_cast<UINT>(SendMessage(UDM_GETBASE)); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
  return FromHandle(
      reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
