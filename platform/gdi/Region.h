// A set of pixels on the integer grid, kept as horizontal bands of x-spans,
// as the Windows regions are: the geometry behind CRgn, clipping and the
// filled figures. Pixel (x, y) is the unit square whose centre is
// (x + 0.5, y + 0.5); a rectangle [left, right) x [top, bottom) holds the
// pixels left..right-1 and top..bottom-1.
#pragma once

#include <utility>
#include <vector>

#include "platform/core/WinTypes.h"

namespace platform {

class Region {
 public:
  struct Span {
    int left;
    int right;  // exclusive
    bool operator==(const Span&) const = default;
  };
  struct Band {
    int top;
    int bottom;  // exclusive
    std::vector<Span> spans;
  };

  Region() = default;

  // The rectangle, normalised first (so that the edges may come in any order).
  static Region FromRect(const RECT& r);
  // The ellipse inscribed in the normalised rectangle: the pixels whose centre
  // lies inside it.
  // The figure constructors compute only the rows within `rows` when given
  // (a drawing needs only the visible rows of a figure).
  static Region FromEllipse(const RECT& r, const RECT* rows = nullptr);
  // The normalised rectangle with corners rounded by an ellipse `ellipseWidth`
  // by `ellipseHeight` (clamped to the rectangle).
  static Region FromRoundRect(const RECT& r, int ellipseWidth, int ellipseHeight, const RECT* rows = nullptr);
  // The polygons' inside under ALTERNATE (even-odd) or WINDING (non-zero)
  // filling: the pixels whose centre lies inside, edges on the left and top
  // inside, on the right and bottom outside.
  static Region FromPolyPolygon(const POINT* points, const int* counts, int polygons, int fillMode,
                                const RECT* rows = nullptr);
  static Region FromPolygon(const POINT* points, int count, int fillMode, const RECT* rows = nullptr);
  // Whether some pixel of the normalised rectangle is inside the polygons, as
  // FromPolyPolygon(...).Intersects(r) answers, computing only the rows of the
  // rectangle (a hit test of a long figure by a small rectangle costs the
  // rectangle's height, not the figure's). False as well when those rows
  // exceed the figure work bound below, as the region could not be made.
  static bool PolyPolygonMeetsRect(const POINT* points, const int* counts, int polygons, int fillMode,
                                   const RECT& r);

  // The work of building a figure of `rows` scan lines and `edges` edges is
  // bounded: a region of more than this many row-edge steps is refused (the
  // Windows functions fail alike on regions too large for their memory).
  static constexpr long long kMaxFigureWork = 1LL << 26;
  static bool FigureWorkAllowed(long long rows, long long edges) { return rows * (edges + 1) <= kMaxFigureWork; }

  bool IsEmpty() const { return bands_.empty(); }
  // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
  int Kind() const;
  // The smallest rectangle holding the region; (0,0,0,0) when empty.
  RECT Bounds() const;
  bool Contains(int x, int y) const;
  // True when some pixel of the normalised rectangle is in the region.
  bool Intersects(const RECT& r) const;
  void Offset(int dx, int dy);
  // The rectangles of the region, top to bottom and left to right.
  std::vector<RECT> Rects() const;
  const std::vector<Band>& Bands() const { return bands_; }

  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF (a less b) or RGN_COPY (a).
  static Region Combine(const Region& a, const Region& b, int mode);
  Region Intersect(const Region& other) const;
  Region Intersect(const RECT& r) const { return Intersect(FromRect(r)); }

  bool operator==(const Region& other) const;

 private:
  // Appends a band below the last one, merging it with the last when they
  // touch and have the same spans; empty bands are dropped.
  void AppendBand(int top, int bottom, std::vector<Span> spans);

  std::vector<Band> bands_;
};

}  // namespace platform
