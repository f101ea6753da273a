#include "platform/core/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/FileReplace.h"
#include "platform/core/IniFile.h"
#include "platform/core/PosixFile.h"

namespace platform {
namespace {

constexpr off_t kMaxProfileBytes = 16 * 1024 * 1024;

struct ProfileState {
  std::mutex mutex;
  std::filesystem::path file;
};

ProfileState& State() {
  static ProfileState* state = new ProfileState;
  return *state;
}

enum class ReadStatus { Missing, Read, Unreadable };

struct FileText {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
};

FileText ReadFile(const std::filesystem::path& path) {
  FileText text;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    text.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Unreadable;
    return text;
  }
  text.status = ReadStatus::Unreadable;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxProfileBytes) return text;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return text;
    if (n == 0) break;
    text.bytes.append(buffer, static_cast<size_t>(n));
    if (text.bytes.size() > static_cast<size_t>(kMaxProfileBytes)) return text;
  }
  text.status = ReadStatus::Read;
  return text;
}

std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view entry) {
  ProfileState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.file.empty()) return std::nullopt;
  FileText text = ReadFile(s.file);
  if (text.status != ReadStatus::Read) return std::nullopt;
  return IniFile::Parse(text.bytes).Get(section, entry);
}

enum class Edit { Set, RemoveEntry, RemoveSection };

bool Write(Edit edit, std::u16string_view section, std::u16string_view entry, std::u16string_view value) {
  ProfileState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.file.empty()) return false;
  FileText text = ReadFile(s.file);
  if (text.status == ReadStatus::Unreadable) return false;
  IniFile ini = IniFile::Parse(text.bytes);
  std::string before = ini.Serialize();
  switch (edit) {
    case Edit::Set:
      if (!ini.Set(section, entry, value)) return false;
      break;
    case Edit::RemoveEntry:
      ini.Remove(section, entry);
      break;
    case Edit::RemoveSection:
      ini.RemoveSection(section);
      break;
  }
  std::string after = ini.Serialize();
  if (after == before) return true;  // nothing to change: no file is made or rewritten
  // A new file beside the old one, flushed and renamed over it (a symbolic
  // link stays and its file is replaced): a failure leaves the old file.
  const auto* data = reinterpret_cast<const BYTE*>(after.data());
  return ReplaceFileBytes(s.file.string(), std::span<const BYTE>(data, after.size()), true) == 0;
}

// Decimal with an optional sign, after leading blanks; the digits are taken
// modulo 2^32, so that an unsigned value stored by another writer reads back
// as the same bits.
std::optional<UINT> ParseInt(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i == text.size()) return std::nullopt;
  bool negative = false;
  if (text[i] == u'-' || text[i] == u'+') negative = text[i++] == u'-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) value = value * 10u + (text[i] - u'0');
  return negative ? 0u - value : value;
}

UINT GetInt(std::u16string_view section, std::u16string_view entry, int defaultValue) {
  std::optional<std::u16string> text = Read(section, entry);
  std::optional<UINT> value = text ? ParseInt(*text) : std::nullopt;
  return value ? *value : static_cast<UINT>(defaultValue);
}

std::u16string Wide(LPCSTR s) { return GbkToUtf16(s); }

}  // namespace

void SetProfilePath(const std::filesystem::path& file) {
  ProfileState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.file = file;
}

std::filesystem::path ProfilePath() {
  ProfileState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.file;
}

UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) {
  if (!section || !entry) return static_cast<UINT>(defaultValue);
  return GetInt(section, entry, defaultValue);
}

UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) {
  if (!section || !entry) return static_cast<UINT>(defaultValue);
  return GetInt(Wide(section), Wide(entry), defaultValue);
}

CStringW GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) {
  std::optional<std::u16string> text;
  if (section && entry) text = Read(section, entry);
  return text ? CStringW(*text) : CStringW(defaultValue);
}

CStringA GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) {
  std::optional<std::u16string> text;
  if (section && entry) text = Read(Wide(section), Wide(entry));
  return text ? CStringA(Utf16ToGbk(*text)) : CStringA(defaultValue);
}

BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value) {
  if (!section || !entry) return FALSE;
  std::string digits = std::to_string(value);
  return Write(Edit::Set, section, entry, std::u16string(digits.begin(), digits.end()));
}

BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value) {
  if (!section || !entry) return FALSE;
  std::u16string s = Wide(section), e = Wide(entry);
  return WriteProfileInt(s.c_str(), e.c_str(), value);
}

BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) {
  if (!section) return FALSE;
  if (!entry) return Write(Edit::RemoveSection, section, u"", u"");
  if (!value) return Write(Edit::RemoveEntry, section, entry, u"");
  return Write(Edit::Set, section, entry, value);
}

BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
  if (!section) return FALSE;
  std::u16string s = Wide(section);
  std::u16string e = entry ? Wide(entry) : std::u16string();
  std::u16string v = value ? Wide(value) : std::u16string();
  return WriteProfileString(s.c_str(), entry ? e.c_str() : nullptr, value ? v.c_str() : nullptr);
}

}  // namespace platform
