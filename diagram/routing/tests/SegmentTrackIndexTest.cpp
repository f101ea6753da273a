#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "diagram/routing/Segment.h"
#include "diagram/routing/SegmentTrackIndex.h"

namespace {

// A track's list built from (start, end) pairs in the order given.
class Track {
 public:
  explicit Track(const std::vector<std::pair<int, int>>& spans) {
    Segment* last = nullptr;
    for (const auto& [start, end] : spans) {
      m_owned.push_back(std::make_unique<Segment>(0, start, end, last, Segment::kFree));
      last = m_owned.back().get();
    }
  }
  Segment* Head() const { return m_owned.empty() ? nullptr : m_owned.front().get(); }
  // The position of a stretch in the list; -1 for none.
  int IndexOf(const Segment* stretch) const {
    for (size_t i = 0; i < m_owned.size(); ++i) {
      if (m_owned[i].get() == stretch) return static_cast<int>(i);
    }
    return -1;
  }

 private:
  std::vector<std::unique_ptr<Segment>> m_owned;
};

TEST(SegmentTrackIndex, FindsWhatTheWalkFromTheHeadFinds) {
  struct Case {
    std::vector<std::pair<int, int>> spans;
    int at;
    int found;  // the stretch's place in the list; -1 none
  };
  const Case cases[] = {
      // Touching stretches: the first of the two that cover the point.
      {{{0, 10}, {10, 20}, {25, 30}}, 10, 0},
      {{{0, 10}, {10, 20}, {25, 30}}, 11, 1},
      // In a gap, before the first and past the last: none.
      {{{0, 10}, {10, 20}, {25, 30}}, 22, -1},
      {{{5, 10}}, 2, -1},
      {{{0, 10}, {10, 20}, {25, 30}}, 31, -1},
      {{{0, 10}, {10, 20}, {25, 30}}, 30, 2},
      {{}, 5, -1},
      // A long stretch covering a later short one is found first.
      {{{0, 50}, {10, 20}}, 15, 0},
      {{{0, 50}, {10, 20}, {30, 40}}, 45, 0},
      // A short stretch ending before the point is passed; the walk goes on.
      {{{0, 5}, {3, 40}}, 20, 1},
      {{{0, 5}, {10, 50}, {12, 14}}, 13, 1},
      // A stretch starting past the point ends the walk, even when a later
      // one (out of order) would cover it.
      {{{0, 5}, {30, 40}, {8, 12}}, 10, -1},
  };
  for (const Case& c : cases) {
    // Without a step by binary search; with one, at its multiples by
    // look-up (a step of 1 looks every point up).
    for (const int step : {0, 1, 5, 10}) {
      const Track track(c.spans);
      SegmentTrackIndex index;
      index.Reset(1, step);
      EXPECT_EQ(track.IndexOf(index.FindCovering(0, track.Head(), c.at)), c.found) << "at " << c.at << " " << step;
      // Asked again from the array already made.
      EXPECT_EQ(track.IndexOf(index.FindCovering(0, track.Head(), c.at)), c.found) << "at " << c.at << " " << step;
    }
  }
}

TEST(SegmentTrackIndex, KeepsATracksArrayUntilTheTrackIsInvalidatedOrTheIndexReset) {
  const Track track({{0, 10}});
  SegmentTrackIndex index;
  index.Reset(2, 5);
  EXPECT_EQ(index.FindCovering(1, track.Head(), 25), nullptr);
  // Until it is told, the index answers from the array it made.
  track.Head()->m_nEnd = 30;
  EXPECT_EQ(index.FindCovering(1, track.Head(), 25), nullptr);
  index.Invalidate(0);
  EXPECT_EQ(index.FindCovering(1, track.Head(), 25), nullptr);
  index.Invalidate(1);
  EXPECT_EQ(index.FindCovering(1, track.Head(), 25), track.Head());
  track.Head()->m_nEnd = 20;
  index.Reset(2, 5);
  EXPECT_EQ(index.FindCovering(1, track.Head(), 25), nullptr);
  // Another head is another list: made afresh.
  const Track other({{20, 30}});
  EXPECT_EQ(index.FindCovering(1, other.Head(), 25), other.Head());
  // A track past the count given is none.
  EXPECT_EQ(index.FindCovering(2, other.Head(), 25), nullptr);
}

}  // namespace
