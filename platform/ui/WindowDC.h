// Device contexts of windows, on the drawing layer (platform/gdi). Each
// window has a surface, the pixels of its client area; a client DC draws on
// all of it, a paint DC (between BeginPaint and EndPaint, in WM_PAINT) only on
// the update region, which the paint then validates. A window DC draws on the
// same surface: the headless windows have no pixels for their frames.
#pragma once

#include "platform/gdi/DC.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/Wnd.h"

HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)

 public:
  // A null window gives a DC of the screen.
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)

 public:
  explicit CWindowDC(CWnd* wnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)

 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

namespace platform {

// The drawing surface of a window (for a host or a test: its pixels, a
// recorder of what its DCs draw); null for no window.
WindowSurface* WindowSurfaceOf(HWND hwnd);

}  // namespace platform
