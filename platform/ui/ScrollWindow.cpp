// Scrolling a window's client area: the pixels move, the update region
// moves with them, and what the move uncovers becomes invalid.
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/Rgn.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowRegistry.h"

using platform::FindWindowRecord;
using platform::WindowRecord;

namespace {

RECT Intersection(const RECT& a, const RECT& b) {
  RECT r{};
  IntersectRect(&r, &a, &b);
  return r;
}

RECT Offset(RECT r, int dx, int dy) {
  OffsetRect(&r, dx, dy);
  return r;
}

// The parts of `a` outside `b`, as at most four rectangles (bands above and
// below, then the sides).
std::vector<RECT> Difference(const RECT& a, const RECT& b) {
  std::vector<RECT> parts;
  if (IsRectEmpty(&a)) return parts;
  const RECT inner = Intersection(a, b);
  if (IsRectEmpty(&inner)) {
    parts.push_back(a);
    return parts;
  }
  if (inner.top > a.top) parts.push_back({a.left, a.top, a.right, inner.top});
  if (inner.bottom < a.bottom) parts.push_back({a.left, inner.bottom, a.right, a.bottom});
  if (inner.left > a.left) parts.push_back({a.left, inner.top, inner.left, inner.bottom});
  if (inner.right < a.right) parts.push_back({inner.right, inner.top, a.right, inner.bottom});
  return parts;
}

// Copies the pixels that land in `target` from `target` moved back by
// (dx, dy), through a copy so that overlapping parts move intact.
void MovePixels(platform::PixelBuffer& pixels, const RECT& target, int dx, int dy) {
  const RECT bounds{0, 0, pixels.Width(), pixels.Height()};
  const RECT dst = Intersection(Intersection(target, bounds), Offset(bounds, dx, dy));
  if (IsRectEmpty(&dst)) return;
  const int width = dst.right - dst.left;
  std::vector<uint32_t> copy(size_t(width) * size_t(dst.bottom - dst.top));
  for (int y = dst.top; y < dst.bottom; ++y) {
    const uint32_t* from = pixels.Row(y - dy) + (dst.left - dx);
    std::copy(from, from + width, copy.begin() + size_t(y - dst.top) * width);
  }
  for (int y = dst.top; y < dst.bottom; ++y) {
    const auto row = copy.begin() + size_t(y - dst.top) * width;
    std::copy(row, row + width, pixels.Row(y) + dst.left);
  }
}

}  // namespace

int ScrollWindowEx(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                   UINT flags) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return ERROR;
  const RECT client = platform::ClientAreaInWindow(*w);
  const RECT full{0, 0, client.right - client.left, client.bottom - client.top};
  const RECT area = scroll ? Intersection(*scroll, full) : full;
  const RECT limit = clip ? Intersection(area, *clip) : area;
  // The pixels that stay valid: those that come from inside the area.
  const RECT moved = Intersection(Offset(area, dx, dy), limit);
  const std::vector<RECT> uncovered = Difference(limit, moved);

  if (w->surface && (dx || dy)) MovePixels(w->surface->Raster().MutablePixels(), moved, dx, dy);

  // Invalid parts inside the area move with their pixels (they stay invalid
  // where they were too, which only repaints more).
  if (dx || dy) {
    platform::Region carried = w->update.Intersect(Intersection(area, Offset(area, -dx, -dy)));
    carried.Offset(dx, dy);
    w->update = platform::Region::Combine(w->update, carried.Intersect(limit), RGN_OR);
  }
  if (flags & SW_INVALIDATE) {
    for (const RECT& r : uncovered) platform::AddUpdate(*w, &r, (flags & SW_ERASE) != 0);
  }

  RECT bounds{0, 0, 0, 0};
  for (const RECT& r : uncovered) UnionRect(&bounds, &bounds, &r);
  if (updateRect) *updateRect = bounds;
  if (update) {
    platform::BorrowedObject<CRgn> borrowed(update);
    if (CRgn* region = borrowed.get()) {
      region->SetRectRgn(0, 0, 0, 0);
      for (const RECT& r : uncovered) {
        CRgn part;
        part.CreateRectRgnIndirect(&r);
        region->CombineRgn(region, &part, RGN_OR);
      }
    }
  }

  if ((flags & SW_SCROLLCHILDREN) && (dx || dy)) {
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
      WindowRecord* c = FindWindowRecord(child);
      if (!c) continue;
      if (scroll) {
        RECT hit{};
        if (!IntersectRect(&hit, &c->rect, &area)) continue;
      }
      SetWindowPos(child, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (uncovered.empty()) return NULLREGION;
  return uncovered.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip) {
  const UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0u : SW_SCROLLCHILDREN);
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}
