#include <mutex>
#include <unordered_map>

#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/RasterSurface.h"

namespace platform {

namespace {

struct Table {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<GdiObjectData>> objects;
  // Handles count up in steps of 8 from a base that is not a small number,
  // so that 0 and small integers are never valid handles.
  uintptr_t next = 0x10000;
};

Table& TheTable() {
  static Table* table = new Table;  // lives to the end of the process
  return *table;
}

LOGFONTW MakeLogFont(const char16_t* face, LONG height, LONG weight, BYTE pitchAndFamily) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = pitchAndFamily;
  for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return lf;
}

std::shared_ptr<GdiObjectData> MakeStock(int index) {
  auto brush = [](UINT style, COLORREF color) {
    auto b = std::make_shared<BrushData>();
    b->log = LOGBRUSH{style, color, 0};
    return b;
  };
  auto pen = [](UINT style, COLORREF color) { return std::make_shared<PenData>(LOGPEN{style, {0, 0}, color}); };
  switch (index) {
    case WHITE_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return brush(BS_NULL, 0);
    case DC_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case DC_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case SYSTEM_FONT: return std::make_shared<FontData>(SystemLogFont());
    case DEVICE_DEFAULT_FONT: return std::make_shared<FontData>(SystemLogFont());
    case DEFAULT_GUI_FONT: return std::make_shared<FontData>(DefaultGuiLogFont());
    case ANSI_VAR_FONT: return std::make_shared<FontData>(MakeLogFont(u"MS Sans Serif", 12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS));
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      return std::make_shared<FontData>(MakeLogFont(u"Courier", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN));
    default: return nullptr;
  }
}

}  // namespace

HGDIOBJ GdiHandleTable::Insert(std::shared_ptr<GdiObjectData> object) {
  if (!object) return nullptr;
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  const uintptr_t id = t.next;
  t.next += 8;
  object->handle = reinterpret_cast<HGDIOBJ>(id);
  t.objects.emplace(id, std::move(object));
  return reinterpret_cast<HGDIOBJ>(id);
}

std::shared_ptr<GdiObjectData> GdiHandleTable::Find(HGDIOBJ handle) {
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

bool GdiHandleTable::Erase(HGDIOBJ handle) {
  Table& t = TheTable();
  std::shared_ptr<GdiObjectData> doomed;  // released outside the lock
  {
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == t.objects.end()) return false;
    if (it->second->stock) return true;
    if (it->second->kind == GdiKind::Bitmap) {
      auto& bitmap = static_cast<BitmapData&>(*it->second);
      if (bitmap.selectedInto != nullptr) {
        // Refused as on Windows, but the bitmap goes when its DC lets it go.
        bitmap.deletePending = true;
        return false;
      }
    }
    doomed = std::move(it->second);
    t.objects.erase(it);
  }
  return true;
}

size_t GdiHandleTable::CountOwned() {
  Table& t = TheTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  size_t n = 0;
  for (const auto& [id, object] : t.objects) n += object->stock ? 0 : 1;
  return n;
}

HGDIOBJ StockObject(int index) {
  constexpr int kStockCount = DC_PEN + 1;
  static std::mutex mutex;
  static HGDIOBJ handles[kStockCount] = {};
  if (index < 0 || index >= kStockCount) return nullptr;
  std::lock_guard<std::mutex> lock(mutex);
  if (!handles[index]) {
    auto object = MakeStock(index);
    if (!object) return nullptr;
    object->stock = true;
    handles[index] = GdiHandleTable::Insert(std::move(object));
  }
  return handles[index];
}

const LOGFONTW& SystemLogFont() {
  static const LOGFONTW lf = MakeLogFont(u"System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
  return lf;
}

const LOGFONTW& DefaultGuiLogFont() {
  static const LOGFONTW lf = MakeLogFont(u"MS Shell Dlg", -12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
  return lf;
}

}  // namespace platform
