#include "platform/core/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/core/Charset.h"
#include "platform/core/PathResolve.h"
#include "platform/core/PosixFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::CFile(LPCSTR fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) throw e;
}

CFile::CFile(LPCWSTR fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) throw e;
}

CFile::~CFile() { Abort(); }

int CFile::OpenDescriptor(const std::string& path, UINT openFlags) {
  int flags = O_CLOEXEC;
  switch (openFlags & 3) {
    case modeRead:
      flags |= O_RDONLY;
      break;
    case modeWrite:
      flags |= O_WRONLY;
      break;
    case modeReadWrite:
      flags |= O_RDWR;
      break;
    default:
      errno = EINVAL;
      return -1;
  }
  if (openFlags & modeCreate) {
    flags |= O_CREAT;
    if (!(openFlags & modeNoTruncate)) flags |= O_TRUNC;
  }
  // A read-only file is opened for reading only; checked before the open,
  // which would truncate it.
  struct stat existing;
  if ((openFlags & 3) != modeRead && ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
      platform::IsReadOnlyMode(existing.st_mode)) {
    errno = EACCES;
    return -1;
  }
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) return -1;
  // A folder is not a file here, as on the system the libraries come from.
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    errno = err;
    return -1;
  }
  return fd;
}

BOOL CFile::Fail(int osError, CFileException* error) const {
  if (error) {
    error->m_cause = CFileException::OsErrorToException(osError);
    error->m_lOsError = osError;
    error->m_strFileName = m_strFileName;
  }
  return FALSE;
}

void CFile::Throw(int osError) const {
  throw CFileException(CFileException::OsErrorToException(osError), osError, m_strFileName.GetString());
}

void CFile::CheckOpen() const {
  if (fd_ < 0) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName.GetString());
}

BOOL CFile::OpenResolved(const std::string& path, UINT openFlags, CFileException* error) {
  if (fd_ >= 0) Abort();
  if (path.empty()) return Fail(ENOENT, error);
  fd_ = OpenDescriptor(path, openFlags);
  if (fd_ < 0) return Fail(errno, error);
  return TRUE;
}

BOOL CFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error) {
  m_strFileName = CStringW(fileName);
  return OpenResolved(platform::ResolvePath(fileName), openFlags, error);
}

BOOL CFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
  m_strFileName = CStringW(fileName);
  return OpenResolved(platform::ResolvePath(fileName), openFlags, error);
}

UINT CFile::Read(void* buffer, UINT count) {
  CheckOpen();
  UINT done = 0;
  auto* p = static_cast<char*>(buffer);
  while (done < count) {
    ssize_t n = ::read(fd_, p + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Throw(errno);
    }
    if (n == 0) break;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CFile::Write(const void* buffer, UINT count) {
  CheckOpen();
  UINT done = 0;
  const auto* p = static_cast<const char*>(buffer);
  while (done < count) {
    ssize_t n = platform::WriteCall(fd_, p + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Throw(errno);
    }
    done += static_cast<UINT>(n);
  }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  CheckOpen();
  int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : from == end ? SEEK_END : -1;
  if (whence < 0) throw CFileException(CFileException::badSeek, EINVAL, m_strFileName.GetString());
  off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (r < 0) throw CFileException(CFileException::badSeek, errno, m_strFileName.GetString());
  return static_cast<ULONGLONG>(r);
}

ULONGLONG CFile::GetLength() const {
  CheckOpen();
  struct stat st;
  if (::fstat(fd_, &st) != 0) Throw(errno);
  return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG newLength) {
  CheckOpen();
  if (::ftruncate(fd_, static_cast<off_t>(newLength)) != 0) Throw(errno);
}

ULONGLONG CFile::GetPosition() const {
  CheckOpen();
  off_t r = ::lseek(fd_, 0, SEEK_CUR);
  if (r < 0) Throw(errno);
  return static_cast<ULONGLONG>(r);
}

namespace {

// Whether a descriptor was opened for writing: only such a file's flush and
// close go through the write calls (a file read has nothing to write out).
bool OpenForWriting(int fd) { return (::fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDONLY; }

}  // namespace

void CFile::Flush() {
  if (fd_ < 0) return;
  const int r = OpenForWriting(fd_) ? platform::SyncCall(fd_) : ::fsync(fd_);
  if (r != 0 && errno != EINVAL && errno != EROFS) Throw(errno);
}

void CFile::Close() {
  if (fd_ < 0) return;
  int fd = fd_;
  fd_ = -1;
  const int r = OpenForWriting(fd) ? platform::CloseCall(fd) : ::close(fd);
  if (r != 0 && errno != EINTR) Throw(errno);
}

void CFile::Abort() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

CStringW CFile::GetFileName() const {
  int cut = -1;
  for (int i = 0; i < m_strFileName.GetLength(); ++i) {
    WCHAR c = m_strFileName[i];
    if (c == u'\\' || c == u'/' || c == u':') cut = i;
  }
  return m_strFileName.Mid(cut + 1);
}

namespace {

// Renames without replacing an existing file, as the system the libraries
// come from does.
void RenameUtf8(const std::string& from, const std::string& to, LPCWSTR nameForError) {
  int r = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
  if (r != 0 && errno == EINVAL) {
    // The file system cannot rename without replacing: check first.
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0) {
      errno = EEXIST;
    } else {
      r = ::rename(from.c_str(), to.c_str());
    }
  }
  if (r != 0) throw CFileException(CFileException::OsErrorToException(errno), errno, nameForError);
}

void RemoveUtf8(const std::string& path, LPCWSTR nameForError) {
  struct stat st;
  // Only files are removed here; a folder or a read-only file is refused as
  // the system would.
  int err = 0;
  if (::lstat(path.c_str(), &st) != 0)
    err = errno;
  else if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && platform::IsReadOnlyMode(st.st_mode)))
    err = EACCES;
  else if (::unlink(path.c_str()) != 0)
    err = errno;
  if (err) throw CFileException(CFileException::OsErrorToException(err), err, nameForError);
}

}  // namespace

void CFile::Rename(LPCSTR oldName, LPCSTR newName) {
  RenameUtf8(platform::ResolvePath(oldName), platform::ResolvePath(newName), CStringW(oldName).GetString());
}

void CFile::Rename(LPCWSTR oldName, LPCWSTR newName) {
  RenameUtf8(platform::ResolvePath(oldName), platform::ResolvePath(newName), oldName);
}

void CFile::Remove(LPCSTR fileName) {
  RemoveUtf8(platform::ResolvePath(fileName), CStringW(fileName).GetString());
}

void CFile::Remove(LPCWSTR fileName) { RemoveUtf8(platform::ResolvePath(fileName), fileName); }
