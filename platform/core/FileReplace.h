// Replacing a file's contents without ever leaving it half-written: the new
// contents go to a new file in the same folder (with the old file's
// permissions), which is renamed over the old one. A failure at any point
// removes the new file and leaves the old one as it was.
#pragma once

#include <span>
#include <string>

#include "platform/core/WinTypes.h"

namespace platform {

// Replaces the file at the Linux path `utf8Path` (created when missing) with
// `bytes`. A symbolic link is kept: the file it names is replaced. A
// read-only file (IsReadOnlyMode) is refused with EACCES and left as it is.
// With `flush` the data and the rename reach the disk before it returns.
// Returns 0, or the system error number of the step that failed.
int ReplaceFileBytes(const std::string& utf8Path, std::span<const BYTE> bytes, bool flush);

}  // namespace platform
