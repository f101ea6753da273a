// What every end-to-end session test begins with: a session file read,
// parsed and replayed with the library's commands.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "examples/draft-session/CommandRegistry.h"
#include "examples/draft-session/Script.h"
#include "examples/draft-session/SessionPlayer.h"
#include "platform/testsupport/FileBytes.h"

namespace draftsession {

using testsupport::ReadFileBytes;

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
