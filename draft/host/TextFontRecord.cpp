#include "draft/host/TextFontRecord.h"

CTextFontRecord::CTextFontRecord() : name("标准") { attrib.SetHeight(3.5); }

CTextAttrib ConstructTextAttrib(const CTextFontRecord* font) {
  CTextAttrib a;
  if (font) a = font->attrib;
  a.Prepare();
  return a;
}
