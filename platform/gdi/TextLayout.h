// The line layout of DrawText in device pixels: mnemonic prefixes, line
// breaks, tab expansion and word breaking, for a realised font.
#pragma once

#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/FontEngine.h"

namespace platform {

struct TextLine {
  std::u16string text;       // what is drawn (tabs kept, advanced by `advances`)
  std::vector<int> advances;  // one per code unit, device pixels
  int width = 0;
  int underline = -1;  // the index of the mnemonic character to underline, or -1
};

// Lays out `text` for DrawText's `format` in a rectangle `width` pixels wide.
// With DT_TABSTOP, bits 8-15 of the format are the tab size in average
// character widths and no flags (as DrawText reads them); otherwise tabs
// stop every 8 average characters.
// Without DT_SINGLELINE, CR LF, CR and LF break lines; with DT_WORDBREAK,
// lines also break between words (after spaces, and around Chinese
// characters) to fit the width, a word wider than the width keeping a line
// of its own (broken between characters with DT_EDITCONTROL). Without
// DT_NOPREFIX, "&x" underlines x and "&&" is "&".
std::vector<TextLine> LayoutText(const RealizedFont& font, std::u16string_view text, UINT format, int width);

}  // namespace platform
