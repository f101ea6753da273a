// PageBoundaryTable: the work table with which a diagram moves its objects
// off page boundaries. Each entry is one object with its bounding rectangle
// including components. The table lays the entries out along one axis at a
// time, measuring from the canvas's leading edge (its top, or its left) into
// the canvas, and then says where each entry's rectangle goes on a canvas.
//
// Laying out along an axis: the entries, in the order of their leading
// edges, are first moved together so that the first one lies `lead` inside
// the leading edge. Then, boundary by boundary (one page further each time),
// the entries not yet done are examined in order: one that starts beyond
// the boundary plus `lead` ends the examination; one that ends `trail` or
// more before the boundary is done where it is; one across the band is
// crossing. Every entry not yet done then moves by the largest shift that
// brings a crossing entry's leading edge `lead` past the boundary, so the
// rest of the diagram keeps its place behind the crossing ones. A crossing
// entry shorter than a page less both margins is examined again at the next
// boundary; a longer one stays where that shift put it. The layout ends
// when every entry is done.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/Geometry.h"

class CDrawObj;

class PageBoundaryTable {
 public:
  // One entry's extent along an axis, measured from the canvas's leading
  // edge into the canvas: start <= end.
  struct Span {
    int64_t start;
    int64_t end;
  };

  // Adds an object with its rectangle (normalised here).
  void Add(CDrawObj* object, CRect rect);
  int GetCount() const { return static_cast<int>(m_entries.size()); }
  CDrawObj* GetObject(int index) const { return m_entries[index].object; }
  const CRect& GetRect(int index) const { return m_entries[index].rect; }

  // Lays the entries out down the pages of height `page`; `upward` when y
  // grows upward (the top edge is then the larger y). The result is how far
  // from the canvas's top edge the entries reach.
  int64_t LayOutDown(BOOL upward, int page, int topMargin, int bottomMargin);
  // Lays the entries out across the pages of width `page`; how far from the
  // canvas's left edge they reach.
  int64_t LayOutAcross(int page, int leftMargin, int rightMargin);

  // Where the entry's rectangle goes on a canvas (normalised, top holding
  // the larger y when `upward`), at the distances of the last layouts.
  CRect PlacedRect(int index, const CRect& canvas, BOOL upward) const;

  // Lays spans out along one axis as described above; the result is, for
  // each span, its distance from the leading edge once laid out.
  static std::vector<int64_t> LayOut(const std::vector<Span>& spans, int64_t page, int64_t lead, int64_t trail);

 private:
  struct Entry {
    CDrawObj* object;
    CRect rect;
    // The leading edges' distances from the canvas's top and left edges.
    int64_t down = 0;
    int64_t across = 0;
  };
  // Stores the laid-out starts through `field` and returns the furthest end.
  int64_t Apply(const std::vector<Span>& spans, int64_t page, int64_t lead, int64_t trail, int64_t Entry::*field);

  std::vector<Entry> m_entries;
};
