// Reads the bytes of a compound file into an element tree. Every structure
// of the file is checked before it is used (sector numbers in range, each
// sector in at most one chain, each directory entry reached once, stream
// sizes covered by their chains, names well formed, nesting bounded), so a
// damaged or hostile file gives an error and never a crash, a huge
// allocation or an endless walk.
#pragma once

#include <memory>
#include <span>

#include "platform/ole/StorageNode.h"

namespace platform {

// True when the bytes start with the signature of a compound file.
bool HasCompoundFileSignature(std::span<const BYTE> bytes);

// Reads the file into `root`. Returns S_OK; STG_E_FILEALREADYEXISTS when the
// bytes are not a compound file (no signature); STG_E_INVALIDHEADER when the
// header is damaged or of an unknown kind; STG_E_DOCFILECORRUPT when the
// rest of the structure is; E_OUTOFMEMORY.
HRESULT ReadCompoundFile(std::span<const BYTE> bytes, std::unique_ptr<StorageNode>& root);

}  // namespace platform
