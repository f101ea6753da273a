// The demonstration host's OLE objects: a note object inserted with the
// view's insert command, its text typed in place and the editing ended, the
// document saved as a compound file with the note in a storage of its own,
// loaded back and painted to a PNG.
#pragma once

#include <filesystem>

namespace demo {

// Writes OUTPUT/ole-note.drw and OUTPUT/ole-note.png. Prints each step as
// "ok" or "FAIL".
void RunOleDemo(const std::filesystem::path& folder);

}  // namespace demo
