#include "platform/gdi/DcState.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/DrawingRecorder.h"
#include "platform/gdi/RasterSurface.h"

namespace platform {

namespace {

// Device coordinates are kept within 27 bits, as in the Windows GDI.
constexpr LONG kCoordinateLimit = 1 << 27;

LONG ClampCoordinate(LONG v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }

// The size of a logical length whatever its sign; the most negative value,
// whose negation an int cannot hold, counts as the largest.
int Magnitude(LONG v) { return v == INT_MIN ? INT_MAX : std::abs(v); }

struct DcTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<DcState>> dcs;
  uintptr_t next = 0x20004;
};

DcTable& Table() {
  static DcTable* table = new DcTable;  // lives to the end of the process
  return *table;
}

}  // namespace

DcState::DcState(DcKind k, const DeviceCaps& c) : kind(k), caps(c) {
  attr.mapping = Mapping(caps.dpiX, caps.dpiY);
  attr.pen = std::static_pointer_cast<PenData>(GdiHandleTable::Find(StockObject(BLACK_PEN)));
  attr.brush = std::static_pointer_cast<BrushData>(GdiHandleTable::Find(StockObject(WHITE_BRUSH)));
  attr.font = std::static_pointer_cast<FontData>(GdiHandleTable::Find(StockObject(SYSTEM_FONT)));
}

POINT DcState::ToDevice(POINT p) const {
  const POINT d = attr.mapping.LPtoDP(p);
  return POINT{ClampCoordinate(d.x), ClampCoordinate(d.y)};
}

RECT DcState::ToDeviceRect(const RECT& r) const {
  const POINT a = ToDevice(r.left, r.top), b = ToDevice(r.right, r.bottom);
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

SIZE DcState::SurfaceSize() const { return surface ? surface->PixelSize() : SIZE{0, 0}; }

Region DcState::EffectiveClip() const {
  const SIZE size = SurfaceSize();
  Region clip = Region::FromRect(RECT{0, 0, size.cx, size.cy});
  if (visible) clip = clip.Intersect(*visible);
  if (attr.clip) clip = clip.Intersect(*attr.clip);
  return clip;
}

bool DcState::CanDraw() const { return surface && surface->Accepting(); }

std::shared_ptr<const RealizedFont> DcState::Font() const {
  const LOGFONTW& lf = attr.font->log;
  // Glyphs are at most this many pixels high or wide (a mapping that blows a
  // font up past it draws it at this size).
  constexpr int kMaxFontPixels = 16384;
  int height = 0;
  if (lf.lfHeight != 0) {
    height = std::clamp(attr.mapping.LengthYToDevice(Magnitude(lf.lfHeight)), 1, kMaxFontPixels);
    if (lf.lfHeight < 0) height = -height;
  }
  const int width =
      lf.lfWidth == 0 ? 0 : std::clamp(attr.mapping.LengthXToDevice(Magnitude(lf.lfWidth)), 1, kMaxFontPixels);
  // The default height is the system font's cell at this resolution.
  const int defaultCell = static_cast<int>(RoundedDivide(Wide(16) * caps.dpiY, 96));
  return RealizedFont::Get(lf, height, width, defaultCell);
}

DrawOp DcState::Begin(DrawKind k, const char* call) const {
  DrawOp op;
  op.kind = k;
  op.call = call;
  const LOGPEN& lp = attr.pen->log;
  op.pen.style = lp.lopnStyle;
  op.pen.width = lp.lopnWidth.x;
  // Width 0 is one pixel whatever the mapping; other widths are logical.
  op.pen.deviceWidth = lp.lopnWidth.x == 0 ? 1 : std::max(1, attr.mapping.LengthXToDevice(std::abs(lp.lopnWidth.x)));
  op.pen.color = lp.lopnColor & 0xFFFFFF;
  const LOGBRUSH& lb = attr.brush->log;
  op.brush.style = lb.lbStyle;
  op.brush.color = lb.lbColor & 0xFFFFFF;
  op.brush.hatch = static_cast<int>(lb.lbHatch);
  op.brush.pattern = attr.brush->pattern;
  op.brush.monochromePattern = attr.brush->monochromePattern;
  op.font.log = attr.font->log;
  op.rop2 = attr.rop2;
  op.bkMode = attr.bkMode;
  op.bkColor = attr.bkColor;
  op.textColor = attr.textColor;
  op.textAlign = attr.textAlign;
  op.polyFillMode = attr.polyFillMode;
  op.arcDirection = attr.arcDirection;
  op.brushOrg = attr.brushOrg;
  op.clip = std::make_shared<const Region>(EffectiveClip());
  op.clipped = attr.clip.has_value() || visible.has_value();
  op.target = TargetName();
  return op;
}

bool DcState::Emit(const DrawOp& op) const {
  const bool drawn = CanDraw();
  if (drawn) surface->Draw(op);
  for (const auto& r : recorders) r->Record(op);
  return drawn || !recorders.empty();
}

std::string DcState::TargetName() const {
  switch (kind) {
    case DcKind::Window: return "window";
    case DcKind::Memory: return "memory";
    case DcKind::Printer: return "printer";
    case DcKind::Screen: return "screen";
    case DcKind::Recording: return "recording";
    case DcKind::Information: return "information";
  }
  return "";
}

void DcState::SelectBitmap(const std::shared_ptr<BitmapData>& bitmap) {
  if (attr.bitmap == bitmap) return;
  if (attr.bitmap && !attr.bitmap->stock) {
    attr.bitmap->selectedInto = nullptr;
    if (attr.bitmap->deletePending) GdiHandleTable::Erase(attr.bitmap->handle);
  }
  attr.bitmap = bitmap;
  if (!bitmap->stock) bitmap->selectedInto = handle;
  surface = bitmap->surface;
}

HGDIOBJ DcState::Select(const std::shared_ptr<GdiObjectData>& object) {
  if (!object) return nullptr;
  switch (object->kind) {
    case GdiKind::Pen: {
      HGDIOBJ old = attr.pen->handle;
      attr.pen = std::static_pointer_cast<PenData>(object);
      return old;
    }
    case GdiKind::Brush: {
      HGDIOBJ old = attr.brush->handle;
      attr.brush = std::static_pointer_cast<BrushData>(object);
      return old;
    }
    case GdiKind::Font: {
      HGDIOBJ old = attr.font->handle;
      attr.font = std::static_pointer_cast<FontData>(object);
      return old;
    }
    case GdiKind::Bitmap: {
      auto bitmap = std::static_pointer_cast<BitmapData>(object);
      // Only memory DCs hold bitmaps, and a bitmap is in one DC at a time.
      if (kind != DcKind::Memory) return nullptr;
      if (!bitmap->stock && bitmap->selectedInto != nullptr && bitmap->selectedInto != handle) return nullptr;
      HGDIOBJ old = attr.bitmap ? attr.bitmap->handle : nullptr;
      SelectBitmap(bitmap);
      return old;
    }
    case GdiKind::Region:
      // Selecting a region sets the clip region (a copy) and returns its kind.
      attr.clip = static_cast<const RegionData&>(*object).region;
      return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(attr.clip->Kind()));
  }
  return nullptr;
}

int DcState::Save() {
  saved.push_back(attr);
  return static_cast<int>(saved.size());
}

bool DcState::Restore(int which) {
  const int depth = static_cast<int>(saved.size());
  const int index = which < 0 ? depth + which : which - 1;  // -1: the latest
  if (index < 0 || index >= depth) return false;
  DcAttributes restored = saved[index];
  saved.resize(index);
  auto bitmap = restored.bitmap;
  restored.bitmap = attr.bitmap;
  attr = std::move(restored);
  if (bitmap && bitmap != attr.bitmap) {
    // The saved bitmap comes back unless another DC took it meanwhile.
    if (bitmap->stock || bitmap->selectedInto == nullptr || bitmap->selectedInto == handle) SelectBitmap(bitmap);
  }
  return true;
}

void DcState::Release() {
  for (auto& s : saved) s.bitmap.reset();
  if (attr.bitmap && !attr.bitmap->stock) {
    attr.bitmap->selectedInto = nullptr;
    if (attr.bitmap->deletePending) GdiHandleTable::Erase(attr.bitmap->handle);
  }
  attr.bitmap.reset();
}

HDC RegisterDc(std::shared_ptr<DcState> state) {
  DcTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  const uintptr_t id = t.next;
  t.next += 8;
  state->handle = reinterpret_cast<HDC>(id);
  t.dcs.emplace(id, std::move(state));
  return reinterpret_cast<HDC>(id);
}

std::shared_ptr<DcState> FindDc(HDC dc) {
  DcTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.dcs.find(reinterpret_cast<uintptr_t>(dc));
  return it == t.dcs.end() ? nullptr : it->second;
}

bool UnregisterDc(HDC dc) {
  std::shared_ptr<DcState> doomed;
  {
    DcTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.dcs.find(reinterpret_cast<uintptr_t>(dc));
    if (it == t.dcs.end()) return false;
    doomed = std::move(it->second);
    t.dcs.erase(it);
  }
  doomed->Release();
  return true;
}

std::shared_ptr<BitmapData> DefaultBitmap() {
  static const std::shared_ptr<BitmapData> bitmap = [] {
    auto b = std::make_shared<BitmapData>();
    b->surface = std::make_shared<RasterSurface>(1, 1, true, RGB(0, 0, 0));
    b->bitsPixel = 1;
    b->stock = true;
    GdiHandleTable::Insert(b);
    return b;
  }();
  return bitmap;
}

HDC CreateMemoryDc(HDC dc) {
  DeviceCaps caps = ScreenCaps();
  std::vector<std::shared_ptr<DrawingRecorder>> recorders;
  if (dc) {
    auto source = FindDc(dc);
    if (!source) return nullptr;
    caps = source->caps;
    recorders = source->recorders;
  }
  auto state = std::make_shared<DcState>(DcKind::Memory, caps);
  state->recorders = std::move(recorders);
  HDC handle = RegisterDc(state);
  state->Select(DefaultBitmap());
  return handle;
}

namespace {

std::shared_ptr<RasterSurface> ScreenSurface() {
  static const std::shared_ptr<RasterSurface> screen = [] {
    const DeviceCaps caps = ScreenCaps();
    return std::make_shared<RasterSurface>(caps.width, caps.height);
  }();
  return screen;
}

}  // namespace

void ResizeScreenSurface(int width, int height) { ScreenSurface()->Resize(width, height); }

HDC CreateScreenDc() {
  auto state = std::make_shared<DcState>(DcKind::Screen, ScreenCaps());
  state->surface = ScreenSurface();
  return RegisterDc(state);
}

}  // namespace platform
