#include "platform/ui/WindowDC.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/Region.h"
#include "platform/ui/WindowSystem.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

namespace platform {

WindowSurface& SurfaceOf(WindowRecord& w) {
  RECT client = ClientAreaInWindow(w);
  int width = client.right - client.left, height = client.bottom - client.top;
  if (!w.surface) {
    w.surface = std::make_unique<WindowSurface>(width, height);
  } else {
    SIZE now = w.surface->Size();
    if (now.cx != width || now.cy != height) w.surface->Resize(width, height);
  }
  return *w.surface;
}

void ResizeSurface(WindowRecord& w) {
  if (w.surface) SurfaceOf(w);
}

WindowSurface* WindowSurfaceOf(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  return w ? &SurfaceOf(*w) : nullptr;
}

LRESULT WithLentDc(HDC dc, const std::function<LRESULT(CDC*)>& handler) {
  if (CDC* held = ExistingDcWrapper(dc)) return handler(held);
  BorrowedDc lent(dc);
  return handler(lent.get());
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::WindowRecord;

HDC GetDC(HWND hwnd) {
  if (!hwnd || hwnd == GetDesktopWindow()) return platform::CreateScreenDc();
  WindowRecord* w = FindWindowRecord(hwnd);
  return w ? platform::SurfaceOf(*w).CreateDc() : nullptr;
}

HDC GetWindowDC(HWND hwnd) { return GetDC(hwnd); }

int ReleaseDC(HWND, HDC dc) { return dc && DeleteDC(dc) ? 1 : 0; }

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !paint) return nullptr;
  *paint = PAINTSTRUCT{};
  // The update region limits the DC.
  const platform::Region update = w->update;
  paint->rcPaint = update.Bounds();
  bool erase = w->updateErase;
  ValidateRect(hwnd, nullptr);
  paint->hdc = platform::SurfaceOf(*w).CreateDc(&update);
  // The background is erased first when the invalidation asked for it; a
  // window that does not erase it leaves that to its painting.
  paint->fErase = erase ? (SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0) : FALSE;
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (paint && paint->hdc) DeleteDC(paint->hdc);
  return TRUE;
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  if (!Attach(::GetDC(m_hWnd))) throw CNotSupportedException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  if (!Attach(::GetWindowDC(m_hWnd))) throw CNotSupportedException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

CPaintDC::CPaintDC(CWnd* wnd) : m_ps{}, m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  if (!Attach(::BeginPaint(m_hWnd, &m_ps))) throw CNotSupportedException();
}

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

// --- CWnd's device contexts ----------------------------------------------------------------

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) {
  if (!dc) return 0;
  HDC h = dc->m_hDC;
  dc->m_hDC = dc->m_hAttribDC = nullptr;  // the wrapper lets go of the handle it no longer owns
  return ::ReleaseDC(m_hWnd, h);
}
CDC* CWnd::BeginPaint(LPPAINTSTRUCT paint) { return CDC::FromHandle(::BeginPaint(m_hWnd, paint)); }
void CWnd::EndPaint(LPPAINTSTRUCT paint) { ::EndPaint(m_hWnd, paint); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
