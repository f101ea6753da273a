// The demonstration host's composite blocks: part of a diagram nested into a
// composite block with the view's command, the inner diagram opened in an
// MDI child frame through its template, both levels written as PNGs, the
// block un-nested with the same connections as before, and the un-nest
// undone.
#pragma once

#include <filesystem>

namespace demo {

// Writes OUTPUT/nest-outer.png and OUTPUT/nest-inner.png. Prints each step
// as "ok" or "FAIL".
void RunNestDemo(const std::filesystem::path& folder);

}  // namespace demo
