// Writes an element tree as the bytes of a compound file (version 3, 512-byte
// sectors), through libgsf's writer of the format.
#pragma once

#include <vector>

#include "platform/ole/StorageNode.h"

namespace platform {

// Fills `bytes` with the file. Returns S_OK, E_OUTOFMEMORY, or
// STG_E_CANTSAVE when the writer fails.
HRESULT WriteCompoundFile(const StorageNode& root, std::vector<BYTE>& bytes);

}  // namespace platform
