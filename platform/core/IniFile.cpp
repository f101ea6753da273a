#include "platform/core/IniFile.h"

#include "platform/core/Charset.h"

namespace platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t len;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    // Overlong forms, surrogates and values past the last code point.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += len;
  }
  return true;
}

std::u16string Decode(std::string_view bytes) {
  return IsValidUtf8(bytes) ? Utf8ToUtf16(bytes) : GbkToUtf16(bytes);
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }

bool Quoted(std::u16string_view v) { return v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back(); }

bool HasLineBreak(std::u16string_view s) { return s.find_first_of(u"\r\n") != std::u16string_view::npos; }

}  // namespace

IniFile::Line IniFile::ParseLine(std::string raw) {
  Line line;
  std::string_view bytes = raw;
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  std::u16string text = Decode(bytes);
  std::u16string_view t = Trim(text);
  if (!t.empty() && t.front() == u'[') {
    size_t close = t.find(u']');
    if (close != std::u16string_view::npos) {
      line.kind = Kind::Section;
      line.name = Trim(t.substr(1, close - 1));
    }
  } else if (!t.empty() && t.front() != u';') {
    size_t eq = t.find(u'=');
    if (eq != std::u16string_view::npos && !Trim(t.substr(0, eq)).empty()) {
      line.kind = Kind::Entry;
      line.name = Trim(t.substr(0, eq));
      std::u16string_view v = Trim(t.substr(eq + 1));
      if (Quoted(v)) v = v.substr(1, v.size() - 2);
      line.value = v;
    }
  }
  line.raw = std::move(raw);
  return line;
}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile file;
  bool endSeen = false;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t nl = bytes.find('\n', start);
    size_t end = nl == std::string_view::npos ? bytes.size() : nl;
    std::string raw(bytes.substr(start, end - start));
    if (nl != std::string_view::npos) {
      bool crlf = !raw.empty() && raw.back() == '\r';
      if (crlf) raw.pop_back();
      if (!endSeen) file.lineEnd_ = crlf ? "\r\n" : "\n";
      endSeen = true;
    }
    file.lines_.push_back(ParseLine(std::move(raw)));
    start = end + 1;
  }
  return file;
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.raw;
    out += lineEnd_;
  }
  return out;
}

std::vector<size_t> IniFile::Sections(std::u16string_view section) const {
  std::vector<size_t> found;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, section)) found.push_back(i);
  return found;
}

size_t IniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

std::optional<std::u16string> IniFile::Get(std::u16string_view section, std::u16string_view key) const {
  for (size_t header : Sections(section))
    for (size_t i = header + 1; i < SectionEnd(header); ++i)
      if (lines_[i].kind == Kind::Entry && SameName(lines_[i].name, key)) return lines_[i].value;
  return std::nullopt;
}

IniFile::Line IniFile::MakeSection(std::u16string_view section) {
  Line line;
  line.kind = Kind::Section;
  line.name = section;
  line.raw = "[" + Utf16ToUtf8(section) + "]";
  return line;
}

IniFile::Line IniFile::MakeEntry(std::u16string_view key, std::u16string_view value) {
  Line line;
  line.kind = Kind::Entry;
  line.name = key;
  line.value = value;
  // Quotes keep blanks at either end, and quotes that reading would strip.
  bool quote = Trim(value).size() != value.size() || Quoted(value);
  line.raw = Utf16ToUtf8(key) + "=" + (quote ? "\"" : "") + Utf16ToUtf8(value) + (quote ? "\"" : "");
  return line;
}

bool IniFile::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  if (section.empty() || Trim(section).size() != section.size() || HasLineBreak(section) ||
      section.find(u']') != std::u16string_view::npos)
    return false;
  if (key.empty() || Trim(key).size() != key.size() || HasLineBreak(key) || key.find(u'=') != std::u16string_view::npos ||
      key.front() == u'[' || key.front() == u';')
    return false;
  if (HasLineBreak(value)) return false;

  std::vector<size_t> headers = Sections(section);
  for (size_t header : headers) {
    for (size_t i = header + 1; i < SectionEnd(header); ++i) {
      if (lines_[i].kind == Kind::Entry && SameName(lines_[i].name, key)) {
        if (lines_[i].value != value) lines_[i] = MakeEntry(key, value);
        return true;
      }
    }
  }
  if (!headers.empty()) {
    // After the last entry of the first section of that name.
    size_t at = headers.front() + 1;
    for (size_t i = at; i < SectionEnd(headers.front()); ++i)
      if (lines_[i].kind == Kind::Entry) at = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeEntry(key, value));
    return true;
  }
  if (!lines_.empty() && !Trim(Decode(lines_.back().raw)).empty()) lines_.push_back(Line());
  lines_.push_back(MakeSection(section));
  lines_.push_back(MakeEntry(key, value));
  return true;
}

void IniFile::Remove(std::u16string_view section, std::u16string_view key) {
  std::vector<Line> kept;
  bool inSection = false;
  for (Line& line : lines_) {
    if (line.kind == Kind::Section) inSection = SameName(line.name, section);
    if (inSection && line.kind == Kind::Entry && SameName(line.name, key)) continue;
    kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

void IniFile::RemoveSection(std::u16string_view section) {
  std::vector<Line> kept;
  bool inSection = false;
  for (Line& line : lines_) {
    if (line.kind == Kind::Section) inSection = SameName(line.name, section);
    if (!inSection) kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

}  // namespace platform
