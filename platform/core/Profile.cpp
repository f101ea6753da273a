#include "platform/core/Profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "platform/core/Charset.h"
#include "platform/core/IniFile.h"

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

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a write error may
  // show only here).
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

enum class ReadStatus { Missing, Read, Unreadable };

struct FileText {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
  mode_t mode = 0;  // the permissions of an existing file
};

FileText ReadFile(const std::filesystem::path& path) {
  FileText text;
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    text.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Unreadable;
    return text;
  }
  text.status = ReadStatus::Unreadable;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxProfileBytes) return text;
  text.mode = st.st_mode & 07777;
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

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes a new file beside `target`, flushes it to the disk and renames it
// over `target`. On failure the new file is removed and `target` untouched.
bool ReplaceFile(const std::filesystem::path& target, const std::string& bytes, std::optional<mode_t> mode) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::filesystem::path temp =
      folder / ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                std::to_string(counter.fetch_add(1)));
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) return false;
  bool ok = WriteAll(fd.get(), bytes) && (!mode || ::fchmod(fd.get(), *mode) == 0) && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

// The file that a write replaces: the target of a symbolic link, so that the
// link stays.
std::filesystem::path WriteTarget(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(file, ec)) return file;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ec);
  return ec ? file : resolved;
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
  std::filesystem::path target = WriteTarget(s.file);
  FileText text = ReadFile(target);
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
  std::optional<mode_t> mode;
  if (text.status == ReadStatus::Read) mode = text.mode;
  return ReplaceFile(target, after, mode);
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
