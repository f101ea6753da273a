// printf-style formatting for both string flavours, with the framework's
// conventions for string arguments and 32-bit LONG.
#include <algorithm>
#include <cstdio>
#include <vector>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/String.h"

namespace platform {
namespace {

template <typename CharT>
std::basic_string<CharT> Widen(const std::string& ascii) {
  if constexpr (std::is_same_v<CharT, char>) {
    return ascii;
  } else {
    return std::basic_string<CharT>(ascii.begin(), ascii.end());
  }
}

// Converts a string argument of either type to the output type.
template <typename CharT>
std::basic_string<CharT> StringArg(const void* p, bool wide) {
  if (!p) return Widen<CharT>("(null)");
  if constexpr (std::is_same_v<CharT, char>) {
    return wide ? Utf16ToGbk(static_cast<const WCHAR*>(p)) : std::string(static_cast<const char*>(p));
  } else {
    return wide ? std::u16string(static_cast<const WCHAR*>(p)) : GbkToUtf16(static_cast<const char*>(p));
  }
}

template <typename CharT>
void Pad(std::basic_string<CharT>& out, std::basic_string<CharT> text, int width, int precision, bool left) {
  if (precision >= 0 && static_cast<int>(text.size()) > precision) text.resize(static_cast<size_t>(precision));
  int fill = width - static_cast<int>(text.size());
  if (fill > 0 && !left) out.append(static_cast<size_t>(fill), CharT(' '));
  out += text;
  if (fill > 0 && left) out.append(static_cast<size_t>(fill), CharT(' '));
}

template <typename CharT>
std::basic_string<CharT> FormatImpl(const CharT* f, va_list argsIn) {
  va_list args;
  va_copy(args, argsIn);
  std::basic_string<CharT> out;
  constexpr bool kWideFormat = !std::is_same_v<CharT, char>;
  while (*f) {
    if (*f != '%') {
      out += *f++;
      continue;
    }
    const CharT* specStart = f++;
    if (*f == '%') {
      out += CharT('%');
      ++f;
      continue;
    }
    std::string spec = "%";
    bool left = false;
    while (*f == '-' || *f == '+' || *f == ' ' || *f == '#' || *f == '0') {
      if (*f == '-') left = true;
      spec += static_cast<char>(*f++);
    }
    int width = -1;
    if (*f == '*') {
      width = va_arg(args, int);
      if (width < 0) {
        left = true;
        spec += '-';
        width = -width;
      }
      spec += std::to_string(width);
      ++f;
    } else {
      if (*f >= '0' && *f <= '9') width = 0;
      while (*f >= '0' && *f <= '9') {
        width = width * 10 + (*f - '0');
        spec += static_cast<char>(*f++);
      }
    }
    int precision = -1;
    if (*f == '.') {
      spec += '.';
      ++f;
      precision = 0;
      if (*f == '*') {
        precision = va_arg(args, int);
        if (precision < 0) precision = -1;
        spec += std::to_string(precision < 0 ? 0 : precision);
        ++f;
      } else {
        while (*f >= '0' && *f <= '9') {
          precision = precision * 10 + (*f - '0');
          spec += static_cast<char>(*f++);
        }
      }
    }
    // Length modifiers. 'l' on an integer is LONG, 32 bits as on Windows.
    enum class Len { kNone, kShort, kChar, kLong64, kPtr, kNarrow, kWide } len = Len::kNone;
    bool longFlag = false;
    for (;;) {
      if (*f == 'h') {
        len = (len == Len::kShort) ? Len::kChar : Len::kShort;
        ++f;
      } else if (*f == 'l') {
        if (longFlag) len = Len::kLong64;
        longFlag = true;
        ++f;
      } else if (*f == 'L' || *f == 'w') {
        longFlag = true;
        ++f;
      } else if (*f == 'I' && f[1] == '6' && f[2] == '4') {
        len = Len::kLong64;
        f += 3;
      } else if (*f == 'I' && f[1] == '3' && f[2] == '2') {
        f += 3;
      } else if (*f == 'I' || *f == 'z' || *f == 't' || *f == 'j') {
        len = Len::kPtr;
        ++f;
      } else {
        break;
      }
    }
    CharT conv = *f;
    if (!conv) {
      out.append(specStart, f);
      break;
    }
    ++f;
    char buf[512];
    switch (conv) {
      case 'd':
      case 'i':
      case 'u':
      case 'o':
      case 'x':
      case 'X': {
        bool isSigned = conv == 'd' || conv == 'i';
        spec += (len == Len::kLong64 || len == Len::kPtr) ? "ll" : "";
        spec += static_cast<char>(conv);
        if (len == Len::kLong64) {
          long long v = va_arg(args, long long);
          snprintf(buf, sizeof buf, spec.c_str(), v);
        } else if (len == Len::kPtr) {
          long long v = isSigned ? static_cast<long long>(va_arg(args, intptr_t))
                                 : static_cast<long long>(va_arg(args, uintptr_t));
          snprintf(buf, sizeof buf, spec.c_str(), v);
        } else {
          int v = va_arg(args, int);
          if (len == Len::kShort) v = isSigned ? static_cast<short>(v) : static_cast<unsigned short>(v);
          if (len == Len::kChar) v = isSigned ? static_cast<signed char>(v) : static_cast<unsigned char>(v);
          snprintf(buf, sizeof buf, spec.c_str(), v);
        }
        out += Widen<CharT>(buf);
        break;
      }
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A': {
        spec += static_cast<char>(conv);
        double v = va_arg(args, double);
        int n = snprintf(buf, sizeof buf, spec.c_str(), v);
        if (n >= static_cast<int>(sizeof buf)) {
          std::string big(static_cast<size_t>(n) + 1, '\0');
          snprintf(big.data(), big.size(), spec.c_str(), v);
          big.resize(static_cast<size_t>(n));
          out += Widen<CharT>(big);
        } else {
          out += Widen<CharT>(buf);
        }
        break;
      }
      case 'p': {
        snprintf(buf, sizeof buf, "%p", va_arg(args, void*));
        out += Widen<CharT>(buf);
        break;
      }
      case 'c':
      case 'C': {
        bool wide = (conv == 'c') ? kWideFormat : !kWideFormat;
        if (len == Len::kShort) wide = false;
        if (longFlag) wide = true;
        int v = va_arg(args, int);
        std::basic_string<CharT> text;
        if (wide) {
          WCHAR w[2] = {static_cast<WCHAR>(v), 0};
          text = StringArg<CharT>(w, true);
        } else {
          char c[2] = {static_cast<char>(v), 0};
          text = StringArg<CharT>(c, false);
        }
        Pad(out, text, width, -1, left);
        break;
      }
      case 's':
      case 'S': {
        bool wide = (conv == 's') ? kWideFormat : !kWideFormat;
        if (len == Len::kShort) wide = false;
        if (longFlag) wide = true;
        const void* p = va_arg(args, const void*);
        Pad(out, StringArg<CharT>(p, wide), width, precision, left);
        break;
      }
      case 'n':
        // Never writes through an argument.
        (void)va_arg(args, void*);
        break;
      default:
        out.append(specStart, f);
        break;
    }
  }
  va_end(args);
  return out;
}

template <typename CharT>
std::basic_string<CharT> FormatOne(const CharT* format, ...) {
  va_list args;
  va_start(args, format);
  std::basic_string<CharT> out = FormatImpl<CharT>(format, args);
  va_end(args);
  return out;
}

// One argument of a message format, read by the type its insert names.
struct MessageArg {
  enum Kind { Pointer, Int, Int64, Real } kind = Pointer;
  long long integer = 0;
  double real = 0;
  const void* pointer = nullptr;
};

template <typename CharT>
MessageArg::Kind KindOfSpec(const std::basic_string<CharT>& spec) {
  if (spec.empty()) return MessageArg::Pointer;
  const CharT conv = spec.back();
  const bool wide64 = spec.find(CharT('6')) != std::basic_string<CharT>::npos ||
                      spec.find(std::basic_string<CharT>{CharT('l'), CharT('l')}) != std::basic_string<CharT>::npos;
  switch (conv) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': case 'c': case 'C':
      return wide64 ? MessageArg::Int64 : MessageArg::Int;
    case 'e': case 'E': case 'f': case 'g': case 'G':
      return MessageArg::Real;
    default:
      return MessageArg::Pointer;
  }
}

// The message format of FormatMessage: %1 to %99 insert arguments (as
// strings, or as printf specs given between exclamation marks: %1!d!), %%
// is a percent sign, %n a line break, %0 ends the text, and % before any
// other character is that character.
template <typename CharT>
std::basic_string<CharT> FormatMessageImpl(const CharT* f, va_list argsIn) {
  using Str = std::basic_string<CharT>;
  std::vector<Str> specs(100);
  int highest = 0;
  auto readInsert = [&](size_t& i, int& index, Str& spec) {
    index = f[i] - '0';
    ++i;
    if (f[i] >= '0' && f[i] <= '9') index = index * 10 + (f[i++] - '0');
    spec.clear();
    if (f[i] == '!') {
      size_t end = i + 1;
      while (f[end] && f[end] != '!') ++end;
      if (f[end] == '!') {
        spec.assign(f + i + 1, f + end);
        i = end + 1;
      }
    }
  };
  const size_t length = std::char_traits<CharT>::length(f);
  for (size_t i = 0; i < length;) {
    if (f[i] != '%') {
      ++i;
      continue;
    }
    ++i;
    if (f[i] >= '1' && f[i] <= '9') {
      int index = 0;
      Str spec;
      readInsert(i, index, spec);
      if (specs[index].empty()) specs[index] = spec.empty() ? Str(1, CharT('s')) : spec;
      highest = std::max(highest, index);
    } else if (f[i]) {
      ++i;
    }
  }
  std::vector<MessageArg> values(static_cast<size_t>(highest) + 1);
  va_list args;
  va_copy(args, argsIn);
  for (int n = 1; n <= highest; ++n) {
    MessageArg& v = values[static_cast<size_t>(n)];
    v.kind = specs[n].empty() ? MessageArg::Pointer : KindOfSpec(specs[n]);
    switch (v.kind) {
      case MessageArg::Int: v.integer = va_arg(args, int); break;
      case MessageArg::Int64: v.integer = va_arg(args, long long); break;
      case MessageArg::Real: v.real = va_arg(args, double); break;
      case MessageArg::Pointer: v.pointer = va_arg(args, const void*); break;
    }
  }
  va_end(args);
  Str out;
  for (size_t i = 0; i < length;) {
    if (f[i] != '%') {
      out += f[i++];
      continue;
    }
    ++i;
    const CharT c = f[i];
    if (c == 0) break;
    if (c == '0') break;
    if (c == 'n') {
      out += CharT('\r');
      out += CharT('\n');
      ++i;
      continue;
    }
    if (c >= '1' && c <= '9') {
      int index = 0;
      Str spec;
      readInsert(i, index, spec);
      if (spec.empty()) spec = Str(1, CharT('s'));
      const MessageArg& v = values[static_cast<size_t>(index)];
      const Str one = Str(1, CharT('%')) + spec;
      switch (v.kind) {
        case MessageArg::Int: out += FormatOne<CharT>(one.c_str(), static_cast<int>(v.integer)); break;
        case MessageArg::Int64: out += FormatOne<CharT>(one.c_str(), v.integer); break;
        case MessageArg::Real: out += FormatOne<CharT>(one.c_str(), v.real); break;
        case MessageArg::Pointer: out += FormatOne<CharT>(one.c_str(), v.pointer); break;
      }
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

std::string FormatMessageA(const char* format, va_list args) { return FormatMessageImpl<char>(format, args); }

std::u16string FormatMessageW(const WCHAR* format, va_list args) { return FormatMessageImpl<WCHAR>(format, args); }

std::string FormatA(const char* format, va_list args) { return FormatImpl<char>(format, args); }

std::u16string FormatW(const WCHAR* format, va_list args) { return FormatImpl<WCHAR>(format, args); }

}  // namespace platform
