// The fonts of a table drawn into the drawing: one set of values for the
// header ("BT") and one for the body ("BG"), and the font type shared by
// both (0 the system's vector fonts, 1 TrueType, 2 SHX). Kept in the
// settings store under "CBillFontDef", each value under its member's name,
// and turned into and out of the host's text attributes.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CTextAttrib;

class CBillFontDef {
 public:
  // The defaults, with the header present.
  CBillFontDef();

  // Reads every value from the settings (missing ones take their defaults,
  // the header then absent); Write stores them, reals as "%lf".
  void Read();
  void Write() const;

  // Copies the header part (`header` set) or the body part to the text
  // attribute: character height, character spacing, the two font indexes,
  // the TrueType face, the SHX font and big font, and the font type. The
  // row heights are not part of an attribute.
  void ToTextAttrib(CTextAttrib& attr, BOOL header) const;
  void FromTextAttrib(const CTextAttrib& attr, BOOL header);

  bool operator==(const CBillFontDef& o) const;

  BYTE m_bBTHave;
  BYTE m_nBTCFont;
  BYTE m_nBTEFont;
  CStringA m_szBTttName;
  CStringA m_szBTShxFontName;
  CStringA m_szBTShxBigFontName;
  double m_fBTHeight;
  double m_fBTChrHeight;
  double m_fBTChrSpace;
  int m_nBTSort;  // 0 "横排上", 1 "横排下"
  BYTE m_bBGHave;
  BYTE m_nBGCFont;
  BYTE m_nBGEFont;
  CStringA m_szBGttName;
  CStringA m_szBGShxFontName;
  CStringA m_szBGShxBigFontName;
  double m_fBGHeight;
  double m_fBGChrHeight;
  double m_fBGChrSpace;
  int m_nFontStyle;
};
