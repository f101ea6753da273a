#include "draft/host/TabFile.h"

#include <span>
#include <string>

#include "draft/host/SystemFiles.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileReplace.h"
#include "platform/core/PathResolve.h"
#include "platform/core/StdioFile.h"

void ReadTabFile(const CStringA& path, CStringArrayA& entries, CStringArrayA& comments) {
  entries.RemoveAll();
  try {
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    const ULONGLONG length = file.GetLength();
    comments.RemoveAll();
    CStringA line;
    while (file.GetPosition() < length && file.ReadString(line)) {
      if (line.IsEmpty()) continue;
      if (line[0] == ';') {
        comments.Add(line);
      } else {
        entries.Add(line);
      }
    }
    file.Close();
  } catch (CFileException& e) {
    ReportFileException(e);
  }
}

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
