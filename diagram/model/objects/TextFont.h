// CTextFont: the font record a text refers to, one LOGFONTW.
//
// The GDI fonts made from text fonts are cached by the contents of their
// LOGFONTW: every text font with the same LOGFONTW draws with the same CFont,
// and texts with different fonts each draw in their own. Changing a text font
// (Set) or destroying one drops the whole cache; the fonts are made again on
// demand.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CArchive;
class CFont;

// The library's default text font: 13-unit Courier New, fixed pitch.
extern const LOGFONTW defaultLogFont;

class CTextFont : public CObject {
  DECLARE_SERIAL(CTextFont)

 public:
  CTextFont();
  explicit CTextFont(const LOGFONTW& logFont);
  CTextFont(const CTextFont&) = delete;
  CTextFont& operator=(const CTextFont&) = delete;
  ~CTextFont() override;

  void Serialize(CArchive& ar) override;

  const LOGFONTW& GetLogFont() const { return m_logFont; }
  void Set(const LOGFONTW& logFont);
  // The GDI font of this LOGFONTW, made on first use; null when it cannot be
  // made. It stays valid until a text font is set or destroyed.
  CFont* GetFont();

  // The number of GDI fonts the cache holds.
  static int GetCachedFontCount();

 protected:
  // Deletes every cached GDI font.
  static void DropFontCache();

  LOGFONTW m_logFont;
};
