#include "diagram/model/objects/TextFontStore.h"

#include "diagram/model/canvas/Diagram.h"
#include "diagram/model/document/DrawDoc.h"
#include "diagram/model/objects/TextFont.h"
#include "platform/core/Archive.h"

TextFontStore::TextFontStore() = default;

TextFontStore::~TextFontStore() = default;

void TextFontStore::Adopt(CTextFont* font) {
  if (!font || Holds(font)) return;
  m_fonts.emplace(font, std::unique_ptr<CTextFont>(font));
}

BOOL TextFontStore::Holds(const CTextFont* font) const { return m_fonts.count(font) != 0; }

TextFontStore& TextFontStore::For(CArchive& ar) {
  CDrawDoc* document = DYNAMIC_DOWNCAST(CDrawDoc, ar.m_pDocument);
  if (CDiagram* diagram = document ? document->GetDiagram() : nullptr) return diagram->GetLoadedFonts();
  // Made on first use, after the font cache that its fonts drop when they
  // go, so that it is destroyed first.
  static TextFontStore withoutDocument;
  return withoutDocument;
}
