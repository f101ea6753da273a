#include "draft/host/FontMap.h"

#include "draft/host/SystemFiles.h"
#include "platform/core/FileFind.h"
#include "platform/core/StdioFile.h"
#include "platform/gdi/Gdi32.h"
#include "platform/gdi/GdiConstants.h"

namespace {

std::string Key(const char* name) {
  CStringA lower(name ? name : "");
  lower.Trim();
  lower.MakeLower();
  return std::string(lower.GetString());
}

bool IsFontFileName(const CStringA& name) {
  CStringA ext = GetFileExtension(name);
  ext.MakeLower();
  return ext == "ttf" || ext == "ttc" || ext == "otf";
}

int CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return 0;
}

// Whether the machine (or this process) has the family.
bool HasFamily(const CStringW& family) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  int count = 0;
  EnumFontFamiliesW(dc, family.GetString(), CountFamily, reinterpret_cast<LPARAM>(&count));
  DeleteDC(dc);
  return count > 0;
}

}  // namespace

void CFontMap::LoadIfFolderChanged() {
  const CStringA folder = GetSystemDataFolder();
  if (loaded_ && folder == folder_) return;
  for (const CStringA& file : addedFiles_) RemoveFontResourceExA(file, FR_PRIVATE, nullptr);
  addedFiles_.clear();
  entries_.clear();
  found_.clear();
  reported_.clear();
  folder_ = folder;
  loaded_ = true;

  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(GetSystemFilePath("Font\\*.*"), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const CStringA name = data.cFileName;
      if (!IsFontFileName(name)) continue;
      const CStringA path = GetSystemFilePath(CStringA("Font\\") + name);
      if (AddFontResourceExA(path, FR_PRIVATE, nullptr) > 0) addedFiles_.push_back(path);
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }

  CStdioFile file;
  if (!file.Open(GetSystemFilePath("Font\\FontMap.Tab"), CFile::modeRead | CFile::shareDenyNone | CFile::typeText)) {
    return;
  }
  CStringA line;
  while (file.ReadString(line)) {
    line.Trim();
    const int equals = line.Find('=');
    if (line.IsEmpty() || line[0] == ';' || equals <= 0) continue;
    std::vector<CStringW>& families = entries_[Key(line.Left(equals))];
    families.clear();
    CStringA rest = line.Mid(equals + 1);
    int start = 0;
    for (CStringA family = rest.Tokenize(",", start); start >= 0; family = rest.Tokenize(",", start)) {
      family.Trim();
      if (!family.IsEmpty()) families.push_back(CStringW(family.GetString()));
    }
  }
}

CStringW CFontMap::FindFamily(const char* name) {
  LoadIfFolderChanged();
  const std::string key = Key(name);
  auto known = found_.find(key);
  if (known != found_.end()) return known->second;
  CStringW family;
  auto entry = entries_.find(key);
  if (entry != entries_.end()) {
    for (const CStringW& candidate : entry->second) {
      if (HasFamily(candidate)) {
        family = candidate;
        break;
      }
    }
  }
  found_.emplace(key, family);
  return family;
}

bool CFontMap::IsFirstReport(const char* name) {
  LoadIfFolderChanged();
  return reported_.insert(Key(name)).second;
}

CFontMap& GetFontMap() {
  static CFontMap map;
  return map;
}
