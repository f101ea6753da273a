// What stands behind a GDI handle: pens, brushes, fonts, bitmaps and regions
// are kept in a table of live handles, so that a deleted or made-up handle is
// refused instead of followed. A device context that has an object selected
// shares it, so deleting the wrapper of a selected object never leaves the
// context drawing with freed memory.
#pragma once

#include <memory>

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Region.h"

namespace platform {

class PixelBuffer;
class RasterSurface;

enum class GdiKind { Pen = OBJ_PEN, Brush = OBJ_BRUSH, Font = OBJ_FONT, Bitmap = OBJ_BITMAP, Region = OBJ_REGION };

struct GdiObjectData {
  explicit GdiObjectData(GdiKind k) : kind(k) {}
  virtual ~GdiObjectData() = default;
  GdiObjectData(const GdiObjectData&) = delete;
  GdiObjectData& operator=(const GdiObjectData&) = delete;

  const GdiKind kind;
  HGDIOBJ handle = nullptr;
  bool stock = false;
};

struct PenData : GdiObjectData {
  explicit PenData(const LOGPEN& lp) : GdiObjectData(GdiKind::Pen), log(lp) {}
  LOGPEN log;  // style with end cap and join bits, width in logical units
};

struct BrushData : GdiObjectData {
  BrushData() : GdiObjectData(GdiKind::Brush) {}
  LOGBRUSH log{BS_SOLID, 0, 0};
  // A pattern brush's own copy of its bitmap's pixels.
  std::shared_ptr<const PixelBuffer> pattern;
  bool monochromePattern = false;
};

struct FontData : GdiObjectData {
  explicit FontData(const LOGFONTW& lf) : GdiObjectData(GdiKind::Font), log(lf) {}
  LOGFONTW log;
};

struct BitmapData : GdiObjectData {
  BitmapData() : GdiObjectData(GdiKind::Bitmap) {}
  std::shared_ptr<RasterSurface> surface;
  int bitsPixel = 32;  // 1 (monochrome) or 32
  HDC selectedInto = nullptr;  // a bitmap is in one memory DC at a time
  bool deletePending = false;  // deleted while selected: goes when deselected
  SIZE dimension{0, 0};       // SetBitmapDimension, in 0.1 mm
};

struct RegionData : GdiObjectData {
  explicit RegionData(Region r) : GdiObjectData(GdiKind::Region), region(std::move(r)) {}
  Region region;
};

// The process's live GDI handles.
class GdiHandleTable {
 public:
  // Enters an object and gives it a new handle.
  static HGDIOBJ Insert(std::shared_ptr<GdiObjectData> object);
  static std::shared_ptr<GdiObjectData> Find(HGDIOBJ handle);
  template <typename T>
  static std::shared_ptr<T> FindAs(HGDIOBJ handle, GdiKind kind) {
    auto object = Find(handle);
    if (!object || object->kind != kind) return nullptr;
    return std::static_pointer_cast<T>(object);
  }
  // Removes a handle (DeleteObject). Stock objects stay; unknown handles and
  // bitmaps selected into a memory DC are refused.
  static bool Erase(HGDIOBJ handle);
  // The number of live handles that are not stock objects.
  static size_t CountOwned();
};

// The stock objects, created on first use and never deleted.
HGDIOBJ StockObject(int index);
// The face names of the stock fonts.
const LOGFONTW& DefaultGuiLogFont();
const LOGFONTW& SystemLogFont();

}  // namespace platform
