#include "platform/core/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/core/Charset.h"

namespace {

template <typename CharT>
size_t Length(const CharT* s) {
  return std::char_traits<CharT>::length(s);
}

template <typename CharT>
unsigned Unit(CharT c) {
  return static_cast<std::make_unsigned_t<CharT>>(c);
}

template <typename CharT>
CharT FoldAscii(CharT c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<CharT>(c + ('a' - 'A')) : c;
}

template <typename CharT>
bool IsSpace(CharT c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

template <typename CharT>
bool InSet(const CharT* set, CharT c) {
  if (!set) return false;
  for (; *set; ++set)
    if (*set == c) return true;
  return false;
}

// Steps from one character to the next: two bytes for a GBK double-byte
// character in a byte string (when the trail byte is there), else one unit.
inline int Step(const char* s, int i, int n) {
  return (platform::IsGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n) ? 2 : 1;
}
inline int Step(const WCHAR*, int, int) { return 1; }

template <typename CharT>
int CompareUnits(const CharT* a, const CharT* b, bool noCase) {
  int i = 0;
  for (;;) {
    unsigned ca = Unit(a[i]), cb = Unit(b[i]);
    if (ca == 0 || cb == 0) return ca == cb ? 0 : (ca < cb ? -1 : 1);
    if constexpr (std::is_same_v<CharT, char>) {
      // A double-byte character compares as it stands.
      if (platform::IsGbkLeadByte(static_cast<unsigned char>(ca))) {
        if (ca != cb) return ca < cb ? -1 : 1;
        unsigned ta = Unit(a[i + 1]), tb = Unit(b[i + 1]);
        if (ta != tb) return ta < tb ? -1 : 1;
        if (ta == 0) return 0;
        i += 2;
        continue;
      }
    }
    if (noCase) {
      ca = Unit(FoldAscii(a[i]));
      cb = Unit(FoldAscii(b[i]));
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
  }
}

}  // namespace

template <typename CharT>
void CStringT<CharT>::Assign(PCXSTR s) {
  if (!s) {
    s_.clear();
  } else if (IS_INTRESOURCE(s)) {
    // A resource id in the place of a text, as the framework accepts.
    s_.clear();
    LoadString(static_cast<UINT>(reinterpret_cast<uintptr_t>(s)));
  } else {
    s_.assign(s);
  }
}

template <typename CharT>
void CStringT<CharT>::AssignOther(const YCHAR* s) {
  s_.clear();
  if (!s) return;
  if constexpr (std::is_same_v<CharT, char>)
    s_ = platform::Utf16ToGbk(std::u16string_view(s));
  else
    s_ = platform::GbkToUtf16(std::string_view(s));
}

template <typename CharT>
int CStringT<CharT>::CharLength(int i) const {
  return Step(s_.c_str(), i, GetLength());
}

template <typename CharT>
bool CStringT<CharT>::IsCharStart(int i) const {
  int pos = 0;
  while (pos < i) pos += CharLength(pos);
  return pos == i;
}

template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBuffer(int minLength) {
  if (minLength > GetLength()) s_.resize(static_cast<size_t>(minLength), CharT(0));
  return s_.data();
}

template <typename CharT>
typename CStringT<CharT>::PXSTR CStringT<CharT>::GetBufferSetLength(int length) {
  s_.resize(static_cast<size_t>(std::max(length, 0)), CharT(0));
  return s_.data();
}

template <typename CharT>
void CStringT<CharT>::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(Length(s_.c_str()));
  s_.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

template <typename CharT>
int CStringT<CharT>::Compare(PCXSTR s) const {
  static const CharT empty[1] = {0};
  return CompareUnits(s_.c_str(), s ? s : empty, false);
}

template <typename CharT>
int CStringT<CharT>::CompareNoCase(PCXSTR s) const {
  static const CharT empty[1] = {0};
  return CompareUnits(s_.c_str(), s ? s : empty, true);
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Mid(int first, int count) const {
  first = std::max(first, 0);
  count = std::max(count, 0);
  int len = GetLength();
  if (first > len) first = len;
  if (count > len - first) count = len - first;
  return CStringT(s_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CStringT(s_.substr(static_cast<size_t>(GetLength() - count)));
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::SpanIncluding(PCXSTR set) const {
  int i = 0;
  while (i < GetLength() && InSet(set, s_[static_cast<size_t>(i)])) ++i;
  return Left(i);
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::SpanExcluding(PCXSTR set) const {
  int i = FindOneOf(set);
  return i < 0 ? *this : Left(i);
}

template <typename CharT>
CStringT<CharT> CStringT<CharT>::Tokenize(PCXSTR tokens, int& start) const {
  if (start < 0 || start >= GetLength()) {
    start = -1;
    return CStringT();
  }
  int i = start;
  while (i < GetLength() && InSet(tokens, s_[static_cast<size_t>(i)])) ++i;
  if (i >= GetLength()) {
    start = -1;
    return CStringT();
  }
  int end = i;
  while (end < GetLength() && !InSet(tokens, s_[static_cast<size_t>(end)])) end += CharLength(end);
  end = std::min(end, GetLength());
  start = end + 1;
  return Mid(i, end - i);
}

template <typename CharT>
int CStringT<CharT>::Find(CharT ch, int start) const {
  if (start < 0) start = 0;
  for (int i = 0; i < GetLength(); i += CharLength(i))
    if (i >= start && s_[static_cast<size_t>(i)] == ch) return i;
  return -1;
}

template <typename CharT>
int CStringT<CharT>::Find(PCXSTR sub, int start) const {
  if (!sub || start > GetLength()) return -1;
  if (start < 0) start = 0;
  size_t pos = static_cast<size_t>(start);
  for (;;) {
    pos = s_.find(sub, pos);
    if (pos == StdString::npos) return -1;
    if (IsCharStart(static_cast<int>(pos))) return static_cast<int>(pos);
    ++pos;
  }
}

template <typename CharT>
int CStringT<CharT>::ReverseFind(CharT ch) const {
  int found = -1;
  for (int i = 0; i < GetLength(); i += CharLength(i))
    if (s_[static_cast<size_t>(i)] == ch) found = i;
  return found;
}

template <typename CharT>
int CStringT<CharT>::FindOneOf(PCXSTR set) const {
  for (int i = 0; i < GetLength(); i += CharLength(i))
    if (InSet(set, s_[static_cast<size_t>(i)])) return i;
  return -1;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::MakeUpper() {
  for (int i = 0; i < GetLength(); i += CharLength(i)) {
    CharT& c = s_[static_cast<size_t>(i)];
    if (c >= 'a' && c <= 'z') c = static_cast<CharT>(c - ('a' - 'A'));
  }
  return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::MakeLower() {
  for (int i = 0; i < GetLength(); i += CharLength(i)) {
    CharT& c = s_[static_cast<size_t>(i)];
    c = FoldAscii(c);
  }
  return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::MakeReverse() {
  // Double-byte characters keep their byte order.
  StdString r;
  r.reserve(s_.size());
  for (int i = 0; i < GetLength();) {
    int n = CharLength(i);
    r.insert(0, s_, static_cast<size_t>(i), static_cast<size_t>(n));
    i += n;
  }
  s_.swap(r);
  return *this;
}

template <typename CharT>
int CStringT<CharT>::Replace(CharT oldCh, CharT newCh) {
  int count = 0;
  for (int i = 0; i < GetLength(); i += CharLength(i)) {
    if (s_[static_cast<size_t>(i)] == oldCh) {
      s_[static_cast<size_t>(i)] = newCh;
      ++count;
    }
  }
  return count;
}

template <typename CharT>
int CStringT<CharT>::Replace(PCXSTR oldStr, PCXSTR newStr) {
  if (!oldStr || !*oldStr) return 0;
  StdString repl = newStr ? StdString(newStr) : StdString();
  size_t oldLen = Length(oldStr);
  int count = 0;
  StdString out;
  int i = 0;
  while (i < GetLength()) {
    if (s_.compare(static_cast<size_t>(i), oldLen, oldStr) == 0) {
      out += repl;
      i += static_cast<int>(oldLen);
      ++count;
    } else {
      int n = CharLength(i);
      out.append(s_, static_cast<size_t>(i), static_cast<size_t>(n));
      i += n;
    }
  }
  s_.swap(out);
  return count;
}

template <typename CharT>
int CStringT<CharT>::Remove(CharT ch) {
  StdString out;
  int count = 0;
  for (int i = 0; i < GetLength();) {
    int n = CharLength(i);
    if (n == 1 && s_[static_cast<size_t>(i)] == ch)
      ++count;
    else
      out.append(s_, static_cast<size_t>(i), static_cast<size_t>(n));
    i += n;
  }
  s_.swap(out);
  return count;
}

template <typename CharT>
int CStringT<CharT>::Insert(int index, CharT ch) {
  index = std::clamp(index, 0, GetLength());
  s_.insert(static_cast<size_t>(index), 1, ch);
  return GetLength();
}

template <typename CharT>
int CStringT<CharT>::Insert(int index, PCXSTR s) {
  index = std::clamp(index, 0, GetLength());
  if (s) s_.insert(static_cast<size_t>(index), s);
  return GetLength();
}

template <typename CharT>
int CStringT<CharT>::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (count > 0 && index < GetLength()) s_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  return GetLength();
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft() {
  size_t i = 0;
  while (i < s_.size() && IsSpace(s_[i])) ++i;
  s_.erase(0, i);
  return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft(CharT ch) {
  size_t i = 0;
  while (i < s_.size() && s_[i] == ch) ++i;
  s_.erase(0, i);
  return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimLeft(PCXSTR set) {
  size_t i = 0;
  while (i < s_.size() && InSet(set, s_[i])) ++i;
  s_.erase(0, i);
  return *this;
}

// Trailing characters are found walking forward, so that the trail byte of a
// double-byte character is never taken for a single-byte one.
template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight() {
  int keep = 0;
  for (int i = 0; i < GetLength(); i += CharLength(i)) {
    if (CharLength(i) != 1 || !IsSpace(s_[static_cast<size_t>(i)])) keep = i + CharLength(i);
  }
  s_.resize(static_cast<size_t>(keep));
  return *this;
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight(CharT ch) {
  const CharT set[2] = {ch, 0};
  return TrimRight(set);
}

template <typename CharT>
CStringT<CharT>& CStringT<CharT>::TrimRight(PCXSTR set) {
  int keep = 0;
  for (int i = 0; i < GetLength(); i += CharLength(i)) {
    if (CharLength(i) != 1 || !InSet(set, s_[static_cast<size_t>(i)])) keep = i + CharLength(i);
  }
  s_.resize(static_cast<size_t>(keep));
  return *this;
}

template <typename CharT>
void CStringT<CharT>::FormatV(PCXSTR format, va_list args) {
  s_.clear();
  AppendFormatV(format, args);
}

template <typename CharT>
void CStringT<CharT>::AppendFormatV(PCXSTR format, va_list args) {
  if (!format) return;
  if constexpr (std::is_same_v<CharT, char>)
    s_ += platform::FormatA(format, args);
  else
    s_ += platform::FormatW(format, args);
}

template <typename CharT>
void CStringT<CharT>::FormatMessageV(PCXSTR format, va_list args) {
  if (!format) {
    s_.clear();
    return;
  }
  if constexpr (std::is_same_v<CharT, char>) {
    s_ = platform::FormatMessageA(format, args);
  } else {
    s_ = platform::FormatMessageW(format, args);
  }
}

template <typename CharT>
void CStringT<CharT>::FormatMessage(PCXSTR format, ...) {
  va_list args;
  va_start(args, format);
  FormatMessageV(format, args);
  va_end(args);
}

template <typename CharT>
void CStringT<CharT>::Format(PCXSTR format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

template <typename CharT>
void CStringT<CharT>::AppendFormat(PCXSTR format, ...) {
  va_list args;
  va_start(args, format);
  AppendFormatV(format, args);
  va_end(args);
}

template <typename CharT>
BOOL CStringT<CharT>::LoadString(UINT id) {
  std::u16string text;
  if (!platform::LoadStringResource(id, text)) return FALSE;
  if constexpr (std::is_same_v<CharT, char>)
    s_ = platform::Utf16ToGbk(text);
  else
    s_ = text;
  return TRUE;
}

template class CStringT<char>;
template class CStringT<WCHAR>;
