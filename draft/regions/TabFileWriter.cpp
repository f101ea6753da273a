#include "draft/regions/TabFileWriter.h"

#include <span>
#include <string>

#include "draft/host/SystemFiles.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileReplace.h"
#include "platform/core/PathResolve.h"

BOOL WriteTabFileLines(const CStringA& path, const std::vector<CStringA>& lines) {
  std::string bytes;
  for (const CStringA& line : lines) {
    bytes.append(line.GetString(), static_cast<size_t>(line.GetLength()));
    bytes += "\r\n";
  }
  const int error = platform::ReplaceFileBytes(
      platform::ResolvePath(path.GetString()),
      std::span<const BYTE>(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()), true);
  if (error == 0) return TRUE;
  ReportFileException(CFileException(CFileException::OsErrorToException(error), error, CStringW(path)));
  return FALSE;
}
