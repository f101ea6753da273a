// The application profile: integers and texts under section and entry names,
// kept in an INI file (IniFile.h, UTF-8) whose place the host sets. These are
// the application object's profile calls, as free functions that need no
// application object; the application class forwards to them.
//
// Reading never fails: a missing, unreadable or damaged file, or no file set,
// reads as the defaults. Writing never loses the file: the new text goes to a
// new file beside it, is flushed to the disk and then renamed over the old
// one; when anything fails the call returns FALSE and the old file is as it
// was. A file that exists but cannot be read (a folder in its place, no
// permission, larger than 16 MiB) is never written over.
//
// Section and entry names compare without regard to case. The A forms take
// GBK texts, the W forms UTF-16.
#pragma once

#include <filesystem>

#include "platform/core/String.h"

namespace platform {

// The profile file; an empty path means none (reads give the defaults,
// writes fail).
void SetProfilePath(const std::filesystem::path& file);
std::filesystem::path ProfilePath();

// The integer stored under the entry (decimal, with an optional sign; a text
// that does not start with a number reads as 0), or the default when the
// entry is missing or empty.
UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue);
// The text stored under the entry, or the default (empty when null).
CStringA GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
CStringW GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue = nullptr);

BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value);
// A null value removes the entry; a null entry removes the whole section.
// FALSE as well for a name or value the file cannot hold (a line break in
// it, '=' in an entry name, ']' in a section name; see IniFile::Set).
BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);

}  // namespace platform
