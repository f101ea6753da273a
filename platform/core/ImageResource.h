// Bitmap, icon and cursor resources. An image is either pixels declared in
// the source, or a PNG file shipped beside the module's file (its path
// relative to the folder of the module's file, as GetModuleFileName gives it;
// whoever draws the image reads the file).
//
// Pixels are 32-bit values 0xAARRGGBB, rows from the top; alpha 0 is
// transparent. Small images are easiest to declare as pixel art: one string
// per row, one character per pixel, and a palette from character to colour
// (CLR_NONE for transparent):
//
//   Cursor(28077).Art({"#....",
//                      "##...",
//                      "#.#..",
//                      "#..#."},
//                     {{'#', RGB(0, 0, 0)}, {'.', CLR_NONE}})
//       .HotSpot(0, 0)
//   Bitmap(28001).Png(u"toolbar.png")
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/ResourceText.h"
#include "platform/core/WinConstants.h"

namespace platform {

enum class ImageKind { Bitmap, Icon, Cursor };

struct PaletteEntry {
  char symbol;
  COLORREF color;  // CLR_NONE for a transparent pixel
};

struct ImageResource {
  ImageKind kind = ImageKind::Bitmap;
  UINT id = 0;
  int width = 0;   // 0 for a PNG file until it is read
  int height = 0;
  std::vector<DWORD> pixels;  // width * height values 0xAARRGGBB; empty for a PNG file
  std::u16string pngFile;     // relative to the module file's folder; empty for pixels
  POINT hotSpot{0, 0};        // cursors: the point of the image that is the cursor position

  bool IsFile() const { return !pngFile.empty(); }

  // Declares the pixels; `values` must hold width * height pixels
  // (std::invalid_argument otherwise).
  ImageResource& Pixels(int w, int h, std::vector<DWORD> values);
  // Declares the pixels as pixel art: equal-length rows, every character in
  // the palette (std::invalid_argument otherwise).
  ImageResource& Art(std::initializer_list<std::string_view> rows, std::initializer_list<PaletteEntry> palette);
  ImageResource& Png(ResourceText relativePath);
  ImageResource& HotSpot(int x, int y);
};

namespace rc {

inline ImageResource Image(ImageKind kind, UINT id) {
  ImageResource image;
  image.kind = kind;
  image.id = id;
  return image;
}
inline ImageResource Bitmap(UINT id) { return Image(ImageKind::Bitmap, id); }
inline ImageResource Icon(UINT id) { return Image(ImageKind::Icon, id); }
inline ImageResource Cursor(UINT id) { return Image(ImageKind::Cursor, id); }

}  // namespace rc
}  // namespace platform
