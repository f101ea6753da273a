#include "platform/ole/OleStreamFile.h"

#include "platform/ole/StorageErrorCause.h"
#include "platform/ole/TaskMemory.h"

IMPLEMENT_DYNAMIC(COleStreamFile, CFile)

namespace {

bool IsOutOfMemory(HRESULT hr) { return hr == E_OUTOFMEMORY || hr == STG_E_INSUFFICIENTMEMORY; }

// The flags of CFile that mean the same as the STGM_ flags of that value.
constexpr DWORD kStorageFlags = CFile::modeWrite | CFile::modeReadWrite | CFile::shareExclusive |
                                CFile::shareDenyWrite | CFile::shareDenyNone | CFile::modeCreate;

}  // namespace

COleStreamFile::COleStreamFile(LPSTREAM stream) { Attach(stream); }

COleStreamFile::~COleStreamFile() { Abort(); }

void COleStreamFile::Attach(LPSTREAM stream) {
  Abort();
  m_lpStream = stream;
  m_strFileName.Empty();
  STATSTG stat;
  if (stream && SUCCEEDED(stream->Stat(&stat, STATFLAG_DEFAULT))) {
    m_strFileName = stat.pwcsName;
    CoTaskMemFree(stat.pwcsName);
  }
}

LPSTREAM COleStreamFile::Detach() {
  LPSTREAM stream = m_lpStream;
  m_lpStream = nullptr;
  return stream;
}

BOOL COleStreamFile::OpenOrCreate(LPSTORAGE storage, LPCWSTR name, DWORD openFlags, bool create,
                                  CFileException* error) {
  Abort();
  CStringW storageName;
  STATSTG stat;
  if (storage && SUCCEEDED(storage->Stat(&stat, STATFLAG_DEFAULT))) {
    storageName = stat.pwcsName;
    CoTaskMemFree(stat.pwcsName);
  }
  HRESULT hr = STG_E_INVALIDPOINTER;
  IStream* stream = nullptr;
  DWORD mode = openFlags & kStorageFlags;
  if (storage) {
    hr = create ? storage->CreateStream(name, mode, 0, 0, &stream) : storage->OpenStream(name, nullptr, mode, 0, &stream);
  }
  if (FAILED(hr)) {
    if (error) {
      error->m_cause = platform::FileExceptionCauseOf(hr);
      error->m_lOsError = hr;
      error->m_strFileName = name;
    }
    return FALSE;
  }
  m_lpStream = stream;
  m_strFileName = storageName;
  return TRUE;
}

BOOL COleStreamFile::OpenStream(LPSTORAGE storage, LPCSTR name, DWORD openFlags, CFileException* error) {
  return OpenOrCreate(storage, CStringW(name), openFlags, false, error);
}

BOOL COleStreamFile::OpenStream(LPSTORAGE storage, LPCWSTR name, DWORD openFlags, CFileException* error) {
  return OpenOrCreate(storage, name, openFlags, false, error);
}

BOOL COleStreamFile::CreateStream(LPSTORAGE storage, LPCSTR name, DWORD openFlags, CFileException* error) {
  return OpenOrCreate(storage, CStringW(name), openFlags, true, error);
}

BOOL COleStreamFile::CreateStream(LPSTORAGE storage, LPCWSTR name, DWORD openFlags, CFileException* error) {
  return OpenOrCreate(storage, name, openFlags, true, error);
}

IStream* COleStreamFile::Stream() const {
  if (!m_lpStream) ThrowStorageError(STG_E_INVALIDHANDLE);
  return m_lpStream;
}

void COleStreamFile::ThrowStorageError(HRESULT hr, int cause) const {
  if (IsOutOfMemory(hr)) AfxThrowMemoryException();
  throw CFileException(cause >= 0 ? cause : platform::FileExceptionCauseOf(hr), hr, m_strFileName.GetString());
}

UINT COleStreamFile::Read(void* buffer, UINT count) {
  ULONG got = 0;
  HRESULT hr = Stream()->Read(buffer, count, &got);
  if (FAILED(hr)) ThrowStorageError(hr);
  return got;
}

void COleStreamFile::Write(const void* buffer, UINT count) {
  ULONG written = 0;
  HRESULT hr = Stream()->Write(buffer, count, &written);
  if (FAILED(hr)) ThrowStorageError(hr);
  if (written < count) ThrowStorageError(STG_E_MEDIUMFULL);
}

ULONGLONG COleStreamFile::Seek(LONGLONG offset, UINT from) {
  DWORD origin = from == begin ? STREAM_SEEK_SET : from == current ? STREAM_SEEK_CUR : from == end ? STREAM_SEEK_END : 3;
  LARGE_INTEGER move;
  move.QuadPart = offset;
  ULARGE_INTEGER position{};
  HRESULT hr = Stream()->Seek(move, origin, &position);
  if (FAILED(hr)) ThrowStorageError(hr, CFileException::badSeek);
  return position.QuadPart;
}

ULONGLONG COleStreamFile::GetLength() const {
  STATSTG stat;
  HRESULT hr = Stream()->Stat(&stat, STATFLAG_NONAME);
  if (FAILED(hr)) ThrowStorageError(hr);
  return stat.cbSize.QuadPart;
}

void COleStreamFile::SetLength(ULONGLONG newLength) {
  ULARGE_INTEGER size;
  size.QuadPart = newLength;
  HRESULT hr = Stream()->SetSize(size);
  if (FAILED(hr)) ThrowStorageError(hr);
}

ULONGLONG COleStreamFile::GetPosition() const {
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  HRESULT hr = Stream()->Seek(zero, STREAM_SEEK_CUR, &position);
  if (FAILED(hr)) ThrowStorageError(hr, CFileException::badSeek);
  return position.QuadPart;
}

void COleStreamFile::Flush() {
  if (!m_lpStream) return;
  HRESULT hr = m_lpStream->Commit(STGC_DEFAULT);
  if (FAILED(hr)) ThrowStorageError(hr);
}

void COleStreamFile::Close() { Abort(); }

void COleStreamFile::Abort() {
  if (m_lpStream) m_lpStream->Release();
  m_lpStream = nullptr;
}
