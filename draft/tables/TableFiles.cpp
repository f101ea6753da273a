#include "draft/tables/TableFiles.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "draft/host/Settings.h"
#include "draft/host/SystemFiles.h"
#include "draft/tables/ArrayRoom.h"
#include "draft/tables/FieldLine.h"
#include "draft/tables/TableFileText.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileReplace.h"
#include "platform/core/MessageBox.h"
#include "platform/core/PathResolve.h"

namespace {

bool ReadFileText(const char* path, std::unique_ptr<CTableFileText>& text) {
  try {
    text = std::make_unique<CTableFileText>(path);
    return true;
  } catch (CFileException& e) {
    if (e.m_strFileName.IsEmpty()) e.m_strFileName = CStringW(path);
    ReportFileException(e);
    return false;
  }
}

// Whether a text can be written as (part of) one line of a text-generation
// file: a line feed would end the line and a Ctrl-Z byte the file. The
// bytes are looked at one by one, as the reader does: a stray lead byte
// before a line feed does not hide it.
bool FitsOneLine(const CStringA& text) { return text.str().find_first_of("\n\x1A") == std::string::npos; }

// Whether every field name fits one line; shows the structure error when
// one does not.
bool FieldNamesFitLines(const CFieldArray& fields) {
  for (INT_PTR i = 0; i < fields.GetSize(); ++i)
    if (!FitsOneLine(fields[i].GetName())) {
      AfxMessageBox(kBadTableStructure);
      return false;
    }
  return true;
}

}  // namespace

TableFileRead ReadPartsListFile(const char* path, CStringArray& rows, CFieldArray& fields) {
  rows.RemoveAll();
  fields.RemoveAll();
  if (!path || !IsFileExist(path)) return TableFileRead::kFailed;
  std::unique_ptr<CTableFileText> file;
  if (!ReadFileText(path, file)) return TableFileRead::kFailed;
  CStringA line;
  if (file->StartsWithLine(kPartsListMagic99)) {
    int count = file->ReadLine(line) ? std::atoi(line) : 0;
    if (count > 0) MakeRoom(fields, std::min(static_cast<size_t>(count), file->LinesLeft()));
    for (; count > 0 && file->ReadLine(line); --count)
      if (!ParseFieldLine(fields, line)) return TableFileRead::kFailed;  // the columns parsed so far stay
    MakeRoom(rows, file->LinesLeft());
    while (file->ReadLine(line)) rows.Add(line);
    return TableFileRead::kRead;
  }
  if (file->StartsWithBytes(kPartsListMagic98)) {
    int32_t count = 0;
    file->ReadInt32(count);
    std::string bytes;
    if (count > 0)
      MakeRoom(fields, std::min(static_cast<size_t>(count), file->BytesLeft() / CFieldRecord::kRecordBytes));
    for (; count > 0 && file->ReadBytes(CFieldRecord::kRecordBytes, bytes); --count)
      fields.Add(CFieldRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data())));
    MakeRoom(rows, file->LengthPrefixedRecordsLeft());
    int32_t length = 0;
    // A row cut short by the end of the file, or with a negative length, is
    // damage: the rows before it are kept.
    while (file->ReadInt32(length) && length >= 0 && file->ReadBytes(static_cast<size_t>(length), bytes))
      rows.Add(CStringA(bytes));
    return TableFileRead::kRead;
  }
  return TableFileRead::kWrongKind;
}

std::string TextFileBytes(const CStringA& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.GetLength()) + 64);
  for (char c : text.str()) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

BOOL ReplaceTableFile(const char* path, const std::string& bytes) {
  const int error = platform::ReplaceFileBytes(
      platform::ResolvePath(path),
      std::span<const BYTE>(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()), true);
  if (error == 0) return TRUE;
  ReportFileException(CFileException(CFileException::OsErrorToException(error), error, CStringW(path)));
  return FALSE;
}

BOOL WritePartsListFile(const char* path, const char* magic, const CFieldArray& fields, const CStringArray& rows) {
  // Names and rows read from a binary file may hold line ends, which the
  // text lines cannot: such a file would read back with other columns and
  // rows, so nothing is written.
  if (!FieldNamesFitLines(fields)) return FALSE;
  for (INT_PTR i = 0; i < rows.GetSize(); ++i)
    if (!FitsOneLine(rows[i])) {
      AfxMessageBox(kBadTableStructure);
      return FALSE;
    }
  CStringA text = magic;
  text.AppendFormat("\n%d\n", static_cast<int>(fields.GetSize()));
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    text += FormatFieldLine(fields[i], FieldLineForm::kTidied);
    text += '\n';
  }
  for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
    text += rows[i];
    text += '\n';
  }
  return ReplaceTableFile(path, TextFileBytes(text));
}

BOOL CreateTableFile(const char* path, const char* magic) { return ReplaceTableFile(path, std::string(magic)); }

int ReadStructureFileFields(CFieldArray& fields, const char* path, int tableKind) {
  fields.RemoveAll();
  if (!path || !*path || !IsFileExist(path)) {
    FillDefaultStructure(fields, tableKind);
    return 0;
  }
  std::unique_ptr<CTableFileText> file;
  if (!ReadFileText(path, file)) {
    FillDefaultStructure(fields, tableKind);
    return 0;
  }
  const int read = ReadStructureFileText(*file, fields, tableKind);
  if (read >= 0) return read;
  AfxMessageBox(kFileKindMismatch);
  return 0;
}

int ReadStructureFileText(CTableFileText& file, CFieldArray& fields, int tableKind) {
  if (file.StartsWithLine(kStructureMagic99)) {
    CStringA line;
    MakeRoom(fields, file.LinesLeft());
    while (file.ReadLine(line))
      if (!ParseFieldLine(fields, line)) return 0;
    return 1;
  }
  if (file.StartsWithBytes(kStructureMagic98)) {
    if (file.BytesLeft() == 0) {
      FillDefaultStructure(fields, tableKind);
      return 0;
    }
    std::string bytes;
    MakeRoom(fields, file.BytesLeft() / CFieldRecord::kRecordBytes);
    while (file.ReadBytes(CFieldRecord::kRecordBytes, bytes))
      fields.Add(CFieldRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data())));
    return 1;
  }
  return -1;
}

CStringA ReplaceFileExtension(const CStringA& path, const char* ext) {
  const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  const int dot = path.ReverseFind('.');
  CStringA result = dot > slash ? path.Left(dot) : path;
  result += '.';
  result += ext;
  return result;
}

BOOL WriteStructureFileFields(const char* path, const CFieldArray& fields) {
  if (!path || !*path) {
    ReportFileException("", CFileException::badPath);
    return FALSE;
  }
  if (!FieldNamesFitLines(fields)) return FALSE;
  const CStringA target = ReplaceFileExtension(CStringA(path ? path : ""), "def");
  CStringA text = kStructureMagic99;
  text += '\n';
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    text += FormatFieldLine(fields[i], FieldLineForm::kStored);
    text += '\n';
  }
  if (!ReplaceTableFile(target, TextFileBytes(text))) return FALSE;
  WriteProfileStringSetting("TableFrameSetting", "TableFrameFilePath", target);
  return TRUE;
}

void FillDefaultStructure(CFieldArray& fields, int tableKind) {
  struct Column {
    const char* name;
    int type;
    double width;
  };
  static const Column kRebar[] = {
      {"编号", 1, 10}, {"直径(mm)", 0, 20}, {"单根长(mm)", 4, 20}, {"根数", 1, 10}, {"总长(m)", 4, 30}};
  static const Column kPartsList[] = {{"序号", 1, 8},  {"代号", 0, 40}, {"零件名称", 0, 44}, {"数量", 1, 8},
                                      {"材料", 0, 38}, {"单件", 3, 10}, {"总计", 3, 12},     {"备注", 0, 20}};
  fields.RemoveAll();
  auto fill = [&fields](const auto& columns) {
    for (const Column& c : columns) fields.Add(CFieldRecord(c.name, c.type, c.width, kAlignCentre));
  };
  if (tableKind == 2)
    fill(kRebar);
  else
    fill(kPartsList);
}
