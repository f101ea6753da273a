// Conversions between the three encodings the libraries meet: GBK (the
// multibyte code page of the drafting library and its files), UTF-16 (the
// wide strings of the diagram library) and UTF-8 (what Linux shows a user).
#pragma once

#include <string>
#include <string_view>

#include "platform/core/WinTypes.h"

namespace platform {

// The code page that "ANSI" texts of the process use: GBK, as on the host's
// Chinese Windows installations.
constexpr UINT kAnsiCodePage = 936;

// Each conversion replaces a sequence it cannot convert with '?' (U+003F),
// as the Windows conversion functions do by default, and never fails.
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// True when `c` opens a double-byte GBK character.
constexpr bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Length in code units of a NUL-terminated UTF-16 string.
size_t Utf16Length(const WCHAR* s);

}  // namespace platform
