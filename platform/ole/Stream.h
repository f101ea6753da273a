// A stream of a compound file: a sequence of bytes with a position, opened
// from its storage (IStorage::CreateStream, IStorage::OpenStream).
#pragma once

#include "platform/ole/StorageTypes.h"
#include "platform/ole/Unknown.h"

class IStream : public IUnknown {
 public:
  // Reads up to `cb` bytes at the position; fewer only at the end. The count
  // read goes to `pcbRead` when given.
  virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  // Writes `cb` bytes at the position, growing the stream as needed (a gap
  // left by a seek past the end reads as zeros).
  virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
  // Moves the position from STREAM_SEEK_SET, _CUR or _END; it may pass the
  // end but not the start.
  virtual HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) = 0;
  // Cuts or extends (with zeros) the stream; the position stays.
  virtual HRESULT SetSize(ULARGE_INTEGER libNewSize) = 0;
  // Streams write through to their storage: a stream in a direct-mode file
  // writes the file, anywhere else it succeeds with nothing to do.
  virtual HRESULT Commit(DWORD grfCommitFlags) = 0;
  virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
};
typedef IStream* LPSTREAM;
