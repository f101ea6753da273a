// How an OLE object travels through data transfer: the registered formats
// "Embed Source" (the object's kind and bytes, from which a copy is
// embedded) and "Link Source" (the linked file's path, from which a link is
// made), each in one global-memory block.
//
// "Embed Source" layout (little-endian 32-bit words): the magic "SEMB", the
// class name's length in UTF-16 units, the bytes' length; then the class
// name (UTF-16, without a terminator) and the bytes. "Link Source" holds the
// path as UTF-16 with a terminating zero.
#pragma once

#include <vector>

#include "platform/core/GlobalMemory.h"
#include "platform/core/String.h"

namespace platform {

UINT EmbedSourceClipboardFormat();
UINT LinkSourceClipboardFormat();

// A new block, or null when memory runs out.
HGLOBAL MakeEmbedSourceBlock(const CStringW& className, const std::vector<BYTE>& bytes);
// Reads a block; false, the outputs untouched, for one that is not of the
// format (short, a wrong magic, lengths beyond the block).
bool ReadEmbedSourceBlock(HGLOBAL block, CStringW& className, std::vector<BYTE>& bytes);
HGLOBAL MakeLinkSourceBlock(const CStringW& path);
// False for a block without a terminated, non-empty path.
bool ReadLinkSourceBlock(HGLOBAL block, CStringW& path);

}  // namespace platform
