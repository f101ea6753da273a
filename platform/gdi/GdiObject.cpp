#include "platform/gdi/GdiObject.h"

#include <cstring>
#include <unordered_map>

#include "platform/core/Charset.h"
#include "platform/gdi/BorrowedWrapper.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/RasterSurface.h"
#include "platform/gdi/Rgn.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

// This thread's wrappers of GDI handles: permanent ones (the program's own
// objects) and temporary ones made by FromHandle.
struct GdiMaps {
  std::unordered_map<HGDIOBJ, CGdiObject*> permanent;
  std::unordered_map<HGDIOBJ, CGdiObject*> temporary;
  ~GdiMaps();
  void Clear() {
    for (auto& [h, object] : temporary) {
      object->m_hObject = nullptr;  // the handle is not the wrapper's to delete
      delete object;
    }
    temporary.clear();
  }
};

// Set when this thread's maps are gone: wrappers destroyed later (objects
// of static storage at exit) find no map instead of a destroyed one.
thread_local bool tMapsGone = false;

GdiMaps::~GdiMaps() {
  Clear();
  tMapsGone = true;
}

GdiMaps* Maps() {
  if (tMapsGone) return nullptr;
  thread_local GdiMaps maps;
  return &maps;
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) {
  if (!h) return nullptr;
  auto data = platform::GdiHandleTable::Find(h);
  if (!data) return nullptr;
  GdiMaps* maps = Maps();
  if (!maps) return nullptr;
  if (auto it = maps->permanent.find(h); it != maps->permanent.end()) return it->second;
  if (auto it = maps->temporary.find(h); it != maps->temporary.end()) {
    it->second->m_hObject = h;  // a temporary wrapper may have been detached
    return it->second;
  }
  CGdiObject* object = nullptr;
  switch (data->kind) {
    case platform::GdiKind::Pen: object = new CPen; break;
    case platform::GdiKind::Brush: object = new CBrush; break;
    case platform::GdiKind::Font: object = new CFont; break;
    case platform::GdiKind::Bitmap: object = new CBitmap; break;
    case platform::GdiKind::Region: object = new CRgn; break;
  }
  object->m_hObject = h;
  maps->temporary.emplace(h, object);
  return object;
}

void CGdiObject::DeleteTempMap() {
  if (auto* maps = Maps()) maps->Clear();
}

size_t platform::TemporaryGdiObjectCount() {
  GdiMaps* maps = Maps();
  return maps ? maps->temporary.size() : 0;
}

BOOL CGdiObject::Attach(HGDIOBJ h) {
  if (!h || m_hObject || !platform::GdiHandleTable::Find(h)) return FALSE;
  GdiMaps* maps = Maps();
  if (!maps || maps->permanent.count(h)) return FALSE;
  m_hObject = h;
  maps->permanent.emplace(h, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (auto* maps = h ? Maps() : nullptr) {
    auto& permanent = maps->permanent;
    if (auto it = permanent.find(h); it != permanent.end() && it->second == this) permanent.erase(it);
  }
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return platform::GdiHandleTable::Erase(Detach()) ? TRUE : FALSE;
}

UINT CGdiObject::GetObjectType() const {
  auto data = platform::GdiHandleTable::Find(m_hObject);
  return data ? static_cast<UINT>(data->kind) : 0;
}

BOOL CGdiObject::CreateStockObject(int index) {
  HGDIOBJ h = platform::StockObject(index);
  return h ? Attach(h) : FALSE;
}

int CGdiObject::GetObject(int count, LPVOID buffer) const {
  auto data = platform::GdiHandleTable::Find(m_hObject);
  if (!data) return 0;
  auto copy = [&](const void* source, int size) {
    if (!buffer) return size;
    const int n = std::min(count, size);
    if (n <= 0) return 0;
    std::memcpy(buffer, source, static_cast<size_t>(n));
    return n;
  };
  switch (data->kind) {
    case platform::GdiKind::Pen:
      return copy(&static_cast<const platform::PenData&>(*data).log, sizeof(LOGPEN));
    case platform::GdiKind::Brush:
      return copy(&static_cast<const platform::BrushData&>(*data).log, sizeof(LOGBRUSH));
    case platform::GdiKind::Font: {
      const LOGFONTW& w = static_cast<const platform::FontData&>(*data).log;
      // A buffer the size of LOGFONTA asks for the multibyte form.
      if (buffer && count == static_cast<int>(sizeof(LOGFONTA))) {
        LOGFONTA a;
        static_cast<const CFont*>(this)->GetLogFont(&a);
        return copy(&a, sizeof(LOGFONTA));
      }
      return copy(&w, sizeof(LOGFONTW));
    }
    case platform::GdiKind::Bitmap: {
      BITMAP bm{};
      static_cast<const CBitmap*>(this)->GetBitmap(&bm);
      return copy(&bm, sizeof(BITMAP));
    }
    case platform::GdiKind::Region:
      return 0;
  }
  return 0;
}
