// Generated drafting sessions on the example host: undo and redo exact over
// whole sessions (see SequenceRun.h). A few hundred seeds run here, in
// slices that CTest runs side by side; draft_undo_sequences runs more.
#include <gtest/gtest.h>

#include "examples/draft-session/sequences/SequenceRun.h"

namespace {

void PlaySeeds(uint64_t first, uint64_t count) {
  for (uint64_t seed = first; seed < first + count; ++seed) {
    const draftsequence::SequenceReport r = draftsequence::RunSequence(seed);
    ASSERT_TRUE(r.ok) << "seed " << seed << ": " << r.failure << "\n" << r.transcript;
  }
}

class SequenceSlice : public testing::TestWithParam<int> {};

TEST_P(SequenceSlice, UndoAndRedoLandOnTheKeptStates) { PlaySeeds(1 + 32 * static_cast<uint64_t>(GetParam()), 32); }

INSTANTIATE_TEST_SUITE_P(Seeds, SequenceSlice, testing::Range(0, 8));

// The long runs' sessions that found a fault, as they ran then: the records
// command, pushed while a contour was being placed, read the contour's
// copies that were selected when it was made and that the push freed (54,
// 40 commands).
TEST(SequenceFaults, SessionsThatFoundAFaultPass) {
  const struct {
    uint64_t seed;
    int commands;
  } sessions[] = {{54, 40}};
  for (const auto& s : sessions) {
    draftsequence::SequenceOptions options;
    options.commands = s.commands;
    const draftsequence::SequenceReport r = draftsequence::RunSequence(s.seed, options);
    EXPECT_TRUE(r.ok) << "seed " << s.seed << ": " << r.failure << "\n" << r.transcript;
  }
}

}  // namespace
