// CDC: lines, figures, fills and blits.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/PixelBuffer.h"
#include "platform/gdi/RasterOps.h"

namespace {

// x + w without overflow, for rectangles given by a corner and a size.
LONG Add(int x, int w) { return platform::ClampToLong(platform::Wide(x) + w); }

using platform::DcState;
using platform::DrawKind;
using platform::DrawOp;

// A figure given by its bounding rectangle (and extra points), emitted.
BOOL BoxFigure(DcState& s, DrawKind kind, const char* call, const RECT& r, std::vector<POINT> extraLogical,
               std::vector<POINT> extraDevice) {
  DrawOp op = s.Begin(kind, call);
  op.logical = {{r.left, r.top}, {r.right, r.bottom}};
  const RECT d = s.ToDeviceRect(r);
  op.device = {{d.left, d.top}, {d.right, d.bottom}};
  op.logical.insert(op.logical.end(), extraLogical.begin(), extraLogical.end());
  op.device.insert(op.device.end(), extraDevice.begin(), extraDevice.end());
  return s.Emit(op) ? TRUE : FALSE;
}

// A box figure drawn with `brush` for this call only: the DC's own brush
// stays. Nothing is drawn without a live brush.
void BrushedBoxFigure(DcState& s, CBrush* brush, DrawKind kind, const char* call, const RECT& r,
                      std::vector<POINT> extraDevice) {
  if (!brush) return;
  auto data = platform::GdiHandleTable::FindAs<platform::BrushData>(brush->m_hObject, platform::GdiKind::Brush);
  if (!data) return;
  const auto selected = s.attr.brush;
  s.attr.brush = data;
  BoxFigure(s, kind, call, r, {}, std::move(extraDevice));
  s.attr.brush = selected;
}

// A figure given by its points (at least two), emitted.
BOOL PointsFigure(DcState& s, DrawKind kind, const char* call, const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  DrawOp op = s.Begin(kind, call);
  op.logical.assign(points, points + count);
  for (int i = 0; i < count; ++i) op.device.push_back(s.ToDevice(points[i]));
  return s.Emit(op) ? TRUE : FALSE;
}

BOOL ArcFigure(DcState& s, DrawKind kind, const char* call, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
               int y4) {
  return BoxFigure(s, kind, call, RECT{x1, y1, x2, y2}, {{x3, y3}, {x4, y4}}, {s.ToDevice(x3, y3), s.ToDevice(x4, y4)});
}

}  // namespace

CPoint CDC::GetCurrentPosition() const {
  auto s = State();
  return s ? CPoint(s->attr.position) : CPoint();
}

CPoint CDC::MoveTo(int x, int y) {
  auto s = State();
  if (!s) return CPoint();
  const CPoint old(s->attr.position);
  s->attr.position = POINT{x, y};
  return old;
}

BOOL CDC::LineTo(int x, int y) {
  auto s = State();
  if (!s) return FALSE;
  DrawOp op = s->Begin(DrawKind::Polyline, "LineTo");
  op.logical = {s->attr.position, {x, y}};
  op.device = {s->ToDevice(s->attr.position), s->ToDevice(x, y)};
  s->attr.position = POINT{x, y};
  return s->Emit(op) ? TRUE : FALSE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
  auto s = State();
  return s ? PointsFigure(*s, DrawKind::Polyline, "Polyline", points, count) : FALSE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
  auto s = State();
  return s ? PointsFigure(*s, DrawKind::Polygon, "Polygon", points, count) : FALSE;
}

BOOL CDC::PolyPolygon(const POINT* points, const INT* counts, int polygons) {
  auto s = State();
  if (!s || !points || !counts || polygons < 1) return FALSE;
  DrawOp op = s->Begin(DrawKind::Polygon, "PolyPolygon");
  for (int k = 0; k < polygons; ++k) {
    if (counts[k] < 2) return FALSE;
    op.counts.push_back(counts[k]);
  }
  size_t total = 0;
  for (int n : op.counts) total += n;
  op.logical.assign(points, points + total);
  for (const auto& p : op.logical) op.device.push_back(s->ToDevice(p));
  return s->Emit(op) ? TRUE : FALSE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
  auto s = State();
  return s ? BoxFigure(*s, DrawKind::Rectangle, "Rectangle", RECT{x1, y1, x2, y2}, {}, {}) : FALSE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  auto s = State();
  if (!s) return FALSE;
  const POINT corner{s->attr.mapping.LengthXToDevice(x3), s->attr.mapping.LengthYToDevice(y3)};
  return BoxFigure(*s, DrawKind::RoundRect, "RoundRect", RECT{x1, y1, x2, y2}, {{x3, y3}}, {corner});
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
  auto s = State();
  return s ? BoxFigure(*s, DrawKind::Ellipse, "Ellipse", RECT{x1, y1, x2, y2}, {}, {}) : FALSE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  auto s = State();
  return s ? ArcFigure(*s, DrawKind::Arc, "Arc", x1, y1, x2, y2, x3, y3, x4, y4) : FALSE;
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  auto s = State();
  return s ? ArcFigure(*s, DrawKind::Pie, "Pie", x1, y1, x2, y2, x3, y3, x4, y4) : FALSE;
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  auto s = State();
  return s ? ArcFigure(*s, DrawKind::Chord, "Chord", x1, y1, x2, y2, x3, y3, x4, y4) : FALSE;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
  auto s = State();
  if (!s || !rect) return;
  BrushedBoxFigure(*s, brush, DrawKind::FillRect, "FillRect", *rect, {});
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
  auto s = State();
  if (!s || !rect) return;
  // The border is one logical unit wide (at least a pixel).
  const POINT width{std::max(1, s->attr.mapping.LengthXToDevice(1)), std::max(1, s->attr.mapping.LengthYToDevice(1))};
  BrushedBoxFigure(*s, brush, DrawKind::FrameRect, "FrameRect", *rect, {width});
}

void CDC::InvertRect(LPCRECT rect) {
  auto s = State();
  if (!s || !rect) return;
  BoxFigure(*s, DrawKind::InvertRect, "InvertRect", *rect, {}, {});
}

void CDC::DrawFocusRect(LPCRECT rect) {
  auto s = State();
  if (!s || !rect) return;
  BoxFigure(*s, DrawKind::FocusRect, "DrawFocusRect", *rect, {}, {});
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  auto s = State();
  if (!s || !rect) return;
  s->attr.bkColor = color;
  auto brush = std::make_shared<platform::BrushData>();
  brush->log = LOGBRUSH{BS_SOLID, color, 0};
  const auto selected = s->attr.brush;
  s->attr.brush = brush;
  BoxFigure(*s, DrawKind::FillRect, "FillSolidRect", *rect, {}, {});
  s->attr.brush = selected;
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  const RECT r{x, y, Add(x, cx), Add(y, cy)};
  FillSolidRect(&r, color);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
  auto s = State();
  if (!s) return CLR_INVALID;
  DrawOp op = s->Begin(DrawKind::SetPixel, "SetPixel");
  op.logical = {{x, y}};
  op.device = {s->ToDevice(x, y)};
  op.color = color & 0xFFFFFF;
  if (!op.clip->Contains(op.device[0].x, op.device[0].y)) return CLR_INVALID;
  if (!s->Emit(op)) return CLR_INVALID;
  if (s->surface && s->surface->IsMonochrome()) return platform::ColorFromPixel(platform::ToMonochrome(platform::PixelFromColor(color)));
  return op.color;
}

COLORREF CDC::GetPixel(int x, int y) const {
  auto s = State();
  if (!s || !s->surface || !s->surface->Pixels()) return CLR_INVALID;
  const POINT d = s->ToDevice(x, y);
  if (!s->EffectiveClip().Contains(d.x, d.y)) return CLR_INVALID;
  return s->surface->Pixels()->GetColor(d.x, d.y);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
  auto s = State();
  if (!s) return FALSE;
  DrawOp op = s->Begin(DrawKind::PatBlt, "PatBlt");
  op.rop3 = rop;
  op.logical = {{x, y}, {Add(x, width), Add(y, height)}};
  const RECT d = s->ToDeviceRect(RECT{x, y, Add(x, width), Add(y, height)});
  op.device = {{d.left, d.top}, {d.right, d.bottom}};
  return s->Emit(op) ? TRUE : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
  auto s = State();
  if (!s) return FALSE;
  DrawOp op = s->Begin(DrawKind::BitBlt, "BitBlt");
  op.rop3 = rop;
  const RECT d = s->ToDeviceRect(RECT{x, y, Add(x, width), Add(y, height)});
  op.logical = {{x, y}, {Add(x, width), Add(y, height)}, {xSrc, ySrc}};
  op.device = {{d.left, d.top}, {d.right, d.bottom}, {0, 0}};
  if (platform::Rop3UsesSource(rop)) {
    auto src = source ? source->State() : nullptr;
    if (!src) return FALSE;
    const POINT origin = src->ToDevice(xSrc, ySrc);
    op.device[2] = origin;
    const platform::PixelBuffer* pixels = src->surface ? src->surface->Pixels() : nullptr;
    // Only the part of the destination that can show is copied.
    const RECT limit = op.clip->Bounds();
    const RECT part{std::max(d.left, limit.left), std::max(d.top, limit.top), std::min(d.right, limit.right),
                    std::min(d.bottom, limit.bottom)};
    const int w = part.right - part.left, h = part.bottom - part.top;
    if (pixels && w > 0 && h > 0) {
      // In the destination's colours: a monochrome source gives the text
      // colour for black and the background colour for white; a colour
      // source on a monochrome target gives white where it has the source's
      // background colour.
      auto copy = std::make_shared<platform::PixelBuffer>(w, h);
      if (copy->Empty()) return FALSE;
      const bool fromMono = src->surface->IsMonochrome();
      const bool toMono = s->surface && s->surface->IsMonochrome() && !fromMono;
      const bool toColor = fromMono && !(s->surface && s->surface->IsMonochrome());
      const uint32_t fore = platform::PixelFromColor(s->attr.textColor), back = platform::PixelFromColor(s->attr.bkColor);
      const uint32_t sourceBk = platform::PixelFromColor(src->attr.bkColor);
      for (int row = 0; row < h; ++row) {
        uint32_t* out = copy->Row(row);
        for (int col = 0; col < w; ++col) {
          const int64_t sx = int64_t(origin.x) + (part.left - d.left) + col;
          const int64_t sy = int64_t(origin.y) + (part.top - d.top) + row;
          if (sx < 0 || sy < 0 || sx >= pixels->Width() || sy >= pixels->Height()) {
            out[col] = 0;  // outside the source: left alone
            continue;
          }
          uint32_t p = pixels->Row(static_cast<int>(sy))[sx] | 0xFF000000u;
          if (toColor) p = (p & 0xFFFFFF) ? back : fore;
          if (toMono) p = (p == sourceBk) ? 0xFFFFFFFFu : 0xFF000000u;
          out[col] = p;
        }
      }
      op.source = std::move(copy);
      op.sourceBox = part;
    } else if (!pixels && s->kind != platform::DcKind::Recording) {
      // Only a recording DC takes a blit from a source without pixels: it
      // records the call.
      return FALSE;
    }
  }
  return s->Emit(op) ? TRUE : FALSE;
}
