// The platform's own picture format for data transfer ("Scrivel Picture"):
// a picture as pixels with the size it is shown at, in one global-memory
// block. Layout (little-endian 32-bit words): the magic "SPIC", the header
// size (24), the shown width and height in HIMETRIC, the pixel width and
// height; then the rows top to bottom, each pixel 0x00RRGGBB.
#pragma once

#include "platform/core/GlobalMemory.h"
#include "platform/core/WinTypes.h"
#include "platform/gdi/PixelBuffer.h"

namespace platform {

// The registered format number ("Scrivel Picture").
UINT PictureClipboardFormat();
// A new block with the picture, or null when memory runs out or the
// picture is empty.
HGLOBAL MakePictureBlock(const PixelBuffer& pixels, SIZE himetric);
// Reads a block of the format; false, with `pixels` and `himetric`
// untouched, for a block that is not one (too short, a wrong magic, sizes
// that do not match the block or exceed PixelBuffer::kMaxPixels).
bool ReadPictureBlock(HGLOBAL block, PixelBuffer& pixels, SIZE& himetric);

}  // namespace platform
