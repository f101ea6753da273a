#include "platform/gdi/Brush.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/RasterSurface.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
CBrush::CBrush(int hatchIndex, COLORREF color) { CreateHatchBrush(hatchIndex, color); }
CBrush::CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }

CBrush* CBrush::FromHandle(HBRUSH h) { return static_cast<CBrush*>(CGdiObject::FromHandle(h)); }

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  const LOGBRUSH lb{BS_SOLID, color, 0};
  return CreateBrushIndirect(&lb);
}

BOOL CBrush::CreateHatchBrush(int index, COLORREF color) {
  if (index < HS_HORIZONTAL || index > HS_DIAGCROSS) return FALSE;
  const LOGBRUSH lb{BS_HATCHED, color, static_cast<ULONG_PTR>(index)};
  return CreateBrushIndirect(&lb);
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush) {
  if (m_hObject || !logBrush) return FALSE;
  if (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL && logBrush->lbStyle != BS_HATCHED) return FALSE;
  if (logBrush->lbStyle == BS_HATCHED && logBrush->lbHatch > HS_DIAGCROSS) return FALSE;
  auto data = std::make_shared<platform::BrushData>();
  data->log = *logBrush;
  return Attach(platform::GdiHandleTable::Insert(std::move(data)));
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
  if (m_hObject || !bitmap) return FALSE;
  auto source = platform::GdiHandleTable::FindAs<platform::BitmapData>(bitmap->m_hObject, platform::GdiKind::Bitmap);
  if (!source || !source->surface || source->surface->Pixels()->Empty()) return FALSE;
  auto data = std::make_shared<platform::BrushData>();
  data->log = LOGBRUSH{BS_PATTERN, 0, 0};
  data->pattern = std::make_shared<const platform::PixelBuffer>(*source->surface->Pixels());
  data->monochromePattern = source->bitsPixel == 1;
  return Attach(platform::GdiHandleTable::Insert(std::move(data)));
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const { return GetObject(sizeof(LOGBRUSH), logBrush); }
