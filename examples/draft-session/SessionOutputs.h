// The files a run of a session script leaves in its output folder.
#pragma once

#include <filesystem>

namespace draftsession {

// Removes the files an earlier run of the script left in `folder` (its
// drawing, its picture and the files it saved there, all named after the
// script), so that the script finds the folder as on its first run: a save
// over an existing file would ask first. The script itself is never one of
// them, also when it lies in that folder.
void RemoveEarlierOutputs(const std::filesystem::path& folder, const std::filesystem::path& scriptPath);

}  // namespace draftsession
