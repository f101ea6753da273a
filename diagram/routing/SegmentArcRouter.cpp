#include "diagram/routing/SegmentArcRouter.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/canvas/AutoRouteOption.h"
#include "platform/core/Exceptions.h"

IMPLEMENT_DYNAMIC(SegmentArcRouter, CArcRouter)

namespace {

// Rounds toward minus infinity, so that a coordinate before the canvas
// never lands on track 0.
int FloorDiv(int64_t value, int64_t step) {
  int64_t q = value / step;
  if (value % step != 0 && value < 0) --q;
  return static_cast<int>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

int Clamp32(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

SegmentArcRouter::SegmentArcRouter(CDiagram* diagram, AutoRouteOption* options) : CArcRouter(diagram, options) {
  // Every change of a track goes through this class, which tells the
  // search, so the search keeps its index of the unchanged tracks.
  m_search.KeepIndexAcrossSearches();
}

SegmentArcRouter::~SegmentArcRouter() { DeleteTracks(); }

const Segment* SegmentArcRouter::GetHorzTrack(int track) const {
  return track >= 0 && track < m_nHorzTracks ? m_horzHeads[static_cast<size_t>(track)] : nullptr;
}

const Segment* SegmentArcRouter::GetVertTrack(int track) const {
  return track >= 0 && track < m_nVertTracks ? m_vertHeads[static_cast<size_t>(track)] : nullptr;
}

CPoint SegmentArcRouter::DocToCanvas(const CPoint& point) const {
  const int64_t x = static_cast<int64_t>(point.x) + m_nXOffset;
  const int64_t y = m_bUpward ? static_cast<int64_t>(point.y) + m_nYOffset
                              : -static_cast<int64_t>(m_nYOffset) - point.y;
  return CPoint(Clamp32(x), Clamp32(y));
}

CPoint SegmentArcRouter::CanvasToDoc(const CPoint& point) const {
  const int64_t x = static_cast<int64_t>(point.x) - m_nXOffset;
  const int64_t y = m_bUpward ? static_cast<int64_t>(point.y) - m_nYOffset
                              : -static_cast<int64_t>(m_nYOffset) - point.y;
  return CPoint(Clamp32(x), Clamp32(y));
}

CRect SegmentArcRouter::DocToCanvas(const CRect& rect) const {
  CRect canvas(DocToCanvas(rect.TopLeft()), DocToCanvas(rect.BottomRight()));
  canvas.NormalizeRect();
  return canvas;
}

bool SegmentArcRouter::IsHorzTrackPosition(int y) const {
  // The position below the top of its page, in both y orientations.
  const int64_t fromTop = static_cast<int64_t>(m_canvas.cy) - y;
  const int64_t page = m_page.cy > 0 ? m_page.cy : std::max<int64_t>(m_canvas.cy, 1);
  const int64_t m = ((fromTop % page) + page) % page;
  const AutoRouteOption options = m_pOptions ? *m_pOptions : AutoRouteOption();
  return options.m_nTopMargin < m && options.m_nBottomMargin < page - m;
}

bool SegmentArcRouter::IsVertTrackPosition(int x) const {
  const int64_t page = m_page.cx > 0 ? m_page.cx : std::max<int64_t>(m_canvas.cx, 1);
  const int64_t m = ((static_cast<int64_t>(x) % page) + page) % page;
  const AutoRouteOption options = m_pOptions ? *m_pOptions : AutoRouteOption();
  return options.m_nLeftMargin < m && options.m_nRightMargin < page - m;
}

int SegmentArcRouter::RoundToTrack(int value) const {
  return Clamp32(static_cast<int64_t>(FloorDiv(static_cast<int64_t>(value) + m_nStep / 2, m_nStep)) * m_nStep);
}

int SegmentArcRouter::Init(const CDrawList& objects) {
  if (m_bInitialised) Clear();
  DeleteTracks();
  m_nStep = std::max(1, m_pOptions ? m_pOptions->m_nMinDistance : AutoRouteOption().m_nMinDistance);
  m_canvas = m_pDiagram->GetSize();
  m_page = m_pDiagram->GetPageSize();
  const CRect r = m_pDiagram->GetRect();
  m_bUpward = m_pDiagram->IsUpwardPositive() ? 1 : 0;
  m_nXOffset = -r.left;
  m_nYOffset = -r.bottom;
  const int64_t width = std::max(m_canvas.cx, 0);
  const int64_t height = std::max(m_canvas.cy, 0);
  const int64_t horzTracks = height > 0 ? (height - 1 + m_nStep) / m_nStep : 0;
  const int64_t vertTracks = width > 0 ? (width - 1 + m_nStep) / m_nStep : 0;
  try {
    m_horzHeads.assign(static_cast<size_t>(horzTracks), nullptr);
    m_vertHeads.assign(static_cast<size_t>(vertTracks), nullptr);
    m_nHorzTracks = static_cast<int>(horzTracks);
    m_nVertTracks = static_cast<int>(vertTracks);
    for (int64_t y = 0; y < height; y += m_nStep) {
      if (IsHorzTrackPosition(static_cast<int>(y))) {
        const int track = static_cast<int>(y / m_nStep);
        m_horzHeads[static_cast<size_t>(track)] = new Segment(track, 0, static_cast<int>(width), nullptr, Segment::kFree);
      }
    }
    for (int64_t x = 0; x < width; x += m_nStep) {
      if (IsVertTrackPosition(static_cast<int>(x))) {
        const int track = static_cast<int>(x / m_nStep);
        m_vertHeads[static_cast<size_t>(track)] = new Segment(track, 0, static_cast<int>(height), nullptr, Segment::kFree);
      }
    }
  } catch (const std::bad_alloc&) {
    Clear();
    return 0;
  } catch (CMemoryException&) {
    Clear();
    return 0;
  }
  m_search.TracksChanged();
  return CArcRouter::Init(objects);
}

void SegmentArcRouter::DeleteTracks() {
  for (std::vector<Segment*>* heads : {&m_horzHeads, &m_vertHeads}) {
    for (Segment* head : *heads) {
      while (head) {
        Segment* next = head->m_pNext;
        delete head;
        head = next;
      }
    }
    heads->clear();
    heads->shrink_to_fit();
  }
  m_nHorzTracks = 0;
  m_nVertTracks = 0;
  m_search.TracksChanged();
}

void SegmentArcRouter::Clear() {
  DeleteTracks();
  CArcRouter::Clear();
}

void SegmentArcRouter::TrackChanged(const std::vector<Segment*>& heads, int track) {
  if (track >= 0) m_search.TrackChanged(&heads == &m_vertHeads, static_cast<size_t>(track));
}

void SegmentArcRouter::DeleteSegment(Segment* stretch, std::vector<Segment*>& heads) {
  const size_t track = static_cast<size_t>(stretch->m_nTrack);
  TrackChanged(heads, stretch->m_nTrack);
  if (track < heads.size() && heads[track] == stretch) heads[track] = stretch->m_pNext;
  delete stretch;
}

void SegmentArcRouter::RoundUpRectangle(CRect& rect) const {
  rect.NormalizeRect();
  rect.left = std::clamp(rect.left, 0, static_cast<int>(std::max(m_canvas.cx, 0)));
  rect.right = std::clamp(rect.right, 0, static_cast<int>(std::max(m_canvas.cx, 0)));
  rect.top = std::clamp(rect.top, 0, static_cast<int>(std::max(m_canvas.cy, 0)));
  rect.bottom = std::clamp(rect.bottom, 0, static_cast<int>(std::max(m_canvas.cy, 0)));
  const int step = m_nStep;
  auto low = [step](int v) {
    const int rest = v % step;
    return rest > step / 2 ? v - rest + step : v - rest;
  };
  auto high = [step](int v) {
    const int rest = v % step;
    return rest > step / 2 ? v - rest + step : v;
  };
  rect.left = low(rect.left);
  rect.top = low(rect.top);
  rect.right = high(rect.right);
  rect.bottom = high(rect.bottom);
}

namespace {

// Whether a normalised canvas rectangle lies wholly outside the canvas.
bool Outside(const CRect& rect, const CSize& canvas) {
  return rect.right < 0 || rect.bottom < 0 || rect.left > canvas.cx || rect.top > canvas.cy;
}

}  // namespace

void SegmentArcRouter::addBadRect(CRect rect) {
  rect.NormalizeRect();
  if (Outside(rect, m_canvas)) return;
  RoundUpRectangle(rect);
  // A rectangle flattened onto one track still covers that track.
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  for (int64_t y = rect.top; y <= rect.bottom; y += m_nStep) RemoveHorizontalSegment(static_cast<int>(y), rect.left, rect.right);
  for (int64_t x = rect.left; x <= rect.right; x += m_nStep) RemoveVerticalSegment(static_cast<int>(x), rect.top, rect.bottom);
}

void SegmentArcRouter::addGoodRect(CRect rect) {
  rect.NormalizeRect();
  if (Outside(rect, m_canvas)) return;
  RoundUpRectangle(rect);
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  const int half = m_nStep / 2;
  for (int64_t y = rect.top; y <= rect.bottom; y += m_nStep) {
    if (IsHorzTrackPosition(static_cast<int>(y)))
      InsertFreeSpan(m_horzHeads, static_cast<int>(y), rect.left - half, rect.right + half);
  }
  for (int64_t x = rect.left; x <= rect.right; x += m_nStep) {
    if (IsVertTrackPosition(static_cast<int>(x)))
      InsertFreeSpan(m_vertHeads, static_cast<int>(x), rect.top - half, rect.bottom + half);
  }
}

void SegmentArcRouter::RemoveHorizontalSegment(int y, int x1, int x2) {
  RemoveSpan(m_horzHeads, m_canvas.cx, y, x1, x2);
}

void SegmentArcRouter::RemoveVerticalSegment(int x, int y1, int y2) {
  RemoveSpan(m_vertHeads, m_canvas.cy, x, y1, y2);
}

void SegmentArcRouter::RemoveSpan(std::vector<Segment*>& heads, int limit, int position, int low, int high) {
  if (position < 0) return;
  const size_t track = static_cast<size_t>(position / m_nStep);
  if (track >= heads.size() || !heads[track]) return;
  if (low > high) std::swap(low, high);
  high = std::min(high, limit);
  low = std::max(low, 0);
  if (high < low) return;
  TrackChanged(heads, static_cast<int>(track));
  for (Segment* stretch = heads[track]; stretch;) {
    // The stretches are sorted by start: none from here on meets the span.
    if (stretch->m_nStart >= high) break;
    Segment* next = stretch->m_pNext;
    if (low > stretch->m_nStart && low < stretch->m_nEnd) {
      if (high < stretch->m_nEnd) next = new Segment(stretch->m_nTrack, high, stretch->m_nEnd, stretch, stretch->m_nState);
      stretch->m_nEnd = low;
    } else if (low <= stretch->m_nStart && high > stretch->m_nStart) {
      if (high >= stretch->m_nEnd) {
        DeleteSegment(stretch, heads);
      } else {
        stretch->m_nStart = high;
      }
    }
    stretch = next;
  }
}

void SegmentArcRouter::InsertFreeSpan(std::vector<Segment*>& heads, int position, int low, int high) {
  if (position < 0) return;
  const size_t track = static_cast<size_t>(position / m_nStep);
  if (track >= heads.size()) return;
  const int trackIndex = static_cast<int>(track);
  TrackChanged(heads, trackIndex);
  Segment*& head = heads[track];
  if (!head) {
    head = new Segment(trackIndex, low, high, nullptr, Segment::kFree);
  } else if (std::max(low, 0) < head->m_nStart) {
    auto* stretch = new Segment(trackIndex, low, high, nullptr, Segment::kFree);
    stretch->LinkBefore(head);
    head = stretch;
  } else {
    Segment* after = head;
    while (after->m_pNext && after->m_pNext->m_nStart <= std::max(low, 0)) after = after->m_pNext;
    new Segment(trackIndex, low, high, after, Segment::kFree);
  }
  const int half = m_nStep / 2;
  for (Segment* current = head; current && current->m_pNext;) {
    Segment* next = current->m_pNext;
    if (static_cast<int64_t>(next->m_nStart) - half <= static_cast<int64_t>(current->m_nEnd) + half) {
      current->m_nEnd = std::max(current->m_nEnd, next->m_nEnd);
      delete next;
    } else {
      current = next;
    }
  }
}

void SegmentArcRouter::MarkRectAsUsed(CRect rect, int bCollectAffected) {
  addBadRect(DocToCanvas(rect));
  CArcRouter::MarkRectAsUsed(rect, bCollectAffected);
}

void SegmentArcRouter::MarkAsFree(CRect rect) {
  addGoodRect(DocToCanvas(rect));
  CArcRouter::MarkAsFree(rect);
}

void SegmentArcRouter::AddObj(CDrawObj* object, int bCollectAffected) {
  auto* arc = DYNAMIC_DOWNCAST(CDrawArc, object);
  if (!arc) {
    CArcRouter::AddObj(object, bCollectAffected);
    return;
  }
  if (!arc->IsComplete()) return;
  BeginChanges();
  const int collect = (bCollectAffected && MayCollect()) ? 1 : 0;
  const int count = arc->GetHandleCount();
  if (count >= 4) {
    CDrawList sharing(10);
    if (collect) {
      GetAddedObjectsInRect(arc->GetBoundingRect(), sharing);
      sharing -= arc;
    }
    const int half = m_nStep / 2;
    // The inner legs only: from the second point to the last but one.
    for (int i = 2; i + 1 < count; ++i) {
      const CPoint a = DocToCanvas(arc->GetHandle(i));
      const CPoint b = DocToCanvas(arc->GetHandle(i + 1));
      const CPoint p(RoundToTrack(a.x), RoundToTrack(a.y));
      const CPoint q(RoundToTrack(b.x), RoundToTrack(b.y));
      if (p.x == q.x) {
        const int low = std::min(p.y, q.y) - half;
        const int high = std::max(p.y, q.y) + half;
        RemoveVerticalSegment(p.x, low, high);
        if (collect) AccumArcsSharingVertSegment(sharing, p.x, low, high);
      } else if (p.y == q.y) {
        const int low = std::min(p.x, q.x) - half;
        const int high = std::max(p.x, q.x) + half;
        RemoveHorizontalSegment(p.y, low, high);
        if (collect) AccumArcsSharingHorzSegment(sharing, p.y, low, high);
      }
    }
  }
  m_addedObjects += arc;
  EndChanges();
}

void SegmentArcRouter::AccumArcsSharingHorzSegment(const CDrawList& arcs, int y, int x1, int x2) {
  AccumArcsSharing(arcs, false, y, x1, x2);
}

void SegmentArcRouter::AccumArcsSharingVertSegment(const CDrawList& arcs, int x, int y1, int y2) {
  AccumArcsSharing(arcs, true, x, y1, y2);
}

void SegmentArcRouter::AccumArcsSharing(const CDrawList& arcs, bool vertical, int position, int low, int high) {
  const int half = m_nStep / 2;
  for (POSITION pos = arcs.GetHeadPosition(); pos;) {
    auto* arc = DYNAMIC_DOWNCAST(CDrawArc, arcs.GetNext(pos));
    if (!arc || m_affectedArcs.Find(arc)) continue;
    const int count = arc->GetHandleCount();
    for (int i = 1; i < count; ++i) {
      const CPoint a = DocToCanvas(arc->GetHandle(i));
      const CPoint b = DocToCanvas(arc->GetHandle(i + 1));
      const CPoint p(RoundToTrack(a.x), RoundToTrack(a.y));
      const CPoint q(RoundToTrack(b.x), RoundToTrack(b.y));
      int legLow = 0;
      int legHigh = 0;
      if (vertical && p.x == q.x && p.x == position) {
        legLow = std::min(p.y, q.y) - half;
        legHigh = std::max(p.y, q.y) + half;
      } else if (!vertical && p.y == q.y && p.y == position) {
        legLow = std::min(p.x, q.x) - half;
        legHigh = std::max(p.x, q.x) + half;
      } else {
        continue;
      }
      if (legLow <= high && low <= legHigh) {
        m_affectedArcs += arc;
        break;
      }
    }
  }
}
