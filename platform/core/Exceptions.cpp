#include "platform/core/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/core/Charset.h"
#include "platform/core/MessageBox.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(CDBException, CException)


namespace {

// The text of a cause from a table indexed by cause, naming the file; an
// unknown cause reads as the generic one (index 1).
template <size_t N>
CStringW CauseText(const char16_t* const (&texts)[N], int cause, const CStringW& fileName) {
  if (cause < 0 || cause >= static_cast<int>(N)) cause = 1;
  CStringW text;
  text.Format(texts[cause], fileName.IsEmpty() ? u"an unnamed file" : fileName.GetString());
  return text;
}

}  // namespace

CStringW CException::GetErrorMessage() const { return CStringW(u"An unexpected error occurred."); }

BOOL CException::GetErrorMessage(LPWSTR buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  if (!buffer || maxChars == 0) return FALSE;
  CStringW text = GetErrorMessage();
  UINT n = std::min<UINT>(static_cast<UINT>(text.GetLength()), maxChars - 1);
  std::copy_n(text.GetString(), n, buffer);
  buffer[n] = 0;
  return TRUE;
}

BOOL CException::GetErrorMessage(LPSTR buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  if (!buffer || maxChars == 0) return FALSE;
  CStringA text(GetErrorMessage());
  UINT n = std::min<UINT>(static_cast<UINT>(text.GetLength()), maxChars - 1);
  // Never cut a double-byte character in half.
  UINT i = 0;
  while (i < n) {
    UINT step = platform::IsGbkLeadByte(static_cast<unsigned char>(text[static_cast<int>(i)])) ? 2 : 1;
    if (i + step > n) break;
    i += step;
  }
  std::memcpy(buffer, text.GetString(), i);
  buffer[i] = 0;
  return TRUE;
}

int CException::ReportError(UINT type, UINT messageId) const {
  CStringW text;
  if (messageId == 0 || !text.LoadString(messageId)) text = GetErrorMessage();
  return platform::ShowMessageBox(text, nullptr, type);
}

CStringW CMemoryException::GetErrorMessage() const { return CStringW(u"Out of memory."); }

CStringW CNotSupportedException::GetErrorMessage() const {
  return m_strReason.IsEmpty() ? CStringW(u"An unsupported operation was attempted.") : m_strReason;
}

CStringW CInvalidArgException::GetErrorMessage() const {
  return CStringW(u"An invalid argument was encountered.");
}

CStringW CUserException::GetErrorMessage() const { return CStringW(u"The operation was stopped."); }

CStringW CArchiveException::GetErrorMessage() const {
  static const char16_t* const kTexts[] = {
      u"No error occurred.",
      u"An unknown error occurred while accessing %s.",
      u"An attempt was made to write to the read-only %s.",
      u"An unexpected end of file was met while reading %s.",
      u"An attempt was made to read from the write-only %s.",
      u"%s has a bad format.",
      u"%s contains an unexpected object.",
      u"%s contains an incorrect schema.",
  };
  return CauseText(kTexts, m_cause, m_strFileName);
}

CStringW CFileException::GetErrorMessage() const {
  static const char16_t* const kTexts[] = {
      u"No error occurred.",
      u"An unknown error occurred while accessing %s.",
      u"%s was not found.",
      u"%s contains an invalid path.",
      u"%s could not be opened because there are too many open files.",
      u"Access to %s was denied.",
      u"An invalid file handle was associated with %s.",
      u"%s could not be removed because it is the current directory.",
      u"%s could not be created because the directory is full.",
      u"Seek failed on %s.",
      u"A hardware I/O error was reported while accessing %s.",
      u"A sharing violation occurred while accessing %s.",
      u"A locking violation occurred while accessing %s.",
      u"Disk full while accessing %s.",
      u"An attempt was made to access %s past its end.",
  };
  return CauseText(kTexts, m_cause, m_strFileName);
}

int CFileException::OsErrorToException(LONG osError) {
  switch (osError) {
    case 0:
      return none;
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case EBUSY:
      return sharingViolation;
    case ESPIPE:
    case EINVAL:
      return badSeek;
    case EIO:
      return hardIO;
    case ENOSPC:
    case EDQUOT:
      return diskFull;
    default:
      return genericException;
  }
}

CStringW COleException::GetErrorMessage() const {
  CStringW text;
  text.Format(u"An OLE operation failed (0x%08X).", static_cast<unsigned>(m_sc));
  return text;
}

CStringW CDBException::GetErrorMessage() const {
  return m_strError.IsEmpty() ? CStringW(u"A database operation failed.") : m_strError;
}

void AfxThrowMemoryException() { throw CMemoryException(); }
void AfxThrowNotSupportedException() { throw CNotSupportedException(); }
void AfxThrowNotSupportedException(LPCWSTR reason) { throw CNotSupportedException(CStringW(reason)); }
void AfxThrowInvalidArgException() { throw CInvalidArgException(); }
void AfxThrowUserException() { throw CUserException(); }
void AfxThrowArchiveException(int cause, LPCWSTR fileName) { throw CArchiveException(cause, fileName); }
void AfxThrowFileException(int cause, LONG osError, LPCWSTR fileName) {
  throw CFileException(cause, osError, fileName);
}
void AfxThrowOleException(SCODE sc) { throw COleException(sc); }
