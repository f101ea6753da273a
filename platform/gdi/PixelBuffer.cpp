#include "platform/gdi/PixelBuffer.h"

#include <cairo.h>

#include <cstdio>
#include <filesystem>

namespace platform {

namespace {

bool SizeAllowed(int width, int height) {
  return width > 0 && height > 0 && int64_t(width) * int64_t(height) <= PixelBuffer::kMaxPixels;
}

cairo_status_t WriteToFile(void* closure, const unsigned char* data, unsigned int length) {
  return std::fwrite(data, 1, length, static_cast<FILE*>(closure)) == length ? CAIRO_STATUS_SUCCESS
                                                                            : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height, COLORREF fill) { Resize(width, height, fill); }

void PixelBuffer::Fill(COLORREF c) { std::fill(data_.begin(), data_.end(), PixelFromColor(c)); }

void PixelBuffer::Resize(int width, int height, COLORREF fill) {
  if (!SizeAllowed(width, height)) width = height = 0;
  std::vector<uint32_t> next(size_t(width) * size_t(height), PixelFromColor(fill));
  const int w = std::min(width, width_), h = std::min(height, height_);
  for (int y = 0; y < h; ++y) std::copy(Row(y), Row(y) + w, next.data() + size_t(y) * size_t(width));
  data_ = std::move(next);
  width_ = width;
  height_ = height;
}

bool PixelBuffer::WritePng(const std::string& utf8Path) const {
  if (Empty()) return false;
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(data_.data())), CAIRO_FORMAT_RGB24, width_, height_,
      width_ * 4);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return false;
  }
  const std::string temp = utf8Path + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  bool ok = f != nullptr;
  if (ok) ok = cairo_surface_write_to_png_stream(surface, WriteToFile, f) == CAIRO_STATUS_SUCCESS;
  if (f) ok = (std::fclose(f) == 0) && ok;
  cairo_surface_destroy(surface);
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, utf8Path, ec);
  if (!ok || ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace platform
