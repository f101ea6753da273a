// SegmentTrackIndex: an aid of the segment router's search that finds, on a
// track, the stretch that covers a coordinate without walking the track's
// list from its head on every question.
//
// The search asks, for every step position along a stretch, which stretch
// of the crossing track there covers the stretch's own track. Walking the
// crossing track's list from its head answers in the list's length; this
// index keeps, for each track asked about, an array of the track's
// stretches in list order with the running maxima of their starts and ends,
// made the first time the track is asked about and answered by binary
// search afterwards. The answer is by construction the one the walk gives
// (see FindCovering), whatever the list holds.
//
// The arrays hold pointers into the tracks and no copy of their contents:
// they are valid only while no stretch is cut, freed, glued or deleted, that
// is for one search. Reset forgets them all at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Segment;

class SegmentTrackIndex {
 public:
  // Forgets the arrays of every track; `trackCount` tracks can be asked
  // about until the next Reset.
  void Reset(size_t trackCount);

  // What the walk from `head` along the track's list finds: it stops at the
  // first stretch that covers `at` (start <= at <= end), which it returns, or
  // at the first stretch that starts past `at`, giving none. `head` must be
  // the first stretch of track `track` (none for an empty track).
  Segment* FindCovering(size_t track, Segment* head, int32_t at);

 private:
  // One stretch of a track in list order with the largest start and end of
  // the stretches up to and including it.
  struct Entry {
    int32_t maxStart;
    int32_t maxEnd;
    Segment* stretch;
  };

  const std::vector<Entry>& Build(size_t track, Segment* head);

  std::vector<std::vector<Entry>> m_tracks;
  // The Reset round each track's array was made in; 0 never.
  std::vector<uint32_t> m_builtIn;
  uint32_t m_nRound = 0;
};
