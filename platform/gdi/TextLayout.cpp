#include "platform/gdi/TextLayout.h"

#include <algorithm>

#include "platform/gdi/GdiConstants.h"

namespace platform {

namespace {

bool IsCjk(char16_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
         (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xD800 && c <= 0xDFFF);
}

struct Paragraph {
  std::u16string text;
  int underline = -1;
};

// Removes mnemonic prefixes: "&&" is "&", "&x" is x with an underline.
Paragraph StripPrefixes(std::u16string_view text, bool hideUnderline) {
  Paragraph p;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&' && !hideUnderline) p.underline = static_cast<int>(p.text.size());
    } else if (text[i] == u'&') {
      continue;  // a prefix with nothing after it
    }
    p.text.push_back(text[i]);
  }
  return p;
}

TextLine MakeLine(const RealizedFont& font, std::u16string text, UINT format, int tabChars, int underline) {
  TextLine line;
  line.advances = font.Advances(text);
  const int tab = std::max(1, tabChars * font.Metrics().aveCharWidth);
  int x = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\t' && (format & DT_EXPANDTABS)) line.advances[i] = (x / tab + 1) * tab - x;
    else if (text[i] == u'\r' || text[i] == u'\n') line.advances[i] = 0;
    x += line.advances[i];
  }
  line.width = x;
  line.text = std::move(text);
  line.underline = underline;
  return line;
}

// Breaks one paragraph into lines no wider than `width` where it can.
void WrapParagraph(const RealizedFont& font, const Paragraph& para, UINT format, int tabChars, int width,
                   std::vector<TextLine>& out) {
  const TextLine whole = MakeLine(font, para.text, format, tabChars, para.underline);
  const std::u16string& s = whole.text;
  const bool byChar = (format & DT_EDITCONTROL) != 0;
  constexpr size_t kNone = std::u16string::npos;
  size_t start = 0;
  while (true) {
    if (start > 0) {
      // The spaces where a line was broken belong to neither line.
      while (start < s.size() && s[start] == u' ') ++start;
      if (start >= s.size()) break;
    }
    int x = 0;
    size_t breakAt = kNone;  // the latest place the line may end
    size_t end = s.size();
    for (size_t i = start; i < s.size(); ++i) {
      if (i > start && ((s[i - 1] == u' ' && s[i] != u' ') || IsCjk(s[i]) || IsCjk(s[i - 1]))) breakAt = i;
      if (s[i] != u' ' && x + whole.advances[i] > width && i > start) {
        if (breakAt != kNone) {
          end = breakAt;
          break;
        }
        if (byChar) {
          end = i;
          break;
        }
      }
      x += whole.advances[i];
    }
    size_t visibleEnd = end;
    while (visibleEnd > start && s[visibleEnd - 1] == u' ') --visibleEnd;
    const int underline =
        (para.underline >= static_cast<int>(start) && para.underline < static_cast<int>(visibleEnd))
            ? para.underline - static_cast<int>(start)
            : -1;
    out.push_back(MakeLine(font, s.substr(start, visibleEnd - start), format, tabChars, underline));
    if (end >= s.size()) break;
    start = end;
  }
}

}  // namespace

std::vector<TextLine> LayoutText(const RealizedFont& font, std::u16string_view text, UINT format, int width) {
  // With DT_TABSTOP the tab size travels in bits 8-15, which then hold no flags.
  const int tabChars = (format & DT_TABSTOP) ? std::max(1, static_cast<int>((format >> 8) & 0xFF)) : 8;
  if (format & DT_TABSTOP) format &= ~0xFF00u;
  std::vector<Paragraph> paragraphs;
  const bool prefixes = (format & DT_NOPREFIX) == 0;
  auto add = [&](std::u16string_view part) {
    if (prefixes) paragraphs.push_back(StripPrefixes(part, (format & DT_HIDEPREFIX) != 0));
    else paragraphs.push_back(Paragraph{std::u16string(part), -1});
  };
  if (format & DT_SINGLELINE) {
    add(text);
  } else {
    size_t begin = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
        add(text.substr(begin, i - begin));
        if (i == text.size()) break;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        begin = i + 1;
      }
    }
  }
  std::vector<TextLine> lines;
  for (const auto& p : paragraphs) {
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) WrapParagraph(font, p, format, tabChars, width, lines);
    else lines.push_back(MakeLine(font, p.text, format, tabChars, p.underline));
  }
  return lines;
}

}  // namespace platform
