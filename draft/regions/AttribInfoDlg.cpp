#include "draft/regions/AttribInfoDlg.h"

#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StdioFile.h"

CAttribInfoDlg::CAttribInfoDlg(CWnd* parent) : CDialog(IDD, parent) {
  templatePath_ = GetProfileStringSetting("SystemSetting", "AttrNameFilePath", "");
  if (templatePath_.IsEmpty() || !IsFileExist(templatePath_)) {
    templatePath_ = GetSystemFilePath("Def\\Attribute.Tab");
  }
}

void CAttribInfoDlg::ReadTabFile(const CStringA& path, CStringArrayA& entries, CStringArrayA& comments) {
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
