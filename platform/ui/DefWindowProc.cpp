// The default processing of messages, for every window.
#include <algorithm>
#include <cstring>

#include "platform/core/Charset.h"
#include "platform/core/Geometry.h"
#include "platform/gdi/Gdi32.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace {

using platform::FindWindowRecord;
using platform::WindowRecord;

LRESULT HitTest(WindowRecord& w, POINT screen) {
  RECT window = platform::ScreenRect(w);
  if (!PtInRect(&window, screen)) return HTNOWHERE;
  RECT client = platform::ClientAreaInWindow(w);
  OffsetRect(&client, window.left, window.top);
  if (PtInRect(&client, screen)) return HTCLIENT;
  int x = screen.x - window.left, y = screen.y - window.top;
  int width = window.right - window.left, height = window.bottom - window.top;
  if (w.style & WS_THICKFRAME) {
    int frame = GetSystemMetrics(SM_CXFRAME);
    int corner = GetSystemMetrics(SM_CYCAPTION);
    bool left = x < frame, right = x >= width - frame, top = y < frame, bottom = y >= height - frame;
    bool nearLeft = x < corner, nearRight = x >= width - corner, nearTop = y < corner,
         nearBottom = y >= height - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  if ((w.style & WS_CAPTION) == WS_CAPTION && y < client.top - window.top) return HTCAPTION;
  if ((w.style & WS_VSCROLL) && x >= client.right - window.left) return HTVSCROLL;
  if ((w.style & WS_HSCROLL) && y >= client.bottom - window.top) return HTHSCROLL;
  return HTBORDER;
}

LPCWSTR SizingCursor(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT:
      return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32644));
    case HTTOP:
    case HTBOTTOM:
      return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32645));
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32642));
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32643));
    default:
      return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(32512));
  }
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return 0;
  bool child = (w->style & WS_CHILD) && w->parent;
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT: {
      LPCWSTR text = reinterpret_cast<LPCWSTR>(lParam);
      w->text = text ? std::u16string(text) : std::u16string();
      if (w->style & WS_VISIBLE) InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case WM_GETTEXT: {
      LPWSTR buffer = reinterpret_cast<LPWSTR>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t n = std::min<size_t>(w->text.size(), wParam - 1);
      std::copy_n(w->text.data(), n, buffer);
      buffer[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_NCHITTEST: {
      POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      return HitTest(*w, screen);
    }
    case WM_SETCURSOR: {
      if (child && SendMessageW(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (!(w = FindWindowRecord(hwnd))) return FALSE;
      int hit = static_cast<SHORT>(LOWORD(lParam));
      if (hit == HTCLIENT) {
        if (w->cls->cursor) {
          SetCursor(w->cls->cursor);
          return TRUE;
        }
        return FALSE;
      }
      if (hit == HTERROR || hit == HTNOWHERE) return FALSE;
      SetCursor(LoadCursorW(nullptr, SizingCursor(hit)));
      return TRUE;
    }
    case WM_MOUSEACTIVATE:
      if (child) {
        LRESULT r = SendMessageW(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return 1;  // MA_ACTIVATE
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_HELP:
      if (child) return SendMessageW(w->parent, message, wParam, lParam);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      // The class brush fills the client area.
      if (!w->cls->background || !wParam) return 0;
      RECT client;
      GetClientRect(hwnd, &client);
      return FillRect(reinterpret_cast<HDC>(wParam), &client, w->cls->background) ? 1 : 0;
    }
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      RECT client = platform::ClientAreaInWindow(*w);
      if (!pos || !(pos->flags & SWP_NOSIZE)) {
        UINT type = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                    : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                               : SIZE_RESTORED;
        SendMessageW(hwnd, WM_SIZE, type, MAKELPARAM(client.right - client.left, client.bottom - client.top));
      }
      if ((!pos || !(pos->flags & SWP_NOMOVE)) && (w = FindWindowRecord(hwnd)))
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + client.left, w->rect.top + client.top));
      return 0;
    }
    case WM_SETREDRAW:
      w->redraw = wParam != 0;
      return 0;
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w->font);
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          SendMessageW(hwnd, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(hwnd, SW_MINIMIZE);
          break;
        case SC_MAXIMIZE:
          ShowWindow(hwnd, SW_MAXIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(hwnd, SW_RESTORE);
          break;
        default:
          break;
      }
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_NOTIFYFORMAT:
      return 2;  // NFR_UNICODE
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return 0;
  }
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      std::u16string wide = platform::WideFromAnsi(reinterpret_cast<LPCSTR>(lParam));
      return DefWindowProcW(hwnd, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    case WM_GETTEXT: {
      WindowRecord* w = FindWindowRecord(hwnd);
      LPSTR buffer = reinterpret_cast<LPSTR>(lParam);
      if (!w || !buffer || wParam == 0) return 0;
      std::string text = platform::Utf16ToGbk(w->text);
      size_t n = 0;
      while (n < text.size()) {
        size_t len = (platform::IsGbkLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size()) ? 2 : 1;
        if (n + len > wParam - 1) break;
        n += len;
      }
      std::memcpy(buffer, text.data(), n);
      buffer[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: {
      WindowRecord* w = FindWindowRecord(hwnd);
      return w ? static_cast<LRESULT>(platform::Utf16ToGbk(w->text).size()) : 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
