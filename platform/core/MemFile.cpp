#include "platform/core/MemFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes) : m_nGrowBytes(growBytes) {
  Attach(buffer, bufferSize, growBytes);
}

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* buffer, UINT bufferSize, UINT growBytes) {
  Close();
  m_lpBuffer = buffer;
  m_nBufferSize = buffer ? bufferSize : 0;
  m_nGrowBytes = growBytes;
  m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
  m_nPosition = 0;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* buffer = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return buffer;
}

BYTE* CMemFile::Alloc(size_t bytes) { return static_cast<BYTE*>(std::malloc(bytes)); }

BYTE* CMemFile::Realloc(BYTE* memory, size_t bytes) {
  return static_cast<BYTE*>(std::realloc(memory, bytes));
}

void CMemFile::Free(BYTE* memory) { std::free(memory); }

void CMemFile::GrowFile(size_t newLength) {
  if (newLength <= m_nBufferSize) return;
  // A fixed block cannot grow.
  if (m_nGrowBytes == 0) AfxThrowMemoryException();
  size_t steps = (newLength + m_nGrowBytes - 1) / m_nGrowBytes;
  if (steps > std::numeric_limits<size_t>::max() / m_nGrowBytes) AfxThrowMemoryException();
  size_t size = steps * m_nGrowBytes;
  BYTE* grown = m_lpBuffer ? Realloc(m_lpBuffer, size) : Alloc(size);
  if (!grown) AfxThrowMemoryException();
  m_lpBuffer = grown;
  m_nBufferSize = size;
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (count == 0 || m_nPosition >= m_nFileSize) return 0;
  size_t n = std::min<size_t>(count, m_nFileSize - m_nPosition);
  std::memcpy(buffer, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  size_t end = m_nPosition + count;
  if (end > m_nBufferSize) GrowFile(end);
  // A gap left by seeking past the end reads as zeros.
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
  m_nPosition = end;
  if (end > m_nFileSize) m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
  LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_nPosition)
                                    : from == end     ? static_cast<LONGLONG>(m_nFileSize)
                                                      : -1;
  if (base < 0 || (offset < 0 && -offset > base) ||
      (offset > 0 && offset > std::numeric_limits<LONGLONG>::max() - base))
    throw CFileException(CFileException::badSeek, EINVAL, m_strFileName.GetString());
  m_nPosition = static_cast<size_t>(base + offset);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG newLength) {
  if (newLength > std::numeric_limits<size_t>::max()) AfxThrowMemoryException();
  size_t n = static_cast<size_t>(newLength);
  if (n > m_nBufferSize) GrowFile(n);
  if (n > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
  m_nFileSize = n;
  if (m_nPosition > n) m_nPosition = n;
}

void CMemFile::Close() {
  if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
}
