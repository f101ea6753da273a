#include "platform/core/ImageResource.h"

#include <stdexcept>

namespace platform {
namespace {

std::string Where(const ImageResource& image) {
  const char* kind = image.kind == ImageKind::Bitmap ? "bitmap " : image.kind == ImageKind::Icon ? "icon " : "cursor ";
  return kind + std::to_string(image.id);
}

DWORD ToPixel(COLORREF color) {
  if (color == CLR_NONE) return 0;
  return 0xFF000000u | (DWORD(GetRValue(color)) << 16) | (DWORD(GetGValue(color)) << 8) | GetBValue(color);
}

}  // namespace

ImageResource& ImageResource::Pixels(int w, int h, std::vector<DWORD> values) {
  if (w <= 0 || h <= 0 || values.size() != static_cast<size_t>(w) * static_cast<size_t>(h))
    throw std::invalid_argument(Where(*this) + ": the pixels do not match the size");
  width = w;
  height = h;
  pixels = std::move(values);
  pngFile.clear();
  return *this;
}

ImageResource& ImageResource::Art(std::initializer_list<std::string_view> rows,
                                  std::initializer_list<PaletteEntry> palette) {
  if (rows.size() == 0 || rows.begin()->empty()) throw std::invalid_argument(Where(*this) + ": no pixels");
  size_t w = rows.begin()->size();
  std::vector<DWORD> values;
  values.reserve(w * rows.size());
  int row = 0;
  for (std::string_view r : rows) {
    if (r.size() != w)
      throw std::invalid_argument(Where(*this) + ": row " + std::to_string(row) + " has another width");
    for (char symbol : r) {
      const PaletteEntry* entry = nullptr;
      for (const PaletteEntry& p : palette)
        if (p.symbol == symbol) entry = &p;
      if (!entry)
        throw std::invalid_argument(Where(*this) + ": row " + std::to_string(row) + " uses '" +
                                    std::string(1, symbol) + "', which is not in the palette");
      values.push_back(ToPixel(entry->color));
    }
    ++row;
  }
  return Pixels(static_cast<int>(w), row, std::move(values));
}

ImageResource& ImageResource::Png(ResourceText relativePath) {
  if (relativePath.str().empty()) throw std::invalid_argument(Where(*this) + ": an empty file name");
  pngFile = relativePath.str();
  width = height = 0;
  pixels.clear();
  return *this;
}

ImageResource& ImageResource::HotSpot(int x, int y) {
  hotSpot = POINT{x, y};
  return *this;
}

}  // namespace platform
