#include "draft/host/TextFontRecord.h"

CTextAttrib ConstructTextAttrib(const CTextFontRecord* font) {
  CTextAttrib a;
  if (font) a = font->attrib;
  a.Prepare();
  return a;
}
