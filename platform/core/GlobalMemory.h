// Global memory blocks as the clipboard and data transfer use them: a block
// is named by a handle and reached through GlobalLock. A fixed block's handle
// is its address; a moveable block's handle is a token that stays valid while
// the block moves (it moves only on GlobalReAlloc, and never while locked
// unless the caller allows it). Every call checks its handle: an unknown one
// gives the failure result, never a crash.
#pragma once

#include <cstddef>

#include "platform/core/WinTypes.h"

typedef size_t SIZE_T;

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_NOCOMPACT 0x0010u
#define GMEM_NODISCARD 0x0020u
#define GMEM_ZEROINIT 0x0040u
#define GMEM_MODIFY 0x0080u
#define GMEM_DISCARDABLE 0x0100u
#define GMEM_NOT_BANKED 0x1000u
#define GMEM_SHARE 0x2000u
#define GMEM_DDESHARE 0x2000u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// A new block of `bytes` bytes, or null. Its bytes are zero with
// GMEM_ZEROINIT; otherwise they are not (a fill of 0xCD), as the system
// leaves them undefined.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Resizes a block. A fixed or locked block that has to move for it moves only
// when `flags` holds GMEM_MOVEABLE; otherwise the call fails (null). Grown
// bytes are zero with GMEM_ZEROINIT, else the fill of a new block. Returns the block's handle (a fixed block's new
// address), or null with the block unchanged. With GMEM_MODIFY only the
// attributes would change: a block keeps its kind (asking for the other kind
// fails).
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
// The block's address, counting a lock on a moveable block; null for an
// unknown handle or an empty moveable block.
LPVOID GlobalLock(HGLOBAL block);
// Drops one lock; TRUE while the block stays locked.
BOOL GlobalUnlock(HGLOBAL block);
// The block's size in bytes; 0 for an unknown handle.
SIZE_T GlobalSize(HGLOBAL block);
// Frees the block: null on success, the handle itself when it is unknown.
HGLOBAL GlobalFree(HGLOBAL block);
