// Tilbrack, the bill-of-materials query library. querycode reads the
// fixed-column file "bom.dat" that the bill-of-materials dialog writes (a
// header of field names, then one line per row, every column as wide as its
// widest cell plus two blanks), fills the "代号" column of each row from the
// catalogue "Table\BomCode.Tab" of the system data folder (lines of a name,
// a tab and a code; ';' starts a comment), looked up by the row's "名称",
// and writes the file again in the same form (a new file renamed over it,
// so a write that fails leaves the file as it was). It returns a short
// report, or an empty text when nothing changed; the text stays valid until
// the next call or until the library is unloaded.
#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "draft/host/SystemFiles.h"
#include "platform/core/Charset.h"
#include "platform/core/FileReplace.h"
#include "platform/core/Module.h"
#include "platform/core/PathResolve.h"
#include "platform/core/ResourceSet.h"
#include "platform/core/String.h"

namespace {
// The library's resources: the text of its report. A caller makes them the
// current resources while it calls (its resource switch to "Tilbrack.dll").
constexpr UINT kReportText = 1;
platform::ResourceSet TilbrackResources() {
  platform::ResourceSet r;
  r.Strings({{kReportText, "已填写代号: %d"}});
  return r;
}
const platform::ModuleRegistration g_module(u"Tilbrack.DLL", TilbrackResources());

// The report of `filled` codes, from the string table of the current
// resources when they are this library's, else from the same text built in.
std::string Report(int filled) {
  std::u16string format;
  std::string text = platform::LoadStringResource(kReportText, format) ? platform::Utf16ToGbk(format)
                                                                         : std::string("已填写代号: %d");
  const size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(filled));
  return text;
}

std::string g_report;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return std::string();
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

std::map<std::string, std::string> ReadCatalogue() {
  std::map<std::string, std::string> codes;
  std::ifstream in(platform::ResolvePath(GetSystemFilePath("Table\\BomCode.Tab").GetString()));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == ';') continue;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string name = Trim(line.substr(0, tab)), code = Trim(line.substr(tab + 1));
    if (!name.empty() && !code.empty()) codes.emplace(name, code);
  }
  return codes;
}

// The lines of the file cut into cells at the header's column starts.
bool ReadFixed(const std::string& path, std::vector<std::vector<std::string>>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  std::vector<size_t> starts;
  size_t indent = 0;  // the header's leading blanks, the most a line loses
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (starts.empty()) {
      while (indent < line.size() && IsBlank(line[indent])) ++indent;
      line = Trim(line);
      starts.push_back(0);
      for (size_t i = 1; i < line.size(); ++i)
        if (!IsBlank(line[i]) && IsBlank(line[i - 1])) starts.push_back(i);
    } else {
      if (Trim(line).empty()) continue;
      size_t cut = 0;
      while (cut < indent && cut < line.size() && IsBlank(line[cut])) ++cut;
      line = line.substr(cut);
    }
    std::vector<std::string> cells;
    for (size_t k = 0; k < starts.size(); ++k) {
      const size_t from = starts[k], to = k + 1 < starts.size() ? starts[k + 1] : line.size();
      cells.push_back(from < line.size() ? Trim(line.substr(from, to > from ? to - from : 0)) : std::string());
    }
    lines.push_back(cells);
  }
  return !lines.empty();
}

bool WriteFixed(const std::string& path, const std::vector<std::vector<std::string>>& lines) {
  std::vector<size_t> widths;
  for (const auto& l : lines)
    for (size_t c = 0; c < l.size(); ++c) {
      if (widths.size() <= c) widths.push_back(0);
      widths[c] = std::max(widths[c], l[c].size());
    }
  std::string out;
  for (const auto& l : lines) {
    for (size_t c = 0; c < l.size(); ++c) {
      out += l[c];
      if (c + 1 < l.size()) out.append(widths[c] - l[c].size() + 2, ' ');
    }
    out += "\r\n";
  }
  return platform::ReplaceFileBytes(path, std::span(reinterpret_cast<const BYTE*>(out.data()), out.size()), true) == 0;
}

int FindColumn(const std::vector<std::string>& header, const char* part) {
  for (size_t c = 0; c < header.size(); ++c)
    if (header[c].find(part) != std::string::npos) return static_cast<int>(c);
  return -1;
}
}  // namespace

extern "C" {

__attribute__((visibility("default"))) const char* querycode(const char* bomPath) {
  g_report.clear();
  if (!bomPath) return g_report.c_str();
  const std::string path = platform::ResolvePath(bomPath);
  std::vector<std::vector<std::string>> lines;
  if (!ReadFixed(path, lines)) return g_report.c_str();
  const int name = FindColumn(lines[0], "名称");
  const int code = FindColumn(lines[0], "代号");
  if (name < 0 || code < 0) return g_report.c_str();
  const std::map<std::string, std::string> codes = ReadCatalogue();
  int filled = 0;
  for (size_t r = 1; r < lines.size(); ++r) {
    auto found = codes.find(lines[r][static_cast<size_t>(name)]);
    if (found == codes.end() || lines[r][static_cast<size_t>(code)] == found->second) continue;
    lines[r][static_cast<size_t>(code)] = found->second;
    ++filled;
  }
  if (filled == 0 || !WriteFixed(path, lines)) return g_report.c_str();
  g_report = Report(filled);
  return g_report.c_str();
}

}  // extern "C"
