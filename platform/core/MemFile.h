// CMemFile: a file held in memory. It grows in steps of `growBytes`; a block
// attached with a grow step of 0 is a fixed-size file over the caller's data.
// Memory comes from malloc (Detach hands it to the caller, who frees it);
// derived classes may allocate elsewhere by overriding Alloc/Realloc/Free.
#pragma once

#include <cstddef>

#include "platform/core/File.h"

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)

 public:
  explicit CMemFile(UINT growBytes = 1024);
  CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes = 0);
  ~CMemFile() override;

  // Uses `buffer` as the file's memory. With growBytes 0 the file is the
  // block's `bufferSize` bytes and cannot grow; otherwise it starts empty
  // and grows the block with Realloc (so the block must come from malloc).
  // The file never frees an attached block; Detach gives it back.
  void Attach(BYTE* buffer, UINT bufferSize, UINT growBytes = 0);
  // Gives the memory to the caller and leaves the file empty.
  BYTE* Detach();

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG newLength) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }

 protected:
  virtual BYTE* Alloc(size_t bytes);
  virtual BYTE* Realloc(BYTE* memory, size_t bytes);
  virtual void Free(BYTE* memory);
  // Makes room for at least `newLength` bytes, in whole grow steps.
  virtual void GrowFile(size_t newLength);

  size_t m_nGrowBytes;
  size_t m_nPosition = 0;
  size_t m_nBufferSize = 0;
  size_t m_nFileSize = 0;
  BYTE* m_lpBuffer = nullptr;
  BOOL m_bAutoDelete = TRUE;
};
