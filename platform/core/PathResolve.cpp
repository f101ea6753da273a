#include "platform/core/PathResolve.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cwctype>
#include <locale.h>
#include <memory>
#include <vector>

#include "platform/core/Charset.h"

namespace platform {
namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.empty() ? "." : path.c_str(), &st) == 0;
}

// A locale that knows the case of every character, for folding names.
locale_t FoldLocale() {
  static const locale_t loc = [] {
    locale_t l = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l;
  }();
  return loc;
}

std::u16string Fold(std::string_view utf8) {
  std::u16string s = Utf8ToUtf16(utf8);
  locale_t loc = FoldLocale();
  for (char16_t& c : s) {
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    } else if (loc && (c < 0xD800 || c > 0xDFFF)) {
      c = static_cast<char16_t>(::towupper_l(static_cast<wint_t>(c), loc));
    }
  }
  return s;
}

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The entry of `dir` whose name equals `name` without regard to case, or an
// empty string.
std::string FindNoCase(const std::string& dir, const std::string& name) {
  std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
  if (!d) return {};
  std::string best;
  while (dirent* e = ::readdir(d.get())) {
    std::string_view entry(e->d_name);
    if (entry == "." || entry == "..") continue;
    if (FileNamesEqualNoCase(entry, name) && (best.empty() || entry < best)) best = entry;
  }
  return best;
}

std::string Join(const std::string& prefix, const std::string& component) {
  if (prefix.empty()) return component;
  if (prefix.back() == '/') return prefix + component;
  return prefix + "/" + component;
}

}  // namespace

std::u16string FoldFileName(std::string_view utf8) { return Fold(utf8); }

bool FileNamesEqualNoCase(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
             return up(x) == up(y);
           });
  }
  return Fold(a) == Fold(b);
}

std::string ResolveUtf8Path(std::string_view utf8Path) {
  std::string path(utf8Path);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || Exists(path)) return path;

  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    if (slash > start) parts.emplace_back(path.substr(start, slash - start));
    start = slash + 1;
  }

  std::string result = path[0] == '/' ? "/" : "";
  bool matching = true;  // false once a component matched nothing
  for (const std::string& part : parts) {
    if (part == "." || part == ".." || !matching) {
      result = Join(result, part);
      continue;
    }
    std::string exact = Join(result, part);
    if (Exists(exact)) {
      result = exact;
      continue;
    }
    std::string found = FindNoCase(result, part);
    if (found.empty()) {
      matching = false;
      result = exact;
    } else {
      result = Join(result, found);
    }
  }
  if (path.size() > 1 && path.back() == '/' && result.back() != '/') result += '/';
  return result;
}

std::string ResolvePath(LPCSTR gbkPath) { return ResolveUtf8Path(gbkPath ? GbkToUtf8(gbkPath) : std::string()); }

std::string ResolvePath(LPCWSTR utf16Path) {
  return ResolveUtf8Path(utf16Path ? Utf16ToUtf8(utf16Path) : std::string());
}

}  // namespace platform
