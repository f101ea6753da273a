#include "platform/gdi/RasterSurface.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "platform/gdi/BrushPixels.h"
#include "platform/gdi/CosmeticLine.h"
#include "platform/gdi/FigureGeometry.h"
#include "platform/gdi/RasterOps.h"

namespace platform {

namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return RECT{0, 0, 0, 0};
  return r;
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// A figure being drawn: colour and coverage of each pixel of a box, combined
// with the destination when complete, so that each pixel is touched once.
class Layer {
 public:
  explicit Layer(const RECT& box)
      : box_(box), width_(box.right - box.left), height_(box.bottom - box.top),
        pixels_(size_t(width_) * size_t(height_), 0) {}

  const RECT& Box() const { return box_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Sets a pixel (device coordinates) to an opaque colour.
  void Set(int x, int y, uint32_t color) {
    if (x < box_.left || y < box_.top || x >= box_.right || y >= box_.bottom) return;
    pixels_[size_t(y - box_.top) * width_ + (x - box_.left)] = 0xFF000000u | (color & 0xFFFFFFu);
  }
  // Lays `color` with coverage `alpha` over the pixel.
  void Blend(int x, int y, uint32_t color, unsigned alpha) {
    if (alpha == 0 || x < box_.left || y < box_.top || x >= box_.right || y >= box_.bottom) return;
    uint32_t& p = pixels_[size_t(y - box_.top) * width_ + (x - box_.left)];
    const unsigned under = p >> 24;
    if (under == 0 || alpha >= 255) {
      p = (alpha << 24) | (color & 0xFFFFFFu);
      return;
    }
    auto mix = [&](int shift) {
      const unsigned a = (color >> shift) & 0xFF, b = (p >> shift) & 0xFF;
      return ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
    };
    p = (std::max(under, alpha) << 24) | mix(16) | mix(8) | mix(0);
  }
  uint32_t At(int x, int y) const { return pixels_[size_t(y - box_.top) * width_ + (x - box_.left)]; }

 private:
  RECT box_;
  int width_, height_;
  std::vector<uint32_t> pixels_;
};

// A coverage mask drawn by Cairo over a box, without anti-aliasing unless asked.
class Mask {
 public:
  Mask(const RECT& box, bool antialias)
      : box_(box),
        surface_(cairo_image_surface_create(CAIRO_FORMAT_A8, box.right - box.left, box.bottom - box.top)),
        cr_(cairo_create(surface_)) {
    cairo_translate(cr_, -box.left, -box.top);
    cairo_set_antialias(cr_, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  }
  ~Mask() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  Mask(const Mask&) = delete;
  Mask& operator=(const Mask&) = delete;

  cairo_t* Cr() { return cr_; }
  bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  // Calls f(x, y, coverage) for every covered pixel.
  template <typename F>
  void ForEach(F f) {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    if (!data) return;
    for (int y = box_.top; y < box_.bottom; ++y) {
      const unsigned char* row = data + size_t(y - box_.top) * stride;
      for (int x = box_.left; x < box_.right; ++x) {
        if (row[x - box_.left]) f(x, y, row[x - box_.left]);
      }
    }
  }

 private:
  RECT box_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Cuts segment a-b to the rectangle; false when nothing of it is inside.
bool ClipSegment(PointD& a, PointD& b, double l, double t, double r, double bottom) {
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy}, q[4] = {a.x - l, r - a.x, a.y - t, bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double u = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, u);
    else t1 = std::min(t1, u);
    if (t0 > t1) return false;
  }
  const PointD a0 = a;
  a = {a0.x + t0 * dx, a0.y + t0 * dy};
  b = {a0.x + t1 * dx, a0.y + t1 * dy};
  return true;
}

void StrokeWide(Layer& layer, const std::vector<PointD>& path, bool closed, const PenState& pen) {
  Mask mask(layer.Box(), false);
  if (!mask.Ok() || path.empty()) return;
  cairo_t* cr = mask.Cr();
  cairo_set_line_width(cr, pen.deviceWidth);
  const UINT cap = pen.style & PS_ENDCAP_MASK, join = pen.style & PS_JOIN_MASK;
  cairo_set_line_cap(cr, cap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                         : cap == PS_ENDCAP_FLAT ? CAIRO_LINE_CAP_BUTT
                                                 : CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, join == PS_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL
                          : join == PS_JOIN_MITER ? CAIRO_LINE_JOIN_MITER
                                                  : CAIRO_LINE_JOIN_ROUND);
  // Segments are cut to the box grown by the pen width, so that Cairo never
  // sees coordinates far outside it; the cut ends lie where nothing shows.
  const RECT& box = layer.Box();
  const double grow = pen.deviceWidth + 2.0;
  const double l = box.left - grow, t = box.top - grow, r = box.right + grow, b = box.bottom + grow;
  std::vector<PointD> points = path;
  if (closed && points.size() > 1) points.push_back(points.front());
  bool open = false;  // a sub-path is in progress
  PointD last{0, 0};
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    PointD a = points[i], e = points[i + 1];
    const bool wholeStart = a.x == points[i].x && a.y == points[i].y;
    if (!ClipSegment(a, e, l, t, r, b)) {
      open = false;
      continue;
    }
    const bool startsCut = !(wholeStart && a.x == points[i].x && a.y == points[i].y);
    if (!open || startsCut || a.x != last.x || a.y != last.y) cairo_move_to(cr, a.x + 0.5, a.y + 0.5);
    cairo_line_to(cr, e.x + 0.5, e.y + 0.5);
    last = e;
    open = !(e.x != points[i + 1].x || e.y != points[i + 1].y);
  }
  if (points.size() == 1) {
    cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
    cairo_close_path(cr);
  } else if (closed && open && points.size() > 2) {
    bool whole = true;  // nothing was cut: close the path for a proper join
    for (const auto& p : points) whole = whole && p.x >= l && p.x <= r && p.y >= t && p.y <= b;
    if (whole) cairo_close_path(cr);
  }
  cairo_stroke(cr);
  const uint32_t color = PixelFromColor(pen.color);
  mask.ForEach([&](int x, int y, unsigned) { layer.Set(x, y, color); });
}

// Combines a layer with the destination through the clip region.
template <typename F>
void ForEachClipped(const Region& clip, const RECT& box, F f) {
  for (const auto& band : clip.Bands()) {
    if (band.bottom <= box.top) continue;
    if (band.top >= box.bottom) break;
    const int y0 = std::max(band.top, box.top), y1 = std::min(band.bottom, box.bottom);
    for (const auto& span : band.spans) {
      const int x0 = std::max(span.left, box.left), x1 = std::min(span.right, box.right);
      if (x0 >= x1) continue;
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) f(x, y);
      }
    }
  }
}

}  // namespace

RasterSurface::RasterSurface(int width, int height, bool monochrome, COLORREF fill)
    : pixels_(width, height, monochrome ? (ToMonochrome(PixelFromColor(fill)) & 0xFFFFFF) : fill),
      monochrome_(monochrome) {}

uint32_t RasterSurface::Store(uint32_t p) const { return monochrome_ ? ToMonochrome(p) : (0xFF000000u | p); }

void RasterSurface::Draw(const DrawOp& op) {
  if (pixels_.Empty() || !op.clip || op.clip->IsEmpty()) return;
  switch (op.kind) {
    case DrawKind::Polyline:
    case DrawKind::Polygon:
    case DrawKind::Rectangle:
    case DrawKind::RoundRect:
    case DrawKind::Ellipse:
    case DrawKind::Arc:
    case DrawKind::Pie:
    case DrawKind::Chord:
      DrawFigure(op);
      break;
    case DrawKind::Text:
      DrawText(op);
      break;
    case DrawKind::FillRect:
    case DrawKind::FrameRect:
    case DrawKind::InvertRect:
    case DrawKind::PatBlt:
    case DrawKind::BitBlt:
      DrawBlt(op);
      break;
    case DrawKind::FocusRect:
      DrawFocusRect(op);
      break;
    case DrawKind::SetPixel:
      DrawSetPixel(op);
      break;
  }
}

void RasterSurface::DrawFigure(const DrawOp& op) {
  if (op.rop2 == R2_NOP) return;
  const RECT box = Intersect(Intersect(OpBounds(op), op.clip->Bounds()), RECT{0, 0, pixels_.Width(), pixels_.Height()});
  if (IsEmpty(box)) return;
  const Figure figure = BuildFigure(op);
  Layer layer(box);
  if (figure.fill != Figure::Fill::None && !op.brush.IsNull()) {
    const Region interior = figure.FillRegion(box);
    BrushPixels brush(op.brush, op.brushOrg, op.bkMode, op.bkColor, op.textColor);
    ForEachClipped(interior, box, [&](int x, int y) {
      if (auto c = brush.At(x, y)) layer.Set(x, y, *c);
    });
  }
  if (!op.pen.IsNull()) {
    for (size_t i = 0; i < figure.outlines.size(); ++i) {
      if (op.pen.IsCosmetic()) {
        CosmeticLine line(op.pen, op.bkMode, op.bkColor, box);
        line.Path(figure.outlines[i], figure.closed[i], [&](int x, int y, uint32_t c) { layer.Set(x, y, c); });
      } else {
        StrokeWide(layer, figure.outlines[i], figure.closed[i], op.pen);
      }
    }
  }
  ForEachClipped(*op.clip, box, [&](int x, int y) {
    const uint32_t src = layer.At(x, y);
    if ((src >> 24) == 0) return;
    uint32_t& dst = pixels_.Row(y)[x];
    dst = Store(ApplyRop2(op.rop2, src, dst));
  });
}

void RasterSurface::DrawText(const DrawOp& op) {
  if (!op.realized) return;
  const FontMetrics& m = op.realized->Metrics();
  const POINT o = op.device[0];
  const double angle = op.realized->Escapement() * std::numbers::pi / 1800.0;
  // The glyphs' box: the run from the baseline start, rotated about it.
  const double c = std::cos(angle), s = std::sin(angle);
  const double corners[4][2] = {{0, double(-m.ascent)}, {double(op.textWidth), double(-m.ascent)},
                                {double(op.textWidth), double(m.descent)}, {0, double(m.descent)}};
  double minX = o.x, maxX = o.x, minY = o.y, maxY = o.y;
  for (const auto& k : corners) {
    const double x = o.x + k[0] * c + k[1] * s, y = o.y - k[0] * s + k[1] * c;
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  const int pad = m.maxCharWidth / 2 + 2;
  RECT box{static_cast<LONG>(std::floor(minX)) - pad, static_cast<LONG>(std::floor(minY)) - pad,
           static_cast<LONG>(std::ceil(maxX)) + pad, static_cast<LONG>(std::ceil(maxY)) + pad};
  if (op.opaqueBox) {
    box.left = std::min(box.left, op.box.left);
    box.top = std::min(box.top, op.box.top);
    box.right = std::max(box.right, op.box.right);
    box.bottom = std::max(box.bottom, op.box.bottom);
  }
  box = Intersect(Intersect(box, op.clip->Bounds()), RECT{0, 0, pixels_.Width(), pixels_.Height()});
  if (IsEmpty(box)) return;
  Layer layer(box);
  if (op.opaqueBox) {
    const uint32_t bk = PixelFromColor(op.bkColor);
    const RECT fill = Intersect(op.box, box);
    for (int y = fill.top; y < fill.bottom; ++y) {
      for (int x = fill.left; x < fill.right; ++x) layer.Set(x, y, bk);
    }
  }
  Mask mask(box, op.realized->Antialiased());
  if (mask.Ok()) {
    cairo_t* cr = mask.Cr();
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, op.realized->Antialiased() ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_translate(cr, o.x, o.y);
    cairo_rotate(cr, -angle);
    op.realized->ShowGlyphs(cr, op.glyphs);
    // Underline and strike-out lines, as thick as a fourteenth of the em.
    const double thick = std::max(1.0, std::round(op.realized->EmY() / 14.0));
    if (op.realized->Underline()) cairo_rectangle(cr, 0, std::max(1, m.descent / 2), op.textWidth, thick);
    if (op.realized->StrikeOut()) cairo_rectangle(cr, 0, -std::round(m.ascent / 3.0), op.textWidth, thick);
    cairo_fill(cr);
    const uint32_t fg = PixelFromColor(op.textColor);
    mask.ForEach([&](int x, int y, unsigned coverage) { layer.Blend(x, y, fg, coverage); });
  }
  // Text is not subject to the binary raster operation.
  ForEachClipped(*op.clip, box, [&](int x, int y) {
    const uint32_t src = layer.At(x, y);
    const unsigned alpha = src >> 24;
    if (alpha == 0) return;
    uint32_t& dst = pixels_.Row(y)[x];
    if (alpha == 255) {
      dst = Store(src);
      return;
    }
    auto mix = [&](int shift) {
      const unsigned a = (src >> shift) & 0xFF, b = (dst >> shift) & 0xFF;
      return ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
    };
    dst = Store(mix(16) | mix(8) | mix(0));
  });
}

void RasterSurface::DrawBlt(const DrawOp& op) {
  const RECT r{op.device[0].x, op.device[0].y, op.device[1].x, op.device[1].y};
  const RECT box = Intersect(Intersect(r, op.clip->Bounds()), RECT{0, 0, pixels_.Width(), pixels_.Height()});
  if (IsEmpty(box)) return;
  DWORD rop = op.rop3;
  if (op.kind == DrawKind::FillRect || op.kind == DrawKind::FrameRect) rop = PATCOPY;
  if (op.kind == DrawKind::InvertRect) rop = DSTINVERT;
  BrushPixels brush(op.brush, op.brushOrg, op.bkMode, op.bkColor, op.textColor);
  const bool usesPattern = Rop3UsesPattern(rop), usesSource = Rop3UsesSource(rop);
  if (usesSource && !op.source) return;
  if (usesPattern && op.brush.IsNull()) return;
  // FrameRect changes only a border one unit (device[2]) wide.
  const int frameX = op.device.size() > 2 ? op.device[2].x : 1, frameY = op.device.size() > 2 ? op.device[2].y : 1;
  ForEachClipped(*op.clip, box, [&](int x, int y) {
    if (op.kind == DrawKind::FrameRect && x >= r.left + frameX && x < r.right - frameX && y >= r.top + frameY &&
        y < r.bottom - frameY) {
      return;
    }
    uint32_t p = 0, s = 0;
    if (usesPattern) {
      auto c = brush.At(x, y);
      if (!c) return;  // the gaps of a transparent hatch
      p = *c;
    }
    if (usesSource) {
      const RECT& sb = op.sourceBox;
      if (x < sb.left || y < sb.top || x >= sb.right || y >= sb.bottom) return;
      s = op.source->Row(y - sb.top)[x - sb.left];
      if ((s >> 24) == 0) return;
    }
    uint32_t& dst = pixels_.Row(y)[x];
    dst = Store(ApplyRop3(rop, p, s, dst));
  });
}

void RasterSurface::DrawFocusRect(const DrawOp& op) {
  const RECT r{op.device[0].x, op.device[0].y, op.device[1].x, op.device[1].y};
  if (IsEmpty(r)) return;
  const RECT box = Intersect(Intersect(r, op.clip->Bounds()), RECT{0, 0, pixels_.Width(), pixels_.Height()});
  if (IsEmpty(box)) return;
  // Every other pixel of the one-pixel border is inverted; the corners once.
  ForEachClipped(*op.clip, box, [&](int x, int y) {
    const bool edge = y == r.top || y == r.bottom - 1 || x == r.left || x == r.right - 1;
    if (!edge || ((x + y) & 1) != 0) return;
    uint32_t& dst = pixels_.Row(y)[x];
    dst = Store(dst ^ 0x00FFFFFFu);
  });
}

void RasterSurface::DrawSetPixel(const DrawOp& op) {
  const POINT p = op.device[0];
  if (!pixels_.InBounds(p.x, p.y) || !op.clip->Contains(p.x, p.y)) return;
  pixels_.Row(p.y)[p.x] = Store(PixelFromColor(op.color));
}

}  // namespace platform
