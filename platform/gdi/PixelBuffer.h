// A rectangle of opaque 32-bit pixels, 0x00RRGGBB in each word (the layout
// Cairo calls ARGB32 with the alpha byte set), that can be written to a PNG
// file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"

namespace platform {

// COLORREF (0x00BBGGRR) and pixel (0xFFRRGGBB) conversions.
constexpr uint32_t PixelFromColor(COLORREF c) {
  return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF ColorFromPixel(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

class PixelBuffer {
 public:
  PixelBuffer() = default;
  // A buffer of the given size (0 x 0 for sizes that are negative or too
  // large to allocate sensibly), every pixel `fill`.
  PixelBuffer(int width, int height, COLORREF fill = RGB(255, 255, 255));

  // Sizes beyond this many pixels are refused (a 32767 x 32767 request would
  // ask for 4 GiB).
  static constexpr int64_t kMaxPixels = int64_t(1) << 27;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  uint32_t* Row(int y) { return data_.data() + size_t(y) * size_t(width_); }
  const uint32_t* Row(int y) const { return data_.data() + size_t(y) * size_t(width_); }
  uint32_t* Data() { return data_.data(); }
  const uint32_t* Data() const { return data_.data(); }
  bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  COLORREF GetColor(int x, int y) const { return ColorFromPixel(Row(y)[x]); }
  void SetColor(int x, int y, COLORREF c) { Row(y)[x] = PixelFromColor(c); }
  void Fill(COLORREF c);
  // Changes the size; the pixels that remain keep their place, new ones are
  // `fill`.
  void Resize(int width, int height, COLORREF fill = RGB(255, 255, 255));

  // Writes a PNG file (UTF-8 path) through a temporary file renamed into
  // place, so that a failure leaves no half-written file. False on failure.
  bool WritePng(const std::string& utf8Path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> data_;
};

}  // namespace platform
