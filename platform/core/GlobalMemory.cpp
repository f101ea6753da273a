#include "platform/core/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
  BYTE* data = nullptr;
  SIZE_T size = 0;
  bool moveable = false;
  UINT locks = 0;
};

// Every live block by handle. Moveable blocks are keyed by a token (the
// address of a heap cell) and fixed ones by their address.
class Registry {
 public:
  static Registry& Get() {
    static Registry* r = new Registry;  // outlives static destructors
    return *r;
  }
  std::mutex mutex;
  std::unordered_map<HGLOBAL, Block> blocks;
};

// New memory holds this byte unless the caller asks for zeros, so that a
// caller that forgets to terminate or fill what it wrote sees it at once.
constexpr BYTE kFreshFill = 0xCD;

void FillFresh(BYTE* bytes, SIZE_T count, UINT flags) {
  std::memset(bytes, (flags & GMEM_ZEROINIT) ? 0 : kFreshFill, count);
}

BYTE* Allocate(SIZE_T bytes) {
  // One byte at least, so that an empty block still has an address.
  return static_cast<BYTE*>(std::malloc(bytes ? bytes : 1));
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  Block b;
  b.data = Allocate(bytes);
  if (!b.data) return nullptr;
  FillFresh(b.data, bytes, flags);
  b.size = bytes;
  b.moveable = (flags & GMEM_MOVEABLE) != 0;
  HGLOBAL handle = b.data;
  if (b.moveable) {
    handle = std::malloc(1);  // a unique token
    if (!handle) {
      std::free(b.data);
      return nullptr;
    }
  }
  Registry& r = Registry::Get();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.blocks.emplace(handle, b);
  return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags) {
  Registry& r = Registry::Get();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.blocks.find(handle);
  if (it == r.blocks.end()) return nullptr;
  Block& b = it->second;
  if (flags & GMEM_MODIFY) {
    // Only the moveable attribute is kept; turning a block from one kind into
    // the other is not supported and fails.
    return ((flags & GMEM_MOVEABLE) != 0) == b.moveable ? handle : nullptr;
  }
  if (bytes <= b.size) {
    // Shrinking keeps the block in place.
    b.size = bytes;
    return handle;
  }
  bool mayMove = (b.moveable && b.locks == 0) || (flags & GMEM_MOVEABLE);
  if (!mayMove) return nullptr;
  BYTE* grown = Allocate(bytes);
  if (!grown) return nullptr;
  std::memcpy(grown, b.data, b.size);
  FillFresh(grown + b.size, bytes - b.size, flags);
  std::free(b.data);
  Block moved = b;
  moved.data = grown;
  moved.size = bytes;
  if (b.moveable) {
    b = moved;
    return handle;
  }
  r.blocks.erase(it);
  r.blocks.emplace(grown, moved);
  return grown;
}

LPVOID GlobalLock(HGLOBAL handle) {
  Registry& r = Registry::Get();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.blocks.find(handle);
  if (it == r.blocks.end()) return nullptr;
  Block& b = it->second;
  if (!b.moveable) return b.data;
  if (b.size == 0) return nullptr;
  ++b.locks;
  return b.data;
}

BOOL GlobalUnlock(HGLOBAL handle) {
  Registry& r = Registry::Get();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.blocks.find(handle);
  if (it == r.blocks.end()) return FALSE;
  Block& b = it->second;
  if (b.locks > 0) --b.locks;
  return b.locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL handle) {
  Registry& r = Registry::Get();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.blocks.find(handle);
  return it == r.blocks.end() ? 0 : it->second.size;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  Registry& r = Registry::Get();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.blocks.find(handle);
  if (it == r.blocks.end()) return handle;
  std::free(it->second.data);
  if (it->second.moveable) std::free(handle);
  r.blocks.erase(it);
  return nullptr;
}
