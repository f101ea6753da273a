// Korrin's font manager: the host's loaded vector fonts, text measuring and
// the text conversion applied to typed texts.
//
// The vector fonts come in two kinds: Chinese fonts draw the double-byte
// characters of a text, Western fonts its one-byte characters. Each kind is
// listed by a 1-based index in loading order. A font's proportion is a
// character's advance as a fraction of the text height (before the width
// factor). TrueType texts are measured in their face through the drawing
// layer; SHX texts with the proportions of the first font of each kind.
#pragma once

#include <vector>

#include "platform/core/String.h"

class CTextAttrib;

enum class VectorFontKind { kChinese, kWestern };

// One character of a measured text: its first byte and byte count, whether
// it is a double-byte character, and its cell along the text's direction,
// from the insertion point, in drawing units (before the group scale).
struct TextCell {
  int byte;
  int bytes;
  bool wide;
  double start;
  double width;
};

struct CVectorFont {
  CStringA name;
  VectorFontKind kind;
  double proportion;  // advance / height
};

class CFontManager {
 public:
  // The host's fonts, loaded.
  CFontManager();

  // The font of the kind at a 1-based index, or null beyond the loaded ones.
  const CVectorFont* GetChineseFont(int index) const;
  const CVectorFont* GetWesternFont(int index) const;
  int GetChineseFontCount() const { return static_cast<int>(chinese_.size()); }
  int GetWesternFontCount() const { return static_cast<int>(western_.size()); }
  // The 1-based index of the font of that name (exact match), 0 when none.
  int FindChineseFont(const char* name) const;
  int FindWesternFont(const char* name) const;

  // The advance of the text along its direction, in drawing units: each
  // double-byte character the Chinese font's proportion times the height,
  // each one-byte character the Western font's, all times the width factor,
  // plus the character spacing between each two characters. A font index
  // beyond the loaded fonts measures with the first font of its kind. A
  // TrueType text (font style 1) advances as its face lays it out, scaled
  // to the height, times the width factor, plus the spacing.
  double GetTextWidth(const char* text, const CTextAttrib& attr) const;
  // The cell of each character, measured as GetTextWidth measures: the
  // width of a character is its advance, the next cell starting after the
  // character spacing; the last cell ends at the text's width.
  std::vector<TextCell> GetTextCells(const char* text, const CTextAttrib& attr) const;
  // The number of characters (a double-byte character counts once).
  static int CountCharacters(const char* text);

  // The conversion of typed texts into what the vector fonts draw: a tab
  // becomes a blank; other control bytes (below 0x20, and 0x7F) and the
  // bytes 0x80 and 0xFF, which are no GBK character, are dropped; a lead
  // byte that no valid trail byte follows (a broken double-byte character)
  // is dropped. Everything else is kept.
  void ConvertText(CStringA& text) const;

 private:
  const CVectorFont& ChineseOrFirst(int index) const;
  const CVectorFont& WesternOrFirst(int index) const;

  std::vector<CVectorFont> chinese_;
  std::vector<CVectorFont> western_;
};

// The process's font manager.
CFontManager* GetFontManager();
