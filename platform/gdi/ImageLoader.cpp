#include "platform/gdi/ImageLoader.h"

#include <cairo.h>

#include "platform/core/Module.h"
#include "platform/gdi/PixelBuffer.h"

namespace platform {

bool LoadImagePixels(const ImageResource& image, HINSTANCE module, ImagePixels* out) {
  if (!out) return false;
  if (!image.IsFile()) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height)) {
      return false;
    }
    *out = ImagePixels{image.width, image.height, image.pixels};
    return true;
  }
  const std::filesystem::path file = ModuleFile(module).parent_path() / std::filesystem::path(image.pngFile);
  cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
  bool ok = cairo_surface_status(png) == CAIRO_STATUS_SUCCESS;
  ImagePixels pixels;
  if (ok) {
    pixels.width = cairo_image_surface_get_width(png);
    pixels.height = cairo_image_surface_get_height(png);
    ok = pixels.width > 0 && pixels.height > 0 &&
         int64_t(pixels.width) * pixels.height <= PixelBuffer::kMaxPixels;
  }
  if (ok) {
    cairo_surface_flush(png);
    const cairo_format_t format = cairo_image_surface_get_format(png);
    const unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    pixels.argb.resize(size_t(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
      for (int x = 0; x < pixels.width; ++x) {
        uint32_t p = row[x];
        if (format == CAIRO_FORMAT_RGB24) {
          p |= 0xFF000000u;
        } else {
          // Cairo premultiplies by alpha: undo it.
          const unsigned a = p >> 24;
          auto channel = [&](int shift) {
            const unsigned c = (p >> shift) & 0xFF;
            return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a);
          };
          p = (a << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
        }
        pixels.argb[size_t(y) * pixels.width + x] = p;
      }
    }
    *out = std::move(pixels);
  }
  cairo_surface_destroy(png);
  return ok;
}

}  // namespace platform
