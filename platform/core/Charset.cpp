#include "platform/core/Charset.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace platform {
namespace {

// One iconv conversion. iconv descriptors are not thread-safe, so each call
// opens its own; the conversions are short and rare enough for that.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in` (inUnit-byte units), writing '?' in the target encoding for
  // each unit that cannot be converted.
  std::string Run(const char* in, size_t inBytes, size_t inUnit, const std::string& question) {
    std::string out;
    out.resize(inBytes * 2 + 16);
    char* src = const_cast<char*>(in);
    size_t srcLeft = inBytes;
    size_t used = 0;
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      size_t dstLeft = out.size() - used;
      size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (r != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
      } else {
        // EILSEQ or EINVAL (truncated sequence): skip one unit, write '?'.
        size_t skip = inUnit < srcLeft ? inUnit : srcLeft;
        src += skip;
        srcLeft -= skip;
        if (out.size() - used < question.size()) out.resize(out.size() * 2 + question.size());
        out.replace(used, question.size(), question);
        used += question.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

const std::string kQuestionGbk = "?";
const std::string kQuestionUtf16("?\0", 2);

std::u16string BytesToU16(const std::string& bytes) {
  std::u16string s(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < s.size(); ++i) {
    s[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return s;
}

std::string U16ToBytes(std::u16string_view s) {
  std::string bytes(s.size() * 2, '\0');
  for (size_t i = 0; i < s.size(); ++i) {
    bytes[2 * i] = static_cast<char>(s[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(s[i] >> 8);
  }
  return bytes;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  if (gbk.empty()) return {};
  Converter c("UTF-16LE", "GBK");
  return BytesToU16(c.Run(gbk.data(), gbk.size(), 1, kQuestionUtf16));
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  Converter c("GBK", "UTF-16LE");
  std::string bytes = U16ToBytes(utf16);
  return c.Run(bytes.data(), bytes.size(), 2, kQuestionGbk);
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  Converter c("UTF-8", "UTF-16LE");
  std::string bytes = U16ToBytes(utf16);
  return c.Run(bytes.data(), bytes.size(), 2, kQuestionGbk);
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  Converter c("UTF-16LE", "UTF-8");
  return BytesToU16(c.Run(utf8.data(), utf8.size(), 1, kQuestionUtf16));
}

std::string GbkToUtf8(std::string_view gbk) { return Utf16ToUtf8(GbkToUtf16(gbk)); }

std::string Utf8ToGbk(std::string_view utf8) { return Utf16ToGbk(Utf8ToUtf16(utf8)); }

size_t Utf16Length(const WCHAR* s) {
  size_t n = 0;
  if (s)
    while (s[n]) ++n;
  return n;
}

}  // namespace platform
