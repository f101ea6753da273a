// The routers of the demonstration host: one diagram with a fan-out net
// (one output wired to four inputs), two other wires and obstacles between
// the blocks, routed with each router in turn and painted.
#pragma once

#include <filesystem>

namespace demo {

// Builds the diagram afresh for each router of the demo's table, routes
// all its wires in one pass and writes OUTPUT_FOLDER/routing-<router>.png
// (routing-cell.png, routing-shared-path.png). Prints each step as "ok" or
// "FAIL".
void RunRouterDemo(const std::filesystem::path& folder);

}  // namespace demo
