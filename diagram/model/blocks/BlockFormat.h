// CBlockFormat: the block appearance a diagram keeps: the font for block
// texts and the measured size of one blank in it.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CArchive;
class CTextFont;

class CBlockFormat : public CObject {
  DECLARE_SERIAL(CBlockFormat)

 public:
  CBlockFormat();
  CBlockFormat(const CBlockFormat&) = delete;
  CBlockFormat& operator=(const CBlockFormat&) = delete;
  ~CBlockFormat() override;

  void Serialize(CArchive& ar) override;
  // Takes the font and measures a blank in it.
  void Set(const LOGFONTW& logFont);

  // The font, owned; null until one is set.
  const CTextFont* GetTextFont() const { return m_pFont; }
  // The extent of a blank in the font; -1 until measured.
  int GetCharWidth() const { return m_nCharWidth; }
  int GetCharHeight() const { return m_nCharHeight; }

 protected:
  CTextFont* m_pFont;
  int m_nCharWidth;
  int m_nCharHeight;
};
