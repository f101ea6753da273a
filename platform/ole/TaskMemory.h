// The task allocator of OLE: memory that one side allocates and the other
// frees, such as the element names of STATSTG records.
#pragma once

#include <cstddef>

#include "platform/core/WinTypes.h"

// A block of `bytes` bytes, or null when there is no memory.
LPVOID CoTaskMemAlloc(size_t bytes);
// Frees a block of CoTaskMemAlloc; null is allowed.
void CoTaskMemFree(LPVOID block);
