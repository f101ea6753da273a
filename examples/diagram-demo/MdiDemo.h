// The demonstration host's MDI window: a diagram file opened through the
// document template of diagram documents in an MDI main frame with its
// standard tool bar and status bar, the main frame with its child written
// as a PNG, and the main frame's placement and bar state checked after it
// is closed and opened again.
#pragma once

#include <filesystem>
#include <string>

// Opens `documentPath` and writes OUTPUT/mdi-frame.png. Prints each step as
// "ok" or "FAIL".
void ShowInMainFrame(const std::string& documentPath, const std::filesystem::path& folder);
