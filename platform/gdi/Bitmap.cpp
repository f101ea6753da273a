#include "platform/gdi/Bitmap.h"

#include <cstring>

#include "platform/core/ResourceModule.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DcState.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/ImageLoader.h"
#include "platform/gdi/RasterSurface.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

namespace {

// Bytes per row in the CreateBitmap layout: whole WORDs for 1 bit per pixel.
int RowBytes(int width, int bitsPixel) { return bitsPixel == 1 ? ((width + 15) / 16) * 2 : width * 4; }

std::shared_ptr<platform::BitmapData> Data(HGDIOBJ h) {
  return platform::GdiHandleTable::FindAs<platform::BitmapData>(h, platform::GdiKind::Bitmap);
}

}  // namespace

CBitmap* CBitmap::FromHandle(HBITMAP h) { return static_cast<CBitmap*>(CGdiObject::FromHandle(h)); }

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (m_hObject || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return FALSE;
  if (width <= 0 || height <= 0 || int64_t(width) * height > platform::PixelBuffer::kMaxPixels) return FALSE;
  auto data = std::make_shared<platform::BitmapData>();
  data->bitsPixel = static_cast<int>(bitsPerPixel);
  data->surface = std::make_shared<platform::RasterSurface>(width, height, bitsPerPixel == 1, RGB(0, 0, 0));
  HGDIOBJ h = platform::GdiHandleTable::Insert(data);
  if (!Attach(h)) {
    platform::GdiHandleTable::Erase(h);
    return FALSE;
  }
  if (bits) SetBitmapBits(static_cast<DWORD>(RowBytes(width, data->bitsPixel) * height), bits);
  return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT id) {
  if (m_hObject) return FALSE;
  const platform::FoundResources found = platform::FindResources(platform::ResourceType::Bitmap, id);
  const platform::ImageResource* image = found ? found.resources->FindBitmap(id) : nullptr;
  platform::ImagePixels pixels;
  if (!image || !platform::LoadImagePixels(*image, found.module, &pixels)) return FALSE;
  if (!CreateBitmap(pixels.width, pixels.height, 1, 32, nullptr)) return FALSE;
  // A bitmap has no transparency: the colours are taken as they are.
  auto data = Data(m_hObject);
  platform::PixelBuffer& target = static_cast<platform::RasterSurface&>(*data->surface).MutablePixels();
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) target.Row(y)[x] = pixels.argb[size_t(y) * pixels.width + x] | 0xFF000000u;
  }
  return TRUE;
}

BOOL CBitmap::LoadBitmap(LPCSTR resource) {
  return IS_INTRESOURCE(resource) ? LoadBitmap(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(resource))) : FALSE;
}

BOOL CBitmap::LoadBitmap(LPCWSTR resource) {
  return IS_INTRESOURCE(resource) ? LoadBitmap(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(resource))) : FALSE;
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap) {
  if (!bitmap) return FALSE;
  return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  if (m_hObject || !dc) return FALSE;
  auto state = platform::FindDc(dc->m_hDC);
  if (!state) return FALSE;
  // A size of zero gives a 1 x 1 monochrome bitmap, as on Windows.
  if (width == 0 || height == 0) return CreateBitmap(1, 1, 1, 1, nullptr);
  const bool mono = state->surface && state->surface->IsMonochrome() && state->kind == platform::DcKind::Memory;
  return CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
}

int CBitmap::GetBitmap(BITMAP* bitmap) const {
  auto data = Data(m_hObject);
  if (!data || !bitmap) return 0;
  const SIZE size = data->surface->PixelSize();
  *bitmap = BITMAP{0, size.cx, size.cy, RowBytes(size.cx, data->bitsPixel), 1, static_cast<WORD>(data->bitsPixel), nullptr};
  return sizeof(BITMAP);
}

DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const {
  auto data = Data(m_hObject);
  if (!data || !bits) return 0;
  const platform::PixelBuffer& pixels = *data->surface->Pixels();
  const int rowBytes = RowBytes(pixels.Width(), data->bitsPixel);
  std::vector<uint8_t> out(size_t(rowBytes) * pixels.Height(), 0);
  for (int y = 0; y < pixels.Height(); ++y) {
    uint8_t* row = out.data() + size_t(y) * rowBytes;
    for (int x = 0; x < pixels.Width(); ++x) {
      const uint32_t p = pixels.Row(y)[x];
      if (data->bitsPixel == 1) {
        if (p & 0xFFFFFF) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      } else {
        std::memcpy(row + size_t(x) * 4, &p, 4);  // B, G, R, A in memory
      }
    }
  }
  const DWORD n = std::min<DWORD>(count, static_cast<DWORD>(out.size()));
  std::memcpy(bits, out.data(), n);
  return n;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
  auto data = Data(m_hObject);
  if (!data || !bits) return 0;
  platform::PixelBuffer& pixels = static_cast<platform::RasterSurface&>(*data->surface).MutablePixels();
  const int rowBytes = RowBytes(pixels.Width(), data->bitsPixel);
  const auto* in = static_cast<const uint8_t*>(bits);
  const int rows = std::min<int64_t>(pixels.Height(), count / rowBytes);
  for (int y = 0; y < rows; ++y) {
    const uint8_t* row = in + size_t(y) * rowBytes;
    for (int x = 0; x < pixels.Width(); ++x) {
      if (data->bitsPixel == 1) {
        pixels.Row(y)[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
      } else {
        uint32_t p;
        std::memcpy(&p, row + size_t(x) * 4, 4);
        pixels.Row(y)[x] = p | 0xFF000000u;
      }
    }
  }
  return static_cast<DWORD>(rows) * rowBytes;
}

SIZE CBitmap::SetBitmapDimension(int width, int height) {
  auto data = Data(m_hObject);
  if (!data) return SIZE{0, 0};
  const SIZE old = data->dimension;
  data->dimension = SIZE{width, height};
  return old;
}

SIZE CBitmap::GetBitmapDimension() const {
  auto data = Data(m_hObject);
  return data ? data->dimension : SIZE{0, 0};
}
