#include "platform/ui/WindowPicture.h"

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/WindowSurface.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowDC.h"

namespace platform {
namespace {

// Copies `hwnd`'s client pixels into `out` with its client origin at
// `origin`, then its visible children, the bottom of the Z order first.
void Compose(HWND hwnd, POINT origin, PixelBuffer& out) {
  ::UpdateWindow(hwnd);
  if (const WindowSurface* surface = WindowSurfaceOf(hwnd)) {
    const PixelBuffer* pixels = surface->Raster().Pixels();
    if (pixels) {
      for (int y = 0; y < pixels->Height(); ++y) {
        const int ty = origin.y + y;
        if (ty < 0 || ty >= out.Height()) continue;
        for (int x = 0; x < pixels->Width(); ++x) {
          const int tx = origin.x + x;
          if (tx >= 0 && tx < out.Width()) out.Row(ty)[tx] = pixels->Row(y)[x];
        }
      }
    }
  }
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!::IsWindowVisible(*it)) continue;
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
