// SegmentTrackIndex: an aid of the segment router's search that finds, on a
// track, the stretch that covers a coordinate without walking the track's
// list from its head on every question.
//
// The search asks, for every step position along a stretch, which stretch
// of the crossing track there covers the stretch's own track. Walking the
// crossing track's list from its head answers in the list's length; this
// index keeps, for each track asked about, an array of the track's
// stretches in list order with the running maxima of their starts and ends,
// made the first time the track is asked about, and answers by binary
// search over it (a track holds few stretches, so that reads a cache line
// or two; a table by coordinate would cost memory in proportion to the
// track's length and miss the cache). The answer is by construction the one
// the walk gives (see FindCovering), whatever the list holds.
//
// The arrays hold pointers into the tracks and no copy of their contents:
// a track's arrays are valid only until one of its stretches is cut, freed,
// glued or deleted. Invalidate forgets one track's arrays, Reset all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Segment;

class SegmentTrackIndex {
 public:
  // Forgets the arrays of every track; `trackCount` tracks can be asked
  // about until the next Reset. The step is that of the tracks' positions
  // (see StepsCovered).
  void Reset(size_t trackCount, int32_t step = 0);
  // Forgets the arrays of one track (its stretches changed).
  void Invalidate(size_t track);

  // What the walk from `head` along the track's list finds: it stops at the
  // first stretch that covers `at` (start <= at <= end), which it returns, or
  // at the first stretch that starts past `at`, giving none. `head` must be
  // the first stretch of track `track` (none for an empty track).
  Segment* FindCovering(size_t track, Segment* head, int32_t at);

  // One stretch of a track in list order: its start and end, and the
  // largest start and end of the stretches up to and including it.
  struct Entry {
    int32_t start;
    int32_t end;
    int32_t maxStart;
    int32_t maxEnd;
    Segment* stretch;
  };
  // The stretches of a track in list order, from the array kept for it.
  const std::vector<Entry>& Stretches(size_t track, Segment* head);

  // A run of step positions, low..high in steps (none when low > high),
  // at which the walk finds `stretch`; the stretch is kept beside the run
  // so that a sweep over the runs reads one array.
  struct Steps {
    int32_t low;
    int32_t high;
    Segment* stretch;
  };
  // With a step given, for each stretch of the track in list order, the
  // step positions at which the walk from the head finds that stretch
  // (`covers`, beside `Stretches`); false, with none, when the track's
  // stretches are not in the order of their starts (the walk's answer may
  // then not be the covering stretch) or no step was given.
  bool StepsCovered(size_t track, Segment* head, const std::vector<Steps>*& covers);
  // Asks the processor to fetch a made track's arrays ahead of their use;
  // nothing for a track not made.
  void Prefetch(size_t track) const;

 private:
  struct Track {
    bool built = false;
    Segment* head = nullptr;
    std::vector<Entry> entries;
    // For each entry, the multiples of the step (as their numbers) at which
    // the walk finds it; kept only for a track in start order.
    std::vector<Steps> covers;
    bool ordered = false;
  };

  const Track& Build(size_t track, Segment* head);

  std::vector<Track> m_tracks;
  int32_t m_nStep = 0;
};
