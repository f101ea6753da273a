// Velmish's text font record: the drawing's current text style, from which
// new texts take their attributes (ConstructTextAttrib), and its flag word.
#pragma once

#include "draft/host/TextAttrib.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Bit of the flag word: typed texts are kept as typed. Without it a command
// converts a typed text with the font manager's ConvertText.
inline constexpr DWORD kTextFontKeepTyped = 0x1;

struct CTextFontRecord {
  // The style "标准" at height 3.5 (defined with the library, in its GBK).
  CTextFontRecord();

  CStringA name;
  // Height, width factor, angle, slant, spacings and fonts of new texts; its
  // alignment and style stay at their defaults.
  CTextAttrib attrib;
  DWORD flags = 0;
};

// The attributes of a new text in the font (defaults for null).
CTextAttrib ConstructTextAttrib(const CTextFontRecord* font);
