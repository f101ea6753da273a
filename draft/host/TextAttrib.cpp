#include "draft/host/TextAttrib.h"

CTextAttrib::CTextAttrib() : trueTypeName_("宋体"), shxFontName_("txt.shx"), bigFontName_("morvane.shx") {}

void CTextAttrib::Prepare() {
  if (fontName_.IsEmpty()) fontName_ = "宋体";
  if (widthFactor_ <= 0.0) widthFactor_ = 1.0;
  prepared_ = true;
}

void CTextAttrib::Release() { prepared_ = false; }

bool CTextAttrib::operator==(const CTextAttrib& o) const {
  return height_ == o.height_ && widthFactor_ == o.widthFactor_ && angle_ == o.angle_ && slant_ == o.slant_ &&
         spacing_ == o.spacing_ && alignment_ == o.alignment_ && style_ == o.style_ && fontName_ == o.fontName_ &&
         lineSpacing_ == o.lineSpacing_ && fontStyle_ == o.fontStyle_ && chineseFont_ == o.chineseFont_ &&
         westernFont_ == o.westernFont_ && trueTypeName_ == o.trueTypeName_ && shxFontName_ == o.shxFontName_ &&
         bigFontName_ == o.bigFontName_;
}

void ConstructTextAttribDefault(CTextAttrib& attr, double height, int alignment, int style) {
  attr = CTextAttrib();
  attr.SetHeight(height);
  attr.SetAlignment(alignment);
  attr.SetStyle(style);
}

void CopyTextAttrib(CTextAttrib& dst, const CTextAttrib& src) { dst = src; }

int CompareTextAttrib(const CTextAttrib& a, const CTextAttrib& b) { return a == b ? 0 : 1; }

void ReleaseTextAttrib(CTextAttrib* attr) {
  if (attr) attr->Release();
}
