// CStdioFile: a buffered file of text lines. In text mode (the default) a
// line end is CR LF on disk and "\n" in the program, and a Ctrl-Z byte ends
// the data, as the C run time of the system the libraries come from reads
// text; with typeBinary the bytes pass unchanged. Lines are GBK bytes on disk
// and read into either string flavour.
#pragma once

#include <cstdio>

#include "platform/core/File.h"

class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)

 public:
  CStdioFile() = default;
  CStdioFile(LPCSTR fileName, UINT openFlags);
  CStdioFile(LPCWSTR fileName, UINT openFlags);
  ~CStdioFile() override;

  BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
  BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr) override;

  // Reads the next line without its line end; FALSE when the file has no
  // more data. A UTF-16 string receives the GBK text converted.
  BOOL ReadString(CStringA& line);
  BOOL ReadString(CStringW& line);
  // Writes the text, each "\n" as a line end (CR LF in text mode). A UTF-16
  // text is written as GBK.
  void WriteString(LPCSTR text);
  void WriteString(LPCWSTR text);

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG newLength) override;
  ULONGLONG GetPosition() const override;
  void Flush() override;
  void Close() override;
  void Abort() override;

  FILE* m_pStream = nullptr;

 private:
  BOOL Attach(UINT openFlags, CFileException* error);
  // The next character after text-mode translation, or EOF.
  int GetChar();
  void PutBytes(const char* data, size_t n);
  // The C library needs a seek between reading and writing.
  void SwitchTo(bool writing);

  bool text_ = true;
  bool atCtrlZ_ = false;
  enum class LastOp { none, read, write } last_ = LastOp::none;
};
