#include "diagram/routing/SegmentTrackIndex.h"

#include <algorithm>

#include "diagram/routing/Segment.h"

void SegmentTrackIndex::Reset(size_t trackCount) {
  if (m_tracks.size() != trackCount) {
    m_tracks.resize(trackCount);
    m_builtIn.assign(trackCount, 0);
  }
  if (++m_nRound == 0) {
    // The round counter wrapped: no array may look current.
    std::fill(m_builtIn.begin(), m_builtIn.end(), 0);
    m_nRound = 1;
  }
}

const std::vector<SegmentTrackIndex::Entry>& SegmentTrackIndex::Build(size_t track, Segment* head) {
  std::vector<Entry>& entries = m_tracks[track];
  if (m_builtIn[track] == m_nRound) return entries;
  entries.clear();
  int32_t maxStart = INT32_MIN;
  int32_t maxEnd = INT32_MIN;
  for (Segment* stretch = head; stretch; stretch = stretch->m_pNext) {
    maxStart = std::max(maxStart, stretch->m_nStart);
    maxEnd = std::max(maxEnd, stretch->m_nEnd);
    entries.push_back({maxStart, maxEnd, stretch});
  }
  m_builtIn[track] = m_nRound;
  return entries;
}

Segment* SegmentTrackIndex::FindCovering(size_t track, Segment* head, int32_t at) {
  if (!head || track >= m_tracks.size()) return nullptr;
  const std::vector<Entry>& entries = Build(track, head);
  // The walk passes a stretch while it starts at or before `at` and ends
  // before it, and stops at the first stretch that starts past `at` or ends
  // at or after it. That is the first entry whose running maximum of the
  // starts passes `at` or whose running maximum of the ends reaches it: the
  // running maxima only grow, so the entries before it are exactly those the
  // walk passes.
  const auto stop = std::partition_point(entries.begin(), entries.end(),
                                         [at](const Entry& e) { return e.maxStart <= at && e.maxEnd < at; });
  if (stop == entries.end()) return nullptr;
  Segment* stretch = stop->stretch;
  return stretch->Covers(at) ? stretch : nullptr;
}
