#include "platform/odbc/DbaseFileIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/WriteCalls.h"

namespace platform::odbc {

namespace {

struct HookedFile {
  int fd = -1;
  int* sink = nullptr;
  int error = 0;
  void Fail(int e) {
    if (error == 0) error = e ? e : EIO;
    if (sink && *sink == 0) *sink = error;
  }
};

HookedFile* Of(SAFile file) { return reinterpret_cast<HookedFile*>(file); }

SAFile Open(const char* name, const char* access) {
  if (!name || !access) return nullptr;
  const bool update = std::strchr(access, '+') != nullptr;
  int flags = O_CLOEXEC;
  if (access[0] == 'r') {
    flags |= update ? O_RDWR : O_RDONLY;
  } else if (access[0] == 'w') {
    flags |= (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
  } else {
    errno = EINVAL;
    return nullptr;
  }
  const int fd = ::open(name, flags, 0666);
  if (fd < 0) return nullptr;
  auto* file = new HookedFile;
  file->fd = fd;
  return reinterpret_cast<SAFile>(file);
}

SAOffset Read(void* p, SAOffset size, SAOffset count, SAFile file) {
  if (size == 0) return 0;
  const size_t want = size * count;
  size_t done = 0;
  while (done < want) {
    const ssize_t n = ::read(Of(file)->fd, static_cast<char*>(p) + done, want - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done / size;
}

SAOffset Write(void* p, SAOffset size, SAOffset count, SAFile file) {
  if (size == 0) return 0;
  HookedFile* f = Of(file);
  const size_t want = size * count;
  size_t done = 0;
  while (done < want) {
    const ssize_t n = WriteCall(f->fd, static_cast<const char*>(p) + done, want - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f->Fail(errno);
      break;
    }
    done += static_cast<size_t>(n);
  }
  return done / size;
}

SAOffset Seek(SAFile file, SAOffset offset, int whence) {
  return ::lseek(Of(file)->fd, static_cast<off_t>(offset), whence) < 0 ? static_cast<SAOffset>(-1) : 0;
}

SAOffset Tell(SAFile file) { return static_cast<SAOffset>(::lseek(Of(file)->fd, 0, SEEK_CUR)); }

// Nothing is held back from the system, so there is nothing to push out;
// the answer tells whether a write has failed.
int Flush(SAFile file) { return Of(file)->error ? -1 : 0; }

int Close(SAFile file) {
  HookedFile* f = Of(file);
  if (CloseCall(f->fd) != 0 && errno != EINTR) f->Fail(errno);
  const int result = f->error ? -1 : 0;
  delete f;
  return result;
}

int Remove(const char*) {
  errno = EPERM;
  return -1;
}

void Error(const char*) {}

}  // namespace

SAHooks* DbaseFileHooks() {
  static SAHooks hooks = [] {
    SAHooks h;
    SASetupDefaultHooks(&h);
    h.FOpen = Open;
    h.FRead = Read;
    h.FWrite = Write;
    h.FSeek = Seek;
    h.FTell = Tell;
    h.FFlush = Flush;
    h.FClose = Close;
    h.Remove = Remove;
    h.Error = Error;
    return h;
  }();
  return &hooks;
}

void WatchDbaseFileErrors(DBFHandle handle, int* sink) {
  HookedFile* f = Of(handle->fp);
  f->sink = sink;
  if (f->error && *sink == 0) *sink = f->error;
}

int DbaseFileDescriptor(DBFHandle handle) { return Of(handle->fp)->fd; }

}  // namespace platform::odbc
