// Sarnowe, the external data-source library the bill-of-materials dialog
// calls. A data source is a text file of records, one a line, whose fields
// are separated by tabs or commas; the data-source text names it with the
// key field and the value field to look up: "file|key|value", the fields
// counted from 1. SetExternalDS checks such a text and writes it back in
// that normal form; GetDataContext looks up the text of the dialog's
// current cell (its cell edit, else its material box) among the key fields
// and returns the value field of the first record that matches.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/Module.h"
#include "platform/core/PathResolve.h"
#include "platform/core/ResourceSet.h"
#include "platform/ui/WindowApi.h"

namespace {
const platform::ModuleRegistration g_module(u"Sarnowe.DLL", platform::ResourceSet());

constexpr size_t kSourceBytes = 1024;
constexpr size_t kResultBytes = 2048;
constexpr int kCellEdit = 314;
constexpr int kMaterialBox = 1313;

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return std::string();
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

struct Source {
  std::string file;
  int key = 0;
  int value = 0;
};

// The parts of a data-source text; false for a text that names no readable
// file or no fields.
bool ParseSource(const char* text, Source& out) {
  if (!text) return false;
  std::vector<std::string> parts;
  std::string part;
  for (const char* p = text; *p; ++p) {
    if (*p == '|') {
      parts.push_back(Trim(part));
      part.clear();
    } else {
      part += *p;
    }
  }
  parts.push_back(Trim(part));
  if (parts.size() != 3 || parts[0].empty()) return false;
  out.file = parts[0];
  out.key = std::atoi(parts[1].c_str());
  out.value = std::atoi(parts[2].c_str());
  if (out.key < 1 || out.value < 1) return false;
  std::ifstream in(platform::ResolvePath(out.file.c_str()));
  return static_cast<bool>(in);
}

std::vector<std::string> SplitRecord(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : line) {
    if (c == '\t' || c == ',') {
      fields.push_back(Trim(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(Trim(field));
  return fields;
}

std::string WindowText(HWND window) {
  char buffer[kResultBytes] = {};
  if (window && ::IsWindowVisible(window)) ::GetWindowTextA(window, buffer, static_cast<int>(sizeof(buffer)));
  return Trim(buffer);
}
}  // namespace

extern "C" {

// 1 when the text names a data source (rewritten in its normal form), else 0.
__attribute__((visibility("default"))) int SetExternalDS(char* source) {
  Source parsed;
  if (!ParseSource(source, parsed)) return 0;
  const std::string normal = parsed.file + "|" + std::to_string(parsed.key) + "|" + std::to_string(parsed.value);
  if (normal.size() >= kSourceBytes) return 0;
  std::memcpy(source, normal.c_str(), normal.size() + 1);
  return 1;
}

// Nonzero with the value in `result` (at most 2047 bytes and the
// terminator); 0 when the source, the current cell or the record is missing.
__attribute__((visibility("default"))) int GetDataContext(int kind, const char* source, HWND dialog, int, const char*,
                                                          char* result) {
  if (kind != 1 || !result) return 0;
  result[0] = '\0';
  Source parsed;
  if (!ParseSource(source, parsed)) return 0;
  std::string key = WindowText(::GetDlgItem(dialog, kCellEdit));
  if (key.empty()) key = WindowText(::GetDlgItem(dialog, kMaterialBox));
  if (key.empty()) return 0;
  std::ifstream in(platform::ResolvePath(parsed.file.c_str()));
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = SplitRecord(line);
    if (static_cast<int>(fields.size()) < std::max(parsed.key, parsed.value)) continue;
    if (fields[static_cast<size_t>(parsed.key - 1)] != key) continue;
    const std::string& value = fields[static_cast<size_t>(parsed.value - 1)];
    const size_t n = std::min(value.size(), kResultBytes - 1);
    std::memcpy(result, value.data(), n);
    result[n] = '\0';
    return 1;
  }
  return 0;
}

}  // extern "C"
