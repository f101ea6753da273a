#include "platform/core/StdioFile.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/core/Charset.h"

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
constexpr int kCtrlZ = 0x1A;
}

CStdioFile::CStdioFile(LPCSTR fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) throw e;
}

CStdioFile::CStdioFile(LPCWSTR fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) throw e;
}

CStdioFile::~CStdioFile() { Abort(); }

BOOL CStdioFile::Attach(UINT openFlags, CFileException* error) {
  const char* mode = (openFlags & 3) == modeRead ? "rb" : (openFlags & 3) == modeWrite ? "wb" : "r+b";
  // The descriptor is already open with the right flags; "wb" does not
  // truncate a descriptor that fdopen takes over.
  m_pStream = ::fdopen(fd_, mode);
  if (!m_pStream) {
    int err = errno;
    CFile::Abort();
    return Fail(err, error);
  }
  text_ = !(openFlags & typeBinary);
  atCtrlZ_ = false;
  last_ = LastOp::none;
  return TRUE;
}

BOOL CStdioFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error) {
  Abort();
  return CFile::Open(fileName, openFlags, error) && Attach(openFlags, error);
}

BOOL CStdioFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
  Abort();
  return CFile::Open(fileName, openFlags, error) && Attach(openFlags, error);
}

void CStdioFile::SwitchTo(bool writing) {
  CheckOpen();
  LastOp want = writing ? LastOp::write : LastOp::read;
  if (last_ != LastOp::none && last_ != want) std::fseek(m_pStream, 0, SEEK_CUR);
  last_ = want;
}

int CStdioFile::GetChar() {
  if (atCtrlZ_) return EOF;
  int c = std::getc(m_pStream);
  if (c == EOF) {
    if (std::ferror(m_pStream)) Throw(errno ? errno : EIO);
    return EOF;
  }
  if (!text_) return c;
  if (c == kCtrlZ) {
    // Text mode ends at Ctrl-Z; the byte stays unread.
    std::ungetc(c, m_pStream);
    atCtrlZ_ = true;
    return EOF;
  }
  if (c == '\r') {
    int next = std::getc(m_pStream);
    if (next == '\n') return '\n';
    if (next != EOF) std::ungetc(next, m_pStream);
  }
  return c;
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  SwitchTo(false);
  auto* p = static_cast<unsigned char*>(buffer);
  if (!text_) {
    size_t n = std::fread(p, 1, count, m_pStream);
    if (n < count && std::ferror(m_pStream)) Throw(errno ? errno : EIO);
    return static_cast<UINT>(n);
  }
  UINT n = 0;
  while (n < count) {
    int c = GetChar();
    if (c == EOF) break;
    p[n++] = static_cast<unsigned char>(c);
  }
  return n;
}

void CStdioFile::PutBytes(const char* data, size_t n) {
  if (n && std::fwrite(data, 1, n, m_pStream) != n) Throw(errno ? errno : EIO);
}

void CStdioFile::Write(const void* buffer, UINT count) {
  SwitchTo(true);
  const auto* p = static_cast<const char*>(buffer);
  if (!text_) return PutBytes(p, count);
  size_t start = 0;
  for (size_t i = 0; i < count; ++i) {
    if (p[i] == '\n') {
      PutBytes(p + start, i - start);
      PutBytes("\r\n", 2);
      start = i + 1;
    }
  }
  PutBytes(p + start, count - start);
}

BOOL CStdioFile::ReadString(CStringA& line) {
  SwitchTo(false);
  std::string s;
  bool any = false;
  for (int c; (c = GetChar()) != EOF;) {
    any = true;
    if (c == '\n') break;
    s.push_back(static_cast<char>(c));
  }
  line = CStringA(s);
  return any ? TRUE : FALSE;
}

BOOL CStdioFile::ReadString(CStringW& line) {
  CStringA bytes;
  BOOL ok = ReadString(bytes);
  line = CStringW(platform::GbkToUtf16(bytes.str()));
  return ok;
}

void CStdioFile::WriteString(LPCSTR text) {
  if (!text) throw CInvalidArgException();
  Write(text, static_cast<UINT>(std::char_traits<char>::length(text)));
}

void CStdioFile::WriteString(LPCWSTR text) {
  if (!text) throw CInvalidArgException();
  std::string gbk = platform::Utf16ToGbk(text);
  Write(gbk.data(), static_cast<UINT>(gbk.size()));
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
  CheckOpen();
  int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : from == end ? SEEK_END : -1;
  if (whence < 0 || std::fseek(m_pStream, static_cast<long>(offset), whence) != 0)
    throw CFileException(CFileException::badSeek, whence < 0 ? EINVAL : errno, m_strFileName.GetString());
  atCtrlZ_ = false;
  last_ = LastOp::none;
  return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
  CheckOpen();
  long pos = std::ftell(m_pStream);
  if (pos < 0) Throw(errno);
  return static_cast<ULONGLONG>(pos);
}

ULONGLONG CStdioFile::GetLength() const {
  CheckOpen();
  // Written data may still sit in the stream's buffer.
  if (last_ == LastOp::write && std::fflush(m_pStream) != 0) Throw(errno);
  return CFile::GetLength();
}

void CStdioFile::SetLength(ULONGLONG newLength) {
  CheckOpen();
  if (std::fflush(m_pStream) != 0) Throw(errno);
  CFile::SetLength(newLength);
}

void CStdioFile::Flush() {
  if (m_pStream && std::fflush(m_pStream) != 0) Throw(errno);
}

void CStdioFile::Close() {
  if (!m_pStream) return CFile::Close();
  FILE* stream = m_pStream;
  m_pStream = nullptr;
  fd_ = -1;  // fclose closes the descriptor
  if (std::fclose(stream) != 0) Throw(errno);
}

void CStdioFile::Abort() {
  if (!m_pStream) return CFile::Abort();
  std::fclose(m_pStream);
  m_pStream = nullptr;
  fd_ = -1;
}
