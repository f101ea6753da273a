#include "platform/gdi/PixelBuffer.h"

#include <cairo.h>

#include <string>

#include "platform/core/FileReplace.h"

namespace platform {

namespace {

bool SizeAllowed(int width, int height) {
  return width > 0 && height > 0 && int64_t(width) * int64_t(height) <= PixelBuffer::kMaxPixels;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
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
  // The picture is made in memory and replaces the file whole, so a failed
  // write leaves no half-written picture.
  std::string png;
  const bool made = cairo_surface_write_to_png_stream(surface, AppendBytes, &png) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return made &&
         ReplaceFileBytes(utf8Path, std::span(reinterpret_cast<const BYTE*>(png.data()), png.size()), false) == 0;
}

}  // namespace platform
