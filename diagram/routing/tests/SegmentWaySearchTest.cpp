#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "diagram/routing/Segment.h"
#include "diagram/routing/SegmentWaySearch.h"

namespace {

// Random tracks of both orientations: stretches with gaps, touching pairs
// and pin stretches, their ends on and off the track positions.
class RandomTracks {
 public:
  RandomTracks(unsigned seed, int step, int mostTracks = 16) : m_random(seed) {
    std::uniform_int_distribution<int> tracks(3, mostTracks);
    const int horz = tracks(m_random);
    const int vert = tracks(m_random);
    Fill(m_horz, horz, vert * step);
    Fill(m_vert, vert, horz * step);
  }
  RandomTracks(const RandomTracks&) = delete;
  RandomTracks& operator=(const RandomTracks&) = delete;

  std::vector<Segment*>& Heads(bool vertical) { return vertical ? m_vert : m_horz; }
  // A stretch picked at random; none when the orientation has none.
  Segment* Pick(bool vertical) {
    std::vector<Segment*> all;
    for (Segment* head : Heads(vertical)) {
      for (Segment* s = head; s; s = s->m_pNext) all.push_back(s);
    }
    if (all.empty()) return nullptr;
    return all[std::uniform_int_distribution<size_t>(0, all.size() - 1)(m_random)];
  }
  // The marks a search leaves cleared, pins kept.
  void ClearMarks() {
    for (bool vertical : {false, true}) {
      for (Segment* head : Heads(vertical)) {
        for (Segment* s = head; s; s = s->m_pNext) {
          if (s->m_nState == Segment::kPinReached) s->m_nState = Segment::kPin;
          if (s->m_nState != Segment::kPin) s->m_nState = Segment::kFree;
          s->m_pPredecessor = nullptr;
          s->m_nCost = 0;
        }
      }
    }
  }
  std::mt19937& Random() { return m_random; }
  // Every stretch's state, predecessor and cost: all that a search marks.
  std::vector<std::tuple<int, const Segment*, int>> Reached() {
    std::vector<std::tuple<int, const Segment*, int>> marks;
    for (bool vertical : {false, true}) {
      for (Segment* head : Heads(vertical)) {
        for (Segment* s = head; s; s = s->m_pNext) {
          marks.emplace_back(s->m_nState, s->m_pPredecessor, s->m_pPredecessor ? s->m_nCost : 0);
        }
      }
    }
    return marks;
  }
  // Every stretch's state and whether it has a predecessor.
  std::vector<std::pair<int, bool>> Marks() {
    std::vector<std::pair<int, bool>> marks;
    for (bool vertical : {false, true}) {
      for (Segment* head : Heads(vertical)) {
        for (Segment* s = head; s; s = s->m_pNext) marks.emplace_back(s->m_nState, s->m_pPredecessor != nullptr);
      }
    }
    return marks;
  }

 private:
  void Fill(std::vector<Segment*>& heads, int count, int length) {
    std::uniform_int_distribution<int> oneIn4(0, 3);
    std::uniform_int_distribution<int> span(1, length);
    std::uniform_int_distribution<int> oneIn6(0, 5);
    for (int track = 0; track < count; ++track) {
      Segment* head = nullptr;
      Segment* last = nullptr;
      // Some tracks are not made at all.
      for (int at = oneIn6(m_random) == 0 ? length : span(m_random) / 4; at < length;) {
        const int end = std::min(length, at + span(m_random));
        m_owned.push_back(std::make_unique<Segment>(track, at, end, last,
                                                    oneIn6(m_random) == 0 ? Segment::kPin : Segment::kFree));
        last = m_owned.back().get();
        if (!head) head = last;
        // Touching the next stretch, or a gap before it.
        at = end + (oneIn4(m_random) == 0 ? 0 : span(m_random) / 8 + 1);
      }
      heads.push_back(head);
    }
  }

  std::mt19937 m_random;
  std::vector<std::unique_ptr<Segment>> m_owned;
  std::vector<Segment*> m_horz;
  std::vector<Segment*> m_vert;
};

// The plain search: every level walked whole, every crossing stretch found
// by walking its track's list from the head.
bool PlainSearch(RandomTracks& tracks, Segment* source, const SegmentWaySearch::Destination& destination,
                 int step) {
  Segment* target = destination.stretch;
  source->m_pPredecessor = nullptr;
  source->m_nCost = 0;
  target->m_pPredecessor = nullptr;
  target->m_nCost = 0;
  if (target->m_nState != Segment::kPin) target->m_nState = Segment::kReached;
  std::vector<Segment*> current{target};
  std::vector<Segment*> next;
  bool vertical = destination.vertical;
  while (!source->m_pPredecessor && !current.empty()) {
    std::stable_sort(current.begin(), current.end(),
                     [](const Segment* a, const Segment* b) { return a->m_nCost < b->m_nCost; });
    next.clear();
    std::vector<Segment*>& cross = tracks.Heads(!vertical);
    const int count = static_cast<int>(cross.size());
    for (Segment* t : current) {
      const int at = t->m_nTrack * step;
      for (int p = t->m_nStart; p < t->m_nEnd - step; p += step) {
        int k = p / step;
        if (p % step != 0 && k + 1 < count) ++k;
        if (k >= count) break;
        Segment* x = cross[static_cast<size_t>(k)];
        while (x && !x->Covers(at)) x = x->m_nStart > at ? nullptr : x->m_pNext;
        if (!x) continue;
        const bool free = x->m_nState == Segment::kFree;
        if (!free && !(x->m_nState == Segment::kPin && x == source)) continue;
        x->m_pPredecessor = t;
        x->m_nState = free ? Segment::kReached : Segment::kPinReached;
        const int increment = t->m_pPredecessor
                                  ? std::abs(t->m_pPredecessor->m_nTrack - x->m_nTrack)
                                  : std::abs(std::abs(x->m_nTrack - destination.along / step) - destination.inputs);
        x->m_nCost = t->m_nCost + increment;
        next.push_back(x);
      }
    }
    current.swap(next);
    vertical = !vertical;
  }
  return source->m_pPredecessor != nullptr;
}

// The way from the source: each stretch with its cost and state.
std::vector<std::pair<const Segment*, std::pair<int, int>>> Way(const Segment* source) {
  std::vector<std::pair<const Segment*, std::pair<int, int>>> way;
  for (const Segment* s = source; s; s = s->m_pPredecessor) way.push_back({s, {s->m_nCost, s->m_nState}});
  return way;
}

TEST(SegmentWaySearch, FindsTheWayThePlainLevelWalkFindsAndClearsItsMarks) {
  std::vector<int> bends;
  // Up to 16 tracks each way with steps 10 and 7, up to 48 (levels of
  // many stretches, whose order matters) with step 10, and a few sets of up
  // to 300 (levels of hundreds of stretches, sorted by their costs' bytes,
  // over more tracks than a machine word has bits).
  for (const auto& [step, mostTracks, seeds] :
       {std::tuple{10, 16, 300u}, std::tuple{7, 16, 300u}, std::tuple{10, 48, 300u}, std::tuple{10, 300, 40u}}) {
    for (unsigned seed = 1; seed <= seeds; ++seed) {
      RandomTracks tracks(seed, step, mostTracks);
      const bool sourceVertical = (seed & 1) != 0;
      const bool destinationVertical = (seed & 2) != 0;
      Segment* source = tracks.Pick(sourceVertical);
      Segment* target = tracks.Pick(destinationVertical);
      if (!source || !target || source == target) continue;
      const int along = std::uniform_int_distribution<int>(target->m_nStart, target->m_nEnd)(tracks.Random());
      const SegmentWaySearch::Destination destination{target, destinationVertical, along, static_cast<int>(seed % 4)};

      const auto unmarked = tracks.Marks();
      const bool plain = PlainSearch(tracks, source, destination, step);
      const auto plainWay = Way(source);
      tracks.ClearMarks();
      // Every level walked, every level swept, and the default choice: the
      // same way, and the same marks on every stretch (the levels in the
      // same order).
      std::vector<std::tuple<int, const Segment*, int>> walked;
      for (const int64_t sweepAbove : {INT64_MAX, int64_t{0}, int64_t{8}}) {
        SegmentWaySearch search(tracks.Heads(false), tracks.Heads(true));
        search.SetSweepAbove(sweepAbove);
        const bool quick = search.Run(source, sourceVertical, destination, step);
        if (sweepAbove == INT64_MAX) {
          walked = tracks.Reached();
        } else {
          EXPECT_EQ(tracks.Reached(), walked) << "seed " << seed << " step " << step << " sweep " << sweepAbove;
        }
        ASSERT_EQ(quick, plain) << "seed " << seed << " step " << step << " sweep " << sweepAbove;
        if (plain) {
          EXPECT_EQ(Way(source), plainWay) << "seed " << seed << " step " << step << " sweep " << sweepAbove;
          if (sweepAbove == 0) bends.push_back(static_cast<int>(plainWay.size()) - 1);
        }
        // Clearing the search's own marks leaves the tracks as they were.
        search.ClearMarks();
        EXPECT_EQ(tracks.Marks(), unmarked) << "seed " << seed << " step " << step;
      }
    }
  }
  // The cases reach ways of two bends and more, which the search finds
  // without walking the level before the last.
  EXPECT_GT(std::count_if(bends.begin(), bends.end(), [](int b) { return b >= 2; }), 100);
}

}  // namespace
