// Texts painted as glyphs of the machine's fonts (the platform's font
// engine through a device context).
//
// A text is laid out in the cells the font manager measures
// (CFontManager::GetTextCells), so what is painted fills the box that
// measuring gives. Each character's glyph is scaled to its cell: the ink of
// its script (that of common ideographs for a double-byte character, of the
// letters and digits for a one-byte one, descenders left out) spans the
// text height from the text's base line, descenders going below it;
// across, the widest glyph of the script fills a cell, narrower ones are
// centred in theirs. A TrueType text is drawn in its face at the text
// height, each glyph at the start of its cell (its cells are that face's
// advances).
//
// Which machine font draws a vector or SHX font is the font map's answer
// (FontMap.h); a text whose font the map cannot find is not painted, and the
// user is told once per font.
#pragma once

#include <functional>
#include <vector>

#include "draft/host/ShownText.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;

// Drawing coordinates to device pixels: x right, y down from the top.
struct DeviceMapping {
  double zoom = 1.0;  // pixels per drawing unit
  double panX = 0.0;  // the drawing point at the lower left corner
  double panY = 0.0;
  int height = 0;  // the device area's height in pixels

  void ToDevice(GPoint p, double& x, double& y) const {
    x = (p.x - panX) * zoom;
    y = height - (p.y - panY) * zoom;
  }
};

// Where the glyphs of a text go, as painting places them: for each
// character its UTF-16 code, its script (wide: a double-byte character),
// its pen position along the base line from the text's insertion point and
// the base line's height above the text's (drawing units, in the text's
// direction), its advance, and the drawing units of one em of its family
// across and down. `families` are the machine families of the one-byte and
// the double-byte characters.
struct PlacedGlyph {
  char16_t ch = 0;
  bool wide = false;
  double along = 0.0, base = 0.0, advance = 0.0;
  double emAcross = 1.0, emDown = 1.0;
};
struct PlacedGlyphs {
  CStringW families[2];
  std::vector<PlacedGlyph> glyphs;
};
// False (and the user told once) when a font of the text cannot be found.
bool PlaceTextGlyphs(const ShownText& text, PlacedGlyphs& out);

// Paints `text` through `dc` in `colour`, plainly or, with `invert`,
// inverting the pixels under its glyphs (see PaintInverted). `clip` is the
// device area that can show anything. False when a font of the text cannot
// be found: nothing is painted (the caller shows the text's outline).
bool PaintShownText(CDC& dc, const ShownText& text, const DeviceMapping& map, COLORREF colour, bool invert,
                    const RECT& clip);

// Inverts the pixels of `dc` within `bounds` (device pixels) by what `draw`
// paints on a black picture of that size: `draw` gets a DC on the picture
// and the offset of its device points (subtract it from `dc`'s). Inverting
// twice by the same drawing restores every pixel, whatever was there.
void PaintInverted(CDC& dc, const RECT& bounds, const std::function<void(CDC&, POINT)>& draw);
