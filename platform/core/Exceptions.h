// The framework's exception classes. They are thrown by value and caught by
// reference: `throw CArchiveException(CArchiveException::endOfFile)` and
// `catch (CException& e)`.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

 public:
  CException() = default;
  CException(const CException& other) : CObject() { (void)other; }
  CException& operator=(const CException&) { return *this; }

  // A text that says what went wrong, for a message box or a log.
  virtual CStringW GetErrorMessage() const;
  BOOL GetErrorMessage(LPSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  BOOL GetErrorMessage(LPWSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  // Shows the message through the message-box handler; returns its answer.
  int ReportError(UINT type = 0x10 /* MB_ICONHAND */, UINT messageId = 0) const;
  // Kept for code written for heap-allocated exceptions: a no-op here.
  void Delete() {}
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  CStringW GetErrorMessage() const override;
};

class CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  CNotSupportedException() = default;
  // `reason` says what this build lacks; it is the error message.
  explicit CNotSupportedException(const CStringW& reason) : m_strReason(reason) {}
  CStringW GetErrorMessage() const override;

  CStringW m_strReason;
};

class CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  CStringW GetErrorMessage() const override;
};

class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
 public:
  CStringW GetErrorMessage() const override;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7,
  };
  explicit CArchiveException(int cause = none, LPCWSTR fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  CStringW GetErrorMessage() const override;

  int m_cause;
  CStringW m_strFileName;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };
  explicit CFileException(int cause = none, LONG osError = -1, LPCWSTR fileName = nullptr)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
  CStringW GetErrorMessage() const override;
  // The cause that an operating-system error number (errno) stands for.
  static int OsErrorToException(LONG osError);

  int m_cause;
  LONG m_lOsError;
  CStringW m_strFileName;
};

typedef LONG SCODE;

class COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  explicit COleException(SCODE sc = 0) : m_sc(sc) {}
  CStringW GetErrorMessage() const override;
  SCODE m_sc;
};

class CDBException : public CException {
  DECLARE_DYNAMIC(CDBException)
 public:
  explicit CDBException(int retCode = 0, LPCWSTR error = nullptr) : m_nRetCode(retCode), m_strError(error) {}
  CStringW GetErrorMessage() const override;
  int m_nRetCode;
  CStringW m_strError;
  CStringW m_strStateNativeOrigin;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowNotSupportedException(LPCWSTR reason);
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowArchiveException(int cause, LPCWSTR fileName = nullptr);
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCWSTR fileName = nullptr);
[[noreturn]] void AfxThrowOleException(SCODE sc);
