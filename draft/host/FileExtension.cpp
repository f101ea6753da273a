#include "draft/host/FileExtension.h"

BOOL EnsureFileExtension(CString& path, const char* defaultName, const char* extension) {
  const CString before = path;
  const int slash = path.ReverseFind('\\') > path.ReverseFind('/') ? path.ReverseFind('\\') : path.ReverseFind('/');
  if (slash + 1 == path.GetLength() && defaultName && *defaultName) path += defaultName;
  const CString name = path.Mid(slash + 1);
  // A leading dot makes a hidden name, not an extension (".gdf" is a name).
  const int dot = name.ReverseFind('.');
  if (!name.IsEmpty() && dot <= 0 && extension && *extension) {
    path += '.';
    path += extension;
  }
  return path == before ? FALSE : TRUE;
}
