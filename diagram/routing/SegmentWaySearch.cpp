#include "diagram/routing/SegmentWaySearch.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "diagram/routing/Segment.h"

namespace {

// The crossing track that a step position p along a stretch comes to: the
// track at p or, when p lies between two tracks, the next one unless that is
// past the last. A result of `count` or more ends the stretch's walk.
int64_t CrossingTrack(int64_t p, int64_t step, int64_t count) {
  int64_t k = p / step;
  if (p % step != 0 && k + 1 < count) ++k;
  return k;
}

// The step position (start, start + step, ... while before end - step) at
// which the walk over a stretch comes to crossing track `track`, or -1. The
// crossing tracks of the positions never go down and a track past the last
// ends the walk, so the walk is taken up a little before the track.
int64_t PositionComingTo(const Segment& t, int64_t track, int64_t step, int64_t count) {
  const int64_t start = t.m_nStart;
  const int64_t first = std::max<int64_t>(0, ((track - 1) * step - start) / step - 1);
  for (int64_t p = start + first * step; p < static_cast<int64_t>(t.m_nEnd) - step; p += step) {
    const int64_t k = CrossingTrack(p, step, count);
    if (k >= count || k > track) return -1;
    if (k == track) return p;
  }
  return -1;
}

}  // namespace

SegmentWaySearch::SegmentWaySearch(std::vector<Segment*>& horzHeads, std::vector<Segment*>& vertHeads)
    : m_horzHeads(horzHeads), m_vertHeads(vertHeads) {}

Segment* SegmentWaySearch::Covering(bool vertical, int64_t track, int64_t at) {
  std::vector<Segment*>& heads = Heads(vertical);
  if (track < 0 || track >= static_cast<int64_t>(heads.size())) return nullptr;
  const auto k = static_cast<size_t>(track);
  return (vertical ? m_vertIndex : m_horzIndex).FindCovering(k, heads[k], static_cast<int32_t>(at));
}

int64_t SegmentWaySearch::PositionReaching(const Segment& t, bool tVertical, const Segment& x) {
  const int64_t at = static_cast<int64_t>(t.m_nTrack) * m_nStep;
  if (at < x.m_nStart || at > x.m_nEnd) return -1;
  const auto crossCount = static_cast<int64_t>(Heads(!tVertical).size());
  const int64_t p = PositionComingTo(t, x.m_nTrack, m_nStep, crossCount);
  if (p < 0) return -1;
  return Covering(!tVertical, x.m_nTrack, at) == &x ? p : -1;
}

bool SegmentWaySearch::Takes(const Segment* x) const {
  return x->m_nState == Segment::kFree || (x->m_nState == Segment::kPin && x == m_pSource);
}

void SegmentWaySearch::Reach(Segment* t, Segment* x) {
  m_marked.push_back(x);
  x->m_pPredecessor = t;
  x->m_nState = x->m_nState == Segment::kFree ? Segment::kReached : Segment::kPinReached;
  int64_t increment = 0;
  if (t->m_pPredecessor) {
    increment = std::llabs(static_cast<int64_t>(t->m_pPredecessor->m_nTrack) - x->m_nTrack);
  } else {
    // From the destination: how far the bend is from the destination pin,
    // less the number of inputs of its block.
    increment = std::llabs(std::llabs(static_cast<int64_t>(x->m_nTrack) - m_destination.along / m_nStep) -
                           m_destination.inputs);
  }
  x->m_nCost = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(t->m_nCost) + increment, INT32_MAX));
}

bool SegmentWaySearch::Run(Segment* source, bool sourceVertical, const Destination& destination, int step) {
  m_pSource = source;
  m_bSourceVertical = sourceVertical;
  m_destination = destination;
  m_nStep = std::max(1, step);
  m_hitters.clear();
  m_bHittersCollected = false;
  // No stretch changes during the search, so the tracks' indexes made now
  // stay valid to its end.
  m_horzIndex.Reset(m_horzHeads.size());
  m_vertIndex.Reset(m_vertHeads.size());

  Segment* target = destination.stretch;
  source->m_pPredecessor = nullptr;
  source->m_nCost = 0;
  target->m_pPredecessor = nullptr;
  target->m_nCost = 0;
  if (target->m_nState != Segment::kPin) target->m_nState = Segment::kReached;
  m_marked.push_back(target);
  std::vector<Segment*> current{target};
  std::vector<Segment*> next;
  bool levelVertical = destination.vertical;
  while (!source->m_pPredecessor && !current.empty()) {
    // Cheapest first; equal costs keep the order they were reached in.
    std::stable_sort(current.begin(), current.end(),
                     [](const Segment* a, const Segment* b) { return a->m_nCost < b->m_nCost; });
    if (levelVertical != sourceVertical) {
      // This level crosses the source's tracks: it may reach the source.
      if (Segment* t = FirstReachingSource(current, levelVertical)) {
        Reach(t, source);
        return true;
      }
    } else if (ReachSourceThroughNextLevel(current, levelVertical)) {
      return true;
    }
    next.clear();
    WalkLevel(current, levelVertical, next);
    current.swap(next);
    levelVertical = !levelVertical;
  }
  return source->m_pPredecessor != nullptr;
}

void SegmentWaySearch::ClearMarks() {
  for (Segment* x : m_marked) {
    // A pin stretch reached as the source is still a pin stretch.
    if (x->m_nState == Segment::kPinReached) x->m_nState = Segment::kPin;
    if (x->m_nState != Segment::kPin) x->m_nState = Segment::kFree;
    x->m_pPredecessor = nullptr;
  }
  m_marked.clear();
}

Segment* SegmentWaySearch::FirstReachingSource(const std::vector<Segment*>& level, bool levelVertical) {
  // Nothing the walk reaches before the source changes whether a stretch
  // reaches it: only the source's own state could, and it changes when it
  // is reached.
  if (!Takes(m_pSource)) return nullptr;
  for (Segment* t : level) {
    if (PositionReaching(*t, levelVertical, *m_pSource) >= 0) return t;
  }
  return nullptr;
}

void SegmentWaySearch::CollectHitters() {
  m_bHittersCollected = true;
  const bool vertical = !m_bSourceVertical;
  std::vector<Segment*>& heads = Heads(vertical);
  const auto count = static_cast<int64_t>(heads.size());
  // A hitter's track lies where the source covers it.
  const int64_t first = (static_cast<int64_t>(m_pSource->m_nStart) + m_nStep - 1) / m_nStep;
  const int64_t last = std::min<int64_t>(count - 1, static_cast<int64_t>(m_pSource->m_nEnd) / m_nStep);
  for (int64_t track = std::max<int64_t>(first, 0); track <= last; ++track) {
    for (Segment* x = heads[static_cast<size_t>(track)]; x; x = x->m_pNext) {
      if (PositionReaching(*x, vertical, *m_pSource) >= 0) m_hitters.push_back(x);
    }
  }
}

bool SegmentWaySearch::ReachSourceThroughNextLevel(const std::vector<Segment*>& level, bool levelVertical) {
  if (!Takes(m_pSource)) return false;
  if (!m_bHittersCollected) CollectHitters();
  if (m_hitters.empty()) return false;
  // The hitters this level's walk would reach: by the first stretch of the
  // level that comes to each (the walk takes a stretch once), at the
  // position along it where it does.
  struct Claim {
    Segment* by = nullptr;
    size_t rank = 0;
    int64_t position = 0;
  };
  std::vector<Claim> claims(m_hitters.size());
  bool any = false;
  auto byTrack = [](const Segment* x, int64_t track) { return x->m_nTrack < track; };
  for (size_t rank = 0; rank < level.size(); ++rank) {
    Segment* t = level[rank];
    // The crossing tracks a walk along t comes to lie between these two.
    const int64_t low = t->m_nStart / m_nStep;
    const int64_t high = static_cast<int64_t>(t->m_nEnd) / m_nStep + 1;
    auto it = std::lower_bound(m_hitters.begin(), m_hitters.end(), low, byTrack);
    for (; it != m_hitters.end() && (*it)->m_nTrack <= high; ++it) {
      Claim& claim = claims[static_cast<size_t>(it - m_hitters.begin())];
      if (claim.by || !Takes(*it)) continue;
      const int64_t p = PositionReaching(*t, levelVertical, **it);
      if (p < 0) continue;
      claim = {t, rank, p};
      any = true;
    }
  }
  if (!any) return false;
  // The next level's first hitter: the cheapest, then the first reached.
  size_t best = m_hitters.size();
  int32_t bestCost = 0;
  for (size_t i = 0; i < m_hitters.size(); ++i) {
    const Claim& claim = claims[i];
    if (!claim.by) continue;
    Reach(claim.by, m_hitters[i]);
    const int32_t cost = m_hitters[i]->m_nCost;
    if (best == m_hitters.size() || cost < bestCost ||
        (cost == bestCost && std::make_pair(claim.rank, claim.position) <
                                 std::make_pair(claims[best].rank, claims[best].position))) {
      best = i;
      bestCost = cost;
    }
  }
  Reach(m_hitters[best], m_pSource);
  return true;
}

void SegmentWaySearch::WalkLevel(const std::vector<Segment*>& level, bool levelVertical, std::vector<Segment*>& next) {
  const bool crossVertical = !levelVertical;
  std::vector<Segment*>& crossHeads = Heads(crossVertical);
  SegmentTrackIndex& crossIndex = crossVertical ? m_vertIndex : m_horzIndex;
  const auto crossCount = static_cast<int64_t>(crossHeads.size());
  for (Segment* t : level) {
    const int64_t at = static_cast<int64_t>(t->m_nTrack) * m_nStep;
    for (int64_t p = t->m_nStart; p < static_cast<int64_t>(t->m_nEnd) - m_nStep; p += m_nStep) {
      const int64_t k = CrossingTrack(p, m_nStep, crossCount);
      if (k >= crossCount) break;
      // The first stretch of the crossing track's list covering T's track,
      // unless one starting past it comes first.
      const auto crossTrack = static_cast<size_t>(k);
      Segment* x = crossIndex.FindCovering(crossTrack, crossHeads[crossTrack], static_cast<int32_t>(at));
      if (!x || !Takes(x)) continue;
      Reach(t, x);
      next.push_back(x);
    }
  }
}
