#include "platform/gdi/FigureGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace platform {

namespace {

constexpr double kPi = std::numbers::pi;

std::vector<PointD> ToPointD(const POINT* p, size_t n) {
  std::vector<PointD> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = {double(p[i].x), double(p[i].y)};
  return out;
}

// The rectangle of the pen path of a closed figure: the pixels l..r-1, moved
// inward for an inside-frame pen so that its outer edge stays on the box.
void PenBox(const DrawOp& op, double* l, double* t, double* r, double* b) {
  *l = op.device[0].x;
  *t = op.device[0].y;
  *r = op.device[1].x - 1;
  *b = op.device[1].y - 1;
  if (op.pen.Kind() == PS_INSIDEFRAME && op.pen.deviceWidth > 1) {
    const double inset = (op.pen.deviceWidth - 1) / 2.0;
    *l += inset;
    *t += inset;
    *r -= inset;
    *b -= inset;
    if (*r < *l) *l = *r = (*l + *r) / 2;
    if (*b < *t) *t = *b = (*t + *b) / 2;
  }
}

double AngleOf(double cx, double cy, double rx, double ry, POINT p) {
  // The parameter angle where the ray from the centre through p meets the
  // ellipse (y grows downward on the device, angles grow counterclockwise).
  return std::atan2(rx * -(p.y - cy), ry * (p.x - cx));
}

}  // namespace

std::vector<PointD> EllipseArc(double cx, double cy, double rx, double ry, double start, double sweep) {
  const double radius = std::max(std::abs(rx), std::abs(ry));
  const int steps = std::clamp(static_cast<int>(std::ceil(radius * std::abs(sweep) / 2.0)), 4, 4096);
  std::vector<PointD> out;
  out.reserve(steps + 1);
  for (int i = 0; i <= steps; ++i) {
    const double a = start + sweep * i / steps;
    out.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return out;
}

Figure BuildFigure(const DrawOp& op) {
  Figure f;
  const bool pen = !op.pen.IsNull();
  switch (op.kind) {
    case DrawKind::Polyline:
      f.outlines.push_back(ToPointD(op.device.data(), op.device.size()));
      f.closed.push_back(false);
      break;
    case DrawKind::Polygon: {
      f.fill = Figure::Fill::Polygons;
      f.fillMode = op.polyFillMode;
      std::vector<int> counts = op.counts;
      if (counts.empty()) counts.push_back(static_cast<int>(op.device.size()));
      size_t at = 0;
      for (int n : counts) {
        if (n <= 0 || at + n > op.device.size()) break;
        auto points = ToPointD(op.device.data() + at, n);
        f.outlines.push_back(points);
        f.closed.push_back(true);
        f.fillPolygons.push_back(std::move(points));
        at += n;
      }
      break;
    }
    case DrawKind::Rectangle:
    case DrawKind::Ellipse:
    case DrawKind::RoundRect: {
      double l, t, r, b;
      PenBox(op, &l, &t, &r, &b);
      const RECT box{op.device[0].x, op.device[0].y, op.device[1].x - (pen ? 0 : 1), op.device[1].y - (pen ? 0 : 1)};
      f.fillBox = box;
      if (op.kind == DrawKind::Rectangle) {
        f.fill = Figure::Fill::Rect;
        f.outlines.push_back({{l, t}, {r, t}, {r, b}, {l, b}});
      } else if (op.kind == DrawKind::Ellipse) {
        f.fill = Figure::Fill::Ellipse;
        f.outlines.push_back(EllipseArc((l + r) / 2, (t + b) / 2, (r - l) / 2, (b - t) / 2, 0, 2 * kPi));
      } else {
        f.fill = Figure::Fill::RoundRect;
        const double cw = std::clamp<double>(op.device[2].x, 0, r - l), ch = std::clamp<double>(op.device[2].y, 0, b - t);
        f.corner = SIZE{static_cast<LONG>(cw), static_cast<LONG>(ch)};
        const double ex = cw / 2, ey = ch / 2;
        std::vector<PointD> path;
        auto corner = [&](double cx, double cy, double start) {
          auto arc = EllipseArc(cx, cy, ex, ey, start, kPi / 2);
          path.insert(path.end(), arc.begin(), arc.end());
        };
        corner(r - ex, t + ey, 0);           // top right
        corner(l + ex, t + ey, kPi / 2);     // top left
        corner(l + ex, b - ey, kPi);         // bottom left
        corner(r - ex, b - ey, 3 * kPi / 2);  // bottom right
        f.outlines.push_back(std::move(path));
      }
      f.closed.push_back(true);
      break;
    }
    case DrawKind::Arc:
    case DrawKind::Pie:
    case DrawKind::Chord: {
      double l, t, r, b;
      PenBox(op, &l, &t, &r, &b);
      const double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
      const double start = AngleOf(cx, cy, rx, ry, op.device[2]);
      const double end = AngleOf(cx, cy, rx, ry, op.device[3]);
      double sweep = end - start;
      if (op.arcDirection == AD_CLOCKWISE) {
        while (sweep >= 0) sweep -= 2 * kPi;
      } else {
        while (sweep <= 0) sweep += 2 * kPi;
      }
      std::vector<PointD> path = EllipseArc(cx, cy, rx, ry, start, sweep);
      if (op.kind == DrawKind::Pie) path.push_back({cx, cy});
      const bool closed = op.kind != DrawKind::Arc;
      if (closed) {
        f.fill = Figure::Fill::Polygons;
        std::vector<PointD> edges = path;
        for (auto& p : edges) {
          p.x += 0.5;
          p.y += 0.5;
        }
        f.fillPolygons.push_back(std::move(edges));
      }
      f.outlines.push_back(std::move(path));
      f.closed.push_back(closed);
      break;
    }
    default:
      break;
  }
  return f;
}

Region Figure::FillRegion(const RECT& rows) const {
  switch (fill) {
    case Fill::None: return Region();
    case Fill::Rect: return Region::FromRect(fillBox).Intersect(RECT{fillBox.left, rows.top, fillBox.right, rows.bottom});
    case Fill::Ellipse: return Region::FromEllipse(fillBox, &rows);
    case Fill::RoundRect: return Region::FromRoundRect(fillBox, corner.cx, corner.cy, &rows);
    case Fill::Polygons: {
      // Vertices round to whole edges: the fill of integer polygons is exact.
      std::vector<POINT> points;
      std::vector<int> counts;
      for (const auto& poly : fillPolygons) {
        for (const auto& p : poly) points.push_back({static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))});
        counts.push_back(static_cast<int>(poly.size()));
      }
      return Region::FromPolyPolygon(points.data(), counts.data(), static_cast<int>(counts.size()), fillMode, &rows);
    }
  }
  return Region();
}

std::vector<std::vector<PointD>> Figure::FillPaths() const {
  const double l = fillBox.left, t = fillBox.top, r = fillBox.right, b = fillBox.bottom;
  switch (fill) {
    case Fill::None: return {};
    case Fill::Rect: return {{{l, t}, {r, t}, {r, b}, {l, b}}};
    case Fill::Ellipse: return {EllipseArc((l + r) / 2, (t + b) / 2, (r - l) / 2, (b - t) / 2, 0, 2 * kPi)};
    case Fill::RoundRect: {
      const double ex = corner.cx / 2.0, ey = corner.cy / 2.0;
      std::vector<PointD> path;
      const double starts[4][3] = {{r - ex, t + ey, 0}, {l + ex, t + ey, kPi / 2}, {l + ex, b - ey, kPi}, {r - ex, b - ey, 3 * kPi / 2}};
      for (const auto& s : starts) {
        auto arc = EllipseArc(s[0], s[1], ex, ey, s[2], kPi / 2);
        path.insert(path.end(), arc.begin(), arc.end());
      }
      return {path};
    }
    case Fill::Polygons: return fillPolygons;
  }
  return {};
}

RECT OpBounds(const DrawOp& op) {
  if (op.device.empty()) return RECT{0, 0, 0, 0};
  RECT r{op.device[0].x, op.device[0].y, op.device[0].x + 1, op.device[0].y + 1};
  size_t n = op.device.size();
  // The extra points of round rectangles and arcs are sizes and directions.
  if (op.kind == DrawKind::RoundRect || op.kind == DrawKind::Arc || op.kind == DrawKind::Pie ||
      op.kind == DrawKind::Chord || op.kind == DrawKind::BitBlt) {
    n = 2;
  }
  for (size_t i = 0; i < n; ++i) {
    r.left = std::min(r.left, op.device[i].x);
    r.top = std::min(r.top, op.device[i].y);
    r.right = std::max(r.right, op.device[i].x + 1);
    r.bottom = std::max(r.bottom, op.device[i].y + 1);
  }
  const int grow = op.pen.IsNull() ? 1 : op.pen.deviceWidth / 2 + 2;
  r.left -= grow;
  r.top -= grow;
  r.right += grow;
  r.bottom += grow;
  return r;
}

}  // namespace platform
