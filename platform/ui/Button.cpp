#include "platform/ui/Button.h"

#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

namespace platform {
namespace {

UINT TypeOf(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }

bool IsCheckable(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
         type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadio(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

class ButtonControl : public ControlImpl {
 public:
  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    UINT type = TypeOf(hwnd);
    switch (message) {
      case WM_GETDLGCODE:
        switch (type) {
          case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
          case BS_PUSHBUTTON:
          case BS_OWNERDRAW:
          case BS_USERBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
          case BS_RADIOBUTTON:
          case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
          case BS_GROUPBOX:
            return DLGC_STATIC;
          default:
            return DLGC_BUTTON;
        }
      case BM_GETCHECK:
        return IsCheckable(type) ? check_ : BST_UNCHECKED;
      case BM_SETCHECK:
        if (IsCheckable(type)) {
          UINT value = static_cast<UINT>(wParam);
          if (value == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) value = BST_CHECKED;
          if (value > BST_INDETERMINATE) value = BST_UNCHECKED;
          if (check_ != value) {
            check_ = value;
            InvalidateRect(hwnd, nullptr, FALSE);
          }
        }
        return 0;
      case BM_GETSTATE:
        return (IsCheckable(type) ? check_ : 0) | (pushed_ ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0);
      case BM_SETSTATE:
        pushed_ = wParam != 0;
        return 0;
      case BM_SETSTYLE: {
        WindowRecord* w = FindWindowRecord(hwnd);
        w->style = (w->style & 0xFFFF0000u) | static_cast<DWORD>(LOWORD(wParam));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
      }
      case BM_SETIMAGE: {
        HANDLE old = wParam == IMAGE_ICON ? icon_ : bitmap_;
        (wParam == IMAGE_ICON ? icon_ : bitmap_) = reinterpret_cast<HANDLE>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
      }
      case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? icon_ : bitmap_);
      case BM_CLICK:
        if (!IsWindowEnabled(hwnd)) return 0;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (type == BS_GROUPBOX) return 0;
        SetFocus(hwnd);
        SetCapture(hwnd);
        pushed_ = true;
        return 0;
      case WM_LBUTTONUP: {
        if (GetCapture() != hwnd) return 0;
        ReleaseCapture();
        RECT r;
        GetClientRect(hwnd, &r);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        bool inside = PtInRect(&r, p) != FALSE;
        pushed_ = false;
        if (inside) Click(hwnd);
        return 0;
      }
      case WM_CAPTURECHANGED:
        pushed_ = false;
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_SPACE) pushed_ = true;
        return 0;
      case WM_KEYUP:
        if (wParam == VK_SPACE && pushed_) {
          pushed_ = false;
          Click(hwnd);
        }
        return 0;
      case WM_CHAR:
        return 0;
      case WM_SETFOCUS:
        if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        pushed_ = false;
        if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, BN_KILLFOCUS);
        return 0;
      case WM_NCHITTEST:
        return type == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        if (type == BS_OWNERDRAW) {
          RECT r;
          GetClientRect(hwnd, &r);
          UINT state = (pushed_ ? ODS_SELECTED : 0) | (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED) |
                       (GetFocus() == hwnd ? ODS_FOCUS : 0);
          SendDrawItem(hwnd, ps.hdc, ODT_BUTTON, 0, state, r, 0);
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

 private:
  // What a click does: the automatic kinds change their check, then the
  // parent hears BN_CLICKED.
  void Click(HWND hwnd) {
    UINT type = TypeOf(hwnd);
    if (type == BS_AUTOCHECKBOX) {
      check_ = check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (type == BS_AUTO3STATE) {
      check_ = (check_ + 1) % 3;
    } else if (type == BS_AUTORADIOBUTTON) {
      HWND parent = GetParent(hwnd);
      for (HWND other = GetNextDlgGroupItem(parent, hwnd, FALSE); other && other != hwnd;
           other = GetNextDlgGroupItem(parent, other, FALSE)) {
        if (IsRadio(TypeOf(other))) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
      }
      // Radio buttons of the group the dialog manager skips (disabled or
      // hidden) lose their check too.
      if (WindowRecord* p = FindWindowRecord(parent)) {
        const std::vector<HWND> siblings = p->children;
        size_t at = 0;
        while (at < siblings.size() && siblings[at] != hwnd) ++at;
        size_t first = at;
        while (first > 0 && !(StyleOf(siblings[first]) & WS_GROUP)) --first;
        for (size_t i = first; i < siblings.size(); ++i) {
          if (i > first && (StyleOf(siblings[i]) & WS_GROUP)) break;
          if (siblings[i] != hwnd && IsRadio(TypeOf(siblings[i])))
            SendMessageW(siblings[i], BM_SETCHECK, BST_UNCHECKED, 0);
        }
      }
      check_ = BST_CHECKED;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    NotifyParent(hwnd, BN_CLICKED);
  }

  UINT check_ = BST_UNCHECKED;
  bool pushed_ = false;
  HANDLE bitmap_ = nullptr;
  HANDLE icon_ = nullptr;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<ButtonControl>(); }
const bool registered = (RegisterPredefinedClass(u"Button", &Make),
                         SetWrapperFactory(u"Button", [] { return static_cast<CWnd*>(new CButton); }), true);

}  // namespace
}  // namespace platform

BOOL CButton::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"Button", text, style, rect, parent, id);
}
BOOL CButton::Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("Button", text, style, rect, parent, id);
}
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT style, BOOL redraw) { SendMessage(BM_SETSTYLE, style, redraw); }
HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
  return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}
HBITMAP CButton::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }
HICON CButton::SetIcon(HICON icon) {
  return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return TRUE;
}
