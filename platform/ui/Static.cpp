#include "platform/ui/Static.h"

#include "platform/ui/ControlBase.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

namespace platform {
namespace {

class StaticControl : public ControlImpl {
 public:
  LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_STATIC;
      case STM_SETIMAGE: {
        HANDLE old = wParam == IMAGE_ICON ? icon_ : bitmap_;
        (wParam == IMAGE_ICON ? icon_ : bitmap_) = reinterpret_cast<HANDLE>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
      }
      case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(wParam == IMAGE_ICON ? icon_ : bitmap_);
      case STM_SETICON: {
        HANDLE old = icon_;
        icon_ = reinterpret_cast<HANDLE>(wParam);
        return reinterpret_cast<LRESULT>(old);
      }
      case STM_GETICON:
        return reinterpret_cast<LRESULT>(icon_);
      case WM_LBUTTONUP:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_CLICKED);
        return 0;
      case WM_LBUTTONDBLCLK:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_DBLCLK);
        return 0;
      case WM_ENABLE:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        return 0;
      case WM_NCHITTEST:
        // A static control lets the mouse through unless it notifies.
        return (StyleOf(hwnd) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        if ((StyleOf(hwnd) & SS_TYPEMASK) == SS_OWNERDRAW) {
          RECT r;
          GetClientRect(hwnd, &r);
          SendDrawItem(hwnd, ps.hdc, ODT_STATIC, 0, IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED, r, 0);
        }
        EndPaint(hwnd, &ps);
        return 0;
      }
      default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }

 private:
  HANDLE bitmap_ = nullptr;
  HANDLE icon_ = nullptr;
};

std::unique_ptr<ControlImpl> Make(HWND) { return std::make_unique<StaticControl>(); }
const bool registered = (RegisterPredefinedClass(u"Static", &Make),
                         SetWrapperFactory(u"Static", [] { return static_cast<CWnd*>(new CStatic); }), true);

}  // namespace
}  // namespace platform

BOOL CStatic::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"Static", text, style, rect, parent, id);
}
BOOL CStatic::Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("Static", text, style, rect, parent, id);
}
HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
  return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}
HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
HICON CStatic::SetIcon(HICON icon) {
  return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
}
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
