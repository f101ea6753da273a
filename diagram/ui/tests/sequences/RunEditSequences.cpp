// Long runs of the random edit sessions of the undo property test:
//   diagram_edit_sequences [FIRST_SEED [COUNT [STEPS [WITHOUT,ROWS]]]]
// runs COUNT sessions (default 1000) from FIRST_SEED (default 1), each of
// STEPS steps (default 60; every fourth session with a small undo limit),
// prints each failure with its seed and the steps that led to it, and the
// figures of the run. The exit status is 1 when a session failed.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "diagram/ui/tests/EditSession.h"

int main(int argc, char** argv) {
  // Each failure shows as it happens in a long run.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const unsigned long first = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1;
  const unsigned long count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1000;
  const int steps = argc > 3 ? std::atoi(argv[3]) : 60;
  unsigned long failed = 0;
  long long stepsRun = 0;
  long long replays = 0;
  for (unsigned long seed = first; seed < first + count; ++seed) {
    const auto s = static_cast<uint32_t>(seed);
    editseq::Settings settings = editseq::SettingsFor(s, steps);
    if (argc > 4) {
      std::string rows = argv[4];
      for (size_t at = 0; at <= rows.size();) {
        const size_t end = std::min(rows.find(',', at), rows.size());
        settings.without.push_back(rows.substr(at, end - at));
        at = end + 1;
      }
    }
    editseq::Session session(s, settings);
    const std::string failure = session.Run();
    stepsRun += session.StepsRun();
    replays += session.UndoRedoChecked();
    if (!failure.empty()) {
      ++failed;
      std::printf("FAIL %s\n", failure.c_str());
    }
  }
  std::printf("%lu sequences, %lld steps, %lld undo/redo replays checked, %lu failed\n", count, stepsRun, replays,
              failed);
  return failed ? 1 : 0;
}
