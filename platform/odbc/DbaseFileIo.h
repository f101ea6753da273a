// The file access that shapelib is given for dBase files: a descriptor
// under each of its file handles, data written through the platform's write
// calls (platform/core/WriteCalls.h), and the first failure of a write,
// flush or close kept where the file's owner reads it. shapelib itself
// checks few of its writes, and none of its header's.
#pragma once

#include <shapefil.h>

namespace platform::odbc {

// The hooks to open and create files with (DBFOpenLL, DBFCreateLL). They
// never remove a file: the only one shapelib would remove is a code-page
// file beside the table, which this layer does not write.
SAHooks* DbaseFileHooks();

// Where the first error (an errno value) of the file under `handle` is
// kept from now on; `sink` must outlive the handle's file.
void WatchDbaseFileErrors(DBFHandle handle, int* sink);
// The descriptor of the file under `handle`.
int DbaseFileDescriptor(DBFHandle handle);

}  // namespace platform::odbc
