// TextFontStore: keeps the text fonts that were read from streams. A text
// never deletes its font, and a font read with a text may be shared by many
// texts of the stream, so such fonts are adopted by a store that lives at
// least as long as those texts: the store of the top-level diagram of the
// document being read (a document's texts all live within it, in nested
// diagrams, the trash and the undo records included), or the library's own
// store for a stream read without a document, which lives until the library
// unloads.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/core/WinTypes.h"

class CArchive;
class CTextFont;

class TextFontStore {
 public:
  TextFontStore();
  TextFontStore(const TextFontStore&) = delete;
  TextFontStore& operator=(const TextFontStore&) = delete;
  // Deletes every font it keeps.
  ~TextFontStore();

  // Takes a font that an archive made; one the store keeps already (a
  // back-reference of the stream) is left as it is.
  void Adopt(CTextFont* font);
  BOOL Holds(const CTextFont* font) const;
  int GetCount() const { return static_cast<int>(m_fonts.size()); }

  // The store that keeps the fonts read through `ar`.
  static TextFontStore& For(CArchive& ar);

 private:
  std::unordered_map<const CTextFont*, std::unique_ptr<CTextFont>> m_fonts;
};
