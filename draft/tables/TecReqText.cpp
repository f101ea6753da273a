#include "draft/tables/TecReqText.h"

#include <span>

#include "platform/core/FileReplace.h"
#include "platform/core/MessageBox.h"
#include "platform/core/PathResolve.h"
#include "platform/core/StdioFile.h"

namespace {
const char* const kOpenFailed = "打开文件[%s]未能成功.";
}

bool IsBlank(char c) { return c == 9 || c == 10 || c == 13 || c == 32; }

void TrimBlanks(CStringA& text) {
  const std::string& s = text.str();
  size_t first = 0;
  size_t last = s.size();
  while (first < last && IsBlank(s[first])) ++first;
  while (last > first && IsBlank(s[last - 1])) --last;
  if (first == 0 && last == s.size()) return;
  text = CStringA(s.substr(first, last - first).c_str());
}

int TecItemNumber(const CStringA& line) {
  const int dot = line.Find('.');
  if (dot <= 0 || line[0] == '0') return 0;
  int n = 0;
  for (int i = 0; i < dot; ++i) {
    const char c = line[i];
    if (c < '0' || c > '9') return 0;
    if (n > 100000000) return 0;  // no item is numbered that high
    n = n * 10 + (c - '0');
  }
  return n;
}

void CTecItemCollector::AddLine(CStringA line) {
  TrimBlanks(line);
  if (line.IsEmpty()) return;
  if (TecItemNumber(line) > 0) {
    Finish();
    current_ = line.Mid(line.Find('.') + 1) + "\r\n";
  } else {
    current_ += line + "\r\n";
  }
}

void CTecItemCollector::Finish() {
  if (!current_.IsEmpty()) items_.Add(current_);
  current_.Empty();
}

CStringA FormatTecItems(const CStringArray& items) {
  CStringA out;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    CStringA item;
    item.Format("%d.%s", static_cast<int>(i + 1), static_cast<const char*>(items[i]));
    if (item.IsEmpty() || item[item.GetLength() - 1] != '\n') item += "\r\n";
    out += item;
  }
  return out;
}

CStringA FormatTecFile(const CStringA& title, const CStringArray& items) {
  return title + "\r\n" + FormatTecItems(items);
}

BOOL ReadTecFile(const char* path, CStringA& title, CStringArray& items) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return FALSE;
  CStringA line;
  bool first = true;
  CTecItemCollector collector(items);
  while (file.ReadString(line)) {
    if (first) {
      first = false;
      TrimBlanks(line);
      if (title.IsEmpty()) title = line;
      continue;
    }
    collector.AddLine(line);
  }
  collector.Finish();
  file.Close();
  return TRUE;
}

BOOL ReplaceTextFileBytes(const char* path, const CStringA& bytes) {
  const std::string& s = bytes.str();
  const int error = platform::ReplaceFileBytes(
      platform::ResolvePath(path), std::span<const BYTE>(reinterpret_cast<const BYTE*>(s.data()), s.size()), true);
  if (error == 0) return TRUE;
  CStringA message;
  message.Format(kOpenFailed, path);
  AfxMessageBox(message);
  return FALSE;
}

BOOL WriteTecFile(const char* path, const CStringA& title, const CStringArray& items) {
  return ReplaceTextFileBytes(path, FormatTecFile(title, items));
}
