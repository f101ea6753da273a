// COleStreamFile: a CFile over a stream of a compound file, so that a
// CArchive can be written inside a storage. Failures of the stream throw
// CFileException carrying the storage error in m_lOsError (CMemoryException
// when memory ran out), as the framework's OLE files do. GetFilePath names
// the storage the stream was opened in (for the root: its file's path), so
// that the errors of an archive name the document.
#pragma once

#include "platform/core/File.h"
#include "platform/ole/Storage.h"

class COleStreamFile : public CFile {
  DECLARE_DYNAMIC(COleStreamFile)

 public:
  // Takes over the caller's reference to `stream`, when given.
  explicit COleStreamFile(LPSTREAM stream = nullptr);
  ~COleStreamFile() override;

  // Takes over the caller's reference; a stream held before is released.
  void Attach(LPSTREAM stream);
  // Hands the stream and its reference back to the caller.
  LPSTREAM Detach();
  IStream* GetStream() const { return m_lpStream; }

  // Open or create the stream `name` in `storage`. The flags are CFile's,
  // which are the STGM_ values of the same meaning: an element must be
  // opened shareExclusive, and CreateStream replaces an existing element
  // only with modeCreate. FALSE on failure, the cause in `error` when given.
  BOOL OpenStream(LPSTORAGE storage, LPCSTR name, DWORD openFlags = modeReadWrite | shareExclusive,
                  CFileException* error = nullptr);
  BOOL OpenStream(LPSTORAGE storage, LPCWSTR name, DWORD openFlags = modeReadWrite | shareExclusive,
                  CFileException* error = nullptr);
  BOOL CreateStream(LPSTORAGE storage, LPCSTR name, DWORD openFlags = modeReadWrite | shareExclusive | modeCreate,
                    CFileException* error = nullptr);
  BOOL CreateStream(LPSTORAGE storage, LPCWSTR name, DWORD openFlags = modeReadWrite | shareExclusive | modeCreate,
                    CFileException* error = nullptr);

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG newLength) override;
  ULONGLONG GetPosition() const override;
  // Commits the stream (a direct file is written; see IStream::Commit).
  void Flush() override;
  // Releases the stream.
  void Close() override;
  void Abort() override;
  BOOL IsOpen() const override { return m_lpStream != nullptr; }

 protected:
  LPSTREAM m_lpStream = nullptr;

 private:
  BOOL OpenOrCreate(LPSTORAGE storage, LPCWSTR name, DWORD openFlags, bool create, CFileException* error);
  IStream* Stream() const;
  [[noreturn]] void ThrowStorageError(HRESULT hr, int cause = -1) const;
};
