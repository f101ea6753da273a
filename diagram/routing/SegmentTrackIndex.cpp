#include "diagram/routing/SegmentTrackIndex.h"

#include <algorithm>

#include "diagram/routing/Segment.h"

void SegmentTrackIndex::Reset(size_t trackCount, int32_t step) {
  m_tracks.resize(trackCount);
  for (Track& track : m_tracks) track.built = false;
  m_nStep = std::max(step, 0);
}

void SegmentTrackIndex::Invalidate(size_t track) {
  if (track < m_tracks.size()) m_tracks[track].built = false;
}

namespace {

// Whether the walk passes an entry for `at`: it starts at or before `at`
// and ends before it. The running maxima only grow, so the entries the walk
// passes are exactly those before the first entry that fails this.
template <typename Entry>
bool Passes(const Entry& e, int32_t at) {
  return e.maxStart <= at && e.maxEnd < at;
}

}  // namespace

const SegmentTrackIndex::Track& SegmentTrackIndex::Build(size_t track, Segment* head) {
  Track& t = m_tracks[track];
  if (t.built && t.head == head) return t;
  t.entries.clear();
  int32_t maxStart = INT32_MIN;
  int32_t maxEnd = INT32_MIN;
  for (Segment* stretch = head; stretch; stretch = stretch->m_pNext) {
    maxStart = std::max(maxStart, stretch->m_nStart);
    maxEnd = std::max(maxEnd, stretch->m_nEnd);
    t.entries.push_back({stretch->m_nStart, stretch->m_nEnd, maxStart, maxEnd, stretch});
  }
  t.covers.clear();
  t.ordered = m_nStep > 0;
  if (t.ordered) {
    // In start order, the walk finds a stretch at a point when the stretch
    // covers it and no stretch before it does, that is past the largest end
    // before it.
    int64_t endBefore = INT64_MIN;
    int64_t startBefore = INT64_MIN;
    for (const Entry& e : t.entries) {
      if (e.start < startBefore) {
        t.ordered = false;
        t.covers.clear();
        break;
      }
      startBefore = e.start;
      const int64_t from = endBefore == INT64_MIN ? e.start : std::max<int64_t>(e.start, endBefore + 1);
      const int64_t low = from >= 0 ? (from + m_nStep - 1) / m_nStep : -(-from / m_nStep);
      const int64_t high = e.end >= 0 ? e.end / m_nStep : -((-static_cast<int64_t>(e.end) + m_nStep - 1) / m_nStep);
      t.covers.push_back({static_cast<int32_t>(std::clamp<int64_t>(low, INT32_MIN, INT32_MAX)),
                          static_cast<int32_t>(std::clamp<int64_t>(high, INT32_MIN, INT32_MAX)), e.stretch});
      endBefore = std::max<int64_t>(endBefore, e.end);
    }
  }
  t.head = head;
  t.built = true;
  return t;
}

bool SegmentTrackIndex::StepsCovered(size_t track, Segment* head, const std::vector<Steps>*& covers) {
  static const std::vector<Steps> kNone;
  covers = &kNone;
  if (!head || track >= m_tracks.size()) return m_nStep > 0;
  const Track& t = Build(track, head);
  if (!t.ordered) return false;
  covers = &t.covers;
  return true;
}

const std::vector<SegmentTrackIndex::Entry>& SegmentTrackIndex::Stretches(size_t track, Segment* head) {
  static const std::vector<Entry> kNone;
  if (!head || track >= m_tracks.size()) return kNone;
  return Build(track, head).entries;
}

Segment* SegmentTrackIndex::FindCovering(size_t track, Segment* head, int32_t at) {
  if (!head || track >= m_tracks.size()) return nullptr;
  const Track& t = Build(track, head);
  // A track holds few stretches: a binary search over its array reads
  // a cache line or two.
  const auto stop = static_cast<size_t>(
      std::partition_point(t.entries.begin(), t.entries.end(), [at](const Entry& e) { return Passes(e, at); }) -
      t.entries.begin());
  if (stop == t.entries.size()) return nullptr;
  const Entry& entry = t.entries[stop];
  return entry.start <= at && at <= entry.end ? entry.stretch : nullptr;
}

void SegmentTrackIndex::Prefetch(size_t track) const {
  if (track >= m_tracks.size() || !m_tracks[track].built) return;
  const Track& t = m_tracks[track];
  const char* covers = reinterpret_cast<const char*>(t.covers.data());
  const size_t bytes = t.covers.size() * sizeof(Steps);
  for (size_t at = 0; at < bytes; at += 64) __builtin_prefetch(covers + at);
}
