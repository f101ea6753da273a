// The framework's string: CStringA holds bytes (GBK text in the multibyte
// build), CStringW holds UTF-16 code units. `CString` is the flavour of the
// translation unit that includes this header (UNICODE selects CStringW).
//
// CStringA is aware of GBK double-byte characters: searches never match a
// trail byte, and case folding touches ASCII letters only, as the multibyte
// run-time functions do.
#pragma once

#include <compare>
#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/core/WinTypes.h"

template <typename CharT>
class CStringT;

namespace platform {

// The character type of the other flavour.
template <typename CharT>
using OtherChar = std::conditional_t<std::is_same_v<CharT, char>, WCHAR, char>;

// printf-style formatting with the framework's conventions: %s is a string of
// the format's own character type, %S and %ls/%hs name the other or a given
// type, 'l' with an integer conversion is 32 bits (LONG), I64 is 64 bits.
std::string FormatA(const char* format, va_list args);
std::u16string FormatW(const WCHAR* format, va_list args);
std::string FormatMessageA(const char* format, va_list args);
std::u16string FormatMessageW(const WCHAR* format, va_list args);

// Looks up a string resource by id along the resource chain (see the
// module registry); false when there is none.
bool LoadStringResource(UINT id, std::u16string& out);

}  // namespace platform

template <typename CharT>
class CStringT {
 public:
  using XCHAR = CharT;
  using YCHAR = platform::OtherChar<CharT>;
  using PXSTR = CharT*;
  using PCXSTR = const CharT*;
  using StdString = std::basic_string<CharT>;

  CStringT() = default;
  CStringT(const CStringT&) = default;
  CStringT(CStringT&&) noexcept = default;
  CStringT(PCXSTR s) { Assign(s); }
  CStringT(const YCHAR* s) { AssignOther(s); }
  CStringT(PCXSTR s, int length) : s_(s ? StdString(s, length > 0 ? length : 0) : StdString()) {}
  CStringT(CharT ch, int repeat = 1) : s_(repeat > 0 ? repeat : 0, ch) {}
  CStringT(const CStringT<YCHAR>& other) : CStringT(other.GetString()) {}
  explicit CStringT(const StdString& s) : s_(s) {}
  explicit CStringT(std::basic_string_view<CharT> s) : s_(s) {}

  CStringT& operator=(const CStringT&) = default;
  CStringT& operator=(CStringT&&) noexcept = default;
  CStringT& operator=(PCXSTR s) { Assign(s); return *this; }
  CStringT& operator=(const YCHAR* s) { *this = CStringT(s); return *this; }
  CStringT& operator=(CharT ch) { s_.assign(1, ch); return *this; }
  CStringT& operator=(const CStringT<YCHAR>& other) { *this = CStringT(other); return *this; }

  // Access.
  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  PCXSTR GetString() const { return s_.c_str(); }
  operator PCXSTR() const { return s_.c_str(); }
  CharT GetAt(int i) const { return s_.at(static_cast<size_t>(i)); }
  CharT operator[](int i) const { return GetAt(i); }
  void SetAt(int i, CharT ch) { s_.at(static_cast<size_t>(i)) = ch; }
  const StdString& str() const { return s_; }

  // Direct buffer access: GetBuffer(n) gives room for at least n characters
  // and a terminating zero; ReleaseBuffer(-1) takes the length up to the zero.
  PXSTR GetBuffer(int minLength = 0);
  PXSTR GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);
  void Preallocate(int length) { if (length > 0) s_.reserve(static_cast<size_t>(length)); }
  void FreeExtra() { s_.shrink_to_fit(); }

  // Concatenation.
  CStringT& operator+=(const CStringT& s) { s_ += s.s_; return *this; }
  CStringT& operator+=(PCXSTR s) { if (s) s_ += s; return *this; }
  CStringT& operator+=(CharT ch) { s_ += ch; return *this; }
  CStringT& operator+=(const YCHAR* s) { return *this += CStringT(s); }
  void Append(PCXSTR s) { *this += s; }
  void Append(PCXSTR s, int n) { if (s && n > 0) s_.append(s, static_cast<size_t>(n)); }
  void AppendChar(CharT ch) { s_ += ch; }

  // Comparison: Compare orders by code unit (bytes unsigned); CompareNoCase
  // folds ASCII letters only.
  int Compare(PCXSTR s) const;
  int CompareNoCase(PCXSTR s) const;
  int Collate(PCXSTR s) const { return Compare(s); }
  int CollateNoCase(PCXSTR s) const { return CompareNoCase(s); }

  // Extraction; counts are clamped to the string as the framework does.
  CStringT Mid(int first) const { return Mid(first, GetLength()); }
  CStringT Mid(int first, int count) const;
  CStringT Left(int count) const { return Mid(0, count); }
  CStringT Right(int count) const;
  CStringT SpanIncluding(PCXSTR set) const;
  CStringT SpanExcluding(PCXSTR set) const;
  CStringT Tokenize(PCXSTR tokens, int& start) const;

  // Searching; -1 when not found.
  int Find(CharT ch, int start = 0) const;
  int Find(PCXSTR sub, int start = 0) const;
  int ReverseFind(CharT ch) const;
  int FindOneOf(PCXSTR set) const;

  // Changing.
  CStringT& MakeUpper();
  CStringT& MakeLower();
  CStringT& MakeReverse();
  int Replace(CharT oldCh, CharT newCh);
  int Replace(PCXSTR oldStr, PCXSTR newStr);
  int Remove(CharT ch);
  int Insert(int index, CharT ch);
  int Insert(int index, PCXSTR s);
  int Delete(int index, int count = 1);
  CStringT& Trim() { TrimRight(); return TrimLeft(); }
  CStringT& Trim(CharT ch) { TrimRight(ch); return TrimLeft(ch); }
  CStringT& Trim(PCXSTR set) { TrimRight(set); return TrimLeft(set); }
  CStringT& TrimLeft();
  CStringT& TrimLeft(CharT ch);
  CStringT& TrimLeft(PCXSTR set);
  CStringT& TrimRight();
  CStringT& TrimRight(CharT ch);
  CStringT& TrimRight(PCXSTR set);
  void Truncate(int length) { if (length >= 0 && length < GetLength()) s_.resize(static_cast<size_t>(length)); }

  // Formatting.
  void Format(PCXSTR format, ...);
  void AppendFormat(PCXSTR format, ...);
  void FormatV(PCXSTR format, va_list args);
  void AppendFormatV(PCXSTR format, va_list args);
  // The message form: %1 to %99 insert the arguments in that order (as
  // strings, or with a printf spec between exclamation marks, "%1!d!"), %%
  // is a percent sign and %n a line break.
  void FormatMessage(PCXSTR format, ...);
  void FormatMessageV(PCXSTR format, va_list args);

  // Loads the string resource `id` from the resource chain; false (and the
  // string unchanged) when there is none.
  BOOL LoadString(UINT id);

  friend CStringT operator+(const CStringT& a, const CStringT& b) { CStringT r(a); r += b; return r; }
  friend CStringT operator+(const CStringT& a, PCXSTR b) { CStringT r(a); r += b; return r; }
  friend CStringT operator+(PCXSTR a, const CStringT& b) { CStringT r(a); r += b; return r; }
  friend CStringT operator+(const CStringT& a, CharT b) { CStringT r(a); r += b; return r; }
  friend CStringT operator+(CharT a, const CStringT& b) { CStringT r(a); r += b; return r; }

  friend bool operator==(const CStringT& a, const CStringT& b) { return a.s_ == b.s_; }
  friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(PCXSTR a, const CStringT& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
  friend bool operator!=(const CStringT& a, PCXSTR b) { return !(a == b); }
  friend bool operator!=(PCXSTR a, const CStringT& b) { return !(b == a); }
  // Ordering by Compare; also what std::pair and std::tuple of strings use
  // (without it they would compare the converted pointers).
  friend std::strong_ordering operator<=>(const CStringT& a, const CStringT& b) { return a.Compare(b) <=> 0; }

 private:
  void Assign(PCXSTR s);
  // Takes a text of the other flavour, converting through GBK.
  void AssignOther(const YCHAR* s);
  // Length in code units of the character at `i` (2 for a GBK double-byte
  // character in CStringA, else 1).
  int CharLength(int i) const;
  bool IsCharStart(int i) const;

  StdString s_;
};

using CStringA = CStringT<char>;
using CStringW = CStringT<WCHAR>;

#if defined(UNICODE) || defined(_UNICODE)
using CString = CStringW;
#else
using CString = CStringA;
#endif

extern template class CStringT<char>;
extern template class CStringT<WCHAR>;


namespace std {
template <typename CharT>
struct hash<CStringT<CharT>> {
  size_t operator()(const CStringT<CharT>& s) const noexcept { return hash<basic_string<CharT>>()(s.str()); }
};
}  // namespace std
