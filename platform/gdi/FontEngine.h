// Fonts for the drawing layer: a LOGFONT at a device size becomes a realised
// font, chosen through fontconfig from the face name, weight, italic flag and
// pitch and family, with its metrics and glyph advances measured by FreeType
// (hinted, whole pixels, so the same on every run of the same machine image).
// Characters the chosen face lacks come from a face that covers Chinese.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/WinTypes.h"

typedef struct _cairo_font_face cairo_font_face_t;
typedef struct _cairo cairo_t;

namespace platform {

// Text metrics in device pixels.
struct FontMetrics {
  int height = 0;  // ascent + descent
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
  int weight = 400;
  int overhang = 0;
  bool fixedPitch = false;
};

class FontFace;

// A glyph's ink box in device pixels: its left edge from the pen position,
// its top above the baseline, its size, and the advance.
struct GlyphBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int advance = 0;
};

// A glyph's outline in device pixels, x from the pen position, y upwards
// from the base line: closed contours, each a start point and segments
// (kind 1 a line to one point, 2 a quadratic spline through a control
// point to its end, 3 a cubic through two control points to its end).
struct GlyphSegment {
  int kind = 1;
  double x[3] = {}, y[3] = {};
};
struct GlyphContour {
  double startX = 0.0, startY = 0.0;
  std::vector<GlyphSegment> segments;
};

class RealizedFont {
 public:
  struct Glyph {
    int face;        // 0 the chosen face, 1 the fallback
    unsigned index;  // glyph index in that face
    int x;           // pen position from the run's start, device pixels
  };

  // The font for `lf` whose height is `deviceHeight` device pixels, with the
  // sign of lfHeight (negative: character height, positive: cell height,
  // 0: the default cell height `defaultCellHeight`). `deviceWidth` is the
  // average character width asked for (0: the face's own).
  static std::shared_ptr<const RealizedFont> Get(const LOGFONTW& lf, int deviceHeight, int deviceWidth,
                                                 int defaultCellHeight);

  const FontMetrics& Metrics() const { return metrics_; }
  // The advance of each code unit: a surrogate pair's advance is on its first
  // unit and the second has 0.
  std::vector<int> Advances(std::u16string_view text) const;
  int Width(std::u16string_view text) const;
  // The glyphs of a text, placed by its advances or by `dx` (one advance per
  // code unit) when given.
  std::vector<Glyph> Layout(std::u16string_view text, const int* dx) const;
  // The ink box of the glyph that draws `c` (from the fallback face when
  // the chosen one lacks it); an empty box at the pen for a blank.
  GlyphBox GlyphBoxOf(char32_t c) const;
  // The outline of that glyph (FreeType's outline of it at this font's
  // size, hinted unless `unhinted`); empty for a blank or a bitmap glyph.
  std::vector<GlyphContour> GlyphOutlineOf(char32_t c, bool unhinted) const;

  // The size of the em square in pixels, across and down.
  double EmX() const { return emX_; }
  double EmY() const { return emY_; }
  bool Underline() const { return underline_; }
  bool StrikeOut() const { return strikeOut_; }
  bool Antialiased() const { return antialiased_; }
  // Rotation of the baseline, tenths of a degree counterclockwise.
  int Escapement() const { return escapement_; }
  // Cairo's face for glyphs of face 0 or 1.
  cairo_font_face_t* CairoFace(int face) const;
  // Shows laid-out glyphs at the origin of `cr`'s current transformation,
  // each from its face, at this font's em size.
  void ShowGlyphs(cairo_t* cr, const std::vector<Glyph>& glyphs) const;
  // The family of the chosen face (UTF-8), for records and tests.
  std::string FamilyName() const;

  RealizedFont(const LOGFONTW& lf, int deviceHeight, int deviceWidth, int defaultCellHeight);
  RealizedFont(const RealizedFont&) = delete;
  RealizedFont& operator=(const RealizedFont&) = delete;

 private:
  int AdvanceOf(char32_t c) const;
  int FaceFor(char32_t c, unsigned* glyph) const;

  std::shared_ptr<FontFace> faces_[2];
  FontMetrics metrics_;
  double emX_ = 0, emY_ = 0;
  bool underline_ = false, strikeOut_ = false, antialiased_ = true;
  int escapement_ = 0;
  int boldExtra_ = 0;  // a pixel more per glyph when bold is synthesised
  mutable std::mutex mutex_;
  mutable std::unordered_map<char32_t, int> advances_;
};

// Adds the faces of a font file (UTF-8 path) to what this process matches
// and lists, as if installed; returns how many it holds, 0 when it is no
// font file. Adding a file again counts once more.
int AddPrivateFontFile(const std::string& utf8Path);
// Takes back one addition of the file; false when it was not added.
bool RemovePrivateFontFile(const std::string& utf8Path);

// The families fontconfig offers that are scalable (TrueType or OpenType),
// sorted, as face names in UTF-16: what EnumFontFamilies lists.
std::vector<std::u16string> ScalableFontFamilies();

}  // namespace platform
