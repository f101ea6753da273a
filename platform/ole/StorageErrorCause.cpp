#include "platform/ole/StorageErrorCause.h"

#include "platform/core/Exceptions.h"

namespace platform {

int FileExceptionCauseOf(HRESULT hr) {
  switch (hr) {
    case STG_E_FILENOTFOUND:
      return CFileException::fileNotFound;
    case STG_E_PATHNOTFOUND:
    case STG_E_INVALIDNAME:
      return CFileException::badPath;
    case STG_E_TOOMANYOPENFILES:
      return CFileException::tooManyOpenFiles;
    case STG_E_ACCESSDENIED:
    case STG_E_FILEALREADYEXISTS:
      return CFileException::accessDenied;
    case STG_E_INVALIDHANDLE:
    case STG_E_REVERTED:
    case STG_E_INVALIDHEADER:
    case STG_E_DOCFILECORRUPT:
      return CFileException::invalidFile;
    case STG_E_SEEKERROR:
      return CFileException::badSeek;
    case STG_E_WRITEFAULT:
    case STG_E_READFAULT:
      return CFileException::hardIO;
    case STG_E_SHAREVIOLATION:
      return CFileException::sharingViolation;
    case STG_E_LOCKVIOLATION:
      return CFileException::lockViolation;
    case STG_E_MEDIUMFULL:
      return CFileException::diskFull;
    default:
      return CFileException::genericException;
  }
}

}  // namespace platform
