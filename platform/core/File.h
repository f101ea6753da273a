// CFile: unbuffered binary file access over a POSIX file descriptor, with the
// framework's open flags, seek origins and file exceptions. Paths may be GBK
// (LPCSTR) or UTF-16 (LPCWSTR), written with either separator and any letter
// case (see PathResolve.h); the path as given is what GetFilePath returns.
#pragma once

#include "platform/core/Exceptions.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)

 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition : UINT { begin = 0x0, current = 0x1, end = 0x2 };

  CFile() = default;
  // Open the file or throw its CFileException.
  CFile(LPCSTR fileName, UINT openFlags);
  CFile(LPCWSTR fileName, UINT openFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE when the file cannot be opened; the cause goes to `error` when given.
  // A read-only file (no write permission for anyone) opens for reading only:
  // writing or creating over it fails with accessDenied.
  virtual BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr);
  virtual BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr);

  // Reads up to `count` bytes; fewer only at the end of the file.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG newLength);
  virtual ULONGLONG GetPosition() const;
  // Commits written data to the disk.
  virtual void Flush();
  // Closes the file; throws when the system reports an error.
  virtual void Close();
  // Closes the file, ignoring errors (for exception handlers).
  virtual void Abort();

  // The path as it was given to Open, and its last component.
  virtual CStringW GetFilePath() const { return m_strFileName; }
  virtual CStringW GetFileName() const;
  // True while a file is open.
  virtual BOOL IsOpen() const { return fd_ >= 0; }

  static void Rename(LPCSTR oldName, LPCSTR newName);
  static void Rename(LPCWSTR oldName, LPCWSTR newName);
  // Removes a file; a folder or a read-only file throws accessDenied.
  static void Remove(LPCSTR fileName);
  static void Remove(LPCWSTR fileName);

 protected:
  // Opens the resolved path with the flags; the descriptor, or -1 with errno.
  static int OpenDescriptor(const std::string& path, UINT openFlags);
  // Sets the error (when given) from errno and returns FALSE.
  BOOL Fail(int osError, CFileException* error) const;
  [[noreturn]] void Throw(int osError) const;
  void CheckOpen() const;

  int fd_ = -1;
  CStringW m_strFileName;

 private:
  BOOL OpenResolved(const std::string& path, UINT openFlags, CFileException* error);
};
