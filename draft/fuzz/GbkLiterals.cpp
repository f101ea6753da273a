// A build tool of the fuzz build: copies a UTF-8 source file of the
// multibyte library with every plain narrow string or character literal
// that holds non-ASCII text rewritten as GBK bytes in octal escapes
// ("明" becomes "\303\367"). The fuzz build's compiler turns narrow literals
// into UTF-8 only, and the library's texts (file magics, messages) must be
// the GBK bytes the regular build makes. Wide and UTF literals (L, u, U, u8)
// and comments are copied unchanged.
//
//   gbk_literals INPUT OUTPUT
#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

bool ToGbk(const std::string& utf8, std::string& gbk) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in = utf8;
  gbk.assign(in.size() * 2 + 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = gbk.data();
  size_t dstLeft = gbk.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || srcLeft != 0) return false;
  gbk.resize(gbk.size() - dstLeft);
  return true;
}

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The identifier that ends right before position `at`.
std::string PrefixBefore(const std::string& s, size_t at) {
  size_t b = at;
  while (b > 0 && IsIdentChar(s[b - 1])) --b;
  return s.substr(b, at - b);
}

class Converter {
 public:
  explicit Converter(const std::string& src) : s_(src) {}

  // False with `error` set for text GBK cannot hold or an unclosed literal.
  bool Run(std::string& out, std::string& error) {
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (c == '/' && Peek(1) == '/') {
        CopyUntil("\n");
      } else if (c == '/' && Peek(1) == '*') {
        out_ += "/*";
        i_ += 2;
        CopyUntil("*/");
      } else if (c == '"') {
        const std::string prefix = PrefixBefore(s_, i_);
        if (!prefix.empty() && prefix.back() == 'R' && IsLiteralPrefix(prefix.substr(0, prefix.size() - 1))) {
          if (!RawString(prefix.size() == 1, error)) return false;
        } else if (!Quoted('"', IsLiteralPrefix(prefix) && !prefix.empty(), error)) {
          return false;
        }
      } else if (c == '\'') {
        const std::string prefix = PrefixBefore(s_, i_);
        // A quote after a number is a digit separator (1'000).
        if (!prefix.empty() && !IsLiteralPrefix(prefix)) {
          out_ += c;
          ++i_;
        } else if (!Quoted('\'', !prefix.empty(), error)) {
          return false;
        }
      } else {
        out_ += c;
        ++i_;
      }
    }
    out = std::move(out_);
    return true;
  }

 private:
  static bool IsLiteralPrefix(const std::string& p) { return p.empty() || p == "L" || p == "u" || p == "U" || p == "u8"; }

  char Peek(size_t ahead) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }

  void CopyUntil(const char* end) {
    const size_t at = s_.find(end, i_);
    const size_t stop = at == std::string::npos ? s_.size() : at + std::char_traits<char>::length(end);
    out_.append(s_, i_, stop - i_);
    i_ = stop;
  }

  // A quoted literal from its opening quote; `keep` copies it as it is.
  bool Quoted(char quote, bool keep, std::string& error) {
    out_ += quote;
    ++i_;
    while (i_ < s_.size() && s_[i_] != quote) {
      const unsigned char c = static_cast<unsigned char>(s_[i_]);
      if (c == '\n') break;
      if (c == '\\' && i_ + 1 < s_.size()) {
        out_.append(s_, i_, 2);
        i_ += 2;
      } else if (c >= 0x80 && !keep) {
        size_t end = i_;
        while (end < s_.size() && static_cast<unsigned char>(s_[end]) >= 0x80) ++end;
        std::string gbk;
        if (!ToGbk(s_.substr(i_, end - i_), gbk)) {
          error = "text that GBK cannot hold: " + s_.substr(i_, end - i_);
          return false;
        }
        for (unsigned char b : gbk) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\%03o", b);
          out_ += escape;
        }
        i_ = end;
      } else {
        out_ += static_cast<char>(c);
        ++i_;
      }
    }
    if (i_ >= s_.size() || s_[i_] != quote) {
      error = "unclosed literal";
      return false;
    }
    out_ += quote;
    ++i_;
    return true;
  }

  // A raw string, copied as it is; a plain one may hold ASCII only.
  bool RawString(bool plain, std::string& error) {
    const size_t open = s_.find('(', i_);
    if (open == std::string::npos) {
      error = "unclosed raw string";
      return false;
    }
    const std::string close = ")" + s_.substr(i_ + 1, open - i_ - 1) + "\"";
    const size_t at = s_.find(close, open);
    if (at == std::string::npos) {
      error = "unclosed raw string";
      return false;
    }
    const size_t stop = at + close.size();
    for (size_t k = i_; plain && k < stop; ++k)
      if (static_cast<unsigned char>(s_[k]) >= 0x80) {
        error = "a raw string with non-ASCII text";
        return false;
      }
    out_.append(s_, i_, stop - i_);
    i_ = stop;
    return true;
  }

  const std::string& s_;
  size_t i_ = 0;
  std::string out_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gbk_literals INPUT OUTPUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "gbk_literals: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string src((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string out, error;
  if (!Converter(src).Run(out, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const std::filesystem::path target(argv[2]);
  std::filesystem::create_directories(target.parent_path());
  const std::string temp = target.string() + ".tmp";
  {
    std::ofstream o(temp, std::ios::binary | std::ios::trunc);
    o.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!o) {
      std::fprintf(stderr, "gbk_literals: cannot write %s\n", temp.c_str());
      return 1;
    }
  }
  std::filesystem::rename(temp, target);
  return 0;
}
