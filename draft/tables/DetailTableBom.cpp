// The bill-of-materials dialog's fixed-column text: the grid written as
// "bom.dat" for the material query, and fixed-column files (.bom, .dat)
// read into the grid's current columns.
#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "draft/host/SystemFiles.h"
#include "draft/tables/ArrayRoom.h"
#include "draft/tables/DetailTableDlg.h"
#include "draft/tables/FieldLine.h"
#include "draft/tables/RowText.h"
#include "draft/tables/TableFileText.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileReplace.h"
#include "platform/core/MessageBox.h"
#include "platform/core/PathResolve.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

BOOL CDetailTableDlg::WriteBomFile(const char* path) {
  if (fields_->GetSize() == 0) return FALSE;
  std::vector<std::vector<CStringA>> lines;
  std::vector<CStringA> header;
  for (INT_PTR i = 0; i < fields_->GetSize(); ++i) {
    CStringA name = (*fields_)[i].GetName();
    name.Trim();
    header.push_back(name);
  }
  lines.push_back(header);
  CStringArray texts;
  grid_.GetRowTexts(grid_.GetItemCount(), texts);
  for (INT_PTR r = 0; r < texts.GetSize(); ++r) {
    CStringArray cells;
    SplitRowText(texts[r], cells);
    std::vector<CStringA> line;
    bool any = false;
    for (INT_PTR c = 0; c < cells.GetSize(); ++c) {
      CStringA cell = cells[c];
      cell.Trim();
      any = any || !cell.IsEmpty();
      line.push_back(cell);
    }
    if (any) lines.push_back(line);
  }
  std::vector<int> widths;
  for (const auto& line : lines)
    for (size_t c = 0; c < line.size(); ++c) {
      if (widths.size() <= c) widths.push_back(0);
      widths[c] = std::max(widths[c], line[c].GetLength());
    }
  std::string bytes;
  for (const auto& line : lines) {
    for (size_t c = 0; c < line.size(); ++c) {
      bytes += line[c].GetString();
      if (c + 1 < line.size()) bytes.append(static_cast<size_t>(widths[c] - line[c].GetLength() + 2), ' ');
    }
    bytes += "\r\n";
  }
  const int error = platform::ReplaceFileBytes(
      platform::ResolvePath(path), std::span(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()), false);
  if (error != 0) {
    ReportFileException(path, CFileException::OsErrorToException(error));
    AfxMessageBox("对bom临时文件的写操作有误!", MB_OK);
    return FALSE;
  }
  return TRUE;
}

BOOL CDetailTableDlg::ImportFixedColumns(const char* path) {
  CStringA ext = GetFileExtension(path);
  ext.MakeLower();
  const int format = ext == "bom" ? 1 : ext == "dat" ? 2 : 0;
  if (format == 0) return FALSE;
  std::unique_ptr<CTableFileText> file;
  try {
    file = std::make_unique<CTableFileText>(path);
  } catch (CFileException& e) {
    ReportFileException(e);
    AfxMessageBox("对bom临时文件的读操作有误!", MB_OK);
    return FALSE;
  }
  CStringA header;
  if (!file->ReadLine(header)) return FALSE;
  // The lines are indented as the header is: each loses at most the
  // header's leading blanks, so an empty first cell keeps its place.
  int indent = 0;
  while (indent < header.GetLength() && IsBlank(header[indent])) ++indent;
  header.Trim();
  // A column starts at 0 and wherever a non-blank follows blanks.
  std::vector<int> starts{0};
  for (int i = 1; i < header.GetLength(); ++i)
    if (!IsBlank(header[i]) && IsBlank(header[i - 1])) starts.push_back(i);
  CStringA line;
  if (format == 1) file->ReadLine(line);
  CStringArray rows;
  MakeRoom(rows, file->LinesLeft());
  while (file->ReadLine(line)) {
    line.TrimRight("\r");
    int cut = 0;
    while (cut < indent && cut < line.GetLength() && IsBlank(line[cut])) ++cut;
    line = line.Mid(cut);
    if (CStringA(line).Trim().IsEmpty()) continue;
    CStringArray cells;
    for (size_t k = 0; k < starts.size(); ++k) {
      const int from = starts[k];
      const int to = k + 1 < starts.size() ? starts[k + 1] : line.GetLength();
      CStringA cell = from < line.GetLength() ? line.Mid(from, std::max(0, to - from)) : CStringA();
      cell.Trim();
      cells.Add(cell.IsEmpty() ? CStringA(" ") : cell);
    }
    rows.Add(JoinRowCells(cells));
  }
  grid_.DeleteAllItems();
  grid_.SetColumns(*fields_);
  grid_.FillRows(rows);
  rowCount_ = grid_.GetItemCount();
  MarkModified();
  return TRUE;
}

BOOL CDetailTableDlg::ImportTextFile(const char* path) {
  std::unique_ptr<CTableFileText> file;
  try {
    file = std::make_unique<CTableFileText>(path);
  } catch (CFileException& e) {
    ReportFileException(e);
    return FALSE;
  }
  CFieldArray columns;
  grid_.ReadStructureFile(columns, structurePath_, tableType_);
  CStringArray rows;
  MakeRoom(rows, file->LinesLeft());
  CStringA line;
  std::vector<CStringA> parts;
  while (file->ReadLine(line)) {
    SplitQuotedLine(line, '"', parts);
    if (parts.empty()) break;
    // A line with more cells than columns brings unnamed columns.
    while (static_cast<size_t>(columns.GetSize()) < parts.size()) columns.Add(CFieldRecord(" ", kFieldChar, 25.0, 2));
    CStringArray cells;
    for (const CStringA& p : parts) cells.Add(p);
    rows.Add(JoinRowCells(cells));
  }
  if (rows.GetSize() == 0) {
    AfxMessageBox("文件类型不匹配,请重新选择!", MB_OK);
    return FALSE;
  }
  const int known = static_cast<int>(fields_->GetSize());
  fields_->Copy(columns);
  grid_.DeleteAllItems();
  grid_.SetColumns(*fields_);
  for (int c = known; c < fields_->GetSize(); ++c) grid_.SetColumnWidth(c, 80);
  grid_.FillRows(rows);
  rowCount_ = grid_.GetItemCount();
  return TRUE;
}
