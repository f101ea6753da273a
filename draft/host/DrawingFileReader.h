// Reading the host stand-in's drawing file (DrawingFile.h) back into a
// scratch drawing: the groups with their scale, origin, flags and items, the
// active group and the header of a saved drawing, and every entity with its
// members, in file order. A file written for a view (no details) reads with
// default text attributes, point styles and two-point sizes.
//
// Dimensions, section symbols and requirement texts are written as blocks
// and read back as plain blocks of the same members: they look the same and
// lose only the editing data of their kind.
#pragma once

#include <string>
#include <string_view>

class CScratchDrawing;

// Reads the file's text into `drawing`, which is emptied first. On a
// malformed text `drawing` is left empty and the result is false, with the
// reason ("line N: ...") in `error` when given. Reading is linear in the
// text's length; nesting deeper than kMaxDrawingFileDepth is refused.
bool ParseDrawingFile(std::string_view text, CScratchDrawing& drawing, std::string* error = nullptr);

// Reads the file at `path` (GBK, "\" or "/" separators, resolved as the
// platform resolves paths) the same way; a file that cannot be read is an
// error too.
bool ReadDrawingFile(const char* path, CScratchDrawing& drawing, std::string* error = nullptr);

// How deep blocks may nest in a file.
inline constexpr int kMaxDrawingFileDepth = 64;
