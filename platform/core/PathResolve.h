// Paths as the libraries write them, turned into the Linux paths of the files
// they name. The libraries come from a system whose paths use backslashes and
// whose file names ignore letter case ("Table\VoskCurveEquation.Tab" opens
// "table/voskcurveequation.tab"); Linux names are UTF-8 and exact.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/WinTypes.h"

namespace platform {

// Resolves a path: both '\' and '/' separate components; when the exact name
// does not exist, each component is matched without regard to case against
// the entries of its folder (the first match in byte order wins when several
// differ only in case). Components from the first one that matches nothing
// on are kept as written, so the result also names a file to be created.
// Relative paths stay relative to the working folder.
std::string ResolveUtf8Path(std::string_view utf8Path);
// The same for a GBK path (the multibyte build) and a UTF-16 path.
std::string ResolvePath(LPCSTR gbkPath);
std::string ResolvePath(LPCWSTR utf16Path);

// True when two file-name components are equal without regard to case, as
// the system the libraries come from compares names (simple case folding of
// each UTF-16 unit).
bool FileNamesEqualNoCase(std::string_view utf8A, std::string_view utf8B);
// A file-name component in the folded form that comparison uses (UTF-16).
std::u16string FoldFileName(std::string_view utf8);

}  // namespace platform
