// The page-boundary part of the demonstration: blocks joined by routed
// wires on a canvas of 2 x 2 pages, several of them across page boundaries,
// moved off the boundaries with the view's "Avoid Page Boundary" command.
#pragma once

#include <filesystem>

namespace demo {

// Writes FOLDER/page-boundaries-before.png and page-boundaries-after.png,
// the whole canvas with its page boundaries and the labels where wires cross
// them; reports each step through Check.
void RunPageBoundaryDemo(const std::filesystem::path& folder);

}  // namespace demo
