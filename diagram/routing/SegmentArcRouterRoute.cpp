// SegmentArcRouter: finding the pins' stretches, routing one wire through
// the search (SegmentWaySearch), cutting the way out of the tracks and
// writing the wire.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "diagram/model/blocks/DrawArc.h"
#include "diagram/model/blocks/DrawBlock.h"
#include "diagram/model/blocks/DrawPort.h"
#include "diagram/routing/SegmentArcRouter.h"
#include "diagram/routing/WrapperCDrawArc.h"

namespace {

// Ports whose wires leave or enter sideways; the others vertically.
bool IsHorizontalDirection(int direction) { return direction == 1 || direction == 2 || direction == 15; }

}  // namespace

Segment* SegmentArcRouter::FindSegment(int position, int step, int count, Segment** heads, int coordinate) {
  if (count <= 0 || step <= 0 || !heads) return nullptr;
  int k = position / step;
  if (position % step > step / 2 && k < count - 1) ++k;
  if (k < 0) k = 0;
  if (k >= count) return nullptr;
  const int tolerances[2] = {std::min(step / 2, 15), std::max(step / 2, 15)};
  auto onTrack = [&](int track) -> Segment* {
    for (const int tolerance : tolerances) {
      for (Segment* stretch = heads[track]; stretch; stretch = stretch->m_pNext) {
        if (static_cast<int64_t>(stretch->m_nStart) - tolerance <= coordinate &&
            coordinate <= static_cast<int64_t>(stretch->m_nEnd) + tolerance)
          return stretch;
      }
    }
    return nullptr;
  };
  if (Segment* stretch = onTrack(k)) return stretch;
  const int neighbour = position > static_cast<int64_t>(k) * step ? k + 1 : k - 1;
  if (neighbour >= 0 && neighbour < count) return onTrack(neighbour);
  return nullptr;
}

SegmentArcRouter::GluedSpan SegmentArcRouter::GlueNextOrPrevious(Segment*& stretch, Segment* except) {
  GluedSpan glued(-1, -1);
  // The stretch's track, of whichever orientation, may change.
  TrackChanged(m_horzHeads, stretch->m_nTrack);
  TrackChanged(m_vertHeads, stretch->m_nTrack);
  auto add = [&glued](int start, int end) {
    if (glued.first < 0) {
      glued = GluedSpan(start, end);
    } else {
      glued.first = std::min(glued.first, start);
      glued.second = std::max(glued.second, end);
    }
  };
  auto joins = [except](const Segment* neighbour, const Segment* to) {
    return neighbour && neighbour->m_nTrack == to->m_nTrack && neighbour != except && neighbour->m_nState != Segment::kPin;
  };
  Segment* previous = stretch->m_pPrev;
  if (joins(previous, stretch) && previous->m_nEnd == stretch->m_nStart) {
    add(previous->m_nStart, previous->m_nEnd);
    previous->m_nEnd = stretch->m_nEnd;
    // A pin stretch stays one when its free neighbour absorbs it.
    if (stretch->m_nState == Segment::kPin) previous->m_nState = Segment::kPin;
    delete stretch;
    stretch = previous;
  }
  Segment* next = stretch->m_pNext;
  if (joins(next, stretch) && stretch->m_nEnd == next->m_nStart) {
    add(next->m_nStart, next->m_nEnd);
    stretch->m_nEnd = next->m_nEnd;
    delete next;
  }
  return glued;
}

void SegmentArcRouter::ZeroState(int count, Segment** heads) {
  if (!heads) return;
  for (int track = 0; track < count; ++track) {
    for (Segment* stretch = heads[track]; stretch; stretch = stretch->m_pNext) {
      // A pin stretch reached as a source is still a pin stretch.
      if (stretch->m_nState == Segment::kPinReached) stretch->m_nState = Segment::kPin;
      if (stretch->m_nState != Segment::kPin) stretch->m_nState = Segment::kFree;
      stretch->m_pPredecessor = nullptr;
    }
  }
}

void SegmentArcRouter::DoFinalTwoPointAdjustment(WrapperCDrawArc* wrapper, int sourceVertical,
                                                 int destinationVertical) {
  if (!wrapper || wrapper->GetNumberOfPoints() != 2) return;
  const CPoint s = wrapper->PointAt(0);
  const CPoint d = wrapper->PointAt(1);
  if (s.x == d.x || s.y == d.y) return;
  if (!sourceVertical && !destinationVertical) {
    const int mx = static_cast<int>((static_cast<int64_t>(s.x) + d.x) / 2);
    wrapper->InsertPoint(1, CPoint(mx, s.y));
    wrapper->InsertPoint(2, CPoint(mx, d.y));
  } else if (sourceVertical && destinationVertical) {
    const int my = static_cast<int>((static_cast<int64_t>(s.y) + d.y) / 2);
    wrapper->InsertPoint(1, CPoint(s.x, my));
    wrapper->InsertPoint(2, CPoint(d.x, my));
  } else if (!sourceVertical) {
    wrapper->InsertPoint(1, CPoint(d.x, s.y));
  } else {
    wrapper->InsertPoint(1, CPoint(s.x, d.y));
  }
}

void SegmentArcRouter::CutPinSpan(Segment* stretch, int low, int high) {
  if (stretch->m_nState == Segment::kPin) return;
  TrackChanged(m_horzHeads, stretch->m_nTrack);
  TrackChanged(m_vertHeads, stretch->m_nTrack);
  if (stretch->m_nState == Segment::kPinReached) {
    stretch->m_nState = Segment::kPin;
    return;
  }
  const int half = m_nStep / 2;
  const int end = stretch->m_nEnd;
  const bool roomAfter = static_cast<int64_t>(end) - high > m_nStep;
  Segment* pin = stretch;
  if (static_cast<int64_t>(low) - stretch->m_nStart > m_nStep) {
    stretch->m_nEnd = low - half;
    stretch->m_nState = Segment::kFree;
    pin = new Segment(stretch->m_nTrack, low - half, roomAfter ? high + half : end, stretch, Segment::kPin);
  } else {
    stretch->m_nEnd = roomAfter ? high + half : end;
    stretch->m_nState = Segment::kPin;
  }
  if (roomAfter) new Segment(stretch->m_nTrack, high + half, end, pin, Segment::kFree);
}

void SegmentArcRouter::CutUsedSpan(Segment* stretch, std::vector<Segment*>& heads, int low, int high) {
  TrackChanged(heads, stretch->m_nTrack);
  const int half = m_nStep / 2;
  const bool before = static_cast<int64_t>(stretch->m_nStart) < static_cast<int64_t>(low) - m_nStep;
  const bool after = static_cast<int64_t>(high) + m_nStep < stretch->m_nEnd;
  if (!before && !after) {
    DeleteSegment(stretch, heads);
    return;
  }
  stretch->m_nState = Segment::kFree;
  if (before && after) {
    new Segment(stretch->m_nTrack, high + half, stretch->m_nEnd, stretch, Segment::kFree);
    stretch->m_nEnd = low - half;
  } else if (before) {
    stretch->m_nEnd = low - half;
  } else {
    stretch->m_nStart = high + half;
  }
}

void SegmentArcRouter::CutWay(const std::vector<Segment*>& way, const std::vector<int>& along, bool sourceVertical,
                              GluedSpan sourceGlued, GluedSpan destinationGlued) {
  bool vertical = sourceVertical;
  const size_t last = way.size() - 1;
  for (size_t i = 0; i < way.size(); ++i) {
    int low = std::min(along[2 * i], along[2 * i + 1]);
    int high = std::max(along[2 * i], along[2 * i + 1]);
    if (i == 0 || i == last) {
      const GluedSpan glued = i == 0 ? sourceGlued : destinationGlued;
      if (glued.first >= 0) {
        low = std::min(low, glued.first);
        high = std::max(high, glued.second);
      }
      CutPinSpan(way[i], low, high);
    } else {
      CutUsedSpan(way[i], vertical ? m_vertHeads : m_horzHeads, low, high);
    }
    vertical = !vertical;
  }
}

int SegmentArcRouter::Route(CDrawArc* arc) {
  if (!arc || !arc->IsComplete()) return 0;
  CDrawPort* srcPort = arc->GetSrcOutPort();
  CDrawPort* dstPort = arc->GetDestInPort();
  WrapperCDrawArc wrapper(arc);
  if (srcPort && dstPort) {
    const CPoint s = DocToCanvas(wrapper.GetSource());
    const CPoint d = DocToCanvas(wrapper.GetDestination());
    const bool sourceVertical = !IsHorizontalDirection(static_cast<int>(srcPort->PreferredArcDirection()));
    const bool destinationVertical = !IsHorizontalDirection(static_cast<int>(dstPort->PreferredArcDirection()));
    Segment* source = sourceVertical ? FindSegment(s.x, m_nStep, m_nVertTracks, m_vertHeads.data(), s.y)
                                     : FindSegment(s.y, m_nStep, m_nHorzTracks, m_horzHeads.data(), s.x);
    GluedSpan sourceGlued(-1, -1);
    if (source) sourceGlued = GlueNextOrPrevious(source, nullptr);
    Segment* destination = destinationVertical ? FindSegment(d.x, m_nStep, m_nVertTracks, m_vertHeads.data(), d.y)
                                               : FindSegment(d.y, m_nStep, m_nHorzTracks, m_horzHeads.data(), d.x);
    GluedSpan destinationGlued(-1, -1);
    if (destination) destinationGlued = GlueNextOrPrevious(destination, source);

    if (source && destination && source == destination) {
      wrapper.AddPoint(s);
      wrapper.AddPoint(d);
      DoFinalTwoPointAdjustment(&wrapper, sourceVertical, destinationVertical);
      source->m_nState = Segment::kPin;
    } else if (source && destination) {
      std::vector<Segment*> way;
      std::vector<int> along;
      {
        // The search's marks are cleared once the way is read, before any
        // stretch is cut, so every search starts on unmarked stretches
        // (pins kept).
        const SegmentWaySearch::MarksClearer clearer(m_search);
        const SegmentWaySearch::Destination target{
            destination, destinationVertical, destinationVertical ? d.y : d.x,
            dstPort->GetDrawBlock() ? dstPort->GetDrawBlock()->GetNumberOfInputPorts() : 0};
        if (m_search.Run(source, sourceVertical, target, m_nStep)) {
          // One corner per stretch change, from the source end.
          along.push_back(sourceVertical ? s.y : s.x);
          wrapper.AddPoint(s);
          bool vertical = sourceVertical;
          for (Segment* u = source; u; u = u->m_pPredecessor) {
            way.push_back(u);
            Segment* v = u->m_pPredecessor;
            if (!v) break;
            const int uAt = u->m_nTrack * m_nStep;
            const int vAt = v->m_nTrack * m_nStep;
            wrapper.AddPoint(vertical ? CPoint(uAt, vAt) : CPoint(vAt, uAt));
            // The way leaves u and enters v at the corner.
            along.push_back(vAt);
            along.push_back(uAt);
            vertical = !vertical;
          }
          wrapper.AddPoint(d);
          along.push_back(destinationVertical ? d.y : d.x);
        }
      }
      if (!way.empty()) {
        CutWay(way, along, sourceVertical, sourceGlued, destinationGlued);
        // Both end legs straight.
        const int n = wrapper.GetNumberOfPoints();
        CPoint& second = wrapper.PointAt(1);
        if (sourceVertical) second.x = s.x;
        else second.y = s.y;
        CPoint& lastButOne = wrapper.PointAt(n - 2);
        if (destinationVertical) lastButOne.x = d.x;
        else lastButOne.y = d.y;
      }
    }
  }
  const int count = wrapper.GetNumberOfPoints();
  if (count >= 2) {
    std::vector<CPoint> points(static_cast<size_t>(count));
    wrapper.GetArrayOfPoints(points.data());
    for (CPoint& point : points) point = CanvasToDoc(point);
    if (arc->ReRoute(points.data(), count)) {
      m_addedObjects += arc;
      return 1;
    }
  }
  // No way: the wire keeps its shape and becomes an obstacle.
  AddObj(arc, 0);
  m_addedObjects += arc;
  return 0;
}
