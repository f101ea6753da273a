// The demonstration host's clipboard and drag and drop: two blocks and
// their wire copied from one document and pasted into a second one through
// the clipboard, then a block dragged from the first document's view onto
// the second's with the drag loop (a move: it leaves the first), both
// documents written as PNGs.
#pragma once

#include <filesystem>

namespace demo {

// Writes OUTPUT/clipboard-source.png and OUTPUT/clipboard-target.png.
// Prints each step as "ok" or "FAIL".
void RunClipboardDemo(const std::filesystem::path& folder);

}  // namespace demo
