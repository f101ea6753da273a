// SegmentWaySearch: the segment router's search for the way of one wire
// over its tracks, breadth-first from the destination stretch, one bend per
// level, each level taken cheapest first.
//
// Each stretch T of a level is walked at every step position along it; at
// each position the crossing track's first stretch covering T's track is
// reached when it is free (or is the source, a pin stretch): it gets T as its
// predecessor, its cost and its state and joins the next level. The search
// ends with the level that reaches the source, or when a level is empty.
//
// Two things keep it from walking more than the way needs, with the same
// marks on every stretch of the way as the full walk gives:
// - The crossing stretches are found through a SegmentTrackIndex per
//   orientation (the tracks do not change during a search). Its arrays are
//   made afresh for each search, or, when the owner of the tracks reports
//   every change of a track (KeepIndexAcrossSearches), kept from one search
//   to the next for the tracks that did not change.
// - Before a level is walked, the search asks only whether the level, or
//   the level it would make, reaches the source. The source is reached from
//   the first stretch in the level's order that comes to it; in the level
//   after, that order is by cost and then by the order in which the walk
//   reaches its stretches, which is the order of their reaching stretches in
//   this level and then of the positions along them. Only the stretches that
//   come to the source (its "hitters", found once per search) are looked at,
//   so the level before the one that reaches the source is never walked.
//   Of the level before that, only the part on the crossing tracks the
//   hitters cover is walked when that part already reaches a hitter.
// The search expects unmarked stretches (pins kept) and records every
// stretch it marks, so that ClearMarks can unmark them before the tracks
// change.
#pragma once

#include <cstdint>
#include <vector>

#include "diagram/routing/Segment.h"
#include "diagram/routing/SegmentTrackIndex.h"

class SegmentWaySearch {
 public:
  // The heads of the router's horizontal and vertical tracks; both outlive
  // the search object.
  SegmentWaySearch(std::vector<Segment*>& horzHeads, std::vector<Segment*>& vertHeads);
  SegmentWaySearch(const SegmentWaySearch&) = delete;
  SegmentWaySearch& operator=(const SegmentWaySearch&) = delete;

  // The destination's cost measure: its coordinate along its stretch and
  // the number of inputs of its block.
  struct Destination {
    Segment* stretch;
    bool vertical;
    int along;
    int inputs;
  };

  // Searches a way from the destination to the source stretch (both found
  // and glued, and different) with tracks `step` apart; the marks of the last
  // search must have been cleared. True when the source was reached; the way
  // then runs from the source through the predecessors to the destination.
  bool Run(Segment* source, bool sourceVertical, const Destination& destination, int step);

  // The owner of the tracks will report every change of a track from now
  // on (TrackChanged, TracksChanged), so the index of the tracks that did
  // not change is kept between searches.
  void KeepIndexAcrossSearches(bool keep = true) {
    m_bKeepIndex = keep;
    m_bIndexCurrent = false;
  }
  // A track's stretches were cut, freed, glued or deleted.
  void TrackChanged(bool vertical, size_t track) { (vertical ? m_vertIndex : m_horzIndex).Invalidate(track); }
  // Every track changed (made or deleted).
  void TracksChanged() { m_bIndexCurrent = false; }

  // A level is made by the sweep when its steps are more than `ratio` times
  // the crossing tracks they come to, else by the walk (both give the same
  // level; 0 sweeps every level it can, INT64_MAX none).
  void SetSweepAbove(int64_t ratio) { m_nSweepAbove = ratio; }

  // Clears the marks the searches since the last clearing left (states 1
  // and 3 back to 0 and 2, no predecessors), on the stretches they marked.
  // Called before any stretch is cut, freed, glued or deleted, it leaves
  // every stretch of the tracks unmarked without walking them all.
  void ClearMarks();

  // Clears the marks when it goes out of scope, however the scope is left.
  class MarksClearer {
   public:
    explicit MarksClearer(SegmentWaySearch& search) : m_search(search) {}
    MarksClearer(const MarksClearer&) = delete;
    MarksClearer& operator=(const MarksClearer&) = delete;
    ~MarksClearer() { m_search.ClearMarks(); }

   private:
    SegmentWaySearch& m_search;
  };

 private:
  std::vector<Segment*>& Heads(bool vertical) { return vertical ? m_vertHeads : m_horzHeads; }
  // The first stretch of a track covering `at`, as the walk from its head
  // finds it; none past the last track.
  Segment* Covering(bool vertical, int64_t track, int64_t at);
  // The step position along `t` (a stretch of the other orientation than
  // `x`) at which its walk reaches the crossing stretch `x`, whatever the
  // state of `x`; -1 when it never does.
  int64_t PositionReaching(const Segment& t, bool tVertical, const Segment& x);
  // Orders a level cheapest first, equal costs in their present order.
  void SortByCost(std::vector<Segment*>& level);
  // Whether a walk may make `x` reached: free, or the source as a pin.
  // Asked for every stretch a level comes to, so inline.
  bool Takes(const Segment* x) const {
    return x->m_nState == Segment::kFree || (x->m_nState == Segment::kPin && x == m_pSource);
  }
  // `x` reached from `t`: its predecessor, state and cost.
  void Reach(Segment* t, Segment* x);
  // The first stretch of the level that reaches the source; none.
  Segment* FirstReachingSource(const std::vector<Segment*>& level, bool levelVertical);
  // The stretches of the orientation crossing the source that reach it,
  // sorted by track.
  void CollectHitters();
  // Whether the level after this one reaches the source; when it does, its
  // stretch that does and the source are marked as the walk marks them.
  bool ReachSourceThroughNextLevel(const std::vector<Segment*>& level, bool levelVertical);
  // For a level crossing the source's tracks that does not reach it: walks
  // the level onto the crossing tracks that hitters cover first, and when
  // the stretches it reaches there reach a hitter (as
  // ReachSourceThroughNextLevel asks), ends the search with the way marked
  // as the whole walk marks it; otherwise walks the rest and gives the
  // whole next level in the walk's order. The claims on a crossing track
  // depend on this level alone, so the level is the walk's either way.
  bool WalkLevelTowardHitters(const std::vector<Segment*>& level, bool levelVertical, std::vector<Segment*>& next);
  // Walks every stretch of the level; the stretches reached make `next`.
  void WalkLevel(const std::vector<Segment*>& level, bool levelVertical, std::vector<Segment*>& next);
  // The same level made by a sweep over the crossing tracks (see the .cpp);
  // false, with nothing marked, when the walk is cheaper or a crossing
  // track's stretches are not in the order of their starts.
  bool SweepLevel(const std::vector<Segment*>& level, bool levelVertical, std::vector<Segment*>& next);

  std::vector<Segment*>& m_horzHeads;
  std::vector<Segment*>& m_vertHeads;
  SegmentTrackIndex m_horzIndex;
  SegmentTrackIndex m_vertIndex;
  bool m_bKeepIndex = false;
  // Over 2 to 32 the walk and the sweep take about as long on the
  // benchmark's family.
  int64_t m_nSweepAbove = 8;
  // Whether the indexes hold the tracks as they are (kept mode only), and
  // the step and track counts they were made for.
  bool m_bIndexCurrent = false;
  int64_t m_nIndexStep = 0;
  size_t m_nIndexHorz = 0;
  size_t m_nIndexVert = 0;

  // One search.
  Segment* m_pSource = nullptr;
  bool m_bSourceVertical = false;
  Destination m_destination{nullptr, false, 0, 0};
  int64_t m_nStep = 1;
  std::vector<Segment*> m_hitters;
  bool m_bHittersCollected = false;
  // The crossing tracks a walk of a level goes onto: all, or those inside
  // (or outside) low..high.
  struct CrossTracks {
    int64_t low = 0;
    int64_t high = -1;
    bool inside = false;
    bool Has(int64_t track) const { return (low <= track && track <= high) == inside; }
  };
  CrossTracks m_crossTracks;
  // For each stretch a walk adds to the next level, the place in the level
  // of the stretch it was reached from.
  std::vector<size_t> m_nextPlaces;
  // The stretches marked since the marks were last cleared.
  std::vector<Segment*> m_marked;
  // Room for SortByCost.
  std::vector<uint64_t> m_sortKeys;
  std::vector<uint64_t> m_sortSpare;
  std::vector<Segment*> m_sorted;
};
