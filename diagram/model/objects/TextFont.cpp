#include "diagram/model/objects/TextFont.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "diagram/model/document/ArchiveEncoding.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Font.h"

IMPLEMENT_SERIAL(CTextFont, CObject, 0)

// 13-unit Courier New, normal weight, fixed pitch of the modern family.
const LOGFONTW defaultLogFont = {-13, 0, 0, 0, 400, 0, 0, 0, 0, 2, 1, 0, 0x31, u"Courier New"};

namespace {

// A LOGFONTW as a cache key: the face name's characters after its
// terminating zero are zeroed, so that only what the font says counts.
LOGFONTW KeyOf(const LOGFONTW& logFont) {
  LOGFONTW key = logFont;
  bool ended = false;
  for (WCHAR& c : key.lfFaceName) {
    if (ended) c = 0;
    if (c == 0) ended = true;
  }
  key.lfFaceName[LF_FACESIZE - 1] = 0;
  return key;
}

// The GDI fonts made from text fonts, one per distinct LOGFONTW. Texts use
// few fonts, so a list searched in order is enough.
class FontCache {
 public:
  CFont* Find(const LOGFONTW& key) const {
    for (const auto& [logFont, font] : entries_) {
      if (std::memcmp(&logFont, &key, sizeof key) == 0) return font.get();
    }
    return nullptr;
  }
  CFont* Add(const LOGFONTW& key, std::unique_ptr<CFont> font) {
    entries_.emplace_back(key, std::move(font));
    return entries_.back().second.get();
  }
  void Clear() { entries_.clear(); }
  int Count() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<std::pair<LOGFONTW, std::unique_ptr<CFont>>> entries_;
};

// Made by the first text font, so that it outlives every text font, the
// static ones included (whose destructors drop it).
FontCache& Cache() {
  static FontCache cache;
  return cache;
}

}  // namespace

CTextFont::CTextFont() : m_logFont(defaultLogFont) { Cache(); }

CTextFont::CTextFont(const LOGFONTW& logFont) : m_logFont(logFont) { Cache(); }

CTextFont::~CTextFont() { DropFontCache(); }

void CTextFont::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_logFont;
  } else {
    ar >> m_logFont;
  }
}

void CTextFont::Set(const LOGFONTW& logFont) {
  DropFontCache();
  m_logFont = logFont;
}

CFont* CTextFont::GetFont() {
  const LOGFONTW key = KeyOf(m_logFont);
  if (CFont* font = Cache().Find(key)) return font;
  try {
    auto font = std::make_unique<CFont>();
    if (!font->CreateFontIndirect(&key)) return nullptr;
    return Cache().Add(key, std::move(font));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int CTextFont::GetCachedFontCount() { return Cache().Count(); }

void CTextFont::DropFontCache() { Cache().Clear(); }
