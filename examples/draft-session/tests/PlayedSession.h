// What every end-to-end session test begins with: a session file read,
// parsed and replayed with the library's commands.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "draft/host/Entity.h"
#include "examples/draft-session/CommandRegistry.h"
#include "examples/draft-session/Script.h"
#include "examples/draft-session/SessionPlayer.h"
#include "platform/testsupport/FileBytes.h"

namespace draftsession {

using testsupport::ReadFileBytes;

using SegmentEnds = std::array<double, 4>;

// A line's ends rounded to millionths and ordered (the lesser end first), so
// that lines compare whatever their direction.
inline SegmentEnds OrderedEnds(const CEntity* e) {
  double v[kMaxGeometryValues];
  e->GetGeometry(v);
  SegmentEnds s{v[0], v[1], v[2], v[3]};
  for (double& d : s) d = std::round(d * 1e6) / 1e6 + 0.0;
  if (std::make_pair(s[2], s[3]) < std::make_pair(s[0], s[1])) s = {s[2], s[3], s[0], s[1]};
  return s;
}

// A session replayed with the library's commands; `out` holds what the user saw.
struct PlayedSession {
  CommandRegistry commands = LibraryCommands();
  std::ostringstream out;
  SessionPlayer player{commands, out};

  // Reads, parses and plays the session file. A failure tells the first
  // parse error, or the line that failed and what was shown up to it.
  ::testing::AssertionResult Play(const std::filesystem::path& file) {
    const Script script = ParseScript(ReadFileBytes(file));
    if (!script.Ok()) return ::testing::AssertionFailure() << script.errors.front().message;
    if (!player.Play(script))
      return ::testing::AssertionFailure() << "line " << player.Error().line << ": " << player.Error().message
                                           << "\n"
                                           << out.str();
    return ::testing::AssertionSuccess();
  }
};

}  // namespace draftsession
