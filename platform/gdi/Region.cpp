#include "platform/gdi/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "platform/gdi/GdiConstants.h"

namespace platform {

namespace {

RECT Normalised(const RECT& r) {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

// Combines two sorted span lists with a boolean operation on "inside a" and
// "inside b".
template <typename Op>
std::vector<Region::Span> CombineSpans(const std::vector<Region::Span>& a, const std::vector<Region::Span>& b,
                                       Op op) {
  std::vector<int> xs;
  xs.reserve(2 * (a.size() + b.size()));
  for (const auto& s : a) {
    xs.push_back(s.left);
    xs.push_back(s.right);
  }
  for (const auto& s : b) {
    xs.push_back(s.left);
    xs.push_back(s.right);
  }
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  std::vector<Region::Span> out;
  size_t ia = 0, ib = 0;
  for (size_t i = 0; i + 1 < xs.size(); ++i) {
    const int x0 = xs[i], x1 = xs[i + 1];
    while (ia < a.size() && a[ia].right <= x0) ++ia;
    while (ib < b.size() && b[ib].right <= x0) ++ib;
    const bool inA = ia < a.size() && a[ia].left <= x0;
    const bool inB = ib < b.size() && b[ib].left <= x0;
    if (!op(inA, inB)) continue;
    if (!out.empty() && out.back().right == x0) {
      out.back().right = x1;
    } else {
      out.push_back({x0, x1});
    }
  }
  return out;
}

// The spans of `r` at row y (empty when no band covers it).
const std::vector<Region::Span>* SpansAt(const std::vector<Region::Band>& bands, int y) {
  auto it = std::upper_bound(bands.begin(), bands.end(), y,
                             [](int v, const Region::Band& b) { return v < b.bottom; });
  if (it == bands.end() || it->top > y) return nullptr;
  return &it->spans;
}

// Adds the pixel-centre span [xa, xb) of one row to a list, as the pixels
// whose centre x + 0.5 lies in [xa, xb).
void AddCentreSpan(std::vector<Region::Span>& spans, double xa, double xb) {
  const int left = static_cast<int>(std::ceil(xa - 0.5));
  const int right = static_cast<int>(std::ceil(xb - 0.5));
  if (right > left) spans.push_back({left, right});
}

std::vector<Region::Span> Normalise(std::vector<Region::Span> spans) {
  std::sort(spans.begin(), spans.end(), [](const Region::Span& a, const Region::Span& b) { return a.left < b.left; });
  std::vector<Region::Span> out;
  for (const auto& s : spans) {
    if (!out.empty() && s.left <= out.back().right) {
      out.back().right = std::max(out.back().right, s.right);
    } else {
      out.push_back(s);
    }
  }
  return out;
}

}  // namespace

void Region::AppendBand(int top, int bottom, std::vector<Span> spans) {
  if (spans.empty() || bottom <= top) return;
  if (!bands_.empty() && bands_.back().bottom == top && bands_.back().spans == spans) {
    bands_.back().bottom = bottom;
    return;
  }
  bands_.push_back(Band{top, bottom, std::move(spans)});
}

Region Region::FromRect(const RECT& rect) {
  Region out;
  const RECT r = Normalised(rect);
  if (r.right > r.left && r.bottom > r.top) out.AppendBand(r.top, r.bottom, {{r.left, r.right}});
  return out;
}

Region Region::FromEllipse(const RECT& rect, const RECT* rows) {
  const RECT r = Normalised(rect);
  return FromRoundRect(r, r.right - r.left, r.bottom - r.top, rows);
}

Region Region::FromRoundRect(const RECT& rect, int ellipseWidth, int ellipseHeight, const RECT* rows) {
  Region out;
  const RECT r = Normalised(rect);
  if (r.right <= r.left || r.bottom <= r.top) return out;
  const double ew = std::clamp(std::abs(ellipseWidth), 0, r.right - r.left) / 2.0;
  const double eh = std::clamp(std::abs(ellipseHeight), 0, r.bottom - r.top) / 2.0;
  const int y0 = rows ? std::max(r.top, std::min(rows->top, rows->bottom)) : r.top;
  const int y1 = rows ? std::min(r.bottom, std::max(rows->top, rows->bottom)) : r.bottom;
  for (int y = y0; y < y1; ++y) {
    const double yc = y + 0.5;
    double inset = 0;
    if (ew > 0 && eh > 0) {
      double dy = 0;
      if (yc < r.top + eh) dy = (r.top + eh - yc) / eh;
      else if (yc > r.bottom - eh) dy = (yc - (r.bottom - eh)) / eh;
      if (dy >= 1) continue;
      inset = ew * (1 - std::sqrt(1 - dy * dy));
    }
    // Pixel centres within the closed interval [left + inset, right - inset].
    const int left = static_cast<int>(std::ceil(r.left + inset - 0.5));
    const int right = static_cast<int>(std::floor(r.right - inset - 0.5)) + 1;
    if (right > left) out.AppendBand(y, y + 1, {{left, right}});
  }
  return out;
}

Region Region::FromPolygon(const POINT* points, int count, int fillMode, const RECT* rows) {
  return FromPolyPolygon(points, &count, 1, fillMode, rows);
}

Region Region::FromPolyPolygon(const POINT* points, const int* counts, int polygons, int fillMode,
                               const RECT* rows) {
  Region out;
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  int minY = 0, maxY = 0;
  bool any = false;
  const POINT* p = points;
  for (int k = 0; k < polygons; ++k) {
    const int n = counts[k];
    if (n <= 0) continue;
    for (int i = 0; i < n; ++i) {
      const POINT a = p[i], b = p[(i + 1) % n];
      if (!any) {
        minY = maxY = a.y;
        any = true;
      }
      minY = std::min({minY, a.y, b.y});
      maxY = std::max({maxY, a.y, b.y});
      if (a.y == b.y) continue;
      if (a.y < b.y) edges.push_back({double(a.x), double(a.y), double(b.x), double(b.y), 1});
      else edges.push_back({double(b.x), double(b.y), double(a.x), double(a.y), -1});
    }
    p += n;
  }
  if (edges.empty()) return out;
  if (rows) {
    minY = std::max(minY, std::min(rows->top, rows->bottom));
    maxY = std::min(maxY, std::max(rows->top, rows->bottom));
  }
  std::vector<std::pair<double, int>> crossings;
  for (int y = minY; y < maxY; ++y) {
    const double yc = y + 0.5;
    crossings.clear();
    for (const auto& e : edges) {
      if (yc < e.y0 || yc >= e.y1) continue;
      crossings.push_back({e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<Span> spans;
    if (fillMode == WINDING) {
      int winding = 0;
      for (size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].second;
        if (winding != 0) AddCentreSpan(spans, crossings[i].first, crossings[i + 1].first);
      }
    } else {
      for (size_t i = 0; i + 1 < crossings.size(); i += 2) AddCentreSpan(spans, crossings[i].first, crossings[i + 1].first);
    }
    out.AppendBand(y, y + 1, Normalise(std::move(spans)));
  }
  return out;
}

bool Region::PolyPolygonMeetsRect(const POINT* points, const int* counts, int polygons, int fillMode,
                                  const RECT& rect) {
  const RECT r = Normalised(rect);
  if (r.right <= r.left || r.bottom <= r.top) return false;
  long long total = 0;
  LONG top = 0, bottom = 0;
  for (int k = 0; k < polygons; ++k) {
    for (int i = 0; i < counts[k]; ++i) {
      const POINT& p = points[total + i];
      top = total + i == 0 ? p.y : std::min(top, p.y);
      bottom = total + i == 0 ? p.y : std::max(bottom, p.y);
    }
    total += std::max(counts[k], 0);
  }
  if (total == 0) return false;
  const long long rows = static_cast<long long>(std::min(bottom, r.bottom)) - std::max(top, r.top);
  if (rows <= 0) return false;
  if (!FigureWorkAllowed(rows, total)) return false;
  return FromPolyPolygon(points, counts, polygons, fillMode, &r).Intersects(r);
}

int Region::Kind() const {
  if (bands_.empty()) return NULLREGION;
  return bands_.size() == 1 && bands_[0].spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::Bounds() const {
  if (bands_.empty()) return RECT{0, 0, 0, 0};
  RECT r{bands_.front().spans.front().left, bands_.front().top, bands_.front().spans.back().right,
         bands_.back().bottom};
  for (const auto& b : bands_) {
    r.left = std::min(r.left, b.spans.front().left);
    r.right = std::max(r.right, b.spans.back().right);
  }
  return r;
}

bool Region::Contains(int x, int y) const {
  const auto* spans = SpansAt(bands_, y);
  if (!spans) return false;
  auto it = std::upper_bound(spans->begin(), spans->end(), x, [](int v, const Span& s) { return v < s.right; });
  return it != spans->end() && it->left <= x;
}

bool Region::Intersects(const RECT& rect) const {
  const RECT r = Normalised(rect);
  if (r.right <= r.left || r.bottom <= r.top) return false;
  for (const auto& b : bands_) {
    if (b.bottom <= r.top) continue;
    if (b.top >= r.bottom) break;
    for (const auto& s : b.spans) {
      if (s.left < r.right && s.right > r.left) return true;
    }
  }
  return false;
}

void Region::Offset(int dx, int dy) {
  // Coordinates stay within 30 bits, so that no offset can overflow them.
  static constexpr long long kLimit = 1LL << 30;
  auto move = [](int v, int d) { return static_cast<int>(std::clamp<long long>((long long)v + d, -kLimit, kLimit)); };
  for (auto& b : bands_) {
    b.top = move(b.top, dy);
    b.bottom = move(b.bottom, dy);
    for (auto& s : b.spans) {
      s.left = move(s.left, dx);
      s.right = move(s.right, dx);
    }
  }
}

std::vector<RECT> Region::Rects() const {
  std::vector<RECT> out;
  for (const auto& b : bands_) {
    for (const auto& s : b.spans) out.push_back(RECT{s.left, b.top, s.right, b.bottom});
  }
  return out;
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
  if (mode == RGN_COPY) return a;
  auto op = [mode](bool inA, bool inB) {
    switch (mode) {
      case RGN_AND: return inA && inB;
      case RGN_OR: return inA || inB;
      case RGN_XOR: return inA != inB;
      case RGN_DIFF: return inA && !inB;
      default: return false;
    }
  };
  std::vector<int> ys;
  for (const auto& band : a.bands_) {
    ys.push_back(band.top);
    ys.push_back(band.bottom);
  }
  for (const auto& band : b.bands_) {
    ys.push_back(band.top);
    ys.push_back(band.bottom);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  static const std::vector<Span> kNone;
  Region out;
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    const auto* sa = SpansAt(a.bands_, ys[i]);
    const auto* sb = SpansAt(b.bands_, ys[i]);
    out.AppendBand(ys[i], ys[i + 1], CombineSpans(sa ? *sa : kNone, sb ? *sb : kNone, op));
  }
  return out;
}

Region Region::Intersect(const Region& other) const { return Combine(*this, other, RGN_AND); }

bool Region::operator==(const Region& other) const {
  if (bands_.size() != other.bands_.size()) return false;
  for (size_t i = 0; i < bands_.size(); ++i) {
    const auto &x = bands_[i], &y = other.bands_[i];
    if (x.top != y.top || x.bottom != y.bottom || x.spans != y.spans) return false;
  }
  return true;
}

}  // namespace platform
