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
  CStringA name = "标准";
  // Height, width factor, angle, slant, spacings and fonts of new texts; its
  // alignment and style stay at their defaults.
  CTextAttrib attrib;
  DWORD flags = 0;

  CTextFontRecord() { attrib.SetHeight(3.5); }
};

// The attributes of a new text in the font (defaults for null).
CTextAttrib ConstructTextAttrib(const CTextFontRecord* font);
