// Tressil's text attributes: the look of a text entity (height, width
// factor, slant, spacing, fonts). A value type; commands embed one and keep
// one on the heap.
#pragma once

#include "platform/core/String.h"

class CTextAttrib {
 public:
  double GetHeight() const { return height_; }
  void SetHeight(double h) { height_ = h; }
  double GetWidthFactor() const { return widthFactor_; }
  void SetWidthFactor(double f) { widthFactor_ = f; }
  double GetAngle() const { return angle_; }
  void SetAngle(double a) { angle_ = a; }
  double GetSlant() const { return slant_; }
  void SetSlant(double s) { slant_ = s; }
  double GetSpacing() const { return spacing_; }
  void SetSpacing(double s) { spacing_ = s; }
  int GetAlignment() const { return alignment_; }
  void SetAlignment(int a) { alignment_ = a; }
  int GetStyle() const { return style_; }
  void SetStyle(int s) { style_ = s; }
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
