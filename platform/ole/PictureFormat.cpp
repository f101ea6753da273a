#include "platform/ole/PictureFormat.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/ui/ClipboardFormats.h"

namespace platform {

namespace {

constexpr uint32_t kHeaderWords = 6;
constexpr uint32_t kHeaderSize = kHeaderWords * 4;

uint32_t ReadWord(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

void WriteWord(BYTE* p, uint32_t v) {
  p[0] = BYTE(v);
  p[1] = BYTE(v >> 8);
  p[2] = BYTE(v >> 16);
  p[3] = BYTE(v >> 24);
}

}  // namespace

UINT PictureClipboardFormat() {
  static const UINT format = RegisterClipboardFormatW(u"Scrivel Picture");
  return format;
}

HGLOBAL MakePictureBlock(const PixelBuffer& pixels, SIZE himetric) {
  if (pixels.Empty()) return nullptr;
  const size_t count = size_t(pixels.Width()) * size_t(pixels.Height());
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, kHeaderSize + count * 4);
  if (!block) return nullptr;
  auto* p = static_cast<BYTE*>(GlobalLock(block));
  std::memcpy(p, "SPIC", 4);
  WriteWord(p + 4, kHeaderSize);
  WriteWord(p + 8, uint32_t(himetric.cx));
  WriteWord(p + 12, uint32_t(himetric.cy));
  WriteWord(p + 16, uint32_t(pixels.Width()));
  WriteWord(p + 20, uint32_t(pixels.Height()));
  BYTE* out = p + kHeaderSize;
  for (size_t i = 0; i < count; ++i, out += 4) WriteWord(out, pixels.Data()[i] & 0x00FFFFFFu);
  GlobalUnlock(block);
  return block;
}

bool ReadPictureBlock(HGLOBAL block, PixelBuffer& pixels, SIZE& himetric) {
  const SIZE_T size = GlobalSize(block);
  if (size < kHeaderSize) return false;
  const auto* p = static_cast<const BYTE*>(GlobalLock(block));
  if (!p) return false;
  bool ok = std::memcmp(p, "SPIC", 4) == 0 && ReadWord(p + 4) == kHeaderSize;
  const uint32_t width = ok ? ReadWord(p + 16) : 0;
  const uint32_t height = ok ? ReadWord(p + 20) : 0;
  const uint64_t count = uint64_t(width) * height;
  ok = ok && width > 0 && height > 0 && width <= 0x7FFFFFFF && height <= 0x7FFFFFFF &&
       count <= uint64_t(PixelBuffer::kMaxPixels) && size - kHeaderSize >= count * 4;
  if (ok) {
    PixelBuffer read(static_cast<int>(width), static_cast<int>(height));
    const BYTE* in = p + kHeaderSize;
    for (uint64_t i = 0; i < count; ++i, in += 4) read.Data()[i] = 0xFF000000u | (ReadWord(in) & 0x00FFFFFFu);
    himetric.cx = LONG(int32_t(ReadWord(p + 8)));
    himetric.cy = LONG(int32_t(ReadWord(p + 12)));
    pixels = std::move(read);
  }
  GlobalUnlock(block);
  return ok;
}

}  // namespace platform
