#include "platform/ui/WindowPicture.h"

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/NonClientArea.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace platform {
namespace {

// Copies `pixels` into `out` at `origin`, leaving out the pixels inside
// `skip` (in the pixels' own coordinates).
void CopyPixels(const PixelBuffer& pixels, POINT origin, const RECT& skip, PixelBuffer& out) {
  for (int y = 0; y < pixels.Height(); ++y) {
    const int ty = origin.y + y;
    if (ty < 0 || ty >= out.Height()) continue;
    for (int x = 0; x < pixels.Width(); ++x) {
      const int tx = origin.x + x;
      if (tx < 0 || tx >= out.Width()) continue;
      if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
      out.Row(ty)[tx] = pixels.Row(y)[x];
    }
  }
}

// Draws `hwnd`'s frame, caption and scroll bars into `out`, the window's
// top-left corner at `origin`; nothing for a window without a non-client
// area.
void ComposeNonClient(HWND hwnd, POINT origin, PixelBuffer& out) {
  RECT window{}, client{};
  ::GetWindowRect(hwnd, &window);
  ::GetClientRect(hwnd, &client);
  POINT clientCorner{0, 0};
  ::ClientToScreen(hwnd, &clientCorner);
  const int width = window.right - window.left, height = window.bottom - window.top;
  const RECT clientInWindow{clientCorner.x - window.left, clientCorner.y - window.top,
                            clientCorner.x - window.left + client.right, clientCorner.y - window.top + client.bottom};
  const RECT whole{0, 0, width, height};
  if (width <= 0 || height <= 0 || ::EqualRect(&clientInWindow, &whole)) return;
  WindowSurface frame(width, height, ::GetSysColor(COLOR_3DFACE));
  HDC dc = frame.CreateDc();
  PaintNonClientArea(hwnd, dc);
  ::DeleteDC(dc);
  if (const PixelBuffer* pixels = frame.Raster().Pixels()) CopyPixels(*pixels, origin, clientInWindow, out);
}

// Draws `hwnd`'s client pixels into `out` with its client origin at
// `origin`, then its visible children, the bottom of the Z order first,
// each with its non-client area.
void Compose(HWND hwnd, POINT origin, PixelBuffer& out) {
  ::UpdateWindow(hwnd);
  if (const WindowSurface* surface = WindowSurfaceOf(hwnd)) {
    if (const PixelBuffer* pixels = surface->Raster().Pixels()) CopyPixels(*pixels, origin, RECT{}, out);
  }
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!::IsWindowVisible(*it)) continue;
    RECT window{};
    ::GetWindowRect(*it, &window);
    POINT corner{window.left, window.top};
    ::ScreenToClient(hwnd, &corner);
    ComposeNonClient(*it, POINT{origin.x + corner.x, origin.y + corner.y}, out);
    POINT childOrigin{0, 0};
    ::MapWindowPoints(*it, hwnd, &childOrigin, 1);
    Compose(*it, POINT{origin.x + childOrigin.x, origin.y + childOrigin.y}, out);
  }
}

}  // namespace

PixelBuffer ComposeWindowPicture(HWND hwnd) {
  if (!::IsWindow(hwnd)) return PixelBuffer();
  RECT client{};
  ::GetClientRect(hwnd, &client);
  PixelBuffer out(client.right, client.bottom, ::GetSysColor(COLOR_3DFACE));
  Compose(hwnd, POINT{0, 0}, out);
  return out;
}

bool WriteWindowPicture(HWND hwnd, const std::string& utf8Path) {
  const PixelBuffer picture = ComposeWindowPicture(hwnd);
  return !picture.Empty() && picture.WritePng(utf8Path);
}

}  // namespace platform
