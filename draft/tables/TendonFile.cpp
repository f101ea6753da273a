#include "draft/tables/TendonFile.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "draft/host/SystemFiles.h"
#include "draft/tables/FieldLine.h"
#include "draft/tables/TableFileText.h"
#include "draft/tables/TableFiles.h"
#include "platform/core/Exceptions.h"

namespace {

bool ReadInt(CTableFileText& file, int& value) {
  int32_t v = 0;
  if (!file.ReadInt32(v)) return false;
  value = v;
  return true;
}

bool ReadIntLine(CTableFileText& file, int& value) {
  CStringA line;
  if (!file.ReadLine(line)) return false;
  value = std::atoi(line);
  return true;
}

TendonFileRead ReadText(CTableFileText& file, TendonTableData& data) {
  int count = 0;
  if (ReadIntLine(file, data.direction) && ReadIntLine(file, data.fileFlag)) ReadIntLine(file, count);
  CStringA line;
  for (; count > 0 && file.ReadLine(line); --count) {
    if (!ParseFieldLine(data.fields, line)) {
      data.fields.RemoveAll();
      return TendonFileRead::kFailed;
    }
  }
  while (file.ReadLine(line)) data.rows.Add(line);
  return TendonFileRead::kRead;
}

TendonFileRead ReadBinary(CTableFileText& file, TendonTableData& data) {
  int count = 0;
  if (ReadInt(file, data.direction) && ReadInt(file, data.fileFlag)) ReadInt(file, count);
  std::string bytes;
  for (; count > 0 && file.ReadBytes(CFieldRecord::kRecordBytes, bytes); --count)
    data.fields.Add(CFieldRecord::FromBytes(reinterpret_cast<const unsigned char*>(bytes.data())));
  int32_t length = 0;
  while (file.ReadInt32(length) && length >= 0 && file.ReadBytes(static_cast<size_t>(length), bytes))
    data.rows.Add(CStringA(bytes));
  return TendonFileRead::kRead;
}

}  // namespace

TendonFileRead ReadTendonFile(const char* path, TendonTableData& data) {
  data.direction = 0;
  data.fileFlag = 1;
  data.fields.RemoveAll();
  data.rows.RemoveAll();
  std::unique_ptr<CTableFileText> file;
  try {
    file = std::make_unique<CTableFileText>(path);
  } catch (CFileException& e) {
    if (e.m_strFileName.IsEmpty()) e.m_strFileName = CStringW(path);
    ReportFileException(e);
    return TendonFileRead::kFailed;
  }
  if (file->StartsWithLine(kTendonFileMagic99)) return ReadText(*file, data);
  if (file->StartsWithBytes(kTendonFileMagic98)) return ReadBinary(*file, data);
  return TendonFileRead::kWrongType;
}

BOOL WriteTendonFile(const char* path, const TendonTableData& data) {
  CStringA text = kTendonFileMagic99;
  text.AppendFormat("\n%d\n%d\n%d\n", data.direction, data.fileFlag, static_cast<int>(data.fields.GetSize()));
  for (INT_PTR i = 0; i < data.fields.GetSize(); ++i) text += FormatFieldLine(data.fields[i], FieldLineForm::kTidied) + "\n";
  for (INT_PTR i = 0; i < data.rows.GetSize(); ++i) text += data.rows[i] + "\n";
  return ReplaceTableFile(path, TextFileBytes(text));
}
