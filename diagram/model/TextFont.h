// CTextFont: the font record a text refers to, one LOGFONTW.
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
  ~CTextFont() override;

  void Serialize(CArchive& ar) override;

  const LOGFONTW& GetLogFont() const { return m_logFont; }
  void Set(const LOGFONTW& logFont);
  CFont* GetFont();

  // The font object made from a text font, created on demand.
  static CFont* m_pFont;

 protected:
  LOGFONTW m_logFont;
};
