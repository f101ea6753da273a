#include "diagram/routing/SegmentWaySearch.h"

#include <algorithm>
#include <climits>
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
  // No stretch changes during the search, so the tracks' indexes stay valid
  // to its end; kept from the last search, they hold only the tracks that
  // did not change since.
  if (!m_bKeepIndex || !m_bIndexCurrent || m_nIndexStep != m_nStep || m_nIndexHorz != m_horzHeads.size() ||
      m_nIndexVert != m_vertHeads.size()) {
    m_horzIndex.Reset(m_horzHeads.size(), static_cast<int32_t>(m_nStep));
    m_vertIndex.Reset(m_vertHeads.size(), static_cast<int32_t>(m_nStep));
    m_bIndexCurrent = true;
    m_nIndexStep = m_nStep;
    m_nIndexHorz = m_horzHeads.size();
    m_nIndexVert = m_vertHeads.size();
  }

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
    SortByCost(current);
    if (levelVertical != sourceVertical) {
      // This level crosses the source's tracks: it may reach the source.
      if (Segment* t = FirstReachingSource(current, levelVertical)) {
        Reach(t, source);
        return true;
      }
      next.clear();
      if (WalkLevelTowardHitters(current, levelVertical, next)) return true;
    } else if (ReachSourceThroughNextLevel(current, levelVertical)) {
      return true;
    } else {
      next.clear();
      m_nextPlaces.clear();
      WalkLevel(current, levelVertical, next);
    }
    current.swap(next);
    levelVertical = !levelVertical;
  }
  return source->m_pPredecessor != nullptr;
}

void SegmentWaySearch::SortByCost(std::vector<Segment*>& level) {
  // Cheapest first; equal costs keep the order they were reached in. Each
  // stretch's cost is read once into a key of cost and place, so the sort
  // compares numbers instead of following pointers.
  const size_t count = level.size();
  if (count < 2) return;
  m_sortKeys.resize(count);
  uint32_t least = UINT32_MAX;
  uint32_t most = 0;
  for (size_t i = 0; i < count; ++i) {
    const auto cost = static_cast<uint32_t>(static_cast<int64_t>(level[i]->m_nCost) - INT32_MIN);
    least = std::min(least, cost);
    most = std::max(most, cost);
    m_sortKeys[i] = static_cast<uint64_t>(cost) << 32 | static_cast<uint64_t>(i);
  }
  if (std::is_sorted(m_sortKeys.begin(), m_sortKeys.end())) return;
  if (count >= 64 && most - least < (uint32_t{1} << 24)) {
    // A level's costs lie close together: a stable radix sort by the cost
    // above the least, a byte a pass, keeps the places in order.
    m_sortSpare.resize(count);
    for (uint32_t shift = 0; shift < 32 && ((most - least) >> shift) != 0; shift += 8) {
      size_t counts[257] = {};
      for (const uint64_t key : m_sortKeys) ++counts[(((key >> 32) - least) >> shift & 0xff) + 1];
      for (size_t b = 1; b <= 256; ++b) counts[b] += counts[b - 1];
      for (const uint64_t key : m_sortKeys) m_sortSpare[counts[((key >> 32) - least) >> shift & 0xff]++] = key;
      m_sortKeys.swap(m_sortSpare);
    }
  } else {
    std::sort(m_sortKeys.begin(), m_sortKeys.end());
  }
  m_sorted.resize(count);
  for (size_t i = 0; i < count; ++i) m_sorted[i] = level[static_cast<size_t>(m_sortKeys[i] & UINT32_MAX)];
  level.swap(m_sorted);
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

bool SegmentWaySearch::WalkLevelTowardHitters(const std::vector<Segment*>& level, bool levelVertical,
                                              std::vector<Segment*>& next) {
  m_nextPlaces.clear();
  if (!Takes(m_pSource) || level.empty()) {
    WalkLevel(level, levelVertical, next);
    return false;
  }
  if (!m_bHittersCollected) CollectHitters();
  if (m_hitters.empty()) {
    WalkLevel(level, levelVertical, next);
    return false;
  }
  // A stretch of the next level comes to a hitter only from a track that
  // the hitter covers.
  int64_t low = INT64_MAX;
  int64_t high = INT64_MIN;
  for (const Segment* hitter : m_hitters) {
    low = std::min<int64_t>(low, hitter->m_nStart);
    high = std::max<int64_t>(high, hitter->m_nEnd);
  }
  low = std::max<int64_t>(low, 0) / m_nStep;
  high = std::max<int64_t>(high, 0) / m_nStep;
  // The next level on those tracks first: the claims on a crossing track
  // depend on this level alone, and the part keeps the walk's order.
  m_crossTracks = {low, high, true};
  WalkLevel(level, levelVertical, next);
  m_crossTracks = CrossTracks();
  std::vector<Segment*> part(next);
  SortByCost(part);
  if (ReachSourceThroughNextLevel(part, !levelVertical)) return true;
  // Not there: the rest of the level, merged in the walk's order (by the
  // reaching stretch's place, then by track).
  std::vector<Segment*> inside;
  inside.swap(next);
  std::vector<size_t> insidePlaces;
  insidePlaces.swap(m_nextPlaces);
  m_crossTracks = {low, high, false};
  WalkLevel(level, levelVertical, next);
  m_crossTracks = CrossTracks();
  std::vector<Segment*> outside;
  outside.swap(next);
  std::vector<size_t> outsidePlaces;
  outsidePlaces.swap(m_nextPlaces);
  next.reserve(inside.size() + outside.size());
  size_t i = 0;
  size_t o = 0;
  while (i < inside.size() || o < outside.size()) {
    const bool takeInside =
        o == outside.size() ||
        (i < inside.size() && std::make_pair(insidePlaces[i], inside[i]->m_nTrack) <
                                  std::make_pair(outsidePlaces[o], outside[o]->m_nTrack));
    if (takeInside) {
      next.push_back(inside[i]);
      m_nextPlaces.push_back(insidePlaces[i++]);
    } else {
      next.push_back(outside[o]);
      m_nextPlaces.push_back(outsidePlaces[o++]);
    }
  }
  return false;
}

namespace {

// The smallest value over ranges of places, with point updates.
class RangeMin {
 public:
  explicit RangeMin(size_t size) {
    while (m_nLeaves < size) m_nLeaves *= 2;
    m_values.assign(2 * m_nLeaves, INT32_MAX);
  }
  void Set(size_t place, int32_t value) {
    size_t i = place + m_nLeaves;
    m_values[i] = value;
    for (i /= 2; i >= 1; i /= 2) m_values[i] = std::min(m_values[2 * i], m_values[2 * i + 1]);
  }
  // Over the places low..high, both included.
  int32_t Min(size_t low, size_t high) const {
    int32_t best = INT32_MAX;
    for (size_t l = low + m_nLeaves, h = high + m_nLeaves + 1; l < h; l /= 2, h /= 2) {
      if (l & 1) best = std::min(best, m_values[l++]);
      if (h & 1) best = std::min(best, m_values[--h]);
    }
    return best;
  }

 private:
  size_t m_nLeaves = 1;
  std::vector<int32_t> m_values;
};

}  // namespace

// The walk reaches, for each stretch T of the level in its order and each
// crossing track k its steps come to (a run of tracks ka..kb, each once but
// possibly the last twice), the crossing stretch X that covers T's track,
// the first time X is reached and when it may be taken. So X, which lies on
// one crossing track k, is reached by the first stretch of the level (in
// the level's order) whose track X covers, as the walk along k finds it,
// among those whose run includes k; and the next level holds the reached
// stretches in the order of (their reaching stretch's place, k). The sweep
// finds exactly that from the other side: over the crossing tracks in
// order, keeping the level's stretches whose runs include the track, by
// their tracks, and asking for each stretch X of the crossing track the
// first of them on the tracks X is the walk's answer for. It visits each
// stretch of the crossing tracks once instead of each step of the level, and
// is taken when the level's steps far outnumber the crossing tracks.
bool SegmentWaySearch::SweepLevel(const std::vector<Segment*>& level, bool levelVertical,
                                  std::vector<Segment*>& next) {
  const bool crossVertical = !levelVertical;
  std::vector<Segment*>& crossHeads = Heads(crossVertical);
  SegmentTrackIndex& crossIndex = crossVertical ? m_vertIndex : m_horzIndex;
  const auto crossCount = static_cast<int64_t>(crossHeads.size());
  const size_t rows = Heads(levelVertical).size();
  if (level.empty() || crossCount == 0 || rows == 0) return false;
  struct Run {
    int64_t first;
    int64_t last;
  };
  std::vector<Run> runs(level.size(), Run{0, -1});
  int64_t steps = 0;
  int64_t low = INT64_MAX;
  int64_t high = INT64_MIN;
  for (size_t i = 0; i < level.size(); ++i) {
    const Segment& t = *level[i];
    const int64_t start = t.m_nStart;
    const int64_t limit = static_cast<int64_t>(t.m_nEnd) - m_nStep;
    if (start >= limit || t.m_nTrack < 0 || static_cast<size_t>(t.m_nTrack) >= rows) continue;
    const int64_t first = CrossingTrack(start, m_nStep, crossCount);
    if (first >= crossCount) continue;
    const int64_t lastStep = start + (limit - start - 1) / m_nStep * m_nStep;
    const int64_t last = std::min(crossCount - 1, CrossingTrack(lastStep, m_nStep, crossCount));
    runs[i] = {first, last};
    steps += last - first + 1;
    low = std::min(low, first);
    high = std::max(high, last);
  }
  if (low > high || steps / (high - low + 1) < m_nSweepAbove) return false;

  // The runs starting and ending at each crossing track, in the order of
  // those tracks (a counting sort: they lie between low and high).
  const auto span = static_cast<size_t>(high - low + 1);
  std::vector<size_t> byFirst;
  std::vector<size_t> byLast;
  {
    std::vector<size_t> firstAt(span + 1, 0);
    std::vector<size_t> lastAt(span + 1, 0);
    for (const Run& run : runs) {
      if (run.first > run.last) continue;
      ++firstAt[static_cast<size_t>(run.first - low) + 1];
      ++lastAt[static_cast<size_t>(run.last - low) + 1];
    }
    for (size_t k = 1; k <= span; ++k) {
      firstAt[k] += firstAt[k - 1];
      lastAt[k] += lastAt[k - 1];
    }
    byFirst.resize(firstAt[span]);
    byLast.resize(lastAt[span]);
    for (size_t i = 0; i < level.size(); ++i) {
      if (runs[i].first > runs[i].last) continue;
      byFirst[firstAt[static_cast<size_t>(runs[i].first - low)]++] = i;
      byLast[lastAt[static_cast<size_t>(runs[i].last - low)]++] = i;
    }
  }
  // The places of the level's stretches whose runs include the track, by
  // their own tracks; the first of each track in a range-minimum.
  // Each track's places are a short list threaded through `nextPlace`
  // (a place is on one list at a time), from `rowFirst`.
  std::vector<int32_t> rowFirst(rows, -1);
  std::vector<int32_t> nextPlace(level.size(), -1);
  RangeMin first(rows);
  // Which tracks have one, a bit each: most crossing stretches have none on
  // their tracks, which this answers without the range-minimum.
  std::vector<uint64_t> occupied((rows + 63) / 64, 0);
  auto refresh = [&](size_t row) {
    int32_t least = INT32_MAX;
    for (int32_t place = rowFirst[row]; place >= 0; place = nextPlace[static_cast<size_t>(place)]) {
      least = std::min(least, place);
    }
    first.Set(row, least);
    if (least == INT32_MAX) {
      occupied[row / 64] &= ~(uint64_t{1} << (row % 64));
    } else {
      occupied[row / 64] |= uint64_t{1} << (row % 64);
    }
  };
  auto anyIn = [&occupied](size_t bottom, size_t top) {
    const size_t lowWord = bottom / 64;
    const size_t highWord = top / 64;
    for (size_t w = lowWord; w <= highWord; ++w) {
      uint64_t bits = occupied[w];
      if (w == lowWord) bits &= ~uint64_t{0} << (bottom % 64);
      if (w == highWord && top % 64 != 63) bits &= (uint64_t{1} << (top % 64 + 1)) - 1;
      if (bits) return true;
    }
    return false;
  };
  struct Claim {
    int32_t place;
    Segment* x;
  };
  std::vector<Claim> claims;
  size_t opened = 0;
  size_t closed = 0;
  // Takes the stretches whose runs end at track k off their tracks' lists.
  auto closeRunsEndingAt = [&](int64_t k) {
    for (; closed < byLast.size() && runs[byLast[closed]].last == k; ++closed) {
      const size_t i = byLast[closed];
      const auto row = static_cast<size_t>(level[i]->m_nTrack);
      int32_t* link = &rowFirst[row];
      while (*link != static_cast<int32_t>(i)) link = &nextPlace[static_cast<size_t>(*link)];
      *link = nextPlace[i];
      refresh(row);
    }
  };
  for (int64_t k = low; k <= high; ++k) {
    for (; opened < byFirst.size() && runs[byFirst[opened]].first == k; ++opened) {
      const size_t i = byFirst[opened];
      const auto row = static_cast<size_t>(level[i]->m_nTrack);
      nextPlace[i] = rowFirst[row];
      rowFirst[row] = static_cast<int32_t>(i);
      refresh(row);
    }
    // A crossing track with no stretch of the level coming to it gives
    // nothing; nor does one the level is not made on.
    const auto crossTrack = static_cast<size_t>(k);
    // The tracks' arrays lie apart in memory: the next ones are fetched
    // while this one is read.
    crossIndex.Prefetch(crossTrack + 2);
    if (!m_crossTracks.Has(k)) {
      closeRunsEndingAt(k);
      continue;
    }
    Segment* head = first.Min(0, rows - 1) != INT32_MAX ? crossHeads[crossTrack] : nullptr;
    const std::vector<SegmentTrackIndex::Steps>* covers = nullptr;
    // The walk's answers are the stretches themselves only on a track in
    // the order of the starts.
    if (!crossIndex.StepsCovered(crossTrack, head, covers)) return false;
    for (size_t e = 0; e < covers->size(); ++e) {
      // The tracks this stretch is the first to cover.
      const int64_t bottom = std::max<int64_t>((*covers)[e].low, 0);
      const int64_t top = std::min<int64_t>((*covers)[e].high, static_cast<int64_t>(rows) - 1);
      if (bottom > top || !anyIn(static_cast<size_t>(bottom), static_cast<size_t>(top))) continue;
      const int32_t place = first.Min(static_cast<size_t>(bottom), static_cast<size_t>(top));
      if (place == INT32_MAX) continue;
      Segment* x = (*covers)[e].stretch;
      if (Takes(x)) claims.push_back({place, x});
    }
    closeRunsEndingAt(k);
  }
  // In the walk's order: by the reaching stretch's place, then by the
  // crossing track (the claims were made track by track, and a counting
  // sort by place keeps that order).
  std::vector<size_t> atPlace(level.size() + 1, 0);
  for (const Claim& claim : claims) ++atPlace[static_cast<size_t>(claim.place) + 1];
  for (size_t i = 1; i <= level.size(); ++i) atPlace[i] += atPlace[i - 1];
  std::vector<Claim> ordered(claims.size());
  for (const Claim& claim : claims) ordered[atPlace[static_cast<size_t>(claim.place)]++] = claim;
  for (const Claim& claim : ordered) {
    Reach(level[static_cast<size_t>(claim.place)], claim.x);
    next.push_back(claim.x);
    m_nextPlaces.push_back(static_cast<size_t>(claim.place));
  }
  return true;
}

void SegmentWaySearch::WalkLevel(const std::vector<Segment*>& level, bool levelVertical, std::vector<Segment*>& next) {
  if (SweepLevel(level, levelVertical, next)) return;
  const bool crossVertical = !levelVertical;
  std::vector<Segment*>& crossHeads = Heads(crossVertical);
  SegmentTrackIndex& crossIndex = crossVertical ? m_vertIndex : m_horzIndex;
  const auto crossCount = static_cast<int64_t>(crossHeads.size());
  for (size_t place = 0; place < level.size(); ++place) {
    Segment* t = level[place];
    const int64_t at = static_cast<int64_t>(t->m_nTrack) * m_nStep;
    for (int64_t p = t->m_nStart; p < static_cast<int64_t>(t->m_nEnd) - m_nStep; p += m_nStep) {
      const int64_t k = CrossingTrack(p, m_nStep, crossCount);
      if (k >= crossCount) break;
      if (!m_crossTracks.Has(k)) continue;
      // The first stretch of the crossing track's list covering T's track,
      // unless one starting past it comes first.
      const auto crossTrack = static_cast<size_t>(k);
      Segment* x = crossIndex.FindCovering(crossTrack, crossHeads[crossTrack], static_cast<int32_t>(at));
      if (!x || !Takes(x)) continue;
      Reach(t, x);
      next.push_back(x);
      m_nextPlaces.push_back(place);
    }
  }
}
