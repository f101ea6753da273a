#include "diagram/model/canvas/PageBoundaryTable.h"

#include <algorithm>
#include <numeric>

namespace {

// Keeps a moved coordinate well inside the int range; the diagram forces
// whatever lands beyond the canvas back onto it.
int ClampCoordinate(int64_t value) {
  constexpr int64_t kLimit = 0x3FFFFFFF;
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

// The smallest multiple of `step` (> 0) at or above `value`.
int64_t RoundUpToMultiple(int64_t value, int64_t step) {
  const int64_t quotient = value / step;
  const int64_t multiple = quotient * step;
  return multiple < value ? multiple + step : multiple;
}

}  // namespace

void PageBoundaryTable::Add(CDrawObj* object, CRect rect) {
  rect.NormalizeRect();
  m_entries.push_back(Entry{object, rect});
}

int64_t PageBoundaryTable::LayOutDown(BOOL upward, int page, int topMargin, int bottomMargin) {
  std::vector<Span> spans;
  spans.reserve(m_entries.size());
  // With y upward the top edge is the larger y: negating makes distances
  // grow down the canvas either way (the layout only compares them).
  for (const Entry& e : m_entries) {
    spans.push_back(upward ? Span{-int64_t{e.rect.bottom}, -int64_t{e.rect.top}}
                           : Span{e.rect.top, e.rect.bottom});
  }
  return Apply(spans, page, topMargin, bottomMargin, &Entry::down);
}

int64_t PageBoundaryTable::LayOutAcross(int page, int leftMargin, int rightMargin) {
  std::vector<Span> spans;
  spans.reserve(m_entries.size());
  for (const Entry& e : m_entries) spans.push_back(Span{e.rect.left, e.rect.right});
  return Apply(spans, page, leftMargin, rightMargin, &Entry::across);
}

int64_t PageBoundaryTable::Apply(const std::vector<Span>& spans, int64_t page, int64_t lead, int64_t trail,
                                 int64_t Entry::*field) {
  const std::vector<int64_t> placed = LayOut(spans, page, lead, trail);
  int64_t reach = 0;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    m_entries[i].*field = placed[i];
    reach = std::max(reach, placed[i] + (spans[i].end - spans[i].start));
  }
  return reach;
}

CRect PageBoundaryTable::PlacedRect(int index, const CRect& canvas, BOOL upward) const {
  const Entry& e = m_entries[index];
  CRect r = e.rect;
  const int64_t dx = int64_t{canvas.left} + e.across - r.left;
  const int64_t dy = upward ? int64_t{canvas.top} - e.down - r.bottom : int64_t{canvas.top} + e.down - r.top;
  const int64_t height = int64_t{r.bottom} - r.top;
  const int64_t width = int64_t{r.right} - r.left;
  r.left = ClampCoordinate(r.left + dx);
  r.right = ClampCoordinate(r.left + width);
  r.top = ClampCoordinate(r.top + dy);
  r.bottom = ClampCoordinate(r.top + height);
  return r;
}

std::vector<int64_t> PageBoundaryTable::LayOut(const std::vector<Span>& spans, int64_t page, int64_t lead,
                                               int64_t trail) {
  const size_t count = spans.size();
  std::vector<int64_t> placed(count);
  if (count == 0) return placed;
  // The entries not yet done, in the order of their leading edges; those
  // before `head` are done.
  std::vector<size_t> pending(count);
  std::iota(pending.begin(), pending.end(), size_t{0});
  std::stable_sort(pending.begin(), pending.end(),
                   [&spans](size_t a, size_t b) { return spans[a].start < spans[b].start; });
  // How far every entry not yet done has moved.
  int64_t offset = lead - spans[pending.front()].start;
  if (page <= 0) {
    for (size_t i = 0; i < count; ++i) placed[i] = spans[i].start + offset;
    return placed;
  }
  // A crossing entry this long or longer cannot fit between two bands.
  const int64_t fitting = page - lead - trail;
  std::vector<size_t> crossing;
  size_t head = 0;
  int64_t boundary = page;
  while (head < count) {
    crossing.clear();
    int64_t shift = 0;
    size_t next = head;
    for (; next < count; ++next) {
      const size_t i = pending[next];
      const int64_t start = spans[i].start + offset;
      if (start > boundary + lead) break;
      if (spans[i].end + offset <= boundary - trail) {
        placed[i] = start;
        continue;
      }
      crossing.push_back(i);
      shift = std::max(shift, boundary + lead - start);
    }
    if (next == head) {
      // Nothing reaches this boundary's band: go straight to the boundary
      // whose band the next entry starts in.
      boundary = RoundUpToMultiple(spans[pending[head]].start + offset - lead, page);
      continue;
    }
    offset += shift;
    // The crossing entries that fit a page go on to the next boundary, in
    // their order, just before the entries not examined.
    size_t kept = next;
    for (auto it = crossing.rbegin(); it != crossing.rend(); ++it) {
      if (spans[*it].end - spans[*it].start < fitting) {
        pending[--kept] = *it;
      } else {
        placed[*it] = spans[*it].start + offset;
      }
    }
    head = kept;
    boundary += page;
  }
  return placed;
}
