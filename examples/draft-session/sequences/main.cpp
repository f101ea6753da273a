// Plays generated drafting sessions and checks their undo history (see
// SequenceRun.h), for runs longer than the tests make:
//
//   draft_undo_sequences [FIRST_SEED [COUNT [COMMANDS]]]
//
// plays COUNT seeds (default 1000) from FIRST_SEED (default 1), each a
// session of COMMANDS commands (default 16). It prints the totals, and for
// each failing seed the broken promise and the session in the script's
// words (a single seed's session also when it passes); on standard error it
// names each seed as it starts. The exit status
// is 1 when a seed failed.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "examples/draft-session/sequences/SequenceRun.h"

int main(int argc, char** argv) {
  const uint64_t first = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1;
  const uint64_t count = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000;
  draftsequence::SequenceOptions options;
  if (argc > 3) options.commands = std::atoi(argv[3]);
  const auto start = std::chrono::steady_clock::now();
  long commands = 0, events = 0, records = 0, cancelled = 0, moves = 0, limited = 0;
  int failed = 0;
  for (uint64_t seed = first; seed < first + count; ++seed) {
    // The seed being played, on standard error: a sanitizer's report that
    // ends the program follows it.
    std::cerr << "playing seed " << seed << "\n";
    const draftsequence::SequenceReport r = draftsequence::RunSequence(seed, options);
    commands += r.commands;
    events += r.events;
    records += r.records;
    cancelled += r.cancelled;
    moves += r.undoMoves;
    limited += r.limited ? 1 : 0;
    if (!r.ok) {
      ++failed;
      std::cout << "seed " << seed << ": " << r.failure << "\n" << r.transcript << "\n";
    } else if (count == 1) {
      std::cout << r.transcript << "\n";
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << count << " sequences from seed " << first << ": " << commands << " commands (" << cancelled
            << " left part-way or with a cancelled dialog), " << events << " events, " << records
            << " undo records at the end, " << moves << " undo and redo moves checked, " << limited
            << " played again under an undo limit; " << failed << " failed; " << seconds << " s\n";
  return failed ? 1 : 0;
}
