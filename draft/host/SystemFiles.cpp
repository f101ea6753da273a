#include "draft/host/SystemFiles.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "draft/host/Messages.h"
#include "platform/core/Charset.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/PathResolve.h"
#include "platform/ui/Clipboard.h"

namespace {

// The folder in use; empty means the shipped one.
CStringA& CurrentFolder() {
  static CStringA folder;
  return folder;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string GetShippedSystemDataFolder() {
  // The literal is compiled into the multibyte character set.
  return platform::GbkToUtf8(SCRIVEL_SYSTEM_DATA_DIR);
}

CStringA GetSystemDataFolder() {
  if (!CurrentFolder().IsEmpty()) return CurrentFolder();
  return CStringA(platform::Utf8ToGbk(GetShippedSystemDataFolder()).c_str());
}

void SetSystemDataFolder(const char* folder) {
  CStringA f(folder ? folder : "");
  // Drop trailing separators (a lone root separator stays).
  while (f.GetLength() > 1 && IsSeparator(f[f.GetLength() - 1])) f.Truncate(f.GetLength() - 1);
  CurrentFolder() = f;
}

CStringA GetSystemFilePath(const char* name) {
  CStringA path = GetSystemDataFolder();
  const char* n = name ? name : "";
  while (*n && IsSeparator(*n)) ++n;
  if (*n) path += "\\" + CStringA(n);
  return path;
}

BOOL IsFileExist(const char* path) {
  if (!path || !*path) return FALSE;
  struct stat st {};
  return ::stat(platform::ResolvePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

CStringA GetFileExtension(const char* path) {
  if (!path) return CStringA();
  // Walk whole characters: a trail byte of a double-byte character may be a
  // backslash.
  int componentStart = 0;
  int dot = -1;
  int length = static_cast<int>(std::strlen(path));
  for (int i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (platform::IsGbkLeadByte(c) && i + 1 < length) {
      ++i;
      continue;
    }
    if (IsSeparator(path[i])) {
      componentStart = i + 1;
      dot = -1;
    } else if (path[i] == '.') {
      dot = i;
    }
  }
  if (dot < componentStart) return CStringA();
  return CStringA(path + dot + 1);
}

CStringA GetFileExceptionText(int cause) {
  switch (cause) {
    case CFileException::none: return "没有错误";
    case CFileException::fileNotFound: return "文件不存在";
    case CFileException::badPath: return "路径不正确";
    case CFileException::tooManyOpenFiles: return "打开的文件太多";
    case CFileException::accessDenied: return "没有访问权限";
    case CFileException::invalidFile: return "无效的文件";
    case CFileException::removeCurrentDir: return "不能删除当前目录";
    case CFileException::directoryFull: return "目录已满";
    case CFileException::badSeek: return "文件定位错误";
    case CFileException::hardIO: return "硬件读写错误";
    case CFileException::sharingViolation: return "文件共享冲突";
    case CFileException::lockViolation: return "文件锁定冲突";
    case CFileException::diskFull: return "磁盘已满";
    case CFileException::endOfFile: return "已到文件末尾";
    default: return "未知错误";
  }
}

void ReportFileException(const char* fileName, int cause) {
  CStringA text;
  text.Format("文件\"%s\"操作失败：%s", fileName ? fileName : "", GetFileExceptionText(cause).GetString());
  ShowErrorMessage(text);
}

void ReportFileException(const CFileException& e) {
  ReportFileException(platform::Utf16ToGbk(e.m_strFileName.str()).c_str(), e.m_cause);
}

void TrimNumberText(CStringA& text) {
  int point = text.Find('.');
  if (point < 0) return;
  for (int i = point + 1; i < text.GetLength(); ++i) {
    if (text[i] < '0' || text[i] > '9') return;
  }
  int end = text.GetLength();
  while (end > point + 1 && text[end - 1] == '0') --end;
  if (end == point + 1) end = point;
  text.Truncate(end);
  if (text == "-0" || text == "-") text = "0";
}

BOOL CopyTextToClipboard(const char* text, HWND owner) {
  const char* t = text ? text : "";
  size_t length = std::strlen(t);
  if (!OpenClipboard(owner)) return FALSE;
  BOOL done = FALSE;
  if (EmptyClipboard()) {
    // The block is 20 bytes longer than the text; the text is terminated
    // and the spare bytes after it are zero.
    const size_t spare = 20;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + spare);
    if (block) {
      if (void* p = GlobalLock(block)) {
        std::memcpy(p, t, length);
        std::memset(static_cast<char*>(p) + length, 0, spare);
        GlobalUnlock(block);
        done = SetClipboardData(CF_TEXT, block) != nullptr;
      }
      if (!done) GlobalFree(block);
    }
  }
  CloseClipboard();
  return done;
}

CSystemDataScratch::CSystemDataScratch() : previous_(CurrentFolder()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "scrivel-sysdata-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    throw CFileException(CFileException::OsErrorToException(errno), errno);
  }
  folder_ = pattern;
  std::error_code ec;
  std::filesystem::copy(GetShippedSystemDataFolder(), folder_, std::filesystem::copy_options::recursive, ec);
  if (ec) {
    std::filesystem::remove_all(folder_, ec);
    throw CFileException(CFileException::fileNotFound);
  }
  SetSystemDataFolder(platform::Utf8ToGbk(folder_).c_str());
}

CSystemDataScratch::~CSystemDataScratch() {
  SetSystemDataFolder(previous_);
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}
