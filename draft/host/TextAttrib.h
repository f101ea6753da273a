// Tressil's text attributes: the look of a text entity (height, width
// factor, slant, spacing, fonts). A value type; commands embed one and keep
// one on the heap.
//
// The font a text is drawn in depends on the font style: 0 the host's vector
// fonts (a Chinese and a Western font, by their 1-based indexes in the font
// manager), 1 a TrueType face (by name), 2 an SHX font and its big font (by
// file name).
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CTextAttrib {
 public:
  // Height 5, width factor 1, everything else zero; vector fonts 1 and 1,
  // the TrueType face "宋体", the SHX fonts "txt.shx" and "morvane.shx".
  // (Defined with the library, so that its texts are the library's GBK.)
  CTextAttrib();
  double GetHeight() const { return height_; }
  void SetHeight(double h) { height_ = h; }
  double GetWidthFactor() const { return widthFactor_; }
  void SetWidthFactor(double f) { widthFactor_ = f; }
  double GetAngle() const { return angle_; }
  void SetAngle(double a) { angle_ = a; }
  double GetSlant() const { return slant_; }
  void SetSlant(double s) { slant_ = s; }
  int GetAlignment() const { return alignment_; }
  void SetAlignment(int a) { alignment_ = a; }
  int GetStyle() const { return style_; }
  void SetStyle(int s) { style_ = s; }
  // Space added between characters, in drawing units.
  double GetSpacing() const { return spacing_; }
  void SetSpacing(double s) { spacing_ = s; }
  // Space between lines, in drawing units.
  double GetLineSpacing() const { return lineSpacing_; }
  void SetLineSpacing(double s) { lineSpacing_ = s; }
  // 0 vector fonts, 1 TrueType, 2 SHX.
  int GetFontStyle() const { return fontStyle_; }
  void SetFontStyle(int style) { fontStyle_ = style; }
  BYTE GetChineseFontIndex() const { return chineseFont_; }
  void SetChineseFontIndex(BYTE index) { chineseFont_ = index; }
  BYTE GetWesternFontIndex() const { return westernFont_; }
  void SetWesternFontIndex(BYTE index) { westernFont_ = index; }
  const CStringA& GetTrueTypeName() const { return trueTypeName_; }
  void SetTrueTypeName(const char* name) { trueTypeName_ = name ? name : ""; }
  const CStringA& GetShxFontName() const { return shxFontName_; }
  void SetShxFontName(const char* name) { shxFontName_ = name ? name : ""; }
  const CStringA& GetBigFontName() const { return bigFontName_; }
  void SetBigFontName(const char* name) { bigFontName_ = name ? name : ""; }
  const CStringA& GetFontName() const { return fontName_; }
  void SetFontName(const char* name) { fontName_ = name ? name : ""; }
  // Whether the set-up operation ran (the font resolved and the metrics set).
  bool IsPrepared() const { return prepared_; }
  void Prepare();
  void Release();

  bool operator==(const CTextAttrib& o) const;

 private:
  double height_ = 5.0;
  double widthFactor_ = 1.0;
  double angle_ = 0.0;
  double slant_ = 0.0;
  double spacing_ = 0.0;
  int alignment_ = 0;
  int style_ = 0;
  CStringA fontName_;
  double lineSpacing_ = 0.0;
  int fontStyle_ = 0;
  BYTE chineseFont_ = 1;
  BYTE westernFont_ = 1;
  CStringA trueTypeName_;
  CStringA shxFontName_;
  CStringA bigFontName_;
  bool prepared_ = false;
};

// Fills `attr` with the defaults: height, alignment code and style; the
// other values zero (width factor 1).
void ConstructTextAttribDefault(CTextAttrib& attr, double height, int alignment, int style);
// Copies every attribute.
void CopyTextAttrib(CTextAttrib& dst, const CTextAttrib& src);
// 0 when equal.
int CompareTextAttrib(const CTextAttrib& a, const CTextAttrib& b);
// Releases what the set-up operation took; run before a heap instance is deleted.
void ReleaseTextAttrib(CTextAttrib* attr);
